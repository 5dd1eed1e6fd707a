#pragma once

#include "history/TestHistory.h"

#include <QAbstractTableModel>

class KnowledgeBase;

// What the Test History window shows, read from the history in one go.
struct HistoryView
{
    QVector<TestHistory::Summary> tests; // newest first
    QVector<TestHistory::Missed> missed; // the most missed first
    // Why the history cannot be read or written; empty when it can.
    QString problem;
    // What happened to the file, such as a damaged file moved aside.
    QString notice;

    static HistoryView read(TestHistory &history);
};

// A score as the learner reads it: "7 of 10 (70%)".
QString scoreText(int score, int questionCount);
// The share of right answers, 0 to 100.
int scorePercent(int score, int questionCount);

// The past tests, one row each: when, which kind, the score.
class TestListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Taken, Kind, Score, ColumnCount };

    explicit TestListModel(QObject *parent = nullptr);
    void setTests(const QVector<TestHistory::Summary> &tests);
    const QVector<TestHistory::Summary> &tests() const { return m_tests; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<TestHistory::Summary> m_tests;
};

// The variations and categories missed most often: what was asked, how often
// it was asked and how often missed.
class MissedModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Subject, Asked, Missed, ColumnCount };

    MissedModel(const KnowledgeBase &kb, QObject *parent = nullptr);
    void setMissed(const QVector<TestHistory::Missed> &missed);

    // "Slant Vertical Slant", or a category's name with "(significance)".
    QString subjectName(const TestHistory::Missed &missed) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const KnowledgeBase &m_kb;
    QVector<TestHistory::Missed> m_missed;
};
