#include "history/HistoryWindow.h"

#include "core/ProgramText.h"
#include "history/ScoreChart.h"
#include "shell/Platform.h"
#include "shell/ProgramIcon.h"
#include "widgets/Widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

HistoryWindow::HistoryWindow(
    TestHistory &history, const KnowledgeBase &kb, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window), m_history(history), m_platform(platform), m_missed(kb)
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("Test History"));
    setWindowIcon(programIcon());
    setPalette(lightPalette());
    setFont(verdana(8.25));
    build();
    nameForScreenReaders(this);
    pressButtonsWithEnter(this);
    refresh();
    resize(700, 520);
}

QTableView *HistoryWindow::table(
    const QString &name, const QString &label, QAbstractItemModel *model)
{
    auto *view = new QTableView(this);
    view->setObjectName(name);
    view->setModel(model);
    view->setAccessibleName(plainCaption(label));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

void HistoryWindow::build()
{
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblHistoryStatus"));
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_status->setFocusPolicy(Qt::TabFocus);
    setTextColor(m_status, QColor(160, 0, 0));
    layout->addWidget(m_status);

    auto *grid = new QGridLayout;
    const QString testsCaption = QStringLiteral("&Past tests, newest first");
    auto *testsLabel = new QLabel(testsCaption, this);
    m_testList = table(QStringLiteral("lstTests"), testsCaption, &m_tests);
    m_testList->setColumnWidth(TestListModel::Taken, 140);
    m_testList->setColumnWidth(TestListModel::Kind, 120);
    testsLabel->setBuddy(m_testList);
    m_chart = new ScoreChart(this);
    m_chart->setObjectName(QStringLiteral("picScores"));
    auto *chartLabel = new QLabel(QStringLiteral("Score over time"), this);
    grid->addWidget(testsLabel, 0, 0);
    grid->addWidget(m_testList, 1, 0);
    grid->addWidget(chartLabel, 0, 1);
    grid->addWidget(m_chart, 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    layout->addLayout(grid, 3);

    const QString missedCaption = QStringLiteral("&Most often missed");
    auto *missedLabel = new QLabel(missedCaption, this);
    m_missedList = table(QStringLiteral("lstMissed"), missedCaption, &m_missed);
    m_missedList->setColumnWidth(MissedModel::Subject, 380);
    m_missedList->setColumnWidth(MissedModel::Asked, 80);
    missedLabel->setBuddy(m_missedList);
    layout->addWidget(missedLabel);
    layout->addWidget(m_missedList, 2);

    auto *buttons = new QHBoxLayout;
    m_practice = new QPushButton(QStringLiteral("&Test Me on These"), this);
    m_practice->setObjectName(QStringLiteral("cmdPractice"));
    m_clear = new QPushButton(QStringLiteral("&Clear History"), this);
    m_clear->setObjectName(QStringLiteral("cmdClear"));
    auto *close = new QPushButton(QStringLiteral("Cl&ose"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(m_practice);
    buttons->addWidget(m_clear);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_practice, &QPushButton::clicked, this, &HistoryWindow::cmdPractice_Click);
    connect(m_clear, &QPushButton::clicked, this, &HistoryWindow::cmdClear_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    const QList<QWidget *> order { m_status, m_testList, m_chart, m_missedList, m_practice, m_clear,
        close };
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void HistoryWindow::refresh()
{
    const HistoryView view = HistoryView::read(m_history);
    m_tests.setTests(view.tests);
    m_missed.setMissed(view.missed);
    QVector<int> scores;
    const int shown = std::min(static_cast<int>(view.tests.size()), ScoreChart::MostShown);
    for (int i = shown - 1; i >= 0; --i)
        scores << scorePercent(view.tests.at(i).score, view.tests.at(i).questionCount);
    m_chart->setScores(scores);
    QStringList status;
    for (const QString &text : { view.notice, view.problem }) {
        if (!text.isEmpty())
            status << text;
    }
    m_status->setText(status.join(QLatin1Char('\n')));
    m_status->setAccessibleName(m_status->text());
    m_status->setVisible(!status.isEmpty());
    const bool anyVariation = std::any_of(view.missed.cbegin(), view.missed.cend(),
        [](const TestHistory::Missed &missed) { return !missed.category; });
    m_practice->setEnabled(anyVariation);
    m_clear->setEnabled(view.problem.isEmpty() && !view.tests.isEmpty());
}

void HistoryWindow::cmdPractice_Click()
{
    const QVector<qint16> variations = m_history.mostMissedVariations(PracticeQuestions);
    if (variations.isEmpty()) {
        refresh();
        return;
    }
    emit practiceRequested(variations);
}

void HistoryWindow::cmdClear_Click()
{
    const Platform::Answer answer = m_platform.messageBox(
        QStringLiteral("Forget every recorded test? This cannot be undone."),
        QStringLiteral("Test History"), Platform::Icon::Information, Platform::Buttons::YesNo);
    if (answer != Platform::Answer::Yes)
        return;
    m_history.clear();
    refresh();
}
