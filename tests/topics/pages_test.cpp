// The reading pages as the program finds them in its data folder.
#include "test_app.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const char* const pageNames[] = {
    "key parts of the body", "parts of the body", "key bones", "bonesa", "bonesb", "guide1", "guide2",
    "guide3", "guide4", "introduction", "acknowledgments",
};

// The screen copy drawn at one pixel per 15 twips on a transparent ground.
QImage renderScreenCopy(const Picture& p)
{
    QImage image(p.sizePixels(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    p.draw(painter, QRectF(QPointF(0, 0), QSizeF(p.sizePixels())));
    return image;
}

// Whether anything is drawn in a rectangle given in page twips.
bool inkIn(const QImage& image, QRectF twipsRect)
{
    const QRect r = display::rect(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height())
                        .intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qAlpha(image.pixel(x, y)) > 40)
                return true;
    return false;
}

} // namespace

TEST(Pages, EveryPageHasAScreenCopyAndALargerPortraitPrintCopy)
{
    TestApp t;
    for (const char* name : pageNames) {
        SCOPED_TRACE(name);
        const QString stem = QString::fromLatin1(name);
        const Picture screen = t.pictures.load("wmf\\" + stem + ".wmf");
        const Picture print = t.pictures.load("wmf2\\" + stem + ".wmf");
        ASSERT_FALSE(screen.isNull());
        ASSERT_FALSE(print.isNull());
        // Above the reader's bottom row of buttons when drawn at (120, 0).
        EXPECT_LE(screen.sizeTwips().width(), 11700);
        EXPECT_LE(screen.sizeTwips().height(), 7800);
        // A portrait sheet, 1000 twips in: within the printable area of A4 (11506 x 16438 at
        // 0.14 inch margins) and of Letter (11840 x 15440).
        EXPECT_LE(1000 + print.sizeTwips().width(), 11506);
        EXPECT_LE(1000 + print.sizeTwips().height(), 15440);
        EXPECT_GT(print.sizeTwips().height(), print.sizeTwips().width());
    }
}

TEST(Pages, ScreenCopiesLeaveThePrintButtonAndTheLogoClear)
{
    TestApp t;
    // The reader's Print button at (10680, 120), 1125 x 495, seen from a page at (120, 0).
    const QRectF printButton(10680 - 120, 120, 1125, 495);
    for (const char* name : pageNames) {
        SCOPED_TRACE(name);
        const QImage image = renderScreenCopy(t.pictures.load("wmf\\" + QString::fromLatin1(name) + ".wmf"));
        EXPECT_TRUE(inkIn(image, QRectF(0, 0, 11700, 7800))); // not blank
        EXPECT_FALSE(inkIn(image, printButton));
    }
    // The acknowledgments page shows the logo boxes at (9000, 3840) and (9030, 5760).
    const QImage ack = renderScreenCopy(t.pictures.load("wmf\\acknowledgments.wmf"));
    EXPECT_FALSE(inkIn(ack, QRectF(9000 - 120, 3840, 1830, 5760 + 1335 - 3840)));
}

TEST(Pages, PrintCopiesAreBlackOnWhite)
{
    TestApp t;
    for (const char* name : pageNames) {
        SCOPED_TRACE(name);
        const Picture print = t.pictures.load("wmf2\\" + QString::fromLatin1(name) + ".wmf");
        QImage image(print.sizePixels(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        print.draw(painter, QRectF(image.rect()));
        painter.end();
        int dark = 0, coloured = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                const QColor c = image.pixelColor(x, y);
                dark += c.lightness() < 100;
                coloured += c.hslSaturation() > 60 && c.lightness() < 230;
            }
        EXPECT_GT(dark, 500);     // it carries text
        EXPECT_EQ(coloured, 0);   // and no colour that needs a colour printer
    }
}
