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
        m_shown.clear();
        m_test.SignificanceQuestions = QuestionDraw::drawSignificanceQuestions(m_random);
    }
    const int record = m_state.CurrentRecord;
    if (record < 0 || record >= QuestionDraw::SignificanceQuestionCount)
        return std::nullopt;
    const int category = m_test.SignificanceQuestions[static_cast<size_t>(record)];
    return keepShown(QuestionDraw::significanceQuestion(m_kb, category, m_random));
}

std::optional<QuestionDraw::Question> TestRun::ShowInterpretationQuestion()
{
    m_kb.LoadKnowledgeBase();
    if (!m_test.InterpretationDrawn) {
        startInterpretationTest(
            QuestionDraw::drawInterpretationQuestions(m_kb, m_state.SelectedCategories, m_random));
    }
    const int record = m_state.CurrentRecord;
    if (record < 0 || record >= m_test.QuestionCount)
        return std::nullopt;
    const int variation = m_test.InterpretationQuestions.at(record);
    return keepShown(QuestionDraw::interpretationQuestion(m_kb, variation, m_random));
}

void TestRun::startInterpretationTest(const QVector<qint16> &variations)
{
    m_test.InterpretationDrawn = true;
    m_test.InterpretationQuestions = variations;
    m_test.QuestionCount = static_cast<int>(variations.size());
    m_test.InterpretationAnswers = QStringList();
    for (int i = 0; i < m_test.QuestionCount; ++i)
        m_test.InterpretationAnswers << QString();
    m_shown.clear();
}

std::optional<QuestionDraw::Question> TestRun::keepShown(const QuestionDraw::Question &question)
{
    const int record = m_state.CurrentRecord;
    if (record >= m_shown.size())
        m_shown.resize(record + 1);
    m_shown[record] = question;
    return question;
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
    m_finished = finished(report);
    m_test.clear();
    m_shown.clear();
    m_state.SelectedCategories.fill(false);
    return report;
}

TestRecord TestRun::finished(const TestReport &report) const
{
    TestRecord test;
    test.bySignificance = m_state.IsBySignificance;
    test.score = report.score;
    auto ask = [this, &test](int i, int subject, const QString &caption, const QString &chosen,
                   const QString &correct) {
        test.questions << AskedQuestion { subject, caption, m_shown.value(i).options, chosen,
            correct };
    };
    if (m_state.IsBySignificance) {
        for (int i = 0; i < QuestionDraw::SignificanceQuestionCount; ++i) {
            const int c = m_test.SignificanceQuestions[static_cast<size_t>(i)];
            if (c >= 0 && c < KnowledgeBase::CategoryCount)
                ask(i, c, m_kb.CategoryNames[c], m_test.SignificanceAnswers[static_cast<size_t>(i)],
                    m_kb.SignificanceTexts[c]);
        }
        return test;
    }
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c) {
        if (m_state.SelectedCategories[static_cast<size_t>(c)])
            test.categories << c;
    }
    for (int i = 0; i < m_test.QuestionCount && i < m_test.InterpretationQuestions.size(); ++i) {
        const int v = m_test.InterpretationQuestions.at(i);
        if (v < 0 || v >= KnowledgeBase::VariationCount)
            continue;
        const int k = m_kb.categoryOfVariation(v);
        const QString caption = k >= 0
            ? m_kb.CategoryNames[k] + QLatin1Char(' ') + m_kb.VariationNames[v]
            : m_kb.VariationNames[v];
        ask(i, v, caption, m_test.InterpretationAnswers.value(i), m_kb.InterpretationTexts[v]);
    }
    return test;
}
