#include "InkMeasure.h"

#include "knowledge/KnowledgeBase.h"
#include "learning/PictureList.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTest>

#include <algorithm>

namespace {

const QSize PictureSize(118, 131);
// Each picture comes for screens of one, two and three device pixels per
// pixel, named as Qt looks for them.
constexpr int Scales = 3;
// All the pictures together stay small enough to ship in the program.
constexpr qint64 MaxTotalBytes = 4 * 1000 * 1000;

QString pictureFolder()
{
    return QStringLiteral(QUILLMERE_SOURCE_DIR "/assets/pictures");
}

// "01 margin_1.jpg", "01 margin_1@2x.jpg", "01 margin_1@3x.jpg".
QString scaledKey(int position, int scale)
{
    const QString key = KnowledgeBase::pictureKey(position);
    return scale == 1 ? key : key.chopped(4) + QStringLiteral("@%1x.jpg").arg(scale);
}

QImage picture(int position, int scale)
{
    return QImage(QDir(pictureFolder()).filePath(scaledKey(position, scale)));
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { knowledge.LoadKnowledgeBase(); }

    void everyKeyHasAJpegFileAtEveryScale_data();
    void everyKeyHasAJpegFileAtEveryScale();
    void everyScaleDrawsTheSamePicture_data();
    void everyScaleDrawsTheSamePicture();
    void allPicturesTogetherStayUnderFourMegabytes();
    void programLoadsEveryPictureAtItsPosition_data();
    void programLoadsEveryPictureAtItsPosition();

    void slantGrowsFromExtremeLeftToExtremeRight();
    void irregularSlantLeansBothWays();
    void wideLeftMarginIsWiderThanEvenMargins();
    void noMarginsWritesWholeLettersToEveryEdgeOfThePage();
    void evenMarginsAreAlikeOnAllFourSides();
    void linePitchGrowsFromNarrowToVeryWideSpacing();
    void inkStaysOffTheBorder_data();
    void inkStaysOffTheBorder();
    void confusableVariationsDifferClearly_data();
    void confusableVariationsDifferClearly();

private:
    // The committed picture of the variation with this name.
    QImage pictureOf(const QString &variation, int scale = 1) const;

    KnowledgeBase knowledge;
};

QImage PicturesTest::pictureOf(const QString &variation, int scale) const
{
    for (int v = 0; v < KnowledgeBase::VariationCount; ++v) {
        if (knowledge.VariationNames[v] == variation)
            return picture(v + 1, scale);
    }
    return {};
}

static void addEveryPosition()
{
    QTest::addColumn<int>("position");
    for (int position = 1; position <= KnowledgeBase::PictureCount; ++position)
        QTest::newRow(qPrintable(KnowledgeBase::pictureKey(position))) << position;
}

static void addEveryPositionAndScale()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("scale");
    for (int position = 1; position <= KnowledgeBase::PictureCount; ++position)
        for (int scale = 1; scale <= Scales; ++scale)
            QTest::newRow(qPrintable(scaledKey(position, scale))) << position << scale;
}

void PicturesTest::everyKeyHasAJpegFileAtEveryScale_data()
{
    addEveryPositionAndScale();
}

