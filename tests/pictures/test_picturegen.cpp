#include "knowledge/KnowledgeBase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The pictures are drawn from seeds of their own, so the generator must give
// the committed files again, bit for bit.
class PictureGeneratorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void redrawingGivesTheCommittedFiles_data();
    void redrawingGivesTheCommittedFiles();
    void writesNothingButThePictures();

private:
    QTemporaryDir output;
};

void PictureGeneratorTest::initTestCase()
{
    QVERIFY(output.isValid());
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    generator.start(QStringLiteral(QUILLMERE_PICTUREGEN), { output.path() });
    QVERIFY(generator.waitForFinished(110000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(generator.exitCode(), 0);
}

void PictureGeneratorTest::redrawingGivesTheCommittedFiles_data()
{
    // Every picture at each of its three scales.
    QTest::addColumn<QString>("key");
    for (int position = 1; position <= KnowledgeBase::PictureCount; ++position) {
        const QString key = KnowledgeBase::pictureKey(position);
        for (const QString &name : { key, key.chopped(4) + QStringLiteral("@2x.jpg"),
                 key.chopped(4) + QStringLiteral("@3x.jpg") })
            QTest::newRow(qPrintable(name)) << name;
    }
}

void PictureGeneratorTest::redrawingGivesTheCommittedFiles()
{
    QFETCH(QString, key);
    QFile committed(QStringLiteral(QUILLMERE_SOURCE_DIR "/assets/pictures/") + key);
    QFile drawn(QDir(output.path()).filePath(key));
    QVERIFY2(committed.open(QIODevice::ReadOnly), qPrintable(committed.fileName()));
    QVERIFY2(drawn.open(QIODevice::ReadOnly), qPrintable(drawn.fileName()));
    QVERIFY2(committed.readAll() == drawn.readAll(), "the drawing differs from the committed file");
}

void PictureGeneratorTest::writesNothingButThePictures()
{
    QCOMPARE(QDir(output.path()).entryList(QDir::Files).size(), 3 * KnowledgeBase::PictureCount);
}

QTEST_GUILESS_MAIN(PictureGeneratorTest)
#include "test_picturegen.moc"
