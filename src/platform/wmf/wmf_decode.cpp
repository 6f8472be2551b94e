// Decoding of metafile records. Header fields are not trusted: records are walked by their
// own sizes until the end record or the end of the data, and every read is checked against
// the record it belongs to.
#include "wmf_program.h"

#include "platform/cp1252.h"
#include "wmf_fonts.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStringDecoder>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <set>

namespace wmf {
namespace {

// Limits that keep a hostile file from asking for unbounded memory; real pictures stay far
// below them.
constexpr size_t kMaxOps = 1'000'000;
constexpr size_t kMaxPoints = 8'000'000;
constexpr qint64 kMaxImagePixels = 16LL * 1024 * 1024;
constexpr qint64 kMaxTotalImagePixels = 32LL * 1024 * 1024;
constexpr int kMaxObjects = 65536; // object indexes are 16-bit

enum : uint16_t {
    META_EOF = 0x0000,
    META_SETBKCOLOR = 0x0201,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETTEXTCHAREXTRA = 0x0108,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_OFFSETWINDOWORG = 0x020F,
    META_SCALEWINDOWEXT = 0x0410,
    META_OFFSETVIEWPORTORG = 0x0211,
    META_SCALEVIEWPORTEXT = 0x0412,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ARC = 0x0817,
    META_ELLIPSE = 0x0418,
    META_PIE = 0x081A,
    META_RECTANGLE = 0x041B,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_SAVEDC = 0x001E,
    META_SETPIXEL = 0x041F,
    META_OFFSETCLIPRGN = 0x0220,
    META_TEXTOUT = 0x0521,
    META_BITBLT = 0x0922,
    META_STRETCHBLT = 0x0B23,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_RESTOREDC = 0x0127,
    META_FILLREGION = 0x0228,
    META_FRAMEREGION = 0x0429,
    META_INVERTREGION = 0x012A,
    META_PAINTREGION = 0x012B,
    META_SELECTCLIPREGION = 0x012C,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_CHORD = 0x0830,
    META_EXTTEXTOUT = 0x0A32,
    META_SETDIBTODEV = 0x0D33,
    META_SELECTPALETTE = 0x0234,
    META_POLYPOLYGON = 0x0538,
    META_DIBBITBLT = 0x0940,
    META_DIBSTRETCHBLT = 0x0B41,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_ESCAPE = 0x0626,
    META_STRETCHDIB = 0x0F43,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPALETTE = 0x00F7,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_CREATEREGION = 0x06FF,
};

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

// A bounds-checked view of bytes; reads past the end give 0 and set the failed flag.
class View {
public:
    View(const char* data, qsizetype size) : data_(reinterpret_cast<const uint8_t*>(data)), size_(size < 0 ? 0 : size) {}
    qsizetype size() const { return size_; }
    bool has(qsizetype offset, qsizetype count) const
    {
        return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
    }
    uint8_t u8(qsizetype o) const { return has(o, 1) ? data_[o] : 0; }
    uint16_t u16(qsizetype o) const { return has(o, 2) ? uint16_t(data_[o] | (data_[o + 1] << 8)) : 0; }
    int16_t s16(qsizetype o) const { return int16_t(u16(o)); }
    uint32_t u32(qsizetype o) const { return has(o, 4) ? uint32_t(u16(o)) | (uint32_t(u16(o + 2)) << 16) : 0; }
    int32_t s32(qsizetype o) const { return int32_t(u32(o)); }
    const uint8_t* at(qsizetype o) const { return data_ + o; }
    View sub(qsizetype offset) const
    {
        if (!has(offset, 0))
            return View(nullptr, 0);
        return View(reinterpret_cast<const char*>(data_ + offset), size_ - offset);
    }

private:
    const uint8_t* data_;
    qsizetype size_;
};

QString decodeCharset(const QByteArray& bytes, int charset, const QString& face = {});

// Adobe Symbol encoding to Unicode, for fonts with SYMBOL_CHARSET (0x20..0xFF; 0 = unchanged).
const char16_t kSymbol[224] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0,
};

QString decodeCharset(const QByteArray& bytes, int charset, const QString& face)
{
    // The Symbol font has its own encoding whatever charset the file claims; other symbol
    // fonts (Wingdings and the like) keep their byte values.
    if (face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0) {
        QString out;
        out.reserve(bytes.size());
        for (char ch : bytes) {
            const auto b = uint8_t(ch);
            const char16_t u = b >= 0x20 ? kSymbol[b - 0x20] : 0;
            out.append(u ? QChar(u) : cp1252::decodeByte(b));
        }
        return out;
    }
    const char* name = nullptr;
    switch (charset) {
    case 128: name = "Shift_JIS"; break;
    case 129: name = "EUC-KR"; break;
    case 134: name = "GBK"; break;
    case 136: name = "Big5"; break;
    case 161: name = "windows-1253"; break;
    case 162: name = "windows-1254"; break;
    case 177: name = "windows-1255"; break;
    case 178: name = "windows-1256"; break;
    case 186: name = "windows-1257"; break;
    case 204: name = "windows-1251"; break;
    case 222: name = "windows-874"; break;
    case 238: name = "windows-1250"; break;
    default: break;
    }
    if (name) {
        QStringDecoder decoder(name);
        if (decoder.isValid()) {
            QString s = decoder.decode(bytes);
            if (!decoder.hasError())
                return s;
        }
    }
    return cp1252::decode(bytes);
}

uint32_t vgaColor(int index)
{
    static const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                     0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return vga[index & 15];
}

class Decoder {
public:
    Decoder(Program& program) : p_(program) {}