void PicturesTest::everyKeyHasAJpegFileAtEveryScale()
{
    QFETCH(int, position);
    QFETCH(int, scale);
    QImageReader reader(QDir(pictureFolder()).filePath(scaledKey(position, scale)));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage read = reader.read();
    QVERIFY2(!read.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(read.size(), PictureSize * scale);
}

void PicturesTest::everyScaleDrawsTheSamePicture_data()
{
    addEveryPosition();
}

void PicturesTest::everyScaleDrawsTheSamePicture()
{
    // Brought down to one device pixel per pixel, the pictures for denser
    // screens show the same writing as the plain one, in the same place: far
    // closer to it than the same writing moved by a single pixel.
    QFETCH(int, position);
    const QImage plain = picture(position, 1);
    for (int scale = 2; scale <= Scales; ++scale) {
        const QImage reduced
            = picture(position, scale)
                  .scaled(PictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double same = InkMeasure::toneDifference(plain, reduced);
        const double moved = InkMeasure::toneDifference(plain, reduced, 1);
        QVERIFY2(same < 0.03 && same < 0.6 * moved,
            qPrintable(QStringLiteral("@%1x differs by %2, by %3 when moved a pixel")
                           .arg(scale)
                           .arg(same)
                           .arg(moved)));
    }
}

void PicturesTest::allPicturesTogetherStayUnderFourMegabytes()
{
    qint64 total = 0;
    for (int position = 1; position <= KnowledgeBase::PictureCount; ++position)
        for (int scale = 1; scale <= Scales; ++scale)
            total += QFileInfo(QDir(pictureFolder()).filePath(scaledKey(position, scale))).size();
    QVERIFY2(total < MaxTotalBytes, qPrintable(QStringLiteral("%1 bytes").arg(total)));
}

void PicturesTest::programLoadsEveryPictureAtItsPosition_data()
{
    addEveryPosition();
}

void PicturesTest::programLoadsEveryPictureAtItsPosition()
{
    QFETCH(int, position);
    const QPixmap pixmap = PictureList().picture(position);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), PictureSize);
}

void PicturesTest::slantGrowsFromExtremeLeftToExtremeRight()
{
    const QStringList order { "Extreme Left Slant", "Moderate Left Slant", "Vertical Slant",
        "Moderate Right Slant", "Extreme Right Slant" };
    QVector<double> angles;
    for (const QString &name : order)
        angles << InkMeasure::slant(pictureOf(name));
    for (int i = 1; i < angles.size(); ++i) {
        QVERIFY2(angles[i] >= angles[i - 1] + 8,
            qPrintable(QStringLiteral("%1 leans %2 degrees, %3 leans %4")
                           .arg(order[i - 1])
                           .arg(angles[i - 1])
                           .arg(order[i])
                           .arg(angles[i])));
    }
    QVERIFY(qAbs(angles[2]) <= 8);
    // A moderate left slant leans clearly away from upright, yet far less
    // than an extreme one.
    QVERIFY2(angles[1] <= -15 && angles[1] >= angles[0] + 12,
        qPrintable(
            QStringLiteral("moderate left %1, extreme left %2").arg(angles[1]).arg(angles[0])));
    QVERIFY(angles[0] <= -30);
    QVERIFY(angles[4] >= 30);
}

void PicturesTest::irregularSlantLeansBothWays()
{
    // Each line of the irregular sample, measured on its own, leans a
    // different way from at least one other.
    const QImage picture = pictureOf("Irregular Slant");
    QVector<double> angles;
    for (int top = 0; top + 36 <= picture.height(); top += 18)
        angles << InkMeasure::slant(picture.copy(0, top, picture.width(), 36));
    const auto [low, high] = std::minmax_element(angles.begin(), angles.end());
    QVERIFY2(*high - *low >= 12, qPrintable(QStringLiteral("from %1 to %2").arg(*low).arg(*high)));
    // As many words lean forwards as backwards: taken together the hand
    // stands about upright, far from the steady backward lean of a moderate
    // left slant.
    const double overall = InkMeasure::slant(picture);
    const double left = InkMeasure::slant(pictureOf("Moderate Left Slant"));
    QVERIFY2(qAbs(overall) <= 6 && overall >= left + 15,
        qPrintable(QStringLiteral("irregular %1, moderate left %2").arg(overall).arg(left)));
}

void PicturesTest::wideLeftMarginIsWiderThanEvenMargins()
{
    const int wide = InkMeasure::leftmostInkColumn(pictureOf("Wide Left Margin"));
    const int even = InkMeasure::leftmostInkColumn(pictureOf("Even Margins All Around"));
    const int none = InkMeasure::leftmostInkColumn(pictureOf("No Margins"));
    QVERIFY2(wide >= even + 15, qPrintable(QStringLiteral("wide %1, even %2").arg(wide).arg(even)));
    QVERIFY2(none < even, qPrintable(QStringLiteral("none %1, even %2").arg(none).arg(even)));
}

