// The page writer: the files it makes are well-formed, keep their object table tidy, and
// draw (through the program's own reader) what was asked, where it was asked.
#include "pages/wmf_writer.h"

#include "platform/metafile.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

uint16_t u16(const QByteArray& b, qsizetype o) { return uint16_t(uint8_t(b[o]) | (uint8_t(b[o + 1]) << 8)); }
uint32_t u32(const QByteArray& b, qsizetype o) { return u16(b, o) | (uint32_t(u16(b, o + 2)) << 16); }

struct Rec {
    uint32_t words;
    uint16_t function;
    qsizetype offset; // of the parameters
};

// Walks the records after both headers, trusting nothing but the file's length.
std::vector<Rec> records(const QByteArray& b)
{
    std::vector<Rec> out;
    qsizetype o = 22 + 18;
    while (o + 6 <= b.size()) {
        const Rec r{u32(b, o), u16(b, o + 4), o + 6};
        out.push_back(r);
        if (r.words < 3 || r.function == 0)
            break;
        o += 2 * qsizetype(r.words);
    }
    return out;
}

QImage draw(const QByteArray& bytes, QSize size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    auto pic = loadMetafile(bytes);
    if (pic) {
        QPainter p(&img);
        pic->draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return img;
}

bool near(QRgb a, QColor b, int tolerance = 30)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
           && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

int darkPixels(const QImage& img, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(img.pixel(x, y)) < 128;
    return n;
}

} // namespace

TEST(WmfWriter, WritesAWellFormedPlaceableFile)
{
    WmfWriter w(11700, 7800);
    w.font(QStringLiteral("Tahoma"), 240, true);
    w.textOut(100, 100, QStringLiteral("Bones"));
    w.pen(Qt::red, 30);
    w.rectangle(QRect(100, 400, 2000, 1000));
    const QByteArray b = w.bytes();

    ASSERT_GE(b.size(), 40);
    EXPECT_EQ(u32(b, 0), 0x9AC6CDD7u);
    EXPECT_EQ(u16(b, 10), 11700); // bounding box right
    EXPECT_EQ(u16(b, 12), 7800);  // bottom
    EXPECT_EQ(u16(b, 14), 1440);  // units per inch: logical units are twips
    uint16_t sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= u16(b, i);
    EXPECT_EQ(u16(b, 20), sum);

    EXPECT_EQ(u16(b, 22), 1);
    EXPECT_EQ(u16(b, 24), 9);
    EXPECT_EQ(qsizetype(u32(b, 28)) * 2, b.size() - 22); // size in words, header included
    const auto recs = records(b);
    ASSERT_FALSE(recs.empty());
    EXPECT_EQ(recs.back().function, 0);
    EXPECT_EQ(recs.back().words, 3u);
    uint32_t maxWords = 0;
    qsizetype end = 40;
    for (const Rec& r : recs) {
        maxWords = std::max(maxWords, r.words);
        end = r.offset - 6 + 2 * qsizetype(r.words);
    }
    EXPECT_EQ(end, b.size()); // the end record is the last thing in the file
    EXPECT_EQ(u32(b, 34), maxWords);

    auto pic = loadMetafile(b);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->sizeTwips(), QSizeF(11700, 7800));

    // the same calls give the same bytes
    WmfWriter again(11700, 7800);
    again.font(QStringLiteral("Tahoma"), 240, true);
    again.textOut(100, 100, QStringLiteral("Bones"));
    again.pen(Qt::red, 30);
    again.rectangle(QRect(100, 400, 2000, 1000));
    EXPECT_EQ(again.bytes(), b);
}

TEST(WmfWriter, ObjectTableStaysSmallAndEndsEmpty)
{
    WmfWriter w(2000, 2000);
    for (int i = 0; i < 50; ++i) {
        w.pen(QColor(i, 0, 0), 15);
        w.brush(QColor(0, i, 0));
        w.font(QStringLiteral("Arial"), 200 + i);
        w.rectangle(QRect(i, i, 100, 100));
    }
    w.nullPen();
    w.nullBrush();
    w.hatchBrush(WmfWriter::Hatch::Cross, Qt::blue);
    w.pen(Qt::black, 15);
    const int before = int(records(w.bytes()).size());
    w.pen(Qt::black, 15); // the same pen again costs nothing
    EXPECT_EQ(int(records(w.bytes()).size()), before);

    // Replay the table: every select names a live slot, and nothing is left at the end.
    const QByteArray b = w.bytes();
    std::set<int> live;
    size_t most = 0;
    for (const Rec& r : records(b)) {
        if (r.function == 0x02FA || r.function == 0x02FB || r.function == 0x02FC) {
            int slot = 0;
            while (live.count(slot))
                ++slot;
            live.insert(slot);
            most = std::max(most, live.size());
        } else if (r.function == 0x012D) {
            EXPECT_TRUE(live.count(u16(b, r.offset)));
        } else if (r.function == 0x01F0) {
            EXPECT_EQ(live.erase(u16(b, r.offset)), 1u);
        }
    }
    EXPECT_TRUE(live.empty());
    EXPECT_LE(most, 4u); // one each of pen, brush and font, plus the one being replaced
    EXPECT_EQ(u16(b, 22 + 10), most);
}

TEST(WmfWriter, RestoreDcBringsBackTheEarlierPen)
{
    WmfWriter w(1500, 1500);
    w.pen(Qt::red, 150);
    w.saveDC();
    w.pen(Qt::blue, 150);
    w.line(0, 300, 1500, 300);
    w.restoreDC();
    w.line(0, 1200, 1500, 1200);
    const QImage img = draw(w.bytes(), QSize(100, 100));
    EXPECT_TRUE(near(img.pixel(50, 20), Qt::blue));
    EXPECT_TRUE(near(img.pixel(50, 80), Qt::red));
}

