#include "printout.h"

#include "platform/messages.h"
#include "platform/printer.h"
#include "platform/printouts.h"

namespace printout {

void centredLine(Printer& printer, const QString& text)
{
    printer.setCurrentX((printer.pageWidth() - printer.textWidth(text)) / 2);
    printer.print(text);
}

namespace {
void dropPage(Printer& printer)
{
    try {
        printer.abandon();
    } catch (...) {
        // Nothing more can be done with a printer that fails even to drop a page.
    }
}
} // namespace

bool run(Printer& printer, MessageBoxes& messages, const std::function<void(Printer&)>& layOut,
         const QString& printingMessage, const QString& what, const QString& documentName)
{
    PrintResult result;
    try {
        printer.setDocumentName(documentName);
        layOut(printer);
        result = printer.endDoc();
    } catch (const PrintFailure&) {
        dropPage(printer);
        messages.ok(problemMessage);
        return false;
    } catch (...) {
        dropPage(printer);
        throw;
    }
    messages.ok(result.pdfPath.isEmpty()
                    ? printingMessage
                    : printouts::savedForTeacherMessage(what, result.pdfPath, result.printersWithoutDefault));
    return true;
}

} // namespace printout
