#include "shell/QtPlatform.h"
#include "tests/support/RecordingPlatform.h"

#include <QApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

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
