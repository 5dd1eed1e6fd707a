#include "app/ClosingScreen.h"
#include "app/Program.h"
#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "shell/AboutBox.h"
#include "shell/UpdateReminder.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>

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

// A desktop palette of light text on dark grey, as dark desktop themes have.
QPalette darkDesktop()
{
    QPalette dark(QColor(238, 238, 236), QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(45, 45, 45));
    dark.setColor(QPalette::Text, QColor(238, 238, 236));
    dark.setColor(QPalette::ButtonText, QColor(238, 238, 236));
    return dark;
}

double luminance(QColor colour)
{
    const auto channel
        = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF())
        + 0.0722 * channel(colour.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most of the area shows: the background the text stands on.
// Near colours count as one, so that a shaded button face outweighs its
// outline.
QColor backgroundIn(const QImage &shot, QRect area)
{
    struct Share
    {
        int count = 0;
        qint64 red = 0, green = 0, blue = 0;
    };
    QHash<int, Share> shares;
    area = area.intersected(shot.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            Share &share
                = shares[(qRed(pixel) / 16) << 8 | (qGreen(pixel) / 16) << 4 | qBlue(pixel) / 16];
            ++share.count;
            share.red += qRed(pixel);
            share.green += qGreen(pixel);
            share.blue += qBlue(pixel);
        }
    }
    Share most;
    for (const Share &share : std::as_const(shares)) {
        if (share.count > most.count)
            most = share;
    }
    if (most.count == 0)
        return {};
    return QColor(
        int(most.red / most.count), int(most.green / most.count), int(most.blue / most.count));
}

QString shownText(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->pixmap().isNull() ? label->text() : QString();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *group = qobject_cast<QGroupBox *>(widget))
        return group->title();
    return {};
}

// Every text the window shows, with its contrast against what lies behind it.
QStringList faintTexts(QWidget *window)
{
    const QImage shot = window->grab().toImage();
    QStringList faint;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window) || !widget->isEnabled()
            || shownText(widget).trimmed().isEmpty())
            continue;
        const QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
        const QColor ink = widget->palette().color(widget->foregroundRole());
        const double ratio = contrast(ink, backgroundIn(shot, area));
        if (ratio < 4.5)
            faint << QStringLiteral("%1 %2:1").arg(widget->objectName()).arg(ratio, 0, 'f', 1);
    }
    return faint;
}

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

    void firstStart_recordsTheDayOnceTheWindowIsShown()
    {
        Run run;
        run.program->StartProgram();
        QCOMPARE(run.platform.calls.size(), 3);
        QCOMPARE(run.platform.calls[0], QStringLiteral("acquireSingleInstanceLock"));
        QVERIFY(run.platform.calls[1].startsWith(QStringLiteral("readSetting: quillmere/")));
        QVERIFY(run.platform.calls[2].startsWith(QStringLiteral("writeSetting: quillmere/")));
        QCOMPARE(run.platform.settings.size(), 1);
        QVERIFY(run.program->mainWindow()->isVisible());
        QVERIFY(run.platform.messageBoxes.isEmpty());
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

    void everyText_standsOutOnLightAndDarkDesktops_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("dark");
        const QList<std::pair<const char *, QStringList>> views = {
            { "welcome", {} },
            { "approach", { "optOption0", "cmdNext" } },
            { "learning", { "optOption0", "cmdNext", "optOption2", "cmdNext2" } },
            { "categories", { "optOption0", "cmdNext", "optOption3", "cmdNext2" } },
            { "test", { "optOption1", "cmdNext", "optOption2", "cmdNext2" } },
            { "about", {} },
            { "closing", {} },
        };
        for (const bool dark : { false, true }) {
            for (const auto &[name, steps] : views) {
                QTest::addRow("%s on a %s desktop", name, dark ? "dark" : "light")
                    << QString::fromLatin1(name) << steps << dark;
            }
        }
    }
    void everyText_standsOutOnLightAndDarkDesktops()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, steps);
        QFETCH(bool, dark);
        const QPalette desktop = QApplication::palette();
        QApplication::setPalette(dark ? darkDesktop() : QPalette(QColor(239, 239, 239)));
        RecordingPlatform platform;
        Random random = Random::seeded(5);
        std::unique_ptr<QWidget> shown;
        if (window == QLatin1String("about"))
            shown = std::make_unique<AboutBox>(platform);
        else if (window == QLatin1String("closing"))
            shown = std::make_unique<ClosingScreen>(platform, random, [] {});
        else
            shown = std::make_unique<MainWindow>(platform, random);
        for (const QString &step : steps)
            control<QAbstractButton>(shown.get(), step)->click();
        shown->show();
        const QStringList faint = faintTexts(shown.get());
        QApplication::setPalette(desktop);
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QStringLiteral(", "))));
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
