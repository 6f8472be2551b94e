// Fonts for metafile text: which installed face draws the face a file names, and the average
// character width by which a font's set width is met.
#pragma once

#include <QString>

#include <functional>

class QFontMetricsF;

namespace wmf {

struct FontObject;

// The face to draw with: the named face when the machine has it; else a metric-compatible
// stand-in; else a plain serif, sans-serif or monospaced face as the font's pitch and family
// ask. fontconfig's own guess for a missing face may be a symbol or script face, which would
// turn words into pictures, so it is taken only when the file asks for the symbol charset.
QString faceFor(const FontObject& font, const std::function<bool(const QString&)>& installed);
// The same, asking the font database what is installed.
QString faceFor(const FontObject& font);

// The face that draws a text run in this font (null: the stock font). Symbol text is decoded
// to Unicode, so it is drawn with a serif face that has the Greek letters and signs.
QString faceToDraw(const FontObject* font);

// The average character width as GDI measures it for a TrueType font: the weighted mean
// advance of the lower-case letters and the space. The stand-in faces carry the same widths
// as the faces they replace, but their own stored average is taken over every glyph they have
// and is much wider, so a font stretched to meet a set width by it would come out squeezed.
double averageCharWidth(const QFontMetricsF& metrics);

// The average by which a font's set width is met, for a font drawn em units high: the
// stand-in face's own average, except for symbol text, whose stand-in (a text face with the
// Greek letters) is far narrower than the Symbol face the width was set for, about half an em.
double setWidthAverage(const QFontMetricsF& metrics, const FontObject* font, double em);

} // namespace wmf
