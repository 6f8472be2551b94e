// The metafile reader on files it did not write: hand-built record sequences (many of them
// malformed on purpose) and real metafiles written by other programs.
#include "platform/metafile.h"
#include "platform/pictures.h"
#include "platform/wmf/wmf_fonts.h"
#include "test_app.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace {

// Builds metafile bytes record by record, so that sizes can lie.
class Records {
public:
    // A record whose size is counted from its words.
    Records& add(uint16_t function, std::initializer_list<int> words)
    {
        QByteArray params;
        for (int w : words)
            put16(params, w);
        return raw(uint32_t(3 + params.size() / 2), function, params);
    }
    Records& add(uint16_t function, const QByteArray& params)
    {
        QByteArray p = params;
        if (p.size() % 2)
            p.append('\0');
        return raw(uint32_t(3 + p.size() / 2), function, p);
    }
    // A record with whatever size it claims.
    Records& raw(uint32_t sizeWords, uint16_t function, const QByteArray& params = {})
    {
        put32(body_, sizeWords);
        put16(body_, function);
        body_.append(params);
        return *this;
    }
    Records& eof() { return add(0x0000, {}); }

    QByteArray plain() const
    {
        QByteArray out;
        put16(out, 1);
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, uint32_t(9 + body_.size() / 2));
        put16(out, 0);
        put32(out, 0);
        put16(out, 0);
        return out + body_;
    }
    QByteArray placeable(int left, int top, int right, int bottom, int unitsPerInch) const
    {
        QByteArray head;
        put32(head, 0x9AC6CDD7);
        put16(head, 0);
        put16(head, left);
        put16(head, top);
        put16(head, right);
        put16(head, bottom);
        put16(head, unitsPerInch);
        put32(head, 0);
        uint16_t sum = 0;
        for (int i = 0; i < head.size(); i += 2)
            sum ^= uint16_t(uint8_t(head[i]) | (uint8_t(head[i + 1]) << 8));
        put16(head, sum);
        return head + plain();
    }

    static void put16(QByteArray& b, int v)
    {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    }
    static void put32(QByteArray& b, uint32_t v)
    {
        put16(b, int(v & 0xFFFF));
        put16(b, int(v >> 16));
    }

private:
    QByteArray body_;
};

enum : uint16_t {
    SetBkMode = 0x0102, SetMapMode = 0x0103, SetTextAlign = 0x012E, SetTextColor = 0x0209,
    SetWindowOrg = 0x020B, SetWindowExt = 0x020C, SetPolyFillMode = 0x0106,
    LineTo = 0x0213, MoveTo = 0x0214, IntersectClipRect = 0x0416, Rectangle = 0x041B, Ellipse = 0x0418,
    SaveDC = 0x001E, RestoreDC = 0x0127, TextOut = 0x0521, ExtTextOut = 0x0A32, Polygon = 0x0324,
    Polyline = 0x0325, PolyPolygon = 0x0538, SelectObject = 0x012D, SelectClipRegion = 0x012C,
    DeleteObject = 0x01F0, CreatePen = 0x02FA, CreateFont = 0x02FB, CreateBrush = 0x02FC,
    StretchDib = 0x0F43, DibBitBlt = 0x0940, DibCreatePatternBrush = 0x0142, Arc = 0x0817,
    SetTextCharExtra = 0x0108,
};

Records& solidBrush(Records& r, QRgb c)
{
    return r.add(CreateBrush, {0, qRed(c) | (qGreen(c) << 8), qBlue(c), 0});
}
Records& nullPen(Records& r) { return r.add(CreatePen, {5, 0, 0, 0, 0}); }

// A 100 x 100 logical window: the usual start of the hand-built files.
Records window100()
{
    Records r;
    r.add(SetMapMode, {8}).add(SetWindowOrg, {0, 0}).add(SetWindowExt, {100, 100});
    return r;
}

QByteArray fontParams(const char* face, int height, int escapement = 0, int weight = 400)
{
    QByteArray p;
    for (int w : {height, 0, escapement, escapement, weight})
        Records::put16(p, w);
    p.append(QByteArray(8, '\0'));
    p.append(face);
    p.append('\0');
    return p;
}

QImage render(const QByteArray& bytes, int w = 100, int h = 100)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    auto picture = loadMetafile(bytes);
    if (picture) {
        QPainter p(&img);
        picture->draw(p, QRectF(0, 0, w, h));
    }
    return img;
}

int inkCount(const QImage& img, QRect area = {})
{
    if (area.isNull())
        area = img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0)
                ++n;
    return n;
}

bool near(QRgb a, QColor b, int tolerance = 40)
{
    return qAlpha(a) > 200 && std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
           && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// The ink's bounding box.
QRect inkBox(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

// A 24-bit bottom-up DIB of w x h pixels from a top-down list of colours.
QByteArray dib24(int w, int h, const std::vector<QRgb>& topDown, int claimedW = 0, int claimedH = 0)
{
    QByteArray d;
    Records::put32(d, 40);
    Records::put32(d, uint32_t(claimedW ? claimedW : w));
    Records::put32(d, uint32_t(claimedH ? claimedH : h));
    Records::put16(d, 1);
    Records::put16(d, 24);
    for (int i = 0; i < 6; ++i)
        Records::put32(d, 0);
    const int stride = (w * 3 + 3) & ~3;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < w; ++x) {
            const QRgb c = topDown[size_t(y * w + x)];
            row.append(char(qBlue(c)));
            row.append(char(qGreen(c)));
            row.append(char(qRed(c)));
        }
        row.append(QByteArray(stride - row.size(), '\0'));
        d.append(row);
    }
    return d;
}

