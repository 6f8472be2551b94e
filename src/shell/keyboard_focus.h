// The keyboard's focus on the screens: the mark that shows which item has it (only while the
// keyboard is in use), and where the arrow keys and Tab take it.
#pragma once

#include <QList>
#include <QRect>

class QPainter;
class QWidget;

namespace ui {
// Whether an item draws its focus mark: it has the focus and the keyboard is in use.
bool showsFocus(const QWidget* w);
// Starts watching whether the keyboard is in use, and marks the focus of Qt's own items
// (text boxes, push buttons) on the screens; once is enough, again does nothing.
void watchKeyboard();
// The keyboard focus mark every focusable item draws: a white band edged in black, which
// shows on the blue screens, on black buttons and on yellow alike; on a white or pale item (a
// text box, a grey push button) the same band in black edged in white.
void paintFocusRing(QPainter& p, const QRect& r, bool onPale = false);

// The items of a window that Tab visits, in reading order: top to bottom, left to right.
QList<QWidget*> readingOrder(const QWidget* window);
// The first item of the window, following the Tab chain from start, that can take the focus.
QWidget* firstFocusable(const QWidget* window, QWidget* start);
// The item an arrow key moves the focus to from the given one: of those ahead in the arrow's
// direction, the ones level with it first, then the nearest. Null when there is none.
QWidget* nearestTowards(const QWidget* window, QWidget* from, int key);
} // namespace ui
