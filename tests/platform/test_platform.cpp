#include "shell/QtPlatform.h"
#include "tests/support/RecordingPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <unistd.h>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void standIn_usesEachScriptedAnswerOnceAndRecordsInOrder()
    {
        RecordingPlatform platform;
        platform.scriptAnswers({ Platform::Answer::Yes });
        QCOMPARE(platform.messageBox(QStringLiteral("first"), QStringLiteral("Quillmere"),
                     Platform::Icon::Information, Platform::Buttons::YesNo),
            Platform::Answer::Yes);
        platform.openWebAddress(QStringLiteral("https://example.org/"));
        // The script is used up: a Yes/No box now gets No, never a hang.
        QCOMPARE(platform.messageBox(QStringLiteral("second"), QStringLiteral("Quillmere"),
                     Platform::Icon::Critical, Platform::Buttons::YesNo),
            Platform::Answer::No);
        QCOMPARE(platform.calls,
            QStringList({ QStringLiteral("messageBox: first"),
                QStringLiteral("openWebAddress: https://example.org/"),
                QStringLiteral("messageBox: second") }));
        QCOMPARE(platform.messageBoxes.at(1).icon, Platform::Icon::Critical);
        QCOMPARE(platform.scriptedAnswersLeft(), 0);
    }

    void standIn_keepsSettingsAndReportsAnUnreadableStore()
    {
        RecordingPlatform platform;
        QCOMPARE(
            platform.readSetting(QStringLiteral("a"), QStringLiteral("s"), QStringLiteral("k")),
            std::optional<QString>(QString()));
        QVERIFY(platform.writeSetting(
            QStringLiteral("a"), QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QCOMPARE(
            platform.readSetting(QStringLiteral("a"), QStringLiteral("s"), QStringLiteral("k")),
            std::optional<QString>(QStringLiteral("v")));
        platform.settingsReadable = false;
        QVERIFY(
            !platform.readSetting(QStringLiteral("a"), QStringLiteral("s"), QStringLiteral("k")));
    }

    void qtSettings_roundTripAndReadEmptyWhenAbsent()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        QtPlatform platform;
        QCOMPARE(platform.readSetting(
                     QStringLiteral("quillmere"), QStringLiteral("Settings"), QStringLiteral("x")),
            std::optional<QString>(QString()));
        QVERIFY(platform.writeSetting(QStringLiteral("quillmere"), QStringLiteral("Settings"),
            QStringLiteral("x"), QStringLiteral("a=b, c;d")));
        QCOMPARE(platform.readSetting(
                     QStringLiteral("quillmere"), QStringLiteral("Settings"), QStringLiteral("x")),
            std::optional<QString>(QStringLiteral("a=b, c;d")));
    }

    void qtLock_refusesWhileHeldAndTakesOverAStaleOne()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        {
            QtPlatform first;
            QVERIFY(first.acquireSingleInstanceLock());
            // A lock file held by a live process (this one, through another
            // handle) refuses a second copy.
            QLockFile other(QtPlatform::lockFilePath());
            QVERIFY(!other.tryLock(0));
        }
        // The holder is gone: a new start takes the lock.
        QtPlatform next;
        QVERIFY(next.acquireSingleInstanceLock());
    }

    void qtLock_leftBehindOrPlanted_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("old");
        QTest::addColumn<bool>("othersFile");
        QTest::addColumn<bool>("starts");
        const QByteArray live = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
            + QCoreApplication::applicationName().toUtf8() + '\n'
            + QSysInfo::machineHostName().toUtf8() + '\n';
        QTest::addRow("empty, left by a copy that died") << QByteArray() << true << false << true;
        QTest::addRow("garbage") << QByteArray("\x01\x02 not a lock") << true << false << true;
        QTest::addRow("empty, a copy is writing it") << QByteArray() << false << false << false;
        QTest::addRow("a live copy's") << live << true << false << false;
        QTest::addRow("a live copy's, but not the user's file") << live << true << true << true;
    }
    void qtLock_leftBehindOrPlanted()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, old);
        QFETCH(bool, othersFile);
        QFETCH(bool, starts);
        if (othersFile && ::getuid() != 0)
            QSKIP("giving a file to another user needs root");
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QFile lock(QtPlatform::lockFilePath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.flush();
        if (old)
            QVERIFY(lock.setFileTime(
                QDateTime(QDate(2020, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
        lock.close();
        if (othersFile)
            QCOMPARE(::chown(QFile::encodeName(lock.fileName()).constData(), 65534, 65534), 0);
        QtPlatform platform;
        QCOMPARE(platform.acquireSingleInstanceLock(), starts);
    }

    void qtLock_unreadableLockIsDeadOnlyOnceItIsOld()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("lock"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QDateTime made(QDate(2024, 5, 1), QTime(9, 0));
        QVERIFY(file.setFileTime(made, QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(!QtPlatform::isDeadLock(path, made.addSecs(1)));
        QVERIFY(QtPlatform::isDeadLock(path, made.addSecs(60)));
    }

    void qtLock_withoutARuntimeFolder_isTheUsersOwnInTheTemporaryFolder()
    {
        const QString path = QtPlatform::lockFilePath(QString());
        QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("quillmere-%1.lock").arg(::getuid()));
    }

    void qtLock_inAFolderWhereNoLockCanBeMade_stillStarts()
    {
        qputenv("XDG_RUNTIME_DIR", QByteArrayLiteral("/proc/no-such-folder"));
        QtPlatform platform;
        QVERIFY(platform.acquireSingleInstanceLock());
    }

    void qtMessageBox_returnsTheButtonPressed()
    {
        QtPlatform platform;
        QString shownText;
        QTimer::singleShot(0, this, [&shownText] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            shownText = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        const auto answer = platform.messageBox(QStringLiteral("Question?"),
            QStringLiteral("Quillmere"), Platform::Icon::Information, Platform::Buttons::YesNo);
        QCOMPARE(answer, Platform::Answer::Yes);
        QCOMPARE(shownText, QStringLiteral("Question?"));
    }

    void qtPrint_withoutPrinter_returnsFalseAtOnce()
    {
        // A print server that is not there: no printer at all, even where
        // the machine has one.
        qputenv("CUPS_SERVER", QByteArrayLiteral("/nonexistent/cups.sock"));
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a default printer is still found on this machine");
        QtPlatform platform;
        QTextDocument document(QStringLiteral("report"));
        QVERIFY(!platform.printDocument(document));
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