QByteArray stretchDibParams(int x, int y, int w, int h, int srcW, int srcH, const QByteArray& dib)
{
    QByteArray p;
    Records::put32(p, 0x00CC0020);
    for (int v : {0, srcH, srcW, 0, 0, h, w, y, x})
        Records::put16(p, v);
    return p + dib;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// What is and is not a metafile, and how big it is

TEST(WmfReader, RejectsBytesThatAreNoMetafile)
{
    EXPECT_EQ(loadMetafile(QByteArray()), nullptr);
    EXPECT_EQ(loadMetafile(QByteArray("GIF89a\x01\x00\x01\x00")), nullptr);
    EXPECT_EQ(loadMetafile(QByteArray("\xFF\xD8\xFF\xE0 not a metafile at all, a JPEG start")), nullptr);
    EXPECT_EQ(loadMetafile(Records().plain().left(10)), nullptr);
    // ...but a bare header is a metafile that draws nothing
    auto empty = loadMetafile(Records().plain());
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(inkCount(render(Records().plain())), 0);
}

TEST(WmfReader, PictureSizeComesFromTheHeaderOrTheWindow)
{
    Records r = window100();
    auto placeable = loadMetafile(r.placeable(0, 0, 1440, 720, 1440));
    ASSERT_NE(placeable, nullptr);
    EXPECT_EQ(placeable->sizeTwips(), QSizeF(1440, 720));
    auto inches = loadMetafile(r.placeable(-100, -50, 476, 238, 576)); // 576 x 288 units at 576/inch
    ASSERT_NE(inches, nullptr);
    EXPECT_EQ(inches->sizeTwips(), QSizeF(1440, 720));
    // plain files: window extent at 15 twips a unit, or else the extent of the drawing
    auto plain = loadMetafile(r.plain());
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->sizeTwips(), QSizeF(1500, 1500));
    Records noWindow;
    noWindow.add(MoveTo, {10, 10}).add(LineTo, {30, 50});
    auto drawn = loadMetafile(noWindow.plain());
    ASSERT_NE(drawn, nullptr);
    EXPECT_NEAR(drawn->sizeTwips().width(), 41 * 15, 15);
    EXPECT_NEAR(drawn->sizeTwips().height(), 21 * 15, 15);
    // and through the picture loader
    const Picture pic = QtPictureLoader::decode(r.eof().placeable(0, 0, 1440, 720, 1440), QStringLiteral("wmf\\Page.WMF"));
    EXPECT_TRUE(pic.isVector());
    EXPECT_EQ(pic.sizePixels(), QSize(96, 48));
}

// ---------------------------------------------------------------------------------------------
// Mapping, objects, shapes

TEST(WmfReader, WindowMapsOntoTheTargetIncludingYUpExtents)
{
    Records down = window100();
    solidBrush(down, qRgb(255, 0, 0));
    down.add(SelectObject, {0});
    nullPen(down).add(SelectObject, {1});
    down.add(Rectangle, {50, 100, 0, 50}); // right half of the top half: l=50 t=0 r=100 b=50
    const QImage img = render(down.eof().plain());
    EXPECT_TRUE(near(img.pixel(75, 25), Qt::red));
    EXPECT_EQ(qAlpha(img.pixel(25, 25)), 0);
    EXPECT_EQ(qAlpha(img.pixel(75, 75)), 0);

    // y up: the same rectangle in a window whose origin is at the top and extent negative
    Records up;
    up.add(SetMapMode, {8}).add(SetWindowOrg, {100, 0}).add(SetWindowExt, {-100, 100});
    solidBrush(up, qRgb(0, 0, 255));
    up.add(SelectObject, {0});
    nullPen(up).add(SelectObject, {1});
    up.add(Rectangle, {50, 100, 0, 50}); // y 0..50 is now the lower half
    const QImage flipped = render(up.eof().placeable(0, 0, 100, 100, 96));
    EXPECT_TRUE(near(flipped.pixel(75, 75), Qt::blue));
    EXPECT_EQ(qAlpha(flipped.pixel(75, 25)), 0);
}

TEST(WmfReader, ObjectTableReusesTheLowestFreeSlotAndIgnoresBadIndexes)
{
    Records r = window100();
    nullPen(r).add(SelectObject, {0});                             // slot 0: pen
    solidBrush(r, qRgb(255, 0, 0));                                // slot 1: red
    solidBrush(r, qRgb(0, 0, 255));                                // slot 2: blue
    r.add(DeleteObject, {1});                                      // frees 1
    solidBrush(r, qRgb(0, 255, 0));                                // green takes slot 1
    r.add(SelectObject, {1}).add(Rectangle, {50, 50, 0, 0});       // green, top left
    r.add(SelectObject, {2}).add(Rectangle, {50, 100, 0, 50});     // blue, top right
    r.add(SelectObject, {500}).add(DeleteObject, {60000});         // nothing there
    r.add(DeleteObject, {2}).add(SelectObject, {2});               // deleted: keeps blue selected
    r.add(Rectangle, {100, 50, 50, 0});                            // blue, bottom left
    const QImage img = render(r.eof().plain());
    EXPECT_TRUE(near(img.pixel(25, 25), Qt::green));
    EXPECT_TRUE(near(img.pixel(75, 25), Qt::blue));
    EXPECT_TRUE(near(img.pixel(25, 75), Qt::blue));
}

