#include "pictures.h"

#include "data_folder.h"
#include "metafile.h"
#include "twips.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

Picture::Picture(QImage image) : image_(std::move(image)) {}

Picture::Picture(std::shared_ptr<const VectorPicture> vector) : vector_(std::move(vector)) {}

QSizeF Picture::sizeTwips() const
{
    if (vector_)
        return vector_->sizeTwips();
    // Pictures are made at the design density, 15 twips to the pixel, whatever the display.
    const double ratio = image_.devicePixelRatio();
    return QSizeF(image_.width() * twips::perPixel / ratio, image_.height() * twips::perPixel / ratio);
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
    explicit SvgPicture(const QByteArray& bytes) : renderer_(bytes), title_(svgTitle(bytes)) {}
    bool valid() const { return renderer_.isValid() && !renderer_.defaultSize().isEmpty(); }
    QSizeF sizeTwips() const override
    {
        // One unit is a pixel at the design density, whatever the display's scale.
        const QSize px = renderer_.defaultSize();
        return QSizeF(px.width() * twips::perPixel, px.height() * twips::perPixel);
    }
    void draw(QPainter& painter, const QRectF& target) const override
    {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        renderer_.render(&painter, target);
        painter.restore();
    }
    QString title() const override { return title_; }

private:
    // The drawing's own <title>, which says what it shows.
    static QString svgTitle(const QByteArray& bytes)
    {
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("title"))
                return xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
        }
        return {};
    }

    mutable QSvgRenderer renderer_;
    QString title_;
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
        // A drawing far beyond any topic's (content/README.md) would take the window's memory
        // and seconds to draw.
        if (bytes.size() > 2 * 1024 * 1024)
            return {};
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

namespace {

// "Images\skeleton.jpg" gives "Images\skeleton@2x.jpg" (times 2); drawings (metafiles,
// SVG) need no sharper copy.
QString sharperCopy(const QString& relativePath, int times)
{
    const int dot = relativePath.lastIndexOf(QLatin1Char('.'));
    const int folder = std::max(relativePath.lastIndexOf(QLatin1Char('\\')), relativePath.lastIndexOf(QLatin1Char('/')));
    if (dot <= folder + 1 || relativePath.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive) ||
        relativePath.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return {};
    return relativePath.left(dot) + QStringLiteral("@%1x").arg(times) + relativePath.mid(dot);
}

} // namespace

Picture QtPictureLoader::load(const QString& relativePath)
{
    // The smallest copy that is not enlarged at this scale, where there is one: four times
    // the size (made for the largest displays) beyond twice, else twice.
    for (const int times : {4, 2}) {
        if (twips::scale() <= times / 2.0)
            continue;
        const QString sharper = sharperCopy(relativePath, times);
        if (!sharper.isEmpty() && !noSharperCopy_.contains(sharper)) {
            const Picture picture = loadFile(sharper, times);
            if (!picture.isNull())
                return picture;
            noSharperCopy_.insert(sharper); // asked once, not on every animation tick
        }
    }
    return loadFile(relativePath, 1.0);
}

Picture QtPictureLoader::loadFile(const QString& relativePath, double density)
{
    // Topics read again may put other files behind the same names.
    if (topicGeneration_ != files_.topicGeneration()) {
        topicGeneration_ = files_.topicGeneration();
        cache_.clear();
        noSharperCopy_.clear();
    }
    if (const Picture* cached = cache_.object(relativePath))
        return *cached;
    const QString path = files_.resolve(relativePath);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > 64LL * 1024 * 1024)
        return {};
    Picture picture = decode(file.readAll(), path);
    if (picture.isNull() || (density != 1.0 && picture.isVector()))
        return {};
    if (density != 1.0) {
        QImage image = picture.image();
        picture = Picture(QImage()); // the only other holder of the pixels lets go first
        image.setDevicePixelRatio(density);
        picture = Picture(std::move(image));
    }
    const qint64 cost = picture.isVector() ? 64 : picture.image().sizeInBytes() / 1024 + 1;
    cache_.insert(relativePath, new Picture(picture), static_cast<int>(cost));
    return picture;
}
