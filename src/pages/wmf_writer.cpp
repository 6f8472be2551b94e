#include "wmf_writer.h"

#include "platform/cp1252.h"
#include "platform/fonts.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {

// Record functions (the high byte is the parameter count GDI once stored there).
enum : uint16_t {
    kEof = 0x0000,
    kSetBkColor = 0x0201,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kIntersectClipRect = 0x0416,
    kArc = 0x0817,
    kEllipse = 0x0418,
    kPie = 0x081A,
    kRectangle = 0x041B,
    kRoundRect = 0x061C,
    kSaveDC = 0x001E,
    kTextOut = 0x0521,
    kEscape = 0x0626,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kRestoreDC = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kChord = 0x0830,
    kPolyPolygon = 0x0538,
    kStretchDib = 0x0F43,
    kDeleteObject = 0x01F0,
    kCreatePen = 0x02FA,
    kCreateFont = 0x02FB,
    kCreateBrush = 0x02FC,
};

constexpr uint16_t kMmAnisotropic = 8;
constexpr uint32_t kSrcCopy = 0x00CC0020;

// Little-endian parameter builder.
class Params {
public:
    Params& u16(int v)
    {
        const auto w = static_cast<uint16_t>(v);
        bytes_.append(char(w & 0xFF));
        bytes_.append(char(w >> 8));
        return *this;
    }
    // Coordinates are 16-bit in a metafile; out-of-range values are pinned, not wrapped.
    Params& i16(int v) { return u16(std::clamp(v, -32768, 32767)); }
    Params& u32(uint32_t v)
    {
        u16(int(v & 0xFFFF));
        return u16(int(v >> 16));
    }
    Params& raw(const QByteArray& b)
    {
        bytes_.append(b);
        return *this;
    }
    Params& point(QPoint p) { return i16(p.x()).i16(p.y()); }
    // left, top, right, bottom in the reversed order most records use
    Params& rectReversed(const QRect& r)
    {
        return i16(r.y() + r.height()).i16(r.x() + r.width()).i16(r.y()).i16(r.x());
    }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

uint32_t colorRef(const QColor& c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

QPoint radial(const QRect& box, double deg)
{
    const double rad = deg * M_PI / 180.0;
    const double cx = box.x() + box.width() / 2.0;
    const double cy = box.y() + box.height() / 2.0;
    return QPoint(int(std::lround(cx + box.width() / 2.0 * std::cos(rad))),
                  int(std::lround(cy - box.height() / 2.0 * std::sin(rad))));
}

const QImage& measuringDevice()
{
    // A 96-dpi raster device: the same resolution the screen copies are drawn at.
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        return img;
    }();
    return device;
}

} // namespace

WmfWriter::WmfWriter(int widthTwips, int heightTwips)
    : width_(std::clamp(widthTwips, 1, 32767)), height_(std::clamp(heightTwips, 1, 32767))
{
    record(kSetMapMode, Params().u16(kMmAnisotropic).bytes());
    record(kSetWindowOrg, Params().i16(0).i16(0).bytes());
    record(kSetWindowExt, Params().i16(height_).i16(width_).bytes());
    setBkMode(BkMode::Transparent);
    setTextAlign(Left | Top);
    setTextColor(Qt::black);
}

void WmfWriter::record(uint16_t function, const QByteArray& params)
{
    Record r{function, params};
    if (r.params.size() % 2)
        r.params.append('\0');
    records_.push_back(std::move(r));
}

void WmfWriter::setTextColor(const QColor& colour) { record(kSetTextColor, Params().u32(colorRef(colour)).bytes()); }
void WmfWriter::setBkColor(const QColor& colour) { record(kSetBkColor, Params().u32(colorRef(colour)).bytes()); }
void WmfWriter::setBkMode(BkMode mode) { record(kSetBkMode, Params().u16(int(mode)).bytes()); }
void WmfWriter::setPolyFillMode(FillMode mode) { record(kSetPolyFillMode, Params().u16(int(mode)).bytes()); }

