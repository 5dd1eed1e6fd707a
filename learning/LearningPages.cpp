#include "learning/LearningPages.h"

#include "core/SharedState.h"
#include "knowledge/KnowledgeBase.h"

#include <optional>

const QString LearningPages::LastRecordMessage = QStringLiteral("You are at the last record");
const QString LearningPages::FirstRecordMessage = QStringLiteral("You are at the first record");

namespace {

// A record past either end of a table is brought back to that end, and the
// user is told instead of being shown a page. `upperBound` is the table's
// upper bound, one past its last entry.
std::optional<PageRequest> outOfRange(qint16 &record, int upperBound)
{
    PageRequest request;
    if (record >= upperBound) {
        record = static_cast<qint16>(upperBound - 1);
        request.message = LearningPages::LastRecordMessage;
        return request;
    }
    if (record < 0) {
        record = 0;
        request.message = LearningPages::FirstRecordMessage;
        return request;
    }
    return std::nullopt;
}

} // namespace

LearningPages::LearningPages(KnowledgeBase &knowledge, SharedState &state)
    : m_kb(knowledge), m_state(state)
{ }

PageRequest LearningPages::ShowSignificancePage()
{
    const int upperBound = static_cast<int>(m_kb.SignificanceTexts.size()) - 1;
    if (auto refused = outOfRange(m_state.CurrentRecord, upperBound))
        return *refused;
    m_kb.LoadKnowledgeBase();
    const int c = m_state.CurrentRecord;
    PageRequest request;
    request.hasPage = true;
    request.page.picture = m_kb.FirstPicture[c];
    request.page.categoryName = m_kb.CategoryNames[c];
    request.page.text = m_kb.SignificanceTexts[c];
    return request;
}

PageRequest LearningPages::ShowInterpretationPage()
{
    const int upperBound = static_cast<int>(m_kb.VariationNames.size()) - 1;
    if (auto refused = outOfRange(m_state.CurrentRecord, upperBound))
        return *refused;
    m_kb.LoadKnowledgeBase();
    const int v = m_state.CurrentRecord;
    PageRequest request;
    request.hasPage = true;
    request.page.picture = v + 1;
    const int category = m_kb.categoryOfVariation(v);
    if (category >= 0)
        request.page.categoryName = m_kb.CategoryNames[category];
    request.page.variationName = m_kb.VariationNames[v];
    request.page.text = m_kb.InterpretationTexts[v];
    return request;
}

PageRequest LearningPages::startByInterpretation()
{
    m_kb.LoadKnowledgeBase();
    m_state.CurrentRecord = 0;
    const int first = m_state.nextTicked(-1);
    if (first >= 0)
        enterCategory(first, false);
    return ShowInterpretationPage();
}

PageRequest LearningPages::startAtVariation(int category, int variation)
{
    if (category < 0 || category >= KnowledgeBase::CategoryCount)
        return {};
    m_kb.LoadKnowledgeBase();
    m_state.IsLearning = true;
    m_state.IsBySignificance = false;
    m_state.SelectedCategories.fill(false);
    m_state.SelectedCategories[static_cast<size_t>(category)] = true;
    enterCategory(category, false);
    if (variation >= m_state.RangeFirst && variation <= m_state.RangeLast)
        m_state.CurrentRecord = static_cast<qint16>(variation);
    return ShowInterpretationPage();
}

void LearningPages::enterCategory(int category, bool atItsLast)
{
    m_state.CurrentCategory = static_cast<qint16>(category);
    m_state.RangeFirst = m_kb.FirstVariation[category];
    m_state.RangeLast = m_kb.LastVariation[category];
    m_state.CurrentRecord = atItsLast ? m_state.RangeLast : m_state.RangeFirst;
}

PageRequest LearningPages::next()
{
    if (!m_state.IsLearning)
        return {};
    if (m_state.IsBySignificance) {
        ++m_state.CurrentRecord;
        return ShowSignificancePage();
    }
    if (m_state.CurrentRecord >= m_state.RangeFirst && m_state.CurrentRecord < m_state.RangeLast) {
        ++m_state.CurrentRecord;
    } else if (m_state.CurrentRecord >= m_state.RangeLast) {
        // The last variation of this category: on to the next ticked one.
        const int category = m_state.nextTicked(m_state.CurrentCategory);
        if (category >= 0)
            enterCategory(category, false);
    }
    return ShowInterpretationPage();
}

PageRequest LearningPages::back()
{
    if (!m_state.IsLearning)
        return {};
    if (m_state.IsBySignificance) {
        --m_state.CurrentRecord;
        return ShowSignificancePage();
    }
    if (m_state.CurrentRecord > m_state.RangeFirst && m_state.CurrentRecord <= m_state.RangeLast) {
        --m_state.CurrentRecord;
    } else {
        // The first variation of this category: back to the last variation
        // of the previous ticked one.
        const int category = m_state.previousTicked(m_state.CurrentCategory);
        if (category >= 0)
            enterCategory(category, true);
    }
    return ShowInterpretationPage();
}
