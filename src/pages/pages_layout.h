// The reading pages: each written twice from one content list, a screen copy drawn light on
// the program's dark blue and a print copy drawn black on white for a portrait sheet.
#pragma once

#include "wmf_writer.h"

#include "platform/spoken_text.h"

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

#include <functional>

namespace pages {

enum class Copy { Screen, Print };

// Sizes of the two copies, twips. The screen copy sits at (120, 0) above the reader's bottom
// row of buttons; the print copy is drawn 1000 twips in from the sheet's printable corner, and
// fits inside both A4 and Letter with a margin to spare on the right and at the bottom.
inline constexpr int screenWidth = 11700, screenHeight = 7800;
inline constexpr int printWidth = 9900, printHeight = 14000;

// Where the reader's Print button covers a screen copy (page coordinates): keep clear.
inline const QRect printButtonArea(10440, 0, 1260, 720);

struct Style {
    Copy copy;
    QString face;        // body text
    QString headingFace;
    QColor text, heading, title, accent, leader;
    QColor skin, skinLine, bone, boneLine, panel, panelLine, muted;
};
const Style& style(Copy copy);

// Font size and line spacing of a text block, twips.
struct TextSize {
    int font;
    int line;
};

// A drawing placed in the flow: it is given its box and the copy's style.
using Drawing = std::function<void(WmfWriter&, const QRect&, const Style&)>;

struct Block {
    enum Kind { Heading, Paragraph, Bullet, Term, Figure, Gap, ColumnBreak };
    Kind kind = Paragraph;
    QString text;
    QString detail;        // Term: the explanation beside the term
    Drawing drawing;       // Figure
    int height = 0;        // Figure, Gap: twips; a figure of 0 fills the rest of its column
    bool screen = true;    // in the screen copy
    bool print = true;     // in the print copy
};

// Content helpers, so page files read like the pages.
Block heading(const QString& text);
Block para(const QString& text);
Block bullet(const QString& text);
Block term(const QString& term, const QString& detail);
Block figure(Drawing d, int screenHeight, int printHeight);
Block gap(int twips);
Block screenBreak(); // next column, screen copy only
Block printBreak();  // next column, print copy only
Block onlyOn(Copy copy, Block b);

struct Page {
    QString name;        // file stem, e.g. "key bones"
    QString title;       // big title at the top
    QList<Block> blocks;
    TextSize body;       // paragraph, bullet and term text on screen
    TextSize printBody;  // the same on paper
    QList<QRect> screenColumns; // flow areas below the title, in order
    QList<QRect> printColumns;
    int termWidth = 2200;       // term column of Term blocks, screen (paper: scaled by body)
    QColor screenHeading;       // headings and terms on screen, when not the usual colour
};

// Lays the page out and writes it. Throws std::runtime_error when the content does not fit,
// so a page that grew too long fails the build instead of being cut off. With `spoken`, also
// gives the page's words a sentence at a time in reading order (title, headings, paragraphs,
// bullets, terms then their explanations; not the words inside pictures), each with the
// rectangles of the lines it covers, so the reader can read it aloud and mark it.
QByteArray render(const Page& page, Copy copy, QList<spoken::Sentence>* spoken = nullptr);

// Every page of the program.
QList<Page> guidePages();  // guide1 .. guide4
QList<Page> frontPages();  // introduction, acknowledgments

// ---------------------------------------------------------------- drawing aids

// Maps a design space onto a box, keeping its proportions and centring it.
class Canvas {
public:
    Canvas(WmfWriter& w, const QRect& box, double designWidth, double designHeight);
    QPoint p(double x, double y) const;
    int len(double d) const;
    QRect r(double x, double y, double width, double height) const;
    QList<QPoint> poly(std::initializer_list<std::pair<double, double>> points) const;
    double scale() const { return scale_; }
    WmfWriter& w;

private:
    double x0_, y0_, scale_;
};

// A name with a leader line from a point of the drawing; the name sits at `at`, left of it
// (alignRight) or right of it, vertically centred.
void label(WmfWriter& w, const Style& s, QPoint anchor, QPoint at, const QString& text, bool alignRight,
           int fontTwips);

// A small picture of one of the program's screens: dark blue, a title, yellow-bordered
// buttons at (x, y, width, height) in the screen's own twips.
struct MiniButton {
    const char* caption;
    int x, y, width, height;
};
void miniScreen(WmfWriter& w, const QRect& box, const Style& s, const QString& title,
                const QList<MiniButton>& buttons, const std::function<void(Canvas&)>& extra = {});

} // namespace pages