void WmfWriter::setTextAlign(int flags)
{
    state_.textAlign = flags & 0x1F;
    record(kSetTextAlign, Params().u16(state_.textAlign).bytes());
}

void WmfWriter::replaceObject(Kind kind, uint16_t createFunction, const QByteArray& params)
{
    Selected& sel = state_.selected[kind];
    if (sel.slot >= 0 && sel.key == params)
        return;
    // GDI puts a new object in the lowest free slot of the table.
    int slot = 0;
    while (slot < int(slots_.size()) && slots_[slot])
        ++slot;
    if (slot == int(slots_.size()))
        slots_.push_back(false);
    slots_[slot] = true;
    maxSlots_ = std::max(maxSlots_, int(std::count(slots_.begin(), slots_.end(), true)));
    record(createFunction, params);
    record(kSelectObject, Params().u16(slot).bytes());
    sel.slot = slot;
    sel.key = params;
    collectObjects();
}

void WmfWriter::collectObjects()
{
    std::vector<bool> inUse(slots_.size(), false);
    auto mark = [&](const State& s) {
        for (const Selected& sel : s.selected)
            if (sel.slot >= 0)
                inUse[sel.slot] = true;
    };
    mark(state_);
    for (const State& s : saved_)
        mark(s);
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i] && !inUse[i]) {
            record(kDeleteObject, Params().u16(int(i)).bytes());
            slots_[i] = false;
        }
    }
}

void WmfWriter::font(const QString& face, int heightTwips, bool bold, bool italic, int escapement, bool underline)
{
    Params p;
    p.i16(-std::abs(heightTwips)) // negative: the character height, not the cell height
        .i16(0)
        .i16(escapement)
        .i16(escapement)
        .i16(bold ? 700 : 400);
    QByteArray flags;
    flags.append(char(italic ? 1 : 0));
    flags.append(char(underline ? 1 : 0));
    flags.append(char(0));  // strike-out
    flags.append(char(0));  // ANSI_CHARSET
    flags.append(char(0));  // OUT_DEFAULT_PRECIS
    flags.append(char(0));  // CLIP_DEFAULT_PRECIS
    flags.append(char(0));  // DEFAULT_QUALITY
    flags.append(char(0));  // DEFAULT_PITCH | FF_DONTCARE
    QByteArray name = cp1252::encode(face).left(31);
    name.append('\0');
    p.raw(flags).raw(name);
    replaceObject(KindFont, kCreateFont, p.bytes());
    state_.font = FontInfo{face, std::abs(heightTwips), bold, italic, underline};
}

void WmfWriter::pen(PenStyle style, int widthTwips, const QColor& colour)
{
    const QColor c = style == PenStyle::Null ? QColor(Qt::black) : colour;
    const int w = style == PenStyle::Null ? 0 : std::max(0, widthTwips);
    replaceObject(KindPen, kCreatePen, Params().u16(int(style)).i16(w).i16(0).u32(colorRef(c)).bytes());
}

void WmfWriter::brush(const QColor& colour)
{
    replaceObject(KindBrush, kCreateBrush, Params().u16(0).u32(colorRef(colour)).u16(0).bytes());
}

void WmfWriter::hatchBrush(Hatch hatch, const QColor& colour)
{
    replaceObject(KindBrush, kCreateBrush, Params().u16(2).u32(colorRef(colour)).u16(int(hatch)).bytes());
}

void WmfWriter::nullBrush()
{
    replaceObject(KindBrush, kCreateBrush, Params().u16(1).u32(0).u16(0).bytes());
}

void WmfWriter::textOut(int x, int y, const QString& text)
{
    QByteArray s = cp1252::encode(text).left(32000);
    const int length = int(s.size());
    if (s.size() % 2)
        s.append('\0');
    record(kTextOut, Params().u16(length).raw(s).i16(y).i16(x).bytes());
}

