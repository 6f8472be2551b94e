// The costs on a classroom projector: every screen fitted to 1920 x 1080 (1.8 screen pixels
// to a 96-dpi pixel). One pointer move of a drag, with and without the repaint it causes, and
// one full repaint of a screen. Targets: a drag move under 1 ms, a full repaint under 8 ms.
#include "bench_main.h"
#include "test_topics.h"
#include "activities/activity_screen.h"
#include "platform/fonts.h"
#include "topics/topic_hub.h"

#include "test_app.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace activity;

namespace {

constexpr double projectorScale = 1.8; // display::fittingScale(1920 x 1080, full screen)

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Projector {
    Projector() { display::setScale(projectorScale); }
    ~Projector() { display::setScale(1.0); }
};

struct DragFixture {
    Projector projector;
    TestApp t;
    ActivityScreen* screen = nullptr;
    AnswerLabel* label = nullptr;

    explicit DragFixture(const char* name)
    {
        openActivity(t.app, QString::fromLatin1(name), QStringLiteral("Bones"));
        screen = qobject_cast<ActivityScreen*>(t.screens.find(QString::fromLatin1(name)));
        label = screen->answerLabel(0);
        screen->repaint();
        QApplication::processEvents(); // the first paint is not part of a drag
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(label->rect().center()),
                          label->mapToGlobal(QPointF(label->rect().center())), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(label, &press);
    }

    // The pointer swings between two spots a few pixels apart over the picture and its lines.
    void move(int step)
    {
        const QPoint pointer = spot + ((step & 1) ? QPoint(7, 5) : QPoint(-7, -5));
        const QPointF pos = QPointF(pointer - label->pos());
        QMouseEvent move(QEvent::MouseMove, pos, label->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(label, &move);
    }
    const QPoint spot{936, 414};
};

void BM_ProjectorDragMove(benchmark::State& state, const char* screenName)
{
    DragFixture f(screenName);
    int step = 0;
    for (auto _ : state)
        f.move(step++);
    QApplication::processEvents();
}

void BM_ProjectorDragMoveAndRepaint(benchmark::State& state, const char* screenName)
{
    DragFixture f(screenName);
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    int step = 0;
    for (auto _ : state) {
        const QRect before = f.label->geometry();
        f.move(step++);
        f.screen->repaint(before | f.label->geometry());
    }
    qApp->removeEventFilter(&counter);
    state.counters["widgetPaintsPerMove"] = double(counter.paints) / double(state.iterations());
}

// Every pixel of the screen painted again, pictures from their drawn copies.
void fullRepaint(benchmark::State& state, Screen& screen)
{
    screen.repaint();
    QApplication::processEvents();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    for (auto _ : state)
        screen.repaint();
    qApp->removeEventFilter(&counter);
    state.counters["widgetPaints"] = double(counter.paints) / double(state.iterations());
    state.counters["pixels"] = double(screen.width() * screen.height());
}

void BM_ProjectorFullRepaintActivity(benchmark::State& state, const char* screenName)
{
    DragFixture f(screenName);
    fullRepaint(state, *f.screen);
}

void BM_ProjectorFullRepaintHub(benchmark::State& state, const char* hubName)
{
    Projector projector;
    TestApp t;
    TopicHub& hub = touchHub(t, hubName);
    t.screens.show(hub);
    fullRepaint(state, hub);
}

void BM_ProjectorFullRepaintPage(benchmark::State& state)
{
    Projector projector;
    TestApp t;
    TopicHub& hub = touchHub(t, "bones");
    hub.buttonAction(TopicHub::KeyFacts);
    fullRepaint(state, *t.screens.find(QStringLiteral("teacher")));
}

// The bones hub's skull animation: the next frame's sharper copy loaded (decoded once the
// cache has let it go), drawn at the display's size and painted.
void BM_ProjectorSkullTick(benchmark::State& state)
{
    Projector projector;
    TestApp t;
    TopicHub& hub = touchHub(t, "bones");
    t.screens.show(hub);
    auto* timer = hub.findChild<QTimer*>(QStringLiteral("Timer1"));
    PictureItem* image = hub.image();
    for (auto _ : state) {
        QMetaObject::invokeMethod(timer, "timeout");
        image->repaint();
    }
    state.counters["pictureWidth"] = image->width();
}

} // namespace

BENCHMARK(BM_ProjectorSkullTick)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProjectorDragMove, boneslab, "boneslab")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ProjectorDragMove, partsord, "partsord")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ProjectorDragMoveAndRepaint, boneslab, "boneslab")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ProjectorDragMoveAndRepaint, partslab, "partslab")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ProjectorFullRepaintActivity, boneslab, "boneslab")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProjectorFullRepaintActivity, partslab, "partslab")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProjectorFullRepaintHub, parts, "parts")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectorFullRepaintPage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
