#include "testing/TestRun.h"

#include "core/SharedState.h"
#include "knowledge/KnowledgeBase.h"

TestRun::TestRun(KnowledgeBase &knowledge, SharedState &state, Random &random)
    : m_kb(knowledge), m_state(state), m_random(random)
{ }

std::optional<QuestionDraw::Question> TestRun::ShowSignificanceQuestion()
{
    m_kb.LoadKnowledgeBase();
    if (!m_test.SignificanceDrawn) {
        m_test.SignificanceDrawn = true;
        m_test.SignificanceQuestions = QuestionDraw::drawSignificanceQuestions(m_random);
    }
    const int record = m_state.CurrentRecord;
    if (record < 0 || record >= QuestionDraw::SignificanceQuestionCount)
        return std::nullopt;
    const int category = m_test.SignificanceQuestions[static_cast<size_t>(record)];
    return QuestionDraw::significanceQuestion(m_kb, category, m_random);
}

std::optional<QuestionDraw::Question> TestRun::ShowInterpretationQuestion()
{
    m_kb.LoadKnowledgeBase();
    if (!m_test.InterpretationDrawn) {
        m_test.InterpretationDrawn = true;
        m_test.InterpretationQuestions
            = QuestionDraw::drawInterpretationQuestions(m_kb, m_state.SelectedCategories, m_random);
        m_test.QuestionCount = static_cast<int>(m_test.InterpretationQuestions.size());
        m_test.InterpretationAnswers = QStringList();
        for (int i = 0; i < m_test.QuestionCount; ++i)
            m_test.InterpretationAnswers << QString();
    }
    const int record = m_state.CurrentRecord;
    if (record < 0 || record >= m_test.QuestionCount)
        return std::nullopt;
    const int variation = m_test.InterpretationQuestions.at(record);
    return QuestionDraw::interpretationQuestion(m_kb, variation, m_random);
}

int TestRun::questionCount() const
{
    return m_state.IsBySignificance ? QuestionDraw::SignificanceQuestionCount
                                    : m_test.QuestionCount;
}

bool TestRun::answer(const QString &chosen)
{
    const int record = m_state.CurrentRecord;
    if (m_state.IsBySignificance) {
        if (record >= 0 && record < QuestionDraw::SignificanceQuestionCount)
            m_test.SignificanceAnswers[static_cast<size_t>(record)] = chosen;
    } else if (record >= 0 && record < m_test.InterpretationAnswers.size()) {
        m_test.InterpretationAnswers[record] = chosen;
    }
    m_state.CurrentRecord = static_cast<qint16>(record + 1);
    return m_state.CurrentRecord < questionCount();
}

TestReport TestRun::ShowTestResult()
{
    m_kb.LoadKnowledgeBase();
    const TestReport report = m_state.IsBySignificance ? significanceReport(m_kb, m_test)
                                                       : interpretationReport(m_kb, m_test);
    m_test.clear();
    m_state.SelectedCategories.fill(false);
    return report;
}
