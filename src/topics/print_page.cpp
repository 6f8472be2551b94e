#include "print_page.h"

#include "platform/messages.h"
#include "platform/pictures.h"
#include "platform/printer.h"

namespace reader {

void printPage(Printer& printer, MessageBoxes& messages, const Picture& printCopy)
{
    // A page file that could not be read would come out as a blank sheet.
    if (printCopy.isNull()) {
        messages.ok(QStringLiteral("This page cannot be printed because its printable copy is missing. "
                                   "Nothing was sent to the printer."));
        return;
    }
    PrintResult result;
    try {
        printer.print(QString()); // begins the page
        printer.drawPicture(printCopy, printLeft, printTop);
        result = printer.endDoc();
    } catch (const PrintFailure& failure) {
        try {
            printer.abandon();
        } catch (const PrintFailure&) {
            // Nothing more can be done with a printer that fails to drop its page.
        }
        messages.ok(QStringLiteral("The page could not be printed (%1). Please check the printer "
                                   "and try again.")
                        .arg(QString::fromLocal8Bit(failure.what())));
        return;
    }
    if (!result.pdfPath.isEmpty())
        messages.ok(QStringLiteral("There is no printer, so the page was saved as a PDF file:\n%1")
                        .arg(result.pdfPath));
}

} // namespace reader
