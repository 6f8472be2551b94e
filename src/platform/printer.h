// The printer as the printouts see it: one page at a time, positions in twips from the
// top-left corner of the printable area, text printed line by line from a current position.
#pragma once

#include <QColor>
#include <QString>

#include <stdexcept>

class Picture;

// Anything that stops a printout: no printer, a printer error, a page that cannot be made.
struct PrintFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Where a finished document went.
struct PrintResult {
    // Empty when the page went to a printer; otherwise the PDF file it was saved as,
    // because the machine has no default printer.
    QString pdfPath;
    // Saved as a PDF although printers are installed: none of them is set as the default.
    bool printersWithoutDefault = false;
};

class Printer {
public:
    virtual ~Printer() = default;

    // What the document is called: the job's title at the printer, the file's name when it
    // becomes a PDF. Set before the page is laid out; it lasts until the document ends.
    virtual void setDocumentName(const QString& name) = 0;

    virtual void setFont(const QString& family, double points) = 0;
    virtual void setColor(const QColor& color) = 0;
    virtual double pageWidth() = 0;  // printable width, twips
    virtual double pageHeight() = 0; // printable height, twips
    virtual double textWidth(const QString& text) = 0; // in the current font, twips

    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;

    // Prints at the current position. Ending the line moves the position down by one line
    // of the current font and back to the left edge; otherwise it stays after the text.
    virtual void print(const QString& text, bool endLine = true) = 0;
    // Draws a picture at its own size with its top-left corner at (x, y).
    virtual void drawPicture(const Picture& picture, double x, double y) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void setDrawWidth(int width) = 0;

    // Ends the page and sends the document. Throws PrintFailure when that fails.
    virtual PrintResult endDoc() = 0;
    // Drops a document that failed half-way, so the next one starts on a clean page.
    virtual void abandon() = 0;
};
