// The brain animation of the title screen and the main menu: a pink cartoon brain seen from
// the side that breathes gently while little signals race along it and stars twinkle.
// 100 frames of 320 x 240 px, shown at 75 ms each: every motion repeats a whole number of
// times per loop, so the last frame runs straight into the first.
#include "art_util.h"
#include "generator.h"

#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>

using namespace art;

namespace {

constexpr int kFrames = 100;
constexpr int kWidth = 320;
constexpr int kHeight = 240;

// The brain is modelled in units of a 100-wide box (front at the left); the texture holds
// it at `texel` texels per unit (enough for the largest copy drawn from it), with kMargin
// units of room around it.
constexpr double kMargin = 4.0;
constexpr double kUnitsWide = 100 + 2 * kMargin;
constexpr double kUnitsHigh = 86 + 2 * kMargin;
// Texels per unit for frames drawn at k pixels to a frame pixel: the brain is about 2.2 frame
// pixels to the unit, so the texture is never enlarged.
double texelsFor(int k) { return std::max(5.0, 2.5 * k); }

QPointF toTex(QPointF unit, double texel) { return (unit + QPointF(kMargin, kMargin)) * texel; }

std::vector<QPointF> cerebrumOutline()
{
    return {{8, 43}, {5, 32}, {8, 20}, {17, 9}, {30, 3}, {46, 0}, {62, 1}, {77, 6}, {89, 15},
            {96, 27}, {98, 39}, {94, 48}, {85, 52}, {74, 51}, {66, 54}, {58, 61}, {47, 66},
            {36, 67}, {27, 63}, {23, 56}, {24, 51}, {16, 49}};
}

// Distance from p to the closed polygon, negative inside.
double signedDistance(const QPolygonF& poly, QPointF p)
{
    double best = 1e18;
    bool inside = false;
    const int n = int(poly.size());
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const QPointF a = poly[j], b = poly[i];
        const QPointF ab = b - a, ap = p - a;
        const double len2 = ab.x() * ab.x() + ab.y() * ab.y();
        const double t = len2 > 0 ? clamp01((ap.x() * ab.x() + ap.y() * ab.y()) / len2) : 0;
        const QPointF q = a + ab * t - p;
        best = std::min(best, q.x() * q.x() + q.y() * q.y());
        if ((a.y() > p.y()) != (b.y() > p.y())
            && p.x() < a.x() + (p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y()))
            inside = !inside;
    }
    return inside ? -std::sqrt(best) : std::sqrt(best);
}

// A field of crossing waves of one wavelength: its zero lines meander like the folds of a
// real brain, and their distance gives each fold a rounded, lit surface.
struct FoldField {
    struct Wave {
        double kx, ky, phase;
    };
    std::vector<Wave> waves;
    double wavelength = 15.0;

    FoldField()
    {
        Rng rng(20240611);
        const int n = 14;
        for (int i = 0; i < n; ++i) {
            const double angle = std::numbers::pi * i / n + rng.range(-0.08, 0.08);
            const double k = kTau / (wavelength * rng.range(0.92, 1.08));
            waves.push_back({k * std::cos(angle), k * std::sin(angle), rng.range(0, kTau)});
        }
    }

    // The deep side groove that every brain drawing has: near it the folds turn to run
    // alongside it, so it reads as one long valley rather than a scratch.
    QPolygonF fissure = sampled(smoothOpen({{23.5, 51.5}, {31, 48.8}, {39, 46.8}, {46, 44.2}, {53, 42.5},
                                            {59, 39.5}, {64, 36.2}, {68, 32.5}}), 80);

    static QPolygonF sampled(const QPainterPath& path, int n)
    {
        QPolygonF poly;
        for (int i = 0; i <= n; ++i)
            poly << path.pointAtPercent(double(i) / n);
        return poly;
    }

    double noise(QPointF p) const
    {
        double g = 0;
        for (const auto& w : waves)
            g += std::cos(w.kx * p.x() + w.ky * p.y() + w.phase);
        return g / std::sqrt(waves.size() / 2.0);
    }

