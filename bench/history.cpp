// The test history (Google Benchmark): recording one finished test, and
// opening the Test History window on a history of 10,000 tests.

#include "history/HistoryWindow.h"
#include "history/TestHistory.h"
#include "knowledge/KnowledgeBase.h"
#include "shell/Platform.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const KnowledgeBase &knowledge()
{
    static const KnowledgeBase kb = [] {
        KnowledgeBase loaded;
        loaded.LoadKnowledgeBase();
        return loaded;
    }();
    return kb;
}

// A test by interpretation of `count` questions, every third one missed.
TestRecord finishedTest(int count, qint64 when)
{
    const KnowledgeBase &kb = knowledge();
    TestRecord test;
    test.taken = QDateTime::fromMSecsSinceEpoch(when, Qt::UTC);
    for (int i = 0; i < count; ++i) {
        const int v = (i * 7 + static_cast<int>(when)) % KnowledgeBase::VariationCount;
        const QString right = kb.InterpretationTexts[v];
        const QString wrong = kb.InterpretationTexts[(v + 1) % KnowledgeBase::VariationCount];
        test.questions << AskedQuestion { v, kb.VariationNames[v],
            { right, wrong, kb.InterpretationTexts[(v + 2) % KnowledgeBase::VariationCount] },
            i % 3 == 0 ? wrong : right, right };
        test.score += i % 3 == 0 ? 0 : 1;
    }
    return test;
}

// A desktop that is never asked anything while the window opens.
class QuietPlatform final : public Platform
{
public:
    Answer messageBox(const QString &, const QString &, Icon, Buttons) override
    {
        return Answer::No;
    }
    void openWebAddress(const QString &) override { }
    void clearClipboard() override { }
    QString clipboardText() const override { return {}; }
    bool printDocument(const QTextDocument &) override { return false; }
    std::optional<QString> readSetting(const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    bool writeSetting(const QString &, const QString &, const QString &, const QString &) override
    {
        return true;
    }
    bool acquireSingleInstanceLock() override { return true; }
    void keepAbove(QWidget *) override { }
    QString dataFolder() const override { return {}; }
    QString choosePictureFile(QWidget *) override { return {}; }
};

void recordTest(benchmark::State &state, int questions)
{
    QTemporaryDir dir;
    TestHistory history(dir.path());
    qint64 when = 0;
    for (auto _ : state) {
        if (!history.record(finishedTest(questions, ++when)))
            state.SkipWithError(qPrintable(history.problem()));
    }
}
BENCHMARK_CAPTURE(recordTest, ten_questions, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(recordTest, fifty_one_questions, 51)->Unit(benchmark::kMillisecond);

// One folder holds the 10,000 tests for every run of the opening benchmarks.
QString fullHistory()
{
    static QTemporaryDir dir;
    static const bool filled = [] {
        TestHistory history(dir.path());
        for (int i = 0; i < 10000; ++i)
            history.record(finishedTest(10, i));
        return true;
    }();
    Q_UNUSED(filled);
    return dir.path();
}

void readHistory(benchmark::State &state)
{
    const QString folder = fullHistory();
    for (auto _ : state) {
        TestHistory history(folder);
        const HistoryView view = HistoryView::read(history);
        benchmark::DoNotOptimize(view.tests.size());
    }
}
BENCHMARK(readHistory)->Unit(benchmark::kMillisecond);

void openHistoryWindow(benchmark::State &state)
{
    const QString folder = fullHistory();
    QuietPlatform platform;
    for (auto _ : state) {
        TestHistory history(folder);
        HistoryWindow window(history, knowledge(), platform);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(openHistoryWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
