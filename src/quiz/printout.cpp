#include "printout.h"

#include "platform/messages.h"
#include "platform/printer.h"

namespace printout {

void centredLine(Printer& printer, const QString& text)
{
    printer.setCurrentX((printer.pageWidth() - printer.textWidth(text)) / 2);
    printer.print(text);
}

QString savedAsPdfMessage(const QString& what, const QString& pdfPath)
{
    return QStringLiteral("No printer is connected, so your %1 has been saved on this computer as a PDF file:"
                          "\n\n%2\n\nAsk your teacher to help you print it.")
        .arg(what, pdfPath);
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
         const QString& printingMessage, const QString& what)
{
    PrintResult result;
    try {
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
    messages.ok(result.pdfPath.isEmpty() ? printingMessage : savedAsPdfMessage(what, result.pdfPath));
    return true;
}

} // namespace printout
