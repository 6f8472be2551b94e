#include "gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace datagen {

namespace {

struct Entry {
    QRgb colour;
    long count;
};

int channel(QRgb c, int ch)
{
    return ch == 0 ? qRed(c) : (ch == 1 ? qGreen(c) : qBlue(c));
}

// A box of the colour histogram, split along its widest channel until there are enough boxes.
struct Box {
    std::vector<Entry> entries;
    long total = 0;
    int widest = 0;
    int range = 0;

    void measure()
    {
        total = 0;
        range = -1;
        for (const auto& e : entries)
            total += e.count;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const auto& e : entries) {
                lo = std::min(lo, channel(e.colour, ch));
                hi = std::max(hi, channel(e.colour, ch));
            }
            // Green counts most to the eye, blue least.
            static const int weight[3] = {3, 4, 2};
            if ((hi - lo) * weight[ch] > range) {
                range = (hi - lo) * weight[ch];
                widest = ch;
            }
        }
    }

    QRgb representative() const
    {
        // A colour that fills most of its box (a flat background) is kept exactly.
        const Entry* top = &entries.front();
        double r = 0, g = 0, b = 0;
        for (const auto& e : entries) {
            if (e.count > top->count)
                top = &e;
            r += double(qRed(e.colour)) * e.count;
            g += double(qGreen(e.colour)) * e.count;
            b += double(qBlue(e.colour)) * e.count;
        }
        if (top->count * 2 >= total)
            return top->colour;
        return qRgb(int(r / total + 0.5), int(g / total + 0.5), int(b / total + 0.5));
    }
};

std::vector<Entry> histogram(const QImage& rgb)
{
    std::map<QRgb, long> counts; // ordered, so the result never depends on hashing
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[line[x] | 0xff000000u];
    }
    std::vector<Entry> out;
    out.reserve(counts.size());
    for (const auto& [c, n] : counts)
        out.push_back({c, n});
    return out;
}

int nearest(const std::vector<QRgb>& palette, QRgb c)
{
    int best = 0;
    long bestDist = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        const long dr = qRed(c) - qRed(palette[i]);
        const long dg = qGreen(c) - qGreen(palette[i]);
        const long db = qBlue(c) - qBlue(palette[i]);
        const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = int(i);
        }
    }
    return best;
}

int appendToBuffer(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

[[noreturn]] void fail(const char* step, int error)
{
    throw std::runtime_error(std::string("GIF ") + step + ": " + GifErrorString(error));
}

} // namespace

std::vector<QRgb> buildPalette(const QImage& image, int maxColours)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<Entry> all = histogram(rgb);
    std::vector<QRgb> palette;
    if (int(all.size()) <= maxColours) {
        for (const auto& e : all)
            palette.push_back(e.colour);
        return palette;
    }
    std::vector<Box> boxes(1);
    boxes[0].entries = std::move(all);
    boxes[0].measure();
    while (int(boxes.size()) < maxColours) {
        // Split the box whose colours spread widest, weighted by how many pixels it holds.
        int pick = -1;
        double pickScore = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].entries.size() < 2)
                continue;
            const double score = double(boxes[i].range) * std::sqrt(double(boxes[i].total));
            if (score > pickScore) {
                pickScore = score;
                pick = int(i);
            }
        }
        if (pick < 0)
            break;
        Box& box = boxes[size_t(pick)];
        const int ch = box.widest;
        std::stable_sort(box.entries.begin(), box.entries.end(), [ch](const Entry& a, const Entry& b) {
            return channel(a.colour, ch) < channel(b.colour, ch);
        });
        long half = 0;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < box.entries.size(); ++i) {
            half += box.entries[i].count;
            cut = i + 1;
            if (half * 2 >= box.total)
                break;
        }
        Box upper;
        upper.entries.assign(box.entries.begin() + long(cut), box.entries.end());
        box.entries.resize(cut);
        box.measure();
        upper.measure();
        boxes.push_back(std::move(upper));
    }
    for (const auto& b : boxes)
        palette.push_back(b.representative());
    return palette;
}

QByteArray encodeGif(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> palette = buildPalette(rgb);
    palette.resize(256, qRgb(0, 0, 0)); // giflib wants a power of two

    std::vector<GifColorType> colours(256);
    for (size_t i = 0; i < 256; ++i)
        colours[i] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])), GifByteType(qBlue(palette[i]))};

    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, appendToBuffer, &error);
    if (!gif)
        fail("open", error);
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    auto abandon = [&](const char* step) {
        const int code = gif->Error;
        GifFreeMapObject(map);
        int ignored = 0;
        EGifCloseFile(gif, &ignored);
        fail(step, code);
    };
    if (EGifPutScreenDesc(gif, rgb.width(), rgb.height(), 8, 0, map) == GIF_ERROR)
        abandon("screen");
    if (EGifPutImageDesc(gif, 0, 0, rgb.width(), rgb.height(), false, nullptr) == GIF_ERROR)
        abandon("image");

    std::unordered_map<QRgb, GifPixelType> index;
    std::vector<GifPixelType> line(size_t(rgb.width()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = src[x] | 0xff000000u;
            auto it = index.find(c);
            if (it == index.end())
                it = index.emplace(c, GifPixelType(nearest(palette, c))).first;
            line[size_t(x)] = it->second;
        }
        if (EGifPutLine(gif, line.data(), rgb.width()) == GIF_ERROR)
            abandon("line");
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        fail("close", error);
    return bytes;
}

} // namespace datagen