void PicturesTest::noMarginsWritesWholeLettersToEveryEdgeOfThePage()
{
    // The writing comes within a few pixels of each edge of the page, yet the
    // outermost pixels of the page stay clear: no letter is cut in half.
    const QImage picture = pictureOf("No Margins", 2);
    const QRect sheet = InkMeasure::page(picture);
    QVERIFY2(sheet.width() > 180 && sheet.height() > 200, "no page on the desk");
    QRect inked;
    for (int y = sheet.top(); y <= sheet.bottom(); ++y)
        for (int x = sheet.left(); x <= sheet.right(); ++x)
            if (InkMeasure::ink(picture, x, y) > 0.5)
                inked = inked.united(QRect(x, y, 1, 1));
    const int gaps[4] = { inked.left() - sheet.left(), sheet.right() - inked.right(),
        inked.top() - sheet.top(), sheet.bottom() - inked.bottom() };
    for (int gap : gaps)
        QVERIFY2(gap >= 1 && gap <= 8,
            qPrintable(QStringLiteral("page %1,%2 to %3,%4, writing %5,%6 to %7,%8")
                           .arg(sheet.left())
                           .arg(sheet.top())
                           .arg(sheet.right())
                           .arg(sheet.bottom())
                           .arg(inked.left())
                           .arg(inked.top())
                           .arg(inked.right())
                           .arg(inked.bottom())));
}

void PicturesTest::evenMarginsAreAlikeOnAllFourSides()
{
    // The white between the writing and each edge of the page is much the
    // same on every side, and far from none.
    const QImage picture = pictureOf("Even Margins All Around", 2);
    const QRect sheet = InkMeasure::page(picture);
    QRect inked;
    for (int y = sheet.top(); y <= sheet.bottom(); ++y)
        for (int x = sheet.left(); x <= sheet.right(); ++x)
            if (InkMeasure::ink(picture, x, y) > 0.5)
                inked = inked.united(QRect(x, y, 1, 1));
    const int gaps[4] = { inked.left() - sheet.left(), sheet.right() - inked.right(),
        inked.top() - sheet.top(), sheet.bottom() - inked.bottom() };
    const auto [narrowest, widest] = std::minmax_element(std::begin(gaps), std::end(gaps));
    QVERIFY2(*narrowest >= 14 && *widest <= *narrowest + 8,
        qPrintable(QStringLiteral("left %1, right %2, top %3, bottom %4")
                       .arg(gaps[0])
                       .arg(gaps[1])
                       .arg(gaps[2])
                       .arg(gaps[3])));
}

void PicturesTest::linePitchGrowsFromNarrowToVeryWideSpacing()
{
    const QStringList order { "Narrow Line Spacing", "Even Line Spacing", "Wide Line Spacing",
        "Very Wide Spacing" };
    QVector<double> pitches;
    for (const QString &name : order)
        pitches << InkMeasure::linePitch(pictureOf(name));
    for (int i = 1; i < pitches.size(); ++i) {
        QVERIFY2(pitches[i] >= pitches[i - 1] + 4,
            qPrintable(QStringLiteral("%1 every %2 px, %3 every %4 px")
                           .arg(order[i - 1])
                           .arg(pitches[i - 1])
                           .arg(order[i])
                           .arg(pitches[i])));
    }
}

void PicturesTest::inkStaysOffTheBorder_data()
{
    // Every picture leaves paper (or the desk) along its edges; "No Margins"
    // writes to the edges of its page, which still lies on the desk.
    addEveryPositionAndScale();
}

void PicturesTest::inkStaysOffTheBorder()
{
    QFETCH(int, position);
    QFETCH(int, scale);
    const QImage drawn = picture(position, scale);
    QVERIFY(!drawn.isNull());
    QVERIFY2(InkMeasure::inkAtBorder(drawn, 3 * scale) < 0.3, "ink within 3 px of the edge");
}

