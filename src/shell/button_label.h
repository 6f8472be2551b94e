// Button labels: the push buttons of the screens, labels with a thin border and a highlight
// colour that the mouse moving over them turns on (the screen turns it off again).
#pragma once

#include "accessibility.h"
#include "click_rule.h"
#include "ui.h"

#include <QColor>
#include <QLabel>

class QPainter;

namespace ui {
// The thin single-line border of labels and boxes, inside the rectangle, growing with the scale.
void paintBorder(QPainter& p, const QRect& r, const QColor& colour);
} // namespace ui

// A label used as a push button: thin border, centred caption, and a highlight colour that
// fills it while it is highlighted. Plain, it lets the screen colour show through.
class ButtonLabel : public QLabel, public AccessibleItem {
    Q_OBJECT
public:
    ButtonLabel(QWidget* parent, const QString& array, int index);

    int index() const { return index_; }
    void setHighlightColour(const QColor& c);
    QColor highlightColour() const { return highlight_; }
    void setHighlighted(bool on);
    bool isHighlighted() const { return highlighted_; }
    // Whether the mouse moving over it highlights it (some screens have no hover handling).
    void setHoverHighlights(bool on) { hoverHighlights_ = on; }

    // What a click does, for the keyboard and for screen readers.
    void click();

    QAccessible::Role readerRole() const override { return QAccessible::Button; }
    // The caption without the arrows drawn beside some ("Next Question >>" is "Next Question").
    QString readerName() const override;
    bool readerPressable() const override { return isEnabled(); }
    void readerPress() override { click(); }

signals:
    void clicked(int index);
    void hovered(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int index_;
    QColor highlight_ = ui::defaultHighlight;
    bool highlighted_ = true;
    bool hoverHighlights_ = true;
    ClickRule clicks_;
};
