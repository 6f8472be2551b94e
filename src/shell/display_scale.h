// The display scale: every conversion a screen makes between its layout in twips and the
// pixels of the display, and every font size, goes through here.
//
// How a screen places an item and sets a font: Screen::place(item, rectangle in twips) (which
// addLabel, addButton and addPicture call) places it through display::place, and
// display::setItemFont(item, FontSpec) gives it its font; both remember the twips and the
// points on the item, so that when the scale changes (full screen on a larger display)
// Screen::rescale() puts every item back at the new scale. Texts measured in twips use
// makeDesignFont, which keeps the 96-dpi size whatever the display. Geometry worked out in
// pixels goes through toPixels / fromPixels, never through a factor of its own.
//
// The scale itself is screen pixels per 96-dpi pixel: 1 in a window, more when the picture
// fills a large display. The program sets it in one place (Screens::setFullScreen, from
// fittingScale); platform/twips.h holds it and the bare arithmetic for the platform's own use.
#pragma once

#include "platform/screen_design.h"
#include "platform/twips.h"

#include <QFont>
#include <QRect>
#include <QSizeF>

class QWidget;

namespace display {

// Twips per pixel at the design density (96 dpi), the density pictures and layouts are made at.
inline constexpr double twipsPerDesignPixel = twips::perPixel;

// Screen pixels per 96-dpi pixel.
inline double scale() { return twips::scale(); }
// Sets the scale; screens already laid out follow only when they are rescaled.
void setScale(double s);

inline int toPixels(double t) { return twips::toPixels(t); }
inline double fromPixels(double px) { return twips::fromPixels(px); }
inline QRect rect(double left, double top, double width, double height) { return twips::rect(left, top, width, height); }
inline QRect rect(const QRectF& r) { return twips::rect(r.left(), r.top(), r.width(), r.height()); }

// Screen pixels per 96-dpi pixel that fit a standard screen into a display of the given pixel
// size keeping its shape; in a window never more than 1.
double fittingScale(QSizeF displayPixels, bool fullScreen);

// Places an item at a rectangle in twips of its screen, remembered so that the item follows
// when the display scale changes.
void place(QWidget* w, QRectF twipsRect);
// The twips rectangle an item was placed at; null when it was placed in pixels.
QRectF placedAt(const QWidget* w);

// A line that is the given number of pixels wide at 96 dpi, at the display scale (at least 1).
int lineWidth(double pixelsAt96Dpi);

// The font at the display scale, for drawing.
QFont makeFont(const FontSpec& spec);
// The font at the design density (96 dpi) whatever the display, for measuring in twips.
QFont makeDesignFont(const FontSpec& spec);
// Gives an item its font and remembers the size, so that it follows the display scale.
void setItemFont(QWidget* w, const FontSpec& spec);

// Items without a font of their own take their window's: it is the system's font at the
// display scale (unless the window was given a font of its own).
void scaleWindowFont(QWidget* window);
// Push buttons and text boxes without a font of their own take the system's font for their
// kind, not their window's: they are given it at the design size so that it scales. Run once
// a window's items are made.
void fixSystemFonts(QWidget* window);

// After the scale changed by the given ratio: the window's items placed in twips go back to
// their places at the new scale, those placed in pixels grow in proportion.
void replaceItems(QWidget* window, double ratio);
// The same for the fonts of the window and its items.
void rescaleFonts(QWidget* window, double ratio);

// Makes the style's own drawings (option dots, tick boxes) follow the display scale.
void installScaledStyle();

} // namespace display
