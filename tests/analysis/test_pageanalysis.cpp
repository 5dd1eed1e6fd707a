#include "HandPage.h"
#include "analysis/AnalysisJson.h"
#include "analysis/Findings.h"
#include "analysis/PageAnalysis.h"
#include "knowledge/KnowledgeBase.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <functional>

using namespace PageAnalysis;

Q_DECLARE_METATYPE(HandPageLayout)
Q_DECLARE_METATYPE(PageMeasures)

namespace {

const QString Dancing = QStringLiteral("Dancing Script");
const QString Kaushan = QStringLiteral("Kaushan Script");
const QString Dkg = QStringLiteral("DkgHandwriting");

// An A5 page at 150 dots per inch: small enough to be quick, large enough
// for every measure. The defaults lie clear of every border.
HandPageLayout page(const QString &family, const std::function<void(HandPageLayout &)> &change)
{
    HandPageLayout l;
    l.family = family;
    l.paperMm = { 148, 210 };
    l.dpi = 150;
    l.xHeightMm = 3;
    l.slant = 12;
    l.leftMm = l.rightMm = 15;
    l.topMm = l.bottomMm = 18;
    l.linePitch = 4.5;
    l.wordGap = 1.1;
    change(l);
    return l;
}

QString variationName(const KnowledgeBase &kb, const Finding &f)
{
    return f.variation < 0 ? QString() : kb.VariationNames[size_t(f.variation)];
}

const Finding *findingOf(const Result &r, int category)
{
    for (const Finding &f : r.findings) {
        if (f.category == category)
            return &f;
    }
    return nullptr;
}

double measureOf(const Finding &f, const QString &name)
{
    for (const Measure &m : f.measures) {
        if (m.name == name)
            return m.value;
    }
    return qQNaN();
}

int categoryNamed(const KnowledgeBase &kb, const QString &name)
{
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c) {
        if (kb.CategoryNames[size_t(c)] == name)
            return c;
    }
    return -1;
}

} // namespace

class TestPageAnalysis : public QObject
{
    Q_OBJECT

private:
    KnowledgeBase kb;
    QTemporaryDir dir;

    QString saved(const QImage &image, const QString &name, const QByteArray &format = {})
    {
        const QString path = dir.filePath(name);
        QImageWriter writer(path, format);
        if (!writer.write(image))
            qWarning() << "cannot write" << path << writer.errorString();
        return path;
    }

private slots:
    void initTestCase()
    {
        kb.LoadKnowledgeBase();
        QVERIFY(dir.isValid());
    }

    void measuredCategories_areTheKnowledgeBasesPageCategories()
    {
        QCOMPARE(kb.CategoryNames[Slant], QStringLiteral("Slant"));
        QCOMPARE(kb.CategoryNames[Margins], QStringLiteral("Margins"));
        QCOMPARE(kb.CategoryNames[LineSpacing], QStringLiteral("Line Spacing"));
        QCOMPARE(kb.CategoryNames[WordSpacing], QStringLiteral("Word Spacing"));
        QCOMPARE(kb.CategoryNames[Size], QStringLiteral("Size of the Writing"));
        QCOMPARE(kb.CategoryNames[LetterSpacing], QStringLiteral("Letter Spacing"));
    }

    // Figures on both sides of every border: close to a border a finding
    // is never sure, clear of all borders it is.
    void borders_decideTheVariation_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<PageMeasures>("measures");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("sure");
        PageMeasures plain;
        plain.slant = 12, plain.slantSpread = 3, plain.slantedWords = 80;
        plain.left = plain.right = plain.top = plain.bottom = 0.1, plain.lines = 12;
        plain.linePitch = 4.5, plain.linePitchVariation = 0.02;
        plain.wordGap = 1, plain.wordGapVariation = 0.2, plain.wordGaps = 80;
        plain.xHeightMm = 3, plain.sizeVariation = 0.1, plain.sizedWords = 60;
        plain.joinedShare = 0.8;
        auto row = [&](const char *name, const char *category, const char *expected, bool sure,
                       const std::function<void(PageMeasures &)> &change) {
            PageMeasures m = plain;
            change(m);
            QTest::addRow("%s", name)
                << QString::fromLatin1(category) << m << QString::fromLatin1(expected) << sure;
        };
        const char *const s = "Slant";
        row("slant plain", s, "Moderate Right Slant", true, [](PageMeasures &) {});
        row("slant spread 12", s, "Irregular Slant", true,
            [](PageMeasures &m) { m.slantSpread = 12; });
        row("slant spread 10.5", s, "Irregular Slant", false,
            [](PageMeasures &m) { m.slantSpread = 10.5; });
        row("slant spread 9.5", s, "Moderate Right Slant", false,
            [](PageMeasures &m) { m.slantSpread = 9.5; });
        row("slant 6.6", s, "Vertical Slant", false, [](PageMeasures &m) { m.slant = 6.6; });
        row("slant -3", s, "Vertical Slant", true, [](PageMeasures &m) { m.slant = -3; });
        row("slant 7.4", s, "Moderate Right Slant", false, [](PageMeasures &m) { m.slant = 7.4; });
        row("slant -7.4", s, "Moderate Left Slant", false, [](PageMeasures &m) { m.slant = -7.4; });
        row("slant -15", s, "Moderate Left Slant", true, [](PageMeasures &m) { m.slant = -15; });
        row("slant 24", s, "Moderate Right Slant", false, [](PageMeasures &m) { m.slant = 24; });
        row("slant 26", s, "Extreme Right Slant", false, [](PageMeasures &m) { m.slant = 26; });
        row("slant 32", s, "Extreme Right Slant", true, [](PageMeasures &m) { m.slant = 32; });
        row("slant -32", s, "Extreme Left Slant", true, [](PageMeasures &m) { m.slant = -32; });
        row("slant few words", s, "Moderate Right Slant", false,
            [](PageMeasures &m) { m.slantedWords = 3; });

