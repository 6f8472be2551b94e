// Costs of the shell: one tick of the brain animation, and start-up to the title screen.
#include "bench_main.h"
#include "platform/fonts.h"
#include "shell/animation_frames.h"
#include "menu/title_screen.h"

#include "test_app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// Painting into an image of the item's size stands in for the screen: the headless
// platform skips repaints of windows nobody looks at.
void paint(PictureItem* item)
{
    static QImage surface(item->size(), QImage::Format_ARGB32_Premultiplied);
    item->render(&surface);
}

void tickAndPaint(TitleScreen& title)
{
    QMetaObject::invokeMethod(title.findChild<QTimer*>("Timer1"), "timeout");
    paint(title.item<PictureItem>("Picture1"));
}

// One animation tick as the program runs it: the next frame file loaded (from the picture
// cache once the loop has gone round) and painted.
void BM_TitleAnimationTick(benchmark::State& state)
{
    TestApp t;
    auto& title = t.screens.touch<TitleScreen>();
    t.screens.show(title);
    for (int i = 0; i < 100; ++i)
        tickAndPaint(title);
    for (auto _ : state)
        tickAndPaint(title);
}
BENCHMARK(BM_TitleAnimationTick)->Unit(benchmark::kMicrosecond);

// The first time round the loop: each frame decoded from its JPEG file.
void BM_TitleAnimationTickUncached(benchmark::State& state)
{
    TestApp t;
    auto& title = t.screens.touch<TitleScreen>();
    t.screens.show(title);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QtPictureLoader fresh(t.files);
        state.ResumeTiming();
        title.item<PictureItem>("Picture1")->setPicture(fresh.load(animation_frames::brain(n)), animation_frames::brain(n));
        paint(title.item<PictureItem>("Picture1"));
        n = animation_frames::next(n, animation_frames::brainCount);
    }
}
BENCHMARK(BM_TitleAnimationTickUncached)->Unit(benchmark::kMicrosecond);

// From starting the process to the title screen shown, measured by the program itself and
// from outside (process start to its exit right after showing).
void BM_StartupToTitleShown(benchmark::State& state)
{
    double inside = 0;
    for (auto _ : state) {
        const StartTimes t = startOnce(QProcessEnvironment::systemEnvironment());
        state.SetIterationTime(t.toExit);
        inside = t.insideMs;
    }
    state.counters["in_process_ms"] = inside;
}
BENCHMARK(BM_StartupToTitleShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
