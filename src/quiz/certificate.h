// The certificate for full marks: titles, praise, the pupil's name and score between
// "Well Done" banners, inside a nested border.
#pragma once

#include <QString>

class MessageBoxes;
class Printer;

struct Certificate {
    QString taskTitle;  // certificateTitle
    QString name;       // as typed, up to 25 characters, possibly empty
    int score = 0;
    int outOf = 0;
    // The task title's width in the results screen's own font, twips: a title wider than a
    // quarter of the page is printed smaller.
    double titleScreenWidth = 0;
};

namespace certificate {

inline const QString productTitle = QStringLiteral("Corvana");
inline const QString praise = QStringLiteral("Excellent Work");
inline const QString banner = QStringLiteral("   Well Done      Well Done     Well Done     Well Done    ");
inline const QString printingMessage = QStringLiteral("Your certificate is now printing.");

// Prints the page onto the printer without ending the document. Throws PrintFailure.
void layOut(Printer& printer, const Certificate& c);

// Prints the certificate and tells the pupil how it went; true when printed or saved.
bool print(Printer& printer, MessageBoxes& messages, const Certificate& c);

} // namespace certificate
