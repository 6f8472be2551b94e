// The maker's logo, Talvory Publishing: a gold "T" medallion in a ring of turning rays with
// stars circling it. Twenty GIF frames of 120 x 120 px (25 ms each) on the screen's blue, and
// a still BMP with the name for the lilac box beside it.
#include "art_util.h"
#include "generator.h"
#include "gif_writer.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

using namespace art;

namespace {

constexpr int kFrames = 20;
const QColor kNavy(26, 40, 118);
const QColor kGold(255, 214, 96);
const QColor kDeepGold(214, 142, 30);

QPainterPath letterT(double r)
{
    auto rounded = [r](double x, double y, double w, double h, double corner) {
        QPainterPath part;
        part.addRoundedRect(QRectF(x * r, y * r, w * r, h * r), corner * r, corner * r);
        return part;
    };
    // A bar, a stem and a small flared foot, like a printer's letter, as one outline.
    return rounded(-0.52, -0.50, 1.04, 0.26, 0.07)
        .united(rounded(-0.14, -0.40, 0.28, 0.90, 0.05))
        .united(rounded(-0.25, 0.40, 0.50, 0.12, 0.05));
}

// The medallion at the origin with radius r; t in [0,1) is the loop position. The animated
// frames add turning rays and a gliding shine; the still logo has neither.
void drawEmblem(QPainter& p, double r, double t, bool animated)
{
    if (animated) {
        // Twelve rays turn by one ray's width each loop, so the loop closes seamlessly.
        p.save();
        p.rotate(30.0 * t);
        for (int i = 0; i < 12; ++i) {
            p.save();
            p.rotate(30.0 * i);
            QPainterPath ray;
            ray.moveTo(0, 0);
            ray.lineTo(1.45 * r, -0.16 * r);
            ray.quadTo(1.52 * r, 0, 1.45 * r, 0.16 * r);
            ray.closeSubpath();
            QLinearGradient grad(0, 0, 1.5 * r, 0);
            grad.setColorAt(0.55, withAlpha(QColor(255, 222, 110), 0.85));
            grad.setColorAt(1.0, withAlpha(QColor(255, 222, 110), 0.0));
            p.setPen(Qt::NoPen);
            p.setBrush(grad);
            p.drawPath(ray);
            p.restore();
        }
        p.restore();
    }

    // Gold rim, navy ring, gold face.
    QRadialGradient rim(QPointF(-0.3 * r, -0.35 * r), 1.4 * r);
    rim.setColorAt(0, QColor(255, 244, 190));
    rim.setColorAt(0.5, kGold);
    rim.setColorAt(1, kDeepGold);
    p.setPen(QPen(QColor(120, 70, 10), std::max(1.0, 0.03 * r)));
    p.setBrush(rim);
    p.drawEllipse(QPointF(0, 0), r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(0, 0), 0.88 * r, 0.88 * r);
    QRadialGradient face(QPointF(-0.25 * r, -0.3 * r), 1.1 * r);
    face.setColorAt(0, QColor(255, 248, 200));
    face.setColorAt(0.45, kGold);
    face.setColorAt(1, kDeepGold);
    p.setBrush(face);
    p.drawEllipse(QPointF(0, 0), 0.78 * r, 0.78 * r);

    // The letter, with a soft drop shadow so it stands off the gold.
    const QPainterPath letter = letterT(r);
    p.setBrush(withAlpha(QColor(120, 70, 10), 0.45));
    p.drawPath(letter.translated(0.05 * r, 0.06 * r));
    QLinearGradient ink(0, -0.5 * r, 0, 0.5 * r);
    ink.setColorAt(0, QColor(60, 84, 190));
    ink.setColorAt(1, kNavy);
    p.setBrush(ink);
    p.setPen(QPen(QColor(14, 22, 70), std::max(0.8, 0.025 * r)));
    p.drawPath(letter);

    // A band of light glides over the face once a loop.
    if (animated) {
        p.save();
        QPainterPath disc;
        disc.addEllipse(QPointF(0, 0), 0.78 * r, 0.78 * r);
        p.setClipPath(disc);
        const double x = -1.6 * r + 3.2 * r * t;
        QLinearGradient band(x - 0.35 * r, -0.35 * r, x + 0.35 * r, 0.35 * r);
        band.setColorAt(0, withAlpha(Qt::white, 0));
        band.setColorAt(0.5, withAlpha(Qt::white, 0.55));
        band.setColorAt(1, withAlpha(Qt::white, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(band);
        p.drawRect(QRectF(-r, -r, 2 * r, 2 * r));
        p.restore();
    }
}

QImage logoFrame(int frame, int k)
{
    const double t = double(frame) / kFrames;
    QImage img = canvas(120 * k, 120 * k, screenBlue());
    QPainter p(&img);
    smoothPainter(p);
    p.scale(k, k);
    p.translate(60, 60);
    drawEmblem(p, 38, t, true);
    // Three stars circle the medallion a third of a turn per loop.
    for (int k = 0; k < 3; ++k) {
        const double a = kTau * (t / 3.0 + k / 3.0) - std::numbers::pi / 2;
        const QPointF at(std::cos(a) * 47, std::sin(a) * 47);
        const double pulse = 0.5 + 0.5 * loopWave(t, 1, k / 3.0);
        drawSparkle(p, at, 6.0 + 3.0 * pulse, a, QColor(255, 250, 210), 0.7 + 0.3 * pulse);
    }
    return img;
}

QImage stillLogo(int k)
{
    QImage img = canvas(120 * k, 89 * k, QColor(128, 128, 255));
    QPainter p(&img);
    smoothPainter(p);
    p.scale(k, k);
    p.save();
    p.translate(60, 30);
    drawEmblem(p, 26, 0, false);
    p.restore();

    QFont font(QStringLiteral("Liberation Serif"));
    font.setBold(true);
    font.setPixelSize(24);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("Talvory"));
    const QRectF box = word.boundingRect();
    word.translate(60 - box.center().x(), 84 - box.bottom());
    p.setPen(QPen(QColor(255, 255, 255, 200), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(word);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawPath(word);
    return img;
}

} // namespace

CORVANA_GENERATOR(logo)
{
    for (int i = 0; i < kFrames; ++i) {
        const QString name = QStringLiteral("logo\\talv%1.gif").arg(i, 4, 10, QLatin1Char('0'));
        out.writeBytes(name, datagen::encodeGif(logoFrame(i, 1)));
    }
    out.writeBmp(QStringLiteral("logo\\talvory2.bmp"), stillLogo(1));
}

// The sharper copies for large displays, a generator of their own.
CORVANA_GENERATOR(logo_sharp)
{
    for (int i = 0; i < kFrames; ++i) {
        const QString name = QStringLiteral("logo\\talv%1.gif").arg(i, 4, 10, QLatin1Char('0'));
        out.writeBytes(datagen::Output::sharper(name), datagen::encodeGif(logoFrame(i, 2)));
    }
    out.writeBmp(datagen::Output::sharper(QStringLiteral("logo\\talvory2.bmp")), stillLogo(2));
}
