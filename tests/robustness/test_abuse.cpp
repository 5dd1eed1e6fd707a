#include "app/ClosingScreen.h"
#include "app/Program.h"
#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "shell/QtPlatform.h"
#include "shell/TellAFriend.h"
#include "shell/UpdateReminder.h"
#include "shell/WebLinks.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

namespace {

const QDate Today(2026, 12, 9);
const QString Application = QStringLiteral("quillmere");

QByteArray randomBytes(quint64 seed, int size)
{
    Random random = Random::seeded(seed);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(random.below(256));
    return bytes;
}

// Starts the whole program on `platform` and says whether its main window
// came up; a message box that shows up is closed at once.
bool startsNormally(Platform &platform)
{
    Random random = Random::seeded(5);
    Program program(platform, random, Today, Application, [] {});
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(0);
    program.StartProgram();
    return !program.hasEnded() && program.mainWindow() != nullptr
        && program.mainWindow()->isVisible();
}

QString decodedValue(const QString &address, const QString &name)
{
    return QUrlQuery(QUrl(address)).queryItemValue(name, QUrl::FullyDecoded);
}

} // namespace

// Bad input from outside the program: damaged settings, huge or odd text in
// the referral form, no printer, no browser, nowhere to put the lock.
class TestAbuse : public QObject
{
    Q_OBJECT

private slots:
    void damagedReminderValue_programStartsNormally_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addRow("empty") << QString();
        QTest::addRow("plain date") << QStringLiteral("2026-12-01");
        QTest::addRow("random bytes") << QString::fromLatin1(randomBytes(1, 64).toBase64());
        QTest::addRow("raw random text") << QString::fromUtf8(randomBytes(2, 300));
        QTest::addRow("huge") << QString(1 << 20, QLatin1Char('x'));
        QTest::addRow("far past") << UpdateReminder::encodeSetting(QStringLiteral("0001-01-01"));
        QTest::addRow("far future") << UpdateReminder::encodeSetting(QStringLiteral("9999-12-31"));
        QTest::addRow("not a date") << UpdateReminder::encodeSetting(QStringLiteral("2026-02-30"));
        QTest::addRow("control characters")
            << UpdateReminder::encodeSetting(QStringLiteral("\x01\x02\n\r\t"));
    }
    void damagedReminderValue_programStartsNormally()
    {
        QFETCH(QString, stored);
        RecordingPlatform platform;
        platform.settings.insert(
            QStringLiteral("%1/%2/%3")
                .arg(Application, UpdateReminder::Section, UpdateReminder::durationKey()),
            stored);
        QVERIFY(startsNormally(platform));
        // At most the reminder's own question was asked.
        for (const auto &box : platform.messageBoxes)
            QCOMPARE(box.text, UpdateReminder::Message);
    }

    void settingsStoreThatFails_programStartsNormally_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("writable");
        QTest::addRow("unreadable") << false << true;
        QTest::addRow("unwritable") << true << false;
        QTest::addRow("neither") << false << false;
    }
    void settingsStoreThatFails_programStartsNormally()
    {
        QFETCH(bool, readable);
        QFETCH(bool, writable);
        RecordingPlatform platform;
        platform.settingsReadable = readable;
        platform.settingsWritable = writable;
        QVERIFY(startsNormally(platform));
        QVERIFY(platform.messageBoxes.isEmpty());
    }

    void damagedSettingsFile_programStartsNormally_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("isFolder");
        QTest::addRow("random bytes") << randomBytes(3, 4096) << false;
        QTest::addRow("broken ini") << QByteArray("[Settings\n=\n\xff\xfe[[[") << false;
        QTest::addRow("a folder in its place") << QByteArray() << true;
    }
    void damagedSettingsFile_programStartsNormally()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, isFolder);
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        const QString file = QDir(home.path()).filePath(Application + QStringLiteral(".conf"));
        if (isFolder) {
            QVERIFY(QDir().mkpath(file));
        } else {
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(content);
        }
        QtPlatform platform;
        QVERIFY(startsNormally(platform));
    }

    void referralValues_reachTheSiteExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addRow("100000 characters") << QString(100000, QLatin1Char('a'));
        QTest::addRow("100000 mixed") << QString::fromUtf8(randomBytes(4, 100000).toBase64());
        QTest::addRow("control characters")
            << QString::fromLatin1("a\x01\x02\x1f\x7f\tb\r\nc\0d", 14);
        QTest::addRow("right to left") << QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u202e"
                                                         "\u0645\u0631\u062d\u0628\u0627");
        QTest::addRow("other scripts") << QStringLiteral("\u00e9\u00df\u4e2d\u6587 \U0001F58B");
        QTest::addRow("query syntax") << QStringLiteral("a&taf2=b#c+d%20e?f=g");
    }
    void referralValues_reachTheSiteExactly()
    {
        QFETCH(QString, value);
        const QString address = TellAFriend::referralAddress(
            value, value + QStringLiteral("@x.y"), value, value, QStringLiteral("f@g.h"));
        QVERIFY(address.startsWith(WebLinks::pageAddress(PageKey::ReferAFriend)));
        QCOMPARE(decodedValue(address, QStringLiteral("taf1")), value);
        QCOMPARE(decodedValue(address, QStringLiteral("taf2")), value + QStringLiteral("@x.y"));
        QCOMPARE(decodedValue(address, QStringLiteral("taf3")), value);
        QCOMPARE(decodedValue(address, QStringLiteral("taf6")), WebLinks::productFolder());
        // Only the address's own characters remain unencoded.
        const QString query = address.mid(address.indexOf(QLatin1Char('?')) + 1);
        for (QChar c : query)
            QVERIFY2(
                c.unicode() > 0x20 && c.unicode() < 0x7f, qPrintable(QString::number(c.unicode())));
    }

    void referralForm_withHugeText_stopsAtEachBoxsLimit()
    {
        RecordingPlatform platform;
        Random random = Random::seeded(9);
        ClosingScreen screen(platform, random, [] {});
        screen.show();
        // Characters that take the most room in an address: three bytes of
        // UTF-8, nine characters once encoded.
        const QString wide(100000, QChar(0x6771));
        using Field = TellAFriend::Field;
        const std::pair<const char *, Field> lines[] = { { "txtName", Field::Name },
            { "txtEmail", Field::Email }, { "txtFriendName", Field::FriendName },
            { "txtFriendEmail", Field::FriendEmail } };
        for (const auto &[name, field] : lines) {
            auto *box = control<QLineEdit>(&screen, name);
            // Each box's own characters, so that the two addresses differ.
            const QString own(100000, QChar(0x6771 + static_cast<int>(field)));
            box->setText(own.left(box->maxLength() - 10) + QStringLiteral("@\u6771.x") + own);
            QCOMPARE(box->text().size(), TellAFriend::maxLength(field));
        }
        // Typing at the limit changes nothing.
        auto *name = control<QLineEdit>(&screen, "txtName");
        QTest::keyClicks(name, QStringLiteral("more"));
        QCOMPARE(name->text().size(), TellAFriend::maxLength(Field::Name));
        auto *message = control<QPlainTextEdit>(&screen, "txtMessage");
        message->clear();
        message->insertPlainText(wide);
        QCOMPARE(message->toPlainText(), wide.left(TellAFriend::maxLength(Field::Message)));
        QTest::keyClicks(message, QStringLiteral("more"));
        QCOMPARE(message->toPlainText().size(), TellAFriend::maxLength(Field::Message));

        control<QPushButton>(&screen, "cmdSubmit")->click();
        QCOMPARE(platform.openedAddresses.size(), 1);
        const QString address = platform.openedAddresses.first();
        QVERIFY2(address.size() <= TellAFriend::LongestAddress,
            qPrintable(QString::number(address.size())));
        QCOMPARE(decodedValue(address, QStringLiteral("taf1")), name->text());
        QCOMPARE(decodedValue(address, QStringLiteral("taf3")), message->toPlainText());
    }

    void noBrowser_handsOverTheWholeAddressAndLogsNothingOfIt()
    {
        // A desktop without a browser: the hand-over fails and Qt says so,
        // naming the address, as it does on such a desktop.
        QList<QUrl> launched;
        QtPlatform platform([&launched](const QUrl &url) {
            launched << url;
            qWarning("Unable to detect a web browser to launch '%s'", qPrintable(url.toString()));
            return false;
        });
        static QStringList logged;
        logged.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { logged << text; });
        const QString page = WebLinks::pageAddress(PageKey::HomePage);
        const QString referral = TellAFriend::referralAddress(QString(300, QLatin1Char('a')),
            QStringLiteral("ann@example.org"), QStringLiteral("m"), QStringLiteral("f"),
            QStringLiteral("f@g.h"));
        platform.openWebAddress(page);
        platform.openWebAddress(referral);
        qInstallMessageHandler(previous);

        QCOMPARE(launched.size(), 2);
        QCOMPARE(launched.at(0), QUrl(page, QUrl::StrictMode));
        QVERIFY(launched.at(1).isValid());
        QCOMPARE(launched.at(1).toString(QUrl::FullyEncoded), referral);
        QVERIFY2(logged.filter(QStringLiteral("ann@example.org")).isEmpty(),
            qPrintable(logged.join(QLatin1Char('\n'))));
        QVERIFY(logged.filter(QStringLiteral("velmorasoftwares")).isEmpty());
    }

    void lockThatCannotBeCreated_neverKeepsTheProgramFromStarting()
    {
        QTemporaryDir home;
        // A file where the runtime folder should be: no lock can go there.
        const QString notAFolder = QDir(home.path()).filePath(QStringLiteral("runtime"));
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        qputenv("XDG_RUNTIME_DIR", notAFolder.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        QtPlatform platform;
        QVERIFY(startsNormally(platform));
    }
};

QTEST_MAIN(TestAbuse)
#include "test_abuse.moc"
