#include "mainwindow/MainWindow.h"

#include "mainwindow/Widgets.h"
#include "shell/AboutBox.h"
#include "shell/Platform.h"
#include "shell/ProgramIcon.h"
#include "testing/TestPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTextEdit>

namespace {

const QString ApplicationTitle = QStringLiteral("Quillmere");
const QString SelectAnOption = QStringLiteral("Please select an option");
const QString SelectAtLeastOne = QStringLiteral("Please select at least one option");

// The client area below the menu bar, in pixels at 96 dots per inch.
constexpr int ClientWidth = 619;
constexpr int ClientHeight = 404;

QLabel *textLabel(QWidget *parent, const QString &name, const QString &text, const QRect &where,
    const QFont &font)
{
    auto *label = placed<QLabel>(parent, name, text, where, font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton *button(
    QWidget *parent, const QString &name, const QString &caption, const QRect &where)
{
    return placed<QPushButton>(parent, name, caption, where, verdana(8.25));
}

QRadioButton *option(
    QWidget *parent, const QString &name, const QString &caption, const QRect &where)
{
    return placed<QRadioButton>(parent, name, caption, where, verdana(9));
}

} // namespace

MainWindow::MainWindow(Platform &platform, Random &random, QWidget *parent)
    : QMainWindow(parent),
      m_platform(platform),
      m_random(random),
      m_learning(m_kb, m_state),
      m_links(platform)
{
    buildWindow();
    m_test = std::make_unique<TestPanel>(
        m_ui, m_kb, m_state, m_platform, m_random, [this](Panel panel) { bringToFront(panel); },
        this);
    connectHandlers();
    nameForScreenReaders();
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillmere v1.20"));
    setWindowIcon(programIcon());
    setFont(verdana(8.25));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    m_ui.Label14 = new ClickableLabel(client);
    m_ui.Label14->setObjectName(QStringLiteral("Label14"));
    m_ui.Label14->setText(
        QStringLiteral("Join our graphology discussion forum and visit our web site: click here."));
    m_ui.Label14->setFont(verdana(9, true));
    setTextColor(m_ui.Label14, QColor(0, 0, 192));
    m_ui.Label14->setAlignment(Qt::AlignCenter);
    m_ui.Label14->setGeometry(4, 4, 611, 30);

    m_ui.panels = new QStackedWidget(client);
    m_ui.panels->setObjectName(QStringLiteral("fraOption"));
    m_ui.panels->setGeometry(4, 40, 600, 307);
    const QString names[PanelCount] = {
        QStringLiteral("WelcomePanel"),
        QStringLiteral("ApproachPanel"),
        QStringLiteral("LearnPanel"),
        QStringLiteral("TestPanel"),
        QStringLiteral("ResultPanel"),
        QStringLiteral("CategoryPanel"),
    };
    for (int i = 0; i < PanelCount; ++i) {
        auto *frame = new QGroupBox(m_ui.panels);
        frame->setObjectName(names[i]);
        frame->setProperty("fraOptionIndex", i);
        frame->setFont(verdana(8.25, true));
        m_ui.fraOption[i] = frame;
        m_ui.panels->addWidget(frame);
    }
    m_ui.fraOption[static_cast<int>(Panel::ResultPanel)]->setTitle(QStringLiteral("Test Result"));

    buildWelcomePanel();
    buildApproachPanel();
    buildLearnPanel();
    TestPanel::build(m_ui);
    buildCategoryPanel();
    buildBrandStrip();
    buildMenuBar();

    // Panels keep their children's fonts regular; only captions are bold.
    for (QGroupBox *frame : m_ui.fraOption) {
        for (QWidget *child :
            frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!child->testAttribute(Qt::WA_SetFont))
                child->setFont(verdana(8.25));
        }
    }

    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen *screen = this->screen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
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
    m_ui.mnuFile = bar->addMenu(QStringLiteral("&File"));
    m_ui.mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_ui.mnuExit = action(QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    m_ui.mnuFile->addAction(m_ui.mnuExit);

    m_ui.mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    m_ui.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    m_ui.mnuOnline = action(QStringLiteral("mnuOnline"), QStringLiteral("&Online Help"));
    m_ui.mnuVisit = action(QStringLiteral("mnuVisit"), QStringLiteral("&Visit Us Online"));
    m_ui.mnuSep1 = action(QStringLiteral("mnuSep1"), QString());
    m_ui.mnuSep1->setSeparator(true);
    m_ui.mnuUpdate
        = action(QStringLiteral("mnuUpdate"), QStringLiteral("Check for Software &Update"));
    m_ui.mnuSep2 = action(QStringLiteral("mnuSep2"), QString());
    m_ui.mnuSep2->setSeparator(true);
    m_ui.mnuAbout = action(QStringLiteral("mnuAbout"), QStringLiteral("&About Software"));
    m_ui.mnuHelp->addActions({ m_ui.mnuOnline, m_ui.mnuVisit, m_ui.mnuSep1, m_ui.mnuUpdate,
        m_ui.mnuSep2, m_ui.mnuAbout });

    // Two commands stand on the menu bar itself; the second can never be
    // chosen.
    m_ui.mnuDonate = action(QStringLiteral("mnuDonate"), QStringLiteral("&Donate"));
    bar->addAction(m_ui.mnuDonate);
    m_ui.mnuMakeMoney
        = action(QStringLiteral("mnuMakeMoney"), QStringLiteral("Make Money &Online"));
    m_ui.mnuMakeMoney->setEnabled(false);
    bar->addAction(m_ui.mnuMakeMoney);
}

void MainWindow::buildWelcomePanel()
{
    QGroupBox *panel = m_ui.fraOption[static_cast<int>(Panel::WelcomePanel)];
    m_ui.lblCaption[0] = textLabel(panel, QStringLiteral("lblCaption0"),
        QStringLiteral("Welcome to the world of learning the significance of graphology or hand "
                       "writing analysis."),
        QRect(24, 18, 552, 44), verdana(11, true));
    setTextColor(m_ui.lblCaption[0], QColor(22, 36, 112));
    m_ui.lblCaption[1] = textLabel(panel, QStringLiteral("lblCaption1"),
        QStringLiteral("This software aims to help you understand graphology better and learn the "
                       "meaning of your handwriting."),
        QRect(24, 72, 552, 40), verdana(9.75));
    m_ui.lblCaption[2] = textLabel(panel, QStringLiteral("lblCaption2"),
        QStringLiteral("Select one option below and click on the button to continue."),
        QRect(24, 122, 552, 22), verdana(9.75));
    m_ui.optOption[0] = option(panel, QStringLiteral("optOption0"),
        QStringLiteral("Learn Graphology"), QRect(48, 158, 300, 24));
    m_ui.optOption[1] = option(panel, QStringLiteral("optOption1"),
        QStringLiteral("Test Graphology"), QRect(48, 188, 300, 24));
    m_ui.cmdNext = button(panel, QStringLiteral("cmdNext"), QStringLiteral("Click Here To Proceed"),
        QRect(210, 240, 180, 32));
}

void MainWindow::buildApproachPanel()
{
    QGroupBox *panel = m_ui.fraOption[static_cast<int>(Panel::ApproachPanel)];
    m_ui.lblCaption[3] = textLabel(
        panel, QStringLiteral("lblCaption3"), QString(), QRect(24, 36, 552, 40), verdana(9.75));
    m_ui.optOption[2]
        = option(panel, QStringLiteral("optOption2"), QString(), QRect(48, 100, 300, 24));
    m_ui.optOption[3]
        = option(panel, QStringLiteral("optOption3"), QString(), QRect(48, 134, 300, 24));
    m_ui.cmdBack2 = button(
        panel, QStringLiteral("cmdBack2"), QStringLiteral("Back"), QRect(386, 262, 95, 30));
    m_ui.cmdNext2 = button(
        panel, QStringLiteral("cmdNext2"), QStringLiteral("Next"), QRect(489, 262, 95, 30));
}

void MainWindow::buildLearnPanel()
{
    QGroupBox *panel = m_ui.fraOption[static_cast<int>(Panel::LearnPanel)];
    m_ui.picDesc = new QLabel(panel);
    m_ui.picDesc->setObjectName(QStringLiteral("picDesc"));
    // The sample at one and a half times its size, so that the handwriting
    // can be read while learning.
    m_ui.picDesc->setGeometry(16, 28, 179, 199);
    m_ui.picDesc->setFrameShape(QFrame::Box);
    m_ui.picDesc->setScaledContents(true);
    setTextColor(m_ui.picDesc, QColor(170, 170, 170));
    m_ui.picDesc->setAlignment(Qt::AlignCenter);

    m_ui.lblDescName = textLabel(panel, QStringLiteral("lblDescName"),
        QStringLiteral("Subject Name"), QRect(210, 26, 374, 24), verdana(11, true));
    setTextColor(m_ui.lblDescName, QColor(22, 36, 112));
    m_ui.lblOption = textLabel(panel, QStringLiteral("lblOption"), QStringLiteral("Subject Option"),
        QRect(210, 54, 374, 22), verdana(9.75, true));
    setTextColor(m_ui.lblOption, QColor(128, 0, 0));
    m_ui.lblDesc = textLabel(panel, QStringLiteral("lblDesc"),
        QStringLiteral("The meaning of the handwriting shown at the left."),
        QRect(210, 84, 374, 172), verdana(9.75));
    m_ui.lblDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_ui.cmdMain = button(
        panel, QStringLiteral("cmdMain"), QStringLiteral("Back To &Main"), QRect(16, 262, 120, 30));
    m_ui.cmdLearnBack = button(
        panel, QStringLiteral("cmdLearnBack"), QStringLiteral("&Back"), QRect(386, 262, 95, 30));
    m_ui.cmdLearnNext = button(
        panel, QStringLiteral("cmdLearnNext"), QStringLiteral("Ne&xt"), QRect(489, 262, 95, 30));
}

void MainWindow::buildCategoryPanel()
{
    QGroupBox *panel = m_ui.fraOption[static_cast<int>(Panel::CategoryPanel)];
    m_ui.lblCaption[4] = textLabel(panel, QStringLiteral("lblCaption4"),
        QStringLiteral("Select the options which you would like to memorize."),
        QRect(24, 20, 552, 22), verdana(9.75));
    m_kb.LoadKnowledgeBase();
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c) {
        const int column = c < 9 ? 0 : 1;
        const int row = c < 9 ? c : c - 9;
        const QString caption = c == 16 ? QStringLiteral("Signature ") : m_kb.CategoryNames[c];
        auto *box = new QCheckBox(caption, panel);
        box->setObjectName(QStringLiteral("chkChoice%1").arg(c));
        box->setFont(verdana(8.25));
        box->setGeometry(48 + 270 * column, 50 + 23 * row, 260, 22);
        m_ui.chkChoice[c] = box;
    }
    m_ui.cmdBack3 = button(
        panel, QStringLiteral("cmdBack3"), QStringLiteral("&Back"), QRect(386, 262, 95, 30));
    m_ui.cmdNext3 = button(
        panel, QStringLiteral("cmdNext3"), QStringLiteral("&Next"), QRect(489, 262, 95, 30));
}

void MainWindow::buildBrandStrip()
{
    m_ui.Frame5 = new QFrame(centralWidget());
    m_ui.Frame5->setObjectName(QStringLiteral("Frame5"));
    m_ui.Frame5->setGeometry(0, 352, ClientWidth, 52);
    auto brand = [this](const QString &name, const QString &caption) {
        auto *label = new ClickableLabel(m_ui.Frame5);
        label->setObjectName(name);
        label->setText(plainCaption(caption));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(verdana(8.25, true));
        label->setGeometry(4, 12, 607, 33);
        // Opaque, so that the label in front hides the one behind it.
        label->setAutoFillBackground(true);
        return label;
    };
    m_ui.lblCobrand = brand(QStringLiteral("lblCobrand"),
        QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to "
                       "your site. Put your site's name &&  link here. See \"Help\" for details.  "
                       "  Click Here for more info on co-branding."));
    setTextColor(m_ui.lblCobrand, QColor(0, 0, 160));
    m_ui.lblFullBrand = brand(QStringLiteral("lblFullBrand"),
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                       "money online. Get this software fully branded for your website. Click "
                       "here for more details."));
    setTextColor(m_ui.lblFullBrand, QColor(192, 64, 0));
    // As built, the full-branding label lies in front.
    m_ui.lblFullBrand->raise();
}

