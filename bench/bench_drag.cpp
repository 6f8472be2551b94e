// What one pointer move costs while a label is dragged: the rule that centres the label on
// the pointer plus moving its widget, and then the same with the repaint that follows.
#include "bench_main.h"
#include "test_topics.h"
#include "activities/activity_screen.h"
#include "activities/open_activity.h"
#include "platform/fonts.h"

#include "test_app.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace activity;

namespace {

// Counts widget paints, so the figures show that every move really painted something.
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

struct DragFixture {
    TestApp t;
    ActivityScreen* screen = nullptr;
    AnswerLabel* label = nullptr;

    explicit DragFixture(const char* name)
    {
        openActivity(t.app, QString::fromLatin1(name), QStringLiteral("Bones"));
        screen = qobject_cast<ActivityScreen*>(t.screens.find(QString::fromLatin1(name)));
        label = screen->answerLabel(0);
        QApplication::processEvents(); // the first paint is not part of a drag
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(label->rect().center()),
                          label->mapToGlobal(QPointF(label->rect().center())), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(label, &press);
    }

    // The pointer swings between two spots on the screen a few pixels apart, as in a slow
    // drag: the label moves on every event and stays over the same part of the screen.
    void move(int step)
    {
        const QPoint pointer = spot + ((step & 1) ? QPoint(4, 3) : QPoint(-4, -3));
        const QPointF pos = QPointF(pointer - label->pos()); // as the label sees it
        QMouseEvent move(QEvent::MouseMove, pos, label->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(label, &move);
    }
    // Over the skeleton and its lines, the child's body, and the columns of target boxes.
    const QPoint spot{520, 230};
};

void BM_DragMove(benchmark::State& state, const char* screenName)
{
    DragFixture f(screenName);
    int step = 0;
    for (auto _ : state)
        f.move(step++);
    QApplication::processEvents();
}

void BM_DragMoveAndRepaint(benchmark::State& state, const char* screenName)
{
    DragFixture f(screenName);
    f.screen->show();
    QApplication::processEvents();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    int step = 0;
    for (auto _ : state) {
        const QRect before = f.label->geometry();
        f.move(step++);
        // Paints what the move uncovered and the label at its new place, at once.
        f.screen->repaint(before | f.label->geometry());
    }
    qApp->removeEventFilter(&counter);
    state.counters["widgetPaintsPerMove"] = double(counter.paints) / double(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(BM_DragMove, boneslab, "boneslab");
BENCHMARK_CAPTURE(BM_DragMove, partsord, "partsord");
BENCHMARK_CAPTURE(BM_DragMoveAndRepaint, boneslab, "boneslab");
BENCHMARK_CAPTURE(BM_DragMoveAndRepaint, partslab, "partslab");
BENCHMARK_CAPTURE(BM_DragMoveAndRepaint, bonesord, "bonesord");

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
