#include "PageAnalysis.h"

#include "Findings.h"
#include "InkMap.h"
#include "Layout.h"
#include "Picture.h"
#include "knowledge/KnowledgeBase.h"

#include <cmath>

namespace PageAnalysis {

namespace {

QRectF scaled(const QRectF &r, double f)
{
    return QRectF(r.x() * f, r.y() * f, r.width() * f, r.height() * f);
}

// Writing needs a line with a middle zone at least 0.8 mm tall and three
// x-heights of it along the line; dust and stains have neither.
bool holdsWriting(const PageLayout &layout, double pxPerMm)
{
    if (layout.xHeight < 0.8 * pxPerMm)
        return false;
    for (const LineShape &line : layout.lines) {
        double along = 0;
        for (const WordShape &word : line.words)
            along += word.right - word.left;
        if (along >= 3 * line.xHeight)
            return true;
    }
    return false;
}

void placeGeometry(const InkMap &map, const PageLayout &layout, double toPicture, Result &result)
{
    result.rotation = map.rotation;
    result.xHeight = layout.xHeight * toPicture;
    result.paper = scaled(QRectF(map.paper), toPicture);
    result.writing = scaled(layout.writing, toPicture);
    for (const LineShape &shape : layout.lines) {
        Line line;
        const double left = shape.box.left(), right = shape.box.right();
        line.baseline = QLineF(left * toPicture, shape.baselineAt(left) * toPicture,
            right * toPicture, shape.baselineAt(right) * toPicture);
        line.xHeight = shape.xHeight * toPicture;
        line.box = scaled(shape.box, toPicture);
        for (const WordShape &shapeOfWord : shape.words)
            line.words.push_back({ scaled(shapeOfWord.box, toPicture), shapeOfWord.slant,
                shapeOfWord.xHeight * toPicture });
        result.lines.push_back(line);
    }
}

Result analyseWorking(WorkingPicture picture, const Options &options)
{
    Result result;
    result.size = picture.size;
    result.dpi = picture.dpi;
    result.dpiFromFile = picture.dpiFromFile;
    if (!picture.error.isEmpty()) {
        result.message = picture.error;
        return result;
    }
    auto progress = [&options](int percent) {
        if (options.progress)
            options.progress(percent);
    };
    result.outcome = Outcome::Cancelled;
    progress(20);
    const double pxPerMm = picture.dpi * picture.scale / 25.4;
    InkMap map;
    if ((options.cancelled && options.cancelled())
        || !findInk(picture.grey, pxPerMm, options.cancelled, &map))
        return result;
    picture.grey = Grey();
    progress(50);
    PageLayout layout;
    if (!layOut(map, pxPerMm, options.cancelled, &layout))
        return result;
    progress(90);
    if (!holdsWriting(layout, pxPerMm)) {
        result.outcome = Outcome::NoWriting;
        result.message = QStringLiteral("no writing found on the page");
        return result;
    }
    KnowledgeBase kb;
    kb.LoadKnowledgeBase();
    PageMeasures measures = measurePage(map, layout, pxPerMm);
    measures.dpiAssumed = !picture.dpiFromFile;
    result.findings = judgePage(kb, measures);
    placeGeometry(map, layout, 1 / picture.scale, result);
    result.outcome = Outcome::Analysed;
    progress(100);
    return result;
}

} // namespace

QTransform unturned(const Result &result)
{
    const QPointF centre(result.size.width() / 2.0, result.size.height() / 2.0);
    return QTransform()
        .translate(centre.x(), centre.y())
        .rotate(result.rotation)
        .translate(-centre.x(), -centre.y());
}

Result analyseFile(const QString &file, const Options &options)
{
    if (options.progress)
        options.progress(0);
    return analyseWorking(readPicture(file, options.workingPixels), options);
}

Result analyseImage(const QImage &image, const Options &options)
{
    if (image.isNull()) {
        Result result;
        result.message = QStringLiteral("no picture");
        return result;
    }
    return analyseWorking(workingPicture(image, options.workingPixels), options);
}

} // namespace PageAnalysis
