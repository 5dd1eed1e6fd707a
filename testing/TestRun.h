#pragma once

#include "testing/QuestionDraw.h"
#include "testing/TestRecord.h"
#include "testing/TestReport.h"
#include "testing/TestState.h"

#include <optional>

class KnowledgeBase;
class Random;
struct SharedState;

// A multiple-choice test from its first question to its result report, apart
// from any window: which question is on display, the answers given, and the
// report that ends the test.
class TestRun final
{
public:
    TestRun(KnowledgeBase &knowledge, SharedState &state, Random &random);

    // Question CurrentRecord of the test, after drawing the test's question
    // list at its first question. Nothing when the record lies outside the
    // test.
    std::optional<QuestionDraw::Question> ShowSignificanceQuestion();
    std::optional<QuestionDraw::Question> ShowInterpretationQuestion();

    // Starts a test by interpretation on the given variations, in this
    // order, instead of drawing them from the ticked categories; its
    // questions are then shown and answered as any other test's.
    void startInterpretationTest(const QVector<qint16> &variations);

    // How many questions the running test asks.
    int questionCount() const;

    // Keeps `chosen` as the answer to the question on display and moves on to
    // the next one. Returns whether a question remains to be asked.
    bool answer(const QString &chosen);

    // The report of the test; the test state and the ticked categories are
    // cleared, so that the next test starts afresh.
    TestReport ShowTestResult();

    // The state of the running test; empty when no test runs.
    const TestState &testState() const { return m_test; }
    // The questions shown so far in the running test, by question number.
    const QVector<QuestionDraw::Question> &shownQuestions() const { return m_shown; }

    // The last finished test, as ShowTestResult() found it: every question
    // with its options, the answer chosen and the right one. Its time is
    // left for the caller to set.
    const TestRecord &finishedTest() const { return m_finished; }

private:
    KnowledgeBase &m_kb;
    SharedState &m_state;
    Random &m_random;
    TestState m_test;
    QVector<QuestionDraw::Question> m_shown;
    TestRecord m_finished;

    std::optional<QuestionDraw::Question> keepShown(const QuestionDraw::Question &question);
    TestRecord finished(const TestReport &report) const;
};
