#include "art_util.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace art {

QImage canvas(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void smoothPainter(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = clamp01(t);
    return QColor::fromRgbF(float(lerp(a.redF(), b.redF(), t)), float(lerp(a.greenF(), b.greenF(), t)),
                            float(lerp(a.blueF(), b.blueF(), t)), float(lerp(a.alphaF(), b.alphaF(), t)));
}

QColor withAlpha(QColor c, double alpha)
{
    c.setAlphaF(float(clamp01(alpha)));
    return c;
}

double loopWave(double t, int k, double phase)
{
    return std::sin(kTau * (k * t + phase));
}

static QPainterPath bezierThrough(const std::vector<QPointF>& pts, bool closed)
{
    QPainterPath path;
    const int n = int(pts.size());
    if (n < 2)
        return path;
    auto at = [&](int i) {
        if (closed)
            return pts[size_t((i % n + n) % n)];
        return pts[size_t(std::clamp(i, 0, n - 1))];
    };
    path.moveTo(pts[0]);
    const int segments = closed ? n : n - 1;
    for (int i = 0; i < segments; ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath smoothClosed(const std::vector<QPointF>& points) { return bezierThrough(points, true); }
QPainterPath smoothOpen(const std::vector<QPointF>& points) { return bezierThrough(points, false); }

QPainterPath capsule(QPointF a, QPointF b, double ra, double rb)
{
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    QPainterPath path;
    if (len <= std::abs(ra - rb)) { // one end swallows the other
        const double r = std::max(ra, rb);
        path.addEllipse(ra >= rb ? a : b, r, r);
        return path;
    }
    // Outer tangents of the two end circles: the normal m of a tangent has m.u = (ra - rb) / len.
    const double base = std::atan2(d.y(), d.x());
    const double spread = std::acos((ra - rb) / len);
    const int steps = 28;
    QPolygonF poly;
    for (int i = 0; i <= steps; ++i) { // around b, through the far side
        const double ang = base - spread + 2 * spread * i / steps;
        poly << b + QPointF(std::cos(ang), std::sin(ang)) * rb;
    }
    const double back = kTau - 2 * spread;
    for (int i = 0; i <= steps; ++i) { // around a, through the near side
        const double ang = base + spread + back * i / steps;
        poly << a + QPointF(std::cos(ang), std::sin(ang)) * ra;
    }
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

QPainterPath sparklePath(QPointF c, double r, double rot)
{
    // Four tips joined by curves pulled in towards the centre: a classic twinkle.
    QPainterPath path;
    const double waist = r * 0.18;
    path.moveTo(c + QPointF(std::cos(rot), std::sin(rot)) * r);
    for (int i = 0; i < 4; ++i) {
        const double a = rot + i * kTau / 4;
        const double mid = a + kTau / 8;
        const double next = a + kTau / 4;
        path.quadTo(c + QPointF(std::cos(mid), std::sin(mid)) * waist,
                    c + QPointF(std::cos(next), std::sin(next)) * r);
    }
    path.closeSubpath();
    return path;
}

void drawSparkle(QPainter& p, QPointF c, double r, double rot, const QColor& colour, double strength)
{
    if (strength <= 0.01 || r <= 0.1)
        return;
    p.save();
    p.setPen(Qt::NoPen);
    QRadialGradient glow(c, r * 1.1);
    glow.setColorAt(0, withAlpha(colour, 0.55 * strength));
    glow.setColorAt(1, withAlpha(colour, 0));
    p.setBrush(glow);
    p.drawEllipse(c, r * 1.1, r * 1.1);
    p.setBrush(withAlpha(mix(colour, Qt::white, 0.6), strength));
    p.drawPath(sparklePath(c, r, rot));
    p.restore();
}

QImage downscale(const QImage& image, int width, int height)
{
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

std::uint64_t Rng::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

} // namespace art
