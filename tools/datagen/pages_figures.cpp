// The pictures drawn into the guide and the introduction. Each is designed in its own units
// and fitted into the box the page gives it; colours come from the copy's style, so the same
// picture reads on the dark screen and prints cleanly in black on white.
#include "pages_figures.h"

#include <cmath>

namespace pages {

namespace {

const QColor frameBlue(39, 63, 137);

bool onScreen(const Style& s) { return s.copy == Copy::Screen; }

// A cartoon bone from a to b: a shaft with a rounded knob at each end.
void bone(Canvas& c, const Style& s, QPointF a, QPointF b, double thickness)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length = std::max(1.0, std::hypot(dx, dy));
    const double nx = -dy / length * thickness / 2, ny = dx / length * thickness / 2;
    const double knob = thickness * 0.8;
    WmfWriter& w = c.w;
    w.pen(s.boneLine, std::max(8, c.len(3)));
    w.brush(s.bone);
    for (QPointF end : {a, b})
        for (double side : {-1.0, 1.0})
            w.ellipse(c.r(end.x() + side * nx * 0.9 - knob / 2, end.y() + side * ny * 0.9 - knob / 2, knob, knob));
    w.nullPen();
    w.polygon(c.poly({{a.x() + nx, a.y() + ny}, {b.x() + nx, b.y() + ny}, {b.x() - nx, b.y() - ny}, {a.x() - nx, a.y() - ny}}));
    w.pen(s.boneLine, std::max(8, c.len(3)));
    w.line(c.p(a.x() + nx, a.y() + ny).x(), c.p(a.x() + nx, a.y() + ny).y(), c.p(b.x() + nx, b.y() + ny).x(),
           c.p(b.x() + nx, b.y() + ny).y());
    w.line(c.p(a.x() - nx, a.y() - ny).x(), c.p(a.x() - nx, a.y() - ny).y(), c.p(b.x() - nx, b.y() - ny).x(),
           c.p(b.x() - nx, b.y() - ny).y());
}

// Draws a left-right symmetric part twice: as given, and mirrored about x = axis.
template <class F> void mirrored(double axis, F draw)
{
    draw([](double x) { return x; });
    draw([axis](double x) { return 2 * axis - x; });
}

int labelFont(const Style& s) { return onScreen(s) ? 220 : 200; }

void caption(Canvas& c, const Style& s, QPointF at, const QString& text, int font)
{
    c.w.font(s.face, font, true);
    c.w.setTextColor(s.heading);
    c.w.setTextAlign(WmfWriter::Center | WmfWriter::Top);
    const QPoint p = c.p(at.x(), at.y());
    c.w.textOut(p.x(), p.y(), text);
    c.w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
}

// ---------------------------------------------------------------- the body

void drawBody(Canvas& c, const Style& s, double ox)
{
    WmfWriter& w = c.w;
    // The left half of the outline, from the neck down and round to the middle; the right
    // half is its mirror image.
    const double left[][2] = {
        {470, 215}, {470, 262}, {420, 278}, {385, 288}, {362, 312}, {345, 400}, {326, 482}, {302, 570},
        {287, 648}, {272, 668}, {262, 718}, {272, 762}, {303, 772}, {320, 738}, {324, 692}, {333, 660},
        {352, 580}, {376, 492}, {395, 412}, {406, 362}, {409, 450}, {401, 560}, {391, 660}, {396, 742},
        {410, 880}, {415, 960}, {421, 1060}, {431, 1198}, {426, 1244}, {382, 1272}, {383, 1300}, {481, 1302},
        {483, 1250}, {479, 1180}, {483, 1060}, {479, 960}, {489, 842}, {500, 770},
    };
    QList<QPoint> outline;
    for (const auto& pt : left)
        outline << c.p(ox + pt[0], pt[1]);
    for (int i = int(std::size(left)) - 2; i >= 0; --i)
        outline << c.p(ox + 1000 - left[i][0], left[i][1]);
    w.pen(s.skinLine, std::max(10, c.len(4)));
    w.brush(s.skin);
    w.polygon(outline);

    // Head, hair and face.
    w.ellipse(c.r(ox + 410, 25, 180, 205));
    w.brush(onScreen(s) ? QColor(120, 72, 36) : QColor(150, 150, 150));
    w.chord(c.r(ox + 410, 25, 180, 205), 12, 156);
    w.nullPen();
    w.brush(onScreen(s) ? QColor(40, 40, 70) : QColor(0, 0, 0));
    w.ellipse(c.r(ox + 458, 118, 18, 18));
    w.ellipse(c.r(ox + 524, 118, 18, 18));
    w.pen(onScreen(s) ? QColor(170, 60, 60) : QColor(0, 0, 0), std::max(10, c.len(4)));
    w.nullBrush();
    w.arc(c.r(ox + 462, 135, 76, 52), 200, 140);
}

void drawSkeleton(Canvas& c, const Style& s, double ox)
{
    WmfWriter& w = c.w;
    const int line = std::max(8, c.len(3));
    const QColor hole = onScreen(s) ? frameBlue : QColor(255, 255, 255);
    const QColor dark = onScreen(s) ? QColor(70, 58, 44) : QColor(0, 0, 0);
    auto X = [ox](double x) { return ox + x; };

    // Backbone, behind everything else.
    w.pen(s.boneLine, line);
    w.brush(s.bone);
    for (double y = 218; y < 690; y += 26)
        w.roundRect(c.r(X(588), y, 24, 20), c.len(8), c.len(8));

    // Rib cage: twelve pairs drawn as seven hoops, and the breastbone.
    const double widths[] = {190, 232, 252, 262, 258, 242, 212};
    for (int i = 0; i < 7; ++i) {
        const QRect hoop = c.r(X(600 - widths[i] / 2), 285 + i * 40, widths[i], 70);
        w.nullBrush();
        w.pen(s.boneLine, std::max(20, c.len(13)));
        w.ellipse(hoop);
        w.pen(s.bone, std::max(10, c.len(7)));
        w.ellipse(hoop);
    }
    w.pen(s.boneLine, line);
    w.brush(s.bone);
    w.roundRect(c.r(X(588), 268, 24, 190), c.len(10), c.len(10));

    // Pelvis with its openings.
    w.polygon(c.poly({{X(600), 690}, {X(548), 683}, {X(492), 700}, {X(470), 745}, {X(490), 800}, {X(540), 830},
                      {X(575), 822}, {X(600), 806}, {X(625), 822}, {X(660), 830}, {X(710), 800}, {X(730), 745},
                      {X(708), 700}, {X(652), 683}}));
    w.brush(hole);
    w.ellipse(c.r(X(528), 768, 40, 42));
    w.ellipse(c.r(X(632), 768, 40, 42));
    w.nullBrush();
    w.polyline(c.poly({{X(578), 698}, {X(600), 772}, {X(622), 698}}));

    mirrored(X(600), [&](auto m) {
        bone(c, s, {m(X(596)), 256}, {m(X(472)), 250}, 12);                 // collar bone
        bone(c, s, {m(X(470)), 272}, {m(X(440)), 482}, 20);                 // humerus
        bone(c, s, {m(X(436)), 498}, {m(X(410)), 668}, 10);                 // radius
        bone(c, s, {m(X(452)), 498}, {m(X(432)), 670}, 10);                 // ulna
        for (int f = 0; f < 4; ++f)                                         // fingers
            bone(c, s, {m(X(401 + f * 11)), 700}, {m(X(396 + f * 13)), 758}, 6);
        bone(c, s, {m(X(446)), 690}, {m(X(462)), 728}, 7);                  // thumb
        bone(c, s, {m(X(528)), 806}, {m(X(544)), 1036}, 22);                // femur
        bone(c, s, {m(X(542)), 1072}, {m(X(540)), 1282}, 17);               // tibia
        bone(c, s, {m(X(568)), 1082}, {m(X(566)), 1276}, 8);                // fibula
        w.pen(s.boneLine, line);
        w.brush(s.bone);
        w.ellipse(c.r(std::min(m(X(525)), m(X(567))), 1030, 42, 42));       // kneecap
        QList<QPoint> foot;
        for (auto [x, y] : std::initializer_list<std::pair<double, double>>{
                 {520, 1292}, {572, 1292}, {584, 1320}, {560, 1346}, {478, 1352}, {476, 1332}, {504, 1316}})
            foot << c.p(m(X(x)), y);
        w.polygon(foot);
    });

    // Skull: jaw, then the cranium over it, eye sockets, nose and teeth.
    w.pen(s.boneLine, line);
    w.brush(s.bone);
    w.polygon(c.poly({{X(548), 140}, {X(652), 140}, {X(640), 200}, {X(600), 216}, {X(560), 200}}));
    w.ellipse(c.r(X(530), 15, 140, 162));
    w.nullPen();
    w.brush(dark);
    w.ellipse(c.r(X(551), 72, 40, 36));
    w.ellipse(c.r(X(609), 72, 40, 36));
    w.polygon(c.poly({{X(600), 112}, {X(589), 136}, {X(611), 136}}));
    w.pen(s.boneLine, line);
    for (double x = 572; x <= 628; x += 11)
        w.line(c.p(X(x), 154).x(), c.p(X(x), 154).y(), c.p(X(x), 176).x(), c.p(X(x), 176).y());
    w.line(c.p(X(566), 165).x(), c.p(X(566), 165).y(), c.p(X(634), 165).x(), c.p(X(634), 165).y());
}

} // namespace

Drawing skeletonFigure()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        Canvas c(w, box, 700, 1400);
        drawSkeleton(c, s, -250);
    };
}

Drawing outsideInsideFigure()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        const int half = box.width() / 2;
        const int captionSpace = onScreen(s) ? 420 : 380;
        const QRect left(box.x(), box.y(), half, box.height() - captionSpace);
        const QRect right(box.x() + half, box.y(), half, box.height() - captionSpace);
        Canvas a(w, left, 700, 1400);
        drawBody(a, s, -150);
        Canvas b(w, right, 700, 1400);
        drawSkeleton(b, s, -250);
        Canvas whole(w, box, box.width(), box.height());
        caption(whole, s, {half / 2.0, double(box.height() - captionSpace + 80)}, QStringLiteral("Outside"), labelFont(s));
        caption(whole, s, {half * 1.5, double(box.height() - captionSpace + 80)}, QStringLiteral("Inside"), labelFont(s));
    };
}

} // namespace pages
