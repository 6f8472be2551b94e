#include "option_button.h"

#include "keyboard_focus.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

OptionButton::OptionButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

bool OptionButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void OptionButton::paintEvent(QPaintEvent* e)
{
    QRadioButton::paintEvent(e);
    if (ui::showsFocus(this)) {
        // Around the words, beside the dot: the band never hides which answer is chosen.
        QStyleOptionButton option;
        initStyleOption(&option);
        const QRect dot = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
        QPainter p(this);
        ui::paintFocusRing(p, QRect(QPoint(std::min(dot.right() + 2, width() - 1), 0), rect().bottomRight()));
    }
}
