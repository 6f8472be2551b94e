// Fuzz target: the metafile decoder, and playback of what it decoded onto an image and onto a
// recording (the path printers and PDF files take).
#include "gui_app.h"
#include "platform/fonts.h"
#include "platform/metafile.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startGuiApplication("fuzz_metafile");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto picture = loadMetafile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!picture)
        return 0;
    QImage image(48, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        picture->draw(painter, QRectF(2, 3, 44, 34));
    }
    QPicture recording;
    {
        QPainter painter(&recording);
        picture->draw(painter, QRectF(0, 0, 30, 60));
    }
    return 0;
}
