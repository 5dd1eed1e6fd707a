#pragma once

#include <QDateTime>
#include <QStringList>
#include <QVector>

// One question of a finished test as the user saw and answered it.
struct AskedQuestion
{
    // The category asked for (by significance) or the variation (by
    // interpretation).
    int subject = 0;
    QString caption;
    QStringList options;
    QString chosen;
    QString correct;

    bool isRight() const { return chosen == correct; }
    bool operator==(const AskedQuestion &other) const
    {
        return subject == other.subject && caption == other.caption && options == other.options
            && chosen == other.chosen && correct == other.correct;
    }
};

// A finished test, kept so that the learner can look back on it.
struct TestRecord
{
    QDateTime taken;
    bool bySignificance = false;
    // The categories the test covered by interpretation, in ascending order.
    QVector<int> categories;
    QVector<AskedQuestion> questions;
    int score = 0;

    bool operator==(const TestRecord &other) const
    {
        return taken == other.taken && bySignificance == other.bySignificance
            && categories == other.categories && questions == other.questions
            && score == other.score;
    }
};
