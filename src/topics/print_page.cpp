#include "print_page.h"

#include "platform/messages.h"
#include "platform/pictures.h"
#include "platform/printer.h"
#include "platform/printouts.h"

namespace reader {

QString pageName(const QString& printCopyPath)
{
    QString stem = printCopyPath.section(QLatin1Char('\\'), -1).section(QLatin1Char('/'), -1);
    stem = stem.left(stem.lastIndexOf(QLatin1Char('.')));
    if (stem.startsWith(QLatin1String("key "), Qt::CaseInsensitive))
        return QStringLiteral("Key Facts - ") + stem.mid(4);
    return QStringLiteral("Page - ") + stem;
}

void printPage(Printer& printer, MessageBoxes& messages, const Picture& printCopy, const QString& pageName)
{
    // A page file that could not be read would come out as a blank sheet.
    if (printCopy.isNull()) {
        messages.ok(QStringLiteral("This page cannot be printed because its printable copy is missing. "
                                   "Nothing was sent to the printer."));
        return;
    }
    PrintResult result;
    try {
        printer.setDocumentName(
            printouts::documentName({pageName, printouts::date(QDateTime::currentDateTime())}));
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
        messages.ok(
            printouts::savedForTeacherMessage(QStringLiteral("page"), result.pdfPath, result.printersWithoutDefault));
}

} // namespace reader
