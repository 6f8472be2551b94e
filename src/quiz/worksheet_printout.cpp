#include "worksheet_printout.h"

#include "printout.h"
#include "quiz_rules.h"

#include "platform/printer.h"
#include "platform/printouts.h"
#include "state/question_set_data.h"

#include <QColor>

namespace worksheet {

void layOut(Printer& p, const QString& firstTitle, const QString& secondTitle, const QuestionSet& set)
{
    const QString space = QStringLiteral(" ");
    const double w = p.pageWidth();
    // Whatever an earlier printout left, a worksheet is black.
    p.setColor(QColor(0, 0, 0));

    p.setFont(printout::fontName, 16);
    p.setCurrentX(w / 8);
    p.print(space);
    p.setCurrentX(w / 16);
    p.print(header, false);
    p.print(space);
    p.print(space);

    p.setFont(printout::fontName, 32);
    printout::centredLine(p, firstTitle);
    printout::centredLine(p, secondTitle);
    p.print(space);

    p.setFont(printout::fontName, 12);
    for (int q = 1; q <= quiz::questionCount; ++q) {
        const Question& question = set.question(q);
        p.setCurrentX(w / 16);
        p.print(quiz::questionCaption(q) + QStringLiteral("    ") + question.text);
        p.setCurrentX(w / 3);
        p.print(QStringLiteral("A. ") + question.options[1], false);
        p.setCurrentX(2 * w / 3);
        p.print(QStringLiteral("B. ") + question.options[2]);
        p.setCurrentX(w / 3);
        p.print(QStringLiteral("C. ") + question.options[3], false);
        p.setCurrentX(2 * w / 3);
        p.print(QStringLiteral("D. ") + question.options[4]);
        p.print(space);
    }
}

bool print(Printer& printer, MessageBoxes& messages, const QString& firstTitle, const QString& secondTitle,
           const QuestionSet& set)
{
    const QString name = printouts::documentName(
        {QStringLiteral("Worksheet"), secondTitle, printouts::date(QDateTime::currentDateTime())});
    return printout::run(
        printer, messages, [&](Printer& p) { layOut(p, firstTitle, secondTitle, set); }, printingMessage,
        QStringLiteral("worksheet"), name);
}

} // namespace worksheet
