// The "Parts of the Body" picture: a friendly outline figure with arms and legs stretched out
// inside a circle and a square, after Leonardo's famous drawing, in brown ink on parchment.
// A 440 x 440 px card on the screen's blue, and the same figure small for the quiz screen.
#include "art_util.h"
#include "generator.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

using namespace art;

namespace {

const QColor kInk(104, 64, 36);
const QColor kFaintInk(150, 108, 70);
const QColor kSkin(252, 240, 212);
const QColor kHair(176, 112, 56);

// Leonardo's proportions: the circle's centre is the navel; the square's side is the
// figure's height and its arm span; feet rest on the bottom of both.
constexpr double kRadius = 190;
constexpr double kHeight = kRadius / 0.607;
constexpr double kFeet = kRadius;
constexpr double kCrown = kFeet - kHeight;

QPainterPath mirrored(const QPainterPath& path)
{
    return QTransform::fromScale(-1, 1).map(path);
}

QPainterPath bothSides(const QPainterPath& right)
{
    return right.united(mirrored(right));
}

// An arm from the shoulder to the fingertips, bent very slightly at the elbow.
QPainterPath arm(QPointF shoulder, QPointF fingertip)
{
    const QPointF d = fingertip - shoulder;
    const QPointF normal(d.y() * 0.03, -d.x() * 0.03); // the elbow lifts a touch
    const QPointF elbow = shoulder + d * 0.44 + normal;
    const QPointF wrist = shoulder + d * 0.84;
    const QPointF tip = fingertip - d / std::hypot(d.x(), d.y()) * 5.5;
    QPainterPath path = capsule(shoulder, elbow, 10.5, 8.0);
    QPainterPath roundShoulder;
    roundShoulder.addEllipse(shoulder + QPointF(0, 1.5), 12.5, 12.0);
    path = path.united(roundShoulder);
    path = path.united(capsule(elbow, wrist, 8.0, 6.0));
    path = path.united(capsule(wrist, tip, 7.5, 5.5)); // a mitten hand
    return path;
}

// A leg from the hip to the ankle, with a foot that points outwards.
QPainterPath leg(QPointF hip, QPointF ankle, QPointF toe)
{
    const QPointF knee = hip + (ankle - hip) * 0.5 + QPointF(1.5, 0);
    QPainterPath path = capsule(hip, knee, 15.0, 10.0);
    path = path.united(capsule(knee, ankle, 10.0, 6.5));
    path = path.united(capsule(ankle + QPointF(0, 1), toe, 6.5, 5.0));
    return path;
}

QPainterPath torso()
{
    return smoothClosed({{0, -69}, {14, -68.5}, {27, -66}, {38, -60}, {33, -40}, {27, -18}, {23, 0}, {27, 22}, {29, 38},
                         {16, 49}, {0, 47}, {-16, 49}, {-29, 38}, {-27, 22}, {-23, 0}, {-27, -18},
                         {-33, -40}, {-38, -60}, {-27, -66}, {-14, -68.5}});
}

QPointF onCircle(double degreesFromRight)
{
    const double a = degreesFromRight * std::numbers::pi / 180;
    return {kRadius * std::cos(a), -kRadius * std::sin(a)};
}

struct Body {
    QPainterPath main;      // standing, arms level
    QPainterPath alternate; // arms raised, legs apart
    QPainterPath hair;
    QPointF headCentre{0, kCrown + 24};
};

Body buildBody()
{
    Body b;
    const QPointF shoulder(33, -60);
    const QPointF hip(13, 38);
    const QPainterPath neck = capsule(QPointF(0, -84), QPointF(0, -64), 8.5, 9.0);
    QPainterPath head;
    head.addEllipse(b.headCentre, 19.5, 23.5);

    const QPainterPath core = torso().united(neck).united(head);
    b.main = core.united(bothSides(arm(shoulder, QPointF(kHeight / 2, -61))));
    b.main = b.main.united(bothSides(leg(hip, QPointF(14, kFeet - 9), QPointF(30, kFeet - 5))));
    b.main = b.main.simplified();

    const QPointF raisedTip = onCircle(33);
    const QPointF wideFoot = onCircle(-58);
    b.alternate = bothSides(arm(shoulder, raisedTip));
    b.alternate = b.alternate.united(
        bothSides(leg(hip, wideFoot + QPointF(-6, -10), wideFoot + QPointF(10, -5))));
    b.alternate = b.alternate.simplified();

    // Curls around the top of the head.
    for (int i = 0; i <= 9; ++i) {
        const double a = (200 + 140.0 * i / 9) * std::numbers::pi / 180;
        const QPointF c = b.headCentre + QPointF(std::cos(a) * 19.5, std::sin(a) * 22.0);
        QPainterPath curl;
        curl.addEllipse(c, 7.5, 7.5);
        b.hair = b.hair.united(curl);
    }
    b.hair = b.hair.simplified();
    return b;
}

// The figure with its circle and square, centred on the navel at (0,0); line widths are
// multiplied by thick, so small copies keep strong lines.
void drawFigure(QPainter& p, double thick, bool details)
{
    static const Body body = buildBody();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 2.4 * thick));
    p.drawEllipse(QPointF(0, 0), kRadius, kRadius);
    p.drawRect(QRectF(-kHeight / 2, kCrown, kHeight, kHeight));

    // The second pose, lighter, behind the first.
    p.setPen(QPen(kFaintInk, 1.8 * thick, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(withAlpha(kSkin, 0.75));
    p.drawPath(body.alternate);

    p.setPen(QPen(kInk, 1.6 * thick, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kHair);
    p.drawPath(body.hair);

    QRadialGradient skin(QPointF(-30, -80), 260);
    skin.setColorAt(0, QColor(255, 248, 228));
    skin.setColorAt(1, kSkin);
    p.setBrush(skin);
    p.setPen(QPen(kInk, 2.6 * thick, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(body.main);

    const QPointF h = body.headCentre;
    // A fringe of curls over the forehead.
    p.setBrush(kHair);
    p.setPen(QPen(kInk, 1.4 * thick));
    for (int i = 0; i < 4; ++i) {
        const double x = -12 + 8 * i;
        p.drawEllipse(h + QPointF(x, -17 + std::abs(x) * 0.18), 6.0, 5.0);
    }

    if (details) {
        // A happy face.
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(QColor(240, 140, 130), 0.45));
        p.drawEllipse(h + QPointF(-11, 6), 5, 3.5);
        p.drawEllipse(h + QPointF(11, 6), 5, 3.5);
        p.setBrush(kInk);
        p.drawEllipse(h + QPointF(-7, -2), 2.4, 2.8);
        p.drawEllipse(h + QPointF(7, -2), 2.4, 2.8);
        QPainterPath smile;
        smile.moveTo(h + QPointF(-7, 8));
        smile.quadTo(h + QPointF(0, 15), h + QPointF(7, 8));
        p.setPen(QPen(kInk, 1.8 * thick, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(smile);

        // Knees: a light touch that makes the outline a body.
        p.setPen(QPen(withAlpha(kInk, 0.55), 1.3 * thick, Qt::SolidLine, Qt::RoundCap));
        for (double side : {-1.0, 1.0}) {
            QPainterPath knee;
            knee.moveTo(side * 8, 113);
            knee.quadTo(side * 14, 117, side * 20, 113);
            p.drawPath(knee);
        }
    }
}

void drawParchment(QPainter& p, const QRectF& card, double corner, double thick)
{
    // A soft shadow onto the screen, then the sheet with darker, older edges.
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(10, 20, 60, 22));
        p.drawRoundedRect(card.translated(2.0 * thick, 3.0 * thick).adjusted(-i * thick, -i * thick, i * thick, i * thick),
                          corner + i * thick, corner + i * thick);
    }
    QRadialGradient paper(card.center(), card.width() * 0.72);
    paper.setColorAt(0, QColor(250, 238, 206));
    paper.setColorAt(0.7, QColor(240, 222, 180));
    paper.setColorAt(1, QColor(214, 184, 130));
    p.setBrush(paper);
    p.drawRoundedRect(card, corner, corner);

    // Faint stains, always the same ones.
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(card, corner, corner);
    p.setClipPath(clip);
    Rng rng(1490);
    for (int i = 0; i < 14; ++i) {
        const QPointF c(card.left() + rng.uniform() * card.width(), card.top() + rng.uniform() * card.height());
        const double r = card.width() * rng.range(0.05, 0.16);
        QRadialGradient stain(c, r);
        stain.setColorAt(0, QColor(200, 160, 100, 26));
        stain.setColorAt(1, QColor(200, 160, 100, 0));
        p.setBrush(stain);
        p.drawEllipse(c, r, r);
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(kInk, 0.7), 1.5 * thick));
    p.drawRoundedRect(card.adjusted(5 * thick, 5 * thick, -5 * thick, -5 * thick), corner * 0.6, corner * 0.6);
}

QImage bigPicture(int k)
{
    QImage img = canvas(440 * k, 440 * k, screenBlue());
    QPainter p(&img);
    smoothPainter(p);
    p.scale(k, k);
    drawParchment(p, QRectF(6, 6, 426, 426), 16, 1.0);
    p.translate(219, 222);
    p.scale(0.99, 0.99);
    drawFigure(p, 1.0, true);
    return img;
}

QImage smallPicture(int density)
{
    const int k = 8;
    QImage big = canvas(57 * k, 41 * k, screenBlue());
    QPainter p(&big);
    smoothPainter(p);
    drawParchment(p, QRectF(0.5 * k, 0.5 * k, 56 * k, 40 * k), 3 * k, 0.6 * k / 2);
    p.translate(57 * k / 2.0, 41 * k / 2.0);
    const double s = 18.3 * k / kRadius;
    p.scale(s, s);
    drawFigure(p, 2.8, false);
    p.end();
    return downscale(big, 57 * density, 41 * density);
}

} // namespace

CORVANA_GENERATOR(vitruvius)
{
    out.writeJpeg(QStringLiteral("Images\\vitruvius2.jpg"), bigPicture(1), 90);
    out.writeJpeg(QStringLiteral("Images\\vitruvius2sm.jpg"), smallPicture(1), 92);
}

// The sharper copies for large displays, a generator of their own.
CORVANA_GENERATOR(vitruvius_sharp)
{
    out.writeJpeg(datagen::Output::sharper(QStringLiteral("Images\\vitruvius2.jpg")), bigPicture(2), 90);
    out.writeJpeg(datagen::Output::sharper(QStringLiteral("Images\\vitruvius2sm.jpg")), smallPicture(2), 92);
}