        const char *const g = "Margins";
        row("margins plain", g, "Even Margins All Around", true, [](PageMeasures &) {});
        row("margins all 2%", g, "No Margins", true,
            [](PageMeasures &m) { m.left = m.right = m.top = m.bottom = 0.02; });
        row("margins one 3.2%", g, "", false,
            [](PageMeasures &m) { m.left = m.right = m.top = 0.02, m.bottom = 0.032; });
        row("left moves in 5.3%", g, "Narrow to Wider Left Margin", false,
            [](PageMeasures &m) { m.leftInward = 0.053, m.leftSteadiness = 0.9; });
        row("left moves in 9%", g, "Narrow to Wider Left Margin", true,
            [](PageMeasures &m) { m.leftInward = 0.09, m.leftSteadiness = 0.9; });
        row("left moves in 4.7%", g, "Even Margins All Around", false,
            [](PageMeasures &m) { m.leftInward = 0.047, m.leftSteadiness = 0.9; });
        row("left moves unsteadily", g, "Even Margins All Around", true,
            [](PageMeasures &m) { m.leftInward = 0.09, m.leftSteadiness = 0.3; });
        row("right moves in 9%", g, "Narrow to Wider Right Margin", true,
            [](PageMeasures &m) { m.rightInward = 0.09, m.rightSteadiness = 0.8; });
        row("trend of two lines", g, "Even Margins All Around", true,
            [](PageMeasures &m) { m.leftInward = 0.09, m.leftSteadiness = 1, m.lines = 2; });
        row("left 25%", g, "Wide Left Margin", true, [](PageMeasures &m) { m.left = 0.25; });
        row("left 19%", g, "", false, [](PageMeasures &m) { m.left = 0.19; });
        row("left 25%, not twice the right", g, "", true,
            [](PageMeasures &m) { m.left = 0.25, m.right = 0.14; });
        row("right 25%", g, "Wide Right Margin", true, [](PageMeasures &m) { m.right = 0.25; });
        row("top 21%", g, "Wide Upper Margin", false, [](PageMeasures &m) { m.top = 0.21; });
        row("top 17%", g, "", true, [](PageMeasures &m) { m.top = 0.17; });
        row("bottom 27%", g, "Wide Lower Margin", true, [](PageMeasures &m) { m.bottom = 0.27; });
        row("bottom 34%", g, "Wide Lower Margin", false, [](PageMeasures &m) { m.bottom = 0.34; });
        row("bottom 45%, page not filled", g, "", true, [](PageMeasures &m) { m.bottom = 0.45; });
        row("even, narrowest 4%", g, "", true, [](PageMeasures &m) { m.left = 0.04; });
        row("even, widest 16%", g, "", false, [](PageMeasures &m) { m.top = 0.16; });
        row("even, widest over twice", g, "", true,
            [](PageMeasures &m) { m.left = 0.058, m.right = 0.13; });