TEST(WmfReader, PolygonsFillModesArcsAndLines)
{
    Records r = window100();
    nullPen(r).add(SelectObject, {0});
    solidBrush(r, qRgb(255, 0, 0)).add(SelectObject, {1});
    // two overlapping squares in one polygon pair: alternate leaves the overlap empty
    r.add(SetPolyFillMode, {1});
    r.add(PolyPolygon, {2, 4, 4, 0, 0, 60, 0, 60, 60, 0, 60, 20, 20, 80, 20, 80, 80, 20, 80});
    const QImage alternate = render(Records(r).eof().plain());
    EXPECT_TRUE(near(alternate.pixel(10, 10), Qt::red));
    EXPECT_EQ(qAlpha(alternate.pixel(40, 40)), 0);
    EXPECT_TRUE(near(alternate.pixel(70, 70), Qt::red));
    Records winding = r;
    winding.add(SetPolyFillMode, {2});
    winding.add(PolyPolygon, {2, 4, 4, 0, 0, 60, 0, 60, 60, 0, 60, 20, 20, 80, 20, 80, 80, 20, 80});
    EXPECT_TRUE(near(render(winding.eof().plain()).pixel(40, 40), Qt::red));

    // a black pen: a line, and an arc over the top half of a circle (counter-clockwise from
    // the right-hand radial to the left-hand one)
    Records lines = window100();
    lines.add(CreatePen, {0, 4, 0, 0, 0}).add(SelectObject, {0});
    lines.add(MoveTo, {10, 90}).add(LineTo, {90, 90}); // words are y, x
    lines.add(Arc, {50, 0, 50, 100, 90, 90, 10, 10}); // end (0,50), start (100,50), box 10..90
    const QImage img = render(lines.eof().plain());
    EXPECT_TRUE(near(img.pixel(90, 50), Qt::black, 80)); // the line
    EXPECT_TRUE(near(img.pixel(50, 10), Qt::black, 80)); // the top of the arc
    EXPECT_GT(inkCount(img, QRect(8, 5, 84, 40)), 60);   // upper arc drawn
    EXPECT_EQ(inkCount(img, QRect(20, 60, 60, 35)), 0);  // no lower arc
}

TEST(WmfReader, ClipsSaveAndRestoreTheirState)
{
    Records r = window100();
    nullPen(r).add(SelectObject, {0});
    solidBrush(r, qRgb(255, 0, 0)).add(SelectObject, {1});
    r.add(SaveDC, {});
    r.add(IntersectClipRect, {50, 50, 0, 0}); // top-left quarter only
    r.add(Rectangle, {100, 100, 0, 0});
    r.add(RestoreDC, {-1});
    solidBrush(r, qRgb(0, 0, 255)).add(SelectObject, {2});
    r.add(IntersectClipRect, {100, 100, 50, 50});
    r.add(SelectClipRegion, {0}); // not a region: removes the clip, as real files rely on
    r.add(Rectangle, {100, 100, 90, 0}); // a blue strip along the bottom
    const QImage img = render(r.eof().plain());
    EXPECT_TRUE(near(img.pixel(25, 25), Qt::red));
    EXPECT_EQ(qAlpha(img.pixel(75, 25)), 0);
    EXPECT_TRUE(near(img.pixel(25, 95), Qt::blue));
}

TEST(WmfReader, TextFollowsAlignmentColourAndEscapement)
{
    auto textFile = [](int align, int escapement) {
        Records r;
        r.add(SetMapMode, {8}).add(SetWindowOrg, {0, 0}).add(SetWindowExt, {200, 400});
        r.add(CreateFont, fontParams("Arial", -24, escapement)).add(SelectObject, {0});
        r.add(SetBkMode, {1}).add(SetTextColor, {0x00FF, 0}).add(SetTextAlign, {align});
        QByteArray p;
        Records::put16(p, 6);
        p.append("Middle");
        Records::put16(p, 100); // y
        Records::put16(p, 200); // x
        return render(r.add(TextOut, p).eof().plain(), 400, 200);
    };
    const QImage left = textFile(0, 0);
    const QRect l = inkBox(left);
    ASSERT_FALSE(l.isNull());
    EXPECT_GE(l.left(), 199);
    EXPECT_GE(l.top(), 99); // TA_TOP: the text hangs below y
    bool red = false;
    for (int y = l.top(); y <= l.bottom() && !red; ++y)
        for (int x = l.left(); x <= l.right() && !red; ++x)
            red = near(left.pixel(x, y), Qt::red, 60);
    EXPECT_TRUE(red);

    const QRect centred = inkBox(textFile(6 | 24, 0)); // TA_CENTER | TA_BASELINE
    EXPECT_LT(centred.left(), 200);
    EXPECT_GT(centred.right(), 200);
    EXPECT_LE(centred.bottom(), 106); // only descenders below the baseline
    EXPECT_LT(centred.top(), 100);

    const QRect right = inkBox(textFile(2, 0)); // TA_RIGHT
    EXPECT_LE(right.right(), 201);

    const QRect upward = inkBox(textFile(0, 900)); // written upwards
    EXPECT_GT(upward.height(), upward.width());
    EXPECT_LE(upward.bottom(), 101);
}

