#pragma once

#include "PageAnalysis.h"

class KnowledgeBase;

namespace PageAnalysis {

// What the layout of a page measured, in x-heights, shares, degrees and
// millimetres. Counts say how many samples stand behind a figure.
struct PageMeasures
{
    double slant = 0; // median of the words' slants
    double slantSpread = 0; // their standard deviation
    int slantedWords = 0;

    // From the paper's edge to the writing, as shares of the page's width
    // (left, right) or height (top, bottom).
    double left = 0, right = 0, top = 0, bottom = 0;
    // How far that edge of the lines moves inward from the first line to
    // the last along the lines' straight trend, as a share of the width, and
    // how closely the lines follow that trend (r squared).
    double leftInward = 0, rightInward = 0;
    double leftSteadiness = 0, rightSteadiness = 0;
    int lines = 0;

    double linePitch = 0; // median distance between neighbouring baselines
    double linePitchVariation = 0; // coefficient of variation of those distances
    double overlap = 0; // share of the common width where neighbouring lines overlap

    double wordGap = 0; // median space between neighbouring words
    double wordGapVariation = 0;
    int wordGaps = 0;

    double xHeightMm = 0;
    double sizeVariation = 0; // of the words' middle-zone heights
    int sizedWords = 0;
    bool dpiAssumed = false;
    // Letter width and space between letters, where the letters stand apart.
    bool lettersApart = false;
    double joinedShare = 0; // of the middle zone in pieces wider than two x-heights
    double letterWidth = 0;
    double letterGap = 0;
    int letterGaps = 0;
};

// The borders between the variations.
namespace Border {
constexpr double IrregularSlant = 10;
constexpr double VerticalSlant = 7;
constexpr double ExtremeSlant = 25;

constexpr double NoMargin = 0.03;
constexpr double MarginTrend = 0.05;
constexpr double MarginSteadiness = 0.5;
constexpr double WideMargin = 0.20;
constexpr double UnfilledPage = 0.35;
constexpr double EvenMarginLow = 0.05;
constexpr double EvenMarginHigh = 0.15;
constexpr double EvenMarginRatio = 2;

constexpr double Overlapping = 0.10;
constexpr double NarrowLines = 3.2;
constexpr double VeryWideLines = 8.5;
constexpr double WideLines = 6;
constexpr double EvenLines = 0.15;

constexpr double SmallSpaces = 0.6;
constexpr double VeryLargeSpaces = 3;
constexpr double LargeSpaces = 1.8;
constexpr double UnevenSpaces = 0.6;

constexpr double IrregularSize = 0.25;
constexpr double SmallMm = 2.0;
constexpr double TallMm = 4.0;
constexpr double NarrowLetters = 0.55;
constexpr double BroadLetters = 1.05;
constexpr double JoinedShare = 0.5;

constexpr double CloseLetters = 0.1;
constexpr double WideLetters = 0.35;
} // namespace Border

// Each takes the loaded knowledge base for the variations' indexes.
Finding judgeSlant(const KnowledgeBase &kb, const PageMeasures &m);
Finding judgeMargins(const KnowledgeBase &kb, const PageMeasures &m);
Finding judgeLineSpacing(const KnowledgeBase &kb, const PageMeasures &m);
Finding judgeWordSpacing(const KnowledgeBase &kb, const PageMeasures &m);
Finding judgeSize(const KnowledgeBase &kb, const PageMeasures &m);
Finding judgeLetterSpacing(const KnowledgeBase &kb, const PageMeasures &m);

// All six, in the order of MeasuredCategories.
QVector<Finding> judgePage(const KnowledgeBase &kb, const PageMeasures &m);

} // namespace PageAnalysis