        const char *const l = "Line Spacing";
        row("lines plain", l, "Even Line Spacing", true, [](PageMeasures &) {});
        row("overlap 15%", l, "Overlapping", true, [](PageMeasures &m) { m.overlap = 0.15; });
        row("overlap 9.5%", l, "Even Line Spacing", false,
            [](PageMeasures &m) { m.overlap = 0.095; });
        row("pitch 3.1", l, "Narrow Line Spacing", false,
            [](PageMeasures &m) { m.linePitch = 3.1; });
        row("pitch 2.5", l, "Narrow Line Spacing", true,
            [](PageMeasures &m) { m.linePitch = 2.5; });
        row("pitch 3.3", l, "Even Line Spacing", false, [](PageMeasures &m) { m.linePitch = 3.3; });
        row("pitch 8.7", l, "Very Wide Spacing", false, [](PageMeasures &m) { m.linePitch = 8.7; });
        row("pitch 11", l, "Very Wide Spacing", true, [](PageMeasures &m) { m.linePitch = 11; });
        row("pitch 8.3", l, "Wide Line Spacing", false, [](PageMeasures &m) { m.linePitch = 8.3; });
        row("pitch 7", l, "Wide Line Spacing", true, [](PageMeasures &m) { m.linePitch = 7; });
        row("pitch 5.8", l, "Even Line Spacing", false, [](PageMeasures &m) { m.linePitch = 5.8; });
        row("pitch varies 16%", l, "", false, [](PageMeasures &m) { m.linePitchVariation = 0.16; });
        row("pitch varies 25%", l, "", true, [](PageMeasures &m) { m.linePitchVariation = 0.25; });
        row("pitch varies 14%", l, "Even Line Spacing", false,
            [](PageMeasures &m) { m.linePitchVariation = 0.14; });
        row("a single line", l, "", true, [](PageMeasures &m) { m.lines = 1; });

        const char *const w = "Word Spacing";
        row("words plain", w, "Even Spaces", true, [](PageMeasures &) {});
        row("gap 0.4", w, "Small Spaces", true, [](PageMeasures &m) { m.wordGap = 0.4; });
        row("gap 0.58", w, "Small Spaces", false, [](PageMeasures &m) { m.wordGap = 0.58; });
        row("gap 0.63", w, "Even Spaces", false, [](PageMeasures &m) { m.wordGap = 0.63; });
        row("gap 3.2", w, "Very Large Spaces", false, [](PageMeasures &m) { m.wordGap = 3.2; });
        row("gap 2.9", w, "Large Spaces", false, [](PageMeasures &m) { m.wordGap = 2.9; });
        row("gap 2.3", w, "Large Spaces", true, [](PageMeasures &m) { m.wordGap = 2.3; });
        row("gap 1.75", w, "Even Spaces", false, [](PageMeasures &m) { m.wordGap = 1.75; });
        row("spaces vary 80%", w, "Uneven Spaces", true,
            [](PageMeasures &m) { m.wordGapVariation = 0.8; });
        row("spaces vary 58%", w, "Even Spaces", false,
            [](PageMeasures &m) { m.wordGapVariation = 0.58; });
        row("no two words", w, "", true, [](PageMeasures &m) { m.wordGaps = 0; });

        const char *const z = "Size of the Writing";
        row("size plain", z, "", true, [](PageMeasures &) {});
        row("sizes vary 35%", z, "Irregular", true,
            [](PageMeasures &m) { m.sizeVariation = 0.35; });
        row("sizes vary 24%", z, "", false, [](PageMeasures &m) { m.sizeVariation = 0.24; });
        row("x 1.6 mm", z, "Small", true, [](PageMeasures &m) { m.xHeightMm = 1.6; });
        row("x 1.95 mm", z, "Small", false, [](PageMeasures &m) { m.xHeightMm = 1.95; });
        row("x 2.05 mm", z, "", false, [](PageMeasures &m) { m.xHeightMm = 2.05; });
        row("x 1.6 mm, resolution assumed", z, "Small", false,
            [](PageMeasures &m) { m.xHeightMm = 1.6, m.dpiAssumed = true; });
        row("x 5 mm", z, "Tall", true, [](PageMeasures &m) { m.xHeightMm = 5; });
        row("x 3.9 mm", z, "", false, [](PageMeasures &m) { m.xHeightMm = 3.9; });
        row("letters 0.45 wide", z, "Narrow", true,
            [](PageMeasures &m) { m.lettersApart = true, m.letterWidth = 0.45; });
        row("letters 0.58 wide", z, "", false,
            [](PageMeasures &m) { m.lettersApart = true, m.letterWidth = 0.58; });
        row("letters 1.3 wide", z, "Broad", true,
            [](PageMeasures &m) { m.lettersApart = true, m.letterWidth = 1.3; });
        row("joined letters 1.3 wide", z, "", true, [](PageMeasures &m) { m.letterWidth = 1.3; });

