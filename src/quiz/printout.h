// What the certificate and the worksheet printouts share: centred lines, and running a page
// to its end with the pupil told how it went.
#pragma once

#include <QString>

#include <functional>

class MessageBoxes;
class Printer;

namespace printout {

inline const QString fontName = QStringLiteral("Times New Roman");
inline const QString problemMessage = QStringLiteral("There was a problem printing to your printer.");

// Prints a line with its horizontal position set so that it is centred in the printable width.
void centredLine(Printer& printer, const QString& text);

// Lays out one page named documentName, ends the document and tells the pupil:
// printingMessage when it went to a printer, that it was kept for the teacher when it became
// a PDF, the problem message when printing failed (the half-built page is dropped). True when
// the page was printed or saved. Failures other than printer failures drop the page and
// reach the caller. what: "certificate" or "worksheet".
bool run(Printer& printer, MessageBoxes& messages, const std::function<void(Printer&)>& layOut,
         const QString& printingMessage, const QString& what, const QString& documentName);

} // namespace printout