void PicturesTest::confusableVariationsDifferClearly_data()
{
    // For each pair of variations that a learner could mix up, a feature
    // measured from the pixels of the pictures for screens of scale 2 (an
    // x-height of about 19 pixels in the samples about one letter) is far
    // larger in the first than in the second: at least `ratio` times and
    // `margin` more.
    QTest::addColumn<QString>("measure");
    QTest::addColumn<QString>("larger");
    QTest::addColumn<QString>("smaller");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("margin");
    auto row = [](const char *name, const char *measure, const char *larger, const char *smaller,
                   double ratio, double margin) {
        QTest::newRow(name) << measure << larger << smaller << ratio << margin;
    };
    row("i-dot: directly above stands off higher than just above", "dot gap",
        "Round and Directly Above the Stem", "Round and Just Above the Stem", 2.5, 4);
    row("i-dot: high above stands off higher than directly above", "dot gap",
        "Round and High Above the Stem", "Round and Directly Above the Stem", 1.5, 10);
    // With no dots the gap measures -1: a dot just above leaves at least
    // four pixels of white between itself and the stem.
    row("i-dot: a dot just above still stands clear of the stem", "dot gap",
        "Round and Just Above the Stem", "Absent Dot", 1, 5);
    row("e: a narrow loop keeps white inside, no loop none", "hole area", "Narrow Loop", "No Loop",
        1, 30);
    row("e: a narrow loop keeps white inside, a Greek e none", "hole area", "Narrow Loop",
        "Greek \"E\"", 1, 30);
    row("e: a broad loop holds far more white than a narrow one", "added hole area", "Broad Loop",
        "Narrow Loop", 1, 100);
    row("e: a Greek e has two bowls where no loop has a single stroke", "ink", "Greek \"E\"",
        "No Loop", 1.15, 0);
    row("m: sharp humps come to a point, even humps are round", "peak sharpness", "Sharp Humps",
        "Even Humps", 3, 0);
    row("m: down humps step lower from the first hump to the next, even humps stay level",
        "top step", "Down Humps", "Even Humps", 1, 3);
    row("m: rounded humps open wide under their arches, even humps less so", "counter width",
        "Rounded Humps", "Even Humps", 1.4, 0);
    row("capital I: an upright loop is a full one, a deflated one has collapsed", "added hole area",
        "Vertical", "Deflated Loop", 1, 80);
    row("capital I: an inflated loop holds far more white than an upright one", "added hole area",
        "Inflated Loop", "Vertical", 3, 100);
    row("capital I: an inflated loop holds far more white than a deflated one", "added hole area",
        "Inflated Loop", "Deflated Loop", 4, 100);
    row("o: an inner loop adds a hole to every o", "hole count", "One Inner Loop",
        "Closed at the Top with No Loops", 1, 4);
    row("o: a closed o holds white, an open one lets it out", "hole count",
        "Closed at the Top with No Loops", "Open at the Top", 1, 4);
    row("d: a pointed stem opens into a narrow peak", "row span", "Pointed", "Higher than Normal",
        1.5, 0);
    row("t: a retraced stem is drawn twice over", "ink", "Retraced Stem", "Normal Stem", 1.2, 0);
    row("t: the two strokes of a retraced stem stand apart across it", "row span", "Retraced Stem",
        "Normal Stem", 1.4, 0);
    row("t: a looped stem keeps white inside", "hole area", "Looped Stem", "Retraced Stem", 1, 40);
    row("g and y: an open loop turns back up, a left arc sweeps on", "tail upturn", "Open Loop",
        "Left Arc", 1.5, 6);
    row("letter spacing: normal letters stand well apart from close ones", "letter gap", "Normal",
        "Close Spaced", 1.2, 0);
    row("word spacing: large spaces are clearly wider than even ones", "word gap", "Large Spaces",
        "Even Spaces", 1.6, 0);
    row("beginning stroke: a stroke from below the baseline starts far lower than an unbending one",
        "start depth", "Long & Below Baseline Stroke", "Unbending", 1.7, 0);
    row("ending stroke: a blunt end keeps the full pen width, a tapered one thins to a point",
        "end thickness", "Long, Blunt & Upward-tending", "Upward-tending & Tapered", 1.7, 0);
    row("g and y: a broad loop holds far more white than a rounded one", "hole area",
        "Broad & Full Loop", "Rounded Full Loop", 1.8, 0);
    row("g and y: a rounded loop closes round its white, an open loop lets it out",
        "added hole area", "Rounded Full Loop", "Open Loop", 1, 250);
    row("g and y: a cramped loop still closes round a little white, a blunt stroke has none",
        "added hole area", "Small & Cramped Loop", "Blunt Down Stroke", 1, 70);
    row("size: broad letters open far wider than tall ones", "counter gap", "Broad", "Tall", 1.4,
        0);
    row("beginning stroke: a stroke from below the baseline starts far lower than a long curved "
        "one",
        "start depth", "Long & Below Baseline Stroke", "Long & Curved", 1.25, 0);
}

