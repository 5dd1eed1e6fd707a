#include "mainwindow/MainWindow.h"

#include "analysiswindow/AnalysisWindow.h"
#include "core/ProgramText.h"
#include "history/HistoryWindow.h"
#include "history/TestHistory.h"
#include "learning/LearnPanel.h"
#include "mainwindow/ChoicePanels.h"
#include "shell/AboutBox.h"
#include "shell/Platform.h"
#include "shell/ProgramIcon.h"
#include "testing/ResultPanel.h"
#include "testing/TestPanel.h"
#include "widgets/Widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QMenuBar>
#include <QStackedWidget>

namespace {

const QString SelectAtLeastOne = QStringLiteral("Please select at least one option");

// The client area below the menu bar, in pixels at 96 dots per inch.
constexpr int ClientWidth = 619;
constexpr int ClientHeight = 404;

} // namespace

MainWindow::MainWindow(Platform &platform, Random &random, QWidget *parent)
    : QMainWindow(parent),
      m_platform(platform),
      m_random(random),
      m_learning(m_kb, m_state),
      m_testRun(m_kb, m_state, m_random),
      m_links(platform)
{
    buildWindow();
    connectPanels();
    nameForScreenReaders(this);
    pressButtonsWithEnter(this);
    Form_Load();
}

MainWindow::~MainWindow()
{
    delete m_analysis.data();
}

void MainWindow::buildWindow()
{
    setObjectName(QStringLiteral("frmMain"));
    setPalette(lightPalette());
    setWindowTitle(ProgramText::Caption);
    setWindowIcon(programIcon());
    setFont(verdana(8.25));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    buildPanels(client);
    // After the panels, so that Tab reaches the links after the panel's own
    // controls.
    auto *forum = new ClickableLabel(client);
    forum->setObjectName(QStringLiteral("Label14"));
    forum->setText(
        QStringLiteral("Join our graphology discussion forum and visit our web site: click here."));
    forum->setFont(verdana(9, true));
    setTextColor(forum, QColor(0, 0, 192));
    forum->setAlignment(Qt::AlignCenter);
    forum->setGeometry(4, 4, 611, 30);
    connect(forum, &ClickableLabel::clicked, this, [this] { openWebPage(PageKey::HomePage); });
    buildBrandStrip();
    buildMenuBar();

    adjustSize();
    setFixedSize(sizeHint());
    centreOnScreen(this);
}

void MainWindow::buildPanels(QWidget *client)
{
    m_panels = new QStackedWidget(client);
    m_panels->setObjectName(QStringLiteral("fraOption"));
    m_panels->setGeometry(4, 40, 600, 307);
    m_kb.LoadKnowledgeBase();
    m_welcome = new WelcomePanel(m_panels);
    m_approach = new ApproachPanel(m_panels);
    m_learn = new LearnPanel(m_panels);
    m_test = new TestPanel(m_panels);
    m_result = new ResultPanel(m_platform, m_panels);
    m_category = new CategoryPanel(m_kb, m_panels);
    // In the order of `Panel`, which is the order of the stack.
    for (QWidget *panel : std::initializer_list<QWidget *> {
             m_welcome, m_approach, m_learn, m_test, m_result, m_category })
        m_panels->addWidget(panel);
}