        const char *const t = "Letter Spacing";
        row("joined", t, "", true, [](PageMeasures &) {});
        auto apart = [](PageMeasures &m, double gap) {
            m.lettersApart = true, m.joinedShare = 0.1, m.letterGap = gap, m.letterGaps = 200;
        };
        row("letters 0.05 apart", t, "Close Spaced", true,
            [&](PageMeasures &m) { apart(m, 0.05); });
        row("letters 0.105 apart", t, "Normal", false, [&](PageMeasures &m) { apart(m, 0.105); });
        row("letters 0.2 apart", t, "Normal", true, [&](PageMeasures &m) { apart(m, 0.2); });
        row("letters 0.37 apart", t, "Wide Spaced", false,
            [&](PageMeasures &m) { apart(m, 0.37); });
        row("letters 0.5 apart", t, "Wide Spaced", true, [&](PageMeasures &m) { apart(m, 0.5); });
    }

    void borders_decideTheVariation()
    {
        QFETCH(QString, category);
        QFETCH(PageMeasures, measures);
        QFETCH(QString, expected);
        QFETCH(bool, sure);
        const QVector<Finding> findings = judgePage(kb, measures);
        const int c = categoryNamed(kb, category);
        QVERIFY(c >= 0);
        bool seen = false;
        for (const Finding &f : findings) {
            if (f.category != c)
                continue;
            seen = true;
            QCOMPARE(variationName(kb, f), expected);
            QCOMPARE(f.sure, sure);
            QVERIFY(!f.note.isEmpty());
        }
        QVERIFY(seen);
    }

    // Pages written with a known layout, clear of the borders on both sides,
    // in three hands, several of them turned, unevenly lit, on grey or
    // ruled paper.
    void drawnPage_showsItsVariation_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<HandPageLayout>("layout");
        QTest::addColumn<QString>("expected");
        using L = HandPageLayout;
        auto row = [](const char *name, const char *category, const HandPageLayout &layout,
                       const char *expected) {
            QTest::addRow("%s", name)
                << QString::fromLatin1(category) << layout << QString::fromLatin1(expected);
        };
        auto turned = [](L &l, qreal degrees) {
            l.rotation = degrees, l.unevenLight = true, l.paper = QColor(196, 192, 182);
        };
        const char *const s = "Slant";
        row("upright", s, page(Dancing, [](L &l) { l.slant = 0; }), "Vertical Slant");
        row("upright, turned", s, page(Kaushan, [&](L &l) { l.slant = 0, turned(l, 4); }),
            "Vertical Slant");
        row("right 16", s, page(Dancing, [](L &l) { l.slant = 16; }), "Moderate Right Slant");
        row("right 16, ruled", s, page(Kaushan, [](L &l) { l.slant = 16, l.ruled = true; }),
            "Moderate Right Slant");
        row("left 16", s, page(Kaushan, [&](L &l) { l.slant = -16, turned(l, -3); }),
            "Moderate Left Slant");
        row("left 16, other hand", s, page(Dancing, [](L &l) { l.slant = -16; }),
            "Moderate Left Slant");
        row("right 36", s, page(Dancing, [](L &l) { l.slant = 36; }), "Extreme Right Slant");
        row("left 36", s, page(Kaushan, [](L &l) { l.slant = -36, l.ruled = true; }),
            "Extreme Left Slant");
        row("swinging 20", s, page(Dancing, [](L &l) { l.slantSwing = 20; }), "Irregular Slant");
        row("swinging 20, other hand", s,
            page(Kaushan, [](L &l) { l.slant = 0, l.slantSwing = 20; }), "Irregular Slant");

        const char *const g = "Margins";
        row("even", g, page(Dancing, [&](L &l) { turned(l, 5); }), "Even Margins All Around");
        row("even, ruled", g, page(Kaushan, [](L &l) { l.ruled = true; }),
            "Even Margins All Around");
        row("none", g,
            page(Kaushan, [](L &l) { l.leftMm = l.topMm = 1, l.rightMm = -8, l.lineCount = 40; }),
            "No Margins");
        row("wide left", g, page(Dancing, [](L &l) { l.leftMm = 45, l.rightMm = 10; }),
            "Wide Left Margin");
        row("wide left, ruled and turned", g,
            page(Kaushan,
                [&](L &l) { l.leftMm = 45, l.rightMm = 10, l.ruled = true, turned(l, -4); }),
            "Wide Left Margin");
        row("wide right", g, page(Dkg, [](L &l) { l.leftMm = 10, l.rightMm = 48; }),
            "Wide Right Margin");
        row("wide upper", g, page(Dancing, [](L &l) { l.topMm = 60; }), "Wide Upper Margin");
        row("wide lower", g, page(Kaushan, [](L &l) { l.bottomMm = 56; }), "Wide Lower Margin");
        row("page not filled", g, page(Kaushan, [](L &l) { l.bottomMm = 100; }), "");
        row("left moving in", g, page(Dancing, [](L &l) { l.leftDriftMm = 20; }),
            "Narrow to Wider Left Margin");
        row("right moving in", g, page(Kaushan, [](L &l) { l.rightDriftMm = 30; }),
            "Narrow to Wider Right Margin");
        row("left moving in a little", g, page(Dancing, [](L &l) { l.leftDriftMm = 2; }),
            "Even Margins All Around");

        const char *const n = "Line Spacing";
        row("overlapping", n, page(Dancing, [](L &l) { l.linePitch = 1.6; }), "Overlapping");
        row("overlapping, other hand", n, page(Kaushan, [](L &l) { l.linePitch = 1.6; }),
            "Overlapping");
        row("narrow", n, page(Dancing, [](L &l) { l.linePitch = 2.6; }), "Narrow Line Spacing");
        row("narrow, ruled and turned", n,
            page(Kaushan, [&](L &l) { l.linePitch = 2.6, l.ruled = true, turned(l, 3); }),
            "Narrow Line Spacing");
        row("even", n, page(Dancing, [](L &l) { l.linePitch = 4.5; }), "Even Line Spacing");
        row("even, ruled", n, page(Dkg, [](L &l) { l.linePitch = 4.5, l.ruled = true; }),
            "Even Line Spacing");
        row("wide", n, page(Kaushan, [](L &l) { l.linePitch = 7.2; }), "Wide Line Spacing");
        row("very wide", n, page(Dancing, [&](L &l) { l.linePitch = 10.5, turned(l, -5); }),
            "Very Wide Spacing");
        row("uneven", n, page(Dancing, [](L &l) { l.linePitch = 4.5, l.pitchSwing = 0.25; }), "");

        const char *const w = "Word Spacing";
        row("small", w, page(Dancing, [](L &l) { l.wordGap = 0.35; }), "Small Spaces");
        row("small, other hand", w, page(Dkg, [](L &l) { l.wordGap = 0.35; }), "Small Spaces");
        row("even", w, page(Kaushan, [&](L &l) { l.wordGap = 1.1, turned(l, 4); }), "Even Spaces");
        row("large", w, page(Dancing, [](L &l) { l.wordGap = 2.4, l.ruled = true; }),
            "Large Spaces");
        row("very large", w, page(Kaushan, [](L &l) { l.wordGap = 4; }), "Very Large Spaces");
        row("uneven", w, page(Dancing, [](L &l) { l.wordGap = 0.9, l.unevenGaps = true; }),
            "Uneven Spaces");

        const char *const z = "Size of the Writing";
        row("small", z, page(Dancing, [](L &l) { l.xHeightMm = 1.6, l.dpi = 200; }), "Small");
        row("middling", z, page(Kaushan, [](L &l) { l.xHeightMm = 3; }), "");
        row("tall", z, page(Dancing, [&](L &l) { l.xHeightMm = 5, turned(l, 2); }), "Tall");
        row("irregular", z, page(Kaushan, [](L &l) { l.sizeSwing = 0.35; }), "Irregular");
        row("narrow letters", z, page(Dkg, [](L &l) { l.stretch = 0.6; }), "Narrow");
        row("broad letters", z, page(Dkg, [](L &l) { l.stretch = 1.8, l.wordGap = 1.6; }), "Broad");

        const char *const t = "Letter Spacing";
        row("joined", t, page(Dancing, [](L &) {}), "");
        row("close", t, page(Dkg, [](L &l) { l.tracking = -0.05; }), "Close Spaced");
        row("normal", t, page(Dkg, [](L &l) { l.tracking = 0.08; }), "Normal");
        row("wide", t, page(Dkg, [](L &l) { l.tracking = 0.32, l.wordGap = 1.6; }), "Wide Spaced");
    }

    void drawnPage_showsItsVariation()
    {
        QFETCH(QString, category);
        QFETCH(HandPageLayout, layout);
        QFETCH(QString, expected);
        const Result result = analyseImage(drawHandPage(layout));
        QCOMPARE(result.outcome, Outcome::Analysed);
        const Finding *f = findingOf(result, categoryNamed(kb, category));
        QVERIFY(f);
        if (variationName(kb, *f) != expected) {
            QString figures;
            for (const Measure &m : f->measures)
                figures += QStringLiteral(" %1=%2").arg(m.name).arg(m.value);
            qWarning("%s", qPrintable(figures));
        }
        QCOMPARE(variationName(kb, *f), expected);
    }

    // Turning, light, paper tone and rules change no finding and hardly a figure.
    void turnedLitRuledPage_readsAsTheStraightOne_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("rotation");
        QTest::newRow("one hand, turned clockwise") << Dancing << qreal(4.5);
        QTest::newRow("another, turned anticlockwise") << Kaushan << qreal(-5);
    }

    void turnedLitRuledPage_readsAsTheStraightOne()
    {
        QFETCH(QString, family);
        QFETCH(qreal, rotation);
        const HandPageLayout straight = page(family, [](HandPageLayout &) {});
        HandPageLayout turned = straight;
        turned.rotation = rotation;
        turned.unevenLight = turned.ruled = true;
        turned.paper = QColor(190, 186, 178);
        turned.ink = QColor(40, 40, 40);
        const Result a = analyseImage(drawHandPage(straight));
        const Result b = analyseImage(drawHandPage(turned));
        QCOMPARE(b.outcome, Outcome::Analysed);
        QVERIFY2(qAbs(b.rotation - rotation) < 0.2, qPrintable(QString::number(b.rotation)));
        QCOMPARE(b.lines.size(), a.lines.size());
        QVERIFY(qAbs(b.xHeight / a.xHeight - 1) < 0.06);
        for (int i = 0; i < a.findings.size(); ++i) {
            QCOMPARE(b.findings[i].category, a.findings[i].category);
            QCOMPARE(variationName(kb, b.findings[i]), variationName(kb, a.findings[i]));
        }
        const double slantA = measureOf(*findingOf(a, Slant), QStringLiteral("slant_deg"));
        const double slantB = measureOf(*findingOf(b, Slant), QStringLiteral("slant_deg"));
        QVERIFY2(
            qAbs(slantA - slantB) < 3, qPrintable(QStringLiteral("%1 %2").arg(slantA).arg(slantB)));
    }

    // Lines, baselines, middle zone and words where they were written, also
    // on a turned page mapped back onto the picture.
    void geometry_isWhereTheWritingIs_data()
    {
        QTest::addColumn<qreal>("rotation");
        QTest::newRow("straight") << qreal(0);
        QTest::newRow("turned") << qreal(3.5);
    }

    void geometry_isWhereTheWritingIs()
    {
        QFETCH(qreal, rotation);
        HandPageLayout layout = page(Kaushan, [](HandPageLayout &) {});
        layout.rotation = rotation;
        HandPageTruth truth;
        const QImage image = drawHandPage(layout, &truth);
        const Result r = analyseImage(image);
        QCOMPARE(r.outcome, Outcome::Analysed);
        QCOMPARE(r.size, image.size());
        QVERIFY(qAbs(r.xHeight / truth.xHeightPx - 1) < 0.1);
        QCOMPARE(r.lines.size(), truth.baselines.size());
        int words = 0;
        // The drawing turned the page about its centre, as the analysis does.
        for (int i = 0; i < r.lines.size(); ++i) {
            const QPointF middle = r.lines[i].baseline.center();
            QVERIFY2(qAbs(middle.y() - truth.baselines[i]) < 0.25 * truth.xHeightPx,
                qPrintable(QStringLiteral("line %1: %2 against %3")
                               .arg(i)
                               .arg(middle.y())
                               .arg(truth.baselines[i])));
            words += r.lines[i].words.size();
        }
        QVERIFY(qAbs(double(words) / truth.words - 1) < 0.1);
        QVERIFY(qAbs(r.writing.left() - truth.writing.left()) < 3);
        QVERIFY(qAbs(r.writing.right() - truth.writing.right()) < 3);
        QVERIFY(qAbs(r.writing.top() - truth.writing.top()) < 3);
        // The first word's box lies on ink of the picture.
        const QPointF onInk = unturned(r).map(r.lines[0].words[0].box.center());
        QVERIFY(QRectF(image.rect()).contains(onInk));
        QVERIFY(unturned(r).mapRect(r.writing).contains(onInk));
    }

    void commandLine_answersWithItsStatus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("status");
        auto encoded = [](const QImage &image, const char *format) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, format);
            return bytes;
        };
        const QByteArray written = encoded(
            drawHandPage(page(Dancing, [](HandPageLayout &l) { l.lineCount = 4; })), "PNG");
        QImage blank(600, 850, QImage::Format_RGB32);
        blank.fill(QColor(250, 248, 240));
        HandPageLayout grey = page(Dancing, [](HandPageLayout &l) {
            l.lineCount = 0, l.bottomMm = 300, l.unevenLight = true,
            l.paper = QColor(180, 178, 170);
        });
        QImage dusty = drawHandPage(grey);
        {
            QPainter rules(&dusty);
            rules.setPen(QPen(QColor(130, 160, 200), 2));
            for (int y = 60; y < dusty.height(); y += 47)
                rules.drawLine(0, y, dusty.width(), y);
        }
        for (int i = 0; i < 12; ++i)
            dusty.setPixelColor(40 + 37 * i, 90 + 53 * i, QColor(30, 30, 30));
        QTest::newRow("a page of writing") << "page.png" << written << 0;
        QTest::newRow("empty file") << "empty.png" << QByteArray() << 2;
        QTest::newRow("text named as a picture") << "letter.png" << QByteArray("Dear Anna,\n") << 2;
        QTest::newRow("text") << "letter.txt" << QByteArray("Dear Anna,\n") << 2;
        QTest::newRow("unsupported format")
            << "page.pdf" << QByteArray("%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\n") << 2;
        QTest::newRow("cut-off picture") << "cut.png" << written.left(300) << 2;
        QTest::newRow("no such file") << "" << QByteArray() << 2;
        QTest::newRow("blank page") << "blank.png" << encoded(blank, "PNG") << 3;
        QTest::newRow("blank, grey, ruled, dusty page")
            << "dusty.jpg" << encoded(dusty, "JPEG") << 3;
    }

    void commandLine_answersWithItsStatus()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        const QString path = dir.filePath(name.isEmpty() ? QStringLiteral("missing.png") : name);
        if (!name.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(analyseCommand(path, out, err), status);
        if (status == 0) {
            QVERIFY(errText.isEmpty());
            QJsonParseError error;
            const QJsonDocument json = QJsonDocument::fromJson(outText.toUtf8(), &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
            QCOMPARE(json.object().value(QStringLiteral("file")).toString(), path);
        } else {
            QVERIFY(outText.isEmpty());
            QVERIFY(errText.endsWith(QLatin1Char('\n')));
            QCOMPARE(errText.count(QLatin1Char('\n')), 1);
            QVERIFY(errText.contains(path));
        }
    }

    // Every finding names its category and variation as the knowledge base
    // does, in the order of the page's categories.
    void json_namesAreTheKnowledgeBases_data()
    {
        QTest::addColumn<HandPageLayout>("layout");
        QTest::newRow("joined hand") << page(Dancing, [](HandPageLayout &) {});
        QTest::newRow("print hand, wide margin")
            << page(Dkg, [](HandPageLayout &l) { l.leftMm = 45, l.rightMm = 10; });
        QTest::newRow("few words") << page(Kaushan,
            [](HandPageLayout &l) { l.lineCount = 1, l.rightMm = 110, l.slantSwing = 25; });
    }

    void json_namesAreTheKnowledgeBases()
    {
        QFETCH(HandPageLayout, layout);
        const QString path = saved(drawHandPage(layout), QStringLiteral("names.png"));
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(analyseCommand(path, out, err), 0);
        const QJsonObject json = QJsonDocument::fromJson(outText.toUtf8()).object();
        QCOMPARE(json.keys(),
            QStringList({ "dpi", "file", "findings", "height", "width", "x_height_px" }));
        QCOMPARE(json.value(QStringLiteral("dpi")).toDouble(), layout.dpi);
        QVERIFY(json.value(QStringLiteral("x_height_px")).toDouble() > 0);
        const QJsonArray findings = json.value(QStringLiteral("findings")).toArray();
        QCOMPARE(findings.size(), 6);
        for (int i = 0; i < 6; ++i) {
            const QJsonObject f = findings[i].toObject();
            QCOMPARE(
                f.keys(), QStringList({ "category", "measures", "note", "sure", "variation" }));
            const int c = MeasuredCategories[i];
            QCOMPARE(f.value(QStringLiteral("category")).toString(), kb.CategoryNames[size_t(c)]);
            const QJsonValue variation = f.value(QStringLiteral("variation"));
            if (!variation.isNull()) {
                QStringList names;
                for (int v = kb.FirstVariation[size_t(c)]; v <= kb.LastVariation[size_t(c)]; ++v)
                    names << kb.VariationNames[size_t(v)];
                QVERIFY2(names.contains(variation.toString()), qPrintable(variation.toString()));
            }
            QVERIFY(f.value(QStringLiteral("sure")).isBool());
            QVERIFY(!f.value(QStringLiteral("measures")).toObject().isEmpty());
            QVERIFY(!f.value(QStringLiteral("note")).toString().isEmpty());
        }
    }

    // The resolution a file states, or 300 dots per inch where it states
    // none or only a screen's default.
    void formats_readAtTheirResolution_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<qreal>("stated");
        QTest::addColumn<qreal>("expected");
        QTest::newRow("PNG at 150") << QByteArray("png") << qreal(150) << qreal(150);
        QTest::newRow("PNG at a screen's 96") << QByteArray("png") << qreal(96) << qreal(300);
        QTest::newRow("JPEG at 200") << QByteArray("jpg") << qreal(200) << qreal(200);
        QTest::newRow("JPEG at a camera's 72") << QByteArray("jpg") << qreal(72) << qreal(300);
        QTest::newRow("TIFF at 150") << QByteArray("tif") << qreal(150) << qreal(150);
        QTest::newRow("BMP at 150") << QByteArray("bmp") << qreal(150) << qreal(150);
    }

    void formats_readAtTheirResolution()
    {
        QFETCH(QByteArray, format);
        QFETCH(qreal, stated);
        QFETCH(qreal, expected);
        QImage image = drawHandPage(page(Kaushan, [](HandPageLayout &l) { l.lineCount = 6; }));
        image.setDotsPerMeterX(qRound(stated / 0.0254));
        image.setDotsPerMeterY(qRound(stated / 0.0254));
        const QString path = saved(image, QStringLiteral("page.") + format);
        const Result r = analyseFile(path);
        QCOMPARE(r.outcome, Outcome::Analysed);
        QCOMPARE(r.dpi, expected);
        QCOMPARE(r.dpiFromFile, expected == stated);
        // The page was written at 150 dots per inch with a 3 mm middle zone.
        const double mm = measureOf(*findingOf(r, Size), QStringLiteral("x_height_mm"));
        QVERIFY2(qAbs(mm * expected / 150 / 3 - 1) < 0.1, qPrintable(QString::number(mm)));
    }

    // Pictures larger than the working size are read smaller, in formats that
    // decode small and in those that do not, and measured in their own pixels.
    void largePicture_isReadAtABoundedSize_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("JPEG") << QByteArray("jpg");
        QTest::newRow("PNG") << QByteArray("png");
        QTest::newRow("BMP") << QByteArray("bmp");
    }

    void largePicture_isReadAtABoundedSize()
    {
        QFETCH(QByteArray, format);
        HandPageTruth truth;
        const QImage image = drawHandPage(
            page(Dancing, [](HandPageLayout &l) { l.dpi = 300, l.leftMm = 40, l.rightMm = 10; }),
            &truth);
        const QString path = saved(image, QStringLiteral("large.") + format);
        Options options;
        options.workingPixels = 800'000;
        const Result r = analyseFile(path, options);
        QCOMPARE(r.outcome, Outcome::Analysed);
        QCOMPARE(r.size, image.size());
        QCOMPARE(r.dpi, 300.0);
        QVERIFY2(
            qAbs(r.xHeight / truth.xHeightPx - 1) < 0.12, qPrintable(QString::number(r.xHeight)));
        QVERIFY(qAbs(r.writing.left() - truth.writing.left()) < 8);
        QCOMPARE(variationName(kb, *findingOf(r, Margins)), QStringLiteral("Wide Left Margin"));
    }

    // A cancel asked at any stage ends the analysis there; otherwise the
    // progress climbs to 100.
    void cancel_stopsTheAnalysis_data()
    {
        QTest::addColumn<int>("askedBeforeCancel");
        QTest::newRow("at once") << 0;
        QTest::newRow("after the ink") << 1;
        QTest::newRow("after the turn") << 2;
        QTest::newRow("in the layout") << 4;
        QTest::newRow("never") << 1000;
    }

    void cancel_stopsTheAnalysis()
    {
        QFETCH(int, askedBeforeCancel);
        const QImage image = drawHandPage(
            page(Kaushan, [](HandPageLayout &l) { l.lineCount = 5, l.rotation = 2; }));
        int asked = 0;
        QVector<int> progress;
        Options options;
        options.cancelled = [&] { return asked++ >= askedBeforeCancel; };
        options.progress = [&](int percent) { progress << percent; };
        const Result r = analyseImage(image, options);
        const bool cancels = askedBeforeCancel < 1000;
        QCOMPARE(r.outcome, cancels ? Outcome::Cancelled : Outcome::Analysed);
        QCOMPARE(r.findings.isEmpty(), cancels);
        QVERIFY(std::is_sorted(progress.begin(), progress.end()));
        QCOMPARE(!progress.isEmpty() && progress.last() == 100, !cancels);
    }
};

QTEST_MAIN(TestPageAnalysis)
#include "test_pageanalysis.moc"
