#pragma once

#include <QVector>
#include <QWidget>

// A small line chart of test scores, oldest on the left. Screen readers get
// its figures as a description; every figure is also in the list of tests.
class ScoreChart final : public QWidget
{
    Q_OBJECT

public:
    // The chart shows at most this many of the latest tests.
    static constexpr int MostShown = 30;

    explicit ScoreChart(QWidget *parent = nullptr);
    // Percentages, oldest first.
    void setScores(const QVector<int> &percentages);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<int> m_scores;
};