TEST(WmfReader, BitmapsLandInTheirDestination)
{
    const std::vector<QRgb> quadrants = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    Records r = window100();
    r.add(StretchDib, stretchDibParams(0, 0, 100, 100, 2, 2, dib24(2, 2, quadrants)));
    const QImage img = render(r.eof().plain());
    EXPECT_TRUE(near(img.pixel(10, 10), Qt::red));
    EXPECT_TRUE(near(img.pixel(90, 10), Qt::green));
    EXPECT_TRUE(near(img.pixel(10, 90), Qt::blue));
    EXPECT_TRUE(near(img.pixel(90, 90), Qt::yellow));

    // DIBBitBlt without a bitmap fills with the brush (PATCOPY) or does nothing (D)
    Records blt = window100();
    solidBrush(blt, qRgb(0, 128, 0)).add(SelectObject, {0});
    blt.add(DibBitBlt, {0x0021, 0x00F0, 0, 0, 0, 50, 100, 0, 0}); // top half, PATCOPY
    blt.add(DibBitBlt, {0x0029, 0x00AA, 0, 0, 0, 50, 100, 50, 0}); // bottom half, D
    const QImage filled = render(blt.eof().plain());
    EXPECT_TRUE(near(filled.pixel(50, 25), QColor(0, 128, 0)));
    EXPECT_EQ(qAlpha(filled.pixel(50, 75)), 0);
}

TEST(WmfReader, PatternBrushesTileTheirBitmap)
{
    // an 8x8 one-bit DIB: black and white columns
    QByteArray p;
    Records::put16(p, 5); // BS_DIBPATTERN
    Records::put16(p, 0); // DIB_RGB_COLORS
    Records::put32(p, 40);
    Records::put32(p, 8);
    Records::put32(p, 8);
    Records::put16(p, 1);
    Records::put16(p, 1);
    for (int i = 0; i < 6; ++i)
        Records::put32(p, 0);
    Records::put32(p, 0x000000);
    Records::put32(p, 0xFFFFFF);
    for (int row = 0; row < 8; ++row)
        Records::put32(p, 0xAA); // 10101010
    Records r = window100();
    nullPen(r).add(SelectObject, {0});
    r.add(DibCreatePatternBrush, p).add(SelectObject, {1});
    r.add(Rectangle, {100, 100, 0, 0});
    const QImage img = render(r.eof().plain(), 100, 100);
    int black = 0, white = 0;
    for (int x = 20; x < 60; ++x) {
        const QRgb c = img.pixel(x, 50);
        black += qGray(c) < 60;
        white += qGray(c) > 200;
    }
    EXPECT_GT(black, 5);
    EXPECT_GT(white, 5);
}

TEST(WmfReader, InversionsMixPixelsOnImagesAndAreLeftOutElsewhere)
{
    Records r = window100();
    nullPen(r).add(SelectObject, {0});
    solidBrush(r, qRgb(255, 0, 0)).add(SelectObject, {1});
    r.add(Rectangle, {100, 100, 0, 0});
    r.add(0x061D, {0x0009, 0x0055, 50, 100, 0, 0}); // PatBlt DSTINVERT over the top half
    const QByteArray bytes = r.eof().plain();
    const QImage onImage = render(bytes);
    EXPECT_TRUE(near(onImage.pixel(50, 25), Qt::cyan));
    EXPECT_TRUE(near(onImage.pixel(50, 75), Qt::red));

    // a recording engine (as PDF and printers are) cannot mix: no white box either
    QPicture recording;
    {
        QPainter p(&recording);
        loadMetafile(bytes)->draw(p, QRectF(0, 0, 100, 100));
    }
    QImage replayed(100, 100, QImage::Format_ARGB32_Premultiplied);
    replayed.fill(Qt::transparent);
    {
        QPainter p(&replayed);
        recording.play(&p);
    }
    EXPECT_TRUE(near(replayed.pixel(50, 25), Qt::red));
}

// ---------------------------------------------------------------------------------------------
// Drawn as the original platform draws them: sizes in device pixels, fonts this machine lacks

namespace {

QByteArray textParams(const QByteArray& text, int x, int y)
{
    QByteArray p;
    Records::put16(p, int(text.size()));
    p.append(text);
    if (text.size() % 2)
        p.append('\0');
    Records::put16(p, y);
    Records::put16(p, x);
    return p;
}

// fontParams with a set character width, charset and pitch-and-family byte.
QByteArray fontParams(const char* face, int height, int width, int charset, int pitchAndFamily)
{
    QByteArray p = fontParams(face, height);
    p[2] = char(width & 0xFF);
    p[3] = char((width >> 8) & 0xFF);
    p[13] = char(charset);
    p[17] = char(pitchAndFamily);
    return p;
}

// One line of text in a 400 x 100 window, drawn at 400 x 100 pixels.
QImage textLine(const QByteArray& font, const QByteArray& text = "The heart pumps blood")
{
    Records r;
    r.add(SetMapMode, {8}).add(SetWindowOrg, {0, 0}).add(SetWindowExt, {100, 400});
    r.add(CreateFont, font).add(SelectObject, {0}).add(SetBkMode, {1});
    return render(r.add(TextOut, textParams(text, 10, 30)).eof().plain(), 400, 100);
}

} // namespace

TEST(WmfFidelity, TextWidensAPictureThatTakesItsSizeFromItsDrawing)
{
    // No window records: the picture is as big as what it draws, and the text runs far to the
    // right of its anchor (and, right-aligned on its baseline, far to the left and above it).
    const QByteArray text = "Hello, bones and muscles!";
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPixelSize(16);
    const double textWidth = QFontMetricsF(face).horizontalAdvance(QString::fromLatin1(text));
    for (const int align : {0, 2 | 24}) {
        SCOPED_TRACE(align);
        Records r;
        r.add(CreateFont, fontParams("Arial", -16)).add(SelectObject, {0}).add(SetTextAlign, {align});
        r.add(MoveTo, {0, 0}).add(LineTo, {30, 40});
        r.add(TextOut, textParams(text, align ? 40 : 0, align ? 30 : 0));
        const QByteArray bytes = r.eof().plain();
        auto picture = loadMetafile(bytes);
        ASSERT_NE(picture, nullptr);
        const QSizeF size = picture->sizeTwips() / 15; // in logical units, 15 twips each
        EXPECT_GE(size.width(), textWidth - 1);
        EXPECT_LE(size.width(), textWidth + 42);
        // drawn at its own size, the text's ink reaches both sides of the picture
        const QImage img = render(bytes, int(size.width()), int(size.height()));
        const QRect ink = inkBox(img);
        EXPECT_LE(ink.left(), 3);
        EXPECT_GE(ink.right(), img.width() - 4);
    }
}