    bool run(const QByteArray& bytes);

private:
    // Record parameters: word i of the current record.
    int16_t s(int i) const { return rec_.s16(2 * qsizetype(i)); }
    uint16_t u(int i) const { return rec_.u16(2 * qsizetype(i)); }
    uint32_t u32(int i) const { return rec_.u32(2 * qsizetype(i)); }
    int words() const { return int(std::min<qsizetype>(rec_.size() / 2, std::numeric_limits<int>::max())); }

    void record(uint16_t function, qsizetype recordWords);
    Op& op(Code code);
    void opWithValues(Code code, std::initializer_list<int> values);
    void extend(int x, int y);
    void rectOp(Code code, int firstWord, std::initializer_list<int> extras = {});
    ColorRef color(uint32_t ref) const;
    void addObject(Object object);
    int objectAt(int slot) const;
    bool polyPoints(int firstWord, int count, int& firstPoint, int& stored);
    void text(int x, int y, const QByteArray& bytes, std::vector<int16_t> dx, int options, QRect rect);
    struct Measure;
    void extendByTexts();
    const Measure* measureFor(int object, const FontObject* font);
    void extendByText(const TextRun& run, const FontObject* font, const Measure* measure, int align, int mapMode,
                      int charExtra);
    QImage dib(View data, int colorUsage) const;
    QImage bitmap16(View data) const;
    bool budget(const QImage& image);
    void blit(const QImage& image, bool fromBottom, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh, uint32_t rop);
    RegionObject region() const;

