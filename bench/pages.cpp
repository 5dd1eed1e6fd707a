// How long turning a learning page takes in the main window, the sample
// picture decoded afresh each time as on a page's first showing, at the
// screen scale the benchmark runs at (QT_SCALE_FACTOR=2 for a dense screen).
#include "core/Random.h"
#include "mainwindow/MainWindow.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QPixmapCache>

#include <benchmark/benchmark.h>

namespace {

void click(QWidget *window, const char *name)
{
    control<QAbstractButton>(window, name)->click();
}

// Learning by interpretation through every category, one page on per
// iteration, back to the first page at the last.
void turnLearningPage(benchmark::State &bench)
{
    RecordingPlatform platform;
    Random random = Random::seeded(1);
    MainWindow window(platform, random);
    window.show();
    control<QAbstractButton>(&window, "optOption0")->setChecked(true);
    click(&window, "cmdNext");
    control<QAbstractButton>(&window, "optOption3")->setChecked(true);
    click(&window, "cmdNext2");
    for (QCheckBox *box : window.findChildren<QCheckBox *>())
        box->setChecked(true);
    click(&window, "cmdNext3");
    int page = 0;
    for (auto _ : bench) {
        QPixmapCache::clear();
        if (++page == 99) {
            click(&window, "cmdMain");
            click(&window, "cmdNext3");
            page = 0;
        } else {
            click(&window, "cmdLearnNext");
        }
        // The page as the screen gets it.
        window.repaint();
    }
    bench.counters["scale"] = window.devicePixelRatioF();
}
BENCHMARK(turnLearningPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