    // weight of the groove at p, and the signed distance across it; the groove fades out
    // towards its ends, where "across" would change sign abruptly
    double groove(QPointF p, double& across) const
    {
        double best = 1e18, along = 0, walked = 0;
        across = 0;
        for (int i = 0; i + 1 < int(fissure.size()); ++i) {
            const QPointF a = fissure[i], b = fissure[i + 1];
            const QPointF ab = b - a, ap = p - a;
            const double len2 = ab.x() * ab.x() + ab.y() * ab.y();
            const double len = std::sqrt(len2);
            if (len2 <= 0)
                continue;
            const double t = clamp01((ap.x() * ab.x() + ap.y() * ab.y()) / len2);
            const QPointF q = p - (a + ab * t);
            const double d2 = q.x() * q.x() + q.y() * q.y();
            if (d2 < best) {
                best = d2;
                along = walked + t * len;
                const double side = ab.x() * ap.y() - ab.y() * ap.x();
                across = side >= 0 ? std::sqrt(d2) : -std::sqrt(d2);
            }
            walked += len;
        }
        return smoothstep(7.0, 2.0, std::sqrt(best)) * smoothstep(0.0, 2.0, along)
               * smoothstep(walked, walked - 6.0, along);
    }

    double value(QPointF p) const
    {
        double across = 0;
        const double w = groove(p, across);
        return lerp(noise(p), 1.3 * std::sin(kTau * across / wavelength), w);
    }

    // value, gradient and groove weight at p
    void at(QPointF p, double& g, double& gx, double& gy, double& w) const
    {
        const double h = 0.05;
        g = value(p);
        gx = (value(p + QPointF(h, 0)) - value(p - QPointF(h, 0))) / (2 * h);
        gy = (value(p + QPointF(0, h)) - value(p - QPointF(0, h))) / (2 * h);
        double across = 0;
        w = groove(p, across);
    }
};

void blendOver(QRgb& dst, const QColor& c, double alpha)
{
    alpha = clamp01(alpha);
    if (alpha <= 0)
        return;
    const double inv = 1 - alpha;
    const int a = int(qAlpha(dst) * inv + 255 * alpha + 0.5);
    dst = qRgba(int(qRed(dst) * inv + c.red() * alpha + 0.5), int(qGreen(dst) * inv + c.green() * alpha + 0.5),
                int(qBlue(dst) * inv + c.blue() * alpha + 0.5), a);
}

QColor shadeColour(const QColor& c, double factor)
{
    auto ch = [factor](int v) { return std::clamp(int(v * factor + 0.5), 0, 255); };
    return QColor(ch(c.red()), ch(c.green()), ch(c.blue()));
}