void MainWindow::connectHandlers()
{
    connect(m_ui.cmdNext, &QPushButton::clicked, this, &MainWindow::cmdNext_Click);
    connect(m_ui.cmdNext2, &QPushButton::clicked, this, &MainWindow::cmdNext2_Click);
    connect(m_ui.cmdNext3, &QPushButton::clicked, this, &MainWindow::cmdNext3_Click);
    connect(m_ui.cmdBack2, &QPushButton::clicked, this, &MainWindow::cmdBack2_Click);
    connect(m_ui.cmdBack3, &QPushButton::clicked, this, &MainWindow::cmdBack3_Click);
    connect(m_ui.cmdMain, &QPushButton::clicked, this, &MainWindow::cmdMain_Click);
    connect(m_ui.cmdBackToMain, &QPushButton::clicked, this, &MainWindow::cmdBackToMain_Click);
    connect(m_ui.cmdLearnNext, &QPushButton::clicked, this, &MainWindow::cmdLearnNext_Click);
    connect(m_ui.cmdLearnBack, &QPushButton::clicked, this, &MainWindow::cmdLearnBack_Click);

    connect(m_ui.mnuExit, &QAction::triggered, this, &QWidget::close);
    auto link = [this](QAction *entry, const QString &page) {
        connect(entry, &QAction::triggered, this, [this, page] { m_links.OpenWebPage(page); });
    };
    link(m_ui.mnuOnline, PageKey::HelpWebPage);
    link(m_ui.mnuVisit, PageKey::HomePage);
    link(m_ui.mnuUpdate, PageKey::DownloadWebPage);
    link(m_ui.mnuDonate, PageKey::Donate);
    link(m_ui.mnuMakeMoney, PageKey::FullyBranded);
    connect(m_ui.mnuAbout, &QAction::triggered, this, [this] { showAboutBox(m_platform, this); });
    auto labelLink = [this](ClickableLabel *label, const QString &page) {
        connect(label, &ClickableLabel::clicked, this, [this, page] { m_links.OpenWebPage(page); });
    };
    labelLink(m_ui.Label14, PageKey::HomePage);
    labelLink(m_ui.lblCobrand, PageKey::CoBrand);
    labelLink(m_ui.lblFullBrand, PageKey::FullyBranded);
}

