#include "shell/UpdateReminder.h"
#include "shell/WebLinks.h"
#include "tests/support/RecordingPlatform.h"

#include <QTest>

namespace {

const QString App = QStringLiteral("quillmere");
const QDate Today(2024, 3, 10);

QString storeAddress()
{
    return App + QStringLiteral("/Settings/") + UpdateReminder::durationKey();
}

void storeDay(RecordingPlatform &platform, const QDate &day)
{
    platform.settings.insert(
        storeAddress(), UpdateReminder::encodeSetting(day.toString(Qt::ISODate)));
}

QDate storedDay(const RecordingPlatform &platform)
{
    const auto text = UpdateReminder::decodeSetting(platform.settings.value(storeAddress()));
    return text ? QDate::fromString(*text, Qt::ISODate) : QDate();
}

} // namespace

class TestUpdateReminder : public QObject
{
    Q_OBJECT

private slots:
    void firstStart_writesTodayWithoutMessage()
    {
        RecordingPlatform platform;
        UpdateReminder(platform, App).RunUpdateReminder(Today);
        QVERIFY(platform.messageBoxes.isEmpty());
        QCOMPARE(storedDay(platform), Today);
        QVERIFY(platform.openedAddresses.isEmpty());
    }

    void firstStart_recordedLater_writesOnlyWhenAsked()
    {
        RecordingPlatform platform;
        UpdateReminder reminder(platform, App);
        QVERIFY(reminder.RunUpdateReminder(Today, UpdateReminder::FirstStart::RecordLater));
        QVERIFY(platform.settings.isEmpty());
        QVERIFY(platform.messageBoxes.isEmpty());
        reminder.RecordFirstStart(Today);
        QCOMPARE(storedDay(platform), Today);
        // Once a day is stored there is nothing left to record.
        QVERIFY(!reminder.RunUpdateReminder(Today, UpdateReminder::FirstStart::RecordLater));
        QVERIFY(!UpdateReminder(platform, App).RunUpdateReminder(Today));
    }

    void storeNeverSeesPlainText()
    {
        RecordingPlatform platform;
        UpdateReminder(platform, App).RunUpdateReminder(Today);
        QCOMPARE(platform.settings.size(), 1);
        const QString key = platform.settings.firstKey();
        QVERIFY(key.startsWith(App + QStringLiteral("/Settings/")));
        QVERIFY(!key.contains(QStringLiteral("Duration"), Qt::CaseInsensitive));
        QVERIFY(!platform.settings.first().contains(QStringLiteral("2024")));
    }

    void withinFourteenDays_staysQuietAndUnchanged_data()
    {
        QTest::addColumn<int>("offset");
        for (const int days : { -14, -1, 0, 1, 14 })
            QTest::addRow("%d days", days) << days;
    }
    void withinFourteenDays_staysQuietAndUnchanged()
    {
        QFETCH(int, offset);
        RecordingPlatform platform;
        storeDay(platform, Today.addDays(offset));
        const auto before = platform.settings;
        UpdateReminder(platform, App).RunUpdateReminder(Today);
        QVERIFY(platform.messageBoxes.isEmpty());
        QCOMPARE(platform.settings, before);
        QVERIFY(!platform.calls.join('\n').contains(QStringLiteral("writeSetting")));
    }

