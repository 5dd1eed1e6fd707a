#include "testing/QuestionDraw.h"

#include "core/Random.h"

#include <QSet>

#include <algorithm>
#include <functional>

namespace QuestionDraw {

namespace {

// The clock is mixed in before every single draw.
int draw(Random &random, int n)
{
    random.seedFromClock();
    return random.below(n);
}

// Draws `count` texts that differ from each other and from `right`, each
// slot drawn again until it holds a new text. The count is capped by the
// texts there are, so the loop always ends.
QStringList drawWrongTexts(
    int count, const QString &right, const QStringList &pool, const std::function<int()> &drawIndex)
{
    QSet<QString> available(pool.cbegin(), pool.cend());
    available.remove(right);
    count = std::min(count, static_cast<int>(available.size()));
    QStringList drawn;
    while (drawn.size() < count) {
        const int i = drawIndex();
        if (i < 0 || i >= pool.size())
            continue;
        const QString &text = pool.at(i);
        if (text == right || drawn.contains(text))
            continue;
        drawn << text;
    }
    return drawn;
}

QStringList significancePool(const KnowledgeBase &kb)
{
    QStringList pool;
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
        pool << kb.SignificanceTexts[c];
    return pool;
}

QStringList interpretationPool(const KnowledgeBase &kb)
{
    QStringList pool;
    for (int v = 0; v < KnowledgeBase::VariationCount; ++v)
        pool << kb.InterpretationTexts[v];
    return pool;
}

// The right text at `place`, the wrong texts on the other places in the
// order drawn; the wrong text drawn for `place` itself is not used.
QStringList placeOptions(const QString &right, const QStringList &wrong, int place)
{
    QStringList options = wrong;
    if (place >= 0 && place < options.size())
        options[place] = right;
    else
        options << right;
    return options;
}

} // namespace

int drawCategory(Random &random)
{
    return draw(random, KnowledgeBase::CategoryCount);
}

int drawVariationOf(const KnowledgeBase &kb, int category, Random &random)
{
    const int first = kb.FirstVariation[category];
    const int last = kb.LastVariation[category];
    return first + draw(random, last - first + 1);
}

int drawAnyVariation(Random &random)
{
    return draw(random, KnowledgeBase::VariationCount);
}

int drawRightPlace(int optionCount, Random &random)
{
    return draw(random, optionCount);
}

std::array<qint16, SignificanceQuestionCount> drawSignificanceQuestions(Random &random)
{
    std::array<qint16, SignificanceQuestionCount> questions {};
    for (int slot = 0; slot < SignificanceQuestionCount; ++slot) {
        qint16 c;
        do {
            c = static_cast<qint16>(drawCategory(random));
        } while (
            std::find(questions.begin(), questions.begin() + slot, c) != questions.begin() + slot);
        questions[slot] = c;
    }
    return questions;
}

QVector<qint16> drawInterpretationQuestions(const KnowledgeBase &kb,
    const std::array<bool, KnowledgeBase::CategorySlots> &selected, Random &random)
{
    QVector<qint16> questions;
    for (int k = 0; k < KnowledgeBase::CategoryCount; ++k) {
        if (!selected[k])
            continue;
        const int size = kb.LastVariation[k] - kb.FirstVariation[k] + 1;
        const int count = std::min(QuestionsPerCategory, std::max(size, 0));
        QVector<qint16> drawn;
        while (drawn.size() < count) {
            const auto v = static_cast<qint16>(drawVariationOf(kb, k, random));
            if (!drawn.contains(v))
                drawn << v;
        }
        questions << drawn;
    }
    return questions;
}

Question significanceQuestion(const KnowledgeBase &kb, int category, Random &random)
{
    const QString right = kb.SignificanceTexts[category];
    const QStringList wrong = drawWrongTexts(SignificanceOptionCount, right, significancePool(kb),
        [&random] { return drawCategory(random); });
    Question question;
    question.rightPlace = drawRightPlace(SignificanceOptionCount, random);
    question.options = placeOptions(right, wrong, question.rightPlace);
    question.rightPlace = static_cast<int>(question.options.indexOf(right));
    question.caption = kb.CategoryNames[category];
    question.picture = kb.FirstPicture[category];
    return question;
}

Question interpretationQuestion(const KnowledgeBase &kb, int variation, Random &random)
{
    const QString right = kb.InterpretationTexts[variation];
    const QStringList wrong = drawWrongTexts(InterpretationOptionCount, right,
        interpretationPool(kb), [&random] { return drawAnyVariation(random); });
    Question question;
    question.rightPlace = drawRightPlace(InterpretationOptionCount, random);
    question.options = placeOptions(right, wrong, question.rightPlace);
    question.rightPlace = static_cast<int>(question.options.indexOf(right));
    const int category = kb.categoryOfVariation(variation);
    const QString categoryName = category >= 0 ? kb.CategoryNames[category] : QString();
    question.caption = categoryName + QLatin1Char(' ') + kb.VariationNames[variation];
    question.picture = variation + 1;
    return question;
}

} // namespace QuestionDraw