QImage renderBrainTexture(double texel)
{
    const int texWidth = int(kUnitsWide * texel);
    const int texHeight = int(kUnitsHigh * texel);
    auto toTex = [texel](QPointF unit) { return ::toTex(unit, texel); };
    QImage tex(texWidth, texHeight, QImage::Format_ARGB32_Premultiplied);
    tex.fill(Qt::transparent);

    // The brain stem, drawn first so the rest covers its top.
    {
        QPainter p(&tex);
        smoothPainter(p);
        const QPainterPath stem = capsule(toTex({63, 56}), toTex({59, 84}), 6.0 * texel, 4.2 * texel);
        QLinearGradient grad(toTex({54, 0}), toTex({68, 0}));
        grad.setColorAt(0, QColor(238, 168, 178));
        grad.setColorAt(1, QColor(196, 112, 132));
        p.setBrush(grad);
        p.setPen(QPen(QColor(150, 60, 92), 0.8 * texel));
        p.drawPath(stem);
    }

    // Work in straight (not premultiplied) colour for the per-texel layers.
    tex = tex.convertToFormat(QImage::Format_ARGB32);

    const QPolygonF outline = smoothClosed(cerebrumOutline()).toFillPolygon();
    const FoldField folds;
    const QColor ridge(255, 188, 200), groove(214, 112, 140), line(150, 52, 92);
    const QColor cerebellumLight(246, 160, 182), cerebellumDark(196, 94, 126);
    const QPointF lightDir(-0.6, -0.8);
    const double cbAngle = -12.0 * std::numbers::pi / 180;

    for (int ty = 0; ty < texHeight; ++ty) {
        auto* row = reinterpret_cast<QRgb*>(tex.scanLine(ty));
        for (int tx = 0; tx < texWidth; ++tx) {
            const QPointF u((tx + 0.5) / texel - kMargin, (ty + 0.5) / texel - kMargin);
            const double light = 1.0 + 0.10 * (-(u.x() - 45) / 55 - (u.y() - 30) / 40);

            // Cerebellum: an oval of fine curved ridges tucked under the back.
            {
                const QPointF c(79.5, 58.5);
                const double dx = u.x() - c.x(), dy = u.y() - c.y();
                const double lx = dx * std::cos(cbAngle) + dy * std::sin(cbAngle);
                const double ly = -dx * std::sin(cbAngle) + dy * std::cos(cbAngle);
                const double a = 15.0, b = 9.5;
                const double e = std::sqrt((lx / a) * (lx / a) + (ly / b) * (ly / b));
                const double d = (1 - e) * b; // inside distance, roughly in units
                if (d > -0.3) {
                    const double q = std::hypot(u.x() - 86, u.y() - 36);
                    const double stripe = 0.5 + 0.5 * std::cos(kTau * q / 2.4);
                    QColor col = mix(cerebellumLight, cerebellumDark, std::pow(stripe, 6.0) * 0.9);
                    col = shadeColour(col, light * lerp(0.78, 1.0, smoothstep(0, 3.5, d)));
                    if (d < 0.55)
                        col = mix(col, line, smoothstep(0.55, 0.15, d));
                    blendOver(row[tx], col, (d + 0.1) * texel);
                }
            }

            // Cerebrum: the folded main part.
            const double sd = signedDistance(outline, u);
            if (sd > 0.3)
                continue;
            const double d = -sd;
            double g, gx, gy, deep;
            folds.at(u, g, gx, gy, deep);
            const double gradLen = std::max(1e-6, std::hypot(gx, gy));
            const double toGroove = std::abs(g) / gradLen; // units to the nearest fold line
            const double s = clamp01(toGroove / (folds.wavelength * 0.2));
            QColor col = mix(groove, ridge, smoothstep(0.0, 1.0, std::sqrt(s)));
            // The side of each fold that faces the light is brighter.
            const double sign = g >= 0 ? 1.0 : -1.0;
            const double nx = -sign * gx / gradLen, ny = -sign * gy / gradLen;
            const double lit = (nx * lightDir.x() + ny * lightDir.y()) * (1 - s);
            double factor = light * (1.0 + 0.16 * lit);
            factor *= lerp(0.80, 1.0, smoothstep(0, 5, d)); // the rim curves away
            col = shadeColour(col, factor);
            col = mix(col, line, (0.85 + 0.15 * deep) * (1 - smoothstep(0.25 + 0.2 * deep, 0.7 + 0.3 * deep, toGroove))
                                    * smoothstep(0.2, 1.2, d));
            col = mix(col, line, smoothstep(0.7, 0.2, d)); // outline
            blendOver(row[tx], col, (d + 0.1) * texel);
        }
    }
    return tex.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

struct Signal {
    QPainterPath path; // in brain units
    int cyclesPerLoop;
    double offset;
};

std::vector<Signal> signalPaths()
{
    return {
        {smoothOpen({{50, 36}, {40, 30}, {30, 25}, {20, 23}, {12, 29}}), 3, 0.00},
        {smoothOpen({{52, 33}, {55, 24}, {62, 15}, {73, 10}}), 2, 0.35},
        {smoothOpen({{54, 38}, {66, 36}, {78, 30}, {90, 31}}), 3, 0.55},
        {smoothOpen({{47, 41}, {42, 50}, {36, 58}}), 2, 0.80},
        {smoothOpen({{55, 35}, {48, 22}, {40, 12}, {31, 8}}), 3, 0.22},
        {smoothOpen({{56, 41}, {68, 47}, {82, 44}, {92, 39}}), 2, 0.10},
        {smoothOpen({{50, 38}, {30, 40}, {16, 40}}), 2, 0.62},
    };
}

QImage background(int k)
{
    QImage bg = canvas(kWidth * k, kHeight * k, screenBlue());
    QPainter p(&bg);
    smoothPainter(p);
    p.scale(k, k);
    // A soft light behind the brain that fades to the screen colour before the edges.
    QRadialGradient glow(QPointF(0, 0), 1.0);
    glow.setColorAt(0.0, QColor(88, 118, 205));
    glow.setColorAt(0.55, QColor(60, 88, 170));
    glow.setColorAt(1.0, screenBlue());
    p.translate(kWidth / 2.0, kHeight / 2.0);
    p.scale(kWidth / 2.0, kHeight / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    return bg;
}

struct Twinkle {
    QPointF at;
    double radius;
    int cycles;
    double phase;
};

const std::vector<Twinkle>& twinkles()
{
    static const std::vector<Twinkle> all = {
        {{28, 36}, 8, 2, 0.00},   {{292, 30}, 9, 2, 0.45}, {{302, 204}, 7, 3, 0.15}, {{20, 196}, 8, 3, 0.65},
        {{72, 220}, 6, 2, 0.30},  {{250, 222}, 7, 3, 0.85}, {{160, 14}, 6, 3, 0.40}, {{306, 118}, 6, 2, 0.75},
        {{12, 112}, 6, 2, 0.20},  {{236, 18}, 5, 3, 0.58}, {{90, 16}, 5, 2, 0.90},
    };
    return all;
}

// k: pixels to a frame pixel (2 for the sharper copy); bg must be drawn at the same k.
QImage brainFrame(const QImage& bg, const QImage& tex, const std::vector<Signal>& sparks, int frame, int k)
{
    const double texel = tex.width() / kUnitsWide;
    const double t = double(frame) / kFrames;
    const double breath = loopWave(t, 2, -0.25); // two gentle breaths per loop
    const double scale = 2.2 / texel * (1.0 + 0.025 * breath);
    const double angle = 3.0 * loopWave(t, 1, 0.1);
    const QPointF centre(kWidth / 2.0 + 2.0 * loopWave(t, 1, 0.35), 112 + 3.0 * loopWave(t, 1));

    // brain units -> frame pixels; the brain's middle (50, 40) sits at centre
    QTransform unitToFrame;
    unitToFrame.translate(centre.x(), centre.y());
    unitToFrame.rotate(angle);
    unitToFrame.scale(scale * texel, scale * texel);
    unitToFrame.translate(-50, -40);

    QImage img = bg.copy();
    QPainter p(&img);
    smoothPainter(p);
    p.scale(k, k);

    // A pink halo that swells with each breath.
    {
        QRadialGradient halo(centre, 138);
        halo.setColorAt(0.0, withAlpha(QColor(255, 170, 220), 0.30 + 0.10 * breath));
        halo.setColorAt(0.6, withAlpha(QColor(200, 140, 240), 0.10 + 0.04 * breath));
        halo.setColorAt(1.0, withAlpha(QColor(200, 140, 240), 0.0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(centre, 138, 138);
    }

    for (const auto& tw : twinkles()) {
        const double s = std::max(0.0, loopWave(t, tw.cycles, tw.phase));
        drawSparkle(p, tw.at, tw.radius * 1.3 * (0.4 + 0.6 * s), 0.3 * loopWave(t, 1, tw.phase),
                    QColor(255, 245, 170), s * s);
    }

    // The brain on its own layer, so its shine can be kept inside its outline.
    QImage layer(kWidth * k, kHeight * k, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        smoothPainter(lp);
        lp.setTransform(QTransform::fromScale(1.0 / texel, 1.0 / texel)
                        * QTransform::fromTranslate(-kMargin, -kMargin) * unitToFrame * QTransform::fromScale(k, k));
        lp.drawImage(0, 0, tex);
        lp.resetTransform();
        lp.scale(k, k);
        // The shine stays put while the brain rocks under it, which makes it look round.
        lp.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QRadialGradient shine(QPointF(128, 62), 70);
        shine.setColorAt(0, QColor(255, 255, 255, 110));
        shine.setColorAt(1, QColor(255, 255, 255, 0));
        lp.setPen(Qt::NoPen);
        lp.setBrush(shine);
        lp.drawRect(0, 0, kWidth, kHeight);
    }
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, layer);
    p.restore();

    // Signals: bright sparks with fading tails that race out from the middle.
    for (const auto& sig : sparks) {
        const double u = t * sig.cyclesPerLoop + sig.offset;
        const double phase = u - std::floor(u);
        const double travel = 0.55;
        if (phase < travel) {
            const double head = smoothstep(0, 1, phase / travel);
            for (int k = 10; k >= 0; --k) {
                const double pos = head - 0.028 * k;
                if (pos < 0)
                    continue;
                const QPointF at = unitToFrame.map(sig.path.pointAtPercent(std::min(1.0, pos)));
                const double fade = 1.0 - k / 11.0;
                const double r = 1.6 + 3.0 * fade;
                QRadialGradient spark(at, r * 2.2);
                spark.setColorAt(0, withAlpha(QColor(255, 250, 190), 0.9 * fade));
                spark.setColorAt(0.4, withAlpha(QColor(255, 225, 90), 0.55 * fade));
                spark.setColorAt(1, withAlpha(QColor(255, 200, 60), 0));
                p.setPen(Qt::NoPen);
                p.setBrush(spark);
                p.drawEllipse(at, r * 2.2, r * 2.2);
            }
            const QPointF at = unitToFrame.map(sig.path.pointAtPercent(head));
            p.setBrush(Qt::white);
            p.drawEllipse(at, 2.4, 2.4);
        } else if (phase < travel + 0.2) {
            // A little ring of light where the signal arrives.
            const double k = (phase - travel) / 0.2;
            const QPointF at = unitToFrame.map(sig.path.pointAtPercent(1.0));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(withAlpha(QColor(255, 240, 150), 0.9 * (1 - k)), 2.0 * (1 - k) + 0.5));
            p.drawEllipse(at, 3 + 9 * k, 3 + 9 * k);
            p.setPen(Qt::NoPen);
            p.setBrush(withAlpha(QColor(255, 255, 220), 1 - k));
            p.drawEllipse(at, 2.5 * (1 - k), 2.5 * (1 - k));
        }
    }
    p.end();
    return img;
}

void writeBrainFrames(const datagen::Output& out, int k)
{
    const QImage tex = renderBrainTexture(texelsFor(k));
    const QImage bg = background(k);
    const std::vector<Signal> sparks = signalPaths();
    for (int i = 0; i < kFrames; ++i) {
        const QString name = QStringLiteral("brainsm\\brainn%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        out.writeJpeg(k == 1 ? name : datagen::Output::sharper(name, k), brainFrame(bg, tex, sparks, i, k), k > 2 ? 80 : 85);
    }
}

} // namespace

CORVANA_GENERATOR(brain_frames)
{
    writeBrainFrames(out, 1);
}

// The sharper copies for large displays, a generator of their own: twice the size, and four
// times for displays as large as 3840 x 2160, where the screens are drawn 3.6 times larger.
CORVANA_GENERATOR(brain_frames_sharp)
{
    writeBrainFrames(out, 2);
    writeBrainFrames(out, 4);
}