void MainWindow::nameForScreenReaders()
{
    for (QAbstractButton *b : findChildren<QAbstractButton *>())
        b->setAccessibleName(plainCaption(b->text()));
    for (QLabel *label : findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            label->setAccessibleName(label->text());
    }
    m_ui.picDesc->setAccessibleName(QStringLiteral("Sample of handwriting"));
    m_ui.picTest->setAccessibleName(QStringLiteral("Sample of handwriting"));
    m_ui.RTB->setAccessibleName(QStringLiteral("Test result"));
    m_ui.RTB1->setAccessibleName(QStringLiteral("Printed copy of the test result"));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closing();
}

void MainWindow::bringToFront(Panel panel)
{
    m_ui.panels->setCurrentIndex(static_cast<int>(panel));
}

Panel MainWindow::panelInFront() const
{
    return static_cast<Panel>(m_ui.panels->currentIndex());
}

void MainWindow::bringBrandLabelToFront(bool coBrand)
{
    (coBrand ? m_ui.lblCobrand : m_ui.lblFullBrand)->raise();
}

bool MainWindow::isCoBrandInFront() const
{
    const QObjectList &order = m_ui.Frame5->children();
    return order.indexOf(m_ui.lblCobrand) > order.indexOf(m_ui.lblFullBrand);
}

