#include "button_label.h"

#include "display_scale.h"
#include "keyboard_focus.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

void ui::paintBorder(QPainter& p, const QRect& r, const QColor& colour)
{
    const int w = std::min({display::lineWidth(1), r.width() / 2, r.height() / 2});
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), colour);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), colour);
    p.fillRect(QRect(r.left(), r.top(), w, r.height()), colour);
    p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), colour);
}

ButtonLabel::ButtonLabel(QWidget* parent, const QString& array, int index) : QLabel(parent), index_(index)
{
    setObjectName(ui::itemName(array, index));
    setAlignment(Qt::AlignCenter);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab and the arrow keys; a mouse click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ui::captionColour);
    setPalette(p);
}

void ButtonLabel::click()
{
    if (isEnabled() && isVisible())
        emit clicked(index_);
}

void ButtonLabel::keyPressEvent(QKeyEvent* e)
{
    if (!ClickRule::key(e, [this] { click(); }))
        QLabel::keyPressEvent(e);
}

QString ButtonLabel::readerName() const
{
    QString name = text();
    name.remove(QStringLiteral("<<")).remove(QStringLiteral(">>"));
    return name.simplified();
}

void ButtonLabel::focusInEvent(QFocusEvent* e)
{
    // Highlighting is the mouse's: the keyboard's cue is the focus band, so a window coming
    // back to the front never lights up a button the mouse is nowhere near.
    update();
    QLabel::focusInEvent(e);
}

void ButtonLabel::focusOutEvent(QFocusEvent* e)
{
    update();
    QLabel::focusOutEvent(e);
}

void ButtonLabel::setHighlightColour(const QColor& c)
{
    highlight_ = c;
    update();
}

void ButtonLabel::setHighlighted(bool on)
{
    if (highlighted_ == on)
        return;
    highlighted_ = on;
    update();
}

void ButtonLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (highlighted_)
        p.fillRect(rect(), highlight_);
    ui::paintBorder(p, rect(), QColor(0, 0, 0));
    p.setFont(font());
    p.setPen(isEnabled() ? ui::captionColour : QColor(150, 150, 150));
    p.drawText(rect().adjusted(2, 0, -2, 0), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
    if (ui::showsFocus(this))
        ui::paintFocusRing(p, rect());
}

void ButtonLabel::mouseMoveEvent(QMouseEvent* e)
{
    if (hoverHighlights_)
        setHighlighted(true);
    emit hovered(index_);
    e->accept();
}

void ButtonLabel::mousePressEvent(QMouseEvent* e)
{
    clicks_.press(e);
    e->accept();
}

void ButtonLabel::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = clicks_.release(e, this);
    e->accept();
    if (click && isEnabled())
        emit clicked(index_);
}
