// The one rule by which an item that acts as a button is clicked: a left press let go inside
// the item, or Enter, Return or Space on it. A held key's repeats and the second press of a
// double click click nothing, so a double click on "Next Question >>" never skips a question.
#pragma once

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QWidget;

class ClickRule {
public:
    // A left press starts a click; any other button, or a double click's second press, does not.
    void press(const QMouseEvent* e);
    // True when this release ends a click: the left button, let go inside the item.
    bool release(const QMouseEvent* e, const QWidget* item);

    // Enter, Return or Space: accepted, so that it goes no further, and clicks unless it is a
    // held key's repeat; true. Every other key is left alone for the item to pass on; false.
    static bool key(QKeyEvent* e, const std::function<void()>& click);

private:
    bool pressed_ = false;
};