TEST(WmfFidelity, HairlinesStayOneDevicePixelWhileWidePensScale)
{
    // A tenth of an inch square picture drawn 400 pixels wide: 40 times its own size.
    Records r = window100();
    r.add(CreatePen, {0, 0, 0, 0, 0}).add(SelectObject, {0});
    r.add(MoveTo, {0, 50}).add(LineTo, {100, 50}); // words are y, x: a vertical hairline at x 50
    r.add(CreatePen, {0, 2, 0, 0, 0}).add(SelectObject, {1});
    r.add(MoveTo, {0, 20}).add(LineTo, {100, 20}); // a pen 2 units wide at x 20
    const QImage img = render(r.eof().placeable(0, 0, 100, 100, 1000), 400, 400);
    EXPECT_LE(inkCount(img, QRect(150, 200, 100, 1)), 2); // the hairline across row 200
    EXPECT_GT(inkCount(img, QRect(150, 200, 100, 1)), 0);
    EXPECT_GE(inkCount(img, QRect(40, 200, 80, 1)), 7);   // the wide pen: 2 units, 8 pixels
}

TEST(WmfFidelity, HatchAndPatternBrushesKeepTheirSizeInDevicePixels)
{
    // An 8x8 one-bit pattern of a black pixel column in every other column.
    QByteArray pattern;
    for (int w : {5, 0}) // BS_DIBPATTERN, DIB_RGB_COLORS
        Records::put16(pattern, w);
    for (uint32_t v : {40u, 8u, 8u, 0x00010001u, 0u, 0u, 0u, 0u, 0u, 0u, 0x000000u, 0xFFFFFFu})
        Records::put32(pattern, v);
    for (int row = 0; row < 8; ++row)
        Records::put32(pattern, 0xAA);
    // A 10-inch picture drawn 240 pixels wide, a twelfth of its size, and a tiny one drawn
    // large: GDI's vertical hatch puts a crisp line in every eighth pixel column either way,
    // and the pattern alternates pixel by pixel.
    for (const int unitsPerInch : {10, 4000}) {
        SCOPED_TRACE(unitsPerInch);
        Records r = window100();
        nullPen(r).add(SelectObject, {0}).add(SetBkMode, {1});
        r.add(CreateBrush, {2, 0x0000, 0x0080, 1}).add(SelectObject, {1}); // dark blue, HS_VERTICAL
        r.add(Rectangle, {50, 100, 0, 0});
        r.add(DibCreatePatternBrush, pattern).add(SelectObject, {2});
        r.add(Rectangle, {100, 100, 50, 0});
        const QImage img = render(r.eof().placeable(0, 0, 100, 100, unitsPerInch), 240, 240);
        std::vector<int> lines;
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, 60);
            if (qAlpha(c) == 255)
                lines.push_back(x);
            else
                EXPECT_EQ(qAlpha(c), 0) << "blurred at x " << x;
        }
        ASSERT_GE(lines.size(), 29u);
        EXPECT_LE(lines.size(), 31u);
        for (size_t i = 1; i < lines.size(); ++i)
            EXPECT_EQ(lines[i] - lines[i - 1], 8);
        for (int x = 10; x < 230; ++x) {
            const int grey = qGray(img.pixel(x, 180));
            EXPECT_TRUE(grey < 10 || grey > 245) << "blurred at x " << x;
            EXPECT_NE(grey < 128, qGray(img.pixel(x + 1, 180)) < 128) << "no alternation at x " << x;
        }
    }
}

TEST(WmfFidelity, MissingFacesFallBackToPlainOrMetricCompatibleFaces)
{
    // fontconfig offers a script face for Comic Sans and a dingbat face for Dingbats; a file
    // that names them wants words, drawn here as the plain face of the font's family.
    const int swiss = 0x20, roman = 0x10, script = 0x40;
    const QImage sans = textLine(fontParams("Liberation Sans", -24, 0, 0, swiss));
    const QImage serif = textLine(fontParams("Liberation Serif", -24, 0, 0, roman));
    ASSERT_FALSE(sans == serif);
    struct Case {
        const char* face;
        int family;
        const QImage& expected;
    };
    for (const Case& c : {Case{"Comic Sans MS", script, sans}, Case{"Dingbats", 0, sans},
                          Case{"Corvana No Such Face", swiss, sans}, Case{"Corvana No Such Face", roman, serif},
                          Case{"Times New Roman", 0, serif}, Case{"Arial", roman, sans}}) {
        SCOPED_TRACE(c.face);
        if (QFontDatabase::hasFamily(QString::fromLatin1(c.face)))
            continue; // the machine has the face itself
        EXPECT_TRUE(textLine(fontParams(c.face, -24, 0, 0, c.family)) == c.expected);
    }
}

