#include "generator.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <stdexcept>

namespace datagen {

std::vector<Generator>& generators()
{
    static std::vector<Generator> all;
    return all;
}

QString& contentRoot()
{
    static QString root;
    return root;
}

QStringList& contentTopics()
{
    static QStringList topics;
    return topics;
}

Registrar::Registrar(const char* name, std::function<void(const Output&)> run)
{
    generators().push_back({name, std::move(run)});
}

QString Output::pathFor(const QString& relative) const
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return root_ + QLatin1Char('/') + rel;
}

void Output::writeBytes(const QString& relative, const QByteArray& bytes) const
{
    const QString path = pathFor(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    // Unchanged bytes are not rewritten, so file times only move when content does.
    if (f.open(QIODevice::ReadOnly) && f.readAll() == bytes)
        return;
    f.close();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString Output::sharper(const QString& relative, int times)
{
    const int dot = relative.lastIndexOf(QLatin1Char('.'));
    return relative.left(dot) + QStringLiteral("@%1x").arg(times) + relative.mid(dot);
}

static QByteArray encode(const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode image: " + writer.errorString().toStdString());
    return bytes;
}

void Output::writeJpeg(const QString& relative, const QImage& image, int quality) const
{
    writeBytes(relative, encode(image.convertToFormat(QImage::Format_RGB32), "jpeg", quality));
}

void Output::writeBmp(const QString& relative, const QImage& image) const
{
    writeBytes(relative, encode(image.convertToFormat(QImage::Format_RGB888), "bmp", -1));
}

} // namespace datagen
