#include "shell/TellAFriend.h"
#include "shell/WebLinks.h"
#include "tests/support/RecordingPlatform.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString Referral
    = WebLinks::siteRoot() + QStringLiteral("/quillmere/ssd.php?page=orvex-refer-a-friend");

// The query as the site reads it back: every value fully decoded.
QMap<QString, QString> queryOf(const QString &address)
{
    QMap<QString, QString> values;
    const QUrlQuery query(QUrl(address, QUrl::StrictMode));
    for (const auto &item : query.queryItems(QUrl::FullyDecoded))
        values.insert(item.first, item.second);
    return values;
}

QStringList queryNames(const QString &address)
{
    QStringList names;
    const QUrlQuery query(QUrl(address, QUrl::StrictMode));
    for (const auto &item : query.queryItems(QUrl::FullyDecoded))
        names << item.first;
    return names;
}

} // namespace

class TestTellAFriend : public QObject
{
    Q_OBJECT

private slots:
    void firstMissingValue_isTheOnlyMessage_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        const QString ok = QStringLiteral("x");
        QTest::addRow("name empty")
            << QStringList { QString(), ok, ok, ok, QString() } << "Please Enter Your Name";
        QTest::addRow("name is its prompt among blanks")
            << QStringList { QStringLiteral("  Your Name  "), ok, ok, ok, ok }
            << "Please Enter Your Name";
        QTest::addRow("email is its prompt")
            << QStringList { ok, QStringLiteral("Your Email Address"), ok, ok, ok }
            << "Please Enter Your Email";
        QTest::addRow("message only blanks")
            << QStringList { ok, ok, QStringLiteral("   "), ok, ok } << "Please Enter Your Message";
        QTest::addRow("message is its prompt")
            << QStringList { ok, ok, QStringLiteral("Your Message"), ok, ok }
            << "Please Enter Your Message";
        QTest::addRow("friend's name is its prompt") << QStringList { ok, ok, ok,
            QStringLiteral("Friend's Name"), ok } << "Please Enter Your Friend's Name";
        QTest::addRow("friend's email is its prompt") << QStringList { ok, ok, ok, ok,
            QStringLiteral("Friend's Email Address") } << "Please Enter Your Friend's Email";
    }
    void firstMissingValue_isTheOnlyMessage()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        RecordingPlatform platform;
        TellAFriend(platform).OpenReferralPage(
            values[0], values[1], values[2], values[3], values[4]);
        QCOMPARE(platform.messageTexts(), QStringList { message });
        const auto &box = platform.messageBoxes.first();
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, Platform::Icon::Critical);
        QCOMPARE(box.buttons, Platform::Buttons::Ok);
        QVERIFY(platform.openedAddresses.isEmpty());
    }

    void promptInOtherCaseOrWithTab_passes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addRow("lower case") << QStringLiteral("your name");
        QTest::addRow("tab is not a blank") << QStringLiteral("Your Name\t");
        QTest::addRow("line break kept") << QStringLiteral("Your Name\r\n");
    }
    void promptInOtherCaseOrWithTab_passes()
    {
        QFETCH(QString, name);
        RecordingPlatform platform;
        TellAFriend(platform).OpenReferralPage(name, QStringLiteral("a@b.c"), QStringLiteral("hi"),
            QStringLiteral("Bo"), QStringLiteral("d@e.f"));
        QVERIFY(platform.messageBoxes.isEmpty());
        QCOMPARE(platform.openedAddresses.size(), 1);
        QCOMPARE(queryOf(platform.openedAddresses.first()).value(QStringLiteral("taf1")), name);
    }

    void untouchedMessage_goesOutWithItsLineBreak()
    {
        RecordingPlatform platform;
        TellAFriend(platform).OpenReferralPage(QStringLiteral("Ann"), QStringLiteral("ann@x.org"),
            QStringLiteral("Your Message\r\n"), QStringLiteral("Bob"), QStringLiteral("bob@y.org"));
        QCOMPARE(platform.openedAddresses,
            QStringList { Referral
                + QStringLiteral("&taf1=Ann&taf2=ann%40x.org&taf3=Your%20Message%0D%0A"
                                 "&taf4=Bob&taf5=bob%40y.org&taf6=")
                + QString::fromLatin1(QUrl::toPercentEncoding(WebLinks::productFolder())) });
    }

    void typedValues_reachTheSiteExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addRow("ampersand and equals") << QStringLiteral("Tom & Jerry=1&taf2=x");
        QTest::addRow("hash and plus") << QStringLiteral("#1 + 2");
        QTest::addRow("blanks inside") << QStringLiteral("Anne  Marie");
        QTest::addRow("non-ASCII") << QStringLiteral("Zoë Ångström 東京");
        QTest::addRow("line breaks") << QStringLiteral("one\r\ntwo\nthree");
        QTest::addRow("percent") << QStringLiteral("100%25 sure");
    }
    void typedValues_reachTheSiteExactly()
    {
        QFETCH(QString, value);
        RecordingPlatform platform;
        TellAFriend(platform).OpenReferralPage(value, QStringLiteral("a@b.c"), value,
            QStringLiteral("Friend ") + value, QStringLiteral("d@e.f"));
        QCOMPARE(platform.openedAddresses.size(), 1);
        const QString address = platform.openedAddresses.first();
        QVERIFY2(address.startsWith(Referral + QStringLiteral("&taf1=")), qPrintable(address));
        // Nothing typed can add, split or cut a parameter.
        const auto query = queryOf(address);
        QCOMPARE(queryNames(address),
            QStringList({ "page", "taf1", "taf2", "taf3", "taf4", "taf5", "taf6" }));
        QCOMPARE(query.value("page"), QStringLiteral("orvex-refer-a-friend"));
        QCOMPARE(query.value("taf1"), value);
        QCOMPARE(query.value("taf3"), value);
        QCOMPARE(query.value("taf4"), QStringLiteral("Friend ") + value);
        QCOMPARE(query.value("taf6"), WebLinks::productFolder());
        for (const QChar c : address.mid(Referral.size())) {
            QVERIFY2(c.unicode() > 32 && c.unicode() < 127 && c != QLatin1Char('#'),
                qPrintable(address));
        }
    }

    void valuesGoInAsPassed_notTrimmed()
    {
        RecordingPlatform platform;
        TellAFriend(platform).OpenReferralPage(QStringLiteral(" Ann "), QStringLiteral("a@b.c"),
            QStringLiteral("m"), QStringLiteral("Bob"), QStringLiteral("d@e.f"));
        QCOMPARE(queryOf(platform.openedAddresses.value(0)).value("taf1"), QStringLiteral(" Ann "));
    }

    void twoSubmits_openThePageTwice()
    {
        RecordingPlatform platform;
        TellAFriend links(platform);
        for (int i = 0; i < 2; ++i)
            links.OpenReferralPage("A", "a@b.c", "m", "B", "d@e.f");
        QCOMPARE(platform.openedAddresses.size(), 2);
        QCOMPARE(platform.openedAddresses[0], platform.openedAddresses[1]);
    }

    void addressProblem_namesWhatIsWrong_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("friendEmail");
        QTest::addColumn<QString>("problem");
        QTest::addRow("the same twice") << "a@b.c"
                                        << "a@b.c"
                                        << "Please Enter Distinct Email Addresses";
        QTest::addRow("no at sign") << "a.b.c"
                                    << "d@e.f"
                                    << "Please Enter Proper Email Address";
        QTest::addRow("friend's without a dot") << "a@b.c"
                                                << "d@ef"
                                                << "Please Enter Proper Email Address";
        QTest::addRow("case is not the same") << "A@b.c"
                                              << "a@b.c"
                                              << "";
    }
    void addressProblem_namesWhatIsWrong()
    {
        QFETCH(QString, email);
        QFETCH(QString, friendEmail);
        QFETCH(QString, problem);
        QCOMPARE(TellAFriend::addressProblem(email, friendEmail), problem);
    }

    void trimBlanks_removesSpacesOnly()
    {
        QCOMPARE(trimBlanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
        QCOMPARE(trimBlanks(QStringLiteral(" \ta\r\n ")), QStringLiteral("\ta\r\n"));
        QCOMPARE(trimBlanks(QStringLiteral("    ")), QString());
    }
};

QTEST_GUILESS_MAIN(TestTellAFriend)
#include "test_tellafriend.moc"