TEST(WmfFidelity, SetCharacterWidthsStretchByTheAverageGdiMeasures)
{
    // The stand-ins measure as the faces they replace do on Windows, whose fonts store an
    // average character width of 904 (Arial) and 821 (Times New Roman) per 2048 units.
    for (const auto& [face, average] : {std::pair{"Liberation Sans", 904.0}, std::pair{"Liberation Serif", 821.0}}) {
        QFont font(QString::fromLatin1(face));
        font.setPixelSize(2048);
        EXPECT_NEAR(wmf::averageCharWidth(QFontMetricsF(font)), average, 3) << face;
    }
    // Arial at 24 units has an average width of 10.6: a set width of 11 draws it almost as it
    // is, a width of 22 about twice as wide.
    const int natural = inkBox(textLine(fontParams("Arial", -24, 0, 0, 0))).width();
    const int eleven = inkBox(textLine(fontParams("Arial", -24, 11, 0, 0))).width();
    const int double22 = inkBox(textLine(fontParams("Arial", -24, 22, 0, 0), "Bones")).width();
    const int naturalShort = inkBox(textLine(fontParams("Arial", -24, 0, 0, 0), "Bones")).width();
    EXPECT_NEAR(double(eleven) / natural, 11 / 10.6, 0.05);
    EXPECT_NEAR(double(double22) / naturalShort, 22 / 10.6, 0.12);
}

// Three things real files showed: letter spacing set for the device context runs text past
// its measured bounds, symbol text stretched by the stand-in face's narrower average, and
// bands of colour meeting edge to edge with light seams between them.
TEST(WmfFidelity, CharacterSpacingSymbolWidthsAndOutlineFreeFillsDrawAsOnTheOriginalPlatform)
{
    // A picture sized by its drawing holds text with extra spacing whole, level or turned.
    const QByteArray word = "Bones";
    for (const int escapement : {0, 900}) {
        SCOPED_TRACE(escapement);
        auto sizeWith = [&](int extra) {
            Records r;
            r.add(CreateFont, fontParams("Arial", -16, escapement)).add(SelectObject, {0});
            r.add(SetTextCharExtra, {extra}).add(MoveTo, {0, 0}).add(LineTo, {2, 2});
            const QByteArray bytes = r.add(TextOut, textParams(word, 0, 0)).eof().plain();
            auto picture = loadMetafile(bytes);
            EXPECT_NE(picture, nullptr);
            return std::pair{picture ? picture->sizeTwips() / 15 : QSizeF(), bytes};
        };
        const auto [plain, plainBytes] = sizeWith(0);
        const auto [spaced, spacedBytes] = sizeWith(12);
        const double along = escapement ? spaced.height() - plain.height() : spaced.width() - plain.width();
        EXPECT_NEAR(along, 12 * word.size(), 3);
        // Drawn at its own size, none of the spaced text is cut off at the picture's edge.
        const QRect plainInk = inkBox(render(plainBytes, int(plain.width()), int(plain.height())));
        const QRect spacedInk = inkBox(render(spacedBytes, int(spaced.width()), int(spaced.height())));
        const int grown = escapement ? spacedInk.height() - plainInk.height() : spacedInk.width() - plainInk.width();
        EXPECT_GE(grown, 12 * (word.size() - 1) - 2);
    }

    // A symbol font set half an em wide (the Symbol face's own average) draws at its natural
    // width, not stretched by the stand-in's narrower letters.
    const int symbolCharset = 2;
    const int natural = inkBox(textLine(fontParams("Symbol", -24, 0, symbolCharset, 0), "(abc)")).width();
    const int setHalf = inkBox(textLine(fontParams("Symbol", -24, 12, symbolCharset, 0), "(abc)")).width();
    EXPECT_NEAR(double(setHalf) / natural, 1.0, 0.08);

    // Outline-free bands meeting edge to edge at places between pixels leave no seam: GDI
    // does not smooth fills, so every pixel along the row is covered whole.
    Records r = window100();
    nullPen(r).add(SelectObject, {0});
    const int edges[] = {0, 33, 67, 100};
    for (int band = 0; band < 3; ++band) {
        solidBrush(r, qRgb(40 + 60 * band, 60, 200)).add(SelectObject, {1 + band});
        r.add(Rectangle, {100, edges[band + 1], 0, edges[band]});
    }
    const QImage bands = render(r.eof().placeable(0, 0, 100, 100, 1000), 70, 70);
    for (int x = 0; x < 70; ++x)
        EXPECT_EQ(qAlpha(bands.pixel(x, 35)), 255) << "a seam at x " << x;

    // A page says what its picture shows in a tagged comment: read with its words, in its
    // place, and never drawn; other comments are not words.
    auto comment = [](const QByteArray& data) {
        QByteArray p;
        Records::put16(p, 15);
        Records::put16(p, int(data.size()));
        return p + data;
    };
    Records page = window100();
    page.add(CreateFont, fontParams("Arial", -10)).add(SelectObject, {0});
    page.add(TextOut, textParams("Key Facts", 0, 0));
    page.add(0x0626, comment("CORVANA-PICTURE:The heart and its four chambers"));
    page.add(0x0626, comment("Some other program's note"));
    page.add(TextOut, textParams("Your heart", 0, 50));
    auto described = loadMetafile(page.eof().plain());
    ASSERT_NE(described, nullptr);
    EXPECT_EQ(described->words(), QStringLiteral("Key Facts\nPicture: The heart and its four chambers\nYour heart"));
}

// ---------------------------------------------------------------------------------------------
// Hostile files: none may crash, hang or read outside its buffer; each draws what it could.

