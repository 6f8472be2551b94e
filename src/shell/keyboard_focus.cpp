#include "keyboard_focus.h"

#include "accessibility.h"
#include "display_scale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace ui {

namespace {

// The focus mark shows once the keyboard is in use and hides again at the next click or
// touch, so a pupil with a mouse never sees a band that means nothing to them.
bool keyboardMode = false;

// Qt's own items on the screens (text boxes, tick boxes, push buttons, a question read out)
// get the same band as the program's own items, which draw it themselves, over whatever faint
// mark their style draws.
bool needsFocusBand(const QObject* o)
{
    if (dynamic_cast<const AccessibleItem*>(o) || o->inherits("OptionButton"))
        return false;
    return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QAbstractButton*>(o) || qobject_cast<const QLabel*>(o);
}

class FocusVisibility : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && watched->isWidgetType() && needsFocusBand(watched)) {
            auto* w = static_cast<QWidget*>(watched);
            if (keyboardMode && w->hasFocus() && w->window()->inherits("Screen")) {
                // The item paints itself first; the band goes on top, within the same paint.
                static_cast<QObject*>(w)->event(e);
                QPainter p(w);
                paintFocusRing(p, w->rect(), w->palette().color(w->backgroundRole()).lightness() > 150);
                return true;
            }
        }
        bool on = keyboardMode;
        if (e->type() == QEvent::KeyPress)
            on = true;
        else if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::TouchBegin)
            on = false;
        if (on != keyboardMode) {
            keyboardMode = on;
            if (QWidget* f = QApplication::focusWidget())
                f->update();
        }
        return QObject::eventFilter(watched, e);
    }
};

bool takesTab(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy(); }

QRect within(const QWidget* window, const QWidget* w) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); }

// How far an arrow key travels from here to there: items level with here (overlapping it
// across the direction of travel) come before all others, then the nearest ahead, counting
// distance to the side double. None when there does not lie ahead in the arrow's direction.
std::optional<std::pair<bool, double>> travel(const QRect& here, const QRect& there, int key)
{
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    const int along = horizontal ? there.center().x() - here.center().x() : there.center().y() - here.center().y();
    if (forward ? along <= 0 : along >= 0)
        return std::nullopt;
    double ahead, aside;
    bool level;
    if (horizontal) {
        ahead = forward ? there.left() - here.right() : here.left() - there.right();
        aside = std::abs(there.center().y() - here.center().y());
        level = there.top() <= here.bottom() && here.top() <= there.bottom();
    } else {
        ahead = forward ? there.top() - here.bottom() : here.top() - there.bottom();
        aside = std::abs(there.center().x() - here.center().x());
        level = there.left() <= here.right() && here.left() <= there.right();
    }
    return std::pair<bool, double>{!level, std::max(0.0, ahead) + 2 * aside};
}

} // namespace

void watchKeyboard()
{
    static FocusVisibility* watcher = nullptr;
    if (!watcher && qApp) {
        watcher = new FocusVisibility;
        watcher->setParent(qApp);
        qApp->installEventFilter(watcher);
    }
}

bool showsFocus(const QWidget* w)
{
    watchKeyboard();
    return keyboardMode && w->hasFocus();
}

void paintFocusRing(QPainter& p, const QRect& r, bool onPale)
{
    // Three pixels at 96 dpi, growing with the display.
    const int band = std::max(2, display::lineWidth(3));
    const QColor bandColour = onPale ? QColor(0, 0, 0) : QColor(255, 255, 255);
    const QColor edgeColour = onPale ? QColor(255, 255, 255) : QColor(0, 0, 0);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    QPen edge(edgeColour);
    edge.setWidth(1);
    edge.setJoinStyle(Qt::MiterJoin);
    p.setPen(edge);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    QPen white(bandColour);
    white.setWidth(band);
    white.setJoinStyle(Qt::MiterJoin);
    p.setPen(white);
    const int half = 1 + band / 2;
    p.drawRect(r.adjusted(half, half, -half - (band % 2 == 0 ? 0 : 1), -half - (band % 2 == 0 ? 0 : 1)));
    p.setPen(edge);
    p.drawRect(r.adjusted(band + 1, band + 1, -band - 2, -band - 2));
    p.restore();
}

QList<QWidget*> readingOrder(const QWidget* window)
{
    QList<QWidget*> items;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (!w->isWindow() && takesTab(w))
            items << w;
    std::stable_sort(items.begin(), items.end(), [window](QWidget* a, QWidget* b) {
        const QPoint pa = a->mapTo(window, QPoint(0, 0));
        const QPoint pb = b->mapTo(window, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return items;
}

QWidget* firstFocusable(const QWidget* window, QWidget* start)
{
    QWidget* w = start;
    for (int guard = 0; w && guard < 10000; ++guard, w = w->nextInFocusChain()) {
        if (guard > 0 && w == start)
            break;
        if (w != window && w->window() == window && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus))
            return w;
    }
    return nullptr;
}

QWidget* nearestTowards(const QWidget* window, QWidget* from, int key)
{
    const QRect here = within(window, from);
    QWidget* best = nullptr;
    std::pair<bool, double> bestCost{false, std::numeric_limits<double>::max()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w == from || !w->isVisible() || !w->isEnabled() || !takesTab(w))
            continue;
        const auto cost = travel(here, within(window, w), key);
        if (cost && (!best || *cost < bestCost)) {
            bestCost = *cost;
            best = w;
        }
    }
    return best;
}

} // namespace ui
