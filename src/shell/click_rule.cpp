#include "click_rule.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

void ClickRule::press(const QMouseEvent* e)
{
    // QWidget passes the second press of a double click on as a press.
    pressed_ = e->button() == Qt::LeftButton && e->type() != QEvent::MouseButtonDblClick;
}

bool ClickRule::release(const QMouseEvent* e, const QWidget* item)
{
    const bool click = pressed_ && e->button() == Qt::LeftButton && item->rect().contains(e->position().toPoint());
    pressed_ = false;
    return click;
}

bool ClickRule::key(QKeyEvent* e, const std::function<void()>& click)
{
    const int k = e->key();
    if (k != Qt::Key_Return && k != Qt::Key_Enter && k != Qt::Key_Space)
        return false;
    e->accept();
    if (!e->isAutoRepeat())
        click();
    return true;
}
