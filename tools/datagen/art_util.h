// Small drawing helpers shared by the picture generators: colours, smooth curves, limb
// shapes, sparkles and a seeded random source, so every run paints the same pixels.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>

#include <cstdint>
#include <numbers>
#include <vector>

class QPainter;

namespace art {

inline constexpr double kTau = 2.0 * std::numbers::pi;

// The colour of the program's standard screens; pictures that sit on them are filled with it.
inline QColor screenBlue() { return QColor(39, 63, 137); }

// A blank picture in a format QPainter draws fast and exactly.
QImage canvas(int width, int height, const QColor& fill);

// Antialiased lines, smooth picture transforms.
void smoothPainter(QPainter& p);

inline double clamp01(double x) { return x < 0 ? 0 : (x > 1 ? 1 : x); }
inline double lerp(double a, double b, double t) { return a + (b - a) * t; }
double smoothstep(double edge0, double edge1, double x);
QColor mix(const QColor& a, const QColor& b, double t);
QColor withAlpha(QColor c, double alpha);

// A periodic wave over a loop: t in [0,1) is the loop position, k whole cycles per loop.
double loopWave(double t, int k, double phase = 0.0);

// Smooth curves through points (Catmull-Rom turned into cubic Beziers).
QPainterPath smoothClosed(const std::vector<QPointF>& points);
QPainterPath smoothOpen(const std::vector<QPointF>& points);

// A tapered tube from a (radius ra) to b (radius rb) with round ends: arms, legs, bones.
QPainterPath capsule(QPointF a, QPointF b, double ra, double rb);

// A four-pointed twinkle star of the given radius.
QPainterPath sparklePath(QPointF centre, double radius, double rotationRadians);
// A soft glow with a star on top; strength 0..1.
void drawSparkle(QPainter& p, QPointF centre, double radius, double rotationRadians,
                 const QColor& colour, double strength);

// Draws big and scales down: tiny pictures stay crisp and evenly antialiased.
QImage downscale(const QImage& image, int width, int height);

// A seeded generator (splitmix64): the same numbers on every machine and every run.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform(); // [0,1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    std::uint64_t state_;
};

} // namespace art
