// Option buttons that react across their whole row and mark the keyboard's focus beside the dot.
#pragma once

#include <QRadioButton>

// An option button that reacts across its whole row, not only on its dot and its words: a
// pupil clicking beside a short answer ("206") selects it.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(const QString& text, QWidget* parent);

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* e) override;
};
