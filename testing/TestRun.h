#pragma once

#include "testing/QuestionDraw.h"
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

private:
    KnowledgeBase &m_kb;
    SharedState &m_state;
    Random &m_random;
    TestState m_test;
};
