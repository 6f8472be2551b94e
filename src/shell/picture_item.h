// Picture items: a picture on a screen, stretched, at its own size, or clipped in a box.
#pragma once

#include "accessibility.h"

#include "platform/pictures.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

// A picture on a screen: stretched to the item, taking the picture's own size, or drawn at
// its own size from the top-left and clipped (a picture box with its own background).
class PictureItem : public QWidget, public AccessibleItem {
    Q_OBJECT
public:
    enum Mode { Stretch, AutoSize, Clip };
    PictureItem(QWidget* parent, const QString& name, Mode mode);

    void setPicture(const Picture& picture, const QString& source);
    void clear();
    const Picture& picture() const { return picture_; }
    const QString& source() const { return source_; } // relative path last set, for tests
    Mode mode() const { return mode_; }
    void setMode(Mode mode);
    void setBackground(const QColor& c);
    QColor background() const { return background_; }
    // What the picture shows, in words, for screen readers.
    QString description() const;

    QAccessible::Role readerRole() const override { return QAccessible::Graphic; }
    QString readerName() const override { return description(); }
    QString readerDescription() const override { return picture_.words(); }
    // An empty picture box shows nothing, so there is nothing to read out.
    void readerState(QAccessible::State& s) const override { s.invisible = s.invisible || picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Mode mode_;
    Picture picture_;
    QString source_;
    QColor background_; // invalid: transparent
    // The picture as drawn at the item's size on this display: repaints only copy it.
    QPixmap drawn_;
};
