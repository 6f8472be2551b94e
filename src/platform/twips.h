// Layouts are designed in twips (1/1440 inch). At 96 dots per inch a pixel is 15 twips.
// The bare arithmetic between the two and the display scale it uses: how many screen pixels
// stand for one 96-dpi pixel (1 in a window, more when the picture is fitted to a large
// display). Platform code converts here; screens go through the shell's display-scale module.
#pragma once

#include <QPointF>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace twips {

// Twips per pixel at the design density (96 dpi): pictures and layouts are made at it.
inline constexpr double perPixel = 15.0;

namespace detail {
// Set only by the shell's display-scale module (display::setScale), where the program fits
// itself to its display; read here.
inline double displayScale = 1.0;
}

// Screen pixels per 96-dpi pixel; 1 until the program fits itself to its display.
inline double scale() { return detail::displayScale; }

inline int toPixels(double t) { return static_cast<int>(std::lround(t * detail::displayScale / perPixel)); }
inline double fromPixels(double px) { return px * perPixel / detail::displayScale; }

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// Font sizes are points; at 96 dpi a point is 4/3 of a pixel.
inline int pointsToPixels(double pt)
{
    return std::max(1, static_cast<int>(std::lround(pt * 96.0 / 72.0 * detail::displayScale)));
}

// The same at the design density, whatever the display scale: for measuring texts in twips.
inline int pointsToDesignPixels(double pt) { return std::max(1, static_cast<int>(std::lround(pt * 96.0 / 72.0))); }

} // namespace twips
