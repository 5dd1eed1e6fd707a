#include "AnalysisJson.h"

#include "knowledge/KnowledgeBase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <cmath>

namespace PageAnalysis {

namespace {

QByteArray text(const QString &s)
{
    const QByteArray array = QJsonDocument(QJsonArray { s }).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray number(double v)
{
    if (!std::isfinite(v))
        return "null";
    return QByteArray::number(v, 'g', 12);
}

QByteArray findingJson(const Finding &f, const KnowledgeBase &kb)
{
    QByteArray measures;
    for (const Measure &m : f.measures) {
        if (!measures.isEmpty())
            measures += ',';
        measures += text(m.name) + ':' + (m.known ? number(m.value) : QByteArray("null"));
    }
    const QByteArray variation
        = f.variation < 0 ? QByteArray("null") : text(kb.VariationNames[size_t(f.variation)]);
    return "{\"category\":" + text(kb.CategoryNames[size_t(f.category)])
        + ",\"variation\":" + variation + ",\"sure\":" + (f.sure ? "true" : "false")
        + ",\"measures\":{" + measures + "},\"note\":" + text(f.note) + '}';
}

} // namespace

QByteArray toJson(const Result &result, const QString &file, const KnowledgeBase &kb)
{
    QByteArray findings;
    for (const Finding &f : result.findings) {
        if (!findings.isEmpty())
            findings += ',';
        findings += findingJson(f, kb);
    }
    return "{\"file\":" + text(file) + ",\"width\":" + number(result.size.width()) + ",\"height\":"
        + number(result.size.height()) + ",\"dpi\":" + number(std::round(result.dpi * 10) / 10)
        + ",\"x_height_px\":" + number(std::round(result.xHeight * 10) / 10) + ",\"findings\":["
        + findings + "]}";
}

int analyseCommand(const QString &file, QTextStream &out, QTextStream &err)
{
    const Result result = analyseFile(file);
    switch (result.outcome) {
    case Outcome::Analysed: {
        KnowledgeBase kb;
        kb.LoadKnowledgeBase();
        out << QString::fromUtf8(toJson(result, file, kb)) << '\n';
        out.flush();
        return Analysed;
    }
    case Outcome::NoWriting:
        err << "quillmere: " << file << ": " << result.message << '\n';
        err.flush();
        return NoWriting;
    default:
        err << "quillmere: " << file << ": " << result.message << '\n';
        err.flush();
        return Unreadable;
    }
}

} // namespace PageAnalysis
