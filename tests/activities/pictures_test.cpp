// The labelling pictures must fit the fixed pointer lines: each line runs from the target box
// of one part to a point on that part of the picture, and the picture keeps clear of the
// boxes and texts around it.
#include "test_topics.h"
#include "activities/activity_layout.h"

#include "test_app.h"

#include <QImage>
#include <QLineF>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

using namespace activity;

namespace {

QImage generated(const QString& relative)
{
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QImage(testDataDir() + QLatin1Char('/') + path);
}

int distance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

QRectF pictureRect(const ActivityLayout& layout, const QImage& image)
{
    return {layout.pictureTopLeft, QSizeF(display::fromPixels(image.width()), display::fromPixels(image.height()))};
}

// Twips on the screen to the picture's pixel.
QPoint pixelAt(const ActivityLayout& layout, QPointF screen)
{
    return ((screen - layout.pictureTopLeft) / display::twipsPerDesignPixel).toPoint();
}

QRectF targetRect(const ActivityLayout& layout, int i)
{
    const ItemRow& row = layout.items[static_cast<size_t>(i)];
    return {row.targetLeft, row.targetTop, layout.labelWidth, layout.labelHeight};
}

double distanceToRect(QPointF p, const QRectF& r)
{
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

// For each line: the caption of the target box at its outer end (within 120 twips of it), and
// its other end, on the picture, in twips from the picture's top-left.
std::map<std::string, QPointF> lineEndsByCaption(const ActivityLayout& layout)
{
    std::map<std::string, QPointF> ends;
    for (const LineRow& line : layout.lines) {
        int box = -1;
        QPointF onPicture;
        double nearest = 120;
        for (int i = 0; i < layout.count(); ++i)
            for (const auto& [outer, inner] : {std::pair(line.from, line.to), std::pair(line.to, line.from)})
                if (const double d = distanceToRect(outer, targetRect(layout, i)); d < nearest) {
                    nearest = d;
                    box = i;
                    onPicture = inner;
                }
        EXPECT_GE(box, 0) << "Line1(" << line.index << ") starts at no target box";
        if (box >= 0)
            ends[layout.items[static_cast<size_t>(box)].caption.toStdString()] = onPicture - layout.pictureTopLeft;
    }
    return ends;
}

void expectLinesEndOnTheirParts(const ActivityLayout& layout, const std::map<std::string, QPointF>& parts)
{
    const QImage image = generated(layout.picture);
    ASSERT_FALSE(image.isNull()) << layout.picture.toStdString();
    const QColor background = *layout.background;
    const auto ends = lineEndsByCaption(layout);
    EXPECT_EQ(ends.size(), parts.size());
    for (const auto& [caption, at] : parts) {
        ASSERT_TRUE(ends.count(caption)) << caption;
        EXPECT_EQ(ends.at(caption), at) << caption;
        const QPoint px = pixelAt(layout, layout.pictureTopLeft + at);
        EXPECT_GT(distance(image.pixelColor(px), background), 120) << caption << " line ends on the background";
    }
}

// Every pixel of the picture inside the screen area is the screen's own colour.
void expectClearUnder(const ActivityLayout& layout, const QImage& image, const QRectF& area, const char* what)
{
    const QRectF overlap = pictureRect(layout, image).intersected(area);
    if (overlap.isEmpty())
        return;
    const QRect px(pixelAt(layout, overlap.topLeft()), pixelAt(layout, overlap.bottomRight()));
    int worst = 0;
    for (int y = std::max(0, px.top()); y < std::min(image.height(), px.bottom()); ++y)
        for (int x = std::max(0, px.left()); x < std::min(image.width(), px.right()); ++x)
            worst = std::max(worst, distance(image.pixelColor(x, y), *layout.background));
    EXPECT_LT(worst, 24) << "the picture shows under " << what;
}

} // namespace

TEST(ActivityPictures, SkeletonLinesEndOnTheirBones)
{
    expectLinesEndOnTheirParts(boneslab, {{"Skull", {1200, 600}},
                                          {"Rib Cage", {1080, 2040}},
                                          {"Backbone", {1440, 2760}},
                                          {"Pelvis", {1920, 3480}},
                                          {"Humerus", {2340, 2160}},
                                          {"Femur", {1080, 5160}},
                                          {"Tibia", {1200, 6480}}});
}

TEST(ActivityPictures, SkeletonStaysBetweenTheBoxColumnsAndAboveTheButtons)
{
    const QImage image = generated(boneslab.picture);
    const QRectF r = pictureRect(boneslab, image);
    EXPECT_GE(r.left(), 6480);
    EXPECT_LE(r.right(), 10080);
    EXPECT_LE(r.bottom(), buttons[checkScoreButton].rect.top());
}

TEST(ActivityPictures, BodyLinesEndOnTheirParts)
{
    expectLinesEndOnTheirParts(partslab, {{"Head", {2760, 480}},
                                          {"Hand", {360, 1440}},
                                          {"Arm", {4200, 1200}},
                                          {"Torso", {3600, 2280}},
                                          {"Leg", {2040, 4920}},
                                          {"Foot", {1440, 6240}}});
}

TEST(ActivityPictures, BodyKeepsClearOfBoxesHomeAreaInstructionAndButtons)
{
    const QImage image = generated(partslab.picture);
    ASSERT_FALSE(image.isNull());
    for (int i = 0; i < partslab.count(); ++i)
        expectClearUnder(partslab, image, targetRect(partslab, i).adjusted(-30, -30, 30, 30), "a target box");
    QRectF homes;
    for (const ItemRow& row : partslab.items)
        homes |= QRectF(row.homeLeft, row.homeTop, partslab.labelWidth, partslab.labelHeight);
    expectClearUnder(partslab, image, homes, "the home boxes");
    expectClearUnder(partslab, image, partslab.texts[0].rect, "the instruction");
    for (const ButtonRow& b : buttons)
        expectClearUnder(partslab, image, b.rect, b.caption);
}
