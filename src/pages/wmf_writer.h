// Builds a placeable Windows metafile in memory, for the pages of the data folder.
//
// Logical units are twips: the picture is widthTwips x heightTwips, origin top-left, y down
// (MM_ANISOTROPIC, window 0,0 to width,height, 1440 units per inch in the placeable header).
// Coordinates are stored as 16-bit numbers, so everything must lie within -32768..32767.
//
// The writer owns the metafile's object table: pen(), brush() and font() create the new
// object, select it and delete the one it replaces, so a caller can never leak objects.
// Until the first pen()/brush() call the reader's defaults apply (a thin black pen and a
// white brush); text needs a font() first. The background mode starts transparent, the text
// alignment top-left, the text colour black.
//
// Output is deterministic: the same calls give the same bytes.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

class WmfWriter {
public:
    enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };
    enum class BkMode { Transparent = 1, Opaque = 2 };
    enum class FillMode { Alternate = 1, Winding = 2 };
    enum class Hatch { Horizontal = 0, Vertical = 1, ForwardDiagonal = 2, BackwardDiagonal = 3, Cross = 4, DiagonalCross = 5 };
    // Text alignment flags (GDI's TA_*): combine one horizontal, one vertical and optionally
    // UpdateCP, e.g. WmfWriter::Center | WmfWriter::Baseline.
    enum TextAlign : int {
        Left = 0, Right = 2, Center = 6,
        Top = 0, Bottom = 8, Baseline = 24,
        UpdateCP = 1,
    };

    WmfWriter(int widthTwips, int heightTwips);

    int width() const { return width_; }
    int height() const { return height_; }

    // --- drawing state -------------------------------------------------------------
    void setTextColor(const QColor& colour);
    void setBkColor(const QColor& colour);
    void setBkMode(BkMode mode);
    void setTextAlign(int flags);
    void setPolyFillMode(FillMode mode);

    // --- objects (each replaces the current one of its kind; identical repeats are free) -
    // heightTwips is the character (em) height: 12 pt is 240. escapement is in tenths of a
    // degree, counter-clockwise (900 writes upwards).
    void font(const QString& face, int heightTwips, bool bold = false, bool italic = false,
              int escapement = 0, bool underline = false);
    // widthTwips 0 is the thinnest line the output device can draw.
    void pen(PenStyle style, int widthTwips, const QColor& colour);
    void pen(const QColor& colour, int widthTwips = 15) { pen(PenStyle::Solid, widthTwips, colour); }
    void nullPen() { pen(PenStyle::Null, 0, Qt::black); }
    void brush(const QColor& colour);
    void hatchBrush(Hatch hatch, const QColor& colour);
    void nullBrush();

    // --- drawing (rectangles are QRect(x, y, width, height) in twips) -----------------
    void textOut(int x, int y, const QString& text); // text in Windows-1252
    // What a picture drawn here shows, for screen readers: a comment record the reader keeps
    // with the page's words (never drawn).
    void describePicture(const QString& words);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void line(int x1, int y1, int x2, int y2) { moveTo(x1, y1); lineTo(x2, y2); }
    void rectangle(const QRect& r);
    void roundRect(const QRect& r, int cornerWidth, int cornerHeight);
    void ellipse(const QRect& r);
    void polygon(const QList<QPoint>& points);
    void polyline(const QList<QPoint>& points);
    void polyPolygon(const QList<QList<QPoint>>& polygons);
    // Arcs run counter-clockwise from the start radial to the end radial, as in GDI.
    void arc(const QRect& box, QPoint start, QPoint end);
    void pie(const QRect& box, QPoint start, QPoint end);
    void chord(const QRect& box, QPoint start, QPoint end);
    // The same by angles in degrees (0 = three o'clock, counter-clockwise, span > 0).
    void arc(const QRect& box, double startDeg, double spanDeg);
    void pie(const QRect& box, double startDeg, double spanDeg);
    void chord(const QRect& box, double startDeg, double spanDeg);
    // The image as a 24-bit DIB stretched onto dest (alpha is flattened onto white).
    void stretchDIBits(const QRect& dest, const QImage& image);

    void saveDC();
    void restoreDC(); // the state of the matching saveDC(), objects included
    void intersectClipRect(const QRect& r);

    // --- text layout with the current font -------------------------------------------
    // Width in twips of one line of text, measured as the screen draws it (96 dpi).
    double textWidth(const QString& text) const;
    // Splits text into lines no wider than width (at spaces; '\n' forces a break; a word
    // longer than the width stands on a line of its own).
    QStringList wrap(const QString& text, int width) const;
    // Writes the wrapped text one line per lineHeight from (x, y), honouring the current
    // horizontal alignment within [x, x + width]. Returns the y below the last line.
    int paragraph(int x, int y, int width, const QString& text, int lineHeight);

    // The finished metafile: placeable header with checksum, header sizes, the object
    // deletions and the end record. The writer can go on drawing afterwards.
    QByteArray bytes() const;

private:
    struct Record {
        uint16_t function;
        QByteArray params;
    };
    enum Kind { KindPen, KindBrush, KindFont, KindCount };

    void record(uint16_t function, const QByteArray& params = {});
    void replaceObject(Kind kind, uint16_t createFunction, const QByteArray& params);
    void arcLike(uint16_t function, const QRect& box, QPoint start, QPoint end);
    void arcLike(uint16_t function, const QRect& box, double startDeg, double spanDeg);
    QFont qfont() const;

    int width_;
    int height_;
    std::vector<Record> records_;
    // The object table: which slots hold an object, and the most ever held at once.
    std::vector<bool> slots_;
    int maxSlots_ = 0;
    struct Selected {
        int slot = -1;   // -1: nothing of this kind selected yet
        QByteArray key;  // the creation record's parameters, to skip identical repeats
    };
    struct FontInfo {
        QString face;
        int height = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
    };
    struct State {
        std::array<Selected, KindCount> selected;
        FontInfo font;
        int textAlign = 0;
    };
    State state_;
    std::vector<State> saved_;
    // Deletes objects that neither the current nor a saved state selects.
    void collectObjects();
};
