// Drives the main window through its panels on the offscreen platform and
// saves a picture of each panel and of each message it shows.
#include "HandPage.h"
#include "analysiswindow/AnalysisWindow.h"
#include "core/Random.h"
#include "history/HistoryWindow.h"
#include "mainwindow/MainWindow.h"
#include "shell/QtPlatform.h"
#include "tests/support/Controls.h"
#include "widgets/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>
#include <functional>

namespace {

// The real desktop, except that a message box is saved as a picture and
// answered at once instead of waiting for the user.
class PicturingPlatform final : public Platform
{
public:
    explicit PicturingPlatform(QDir folder) : m_folder(std::move(folder)) { }

    Answer messageBox(
        const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        const auto box = QtPlatform::makeMessageBox(text, title, icon, buttons);
        box->show();
        QString name = text.left(40).toLower();
        for (QChar &c : name) {
            if (!c.isLetterOrNumber())
                c = QLatin1Char('-');
        }
        box->grab().save(m_folder.filePath(QStringLiteral("message-%1.png").arg(name)));
        box->hide();
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    void openWebAddress(const QString &) override { }
    void clearClipboard() override { }
    QString clipboardText() const override { return {}; }
    bool printDocument(const QTextDocument &) override { return false; }
    std::optional<QString> readSetting(const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    bool writeSetting(const QString &, const QString &, const QString &, const QString &) override
    {
        return true;
    }
    bool acquireSingleInstanceLock() override { return true; }
    void keepAbove(QWidget *) override { }
    QString choosePictureFile(QWidget *) override { return {}; }
    QString dataFolder() const override { return m_data.path(); }

private:
    QDir m_folder;
    QTemporaryDir m_data;
};

// The analysis window with a page of handwriting analysed: a page in a
// handwriting font with even margins.
void saveAnalysisWindow(const QDir &folder, Platform &platform)
{
    HandPageLayout layout;
    layout.paperMm = { 148, 210 };
    layout.leftMm = 16;
    layout.rightMm = 16;
    layout.topMm = 18;
    layout.linePitch = 4.2;
    layout.lineCount = 14;
    layout.slant = 14;
    const QString page = folder.filePath(QStringLiteral("analysed-page.png"));
    drawHandPage(layout).save(page);
    AnalysisWindow window(platform);
    window.show();
    QEventLoop waiting;
    QObject::connect(&window, &AnalysisWindow::analysisEnded, &waiting, &QEventLoop::quit);
    if (window.analyse(page))
        waiting.exec();
    // Let the list lay out its rows.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    window.grab().save(folder.filePath(QStringLiteral("analysis-window.png")));
    QFile::remove(page);
}

void click(QWidget *window, const char *name)
{
    control<QAbstractButton>(window, name)->click();
}

void choose(QWidget *window, const char *name)
{
    control<QAbstractButton>(window, name)->setChecked(true);
}

} // namespace

using Save = std::function<void(const QString &)>;

// Every learning panel, its messages and the enlarged sample.
static void learningTour(MainWindow &window, const QDir &folder, const Save &save)
{
    save(QStringLiteral("welcome-panel"));
    click(&window, "cmdNext"); // nothing chosen: a message
    choose(&window, "optOption0");
    click(&window, "cmdNext");
    save(QStringLiteral("approach-panel"));
    click(&window, "cmdNext2"); // nothing chosen: a message
    choose(&window, "optOption2");
    click(&window, "cmdNext2");
    save(QStringLiteral("learn-by-significance"));
    click(&window, "cmdLearnBack"); // the first record
    for (int page = 0; page < 17; ++page)
        click(&window, "cmdLearnNext"); // on to the last record
    click(&window, "cmdMain");
    click(&window, "cmdNext");
    choose(&window, "optOption3");
    click(&window, "cmdNext2");
    control<QCheckBox>(&window, "chkChoice0")->setChecked(true);
    control<QCheckBox>(&window, "chkChoice8")->setChecked(true);
    save(QStringLiteral("category-panel"));
    click(&window, "cmdNext3");
    save(QStringLiteral("learn-by-interpretation"));
    click(&window, "cmdLearnNext"); // the next variation
    control<ClickableLabel>(&window, "picDesc")->clicked();
    if (auto *enlarged = window.findChild<QWidget *>(QStringLiteral("EnlargedSample"))) {
        enlarged->grab().save(folder.filePath(QStringLiteral("enlarged-sample.png")));
        enlarged->close();
    }
    click(&window, "cmdMain");
    click(&window, "cmdNext3"); // nothing ticked: a message
}

static void testTour(MainWindow &window, const Save &save)
{
    // A test by significance to its report.
    click(&window, "cmdBack3");
    click(&window, "cmdBack2");
    choose(&window, "optOption1");
    click(&window, "cmdNext");
    choose(&window, "optOption2");
    click(&window, "cmdNext2");
    save(QStringLiteral("test-panel"));
    for (int question = 0; question < 10; ++question) {
        choose(&window, question % 3 == 0 ? "optOptionTest1" : "optOptionTest0");
        click(&window, "cmdNextQuestionTest");
    }
    save(QStringLiteral("result-panel"));
}

static void historyTour(MainWindow &window, const QDir &folder)
{
    // Two tests by interpretation, then the history of all three.
    for (int test = 0; test < 2; ++test) {
        click(&window, "cmdBackToMain");
        choose(&window, "optOption1");
        click(&window, "cmdNext");
        choose(&window, "optOption3");
        click(&window, "cmdNext2");
        control<QCheckBox>(&window, "chkChoice1")->setChecked(true);
        control<QCheckBox>(&window, "chkChoice9")->setChecked(true);
        click(&window, "cmdNext3");
        for (int question = 0; question < 6; ++question) {
            choose(&window, (question + test) % 2 == 0 ? "optOptionTest1" : "optOptionTest0");
            click(&window, "cmdNextQuestionTest");
        }
    }
    window.openHistoryWindow();
    window.historyWindow()->grab().save(folder.filePath(QStringLiteral("history-window.png")));
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillmere-screenshots OUTPUT-FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));
    PicturingPlatform platform(folder);
    Random random = Random::seeded(7);
    MainWindow window(platform, random);
    window.show();
    const auto save = [&](const QString &name) {
        window.grab().save(folder.filePath(name + QStringLiteral(".png")));
    };
    learningTour(window, folder, save);
    testTour(window, save);
    saveAnalysisWindow(folder, platform);
    historyTour(window, folder);
    std::printf("screenshots written to %s\n", qPrintable(folder.absolutePath()));
    return 0;
}