void WmfWriter::describePicture(const QString& words)
{
    // MFCOMMENT (15): the byte count, then the bytes, padded to whole words.
    const QByteArray data = QByteArray("CORVANA-PICTURE:") + words.simplified().toUtf8();
    QByteArray padded = data;
    if (padded.size() % 2)
        padded.append('\0');
    record(kEscape, Params().u16(15).u16(int(data.size())).raw(padded).bytes());
}

void WmfWriter::moveTo(int x, int y) { record(kMoveTo, Params().i16(y).i16(x).bytes()); }
void WmfWriter::lineTo(int x, int y) { record(kLineTo, Params().i16(y).i16(x).bytes()); }
void WmfWriter::rectangle(const QRect& r) { record(kRectangle, Params().rectReversed(r).bytes()); }
void WmfWriter::ellipse(const QRect& r) { record(kEllipse, Params().rectReversed(r).bytes()); }

void WmfWriter::roundRect(const QRect& r, int cornerWidth, int cornerHeight)
{
    record(kRoundRect, Params().i16(cornerHeight).i16(cornerWidth).rectReversed(r).bytes());
}

void WmfWriter::polygon(const QList<QPoint>& points)
{
    const int n = int(std::min<qsizetype>(points.size(), 32767));
    Params p;
    p.i16(n);
    for (int i = 0; i < n; ++i)
        p.point(points[i]);
    record(kPolygon, p.bytes());
}

void WmfWriter::polyline(const QList<QPoint>& points)
{
    const int n = int(std::min<qsizetype>(points.size(), 32767));
    Params p;
    p.i16(n);
    for (int i = 0; i < n; ++i)
        p.point(points[i]);
    record(kPolyline, p.bytes());
}

void WmfWriter::polyPolygon(const QList<QList<QPoint>>& polygons)
{
    const int n = int(std::min<qsizetype>(polygons.size(), 32767));
    Params p;
    p.i16(n);
    for (int i = 0; i < n; ++i)
        p.i16(int(std::min<qsizetype>(polygons[i].size(), 32767)));
    for (int i = 0; i < n; ++i)
        for (qsizetype j = 0; j < std::min<qsizetype>(polygons[i].size(), 32767); ++j)
            p.point(polygons[i][j]);
    record(kPolyPolygon, p.bytes());
}

void WmfWriter::arcLike(uint16_t function, const QRect& box, QPoint start, QPoint end)
{
    record(function, Params().point(QPoint(end.y(), end.x())).point(QPoint(start.y(), start.x())).rectReversed(box).bytes());
}

void WmfWriter::arcLike(uint16_t function, const QRect& box, double startDeg, double spanDeg)
{
    arcLike(function, box, radial(box, startDeg), radial(box, startDeg + spanDeg));
}

void WmfWriter::arc(const QRect& box, QPoint start, QPoint end) { arcLike(kArc, box, start, end); }
void WmfWriter::pie(const QRect& box, QPoint start, QPoint end) { arcLike(kPie, box, start, end); }
void WmfWriter::chord(const QRect& box, QPoint start, QPoint end) { arcLike(kChord, box, start, end); }
void WmfWriter::arc(const QRect& box, double startDeg, double spanDeg) { arcLike(kArc, box, startDeg, spanDeg); }
void WmfWriter::pie(const QRect& box, double startDeg, double spanDeg) { arcLike(kPie, box, startDeg, spanDeg); }
void WmfWriter::chord(const QRect& box, double startDeg, double spanDeg) { arcLike(kChord, box, startDeg, spanDeg); }

