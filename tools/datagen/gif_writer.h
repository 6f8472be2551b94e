// GIF output for the generators: Qt reads GIF but cannot write it, so giflib does.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <vector>

namespace datagen {

// Up to 256 colours that represent the image well: its own colours when it has few,
// otherwise a median cut of its colour histogram. Large flat areas keep their exact colour.
std::vector<QRgb> buildPalette(const QImage& image, int maxColours = 256);

// The image as a single-frame GIF (no transparency, no dithering), palette from buildPalette.
QByteArray encodeGif(const QImage& image);

} // namespace datagen
