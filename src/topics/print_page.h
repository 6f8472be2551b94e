// Print on the paged reader and the guide: the print copy of the page shown, as a one-page
// document, 1000 twips in from the left and the top of the printable area.
#pragma once

#include <QString>

class MessageBoxes;
class Picture;
class Printer;

namespace reader {

inline constexpr double printLeft = 1000; // twips
inline constexpr double printTop = 1000;

// Prints the page and tells the user what became of it when that is not plain: saved as a
// PDF for the teacher because there is no printer, not printed at all, or nothing to print.
// pageName names the document, with the date after it. Never throws.
void printPage(Printer& printer, MessageBoxes& messages, const Picture& printCopy, const QString& pageName);

// A reader page's name from its print copy's path: "wmf2\key bones.wmf" is "Key Facts - bones",
// any other page goes by its file's name.
QString pageName(const QString& printCopyPath);

} // namespace reader
