#include "app/Program.h"

#include "analysis/AnalysisJson.h"
#include "app/ClosingScreen.h"
#include "core/ProgramText.h"
#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "shell/Platform.h"
#include "shell/QtPlatform.h"
#include "shell/UpdateReminder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <QTextStream>

#include <cmath>
#include <optional>
#include <utility>

BrandLabel brandLabelFor(float r)
{
    // Exact in double for every float r; nearbyint rounds half to even.
    const double n = std::nearbyint(static_cast<double>(r) * 6.0 + 1.0);
    if (n == 1.0 || n == 3.0 || n == 5.0)
        return BrandLabel::CoBrand;
    if (n == 2.0 || n == 4.0 || n == 6.0)
        return BrandLabel::FullBrand;
    return BrandLabel::Unchanged;
}

Program::Program(
    Platform &platform, Random &random, QDate today, QString applicationName, EndProcess endProcess)
    : m_platform(platform),
      m_random(random),
      m_today(today),
      m_applicationName(std::move(applicationName)),
      m_endProcess(std::move(endProcess))
{ }

Program::~Program()
{
    delete m_closing.data();
    delete m_main.data();
}

MainWindow *Program::mainWindow() const
{
    return m_main;
}

ClosingScreen *Program::closingScreen() const
{
    return m_closing;
}

void Program::quitEventLoop()
{
    QCoreApplication::exit(0);
}

void Program::StartProgram()
{
    if (!m_platform.acquireSingleInstanceLock()) {
        m_platform.messageBox(QStringLiteral("Application is already running"), ProgramText::Title,
            Platform::Icon::Information, Platform::Buttons::Ok);
        EndProgram();
        return;
    }

    m_random.seedFromClock();

    UpdateReminder reminder(m_platform, m_applicationName);
    const bool firstStart
        = reminder.RunUpdateReminder(m_today, UpdateReminder::FirstStart::RecordLater);

    m_main = new MainWindow(m_platform, m_random);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_main, &MainWindow::closing, this, &Program::mainWindowClosing);
    m_main->show();

    // The window is on its way to the screen; the first start's date, which
    // nobody sees, is written meanwhile.
    if (firstStart)
        reminder.RecordFirstStart(m_today);

    CoBrand_Randomize();
}

void Program::CoBrand_Randomize()
{
    if (m_main == nullptr)
        return;
    switch (brandLabelFor(m_random.next())) {
    case BrandLabel::CoBrand:
        m_main->bringBrandLabelToFront(true);
        break;
    case BrandLabel::FullBrand:
        m_main->bringBrandLabelToFront(false);
        break;
    case BrandLabel::Unchanged:
        break;
    }
}

void Program::mainWindowClosing()
{
    // On the way out windows close without a closing screen, and there is
    // only ever one.
    if (m_ending || m_closing != nullptr)
        return;
    m_closing = new ClosingScreen(m_platform, m_random, [this] { EndProgram(); });
    m_closing->setAttribute(Qt::WA_DeleteOnClose);
    m_closing->show();
}

void Program::EndProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible())
            window->close();
    }
    m_ended = true;
    if (m_endProcess)
        m_endProcess();
}

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    // Without arguments the program starts as always, with nothing of this.
    if (argc <= 1)
        return std::nullopt;
    // No display is needed, and no single-instance lock is taken.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillmere"));
    QCoreApplication::setApplicationVersion(ProgramText::Version);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Learn and test yourself in handwriting analysis. Without options, starts the program."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption analyse(QStringLiteral("analyse"),
        QStringLiteral("Measure the page of handwriting in the picture FILE and print what it "
                       "shows as one JSON object. Exit status 0 when analysed, 2 when FILE "
                       "cannot be read as a picture, 3 when it holds no writing."),
        QStringLiteral("FILE"));
    parser.addOption(analyse);
    // Qt's own options are the GUI application's to take: they start the
    // program as usual.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : { "platform", "platformpluginpath", "platformtheme", "plugin",
             "display", "geometry", "qwindowgeometry", "title", "qwindowtitle", "qwindowicon",
             "style", "stylesheet", "session", "qmljsdebugger" }) {
        QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
    for (const char *name : { "reverse", "widgetcount", "nograb", "dograb", "sync" }) {
        QCommandLineOption qtOption(QString::fromLatin1(name));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }

    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString why = parser.errorText().isEmpty()
            ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())
            : parser.errorText();
        err << "quillmere: " << why << "\nTry 'quillmere --help' for more information.\n";
        return 1;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        out << ProgramText::Title << ' ' << ProgramText::Version << '\n';
        return 0;
    }
    if (parser.isSet(analyse))
        return PageAnalysis::analyseCommand(parser.value(analyse), out, err);
    return std::nullopt;
}

int runQuillmere(int argc, char *argv[])
{
    if (const std::optional<int> answered = answerCommandLine(argc, argv))
        return *answered;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillmere"));
    QApplication::setApplicationVersion(ProgramText::Version);
    // The desktop finds the launcher, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.velmorasoftwares.Quillmere"));

    QtPlatform platform;
    Random random = Random::fromClock();
    const QString executable
        = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    Program program(platform, random, QDate::currentDate(), executable);
    program.StartProgram();
    // A refused second copy has ended before any event loop ran.
    if (program.hasEnded())
        return 0;
    return QApplication::exec();
}
