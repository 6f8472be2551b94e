// The skull of the "Bones" hub: a friendly cartoon skull that turns its head, chatters and
// then laughs, 200 frames of 360 x 400 px at 50 ms each on the screen's own blue; and the
// same skull as a small still icon for the quiz screen.
#include "art_util.h"
#include "generator.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

using namespace art;

namespace {

constexpr int kFrames = 200;
constexpr int kWidth = 360;
constexpr int kHeight = 400;

const QColor kBone(246, 240, 222);
const QColor kBoneShade(214, 200, 170);
const QColor kInk(74, 62, 56);
const QColor kHollow(24, 28, 62);

struct SkullPose {
    double yaw = 0;    // radians, positive turns the face to the picture's right
    double jaw = 0;    // 0 closed .. 1 wide open
    double roll = 0;   // radians, head tilt
    double bob = 0;    // pixels, up is negative
    QPointF gaze;      // pupil offset, -1..1 each way
    double happy = 0;  // 0 round glowing eyes .. 1 laughing arcs
};

// Features sit on a round face: a point at angle theta around the head moves sideways as
// sin(theta + yaw) and narrows as cos(theta + yaw) when the head turns.
struct Face {
    double yaw;
    double shift; // the face swings round a neck behind it

    double angle(double theta) const { return std::clamp(theta + yaw, -1.5, 1.5); }
    double x(double theta, double radius) const { return shift + radius * std::sin(angle(theta)); }
    double narrow(double theta) const { return std::max(0.08, std::cos(angle(theta))); }
    QPointF at(double theta, double y, double radius) const { return {x(theta, radius), y}; }
};

QPainterPath polygonThrough(const Face& f, const std::vector<std::pair<double, double>>& pts, double radius,
                            double dropFrom = 1e9, double drop = 0)
{
    std::vector<QPointF> mapped;
    for (const auto& [theta, y] : pts) {
        // Points of the lower jaw move down more the further they are from the hinge.
        const double d = drop * smoothstep(dropFrom, dropFrom + 55, y);
        mapped.push_back(f.at(theta, y + d, radius));
    }
    return smoothClosed(mapped);
}

QPainterPath toothPath(double x0, double x1, double top, double bottom, bool upper)
{
    QPainterPath p;
    const double w = x1 - x0;
    const double r = std::min(w * 0.45, 6.0);
    if (upper) { // flat against the jaw at the top, rounded tip at the bottom
        p.moveTo(x0, top);
        p.lineTo(x1, top);
        p.lineTo(x1, bottom - r);
        p.quadTo(x1, bottom, x1 - r, bottom);
        p.lineTo(x0 + r, bottom);
        p.quadTo(x0, bottom, x0, bottom - r);
    } else {
        p.moveTo(x0, bottom);
        p.lineTo(x1, bottom);
        p.lineTo(x1, top + r);
        p.quadTo(x1, top, x1 - r, top);
        p.lineTo(x0 + r, top);
        p.quadTo(x0, top, x0, top + r);
    }
    p.closeSubpath();
    return p;
}

void drawTeethRow(QPainter& p, const Face& f, double radius, double top, bool upper, double lineWidth,
                  double shiftY)
{
    const int count = 8;
    const double span = 0.66;
    for (int i = 0; i < count; ++i) {
        const double t0 = -span + 2 * span * i / count;
        const double t1 = -span + 2 * span * (i + 1) / count;
        const double x0 = f.x(t0, radius) + 0.8, x1 = f.x(t1, radius) - 0.8;
        if (x1 - x0 < 2.0)
            continue;
        const double mid = (t0 + t1) / 2;
        const double length = 19 - 5 * std::abs(mid) / span; // front teeth are longer
        // Upper teeth hang down from top; lower ones stand up from top, their roots hidden
        // by the jaw drawn over them.
        const double y0 = top;
        const double y1 = top + length + (upper ? 0 : 10);
        QLinearGradient grad(0, y0 + shiftY, 0, y1 + shiftY);
        grad.setColorAt(0, upper ? QColor(236, 228, 204) : QColor(255, 253, 245));
        grad.setColorAt(1, upper ? QColor(255, 253, 245) : QColor(236, 228, 204));
        p.setBrush(grad);
        p.setPen(QPen(withAlpha(kInk, 0.75), lineWidth * 0.55));
        p.drawPath(toothPath(x0, x1, y0 + shiftY, y1 + shiftY, upper));
    }
}

void drawEye(QPainter& p, const Face& f, double side, const SkullPose& pose, double lw)
{
    const double theta = side * 0.50;
    const double narrow = f.narrow(theta);
    const QPointF c = f.at(theta, 6, 104);
    const double w = 35 * narrow + 4, h = 31;
    // A rounded socket, its outer corner a little lower: kind, not spooky.
    std::vector<QPointF> pts;
    const int n = 16;
    for (int i = 0; i < n; ++i) {
        const double a = kTau * i / n;
        const double cx = std::cos(a), sy = std::sin(a);
        const double squareness = 0.85 + 0.15 * std::abs(std::sin(2 * a));
        double y = sy * h * squareness;
        y += side * cx * 4.0; // tilt: outer edge down
        if (sy < 0)
            y *= 0.92;
        pts.push_back(c + QPointF(cx * w * squareness, y));
    }
    const QPainterPath socket = smoothClosed(pts);
    QRadialGradient inside(c + QPointF(0, -6), h * 1.3);
    inside.setColorAt(0, QColor(40, 46, 96));
    inside.setColorAt(1, kHollow);
    p.setBrush(inside);
    p.setPen(QPen(kInk, lw));
    p.drawPath(socket);

    // A glowing pupil that looks about, or a laughing arc.
    p.save();
    p.setClipPath(socket);
    const QPointF look = c + QPointF(pose.gaze.x() * 9 * narrow, 2 + pose.gaze.y() * 5);
    const double roundness = 1 - pose.happy;
    if (roundness > 0.01) {
        const double r = 9.5 * roundness;
        QRadialGradient glow(look, r * 2.2);
        glow.setColorAt(0, withAlpha(QColor(150, 225, 255), 0.9 * roundness));
        glow.setColorAt(1, withAlpha(QColor(90, 160, 255), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(look, r * 2.2, r * 2.2);
        p.setBrush(withAlpha(QColor(235, 250, 255), roundness));
        p.drawEllipse(look, r * std::max(0.3, narrow) * 0.75, r * 0.75 * (0.4 + 0.6 * roundness));
        p.setBrush(withAlpha(Qt::white, roundness));
        p.drawEllipse(look + QPointF(-2.5 * narrow, -2.5), 2.2 * narrow + 0.6, 2.2);
    }
    if (pose.happy > 0.01) {
        const double hw = 14 * narrow + 2;
        QPainterPath arc;
        const QPointF base = c + QPointF(0, 6);
        arc.moveTo(base + QPointF(-hw, 4));
        arc.quadTo(base + QPointF(0, -14), base + QPointF(hw, 4));
        p.setPen(QPen(withAlpha(QColor(180, 235, 255), pose.happy), 5.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
    }
    p.restore();
}

void drawSkull(QPainter& p, const SkullPose& pose, double lw)
{
    const Face f{pose.yaw, -18 * std::sin(pose.yaw)};
    const double drop = 34 * pose.jaw;

    p.save();
    p.translate(0, pose.bob);
    p.translate(0, 150);
    p.rotate(pose.roll * 180 / std::numbers::pi);
    p.translate(0, -150);

    // The dark mouth behind the teeth: shows when the jaw opens, and as shadow beside the jaw
    // when it is shut.
    {
        const double left = f.x(-0.95, 100), right = f.x(0.95, 100);
        QPainterPath mouth;
        mouth.addRoundedRect(QRectF(left, 94, right - left, 34 + drop), 12, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 44));
        p.drawPath(mouth);
        QRadialGradient throat(QPointF(f.x(0, 80), 118 + drop * 0.5), 22 + drop * 0.5);
        throat.setColorAt(0, QColor(70, 40, 80));
        throat.setColorAt(1, QColor(20, 20, 44, 0));
        p.setBrush(throat);
        p.drawPath(mouth);
    }

    // Lower jaw, hinged up under the cheekbones.
    const std::vector<std::pair<double, double>> mandible = {
        {-0.60, 138}, {0.0, 139}, {0.60, 138}, {0.84, 118}, {1.06, 80}, {1.16, 60}, {1.24, 72},
        {1.20, 124}, {1.02, 152}, {0.55, 171}, {0.0, 177}, {-0.55, 171}, {-1.02, 152}, {-1.20, 124},
        {-1.24, 72}, {-1.16, 60}, {-1.06, 80}, {-0.84, 118}};
    const QPainterPath jawPath = polygonThrough(f, mandible, 104, 62, drop);
    drawTeethRow(p, f, 98, 124, false, lw, drop);
    {
        QLinearGradient grad(0, 110 + drop, 0, 178 + drop);
        grad.setColorAt(0, kBone);
        grad.setColorAt(1, kBoneShade);
        p.setBrush(grad);
        p.setPen(QPen(kInk, lw));
        p.drawPath(jawPath);
        // the chin's little bump
        p.setPen(QPen(withAlpha(kInk, 0.35), lw * 0.7, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath chin;
        chin.moveTo(f.at(-0.26, 167 + drop, 104));
        chin.quadTo(f.at(0, 160 + drop, 104), f.at(0.26, 167 + drop, 104));
        p.drawPath(chin);
    }

    // Cranium and face as one outline.
    QPainterPath cranium;
    cranium.addEllipse(QPointF(-24 * std::sin(pose.yaw), -44), 124, 118);
    const std::vector<std::pair<double, double>> face = {
        {-1.30, -10}, {-1.36, 30}, {-1.25, 62}, {-0.98, 82}, {-0.78, 100}, {-0.60, 106}, {0.0, 108},
        {0.60, 106}, {0.78, 100}, {0.98, 82}, {1.25, 62}, {1.36, 30}, {1.30, -10}, {0.0, -20}};
    const QPainterPath head = cranium.united(polygonThrough(f, face, 112)).simplified();
    {
        QRadialGradient grad(QPointF(f.shift - 50, -110), 250);
        grad.setColorAt(0, QColor(255, 253, 244));
        grad.setColorAt(0.55, kBone);
        grad.setColorAt(1, kBoneShade);
        p.setBrush(grad);
        p.setPen(QPen(kInk, lw));
        p.drawPath(head);
    }

    p.save();
    p.setClipPath(head);
    // The far side of the head falls into shade as it turns away.
    {
        const double side = pose.yaw >= 0 ? -1 : 1;
        const double amount = std::min(1.0, std::abs(pose.yaw) * 1.6);
        QLinearGradient shade(f.shift + side * 125, 0, f.shift + side * 55, 0);
        shade.setColorAt(0, withAlpha(QColor(150, 130, 110), 0.45 * amount));
        shade.setColorAt(1, withAlpha(QColor(150, 130, 110), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shade);
        p.drawRect(QRectF(-200, -200, 400, 400));
    }
    // Temples: soft hollows above the cheekbones.
    for (double side : {-1.0, 1.0}) {
        const double theta = side * 1.15;
        const double narrow = f.narrow(theta);
        QRadialGradient hollow(f.at(theta, 8, 118), 34);
        hollow.setColorAt(0, withAlpha(QColor(190, 170, 140), 0.30 * narrow + 0.05));
        hollow.setColorAt(1, withAlpha(QColor(170, 150, 120), 0));
        p.setBrush(hollow);
        p.drawEllipse(f.at(theta, 8, 118), 34, 34);
    }
    // A wavy seam across the crown, where the skull bones grew together.
    {
        std::vector<QPointF> seam;
        for (int i = 0; i <= 40; ++i) {
            const double theta = -1.2 + 2.4 * i / 40;
            const double y = -112 + 30 * (theta * theta) / 1.44 + ((i % 2) ? 2.0 : -2.0);
            seam.push_back(f.at(theta, y, 120));
        }
        p.setPen(QPen(withAlpha(kInk, 0.22), lw * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(smoothOpen(seam));
    }
    // Cheekbones: a curved line and a shine.
    for (double side : {-1.0, 1.0}) {
        QPainterPath cheek;
        cheek.moveTo(f.at(side * 0.62, 60, 110));
        cheek.quadTo(f.at(side * 0.95, 50, 112), f.at(side * 1.18, 36, 114));
        p.setPen(QPen(withAlpha(kInk, 0.45), lw * 0.7, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cheek);
        const double narrow = f.narrow(side * 0.72);
        QRadialGradient shine(f.at(side * 0.72, 46, 110), 16);
        shine.setColorAt(0, withAlpha(Qt::white, 0.7 * narrow));
        shine.setColorAt(1, withAlpha(Qt::white, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shine);
        p.drawEllipse(f.at(side * 0.72, 46, 110), 16, 16);
    }
    // A shine on the forehead.
    {
        const QPointF at(f.shift - 40 + 20 * std::sin(pose.yaw), -95);
        QRadialGradient shine(at, 48);
        shine.setColorAt(0, withAlpha(Qt::white, 0.85));
        shine.setColorAt(1, withAlpha(Qt::white, 0));
        p.setBrush(shine);
        p.drawEllipse(at, 48, 40);
    }
    p.restore();

    // Brows over the eyes.
    for (double side : {-1.0, 1.0}) {
        QPainterPath brow;
        brow.moveTo(f.at(side * 0.18, -22, 110));
        brow.quadTo(f.at(side * 0.50, -34, 112), f.at(side * 0.85, -18, 112));
        p.setPen(QPen(withAlpha(kInk, 0.4), lw * 0.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(brow);
    }
    drawEye(p, f, -1, pose, lw);
    drawEye(p, f, 1, pose, lw);

    // The nose hole: an upside-down heart.
    {
        const double narrow = f.narrow(0);
        const QPointF c = f.at(0, 56, 116);
        const double w = 17 * narrow + 1.5;
        QPainterPath nose;
        nose.moveTo(c + QPointF(0, -20));
        nose.cubicTo(c + QPointF(w * 0.5, -12), c + QPointF(w * 1.3, 6), c + QPointF(w * 0.8, 14));
        nose.cubicTo(c + QPointF(w * 0.5, 18), c + QPointF(w * 0.1, 16), c + QPointF(0, 11));
        nose.cubicTo(c + QPointF(-w * 0.1, 16), c + QPointF(-w * 0.5, 18), c + QPointF(-w * 0.8, 14));
        nose.cubicTo(c + QPointF(-w * 1.3, 6), c + QPointF(-w * 0.5, -12), c + QPointF(0, -20));
        p.setBrush(kHollow);
        p.setPen(QPen(kInk, lw * 0.9));
        p.drawPath(nose);
    }

    drawTeethRow(p, f, 100, 104, true, lw, 0);
    p.restore();
}

// Smooth 0..1..0 bump over [a, b].
double envelope(double x, double a, double b, double ramp)
{
    return smoothstep(a, a + ramp, x) * smoothstep(b, b - ramp, x);
}

SkullPose poseAt(int frame)
{
    const double t = double(frame) / kFrames;
    SkullPose pose;
    pose.yaw = 0.40 * loopWave(t, 1) + 0.06 * loopWave(t, 3, 0.2);
    pose.gaze = QPointF(0.9 * loopWave(t, 1, 0.06), 0.3 * loopWave(t, 2, 0.3));
    pose.bob = 3.0 * loopWave(t, 2, 0.1);
    pose.roll = 0.05 * loopWave(t, 1, 0.3);

    // Chatter: syllables of changing size between frames 14 and 84.
    const double talk = envelope(frame, 14, 84, 6);
    if (talk > 0) {
        const double syll = (frame - 14) / 7.0;
        const int which = int(std::floor(syll));
        static const double loud[] = {0.55, 0.85, 0.45, 0.7, 0.95, 0.5, 0.8, 0.6, 0.9, 0.5, 0.7};
        const double size = loud[std::clamp(which, 0, 10)];
        pose.jaw = talk * size * std::pow(std::max(0.0, std::sin(std::numbers::pi * (syll - which))), 0.8);
    }
    // A belly laugh between frames 108 and 178: mouth wide, "ha-ha-ha", head bouncing.
    const double laugh = envelope(frame, 108, 178, 8);
    if (laugh > 0) {
        const double ha = std::abs(std::sin(std::numbers::pi * (frame - 108) / 5.0));
        pose.jaw = std::max(pose.jaw, laugh * (0.55 + 0.45 * ha));
        pose.bob -= laugh * 5.0 * ha;
        pose.roll += laugh * 0.07 * std::sin(std::numbers::pi * (frame - 108) / 10.0);
        pose.happy = smoothstep(0, 0.6, laugh);
        pose.gaze *= 1 - laugh;
    }
    return pose;
}

QImage skullFrame(int frame, int k)
{
    QImage img = canvas(kWidth * k, kHeight * k, screenBlue());
    QPainter p(&img);
    smoothPainter(p);
    p.scale(k, k);
    p.translate(kWidth / 2.0, 186);
    p.scale(0.96, 0.96);
    drawSkull(p, poseAt(frame), 3.4);
    return img;
}

QImage skullIcon(int density)
{
    // Drawn eight times as big and scaled down, with bold lines that survive the shrinking.
    const int k = 8;
    QImage big = canvas(57 * k, 41 * k, screenBlue());
    QPainter p(&big);
    smoothPainter(p);
    p.translate(57 * k / 2.0, 41 * k / 2.0);
    const double s = 35.5 * k / 340; // the closed skull spans 340 units from crown to chin
    p.scale(s, s);
    p.translate(0, -6);
    SkullPose pose;
    pose.gaze = QPointF(0, 0);
    drawSkull(p, pose, 9.0);
    p.end();
    return downscale(big, 57 * density, 41 * density);
}

} // namespace

CORVANA_GENERATOR(skull_frames)
{
    for (int i = 0; i < kFrames; ++i) {
        const QString name = QStringLiteral("skull\\hells%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        out.writeJpeg(name, skullFrame(i, 1), 85);
    }
    out.writeJpeg(QStringLiteral("Images\\skullsm2.jpg"), skullIcon(1), 92);
}

// The sharper copies for large displays, a generator of their own.
CORVANA_GENERATOR(skull_frames_sharp)
{
    for (int i = 0; i < kFrames; ++i) {
        const QString name = QStringLiteral("skull\\hells%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        out.writeJpeg(datagen::Output::sharper(name), skullFrame(i, 2), 85);
    }
    out.writeJpeg(datagen::Output::sharper(QStringLiteral("Images\\skullsm2.jpg")), skullIcon(2), 92);
}
