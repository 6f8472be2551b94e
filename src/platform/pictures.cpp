#include "pictures.h"

#include "data_folder.h"
#include "metafile.h"
#include "twips.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

Picture::Picture(QImage image) : image_(std::move(image)) {}

Picture::Picture(std::shared_ptr<const VectorPicture> vector) : vector_(std::move(vector)) {}

QSizeF Picture::sizeTwips() const
{
    if (vector_)
        return vector_->sizeTwips();
    return QSizeF(twips::fromPixels(image_.width()), twips::fromPixels(image_.height()));
}

QSize Picture::sizePixels() const
{
    const QSizeF t = sizeTwips();
    return QSize(twips::toPixels(t.width()), twips::toPixels(t.height()));
}

void Picture::draw(QPainter& painter, const QRectF& target) const
{
    if (vector_) {
        vector_->draw(painter, target);
    } else if (!image_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, target.size() != QSizeF(image_.size()));
        painter.drawImage(target, image_);
    }
}

namespace {

// An SVG drawing; one SVG unit is one pixel at 96 dpi, so it is drawn sharp at any scale.
class SvgPicture : public VectorPicture {
public:
    explicit SvgPicture(const QByteArray& bytes) : renderer_(bytes) {}
    bool valid() const { return renderer_.isValid() && !renderer_.defaultSize().isEmpty(); }
    QSizeF sizeTwips() const override
    {
        const QSize px = renderer_.defaultSize();
        return QSizeF(twips::fromPixels(px.width()), twips::fromPixels(px.height()));
    }
    void draw(QPainter& painter, const QRectF& target) const override
    {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        renderer_.render(&painter, target);
        painter.restore();
    }

private:
    mutable QSvgRenderer renderer_;
};

} // namespace

QtPictureLoader::QtPictureLoader(const DataFolder& files, qint64 cacheBytes)
    : files_(files), cache_(static_cast<int>(std::min<qint64>(cacheBytes / 1024, INT_MAX)))
{
}

Picture QtPictureLoader::decode(const QByteArray& bytes, const QString& pathForFormat)
{
    if (pathForFormat.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive)) {
        auto vector = loadMetafile(bytes);
        return vector ? Picture(std::move(vector)) : Picture();
    }
    if (pathForFormat.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        auto svg = std::make_shared<SvgPicture>(bytes);
        return svg->valid() ? Picture(std::shared_ptr<const VectorPicture>(std::move(svg))) : Picture();
    }
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    // Keep a hostile header from asking for a gigantic allocation.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > 40LL * 1000 * 1000)
        return {};
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return Picture(std::move(image));
}

Picture QtPictureLoader::load(const QString& relativePath)
{
    if (const Picture* cached = cache_.object(relativePath))
        return *cached;
    const QString path = files_.resolve(relativePath);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64LL * 1024 * 1024)
        return {};
    Picture picture = decode(file.readAll(), path);
    if (picture.isNull())
        return {};
    const qint64 cost = picture.isVector() ? 64 : picture.image().sizeInBytes() / 1024 + 1;
    cache_.insert(relativePath, new Picture(picture), static_cast<int>(cost));
    return picture;
}