void MainWindow::buildMenuBar()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    auto action = [this](const QString &name, const QString &caption) {
        auto *a = new QAction(caption, this);
        a->setObjectName(name);
        return a;
    };
    auto link = [this, &action](const QString &name, const QString &caption, const QString &page) {
        QAction *a = action(name, caption);
        connect(a, &QAction::triggered, this, [this, page] { openWebPage(page); });
        return a;
    };
    auto separator = [&action](const QString &name) {
        QAction *a = action(name, QString());
        a->setSeparator(true);
        return a;
    };

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *analyse
        = action(QStringLiteral("mnuAnalyse"), QStringLiteral("Analyse My &Handwriting..."));
    connect(analyse, &QAction::triggered, this, &MainWindow::openAnalysis);
    QAction *history = action(QStringLiteral("mnuHistory"), QStringLiteral("Test &History..."));
    connect(history, &QAction::triggered, this, &MainWindow::openHistoryWindow);
    QAction *exit = action(QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    file->addActions({ analyse, history, separator(QStringLiteral("mnuFileSep")), exit });

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction *about = action(QStringLiteral("mnuAbout"), QStringLiteral("&About Software"));
    connect(about, &QAction::triggered, this, [this] { showAboutBox(m_platform, this); });
    help->addActions({
        link(QStringLiteral("mnuOnline"), QStringLiteral("&Online Help"), PageKey::HelpWebPage),
        link(QStringLiteral("mnuVisit"), QStringLiteral("&Visit Us Online"), PageKey::HomePage),
        separator(QStringLiteral("mnuSep1")),
        link(QStringLiteral("mnuUpdate"), QStringLiteral("Check for Software &Update"),
            PageKey::DownloadWebPage),
        separator(QStringLiteral("mnuSep2")),
        about,
    });

    // Two commands stand on the menu bar itself; the second can never be
    // chosen.
    bar->addAction(link(QStringLiteral("mnuDonate"), QStringLiteral("&Donate"), PageKey::Donate));
    QAction *money = link(QStringLiteral("mnuMakeMoney"), QStringLiteral("Make Money &Online"),
        PageKey::FullyBranded);
    money->setEnabled(false);
    bar->addAction(money);
}

void MainWindow::buildBrandStrip()
{
    auto *strip = new QFrame(centralWidget());
    strip->setObjectName(QStringLiteral("Frame5"));
    strip->setGeometry(0, 352, ClientWidth, 52);
    auto brand = [this, strip](const QString &name, const QString &caption, const QColor &colour,
                     const QString &page) {
        auto *label = new ClickableLabel(strip);
        label->setObjectName(name);
        label->setText(plainCaption(caption));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(verdana(8.25, true));
        label->setGeometry(4, 12, 607, 33);
        setTextColor(label, colour);
        // Opaque, so that the label in front hides the one behind it.
        label->setAutoFillBackground(true);
        connect(label, &ClickableLabel::clicked, this, [this, page] { openWebPage(page); });
        return label;
    };
    m_lblCobrand = brand(QStringLiteral("lblCobrand"),
        QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to "
                       "your site. Put your site's name &&  link here. See \"Help\" for details.  "
                       "  Click Here for more info on co-branding."),
        QColor(0, 0, 160), PageKey::CoBrand);
    m_lblFullBrand = brand(QStringLiteral("lblFullBrand"),
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                       "money online. Get this software fully branded for your website. Click "
                       "here for more details."),
        QColor(192, 64, 0), PageKey::FullyBranded);
    // As built, the full-branding label lies in front.
    bringBrandLabelToFront(false);
}

void MainWindow::connectPanels()
{
    auto toFront = [this](Panel panel) { return [this, panel] { bringToFront(panel); }; };
    connect(m_welcome, &WelcomePanel::proceedRequested, this, &MainWindow::cmdNext_Click);
    connect(m_approach, &ApproachPanel::backRequested, this, toFront(Panel::WelcomePanel));
    connect(m_approach, &ApproachPanel::nextRequested, this, &MainWindow::cmdNext2_Click);
    connect(m_category, &CategoryPanel::backRequested, this, toFront(Panel::ApproachPanel));
    connect(m_category, &CategoryPanel::nextRequested, this, &MainWindow::cmdNext3_Click);
    connect(m_learn, &LearnPanel::mainRequested, this, [this] {
        bringToFront(m_state.IsBySignificance ? Panel::WelcomePanel : Panel::CategoryPanel);
    });
    connect(m_learn, &LearnPanel::nextRequested, this, [this] { showPage(m_learning.next()); });
    connect(m_learn, &LearnPanel::backRequested, this, [this] { showPage(m_learning.back()); });
    connect(m_test, &TestPanel::answered, this, &MainWindow::cmdNextQuestionTest_Click);
    connect(
        m_test, &TestPanel::unanswered, this, [this] { showError(ProgramText::SelectAnOption); });
    connect(m_result, &ResultPanel::backToMainRequested, this, toFront(Panel::WelcomePanel));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_historyWindow)
        m_historyWindow->close();
    emit closing();
}