TEST(WmfReaderHostile, BrokenRecordSizesEndTheWalkButKeepWhatCameBefore)
{
    auto withRedSquareThen = [](auto&& tail) {
        Records r = window100();
        nullPen(r).add(SelectObject, {0});
        solidBrush(r, qRgb(255, 0, 0)).add(SelectObject, {1});
        r.add(Rectangle, {50, 50, 0, 0});
        tail(r);
        return r;
    };
    const std::vector<std::function<void(Records&)>> tails = {
        [](Records& r) { r.raw(0, Rectangle, QByteArray(8, '\x10')); },           // zero size
        [](Records& r) { r.raw(1, Rectangle); },                                  // smaller than a header
        [](Records& r) { r.raw(0x7FFFFFFF, CreateFont, QByteArray(40, 'A')); },   // runs far past the end
        [](Records& r) { r.raw(0xFFFFFFFF, Polygon, QByteArray(4, '\x7F')); },    // size wraps
        [](Records& r) { r.raw(12, Rectangle, QByteArray(4, '\0')); },            // truncated at the end
        [](Records&) {},                                                          // no end record
    };
    for (const auto& tail : tails) {
        const Records r = withRedSquareThen(tail);
        for (const QByteArray& bytes : {r.plain(), r.placeable(0, 0, 100, 100, 96)}) {
            const QImage img = render(bytes);
            EXPECT_TRUE(near(img.pixel(25, 25), Qt::red));
            EXPECT_EQ(qAlpha(img.pixel(75, 75)), 0);
        }
    }
    // a header that lies about sizes changes nothing
    QByteArray lying = withRedSquareThen([](Records& r) { r.eof(); }).plain();
    lying[6] = '\xFF';
    lying[7] = '\xFF';
    lying[10] = '\x00';
    EXPECT_TRUE(near(render(lying).pixel(25, 25), Qt::red));
}

TEST(WmfReaderHostile, PointCountsAndIndexesOutOfRange)
{
    Records r = window100();
    nullPen(r).add(SelectObject, {0});
    solidBrush(r, qRgb(255, 0, 0)).add(SelectObject, {1});
    r.add(Polygon, {0});                               // no points
    r.add(Polygon, {-5, 10, 10});                      // negative count
    r.add(Polygon, {32767, 0, 0, 50, 0, 50, 50});      // claims far more than it holds
    r.add(Polyline, {30000});
    r.add(PolyPolygon, {65535, 65535, 3});             // counts beyond the record
    r.add(PolyPolygon, {2, 3, 40000, 60, 60, 99, 60, 99, 99, 70, 70});
    r.add(SelectObject, {65535}).add(DeleteObject, {65535}).add(SelectClipRegion, {40000});
    r.add(RestoreDC, {-30000}).add(RestoreDC, {30000}).add(RestoreDC, {0});
    r.add(SetWindowExt, {0, 0}).add(0x0410, {0, 5, 0, 5}); // zero extents, zero denominators
    r.add(TextOut, {30000, 0x4141});                   // text longer than its record
    r.add(ExtTextOut, {10, 10, 20000, 6, 0, 0, 5, 5}); // clipped and opaque, string missing
    r.add(CreateFont, {-12, 0});                       // truncated font still takes a slot (2)
    solidBrush(r, qRgb(0, 0, 255));                    // slot 3
    r.add(SelectObject, {3}).add(Rectangle, {100, 100, 90, 90});
    const QImage img = render(r.eof().plain());
    EXPECT_TRUE(near(img.pixel(30, 10), Qt::red));      // the polygon's stored points
    EXPECT_TRUE(near(img.pixel(95, 95), Qt::blue));     // object numbering survived
}

TEST(WmfReaderHostile, BitmapsWithLyingSizes)
{
    const std::vector<QRgb> px(4, qRgb(0, 0, 255));
    std::vector<QByteArray> dibs;
    dibs.push_back(dib24(2, 2, px, 30000, 30000));        // claims 30000 x 30000
    dibs.push_back(dib24(2, 2, px, 2, -2));               // top-down
    dibs.push_back(dib24(2, 2, px, 2, 500));              // more rows than the data holds
    dibs.push_back(dib24(2, 2, px, -7, 2));               // negative width
    dibs.push_back(dib24(2, 2, px).left(20));             // cut inside the header
    QByteArray hugeHeader = dib24(2, 2, px);
    hugeHeader[0] = '\xFF';
    hugeHeader[3] = '\x7F';
    dibs.push_back(hugeHeader);
    QByteArray hugePalette = dib24(2, 2, px);
    hugePalette[14] = 8;     // 8 bits a pixel...
    hugePalette[32] = '\xFF'; // ...with a colour table of 0x7FFFFFFF entries
    hugePalette[35] = '\x7F';
    dibs.push_back(hugePalette);
    QByteArray oddDepth = dib24(2, 2, px);
    oddDepth[14] = 7;
    dibs.push_back(oddDepth);
    for (const QByteArray& dib : dibs) {
        Records r = window100();
        r.add(StretchDib, stretchDibParams(0, 0, 100, 100, 2, 2, dib));
        r.add(StretchDib, stretchDibParams(0, 0, 100, 100, 32000, -32000, dib)); // source far outside
        const QImage img = render(r.eof().plain());
        EXPECT_LE(inkCount(img), 100 * 100);
    }
    // the honest top-down and over-tall ones still draw blue
    Records r = window100();
    r.add(StretchDib, stretchDibParams(0, 0, 100, 100, 2, 2, dibs[1]));
    EXPECT_TRUE(near(render(r.eof().plain()).pixel(50, 50), Qt::blue));
}