void MainWindow::showError(const QString &text)
{
    m_platform.messageBox(text, ApplicationTitle, Platform::Icon::Critical, Platform::Buttons::Ok);
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
    QGroupBox *approach = m_ui.fraOption[static_cast<int>(Panel::ApproachPanel)];
    if (m_ui.optOption[0]->isChecked()) {
        m_state.IsLearning = true;
        m_ui.optOption[2]->setText(QStringLiteral("Learn By Significance"));
        m_ui.optOption[3]->setText(QStringLiteral("Learn By Interpretation"));
        approach->setTitle(QStringLiteral("Learn Options"));
        m_ui.lblCaption[3]->setText(
            QStringLiteral("Select the options which you would like to memorize."));
    } else if (m_ui.optOption[1]->isChecked()) {
        m_ui.optOption[2]->setText(QStringLiteral("Test By Significance"));
        m_ui.optOption[3]->setText(QStringLiteral("Test By Interpretation"));
        approach->setTitle(QStringLiteral("Test Options"));
        m_ui.lblCaption[3]->setText(
            QStringLiteral("Select the option which you would like to take the test in."));
    } else {
        showError(SelectAnOption);
        return;
    }
    for (int i : { 2, 3 })
        m_ui.optOption[i]->setAccessibleName(m_ui.optOption[i]->text());
    m_ui.lblCaption[3]->setAccessibleName(m_ui.lblCaption[3]->text());
    bringToFront(Panel::ApproachPanel);
}