void MainWindow::bringToFront(Panel panel)
{
    m_panels->setCurrentIndex(static_cast<int>(panel));
    if (auto *page = qobject_cast<PageFrame *>(m_panels->currentWidget())) {
        if (QWidget *control = page->startingControl())
            control->setFocus(Qt::OtherFocusReason);
    }
}

Panel MainWindow::panelInFront() const
{
    return static_cast<Panel>(m_panels->currentIndex());
}

void MainWindow::bringBrandLabelToFront(bool coBrand)
{
    ClickableLabel *front = coBrand ? m_lblCobrand : m_lblFullBrand;
    ClickableLabel *behind = coBrand ? m_lblFullBrand : m_lblCobrand;
    front->raise();
    // Only the label that is seen can be reached with Tab.
    front->setFocusPolicy(Qt::TabFocus);
    behind->setFocusPolicy(Qt::NoFocus);
    if (behind->hasFocus())
        front->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::isCoBrandInFront() const
{
    const QObjectList &order = m_lblCobrand->parent()->children();
    return order.indexOf(m_lblCobrand) > order.indexOf(m_lblFullBrand);
}

void MainWindow::showError(const QString &text)
{
    m_platform.messageBox(
        text, ProgramText::Title, Platform::Icon::Critical, Platform::Buttons::Ok);
}

void MainWindow::openWebPage(const QString &pageKey)
{
    m_links.OpenWebPage(pageKey);
}

void MainWindow::Form_Load()
{
    bringToFront(Panel::WelcomePanel);
}

void MainWindow::cmdNext_Click()
{
    m_state.IsLearning = false;
    m_state.IsBySignificance = false;
    m_state.CurrentRecord = 0;
    const Choice choice = m_welcome->choice();
    if (choice == Choice::None) {
        showError(ProgramText::SelectAnOption);
        return;
    }
    m_state.IsLearning = choice == Choice::First;
    m_approach->setForLearning(m_state.IsLearning);
    bringToFront(Panel::ApproachPanel);
}

void MainWindow::cmdNext2_Click()
{
    const Choice choice = m_approach->choice();
    if (choice == Choice::None) {
        showError(ProgramText::SelectAnOption);
        return;
    }
    m_state.IsBySignificance = choice == Choice::First;
    m_state.CurrentRecord = 0;
    if (!m_state.IsBySignificance) {
        m_category->setTitle(QString());
        bringToFront(Panel::CategoryPanel);
    } else if (m_state.IsLearning) {
        m_learn->setTitle(QStringLiteral("Learn By Significance"));
        bringToFront(Panel::LearnPanel);
        ShowSignificancePage();
    } else {
        m_test->setTitle(QStringLiteral(
            "Test By Significance: Select one option from the given choices below."));
        bringToFront(Panel::TestPanel);
        ShowSignificanceQuestion();
    }
}

void MainWindow::cmdNext3_Click()
{
    const auto ticked = m_category->ticked();
    if (std::find(ticked.begin(), ticked.end(), true) == ticked.end()) {
        showError(SelectAtLeastOne);
        return;
    }
    m_state.SelectedCategories = ticked;
    m_category->clearTicks();
    m_kb.LoadKnowledgeBase();
    m_state.CurrentRecord = 0;

    if (m_state.IsLearning) {
        showPage(m_learning.startByInterpretation());
        m_learn->setTitle(QStringLiteral("Learn By Interpretation"));
        bringToFront(Panel::LearnPanel);
    } else {
        startTestByInterpretation();
    }
}

void MainWindow::startTestByInterpretation()
{
    ShowInterpretationQuestion();
    m_test->setTitle(
        QStringLiteral("Test By Interpretation: Select one option from the given choices below."));
    bringToFront(Panel::TestPanel);
}

void MainWindow::startPractice(const QVector<qint16> &variations)
{
    if (variations.isEmpty())
        return;
    m_kb.LoadKnowledgeBase();
    m_state.IsLearning = false;
    m_state.IsBySignificance = false;
    m_state.CurrentRecord = 0;
    m_state.SelectedCategories.fill(false);
    for (qint16 v : variations) {
        const int k = m_kb.categoryOfVariation(v);
        if (k >= 0)
            m_state.SelectedCategories[static_cast<size_t>(k)] = true;
    }
    m_testRun.startInterpretationTest(variations);
    startTestByInterpretation();
    raise();
    activateWindow();
}

void MainWindow::cmdNextQuestionTest_Click(const QString &answer)
{
    if (!m_testRun.answer(answer))
        ShowTestResult();
    else if (m_state.IsBySignificance)
        ShowSignificanceQuestion();
    else
        ShowInterpretationQuestion();
}

void MainWindow::ShowSignificancePage()
{
    showPage(m_learning.ShowSignificancePage());
}

void MainWindow::ShowInterpretationPage()
{
    showPage(m_learning.ShowInterpretationPage());
}

void MainWindow::showPage(const PageRequest &request)
{
    if (!request.message.isEmpty()) {
        showError(request.message);
        return;
    }
    if (request.hasPage)
        m_learn->showPage(request.page);
}

void MainWindow::ShowSignificanceQuestion()
{
    showQuestion(m_testRun.ShowSignificanceQuestion());
}

void MainWindow::ShowInterpretationQuestion()
{
    showQuestion(m_testRun.ShowInterpretationQuestion());
}

void MainWindow::showQuestion(const std::optional<QuestionDraw::Question> &question)
{
    if (question)
        m_test->showQuestion(*question, m_state.CurrentRecord + 1, m_testRun.questionCount());
}

void MainWindow::ShowTestResult()
{
    bringToFront(Panel::ResultPanel);
    m_result->showReport(m_testRun.ShowTestResult());
    m_test->showAllOptions();
    recordFinishedTest();
}

void MainWindow::recordFinishedTest()
{
    // A failure stays with the history, which its window shows; the test
    // and its report go on as if nothing happened.
    TestRecord test = m_testRun.finishedTest();
    test.taken = QDateTime::currentDateTimeUtc();
    history().record(test);
    if (m_historyWindow)
        m_historyWindow->refresh();
}

TestHistory &MainWindow::history()
{
    if (!m_history)
        m_history = std::make_unique<TestHistory>(m_platform.dataFolder());
    return *m_history;
}

HistoryWindow *MainWindow::historyWindow() const
{
    return m_historyWindow.data();
}

void MainWindow::openHistoryWindow()
{
    if (!m_historyWindow) {
        m_historyWindow = new HistoryWindow(history(), m_kb, m_platform, this);
        m_historyWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(
            m_historyWindow, &HistoryWindow::practiceRequested, this, &MainWindow::startPractice);
        centreOnScreen(m_historyWindow, this);
    } else {
        m_historyWindow->refresh();
    }
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

AnalysisWindow *MainWindow::analysisWindow() const
{
    return m_analysis;
}

void MainWindow::openAnalysis()
{
    if (m_analysis == nullptr) {
        m_analysis = new AnalysisWindow(m_platform);
        m_analysis->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_analysis, &AnalysisWindow::learnRequested, this, &MainWindow::learnCategory);
    }
    m_analysis->show();
    m_analysis->raise();
    m_analysis->activateWindow();
    m_analysis->chooseFile();
}

void MainWindow::learnCategory(int category, int variation)
{
    const PageRequest request = m_learning.startAtVariation(category, variation);
    if (!request.hasPage)
        return;
    m_approach->setForLearning(true);
    m_category->clearTicks();
    showPage(request);
    m_learn->setTitle(QStringLiteral("Learn By Interpretation"));
    bringToFront(Panel::LearnPanel);
    raise();
    activateWindow();
}
