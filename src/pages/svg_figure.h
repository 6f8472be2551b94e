// Pictures drawn as SVG files, written into the pages' metafiles as shapes and text so that
// they stay sharp on screen and on paper.
#pragma once

#include "pages_layout.h"

#include <QByteArray>
#include <QRect>
#include <QString>

class QSvgRenderer;
class WmfWriter;

namespace svgfigure {

// Draws the SVG into box (twips), keeping its proportions and centring it. Shapes become
// polygons and lines, text becomes metafile text; gradients are drawn in one colour, and with
// grey every colour in the grey of its brightness (for the black-and-white paper copy).
void draw(QSvgRenderer& svg, WmfWriter& w, const QRect& box, bool grey = false);

// A page figure from an SVG file's bytes, in colour on screen and in greys on paper.
// words: what the picture shows, as the page says it, read out when the drawing has no <title>.
pages::Drawing drawing(const QByteArray& svgBytes, const QString& words = QString());

// What the drawing says it shows: the text of its <title>, which screen readers read out;
// empty when it has none. svgLine is set to the line of the <svg> element.
QString title(const QByteArray& svgBytes, int* svgLine = nullptr);

} // namespace svgfigure