TEST(WmfReaderHostile, DeepSavesHugeCoordinatesAndDashedPensStayQuick)
{
    Records r = window100();
    for (int i = 0; i < 20000; ++i)
        r.add(SaveDC, {});
    r.add(CreatePen, {1, 0, 0, 0, 0}).add(SelectObject, {0}); // dashed hairline
    r.add(SetWindowExt, {1, 1});                              // 100 pixels a unit
    r.add(MoveTo, {-32768, -32768}).add(LineTo, {32767, 32767});
    r.add(Ellipse, {32767, 32767, -32768, -32768});
    r.add(CreateFont, fontParams("Arial", -32768)).add(SelectObject, {1});
    r.add(TextOut, {2, 0x4141, 0, 0});
    for (int i = 0; i < 20000; ++i)
        r.add(RestoreDC, {-1});
    QElapsedTimer timer;
    timer.start();
    render(r.eof().plain());
    EXPECT_LT(timer.elapsed(), 10000); // a hang guard, not a speed target
}

TEST(WmfReaderHostile, RandomlyCorruptedFilesNeverCrash)
{
    // A file with most record kinds, then thousands of deterministic corruptions of it.
    Records r = window100();
    r.add(CreatePen, {0, 2, 0, 0x00FF, 0}).add(SelectObject, {0});
    solidBrush(r, qRgb(0, 200, 0)).add(SelectObject, {1});
    r.add(CreateFont, fontParams("Tahoma", -12)).add(SelectObject, {2});
    r.add(Rectangle, {40, 40, 10, 10}).add(Ellipse, {90, 90, 50, 50});
    r.add(Polygon, {3, 0, 0, 50, 0, 25, 40});
    r.add(PolyPolygon, {2, 3, 3, 0, 0, 9, 0, 5, 5, 20, 20, 29, 20, 25, 25});
    r.add(IntersectClipRect, {95, 95, 5, 5});
    QByteArray text;
    Records::put16(text, 5);
    text.append("Hello");
    text.append('\0');
    Records::put16(text, 60);
    Records::put16(text, 10);
    r.add(TextOut, text);
    r.add(StretchDib, stretchDibParams(0, 60, 30, 30, 2, 2, dib24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF})));
    const QByteArray good = r.eof().placeable(0, 0, 100, 100, 96);
    QRandomGenerator rng(1234);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = good;
        const int changes = 1 + int(rng.bounded(8));
        for (int c = 0; c < changes; ++c) {
            const int at = 22 + int(rng.bounded(bad.size() - 22));
            bad[at] = char(rng.bounded(256));
        }
        if (round % 7 == 0)
            bad.truncate(int(rng.bounded(bad.size())));
        render(bad, 40, 40);
    }
    SUCCEED();
}

// ---------------------------------------------------------------------------------------------
// Metafiles written by other programs

namespace {

QByteArray sample(const QString& name)
{
    QFile f(sharedDir() + QStringLiteral("/wmf-samples/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage renderSample(const QString& name, int longSide = 400)
{
    auto pic = loadMetafile(sample(name));
    if (!pic)
        return {};
    const QSizeF s = pic->sizeTwips();
    const double k = longSide / std::max(s.width(), s.height());
    return render(sample(name), std::max(1, int(s.width() * k)), std::max(1, int(s.height() * k)));
}

} // namespace

TEST(WmfSamples, EverySampleParsesAndDraws)
{
    const QDir dir(sharedDir() + QStringLiteral("/wmf-samples"));
    const QStringList files = dir.entryList({QStringLiteral("*.wmf")}, QDir::Files);
    ASSERT_GE(files.size(), 10);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        auto pic = loadMetafile(sample(name));
        ASSERT_NE(pic, nullptr);
        EXPECT_GT(pic->sizeTwips().width(), 0);
        EXPECT_GT(pic->sizeTwips().height(), 0);
        const QImage img = renderSample(name);
        // each covers a real part of its picture (the transparent background shows even the
        // white-on-nothing logo)
        EXPECT_GT(inkCount(img), img.width() * img.height() / 100);
    }
}

TEST(WmfSamples, MalformedFuzzedFileEndsWithWhatItCouldDraw)
{
    QElapsedTimer timer;
    timer.start();
    const QImage img = renderSample(QStringLiteral("poi_61338.wmf"));
    EXPECT_LT(timer.elapsed(), 5000); // a hang guard
    EXPECT_GT(inkCount(img), 0);      // its text came before the broken record
}

TEST(WmfSamples, YUpWindowDrawsSantaUpright)
{
    // The red hat is in the upper-left part of the picture.
    const QImage img = renderSample(QStringLiteral("poi_santa.wmf"));
    int redTop = 0, redBottom = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (near(img.pixel(x, y), Qt::red, 60))
                (y < img.height() / 2 ? redTop : redBottom)++;
    EXPECT_GT(redTop, 200);
    EXPECT_GT(redTop, 10 * redBottom);
}

TEST(WmfSamples, BitmapsAndPatternBrushesShow)
{
    // "Hello World!" is a 24-bit DIB: dark text on white
    const QImage hello = renderSample(QStringLiteral("tika_testWMF.wmf"));
    int dark = 0, white = 0;
    for (int y = 0; y < hello.height(); ++y)
        for (int x = 0; x < hello.width(); ++x) {
            dark += qGray(hello.pixel(x, y)) < 80 && qAlpha(hello.pixel(x, y)) == 255;
            white += near(hello.pixel(x, y), Qt::white, 10);
        }
    EXPECT_GT(dark, 500);
    EXPECT_GT(white, dark);

    // the lab drawing's hatched parts: a pattern gives grey-looking mixtures of black and white
    const QImage lab = renderSample(QStringLiteral("poi_testException2.doc-2.wmf"), 800);
    int grey = 0;
    for (int y = 0; y < lab.height(); ++y)
        for (int x = 0; x < lab.width(); ++x) {
            const int g = qGray(lab.pixel(x, y));
            grey += qAlpha(lab.pixel(x, y)) == 255 && g > 60 && g < 200;
        }
    EXPECT_GT(grey, 300);
}