TEST(WmfWriter, PageDrawsColoursAndTextWhereTheyWereAsked)
{
    // An A4-ish landscape page at screen scale: 15 twips a pixel.
    WmfWriter w(11700, 7800);
    w.nullPen();
    w.brush(QColor(200, 0, 0));
    w.rectangle(QRect(1500, 1500, 1500, 1500));             // px 100..200
    w.brush(QColor(0, 150, 0));
    w.ellipse(QRect(4500, 1500, 1500, 1500));               // centre px 350,150
    w.pen(Qt::black, 30);
    w.brush(QColor(0, 0, 220));
    w.polygon({QPoint(7500, 3000), QPoint(9000, 3000), QPoint(8250, 1500)});
    w.pie(QRect(9000, 4500, 1500, 1500), 0.0, 90.0);        // upper-right quarter
    QImage tile(2, 1, QImage::Format_RGB32);
    tile.setPixel(0, 0, qRgb(255, 255, 0));
    tile.setPixel(1, 0, qRgb(0, 255, 255));
    w.stretchDIBits(QRect(1500, 4500, 3000, 1500), tile);  // px 100..300 x 300..400
    w.setTextColor(Qt::black);
    w.font(QStringLiteral("Times New Roman"), 360);
    w.textOut(6000, 6000, QStringLiteral("Skeleton")); // px 400, 400, hanging down

    const QImage img = draw(w.bytes(), QSize(780, 520));
    EXPECT_TRUE(near(img.pixel(150, 150), QColor(200, 0, 0)));
    EXPECT_TRUE(near(img.pixel(95, 150), Qt::white));
    EXPECT_TRUE(near(img.pixel(350, 150), QColor(0, 150, 0)));
    EXPECT_TRUE(near(img.pixel(305, 105), Qt::white)); // outside the ellipse, inside its box
    EXPECT_TRUE(near(img.pixel(550, 180), QColor(0, 0, 220)));
    EXPECT_TRUE(near(img.pixel(660, 330), QColor(0, 0, 220)));  // inside the pie
    EXPECT_TRUE(near(img.pixel(640, 370), Qt::white));          // lower-left quarter left out
    EXPECT_TRUE(near(img.pixel(150, 350), Qt::yellow));
    EXPECT_TRUE(near(img.pixel(250, 350), Qt::cyan));
    EXPECT_GT(darkPixels(img, QRect(400, 400, 130, 30)), 100);
    EXPECT_EQ(darkPixels(img, QRect(300, 395, 95, 40)), 0);     // nothing left of the text
}

TEST(WmfWriter, ParagraphsWrapWithinTheirWidthAndAlign)
{
    WmfWriter w(11700, 7800);
    w.font(QStringLiteral("Arial"), 240);
    const QString text = QStringLiteral("The skeleton has more than two hundred bones. They hold the body up, "
                                        "protect the organs inside it and, with the muscles, let it move.\n"
                                        "A new paragraph.");
    const QStringList lines = w.wrap(text, 4500);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.back(), QStringLiteral("A new paragraph."));
    for (const QString& line : lines)
        EXPECT_LE(w.textWidth(line), 4500);
    EXPECT_GT(w.textWidth(lines[0] + QLatin1Char(' ') + lines[1].section(QLatin1Char(' '), 0, 0)), 4500);
    EXPECT_EQ(w.wrap(QStringLiteral("Supercalifragilisticexpialidocious"), 300).size(), 1);

    const int bottom = w.paragraph(1500, 1500, 4500, text, 300);
    EXPECT_EQ(bottom, 1500 + int(lines.size()) * 300);
    w.setTextAlign(WmfWriter::Center | WmfWriter::Top);
    w.paragraph(7500, 6000, 3000, QStringLiteral("Centred"), 300);

    const QImage img = draw(w.bytes(), QSize(780, 520));
    EXPECT_GT(darkPixels(img, QRect(100, 100, 300, 20)), 50);  // first line
    EXPECT_EQ(darkPixels(img, QRect(401, 100, 379, 120)), 0);  // nothing past the width
    // "Centred" sits around x = 600 px
    const int left = darkPixels(img, QRect(540, 400, 60, 20));
    const int right = darkPixels(img, QRect(600, 400, 60, 20));
    EXPECT_GT(left, 10);
    EXPECT_GT(right, 10);
    EXPECT_EQ(darkPixels(img, QRect(500, 400, 30, 20)) + darkPixels(img, QRect(670, 400, 30, 20)), 0);
}

TEST(WmfWriter, RotatedAndOpaqueText)
{
    WmfWriter w(3000, 3000);
    w.setBkMode(WmfWriter::BkMode::Opaque);
    w.setBkColor(QColor(255, 255, 0));
    w.font(QStringLiteral("Arial"), 300, false, false, 900);
    w.textOut(1500, 2800, QStringLiteral("Upward"));
    const QImage img = draw(w.bytes(), QSize(200, 200));
    QRect yellow;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (near(img.pixel(x, y), Qt::yellow))
                yellow = yellow.united(QRect(x, y, 1, 1));
    ASSERT_FALSE(yellow.isNull());
    EXPECT_GT(yellow.height(), 2 * yellow.width()); // a tall box: the text runs up the page
    EXPECT_LE(yellow.bottom(), 188);
}