void PicturesTest::confusableVariationsDifferClearly()
{
    QFETCH(QString, measure);
    QFETCH(QString, larger);
    QFETCH(QString, smaller);
    QFETCH(double, ratio);
    QFETCH(double, margin);
    const QImage a = pictureOf(larger, 2), b = pictureOf(smaller, 2);
    QVERIFY(!a.isNull() && !b.isNull());
    // The letters that show the feature: where the two pictures differ.
    const QVector<QRect> regions = InkMeasure::differingRegions(a, b, 12);
    QVERIFY2(!regions.isEmpty(), "the two pictures are the same");
    auto measured = [&](const QImage &picture) -> double {
        if (measure == QLatin1String("dot gap"))
            return InkMeasure::dotGap(picture, pictureOf(QStringLiteral("Absent Dot"), 2));
        if (measure == QLatin1String("hole area"))
            return InkMeasure::holes(picture, 4).area;
        if (measure == QLatin1String("added hole area"))
            return InkMeasure::addedHoleArea(picture, &picture == &a ? b : a, regions, 4);
        if (measure == QLatin1String("hole count"))
            return InkMeasure::holes(picture, 4).count;
        if (measure == QLatin1String("ink"))
            return InkMeasure::inkIn(picture, regions);
        if (measure == QLatin1String("counter width"))
            return InkMeasure::wideCounterWidth(picture, regions);
        if (measure == QLatin1String("top step"))
            return InkMeasure::topStep(picture, regions);
        if (measure == QLatin1String("peak sharpness"))
            return InkMeasure::peakSharpness(picture, regions, 4);
        if (measure == QLatin1String("row span"))
            return InkMeasure::rowSpan(picture, regions);
        if (measure == QLatin1String("letter gap"))
            return InkMeasure::gapWidth(picture, regions, 1);
        if (measure == QLatin1String("counter gap"))
            return InkMeasure::gapWidth(picture, regions, 1, true);
        if (measure == QLatin1String("word gap"))
            return InkMeasure::gapWidth(picture, regions, 9, true);
        if (measure == QLatin1String("stroke width"))
            return InkMeasure::medianRunWidth(picture, regions);
        if (measure == QLatin1String("start depth"))
            return InkMeasure::startDepth(picture, regions);
        if (measure == QLatin1String("end thickness"))
            return InkMeasure::endThickness(picture, regions);
        return InkMeasure::tailUpturn(picture, regions);
    };
    const double high = measured(a), low = measured(b);
    QVERIFY2(high >= low * ratio + margin,
        qPrintable(QStringLiteral("%1: %2 for %3, %4 for %5")
                       .arg(measure)
                       .arg(high)
                       .arg(larger)
                       .arg(low)
                       .arg(smaller)));
}

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
