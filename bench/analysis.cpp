// How long the analysis of a page of handwriting takes, and how much memory
// it needs for a very large picture.
//   quillmere-bench-analysis                      the timings (Google Benchmark)
//   quillmere-bench-analysis --write FILE MP      writes a page of about MP megapixels
//   quillmere-bench-analysis --analyse FILE       analyses FILE, prints the peak memory
#include "HandPage.h"
#include "analysis/PageAnalysis.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// An A4 page of running text at `dpi`, turned a little on grey, ruled paper.
HandPageLayout a4(qreal dpi)
{
    HandPageLayout l;
    l.dpi = dpi;
    l.rotation = 1.5;
    l.ruled = true;
    l.unevenLight = true;
    l.paper = QColor(220, 216, 205);
    return l;
}

void analyseA4At300Dpi(benchmark::State &bench)
{
    const QImage page = drawHandPage(a4(300));
    for (auto _ : bench) {
        const PageAnalysis::Result r = PageAnalysis::analyseImage(page);
        if (r.outcome != PageAnalysis::Outcome::Analysed)
            bench.SkipWithError("not analysed");
        benchmark::DoNotOptimize(r.findings.data());
    }
    bench.counters["megapixels"] = page.width() * page.height() / 1e6;
}
BENCHMARK(analyseA4At300Dpi)->Unit(benchmark::kMillisecond);

void readAndAnalyseA4PngAt300Dpi(benchmark::State &bench)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.png"));
    drawHandPage(a4(300)).save(file);
    for (auto _ : bench) {
        const PageAnalysis::Result r = PageAnalysis::analyseFile(file);
        if (r.outcome != PageAnalysis::Outcome::Analysed)
            bench.SkipWithError("not analysed");
        benchmark::DoNotOptimize(r.findings.data());
    }
}
BENCHMARK(readAndAnalyseA4PngAt300Dpi)->Unit(benchmark::kMillisecond);

long peakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int writeLarge(const char *file, double megapixels)
{
    // A4 is 8.27 by 11.69 inches.
    const qreal dpi = std::sqrt(megapixels * 1e6 / (8.2677 * 11.6929));
    const QImage page = drawHandPage(a4(dpi));
    QImageWriter writer(QString::fromLocal8Bit(file));
    writer.setQuality(90);
    if (!writer.write(page)) {
        std::fprintf(stderr, "%s\n", qPrintable(writer.errorString()));
        return 1;
    }
    std::printf("%d x %d (%.1f megapixels) at %.0f dpi\n", page.width(), page.height(),
        page.width() * double(page.height()) / 1e6, dpi);
    return 0;
}

int analyseLarge(const char *file)
{
    const long before = peakKilobytes();
    const PageAnalysis::Result r = PageAnalysis::analyseFile(QString::fromLocal8Bit(file));
    std::printf("%s: outcome %d, %d x %d, %d lines; peak memory %.0f MB (%.0f MB before)\n", file,
        int(r.outcome), r.size.width(), r.size.height(), int(r.lines.size()),
        peakKilobytes() / 1024.0, before / 1024.0);
    return r.outcome == PageAnalysis::Outcome::Analysed ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--analyse") == 0) {
        // No fonts and no display: what the command line would need.
        QCoreApplication app(argc, argv);
        return analyseLarge(argv[2]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0)
        return writeLarge(argv[2], std::atof(argv[3]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
