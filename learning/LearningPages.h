#pragma once

#include <QString>

class KnowledgeBase;
struct SharedState;

// What one learning page shows.
struct LearningPage
{
    int picture = 0; // position in the picture list
    QString categoryName; // top label
    QString variationName; // second label; empty by significance
    QString text; // the long text
};

// The outcome of asking for a page: either a page to show, or a message that
// the user is at an end of the pages (the page on screen then stays).
struct PageRequest
{
    bool hasPage = false;
    LearningPage page;
    QString message;
};

// Paging through the knowledge base on the learn panel. Plain logic over the
// shared state; the window shows what it returns.
class LearningPages final
{
public:
    LearningPages(KnowledgeBase &knowledge, SharedState &state);

    // Page CurrentRecord, after bringing an out-of-range record back in.
    PageRequest ShowSignificancePage();
    PageRequest ShowInterpretationPage();

    // The first page of learning by interpretation: the first variation of
    // the first ticked category.
    PageRequest startByInterpretation();

    // Learning by interpretation with `category` alone ticked, on its
    // variation `variation` (its first when `variation` is not one of its
    // own). "&Back" and "Ne&xt" then page through that category.
    PageRequest startAtVariation(int category, int variation);

    // "Ne&xt" and "&Back": move CurrentRecord, then ask for the page. Return
    // no page and no message when not learning.
    PageRequest next();
    PageRequest back();

    static const QString LastRecordMessage;
    static const QString FirstRecordMessage;

private:
    // Pages on through `category`, from its first or its last variation.
    void enterCategory(int category, bool atItsLast);

    KnowledgeBase &m_kb;
    SharedState &m_state;
};