void WmfWriter::stretchDIBits(const QRect& dest, const QImage& image)
{
    if (image.isNull())
        return;
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width();
    const int h = src.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray bits(qsizetype(stride) * h, '\0');
    for (int y = 0; y < h; ++y) {
        // bottom-up rows, blue-green-red
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        char* out = bits.data() + qsizetype(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            const QRgb px = line[x];
            const int a = qAlpha(px);
            auto over = [a](int c) { return char((c * a + 255 * (255 - a) + 127) / 255); };
            out[3 * x] = over(qBlue(px));
            out[3 * x + 1] = over(qGreen(px));
            out[3 * x + 2] = over(qRed(px));
        }
    }
    Params p;
    p.u32(kSrcCopy).u16(0 /* DIB_RGB_COLORS */);
    p.i16(h).i16(w).i16(0).i16(0);
    p.i16(dest.height()).i16(dest.width()).i16(dest.y()).i16(dest.x());
    // BITMAPINFOHEADER
    p.u32(40).u32(uint32_t(w)).u32(uint32_t(h)).u16(1).u16(24).u32(0).u32(uint32_t(bits.size()));
    p.u32(3780).u32(3780).u32(0).u32(0);
    p.raw(bits);
    record(kStretchDib, p.bytes());
}

void WmfWriter::saveDC()
{
    saved_.push_back(state_);
    record(kSaveDC);
}

void WmfWriter::restoreDC()
{
    if (saved_.empty())
        return;
    state_ = saved_.back();
    saved_.pop_back();
    record(kRestoreDC, Params().i16(-1).bytes());
    collectObjects();
}

void WmfWriter::intersectClipRect(const QRect& r) { record(kIntersectClipRect, Params().rectReversed(r).bytes()); }

QFont WmfWriter::qfont() const
{
    registerFonts();
    QFont f(state_.font.face);
    f.setPointSizeF(std::max(1, state_.font.height) / 20.0);
    f.setBold(state_.font.bold);
    f.setItalic(state_.font.italic);
    f.setUnderline(state_.font.underline);
    return f;
}

double WmfWriter::textWidth(const QString& text) const
{
    QImage device = measuringDevice();
    const QFontMetricsF metrics(qfont(), &device);
    return metrics.horizontalAdvance(text) * 15.0;
}

QStringList WmfWriter::wrap(const QString& text, int width) const
{
    QImage device = measuringDevice();
    const QFontMetricsF metrics(qfont(), &device);
    const double limit = width / 15.0;
    QStringList lines;
    for (const QString& para : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : para.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > limit) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

int WmfWriter::paragraph(int x, int y, int width, const QString& text, int lineHeight)
{
    const int align = state_.textAlign;
    if (align & UpdateCP)
        setTextAlign(align & ~UpdateCP);
    int anchor = x;
    if ((align & Center) == Center)
        anchor = x + width / 2;
    else if (align & Right)
        anchor = x + width;
    for (const QString& line : wrap(text, width)) {
        if (!line.isEmpty())
            textOut(anchor, y, line);
        y += lineHeight;
    }
    if (align & UpdateCP)
        setTextAlign(align);
    return y;
}

QByteArray WmfWriter::bytes() const
{
    std::vector<Record> all = records_;
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i])
            all.push_back({kDeleteObject, Params().u16(int(i)).bytes()});
    all.push_back({kEof, {}});

    uint32_t totalWords = 9;
    uint32_t maxRecord = 0;
    for (const Record& r : all) {
        const uint32_t words = 3 + uint32_t(r.params.size() / 2);
        totalWords += words;
        maxRecord = std::max(maxRecord, words);
    }

    Params placeable;
    placeable.u32(0x9AC6CDD7).u16(0).i16(0).i16(0).i16(width_).i16(height_).u16(1440).u32(0);
    uint16_t checksum = 0;
    const QByteArray& ph = placeable.bytes();
    for (int i = 0; i < ph.size(); i += 2)
        checksum ^= uint16_t(uint8_t(ph[i]) | (uint8_t(ph[i + 1]) << 8));
    placeable.u16(checksum);

    Params out;
    out.raw(placeable.bytes());
    out.u16(1).u16(9).u16(0x0300).u32(totalWords).u16(maxSlots_).u32(maxRecord).u16(0);
    for (const Record& r : all)
        out.u32(3 + uint32_t(r.params.size() / 2)).u16(r.function).raw(r.params);
    return out.bytes();
}