    void fifteenDaysOrMore_asksAndWritesToday_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<Platform::Answer>("answer");
        QTest::addColumn<bool>("opensDownload");
        QTest::addRow("15 days ago, No") << -15 << Platform::Answer::No << false;
        QTest::addRow("15 days ago, Yes") << -15 << Platform::Answer::Yes << true;
        QTest::addRow("15 days ahead, No") << 15 << Platform::Answer::No << false;
        QTest::addRow("a year ago, Yes") << -365 << Platform::Answer::Yes << true;
    }
    void fifteenDaysOrMore_asksAndWritesToday()
    {
        QFETCH(int, offset);
        QFETCH(Platform::Answer, answer);
        QFETCH(bool, opensDownload);
        RecordingPlatform platform;
        storeDay(platform, Today.addDays(offset));
        platform.scriptAnswer(answer);
        UpdateReminder(platform, App).RunUpdateReminder(Today);

        QCOMPARE(platform.messageBoxes.size(), 1);
        const auto &box = platform.messageBoxes.first();
        QCOMPARE(box.text,
            QStringLiteral("There maybe an update to this software available\r"
                           "Do you want to check for an update?"));
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, Platform::Icon::Information);
        QCOMPARE(box.buttons, Platform::Buttons::YesNo);
        QCOMPARE(storedDay(platform), Today);
        const QStringList expected = opensDownload ? QStringList { WebLinks::siteRoot()
            + QStringLiteral("/quillmere/ssd.php?page=download-web-page") }
                                                   : QStringList {};
        QCOMPARE(platform.openedAddresses, expected);
    }

    void afterAnsweringNo_nextMessageComesFifteenDaysLater()
    {
        RecordingPlatform platform;
        storeDay(platform, Today.addDays(-30));
        UpdateReminder reminder(platform, App);
        reminder.RunUpdateReminder(Today);
        reminder.RunUpdateReminder(Today.addDays(14));
        QCOMPARE(platform.messageBoxes.size(), 1);
        reminder.RunUpdateReminder(Today.addDays(15));
        QCOMPARE(platform.messageBoxes.size(), 2);
    }

    void damagedValue_staysQuietAndKeepsIt_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addRow("plain date") << QStringLiteral("2024-01-01");
        QTest::addRow("odd hex length") << QStringLiteral("ABC");
        QTest::addRow("not hex") << QStringLiteral("ZZZZ");
        QTest::addRow("lower-case hex") << UpdateReminder::encodeSetting("2024-01-01").toLower();
        QTest::addRow("encoded non-date") << UpdateReminder::encodeSetting(QStringLiteral("soon"));
        QTest::addRow("encoded impossible day")
            << UpdateReminder::encodeSetting(QStringLiteral("2023-02-30"));
        QTest::addRow("encoded date with time")
            << UpdateReminder::encodeSetting(QStringLiteral("2020-01-01T10:00:00"));
        QTest::addRow("encoded local form")
            << UpdateReminder::encodeSetting(QStringLiteral("01/01/2020"));
        QTest::addRow("non-Latin text") << QStringLiteral("二〇二〇");
    }
    void damagedValue_staysQuietAndKeepsIt()
    {
        QFETCH(QString, stored);
        RecordingPlatform platform;
        platform.settings.insert(storeAddress(), stored);
        UpdateReminder(platform, App).RunUpdateReminder(Today);
        QVERIFY(platform.messageBoxes.isEmpty());
        QCOMPARE(platform.settings.value(storeAddress()), stored);
    }

    void unreadableStore_staysQuiet()
    {
        RecordingPlatform platform;
        storeDay(platform, Today.addDays(-100));
        platform.settingsReadable = false;
        UpdateReminder(platform, App).RunUpdateReminder(Today);
        QVERIFY(platform.messageBoxes.isEmpty());
        QVERIFY(!platform.calls.join('\n').contains(QStringLiteral("writeSetting")));
    }

    void unwritableStore_onFirstStart_staysQuiet()
    {
        RecordingPlatform platform;
        platform.settingsWritable = false;
        UpdateReminder(platform, App).RunUpdateReminder(Today);
        QVERIFY(platform.messageBoxes.isEmpty());
        QVERIFY(platform.settings.isEmpty());
    }

    void unwritableStore_whenDue_endsAtTheFailedWrite()
    {
        RecordingPlatform platform;
        storeDay(platform, Today.addDays(-20));
        platform.settingsWritable = false;
        platform.scriptAnswer(Platform::Answer::Yes);
        UpdateReminder(platform, App).RunUpdateReminder(Today);
        QCOMPARE(platform.messageBoxes.size(), 1);
        QVERIFY(platform.openedAddresses.isEmpty());
    }

    void readsUnderTheExecutableName()
    {
        RecordingPlatform platform;
        UpdateReminder(platform, QStringLiteral("other")).RunUpdateReminder(Today);
        QCOMPARE(platform.calls.first(),
            QStringLiteral("readSetting: other/Settings/") + UpdateReminder::durationKey());
    }

    void encoding_roundTripsAnyText_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addRow("date") << QStringLiteral("2024-03-10");
        QTest::addRow("empty") << QString();
        QTest::addRow("key") << QStringLiteral("Duration");
        QTest::addRow("non-ASCII") << QStringLiteral("Zoë 東京 =;[]");
    }
    void encoding_roundTripsAnyText()
    {
        QFETCH(QString, plain);
        const QString encoded = UpdateReminder::encodeSetting(plain);
        QCOMPARE(UpdateReminder::decodeSetting(encoded), std::optional<QString>(plain));
        for (const QChar c : encoded)
            QVERIFY(c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('F')));
    }
};

QTEST_GUILESS_MAIN(TestUpdateReminder)
#include "test_updatereminder.moc"
