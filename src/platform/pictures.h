// Pictures by relative path: JPEG, GIF and BMP through Qt, Windows metafiles by our reader.
#pragma once

#include <QCache>
#include <QSet>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <memory>

class DataFolder;
class QPainter;
class QRectF;

// A picture drawn from commands rather than pixels (a Windows metafile).
class VectorPicture {
public:
    virtual ~VectorPicture() = default;
    virtual QSizeF sizeTwips() const = 0;
    virtual void draw(QPainter& painter, const QRectF& target) const = 0;
    // The words written on the picture, line by line, for screen readers.
    virtual QString words() const { return {}; }
    // What the drawing says it shows (an SVG's <title>); empty when it says nothing.
    virtual QString title() const { return {}; }
};

// A loaded picture; cheap to copy. A null picture draws nothing and has no size.
class Picture {
public:
    Picture() = default;
    explicit Picture(QImage image);
    explicit Picture(std::shared_ptr<const VectorPicture> vector);

    bool isNull() const { return image_.isNull() && !vector_; }
    bool isVector() const { return vector_ != nullptr; }
    // Its size in twips: a photograph made at twice the design density (a "@2x" file) is
    // as large as the ordinary one.
    QSizeF sizeTwips() const;
    // Its size in pixels at the display scale.
    QSize sizePixels() const;
    const QImage& image() const { return image_; }
    QString words() const { return vector_ ? vector_->words() : QString(); }
    QString title() const { return vector_ ? vector_->title() : QString(); }
    void draw(QPainter& painter, const QRectF& target) const;

private:
    QImage image_;
    std::shared_ptr<const VectorPicture> vector_;
};

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // A null picture when the file is missing or cannot be decoded.
    virtual Picture load(const QString& relativePath) = 0;
};

// Decoded pictures are kept (up to a memory budget) so that animations do not decode the
// same frame file on every tick. When the display shows the screens enlarged, a photograph's
// sharper copy made at twice the size ("Images\skeleton@2x.jpg" beside "Images\skeleton.jpg"),
// or at four times ("@4x") for the largest displays,
// is taken where there is one.
class QtPictureLoader : public PictureLoader {
public:
    explicit QtPictureLoader(const DataFolder& files, qint64 cacheBytes = 128LL * 1024 * 1024);
    Picture load(const QString& relativePath) override;
    static Picture decode(const QByteArray& bytes, const QString& pathForFormat);

private:
    Picture loadFile(const QString& relativePath, double density);

    const DataFolder& files_;
    QCache<QString, Picture> cache_;
    QSet<QString> noSharperCopy_;
    int topicGeneration_ = 0;
};