    Program& p_;
    View rec_{nullptr, 0};
    // The object table as the file builds it: slot -> object number (-1 empty).
    std::vector<int> slots_;
    std::set<int> freeSlots_;
    int selectedFont_ = -1;
    int selectedPalette_ = -1;
    int textAlign_ = 0;
    int charExtra_ = 0; // SetTextCharExtra: logical units added after each character
    int currentMapMode_ = 1;
    // Text measured at a fixed size per font object (object number; -1 the stock font).
    static constexpr double kMeasureEm = 128;
    struct Measure {
        std::unique_ptr<QFontMetricsF> metrics;
        double average = 0; // the average character width, as a set width counts it
    };
    std::map<int, Measure> measures_;
    // Text runs with the state they were drawn in, measured only when the picture's size
    // comes from what it draws.
    struct PendingText {
        int text, font, align, mapMode, charExtra;
    };
    std::vector<PendingText> pendingTexts_;
    qint64 imagePixels_ = 0;
    bool full_ = false;

public:
    // Everything a plain metafile needs to find its frame.
    bool sawWindowExt = false, sawWindowOrg = false, sawViewportExt = false, sawViewportOrg = false;
    QPoint windowOrg, windowExt, viewportOrg, viewportExt;
    int mapMode = 0;
    QRect bounds;
};

Op& Decoder::op(Code code)
{
    p_.ops.push_back(Op{code, {}});
    if (p_.ops.size() >= kMaxOps)
        full_ = true;
    return p_.ops.back();
}

void Decoder::opWithValues(Code code, std::initializer_list<int> values)
{
    Op& o = op(code);
    int i = 0;
    for (int v : values)
        if (i < 8)
            o.v[i++] = v;
}

void Decoder::extend(int x, int y)
{
    const QRect r(x, y, 1, 1);
    bounds = bounds.isNull() ? r : bounds.united(r);
}

// Records with a rectangle stored bottom, right, top, left from firstWord on.
void Decoder::rectOp(Code code, int firstWord, std::initializer_list<int> extras)
{
    if (words() < firstWord + 4)
        return;
    const int b = s(firstWord), r = s(firstWord + 1), t = s(firstWord + 2), l = s(firstWord + 3);
    Op& o = op(code);
    o.v[0] = l;
    o.v[1] = t;
    o.v[2] = r;
    o.v[3] = b;
    int i = 4;
    for (int e : extras)
        if (i < 8)
            o.v[i++] = e;
    extend(l, t);
    extend(r, b);
}

ColorRef Decoder::color(uint32_t ref) const
{
    if ((ref >> 24) == 1) { // an index into the selected palette
        const int index = int(ref & 0xFFFF);
        if (selectedPalette_ >= 0) {
            if (const auto* pal = std::get_if<PaletteObject>(&p_.objects[size_t(selectedPalette_)]))
                if (index < int(pal->colors.size()))
                    return pal->colors[size_t(index)];
        }
        return vgaColor(index);
    }
    return ((ref & 0xFF) << 16) | (ref & 0xFF00) | ((ref >> 16) & 0xFF);
}

// GDI puts a new object into the lowest free slot of the table.
void Decoder::addObject(Object object)
{
    const int number = int(p_.objects.size());
    p_.objects.push_back(std::move(object));
    if (!freeSlots_.empty()) {
        const int slot = *freeSlots_.begin();
        freeSlots_.erase(freeSlots_.begin());
        slots_[size_t(slot)] = number;
    } else if (slots_.size() < size_t(kMaxObjects)) {
        slots_.push_back(number);
    }
}

int Decoder::objectAt(int slot) const
{
    return slot >= 0 && slot < int(slots_.size()) ? slots_[size_t(slot)] : -1;
}

bool Decoder::polyPoints(int firstWord, int count, int& firstPoint, int& stored)
{
    const int available = std::max(0, (words() - firstWord) / 2);
    stored = std::min(count, available);
    if (stored <= 0 || p_.points.size() + size_t(stored) > kMaxPoints)
        return false;
    firstPoint = int(p_.points.size());
    for (int i = 0; i < stored; ++i) {
        const int16_t x = s(firstWord + 2 * i), y = s(firstWord + 2 * i + 1);
        p_.points.push_back({x, y});
        extend(x, y);
    }
    return true;
}

void Decoder::text(int x, int y, const QByteArray& bytes, std::vector<int16_t> dx, int options, QRect rect)
{
    int charset = 0;
    QString face;
    if (selectedFont_ >= 0)
        if (const auto* f = std::get_if<FontObject>(&p_.objects[size_t(selectedFont_)])) {
            charset = f->charset;
            face = f->face;
        }
    TextRun run;
    run.x = x;
    run.y = y;
    run.text = decodeCharset(bytes, charset, face);
    // Advances belong to bytes; a multi-byte charset gives fewer characters than bytes.
    if (run.text.size() != qsizetype(bytes.size()))
        dx.clear();
    run.dx = std::move(dx);
    run.options = options;
    run.rect = rect;
    extend(x, y);
    if ((options & 0x0002) && rect.isValid()) { // ETO_OPAQUE paints its rectangle
        extend(rect.left(), rect.top());
        extend(rect.right(), rect.bottom());
    }
    pendingTexts_.push_back({int(p_.texts.size()), selectedFont_, textAlign_, currentMapMode_, charExtra_});
    op(Code::Text).v[0] = int(p_.texts.size());
    p_.texts.push_back(std::move(run));
}

// Text reaches past its anchor point: a picture whose size comes from what it draws must hold
// the whole of it, so each run is measured as playback will draw it (the font's face, height,
// set width and escapement, the alignment, the advances the file gives).
void Decoder::extendByTexts()
{
    for (const PendingText& pending : pendingTexts_) {
        const TextRun& run = p_.texts[size_t(pending.text)];
        const FontObject* font = pending.font >= 0 ? std::get_if<FontObject>(&p_.objects[size_t(pending.font)]) : nullptr;
        if (!run.text.isEmpty())
            extendByText(run, font, measureFor(pending.font, font), pending.align, pending.mapMode, pending.charExtra);
    }
}

// Fonts are measured at one fixed size; null without a GUI application's font database.
const Decoder::Measure* Decoder::measureFor(int object, const FontObject* font)
{
    const int key = font ? object : -1;
    auto it = measures_.find(key);
    if (it != measures_.end())
        return &it->second;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    QFont qfont(faceToDraw(font));
    qfont.setPixelSize(int(kMeasureEm));
    if (font) {
        qfont.setWeight(QFont::Weight(std::clamp(font->weight > 0 ? font->weight : 400, 100, 900)));
        qfont.setItalic(font->italic);
    }
    Measure m;
    m.metrics = std::make_unique<QFontMetricsF>(qfont);
    m.average = setWidthAverage(*m.metrics, font, kMeasureEm);
    return &measures_.emplace(key, std::move(m)).first->second;
}

void Decoder::extendByText(const TextRun& run, const FontObject* font, const Measure* measure, int align, int mapMode,
                           int charExtra)
{
    const double em = font && font->height ? std::abs(double(font->height)) : 12.0;
    const double scale = em / kMeasureEm;
    double width = 0, ascent = 0.8 * em, descent = 0.2 * em;
    if (measure) {
        ascent = measure->metrics->ascent() * scale;
        descent = measure->metrics->descent() * scale;
    }
    if (!run.dx.empty()) {
        for (int16_t a : run.dx)
            width += a;
    } else if (measure) {
        width = measure->metrics->horizontalAdvance(run.text) * scale;
        if (font && font->width > 0 && measure->average > 0)
            width *= std::abs(double(font->width)) / (measure->average * scale);
    } else {
        width = 0.6 * em * double(run.text.size()); // a rough guess: no font to measure with
    }
    // Spacing set for the device context goes after every character, as playback draws it.
    if (run.dx.empty())
        width += double(charExtra) * double(run.text.size());
    double x0 = 0;
    switch (align & 6) {
    case 2: x0 = -width; break;     // TA_RIGHT
    case 6: x0 = -width / 2; break; // TA_CENTER
    default: break;
    }
    double top = 0; // TA_TOP: the text hangs below its anchor
    if ((align & 24) == 24)
        top = -ascent; // TA_BASELINE
    else if (align & 8)
        top = -(ascent + descent); // TA_BOTTOM
    // The box's corners along the baseline and down the glyphs, turned by the escapement;
    // map modes with y upwards mirror the offsets.
    QTransform turn;
    if (font && font->escapement)
        turn.rotate(-font->escapement / 10.0);
    const bool yUp = mapMode >= 2 && mapMode <= 6;
    const QRectF box(x0, top, width, ascent + descent);
    for (const QPointF& corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        const QPointF c = turn.map(corner);
        const double x = run.x + c.x(), y = yUp ? run.y - c.y() : run.y + c.y();
        // within the 16-bit coordinates of every other record, so a hostile font size cannot
        // make a picture larger than any metafile can be
        if (std::isfinite(x) && std::isfinite(y))
            extend(int(std::clamp(std::floor(x), -32768.0, 32767.0)), int(std::clamp(std::ceil(y), -32768.0, 32767.0)));
    }
}

bool Decoder::budget(const QImage& image)
{
    if (image.isNull())
        return false;
    const qint64 px = qint64(image.width()) * image.height();
    if (imagePixels_ + px > kMaxTotalImagePixels)
        return false;
    imagePixels_ += px;
    return true;
}

// A device-independent bitmap: BITMAPCOREHEADER or BITMAPINFOHEADER (and its later versions),
// colour table, bits. Rows missing at the end of the data are left white.
QImage Decoder::dib(View d, int colorUsage) const
{
    const uint32_t headerSize = d.u32(0);
    int64_t width = 0, height = 0;
    int bpp = 0;
    uint32_t compression = 0, colorsUsed = 0;
    bool core = false;
    if (headerSize == 12) {
        core = true;
        width = d.u16(4);
        height = d.s16(6);
        bpp = d.u16(10);
    } else if (headerSize >= 40 && headerSize <= 1024) {
        width = d.s32(4);
        height = d.s32(8);
        bpp = d.u16(14);
        compression = d.u32(16);
        colorsUsed = d.u32(32);
    } else {
        return {};
    }
    if (!d.has(0, qsizetype(headerSize)) || width <= 0 || height == 0 || width > 32768 || std::abs(height) > 32768)
        return {};
    const bool bottomUp = height > 0;
    height = std::abs(height);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return {};
    if (!(compression == 0 || (compression == 3 && (bpp == 16 || bpp == 32))))
        return {}; // run-length and embedded JPEG/PNG bitmaps are not drawn

    uint32_t masks[3] = {0, 0, 0};
    if (compression == 3) {
        const qsizetype at = headerSize >= 52 ? 40 : headerSize;
        if (!d.has(at, 12))
            return {};
        for (int i = 0; i < 3; ++i)
            masks[i] = d.u32(at + 4 * i);
    } else if (bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (bpp == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
    }

    qsizetype offset = headerSize;
    if (compression == 3 && headerSize < 52)
        offset += 12; // the masks follow the header
    std::vector<QRgb> table;
    if (bpp <= 8) {
        const int64_t declared = colorsUsed ? int64_t(colorsUsed) : (int64_t(1) << bpp);
        const int entry = colorUsage == 1 ? 2 : (core ? 3 : 4);
        const int64_t tableBytes = declared * entry;
        if (!d.has(offset, tableBytes))
            return {};
        const int usable = int(std::min<int64_t>(declared, int64_t(1) << bpp));
        table.resize(size_t(1) << bpp, qRgb(0, 0, 0));
        for (int i = 0; i < usable; ++i) {
            if (colorUsage == 1) {
                table[size_t(i)] = 0xFF000000u | color(0x01000000u | d.u16(offset + 2 * i));
            } else {
                const qsizetype e = offset + qsizetype(i) * entry;
                table[size_t(i)] = qRgb(d.u8(e + 2), d.u8(e + 1), d.u8(e));
            }
        }
        offset += tableBytes;
    } else if (colorsUsed && !core) {
        // true-colour bitmaps may still carry a palette for display devices; skip it
        if (!d.has(offset, int64_t(colorsUsed) * 4))
            return {};
        offset += qsizetype(colorsUsed) * 4;
    }
    const int64_t stride = ((width * bpp + 31) / 32) * 4;
    const int64_t available = d.size() - offset;
    const int64_t rows = std::min<int64_t>(height, available > 0 ? available / stride : 0);
    if (rows <= 0 || width * height > kMaxImagePixels)
        return {};

    auto channel = [](uint32_t value, uint32_t mask) -> int {
        if (!mask)
            return 0;
        int shift = 0;
        while (!(mask & 1)) {
            mask >>= 1;
            value >>= 1;
            ++shift;
        }
        return int(uint64_t(value & mask) * 255 / mask);
    };

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    for (int64_t r = 0; r < rows; ++r) {
        const uint8_t* src = d.at(offset + r * stride);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(bottomUp ? height - 1 - r : r)));
        for (int64_t x = 0; x < width; ++x) {
            switch (bpp) {
            case 1: out[x] = table[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: out[x] = table[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; break;
            case 8: out[x] = table[src[x]]; break;
            case 16: {
                const uint32_t v = uint32_t(src[2 * x] | (src[2 * x + 1] << 8));
                out[x] = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
                break;
            }
            case 24: out[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            case 32: {
                const uint32_t v = uint32_t(src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) | (uint32_t(src[4 * x + 3]) << 24));
                out[x] = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
                break;
            }
            }
        }
    }
    return image;
}

// The old device-dependent bitmap of Windows 3.0 records: monochrome or true colour only.
QImage Decoder::bitmap16(View d) const
{
    const int width = d.s16(2), height = d.s16(4), widthBytes = d.s16(6);
    const int planes = d.u8(8), bpp = d.u8(9);
    if (width <= 0 || height <= 0 || planes != 1 || (bpp != 1 && bpp != 24 && bpp != 32))
        return {};
    if (widthBytes < (width * bpp + 7) / 8 || qint64(width) * height > kMaxImagePixels)
        return {};
    const qint64 rows = std::min<qint64>(height, (d.size() - 10) / widthBytes);
    if (rows <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    for (qint64 r = 0; r < rows; ++r) {
        const uint8_t* src = d.at(10 + r * widthBytes);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(r)));
        for (int x = 0; x < width; ++x) {
            if (bpp == 1)
                out[x] = ((src[x >> 3] >> (7 - (x & 7))) & 1) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            else if (bpp == 24)
                out[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            else
                out[x] = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
        }
    }
    return image;
}

void Decoder::blit(const QImage& image, bool fromBottom, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh, uint32_t rop)
{
    Blit b;
    b.image = image;
    b.fromBottom = fromBottom;
    b.srcX = sx;
    b.srcY = sy;
    b.srcW = sw;
    b.srcH = sh;
    b.dstX = dx;
    b.dstY = dy;
    b.dstW = dw;
    b.dstH = dh;
    b.rop = rop;
    extend(dx, dy);
    extend(dx + dw, dy + dh);
    op(Code::Blit).v[0] = int(p_.blits.size());
    p_.blits.push_back(std::move(b));
}

// Region object: a header with the bounding box, then scans of left-right pairs.
RegionObject Decoder::region() const
{
    RegionObject out;
    if (words() == 4) { // a bare rectangle, as some writers store it
        out.rects.push_back(QRect(QPoint(s(3), s(2)), QPoint(s(1) - 1, s(0) - 1)));
        return out;
    }
    if (words() < 11)
        return out;
    const int scanCount = s(5);
    const QRect box(QPoint(s(7), s(8)), QPoint(s(9) - 1, s(10) - 1));
    qsizetype o = 22;
    for (int i = 0; i < scanCount && rec_.has(o, 6); ++i) {
        const int count = rec_.u16(o);
        const int top = rec_.s16(o + 2), bottom = rec_.s16(o + 4);
        o += 6;
        for (int k = 0; k + 1 < count && rec_.has(o, 4); k += 2, o += 4) {
            const int left = rec_.s16(o), right = rec_.s16(o + 2);
            if (right > left && bottom > top)
                out.rects.push_back(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
        }
        o += 2; // the repeated count
        if (out.rects.size() > 100000)
            break;
    }
    if (out.rects.empty() && box.isValid())
        out.rects.push_back(box);
    return out;
}

void Decoder::record(uint16_t function, qsizetype recordWords)
{
    const int n = words();
    switch (function) {
    case META_SETWINDOWORG:
    case META_SETWINDOWEXT:
    case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT: {
        if (n < 2)
            return;
        const QPoint v(s(1), s(0));
        Code code = Code::SetWindowOrg;
        if (function == META_SETWINDOWORG) {
            if (!sawWindowOrg)
                windowOrg = v;
            sawWindowOrg = true;
        } else if (function == META_SETWINDOWEXT) {
            code = Code::SetWindowExt;
            if (!sawWindowExt && v.x() != 0 && v.y() != 0) {
                windowExt = v;
                sawWindowExt = true;
            }
        } else if (function == META_SETVIEWPORTORG) {
            code = Code::SetViewportOrg;
            if (!sawViewportOrg)
                viewportOrg = v;
            sawViewportOrg = true;
        } else {
            code = Code::SetViewportExt;
            if (!sawViewportExt && v.x() != 0 && v.y() != 0) {
                viewportExt = v;
                sawViewportExt = true;
            }
        }
        opWithValues(code, {v.x(), v.y()});
        return;
    }
    case META_OFFSETWINDOWORG:
    case META_OFFSETVIEWPORTORG:
        if (n >= 2)
            opWithValues(function == META_OFFSETWINDOWORG ? Code::OffsetWindowOrg : Code::OffsetViewportOrg, {s(1), s(0)});
        return;
    case META_SCALEWINDOWEXT:
    case META_SCALEVIEWPORTEXT:
        // xNum, xDenom, yNum, yDenom
        if (n >= 4)
            opWithValues(function == META_SCALEWINDOWEXT ? Code::ScaleWindowExt : Code::ScaleViewportExt, {s(3), s(2), s(1), s(0)});
        return;
    case META_SETMAPMODE:
        if (n >= 1) {
            if (!mapMode)
                mapMode = u(0);
            currentMapMode_ = u(0);
            opWithValues(Code::SetMapMode, {u(0)});
        }
        return;
    case META_SETBKCOLOR:
        if (n >= 2)
            opWithValues(Code::SetBkColor, {int(color(u32(0)))});
        return;
    case META_SETTEXTCOLOR:
        if (n >= 2)
            opWithValues(Code::SetTextColor, {int(color(u32(0)))});
        return;
    case META_SETBKMODE:
        if (n >= 1)
            opWithValues(Code::SetBkMode, {u(0)});
        return;
    case META_SETTEXTALIGN:
        if (n >= 1) {
            textAlign_ = u(0);
            opWithValues(Code::SetTextAlign, {u(0)});
        }
        return;
    case META_SETPOLYFILLMODE:
        if (n >= 1)
            opWithValues(Code::SetPolyFillMode, {u(0)});
        return;
    case META_SETROP2:
        if (n >= 1)
            opWithValues(Code::SetRop2, {u(0)});
        return;
    case META_SETTEXTCHAREXTRA:
        if (n >= 1) {
            charExtra_ = s(0);
            opWithValues(Code::SetTextCharExtra, {s(0)});
        }
        return;
    case META_SAVEDC:
        op(Code::SaveDC);
        return;
    case META_RESTOREDC:
        opWithValues(Code::RestoreDC, {n >= 1 ? s(0) : -1});
        return;
    case META_MOVETO:
    case META_LINETO:
        if (n >= 2) {
            opWithValues(function == META_MOVETO ? Code::MoveTo : Code::LineTo, {s(1), s(0)});
            extend(s(1), s(0));
        }
        return;
    case META_INTERSECTCLIPRECT:
        rectOp(Code::IntersectClipRect, 0);
        return;
    case META_EXCLUDECLIPRECT:
        rectOp(Code::ExcludeClipRect, 0);
        return;
    case META_OFFSETCLIPRGN:
        if (n >= 2)
            opWithValues(Code::OffsetClipRgn, {s(1), s(0)});
        return;
    case META_RECTANGLE:
        rectOp(Code::Rectangle, 0);
        return;
    case META_ELLIPSE:
        rectOp(Code::Ellipse, 0);
        return;
    case META_ROUNDRECT:
        if (n >= 6)
            rectOp(Code::RoundRect, 2, {s(1), s(0)}); // corner width, height
        return;
    case META_ARC:
    case META_PIE:
    case META_CHORD:
        // end y, end x, start y, start x, then the box
        if (n >= 8)
            rectOp(function == META_ARC ? Code::Arc : function == META_PIE ? Code::Pie : Code::Chord, 4,
                   {s(3), s(2), s(1), s(0)});
        return;
    case META_POLYGON:
    case META_POLYLINE: {
        if (n < 1)
            return;
        int first = 0, stored = 0;
        if (polyPoints(1, s(0), first, stored))
            opWithValues(function == META_POLYGON ? Code::Polygon : Code::Polyline, {first, stored});
        return;
    }
    case META_POLYPOLYGON: {
        if (n < 1)
            return;
        const int polys = std::min<int>(u(0), n - 1);
        const int firstCount = int(p_.polyCounts.size());
        int word = 1 + polys;
        int firstPoint = -1;
        int kept = 0;
        for (int i = 0; i < polys; ++i) {
            int first = 0, stored = 0;
            const int want = u(1 + i);
            if (want > 0 && polyPoints(word, want, first, stored)) {
                if (firstPoint < 0)
                    firstPoint = first;
                p_.polyCounts.push_back(stored);
                ++kept;
            }
            word += 2 * want;
            if (stored < want)
                break; // ran out of record
        }
        if (kept > 0)
            opWithValues(Code::PolyPolygon, {firstCount, kept, firstPoint});
        return;
    }
    case META_TEXTOUT: {
        if (n < 1)
            return;
        const int length = u(0);
        const int stringWords = (length + 1) / 2;
        if (length == 0 || n < 1 + stringWords + 2)
            return;
        const QByteArray bytes(reinterpret_cast<const char*>(rec_.at(2)), length);
        text(s(1 + stringWords + 1), s(1 + stringWords), bytes, {}, 0, {});
        return;
    }
    case META_EXTTEXTOUT: {
        if (n < 4)
            return;
        const int y = s(0), x = s(1), length = s(2), options = u(3);
        int word = 4;
        QRect rect;
        if (options & 0x0006) { // ETO_OPAQUE | ETO_CLIPPED
            if (n < 8)
                return;
            rect = QRect(QPoint(s(4), s(5)), QPoint(s(6), s(7)));
            word = 8;
        }
        if (length <= 0) {
            if (options & 0x0002) // an opaque rectangle with no text
                text(x, y, {}, {}, options, rect);
            return;
        }
        const int stringWords = (length + 1) / 2;
        if (n < word + stringWords)
            return;
        const QByteArray bytes(reinterpret_cast<const char*>(rec_.at(2 * qsizetype(word))), length);
        word += stringWords;
        std::vector<int16_t> dx;
        if (n >= word + length) {
            dx.resize(size_t(length));
            for (int i = 0; i < length; ++i)
                dx[size_t(i)] = s(word + i);
        }
        text(x, y, bytes, std::move(dx), options, rect);
        return;
    }
    case META_PATBLT:
        if (n >= 6) {
            opWithValues(Code::PatBlt, {s(5), s(4), s(3), s(2), int(u32(0))});
            extend(s(5), s(4));
            extend(s(5) + s(3), s(4) + s(2));
        }
        return;
    case META_SETPIXEL:
        if (n >= 4) {
            opWithValues(Code::SetPixel, {s(3), s(2), int(color(u32(0)))});
            extend(s(3), s(2));
        }
        return;
    case META_BITBLT:
    case META_DIBBITBLT:
    case META_STRETCHBLT:
    case META_DIBSTRETCHBLT: {
        const bool stretch = function == META_STRETCHBLT || function == META_DIBSTRETCHBLT;
        const bool noBitmap = recordWords == (function >> 8) + 3;
        const uint32_t rop = u32(0);
        if (noBitmap) {
            // raster operation, source fields, a reserved word, destination
            if (stretch && n >= 11)
                opWithValues(Code::PatBlt, {s(10), s(9), s(8), s(7), int(rop)});
            else if (!stretch && n >= 9)
                opWithValues(Code::PatBlt, {s(8), s(7), s(6), s(5), int(rop)});
            return;
        }
        const int head = stretch ? 10 : 8;
        if (n < head)
            return;
        const View data = rec_.sub(2 * qsizetype(head));
        const QImage image = (function == META_DIBBITBLT || function == META_DIBSTRETCHBLT) ? dib(data, 0) : bitmap16(data);
        if (!budget(image))
            return;
        if (stretch)
            blit(image, false, s(5), s(4), s(3), s(2), s(9), s(8), s(7), s(6), rop);
        else
            blit(image, false, s(3), s(2), s(5), s(4), s(7), s(6), s(5), s(4), rop);
        return;
    }
    case META_STRETCHDIB: {
        if (n < 11)
            return;
        const QImage image = dib(rec_.sub(22), u(2));
        if (budget(image))
            blit(image, true, s(6), s(5), s(4), s(3), s(10), s(9), s(8), s(7), u32(0));
        return;
    }
    case META_SETDIBTODEV: {
        if (n < 9)
            return;
        const QImage image = dib(rec_.sub(18), u(0));
        if (budget(image))
            blit(image, true, s(4), s(3), s(6), s(5), s(8), s(7), s(6), s(5), 0x00CC0020);
        return;
    }
    case META_SELECTOBJECT: {
        if (n < 1)
            return;
        const int number = objectAt(u(0));
        if (number >= 0) {
            if (std::holds_alternative<FontObject>(p_.objects[size_t(number)]))
                selectedFont_ = number;
            else if (std::holds_alternative<PaletteObject>(p_.objects[size_t(number)]))
                selectedPalette_ = number;
        }
        opWithValues(Code::Select, {number});
        return;
    }
    case META_SELECTPALETTE:
        if (n >= 1) {
            const int number = objectAt(u(0));
            if (number >= 0 && std::holds_alternative<PaletteObject>(p_.objects[size_t(number)]))
                selectedPalette_ = number;
        }
        return;
    case META_DELETEOBJECT:
        if (n >= 1) {
            const int slot = u(0);
            if (slot < int(slots_.size()) && slots_[size_t(slot)] >= 0) {
                slots_[size_t(slot)] = -1;
                freeSlots_.insert(slot);
            }
        }
        return;
    case META_SELECTCLIPREGION:
        if (n >= 1)
            opWithValues(Code::SelectClipRegion, {objectAt(u(0))});
        return;
    case META_FILLREGION:
        if (n >= 2)
            opWithValues(Code::FillRegion, {objectAt(u(0)), objectAt(u(1))});
        return;
    case META_FRAMEREGION:
        if (n >= 4)
            opWithValues(Code::FrameRegion, {objectAt(u(0)), objectAt(u(1)), s(3), s(2)});
        return;
    case META_PAINTREGION:
    case META_INVERTREGION:
        if (n >= 1)
            opWithValues(function == META_PAINTREGION ? Code::PaintRegion : Code::InvertRegion, {objectAt(u(0))});
        return;

    // Object creation: a malformed record still takes its slot, so later indexes stay right.
    case META_CREATEPENINDIRECT: {
        if (n < 5) {
            addObject(std::monostate{});
            return;
        }
        addObject(PenObject{u(0), s(1), color(u32(3))});
        return;
    }
    case META_CREATEBRUSHINDIRECT: {
        if (n < 4) {
            addObject(std::monostate{});
            return;
        }
        BrushObject b;
        b.style = u(0);
        b.color = color(u32(1));
        b.hatch = u(3);
        if (b.style != 0 && b.style != 1 && b.style != 2)
            b.style = 0; // pattern styles need a bitmap this record cannot carry
        addObject(std::move(b));
        return;
    }
    case META_CREATEFONTINDIRECT: {
        if (n < 9) {
            addObject(std::monostate{});
            return;
        }
        FontObject f;
        f.height = s(0);
        f.width = s(1);
        f.escapement = s(2);
        f.weight = s(4);
        f.italic = rec_.u8(10) != 0;
        f.underline = rec_.u8(11) != 0;
        f.strikeOut = rec_.u8(12) != 0;
        f.charset = rec_.u8(13);
        f.pitchAndFamily = rec_.u8(17);
        QByteArray face;
        for (qsizetype i = 18; i < 18 + 32 && rec_.has(i, 1) && rec_.u8(i); ++i)
            face.append(char(rec_.u8(i)));
        f.face = decodeCharset(face, f.charset == 2 ? 0 : f.charset).trimmed();
        addObject(std::move(f));
        return;
    }
    case META_DIBCREATEPATTERNBRUSH: {
        BrushObject b;
        b.style = 3;
        if (n >= 2) {
            const View data = rec_.sub(4);
            b.pattern = dib(data, u(1));
            if (b.pattern.isNull() && u(0) == 3)
                b.pattern = bitmap16(data);
        }
        if (b.pattern.isNull() || b.pattern.width() > 256 || b.pattern.height() > 256)
            b.style = 0; // draw it solid rather than not at all
        addObject(std::move(b));
        return;
    }
    case META_CREATEPATTERNBRUSH: {
        BrushObject b;
        b.style = 3;
        if (n >= 16) {
            // a Bitmap16 header, its unused bits pointer and 18 reserved bytes, then the bits
            QByteArray header(reinterpret_cast<const char*>(rec_.at(0)), 10);
            const View rest = rec_.sub(32);
            header.append(reinterpret_cast<const char*>(rest.at(0)), rest.size());
            b.pattern = bitmap16(View(header.constData(), header.size()));
        }
        if (b.pattern.isNull() || b.pattern.width() > 256 || b.pattern.height() > 256)
            b.style = 0;
        addObject(std::move(b));
        return;
    }
    case META_CREATEPALETTE: {
        PaletteObject pal;
        if (n >= 2) {
            const int count = std::min<int>(u(1), (n - 2) / 2);
            for (int i = 0; i < count; ++i) {
                const qsizetype e = 4 + qsizetype(i) * 4;
                pal.colors.push_back((uint32_t(rec_.u8(e)) << 16) | (uint32_t(rec_.u8(e + 1)) << 8) | rec_.u8(e + 2));
            }
        }
        addObject(std::move(pal));
        return;
    }
    case META_CREATEREGION:
        addObject(region());
        return;
    case META_ESCAPE: {
        // A comment that says what a picture in the page shows: kept with the page's words, in
        // its place, for screen readers; it is never drawn.
        constexpr int kMfComment = 15;
        if (n < 2 || u(0) != kMfComment)
            return;
        const int length = std::min(int(u(1)), (n - 2) * 2);
        const QByteArray data(reinterpret_cast<const char*>(rec_.at(4)), std::max(0, length));
        if (!data.startsWith(kDescriptionTag))
            return;
        TextRun run;
        run.y = kDescriptionLine;
        run.text = QString::fromUtf8(data.mid(qsizetype(std::strlen(kDescriptionTag)))).left(500);
        p_.texts.push_back(std::move(run));
        return;
    }
    default:
        return; // other escapes, palette animation, flood fills and unknown records
    }
}

bool Decoder::run(const QByteArray& bytes)
{
    const View file(bytes.constData(), bytes.size());
    qsizetype offset = 0;
    bool placeable = false;
    QRect bbox;
    int unitsPerInch = 0;
    if (file.u32(0) == kPlaceableKey && file.has(0, 22)) {
        placeable = true;
        const int l = file.s16(6), t = file.s16(8), r = file.s16(10), b = file.s16(12);
        bbox = QRect(QPoint(std::min(l, r), std::min(t, b)), QSize(std::abs(r - l), std::abs(b - t)));
        unitsPerInch = file.u16(14);
        offset = 22;
    }
    // The metafile header; only its type and size are checked, its counts are not used.
    const uint16_t type = file.u16(offset), headerWords = file.u16(offset + 2);
    const bool header = file.has(offset, 18) && (type == 1 || type == 2) && headerWords == 9;
    if (!header && !placeable)
        return false;
    offset += 18; // behind a placeable header the next 18 bytes are the header, even a bad one

    while (!full_ && file.has(offset, 6)) {
        const qsizetype recordWords = file.u32(offset);
        const uint16_t function = file.u16(offset + 4);
        if (function == META_EOF || recordWords < 3)
            break;
        if (!file.has(offset, 2 * recordWords))
            break; // a record running past the end of the data
        rec_ = View(bytes.constData() + offset + 6, 2 * recordWords - 6);
        record(function, recordWords);
        offset += 2 * recordWords;
    }

    // The frame and the picture's own size.
    const auto metricTwips = [](int mode) -> double {
        switch (mode) {
        case 2: return 1440.0 / 254.0;  // MM_LOMETRIC: 0.1 mm
        case 3: return 1440.0 / 2540.0; // MM_HIMETRIC: 0.01 mm
        case 4: return 14.4;            // MM_LOENGLISH: 0.01 inch
        case 5: return 1.44;            // MM_HIENGLISH: 0.001 inch
        case 6: return 1.0;             // MM_TWIPS
        default: return 0.0;
        }
    };
    p_.initialMapMode = mapMode ? mapMode : 8;
    const double metric = metricTwips(mapMode);
    if (placeable && bbox.width() > 0 && bbox.height() > 0) {
        p_.frame = QRectF(bbox);
        const double perInch = unitsPerInch > 0 ? unitsPerInch : 1440.0;
        p_.sizeTwips = QSizeF(bbox.width() * 1440.0 / perInch, bbox.height() * 1440.0 / perInch);
    } else {
        // A plain metafile is as big as its viewport, or else its window, counting a logical
        // unit as a 96-dpi pixel (15 twips) unless a metric map mode says otherwise.
        QRectF frame;
        if (metric > 0 || (!sawViewportExt && !sawWindowExt))
            extendByTexts();
        if (metric > 0 && !bounds.isNull()) {
            // metric map modes count y upwards
            frame = QRectF(bounds.left(), bounds.bottom() + 1, bounds.width(), -bounds.height());
        } else if (sawViewportExt) {
            frame = QRectF(QPointF(viewportOrg), QSizeF(viewportExt.x(), viewportExt.y()));
        } else if (sawWindowExt) {
            frame = QRectF(QPointF(windowOrg), QSizeF(windowExt.x(), windowExt.y()));
        } else if (!bounds.isNull()) {
            frame = QRectF(bounds);
        } else {
            frame = QRectF(0, 0, 1, 1);
        }
        if (frame.width() == 0 || frame.height() == 0)
            frame = QRectF(frame.topLeft(), QSizeF(frame.width() ? frame.width() : 1, frame.height() ? frame.height() : 1));
        p_.frame = frame;
        const double unit = metric > 0 ? metric : 15.0;
        p_.sizeTwips = QSizeF(std::abs(frame.width()) * unit, std::abs(frame.height()) * unit);
    }
    return true;
}

} // namespace

std::unique_ptr<Program> decode(const QByteArray& bytes)
{
    auto program = std::make_unique<Program>();
    Decoder decoder(*program);
    if (!decoder.run(bytes))
        return nullptr;
    return program;
}

} // namespace wmf
