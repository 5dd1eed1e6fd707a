#include "app/ClosingScreen.h"
#include "app/Program.h"
#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "shell/UpdateReminder.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QDate Today(2024, 5, 20);
const QString App = QStringLiteral("quillmere");

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> shown;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            shown << w;
    }
    return shown;
}

void makeReminderDue(RecordingPlatform &platform)
{
    platform.settings.insert(App + QStringLiteral("/Settings/") + UpdateReminder::durationKey(),
        UpdateReminder::encodeSetting(Today.addDays(-30).toString(Qt::ISODate)));
}

// A program on the recording desktop whose end is counted, not carried out.
struct Run
{
    RecordingPlatform platform;
    Random random = Random::seeded(7);
    int processEnds = 0;
    std::unique_ptr<Program> program;

    Run() { make(); }
    void make()
    {
        program
            = std::make_unique<Program>(platform, random, Today, App, [this] { ++processEnds; });
    }
};

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Nothing a test leaves open may leak into the next one.
        for (QWidget *w : visibleWindows())
            w->hide();
    }

    void secondCopy_showsOnlyItsMessageAndEnds()
    {
        Run run;
        run.platform.anotherCopyRunning = true;
        QList<QWidget *> shownMeanwhile;
        run.platform.onMessageBox
            = [&](const RecordingPlatform::MessageBoxCall &) { shownMeanwhile = visibleWindows(); };
        run.program->StartProgram();

        QCOMPARE(run.platform.calls,
            QStringList({ QStringLiteral("acquireSingleInstanceLock"),
                QStringLiteral("messageBox: Application is already running") }));
        const auto &box = run.platform.messageBoxes.first();
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, Platform::Icon::Information);
        QCOMPARE(box.buttons, Platform::Buttons::Ok);
        QVERIFY(shownMeanwhile.isEmpty());
        QVERIFY(run.program->hasEnded());
        QCOMPARE(run.processEnds, 1);
        QVERIFY(run.program->mainWindow() == nullptr);
        QVERIFY(visibleWindows().isEmpty());
    }

    void secondCopy_neverSeedsNorTouchesSettings()
    {
        RecordingPlatform platform;
        platform.anotherCopyRunning = true;
        int clockReads = 0;
        Random random = Random::fromClock([&] { return static_cast<quint64>(++clockReads); });
        const int before = clockReads;
        Program program(platform, random, Today, App, [] {});
        program.StartProgram();
        QCOMPARE(clockReads, before);
        QVERIFY(platform.settings.isEmpty());
    }

    void start_seedsThenRemindsThenShowsTheWindow()
    {
        Run run;
        makeReminderDue(run.platform);
        run.platform.scriptAnswer(Platform::Answer::No);
        QList<QWidget *> shownDuringReminder { nullptr };
        run.platform.onMessageBox = [&](const RecordingPlatform::MessageBoxCall &) {
            shownDuringReminder = visibleWindows();
        };
        run.program->StartProgram();

        QVERIFY(shownDuringReminder.isEmpty());
        QCOMPARE(run.platform.calls.size(), 4);
        QCOMPARE(run.platform.calls[0], QStringLiteral("acquireSingleInstanceLock"));
        QVERIFY(run.platform.calls[1].startsWith(QStringLiteral("readSetting: quillmere/")));
        QCOMPARE(run.platform.calls[2], QStringLiteral("messageBox: ") + UpdateReminder::Message);
        QVERIFY(run.platform.calls[3].startsWith(QStringLiteral("writeSetting: quillmere/")));

        MainWindow *window = run.program->mainWindow();
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->panelInFront(), Panel::WelcomePanel);
        QVERIFY(!run.program->hasEnded());
        QCOMPARE(run.processEnds, 0);
    }

    void start_showsTheWindowWhateverTheReminderGets_data()
    {
        QTest::addColumn<int>("situation");
        QTest::addRow("answered Yes") << 0;
        QTest::addRow("answered No") << 1;
        QTest::addRow("store unreadable") << 2;
        QTest::addRow("store unwritable") << 3;
        QTest::addRow("damaged value") << 4;
    }
    void start_showsTheWindowWhateverTheReminderGets()
    {
        QFETCH(int, situation);
        Run run;
        makeReminderDue(run.platform);
        if (situation == 0)
            run.platform.scriptAnswer(Platform::Answer::Yes);
        run.platform.settingsReadable = situation != 2;
        run.platform.settingsWritable = situation != 3;
        if (situation == 4)
            run.platform.settings.first() = QStringLiteral("garbage");
        run.program->StartProgram();
        QVERIFY(run.program->mainWindow() != nullptr);
        QVERIFY(run.program->mainWindow()->isVisible());
        QCOMPARE(run.platform.openedAddresses.size(), situation == 0 ? 1 : 0);
    }

    void brandLabel_followsTheRoundedDraw_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<BrandLabel>("expected");
        QTest::addRow("0 -> 1") << 0.0f << BrandLabel::CoBrand;
        QTest::addRow("just below 1.5 -> 1") << 0.0833333f << BrandLabel::CoBrand;
        QTest::addRow("float nearest 1/12 -> 1.5000000149 -> 2")
            << 1.0f / 12.0f << BrandLabel::FullBrand;
        QTest::addRow("0.2 -> 2.2 -> 2") << 0.2f << BrandLabel::FullBrand;
        QTest::addRow("0.25 -> 2.5 halfway -> 2") << 0.25f << BrandLabel::FullBrand;
        QTest::addRow("just above 0.25 -> 3") << 0.2500001f << BrandLabel::CoBrand;
        QTest::addRow("0.4 -> 3.4 -> 3") << 0.4f << BrandLabel::CoBrand;
        QTest::addRow("0.5 -> 4") << 0.5f << BrandLabel::FullBrand;
        QTest::addRow("0.7 -> 5.2 -> 5") << 0.7f << BrandLabel::CoBrand;
        QTest::addRow("just below 0.75 -> 5") << 0.7499999f << BrandLabel::CoBrand;
        QTest::addRow("0.75 -> 5.5 halfway -> 6") << 0.75f << BrandLabel::FullBrand;
        QTest::addRow("0.9 -> 6.4 -> 6") << 0.9f << BrandLabel::FullBrand;
        QTest::addRow("just below 11/12 -> 6") << 0.9166666f << BrandLabel::FullBrand;
        QTest::addRow("float nearest 11/12 -> 7") << 11.0f / 12.0f << BrandLabel::Unchanged;
        QTest::addRow("largest r -> 7") << 0.99999994f << BrandLabel::Unchanged;
    }
    void brandLabel_followsTheRoundedDraw()
    {
        QFETCH(float, r);
        QFETCH(BrandLabel, expected);
        QCOMPARE(brandLabelFor(r), expected);
    }

    void start_bringsTheDrawnLabelToTheFront()
    {
        int coBrand = 0;
        int fullBrand = 0;
        for (quint64 seed = 1; seed <= 24; ++seed) {
            RecordingPlatform platform;
            Random random = Random::seeded(seed);
            Random twin = Random::seeded(seed);
            Program program(platform, random, Today, App, [] {});
            program.StartProgram();
            // The draw is the only one start-up makes.
            const BrandLabel expected = brandLabelFor(twin.next());
            const bool coInFront = program.mainWindow()->isCoBrandInFront();
            QCOMPARE(coInFront, expected == BrandLabel::CoBrand);
            (coInFront ? coBrand : fullBrand) += 1;
        }
        QVERIFY(coBrand > 0);
        QVERIFY(fullBrand > 0);
    }

    void closingTheMainWindow_bringsUpTheClosingScreen_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::addRow("menu entry Exit") << true;
        QTest::addRow("close box") << false;
    }
    void closingTheMainWindow_bringsUpTheClosingScreen()
    {
        QFETCH(bool, byMenu);
        Run run;
        run.program->StartProgram();
        QPointer<MainWindow> window = run.program->mainWindow();
        QVERIFY(window);
        if (byMenu)
            control<QAction>(window, "mnuExit")->trigger();
        else
            window->close();

        ClosingScreen *screen = run.program->closingScreen();
        QVERIFY(screen != nullptr);
        QVERIFY(screen->isVisible());
        QVERIFY(!screen->isModal());
        QTRY_VERIFY(window.isNull());
        QCOMPARE(visibleWindows(), QList<QWidget *> { screen });
        QCOMPARE(run.platform.keptAbove, QList<QWidget *> { screen });
        QVERIFY(!run.program->hasEnded());
        QCOMPARE(run.processEnds, 0);
    }

    void leavingTheClosingScreen_endsTheProcessOnce_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::addRow("Exit button") << true;
        QTest::addRow("close box") << false;
    }
    void leavingTheClosingScreen_endsTheProcessOnce()
    {
        QFETCH(bool, byButton);
        Run run;
        run.program->StartProgram();
        run.program->mainWindow()->close();
        ClosingScreen *screen = run.program->closingScreen();
        QVERIFY(screen != nullptr);
        if (byButton)
            QTest::mouseClick(control<QPushButton>(screen, "cmdClose"), Qt::LeftButton);
        else
            screen->close();
        QVERIFY(run.program->hasEnded());
        QCOMPARE(run.processEnds, 1);
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(run.platform.messageBoxes.size(), 0);
    }

    void endProgram_closesEveryWindowWithoutAClosingScreen()
    {
        Run run;
        run.program->StartProgram();
        QWidget stray;
        stray.show();
        run.program->EndProgram();
        QVERIFY(visibleWindows().isEmpty());
        QVERIFY(run.program->closingScreen() == nullptr);
        QCOMPARE(run.processEnds, 1);
        run.program->EndProgram();
        QCOMPARE(run.processEnds, 1);
    }

    void realEnd_leavesTheEventLoop()
    {
        RecordingPlatform platform;
        Random random = Random::seeded(3);
        Program program(platform, random, Today, App);
        program.StartProgram();
        program.mainWindow()->close();
        QTimer::singleShot(0, program.closingScreen(), [&] { program.closingScreen()->close(); });
        // Returns only because the closing screen's close ended the loop.
        QTimer guard;
        guard.setSingleShot(true);
        bool timedOut = false;
        connect(&guard, &QTimer::timeout, [&] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        guard.start(60000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!timedOut);
        QVERIFY(program.hasEnded());
    }
};

QTEST_MAIN(TestProgram)
#include "test_program.moc"
