// A Windows metafile decoded once into plain operations, ready to be played many times.
//
// Decoding does all the bounds checking: every record is read only within its own size and
// within the file, object-table slots are resolved to object numbers, text is decoded to
// Unicode and bitmaps to QImages. Playback (wmf_player.cpp) then never touches file bytes.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace wmf {

// A colour as 0x00rrggbb (palette references are resolved while decoding).
using ColorRef = uint32_t;

struct PenObject {
    int style = 0;   // PS_* with end-cap and join flags
    int width = 0;   // logical units; 0 = thinnest line
    ColorRef color = 0;
};

struct BrushObject {
    int style = 0;   // BS_SOLID, BS_NULL, BS_HATCHED, or a pattern
    ColorRef color = 0;
    int hatch = 0;
    QImage pattern;  // pattern brushes only
};

struct FontObject {
    int height = 0;  // logical units; negative: character height, positive: cell height
    int width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 0;
    int pitchAndFamily = 0; // pitch in the low bits, FF_ROMAN, FF_SWISS, ... in the high ones
    QString face;
};

struct RegionObject {
    std::vector<QRect> rects; // logical units
};

struct PaletteObject {
    std::vector<uint32_t> colors; // 0x00rrggbb
};

using Object = std::variant<std::monostate, PenObject, BrushObject, FontObject, RegionObject, PaletteObject>;

enum class Code : uint8_t {
    SetWindowOrg, SetWindowExt, SetViewportOrg, SetViewportExt,
    OffsetWindowOrg, OffsetViewportOrg, ScaleWindowExt, ScaleViewportExt, SetMapMode,
    SetBkColor, SetBkMode, SetTextColor, SetTextAlign, SetPolyFillMode, SetRop2, SetTextCharExtra,
    Select,            // v0: object number (-1: a slot that held nothing)
    SelectClipRegion,  // v0: object number or -1
    SaveDC, RestoreDC,
    IntersectClipRect, ExcludeClipRect, OffsetClipRgn,
    MoveTo, LineTo,
    Rectangle, RoundRect, Ellipse, Arc, Pie, Chord, // v0..v3: l, t, r, b; then extras
    Polygon, Polyline, // v0: first point, v1: count
    PolyPolygon,       // v0: first count, v1: polygons, v2: first point
    Text,              // v0: text run (decoded with the charset of the font selected then)
    Blit,              // v0: blit
    PatBlt,            // v0..v3: x, y, w, h; v4: raster operation
    SetPixel,          // v0, v1: x, y; v2: colour
    FillRegion, FrameRegion, PaintRegion, InvertRegion, // v0: region, v1: brush, v2, v3: frame size
};

struct Op {
    Code code;
    int32_t v[8] = {};
};

struct Point16 {
    int16_t x;
    int16_t y;
};

// A comment record starting with this tag says, in UTF-8 after it, what a picture drawn in the
// metafile shows; it becomes a text run on a line of its own (y kDescriptionLine) that no
// operation draws.
inline constexpr const char* kDescriptionTag = "CORVANA-PICTURE:";
inline constexpr int kDescriptionLine = -2147483647 - 1;

struct TextRun {
    int x = 0;
    int y = 0;
    QString text;
    std::vector<int16_t> dx; // per-character advances, or empty
    int options = 0;         // ETO_OPAQUE, ETO_CLIPPED
    QRect rect;              // l, t, r, b as QRect(QPoint, QPoint) when options need it
};

struct Blit {
    QImage image;         // top-down
    bool fromBottom = false; // source y counts from the bottom row (StretchDIBits)
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    int dstX = 0, dstY = 0, dstW = 0, dstH = 0;
    uint32_t rop = 0x00CC0020;
};

struct Program {
    std::vector<Op> ops;
    std::vector<Point16> points;
    std::vector<int> polyCounts;
    std::vector<TextRun> texts;
    std::vector<Blit> blits;
    std::vector<Object> objects;

    // The frame: the logical rectangle that the picture's own size covers (width or height
    // may be negative when the y axis points up), and that size in twips.
    QRectF frame;
    QSizeF sizeTwips;
    int initialMapMode = 8;
};

// nullptr when the bytes are not a metafile at all.
std::unique_ptr<Program> decode(const QByteArray& bytes);

} // namespace wmf
