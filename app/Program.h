#pragma once

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class ClosingScreen;
class MainWindow;
class Platform;
class Random;

// Which of the main window's two promotional labels a draw brings to the
// front; `Unchanged` keeps the order in which the window was built.
enum class BrandLabel { CoBrand, FullBrand, Unchanged };
// n = r * 6 + 1 rounded half to even: 1, 3, 5 co-brand; 2, 4, 6 full brand;
// 7 unchanged.
BrandLabel brandLabelFor(float r);

// The program from its start to its end: the single-instance guard, the
// update reminder, the main window, its closing screen and the way out.
class Program final : public QObject
{
    Q_OBJECT

public:
    // The last step of EndProgram; the real program leaves its event loop.
    using EndProcess = std::function<void()>;

    Program(Platform &platform, Random &random, QDate today, QString applicationName,
        EndProcess endProcess = quitEventLoop);
    ~Program() override;
    Q_DISABLE_COPY_MOVE(Program)

    void StartProgram();
    // Closes every window still open and ends the process. A call that comes
    // while one is under way (a window closing on the way out) changes nothing.
    void EndProgram();
    bool hasEnded() const { return m_ended; }

    MainWindow *mainWindow() const;
    ClosingScreen *closingScreen() const;

    static void quitEventLoop();

private:
    void CoBrand_Randomize();
    void mainWindowClosing();

    Platform &m_platform;
    Random &m_random;
    QDate m_today;
    QString m_applicationName;
    EndProcess m_endProcess;
    QPointer<MainWindow> m_main;
    QPointer<ClosingScreen> m_closing;
    bool m_ending = false;
    bool m_ended = false;
};

// Answers the command line (--help, --version, --analyse FILE) without a
// display and returns the exit status; std::nullopt when there is nothing to
// answer and the program starts as usual.
std::optional<int> answerCommandLine(int argc, char *argv[]);

// Starts Quillmere on the real desktop and runs it until it ends; returns the
// process's exit status.
int runQuillmere(int argc, char *argv[]);
