// The pictures of the two labelling activities: a friendly skeleton and a child with arms and
// legs apart. The yellow pointer lines on those screens are fixed, so each picture is drawn
// around the points where the lines end; the anchors below are those ends in picture pixels
// (twips from the picture's top-left / 15). The background is the screen's own colour, so the
// parts of the picture that lie under boxes and texts cannot be told from the screen.
#include "generator.h"

#include "platform/twips.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace {

QPointF anchor(double xTwips, double yTwips) { return {xTwips / twips::perPixel, yTwips / twips::perPixel}; }

// A stroke with a dark outline: the outline is the same path stroked wider beneath.
void outlinedStroke(QPainter& p, const QPainterPath& path, double width, const QColor& fill, const QColor& outline,
                    double outlineWidth = 1.6)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(outline, width + 2 * outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void outlinedLine(QPainter& p, QPointF a, QPointF b, double width, const QColor& fill, const QColor& outline)
{
    QPainterPath path(a);
    path.lineTo(b);
    outlinedStroke(p, path, width, fill, outline);
}

void outlinedShape(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& outline,
                   double outlineWidth = 1.6)
{
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath ellipse(QPointF centre, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPointF mirrored(QPointF pt, double axis) { return {2 * axis - pt.x(), pt.y()}; }

// ---------------------------------------------------------------- skeleton

// Pointer-line ends on the skeleton picture.
const QPointF skullAt = anchor(1200, 600);
const QPointF ribCageAt = anchor(1080, 2040);
const QPointF backboneAt = anchor(1440, 2760);
const QPointF pelvisAt = anchor(1920, 3480);
const QPointF humerusAt = anchor(2340, 2160);
const QPointF femurAt = anchor(1080, 5160);
const QPointF tibiaAt = anchor(1200, 6480);

// 208 px wide keeps the picture between the two columns of target boxes (screen x 6960 to
// 10080); 525 px high ends it above the buttons.
constexpr int skeletonWidth = 208;
constexpr int skeletonHeight = 525;
constexpr double spineX = 100;

const QColor bone(248, 243, 226);
const QColor boneShade(222, 214, 192);
const QColor boneLine(44, 44, 66);
const QColor socket(40, 40, 64);

// A long bone: a shaft with a knob at each end.
void longBone(QPainter& p, QPointF a, QPointF b, double width)
{
    QPainterPath path(a);
    path.lineTo(b);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(boneLine, width + 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    const QPointF n(-d.y() / len, d.x() / len);
    const double knob = width * 0.42;
    for (QPointF end : {a, b})
        for (double side : {-1.0, 1.0})
            outlinedShape(p, ellipse(end + n * side * width * 0.32, knob, knob), bone, boneLine);
    p.setPen(QPen(bone, width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    for (QPointF end : {a, b})
        for (double side : {-1.0, 1.0}) {
            p.setPen(Qt::NoPen);
            p.setBrush(bone);
            p.drawEllipse(end + n * side * width * 0.32, knob - 1.4, knob - 1.4);
        }
}

void skull(QPainter& p)
{
    // Jaw first, so the cranium overlaps its top.
    QPainterPath jaw;
    jaw.addRoundedRect(QRectF(spineX - 17, 52, 34, 26), 10, 10);
    outlinedShape(p, jaw, bone, boneLine);
    outlinedShape(p, ellipse({spineX, 38}, 29, 30), bone, boneLine);
    // Friendly round eye sockets with a glint, a small nose and a grin of teeth.
    for (double side : {-1.0, 1.0}) {
        const QPointF eye(spineX + side * 10, 47);
        outlinedShape(p, ellipse(eye, 6.5, 7.5), socket, boneLine, 1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(eye + QPointF(2, -3), 2, 2);
    }
    QPainterPath nose;
    nose.moveTo(spineX, 53);
    nose.lineTo(spineX - 3.5, 60);
    nose.lineTo(spineX + 3.5, 60);
    nose.closeSubpath();
    outlinedShape(p, nose, socket, socket, 1);
    QPainterPath grin;
    grin.moveTo(spineX - 12, 66);
    grin.quadTo(spineX, 75, spineX + 12, 66);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(boneLine, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(grin);
    for (double x = -8; x <= 8; x += 4) {
        const double y = 66 + 9 * (1 - (x / 12) * (x / 12)) * 0.5;
        p.drawLine(QPointF(spineX + x, y - 3.5), QPointF(spineX + x, y + 3.5));
    }
    // A little shading on the cranium.
    p.setPen(Qt::NoPen);
    p.setBrush(boneShade);
    p.drawEllipse(QPointF(spineX + 15, 22), 5, 4);
}

void spine(QPainter& p)
{
    for (double y = 72; y < 214; y += 9) {
        const double w = y >= 170 ? 14 : 10; // the lower back is the stoutest
        QPainterPath v;
        v.addRoundedRect(QRectF(spineX - w / 2, y, w, 7), 2.5, 2.5);
        outlinedShape(p, v, bone, boneLine, 1.4);
    }
}

void ribCage(QPainter& p)
{
    const double widths[] = {22, 28, 31, 33, 33, 30, 25};
    for (int k = 0; k < 7; ++k) {
        const double y = 100 + 11 * k;
        const double w = widths[k];
        for (double side : {-1.0, 1.0}) {
            QPainterPath rib(QPointF(spineX + side * 3, y));
            rib.cubicTo(QPointF(spineX + side * w * 0.7, y - 4), QPointF(spineX + side * (w + 3), y + 1),
                        QPointF(spineX + side * (w - 2), y + 9));
            outlinedStroke(p, rib, 5.5, bone, boneLine, 1.3);
        }
    }
    // Breastbone over the ribs' front ends.
    QPainterPath sternum;
    sternum.addRoundedRect(QRectF(spineX - 4, 97, 8, 60), 4, 4);
    outlinedShape(p, sternum, bone, boneLine, 1.4);
    // Collarbones.
    for (double side : {-1.0, 1.0})
        outlinedLine(p, {spineX + side * 3, 95}, {spineX + side * 38, 99}, 5, bone, boneLine);
}

void pelvis(QPainter& p)
{
    for (double side : {-1.0, 1.0}) {
        QPainterPath wing;
        const double cx = spineX + side * 24;
        wing.moveTo(spineX + side * 6, 246);
        wing.cubicTo(QPointF(cx + side * 26, 246), QPointF(cx + side * 22, 206), QPointF(cx, 212));
        wing.cubicTo(QPointF(cx - side * 14, 216), QPointF(spineX + side * 6, 224), QPointF(spineX + side * 6, 246));
        outlinedShape(p, wing, bone, boneLine);
    }
    // Sacrum between the wings, then the ring of the lower pelvis with its two openings.
    QPainterPath sacrum;
    sacrum.moveTo(spineX - 9, 214);
    sacrum.lineTo(spineX + 9, 214);
    sacrum.lineTo(spineX, 250);
    sacrum.closeSubpath();
    outlinedShape(p, sacrum, boneShade, boneLine, 1.4);
    QPainterPath ring;
    ring.moveTo(spineX - 26, 240);
    ring.cubicTo(QPointF(spineX - 26, 262), QPointF(spineX - 8, 266), QPointF(spineX, 262));
    ring.cubicTo(QPointF(spineX + 8, 266), QPointF(spineX + 26, 262), QPointF(spineX + 26, 240));
    ring.quadTo(QPointF(spineX, 246), QPointF(spineX - 26, 240));
    outlinedShape(p, ring, bone, boneLine);
    for (double side : {-1.0, 1.0})
        outlinedShape(p, ellipse({spineX + side * 13, 253}, 5, 5.5), socket, boneLine, 1);
}

void arm(QPainter& p, double side)
{
    auto at = [side](double x, double y) { return side > 0 ? QPointF(x, y) : mirrored({x, y}, spineX); };
    outlinedShape(p, ellipse(at(140, 102), 6.5, 6.5), bone, boneLine);         // shoulder
    longBone(p, at(141, 106), at(170, 181), 11);                               // humerus
    longBone(p, at(168, 190), at(175, 258), 5);                                // radius
    longBone(p, at(176, 189), at(184, 256), 5);                                // ulna
    QPainterPath palm;                                                         // hand
    palm.addRoundedRect(QRectF(at(179, 264).x() - 7, 261, 14, 12), 4, 4);
    outlinedShape(p, palm, bone, boneLine, 1.3);
    for (double f = -5; f <= 5; f += 3.3)
        outlinedLine(p, at(179 + f, 272), at(179 + f * 1.3, 290), 2.6, bone, boneLine);
}

void leg(QPainter& p, double side)
{
    auto at = [side](double x, double y) { return side < 0 ? QPointF(x, y) : mirrored({x, y}, spineX); };
    longBone(p, at(67, 388), at(73, 486), 5);                         // fibula, on the outside
    longBone(p, at(84, 260), at(72, 370), 14);                        // femur
    longBone(p, at(74, 384), at(82, 488), 12);                        // tibia
    outlinedShape(p, ellipse(at(73, 376), 7, 7), bone, boneLine);     // kneecap
    QPainterPath foot;                                                // foot, toes outward
    const QPointF heel = at(80, 494);
    foot.addEllipse(heel, 8, 6);
    outlinedShape(p, foot, bone, boneLine, 1.3);
    for (int t = 0; t < 4; ++t) // toe bones fanned outwards
        outlinedLine(p, at(75, 493 + t * 2.6), at(61 + t * 1.2, 496 + t * 4.4), 3, bone, boneLine);
}

QImage skeletonPicture(int k)
{
    QImage image(skeletonWidth * k, skeletonHeight * k, QImage::Format_RGB32);
    image.fill(QColor(9, 63, 137));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    spine(p);
    ribCage(p);
    pelvis(p);
    for (double side : {-1.0, 1.0}) {
        leg(p, side);
        arm(p, side);
    }
    skull(p);
    return image;
}

// ---------------------------------------------------------------- child's body

// Pointer-line ends on the body picture.
const QPointF headAt = anchor(2760, 480);
const QPointF handAt = anchor(360, 1440);
const QPointF armAt = anchor(4200, 1200);
const QPointF torsoAt = anchor(3600, 2280);
const QPointF legAt = anchor(2040, 4920);
const QPointF footAt = anchor(1440, 6240);

// 352 px wide ends the picture at the instruction's left edge (screen x 7440); the answer
// labels' home area lies further right still.
constexpr int bodyWidth = 352;
constexpr int bodyHeight = 440;
constexpr double bodyX = 202; // the body's middle

const QColor skin(247, 204, 165);
const QColor skinLine(140, 84, 50);
const QColor shirt(226, 62, 58);
const QColor shirtLine(120, 24, 24);
const QColor shorts(64, 168, 86);
const QColor shortsLine(24, 84, 40);
const QColor hair(112, 64, 30);

void limb(QPainter& p, QPointF a, QPointF b, double width) { outlinedLine(p, a, b, width, skin, skinLine); }

void hand(QPainter& p, QPointF centre, QPointF towardsWrist, double thumbSide)
{
    // Four fingers fanned away from the wrist and a thumb, round a palm.
    const QPointF d = centre - towardsWrist;
    const double angle = std::atan2(d.y(), d.x());
    for (int f = -1; f <= 2; ++f) {
        const double a = angle + f * 0.33 - 0.15;
        const QPointF tip = centre + QPointF(std::cos(a), std::sin(a)) * 16;
        limb(p, centre, tip, 5.5);
    }
    const double thumb = angle + thumbSide * 1.25;
    limb(p, centre, centre + QPointF(std::cos(thumb), std::sin(thumb)) * 13, 6);
    outlinedShape(p, ellipse(centre, 10, 10), skin, skinLine);
}

void foot(QPainter& p, QPointF ankle, double outward)
{
    // A bare foot seen from the front, heel under the ankle and toes turned outwards.
    const QPointF centre = ankle + QPointF(-10 * outward, 12);
    outlinedShape(p, ellipse(centre, 18, 9), skin, skinLine);
    p.setPen(QPen(skinLine, 1));
    p.setBrush(skin);
    for (int t = 0; t < 5; ++t)
        p.drawEllipse(centre + QPointF((-15 + t * 3.4) * outward, 5.5 - t * 0.5), 3.2 - t * 0.3, 2.8 - t * 0.25);
}

QImage bodyPicture(int k)
{
    QImage image(bodyWidth * k, bodyHeight * k, QImage::Format_RGB32);
    image.fill(QColor(39, 63, 137));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);

    // Legs apart, feet turned outwards.
    const QPointF leftHip(bodyX - 22, 250), rightHip(bodyX + 22, 250);
    const QPointF leftAnkle(104, 404), rightAnkle = mirrored(leftAnkle, bodyX);
    limb(p, leftHip, leftAnkle, 26);
    limb(p, rightHip, rightAnkle, 26);
    foot(p, leftAnkle, 1);
    foot(p, rightAnkle, -1);

    // One arm straight out, the other raised in a wave.
    const QPointF leftShoulder(bodyX - 32, 102), rightShoulder(bodyX + 32, 102);
    const QPointF leftWrist(44, 96), rightWrist(316, 50);
    limb(p, leftShoulder, leftWrist, 22);
    limb(p, rightShoulder, rightWrist, 22);
    hand(p, QPointF(30, 96), leftWrist, 1);
    hand(p, QPointF(326, 42), rightWrist, -1);

    // Neck, then the T-shirt with its short sleeves, then the shorts.
    limb(p, QPointF(bodyX, 66), QPointF(bodyX, 88), 18);
    QPainterPath tee;
    tee.moveTo(bodyX - 44, 84);
    tee.lineTo(bodyX - 14, 82);
    tee.quadTo(bodyX, 92, bodyX + 14, 82);
    tee.lineTo(bodyX + 44, 84);
    tee.lineTo(bodyX + 46, 150);
    tee.lineTo(bodyX + 42, 226);
    tee.lineTo(bodyX - 42, 226);
    tee.lineTo(bodyX - 46, 150);
    tee.closeSubpath();
    for (double side : {-1.0, 1.0}) {
        QPainterPath sleeve;
        const QPointF s(bodyX + side * 32, 102);
        const QPointF along = side < 0 ? (leftWrist - leftShoulder) : (rightWrist - rightShoulder);
        const QPointF dir = along / std::hypot(along.x(), along.y());
        const QPointF n(-dir.y(), dir.x());
        sleeve.moveTo(s - n * 18 - dir * 8);
        sleeve.lineTo(s + dir * 26 - n * 15);
        sleeve.lineTo(s + dir * 26 + n * 15);
        sleeve.lineTo(s + n * 18 - dir * 8);
        sleeve.closeSubpath();
        outlinedShape(p, sleeve, shirt, shirtLine);
    }
    outlinedShape(p, tee, shirt, shirtLine);
    QPainterPath pants;
    pants.moveTo(bodyX - 43, 214);
    pants.lineTo(bodyX + 43, 214);
    pants.lineTo(bodyX + 50, 272);
    pants.lineTo(bodyX + 8, 276);
    pants.lineTo(bodyX, 246);
    pants.lineTo(bodyX - 8, 276);
    pants.lineTo(bodyX - 50, 272);
    pants.closeSubpath();
    outlinedShape(p, pants, shorts, shortsLine);

    // Head: face, hair, eyes, cheeks and a smile.
    for (double side : {-1.0, 1.0})
        outlinedShape(p, ellipse({bodyX + side * 29, 46}, 5, 7), skin, skinLine); // ears
    outlinedShape(p, ellipse({bodyX, 44}, 29, 31), skin, skinLine);
    QPainterPath fringe;
    fringe.moveTo(bodyX - 29, 40);
    fringe.cubicTo(QPointF(bodyX - 32, 4), QPointF(bodyX + 32, 4), QPointF(bodyX + 29, 40));
    fringe.cubicTo(QPointF(bodyX + 18, 24), QPointF(bodyX - 4, 30), QPointF(bodyX - 10, 22));
    fringe.cubicTo(QPointF(bodyX - 16, 30), QPointF(bodyX - 24, 28), QPointF(bodyX - 29, 40));
    outlinedShape(p, fringe, hair, QColor(70, 36, 14));
    for (double side : {-1.0, 1.0}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 60));
        p.drawEllipse(QPointF(bodyX + side * 10, 44), 3.4, 4.2);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(bodyX + side * 10 + 1.2, 42.5), 1.2, 1.2);
        p.setBrush(QColor(245, 150, 140));
        p.drawEllipse(QPointF(bodyX + side * 17, 56), 5, 3);
    }
    QPainterPath smile;
    smile.moveTo(bodyX - 10, 58);
    smile.quadTo(bodyX, 68, bodyX + 10, 58);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 50, 50), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(smile);
    return image;
}

// A pointer line that ended on the bare background would label nothing: refuse to write
// such a picture.
void checkAnchors(const QImage& image, std::initializer_list<QPointF> anchors, const char* what)
{
    const QColor background = image.pixelColor(0, image.height() - 1);
    for (QPointF a : anchors) {
        const QColor c = image.pixelColor(a.toPoint());
        if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                std::abs(c.blue() - background.blue()) < 60)
            throw std::runtime_error(std::string(what) + ": a pointer line ends on the background");
    }
}

} // namespace

CORVANA_GENERATOR(activity_pictures)
{
    const QImage skeleton = skeletonPicture(1);
    checkAnchors(skeleton, {skullAt, ribCageAt, backboneAt, pelvisAt, humerusAt, femurAt, tibiaAt}, "skeleton");
    out.writeJpeg(QStringLiteral("Images\\skeleton.jpg"), skeleton, 92);
    out.writeJpeg(datagen::Output::sharper(QStringLiteral("Images\\skeleton.jpg")), skeletonPicture(2), 92);
    const QImage body = bodyPicture(1);
    checkAnchors(body, {headAt, handAt, armAt, torsoAt, legAt, footAt}, "body");
    out.writeJpeg(QStringLiteral("Images\\partsofthebody2.jpg"), body, 92);
    out.writeJpeg(datagen::Output::sharper(QStringLiteral("Images\\partsofthebody2.jpg")), bodyPicture(2), 92);
}
