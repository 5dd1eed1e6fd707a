#include "history/HistoryWindow.h"
#include "history/TestHistory.h"
#include "tests/mainwindow/MainWindowDriver.h"

#include <QAbstractItemView>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include <unistd.h>

namespace {

// A test by interpretation of `variations`; the first `missed` of them
// answered wrongly.
TestRecord interpretationTest(
    const KnowledgeBase &kb, const QVector<int> &variations, int missed, qint64 when)
{
    TestRecord test;
    test.taken = QDateTime::fromMSecsSinceEpoch(when, Qt::UTC);
    for (int i = 0; i < variations.size(); ++i) {
        const int v = variations.at(i);
        const QString right = kb.InterpretationTexts[v];
        const QString wrong = kb.InterpretationTexts[(v + 1) % KnowledgeBase::VariationCount];
        test.questions << AskedQuestion { v, kb.VariationNames[v],
            { wrong, right, QStringLiteral("line one\r\nline two") }, i < missed ? wrong : right,
            right };
        test.score += i < missed ? 0 : 1;
        const int k = kb.categoryOfVariation(v);
        if (!test.categories.contains(k))
            test.categories << k;
    }
    return test;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// File permissions do not hold for root: while this lives, the process acts
// as an unprivileged user, as a learner would.
struct AsOrdinaryUser
{
    const bool switched = ::geteuid() == 0 && ::seteuid(65534) == 0;
    ~AsOrdinaryUser()
    {
        if (switched && ::seteuid(0) != 0)
            qFatal("cannot return to the original user");
    }
};

} // namespace

class TestTestHistory : public QObject
{
    Q_OBJECT

    KnowledgeBase kb = [] {
        KnowledgeBase loaded;
        loaded.LoadKnowledgeBase();
        return loaded;
    }();

private slots:
    void recordedTest_readsBackExactly()
    {
        QTemporaryDir dir;
        TestHistory history(dir.path());
        QVERIFY(!QFile::exists(history.filePath())); // nothing is opened until needed
        const TestRecord first = interpretationTest(kb, { 8, 9, 10 }, 2, 1'700'000'000'123);
        TestRecord second;
        second.taken = QDateTime::fromMSecsSinceEpoch(1'700'000'900'000, Qt::UTC);
        second.bySignificance = true;
        second.questions << AskedQuestion { 3, kb.CategoryNames[3],
            { kb.SignificanceTexts[3], kb.SignificanceTexts[4] }, QString(),
            kb.SignificanceTexts[3] };
        QVERIFY2(history.record(first), qPrintable(history.problem()));
        QVERIFY2(history.record(second), qPrintable(history.problem()));

        TestHistory reopened(dir.path());
        const auto tests = reopened.tests();
        QVERIFY(tests);
        QCOMPARE(tests->size(), 2);
        QVERIFY(tests->at(0).bySignificance); // newest first
        QCOMPARE(tests->at(1).score, 1);
        QCOMPARE(tests->at(1).questionCount, 3);
        const auto back = reopened.test(tests->at(1).id);
        QVERIFY(back);
        QCOMPARE(*back, first);
        QCOMPARE(back->questions.at(0).options.at(2), QStringLiteral("line one\r\nline two"));
        QCOMPARE(reopened.test(tests->at(0).id)->questions.at(0).chosen, QString(""));

        const auto missed = reopened.mostMissed();
        QVERIFY(missed);
        // Variations 8 and 9, and category 3 by significance.
        QCOMPARE(missed->size(), 3);
        QCOMPARE(missed->at(0).asked, 1);
        QCOMPARE(missed->at(0).missed, 1);
        QCOMPARE(std::count_if(missed->cbegin(), missed->cend(),
                     [](const TestHistory::Missed &m) { return m.category && m.subject == 3; }),
            1);
        QCOMPARE(reopened.mostMissedVariations(10), (QVector<qint16> { 8, 9 }));
    }

    void testMeOnThese_asksOnlyMissedVariations_withTheirRightOptions()
    {
        QTemporaryDir dir;
        {
            TestHistory history(dir.path());
            // 40 is missed twice, 12 once; 13 and 60 never.
            QVERIFY(history.record(interpretationTest(kb, { 40, 12, 13 }, 2, 1000)));
            QVERIFY(history.record(interpretationTest(kb, { 40, 60 }, 1, 2000)));
        }
        MainWindowDriver d;
        d.platform.dataFolderPath = dir.path();
        d.window->openHistoryWindow();
        HistoryWindow *window = d.window->historyWindow();
        QVERIFY(window);
        auto *practice = ::control<QPushButton>(window, "cmdPractice");
        QVERIFY(practice->isEnabled());
        practice->click();
        QCOMPARE(d.front(), Panel::TestPanel);
        QCOMPARE(d.window->testState().InterpretationQuestions, (QVector<qint16> { 40, 12 }));
        for (int asked : { 40, 12 }) {
            QStringList options;
            for (int i = 0; i < QuestionDraw::InterpretationOptionCount; ++i)
                options << d.control<QAbstractButton>(
                                qPrintable(QStringLiteral("optOptionTest%1").arg(i)))
                               ->text();
            QCOMPARE(options.count(kb.InterpretationTexts[asked]), 1);
            QCOMPARE(options.removeDuplicates(), 0);
            d.choose("optOptionTest0");
            d.click("cmdNextQuestionTest");
        }
        // The practice ends in the usual report and is recorded like any test.
        QCOMPARE(d.front(), Panel::ResultPanel);
        const auto tests = d.window->history().tests();
        QVERIFY(tests);
        QCOMPARE(tests->size(), 3);
        QCOMPARE(tests->at(0).questionCount, 2);
        QCOMPARE(::control<QAbstractItemView>(window, "lstTests")->model()->rowCount(), 3);
    }

