#include "display_scale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace display {

namespace {
// What an item was placed at and the points of its font, kept on the item itself.
const char* const twipsProperty = "corvanaTwips";
const char* const pointsProperty = "corvanaPoints";
} // namespace

void setScale(double s) { twips::detail::displayScale = s > 0 ? s : 1.0; }

double fittingScale(QSizeF display, bool fullScreen)
{
    const double designWidth = design::screenWidth / twips::perPixel;
    const double designHeight = design::screenHeight / twips::perPixel;
    if (display.width() <= 0 || display.height() <= 0)
        return 1.0;
    const double fit = std::min(display.width() / designWidth, display.height() / designHeight);
    return fullScreen ? fit : std::min(1.0, fit);
}

void place(QWidget* w, QRectF r)
{
    w->setProperty(twipsProperty, r);
    w->setGeometry(rect(r));
}

QRectF placedAt(const QWidget* w) { return w->property(twipsProperty).toRectF(); }

int lineWidth(double pixelsAt96Dpi)
{
    return std::max(1, static_cast<int>(std::lround(pixelsAt96Dpi * scale())));
}

// ---------------------------------------------------------------- fonts

QFont makeFont(const FontSpec& spec)
{
    QFont font(QString::fromLatin1(spec.family));
    font.setPixelSize(twips::pointsToPixels(spec.points));
    font.setBold(spec.bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont makeDesignFont(const FontSpec& spec)
{
    QFont font = makeFont(spec);
    font.setPixelSize(twips::pointsToDesignPixels(spec.points));
    return font;
}

void setItemFont(QWidget* w, const FontSpec& spec)
{
    w->setProperty(pointsProperty, spec.points);
    w->setFont(makeFont(spec));
}

void scaleWindowFont(QWidget* window)
{
    if (window->property(pointsProperty).isValid())
        return;
    QFont f = QApplication::font();
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * scale());
    else if (f.pixelSize() > 0)
        f.setPixelSize(std::max(1, qRound(f.pixelSize() * scale())));
    window->setFont(f);
}

void fixSystemFonts(QWidget* window)
{
    const QFont system = QApplication::font();
    if (system.pointSizeF() <= 0)
        return;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow() || w->testAttribute(Qt::WA_SetFont) ||
            !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)))
            continue;
        QFont f = QApplication::font(w);
        const double points = f.pointSizeF() > 0 ? f.pointSizeF() : system.pointSizeF();
        w->setProperty(pointsProperty, points);
        f.setPixelSize(twips::pointsToPixels(points));
        w->setFont(f);
    }
}

// ---------------------------------------------------------------- a change of scale

void replaceItems(QWidget* window, double ratio)
{
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow())
            continue;
        const QRectF r = placedAt(w);
        if (!r.isNull())
            w->setGeometry(rect(r));
        else if (ratio > 0 && ratio != 1)
            w->setGeometry(QRect(QPoint(qRound(w->x() * ratio), qRound(w->y() * ratio)),
                                 QSize(qRound(w->width() * ratio), qRound(w->height() * ratio))));
    }
}

void rescaleFonts(QWidget* window, double ratio)
{
    scaleWindowFont(window);
    QList<QWidget*> all = window->findChildren<QWidget*>();
    all << window;
    for (QWidget* w : all) {
        const QVariant points = w->property(pointsProperty);
        // A font set in pixels by other means follows in proportion.
        if (!points.isValid() && (w == window || !w->testAttribute(Qt::WA_SetFont) || ratio <= 0 || ratio == 1))
            continue;
        QFont f = w->font();
        if (points.isValid())
            f.setPixelSize(twips::pointsToPixels(points.toDouble()));
        else if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, qRound(f.pixelSize() * ratio)));
        else
            f.setPointSizeF(f.pointSizeF() * ratio);
        w->setFont(f);
    }
}

// ---------------------------------------------------------------- the scaled style

namespace {

// The style's own drawings (the dots of option buttons, tick boxes, frames of text boxes)
// grow with the display like the texts beside them.
class ScaledStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_RadioButtonLabelSpacing:
        case PM_CheckBoxLabelSpacing:
        case PM_DefaultFrameWidth:
        case PM_ButtonMargin:
            return static_cast<int>(std::lround(base * scale()));
        default:
            return base;
        }
    }
};

} // namespace

void installScaledStyle()
{
    if (!dynamic_cast<ScaledStyle*>(QApplication::style()))
        QApplication::setStyle(new ScaledStyle);
}

} // namespace display