void MainWindow::cmdNext2_Click()
{
    if (m_ui.optOption[2]->isChecked()) {
        m_state.IsBySignificance = true;
    } else if (m_ui.optOption[3]->isChecked()) {
        m_state.IsBySignificance = false;
    } else {
        showError(SelectAnOption);
        return;
    }
    m_state.CurrentRecord = 0;
    QGroupBox *category = m_ui.fraOption[static_cast<int>(Panel::CategoryPanel)];
    if (m_state.IsLearning) {
        if (m_state.IsBySignificance) {
            m_ui.fraOption[static_cast<int>(Panel::LearnPanel)]->setTitle(
                QStringLiteral("Learn By Significance"));
            bringToFront(Panel::LearnPanel);
            ShowSignificancePage();
        } else {
            category->setTitle(QString());
            bringToFront(Panel::CategoryPanel);
        }
    } else {
        if (m_state.IsBySignificance) {
            m_ui.fraOption[static_cast<int>(Panel::TestPanel)]->setTitle(QStringLiteral(
                "Test By Significance: Select one option from the given choices below."));
            bringToFront(Panel::TestPanel);
            m_test->ShowSignificanceQuestion();
        } else {
            category->setTitle(QString());
            bringToFront(Panel::CategoryPanel);
        }
    }
}

void MainWindow::cmdNext3_Click()
{
    bool anyTicked = false;
    for (QCheckBox *box : m_ui.chkChoice)
        anyTicked = anyTicked || box->checkState() == Qt::Checked;
    if (!anyTicked) {
        showError(SelectAtLeastOne);
        return;
    }
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
        m_state.SelectedCategories[c] = m_ui.chkChoice[c]->checkState() == Qt::Checked;
    for (QCheckBox *box : m_ui.chkChoice)
        box->setChecked(false);
    m_kb.LoadKnowledgeBase();
    m_state.CurrentRecord = 0;

    if (m_state.IsLearning) {
        const int last = static_cast<int>(m_state.SelectedCategories.size()) - 2;
        for (int c = 0; c <= last; ++c) {
            if (m_state.SelectedCategories[c]) {
                m_state.CurrentRecord = m_kb.FirstVariation[c];
                m_state.RangeFirst = m_kb.FirstVariation[c];
                m_state.RangeLast = m_kb.LastVariation[c];
                m_state.CurrentCategory = static_cast<qint16>(c);
                break;
            }
        }
        ShowInterpretationPage();
        m_ui.fraOption[static_cast<int>(Panel::LearnPanel)]->setTitle(
            QStringLiteral("Learn By Interpretation"));
        bringToFront(Panel::LearnPanel);
    } else {
        m_test->ShowInterpretationQuestion();
        m_ui.fraOption[static_cast<int>(Panel::TestPanel)]->setTitle(QStringLiteral(
            "Test By Interpretation: Select one option from the given choices below."));
        bringToFront(Panel::TestPanel);
    }
}

void MainWindow::cmdBack2_Click()
{
    bringToFront(Panel::WelcomePanel);
}

void MainWindow::cmdBack3_Click()
{
    bringToFront(Panel::ApproachPanel);
}

void MainWindow::cmdMain_Click()
{
    bringToFront(m_state.IsBySignificance ? Panel::WelcomePanel : Panel::CategoryPanel);
}

void MainWindow::cmdBackToMain_Click()
{
    bringToFront(Panel::WelcomePanel);
}

void MainWindow::cmdLearnNext_Click()
{
    showPage(m_learning.next());
}

void MainWindow::cmdLearnBack_Click()
{
    showPage(m_learning.back());
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
    if (!request.hasPage)
        return;
    const LearningPage &page = request.page;
    // A picture that cannot be loaded leaves an empty picture area.
    m_ui.picDesc->setPixmap(m_IMG.picture(page.picture));
    m_ui.lblDescName->setText(page.categoryName);
    m_ui.lblOption->setText(page.variationName);
    m_ui.lblDesc->setText(page.text);
    m_ui.lblDescName->setAccessibleName(page.categoryName);
    m_ui.lblOption->setAccessibleName(page.variationName);
    m_ui.lblDesc->setAccessibleName(page.text);
}