    void clearHistory_asksFirst()
    {
        QTemporaryDir dir;
        {
            TestHistory history(dir.path());
            QVERIFY(history.record(interpretationTest(kb, { 5 }, 1, 1000)));
        }
        MainWindowDriver d;
        d.platform.dataFolderPath = dir.path();
        d.window->openHistoryWindow();
        auto *clear = ::control<QPushButton>(d.window->historyWindow(), "cmdClear");
        d.platform.scriptAnswers({ Platform::Answer::No, Platform::Answer::Yes });
        clear->click();
        QCOMPARE(d.platform.messageBoxes.size(), 1);
        QCOMPARE(d.window->history().tests()->size(), 1);
        clear->click();
        QCOMPARE(d.platform.messageBoxes.size(), 2);
        QCOMPARE(d.window->history().tests()->size(), 0);
        QVERIFY(QFile::exists(d.window->history().filePath()));
    }

    void badCondition_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<QString>("reason");
        QTest::addRow("damaged file") << "damaged" << true << "moved aside";
        QTest::addRow("unreadable: a folder in its place") << "folder" << false << "cannot be";
        QTest::addRow("unreadable: no permission") << "unreadable" << false << "cannot be";
        QTest::addRow("read-only file") << "read-only file" << false << "cannot be";
        QTest::addRow("read-only folder") << "read-only folder" << false << "cannot be opened";
        QTest::addRow("locked") << "locked" << false << "lock";
        QTest::addRow("newer schema") << "newer" << false << "newer version";
        QTest::addRow("missing driver") << "driver" << false << "not installed";
        QTest::addRow("full disk") << "full" << false << "disk is full";
    }
    void badCondition()
    {
        QFETCH(QString, condition);
        QFETCH(bool, recorded);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                | QFile::WriteOther | QFile::ExeOther);
        const QString file = QDir(dir.path()).filePath(QString::fromLatin1(TestHistory::FileName));
        const QString connection = QStringLiteral("holder");
        prepare(condition, dir.path(), file, connection);
        const QByteArray before = contents(file);
        {
            TestHistory history(dir.path(),
                condition == QLatin1String("driver")
                    ? QStringLiteral("QNOSUCHDRIVER")
                    : QString::fromLatin1(TestHistory::DefaultDriver));
            if (condition == QLatin1String("full")) {
                QVERIFY(history.record(interpretationTest(kb, { 1 }, 0, 1)));
                history.limitPages(1);
            }
            const TestRecord test = interpretationTest(kb, { 20, 21, 22, 23, 24, 25, 26 }, 3, 5);
            bool ok = false;
            {
                // Only file permissions need the process to act as a learner.
                std::optional<AsOrdinaryUser> user;
                if (condition == QLatin1String("unreadable")
                    || condition.startsWith(QLatin1String("read-only")))
                    user.emplace();
                ok = history.record(test);
                if (condition == QLatin1String("full"))
                    ok = ok && history.record(test) && history.record(test);
            }
            QCOMPARE(ok, recorded);
            const QString said = history.problem() + history.notice();
            QVERIFY2(said.contains(reason), qPrintable(said));
        }
        QSqlDatabase::removeDatabase(connection);
        if (condition == QLatin1String("damaged")) {
            QCOMPARE(contents(file + QStringLiteral(".damaged-1")), before);
            QCOMPARE(TestHistory(dir.path()).tests()->size(), 1);
        }
        if (condition == QLatin1String("newer") || condition.startsWith(QLatin1String("read-only")))
            QCOMPARE(contents(file), before);
    }

    void badHistory_neverStopsATestNorItsReport()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QString::fromLatin1(TestHistory::FileName));
        MainWindowDriver d;
        d.platform.dataFolderPath = dir.path();
        d.proceed(false);
        d.choose("optOption2");
        d.click("cmdNext2");
        for (int i = 0; i < QuestionDraw::SignificanceQuestionCount; ++i) {
            d.choose("optOptionTest1");
            d.click("cmdNextQuestionTest");
        }
        QCOMPARE(d.front(), Panel::ResultPanel);
        QVERIFY(d.platform.messageBoxes.isEmpty());
        d.window->openHistoryWindow();
        auto *status = ::control<QLabel>(d.window->historyWindow(), "lblHistoryStatus");
        QVERIFY(status->text().startsWith(QStringLiteral("The history cannot be")));
    }

private:
    void prepare(const QString &condition, const QString &folder, const QString &file,
        const QString &connection)
    {
        auto write = [&file](const QByteArray &bytes) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        };
        if (condition == QLatin1String("damaged"))
            write(QByteArray(8192, '\x5a'));
        if (condition == QLatin1String("folder"))
            QDir(folder).mkpath(QString::fromLatin1(TestHistory::FileName));
        if (condition == QLatin1String("unreadable")
            || condition == QLatin1String("read-only file")) {
            QVERIFY(TestHistory(folder).record(interpretationTest(kb, { 2 }, 1, 1)));
            QFile::setPermissions(file,
                condition == QLatin1String("unreadable") ? QFile::WriteOwner
                                                         : QFile::ReadOwner | QFile::ReadOther);
        }
        if (condition == QLatin1String("read-only folder"))
            QFile::setPermissions(
                folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        if (condition == QLatin1String("locked") || condition == QLatin1String("newer")) {
            QVERIFY(TestHistory(folder).record(interpretationTest(kb, { 2 }, 1, 1)));
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery query(db);
            if (condition == QLatin1String("newer")) {
                QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = 7")));
                db.close();
            } else {
                QVERIFY(query.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")));
                QVERIFY(query.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            }
        }
    }
};

QTEST_MAIN(TestTestHistory)
#include "test_testhistory.moc"
