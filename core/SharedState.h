#pragma once

#include <QtGlobal>

#include <array>

// What the panels of the main window share for the whole run. Everything
// starts false or 0; nothing is saved.
struct SharedState
{
    static constexpr int CategorySlots = 18;

    bool IsLearning = false;
    bool IsBySignificance = false;
    // Learning: the page shown (a category by significance, a variation by
    // interpretation). Testing: the question on display.
    qint16 CurrentRecord = 0;
    // One flag per category; the spare last slot is never used.
    std::array<bool, CategorySlots> SelectedCategories {};
    // Learning by interpretation: the category being paged and its first and
    // last variation.
    qint16 RangeFirst = 0;
    qint16 RangeLast = 0;
    qint16 CurrentCategory = 0;

    // The first ticked category after `category` (from the first one when
    // `category` is -1), or -1 when there is none. The spare slot never counts.
    int nextTicked(int category) const
    {
        for (int c = qMax(category + 1, 0); c <= CategorySlots - 2; ++c) {
            if (SelectedCategories[static_cast<size_t>(c)])
                return c;
        }
        return -1;
    }
    // The last ticked category before `category`, or -1 when there is none.
    int previousTicked(int category) const
    {
        for (int c = qMin(category, CategorySlots - 1) - 1; c >= 0; --c) {
            if (SelectedCategories[static_cast<size_t>(c)])
                return c;
        }
        return -1;
    }
};

// The six panels of the main window, by their index in `fraOption`.
enum class Panel {
    WelcomePanel = 0,
    ApproachPanel = 1,
    LearnPanel = 2,
    TestPanel = 3,
    ResultPanel = 4,
    CategoryPanel = 5,
};
constexpr int PanelCount = 6;
