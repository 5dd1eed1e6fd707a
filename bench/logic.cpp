// How long the plain logic behind a test takes: drawing one question, and
// composing the report of the longest test (17 categories, 51 questions).
#include "core/Random.h"
#include "knowledge/KnowledgeBase.h"
#include "testing/QuestionDraw.h"
#include "testing/TestReport.h"
#include "testing/TestState.h"

#include <benchmark/benchmark.h>

namespace {

KnowledgeBase loadedKnowledge()
{
    KnowledgeBase kb;
    kb.LoadKnowledgeBase();
    return kb;
}

// A finished 51-question test, every other answer right.
TestState finishedLongestTest(const KnowledgeBase &kb)
{
    Random random = Random::seeded(51);
    std::array<bool, KnowledgeBase::CategorySlots> selected {};
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
        selected[c] = true;
    TestState state;
    state.InterpretationDrawn = true;
    state.InterpretationQuestions = QuestionDraw::drawInterpretationQuestions(kb, selected, random);
    state.QuestionCount = static_cast<int>(state.InterpretationQuestions.size());
    for (int i = 0; i < state.QuestionCount; ++i) {
        const int v = state.InterpretationQuestions[i];
        state.InterpretationAnswers << kb.InterpretationTexts[i % 2 == 0 ? v : (v + 1) % 99];
    }
    return state;
}

void composeReportOf51Questions(benchmark::State &bench)
{
    const KnowledgeBase kb = loadedKnowledge();
    const TestState state = finishedLongestTest(kb);
    for (auto _ : bench) {
        const TestReport report = interpretationReport(kb, state);
        benchmark::DoNotOptimize(report.plainText());
    }
}
BENCHMARK(composeReportOf51Questions);

void drawSignificanceQuestion(benchmark::State &bench)
{
    const KnowledgeBase kb = loadedKnowledge();
    Random random = Random::fromClock();
    int category = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(QuestionDraw::significanceQuestion(kb, category, random));
        category = (category + 1) % KnowledgeBase::CategoryCount;
    }
}
BENCHMARK(drawSignificanceQuestion);

void drawInterpretationQuestion(benchmark::State &bench)
{
    const KnowledgeBase kb = loadedKnowledge();
    Random random = Random::fromClock();
    int variation = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(QuestionDraw::interpretationQuestion(kb, variation, random));
        variation = (variation + 1) % KnowledgeBase::VariationCount;
    }
}
BENCHMARK(drawInterpretationQuestion);

void drawQuestionListOf51(benchmark::State &bench)
{
    const KnowledgeBase kb = loadedKnowledge();
    Random random = Random::fromClock();
    std::array<bool, KnowledgeBase::CategorySlots> selected {};
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
        selected[c] = true;
    for (auto _ : bench)
        benchmark::DoNotOptimize(QuestionDraw::drawInterpretationQuestions(kb, selected, random));
}
BENCHMARK(drawQuestionListOf51);

void loadKnowledgeBase(benchmark::State &bench)
{
    KnowledgeBase kb;
    for (auto _ : bench) {
        kb.LoadKnowledgeBase();
        benchmark::DoNotOptimize(kb.InterpretationTexts[98]);
    }
}
BENCHMARK(loadKnowledgeBase);

} // namespace

BENCHMARK_MAIN();
