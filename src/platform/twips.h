// Layouts are designed in twips (1/1440 inch). At 96 dots per inch a pixel is 15 twips.
// Every conversion between the two goes through here, so scaling all screens is one change.
#pragma once

#include <QRect>
#include <QPointF>
#include <cmath>

namespace twips {

inline constexpr double perPixel = 15.0;

inline int toPixels(double t) { return static_cast<int>(std::lround(t / perPixel)); }
inline double fromPixels(double px) { return px * perPixel; }

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// Font sizes are points; at 96 dpi a point is 4/3 of a pixel.
inline int pointsToPixels(double pt) { return std::max(1, static_cast<int>(std::lround(pt * 96.0 / 72.0))); }

} // namespace twips
