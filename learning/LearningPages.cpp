#include "learning/LearningPages.h"

#include "knowledge/KnowledgeBase.h"
#include "mainwindow/SharedState.h"

const QString LearningPages::LastRecordMessage = QStringLiteral("You are at the last record");
const QString LearningPages::FirstRecordMessage = QStringLiteral("You are at the first record");

namespace {

PageRequest message(const QString &text)
{
    PageRequest request;
    request.message = text;
    return request;
}

} // namespace

LearningPages::LearningPages(KnowledgeBase &knowledge, SharedState &state)
    : m_kb(knowledge), m_state(state)
{
}

PageRequest LearningPages::ShowSignificancePage()
{
    const int upperBound = static_cast<int>(m_kb.SignificanceTexts.size()) - 1;
    if (m_state.CurrentRecord >= upperBound) {
        m_state.CurrentRecord = static_cast<qint16>(upperBound - 1);
        return message(LastRecordMessage);
    }
    if (m_state.CurrentRecord < 0) {
        m_state.CurrentRecord = 0;
        return message(FirstRecordMessage);
    }
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
    if (m_state.CurrentRecord >= upperBound) {
        m_state.CurrentRecord = static_cast<qint16>(upperBound - 1);
        return message(LastRecordMessage);
    }
    if (m_state.CurrentRecord < 0) {
        m_state.CurrentRecord = 0;
        return message(FirstRecordMessage);
    }
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
        const int last = static_cast<int>(m_state.SelectedCategories.size()) - 2;
        for (int i = m_state.CurrentCategory + 1; i <= last; ++i) {
            if (m_state.SelectedCategories[i]) {
                m_state.CurrentCategory = static_cast<qint16>(i);
                m_state.RangeLast = m_kb.LastVariation[i];
                m_state.RangeFirst = m_kb.FirstVariation[i];
                m_state.CurrentRecord = m_kb.FirstVariation[i];
                break;
            }
        }
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
        for (int i = m_state.CurrentCategory - 1; i >= 0; --i) {
            if (m_state.SelectedCategories[i]) {
                m_state.CurrentCategory = static_cast<qint16>(i);
                m_state.RangeLast = m_kb.LastVariation[i];
                m_state.RangeFirst = m_kb.FirstVariation[i];
                m_state.CurrentRecord = m_kb.LastVariation[i];
                break;
            }
        }
    }
    return ShowInterpretationPage();
}
