#pragma once

#include "knowledge/KnowledgeBase.h"

#include <QStringList>
#include <QVector>

#include <array>

class Random;

// The random drawing of tests, apart from any window. Every single draw
// re-seeds the source from the clock first and is uniform over its whole
// range.
namespace QuestionDraw {

constexpr int SignificanceQuestionCount = 10;
constexpr int SignificanceOptionCount = 5;
constexpr int InterpretationOptionCount = 3;
constexpr int QuestionsPerCategory = 3;

// One draw each: a category (0 to 16), a variation of category k (first(k)
// to last(k)), any variation (0 to 98), the place of the right answer among
// `optionCount` options.
int drawCategory(Random &random);
int drawVariationOf(const KnowledgeBase &kb, int category, Random &random);
int drawAnyVariation(Random &random);
int drawRightPlace(int optionCount, Random &random);

// Ten distinct categories in asking order.
std::array<qint16, SignificanceQuestionCount> drawSignificanceQuestions(Random &random);

// Three distinct variations of every selected category, the categories in
// ascending order. The spare last slot of `selected` is ignored.
QVector<qint16> drawInterpretationQuestions(const KnowledgeBase &kb,
    const std::array<bool, KnowledgeBase::CategorySlots> &selected, Random &random);

// What one question shows: its caption, its sample picture and its option
// texts in place order. The texts are distinct and exactly one of them is
// the right one.
struct Question
{
    QString caption;
    int picture = 0;
    QStringList options;
    int rightPlace = 0;
};

Question significanceQuestion(const KnowledgeBase &kb, int category, Random &random);
Question interpretationQuestion(const KnowledgeBase &kb, int variation, Random &random);

} // namespace QuestionDraw
