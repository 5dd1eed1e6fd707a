#include "InkMeasure.h"

#include "knowledge/KnowledgeBase.h"
#include "learning/PictureList.h"

#include <QDir>
#include <QImageReader>
#include <QTest>

#include <algorithm>

namespace {

const QSize PictureSize(118, 131);

QString pictureFolder()
{
    return QStringLiteral(QUILLMERE_SOURCE_DIR "/assets/pictures");
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { knowledge.LoadKnowledgeBase(); }

    void everyKeyHasA118By131JpegFile_data();
    void everyKeyHasA118By131JpegFile();
    void programLoadsEveryPictureAtItsPosition_data();
    void programLoadsEveryPictureAtItsPosition();

    void slantGrowsFromExtremeLeftToExtremeRight();
    void irregularSlantLeansBothWays();
    void wideLeftMarginIsWiderThanEvenMargins();
    void linePitchGrowsFromNarrowToVeryWideSpacing();
    void inkStaysOffTheBorder_data();
    void inkStaysOffTheBorder();

private:
    // The committed picture of the variation with this name.
    QImage pictureOf(const QString &variation) const;

    KnowledgeBase knowledge;
};

QImage PicturesTest::pictureOf(const QString &variation) const
{
    for (int v = 0; v < KnowledgeBase::VariationCount; ++v) {
        if (knowledge.VariationNames[v] == variation)
            return QImage(QDir(pictureFolder()).filePath(KnowledgeBase::pictureKey(v + 1)));
    }
    return {};
}

static void addEveryPosition()
{
    QTest::addColumn<int>("position");
    for (int position = 1; position <= KnowledgeBase::PictureCount; ++position)
        QTest::newRow(qPrintable(KnowledgeBase::pictureKey(position))) << position;
}

void PicturesTest::everyKeyHasA118By131JpegFile_data()
{
    addEveryPosition();
}

void PicturesTest::everyKeyHasA118By131JpegFile()
{
    QFETCH(int, position);
    QImageReader reader(QDir(pictureFolder()).filePath(KnowledgeBase::pictureKey(position)));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage picture = reader.read();
    QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(picture.size(), PictureSize);
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
}

void PicturesTest::wideLeftMarginIsWiderThanEvenMargins()
{
    const int wide = InkMeasure::leftmostInkColumn(pictureOf("Wide Left Margin"));
    const int even = InkMeasure::leftmostInkColumn(pictureOf("Even Margins All Around"));
    const int none = InkMeasure::leftmostInkColumn(pictureOf("No Margins"));
    QVERIFY2(wide >= even + 15, qPrintable(QStringLiteral("wide %1, even %2").arg(wide).arg(even)));
    QVERIFY2(none < even, qPrintable(QStringLiteral("none %1, even %2").arg(none).arg(even)));
}

void PicturesTest::linePitchGrowsFromNarrowToVeryWideSpacing()
{
    const QStringList order { "Narrow Line Spacing", "Even Line Spacing", "Wide Line Spacing",
        "Very Wide Spacing" };
    QVector<double> pitches;
    for (const QString &name : order)
        pitches << InkMeasure::linePitch(pictureOf(name));
    for (int i = 1; i < pitches.size(); ++i) {
        QVERIFY2(pitches[i] >= pitches[i - 1] + 3,
            qPrintable(QStringLiteral("%1 every %2 px, %3 every %4 px")
                           .arg(order[i - 1])
                           .arg(pitches[i - 1])
                           .arg(order[i])
                           .arg(pitches[i])));
    }
}

void PicturesTest::inkStaysOffTheBorder_data()
{
    // Every picture leaves paper (or the desk) along its edges; only "No
    // Margins" writes to the edge of its page, which still lies on the desk.
    addEveryPosition();
}

void PicturesTest::inkStaysOffTheBorder()
{
    QFETCH(int, position);
    const QImage picture(QDir(pictureFolder()).filePath(KnowledgeBase::pictureKey(position)));
    QVERIFY(!picture.isNull());
    QVERIFY2(InkMeasure::inkAtBorder(picture, 3) < 0.3, "ink within 3 px of the edge");
}

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
