#pragma once

#include "history/HistoryModels.h"

#include <QWidget>

class KnowledgeBase;
class Platform;
class QLabel;
class QPushButton;
class QTableView;
class ScoreChart;

// The Test History window: the past tests with a chart of their scores, the
// variations and categories missed most often, a test on the most missed
// variations and a way to forget it all.
class HistoryWindow final : public QWidget
{
    Q_OBJECT

public:
    // A test on the most missed variations asks at most this many.
    static constexpr int PracticeQuestions = 10;

    HistoryWindow(TestHistory &history, const KnowledgeBase &kb, Platform &platform,
        QWidget *parent = nullptr);

    // Reads the history again.
    void refresh();

signals:
    // The learner asked for a test by interpretation on these variations.
    void practiceRequested(const QVector<qint16> &variations);

private:
    void build();
    QTableView *table(const QString &name, const QString &label, QAbstractItemModel *model);
    void cmdPractice_Click();
    void cmdClear_Click();

    TestHistory &m_history;
    Platform &m_platform;
    TestListModel m_tests;
    MissedModel m_missed;
    QLabel *m_status = nullptr;
    ScoreChart *m_chart = nullptr;
    QTableView *m_testList = nullptr;
    QTableView *m_missedList = nullptr;
    QPushButton *m_practice = nullptr;
    QPushButton *m_clear = nullptr;
};
