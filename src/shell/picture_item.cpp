#include "picture_item.h"

#include <QPainter>
#include <QtMath>

PictureItem::PictureItem(QWidget* parent, const QString& name, Mode mode) : QWidget(parent), mode_(mode)
{
    setObjectName(name);
}

void PictureItem::setPicture(const Picture& picture, const QString& source)
{
    picture_ = picture;
    source_ = source;
    drawn_ = QPixmap();
    if (mode_ == AutoSize && !picture.isNull())
        resize(picture.sizePixels());
    update();
}

void PictureItem::setMode(Mode mode)
{
    mode_ = mode;
    drawn_ = QPixmap();
    update();
}

void PictureItem::clear()
{
    picture_ = Picture();
    source_.clear();
    drawn_ = QPixmap();
    update();
}

QString PictureItem::description() const { return describePicture(source_, picture_); }

void PictureItem::setBackground(const QColor& c)
{
    background_ = c;
    update();
}

void PictureItem::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (background_.isValid())
        p.fillRect(rect(), background_);
    if (picture_.isNull())
        return;
    const QSize size = mode_ == Stretch ? this->size() : picture_.sizePixels();
    if (size.isEmpty())
        return;
    // Drawn once at the display's own resolution (vector pictures sharp, photographs scaled
    // smoothly) and then only copied, so repaints while a label is dragged stay cheap.
    const qreal ratio = devicePixelRatioF();
    const QSize device(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
    if (drawn_.size() != device) {
        QImage canvas(device, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        {
            QPainter c(&canvas);
            c.setRenderHint(QPainter::Antialiasing);
            c.setRenderHint(QPainter::TextAntialiasing);
            c.setRenderHint(QPainter::SmoothPixmapTransform);
            picture_.draw(c, QRectF(QPointF(0, 0), QSizeF(device)));
        }
        drawn_ = QPixmap::fromImage(std::move(canvas));
        drawn_.setDevicePixelRatio(ratio);
    }
    p.drawPixmap(QPointF(0, 0), drawn_);
}
