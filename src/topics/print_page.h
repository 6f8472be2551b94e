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
// PDF because there is no printer, not printed at all, or nothing to print. Never throws.
void printPage(Printer& printer, MessageBoxes& messages, const Picture& printCopy);

} // namespace reader
