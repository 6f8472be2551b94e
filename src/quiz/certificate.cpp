#include "certificate.h"

#include "printout.h"
#include "quiz_rules.h"

#include "platform/printer.h"
#include "platform/printouts.h"

#include <QColor>

#include <iterator>

namespace certificate {

namespace {

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);
const QColor navy(0, 0, 128);
const QColor black(0, 0, 0);

void style(Printer& p, const QColor& colour, double points)
{
    p.setColor(colour);
    p.setFont(printout::fontName, points);
}

void blankLines(Printer& p, int count)
{
    for (int i = 0; i < count; ++i)
        p.print(QStringLiteral(" "));
}

// Frame insets, outermost first; the first three frames also hold an inner box.
struct Inset {
    double x, y;
};
constexpr Inset insets[] = {{45, 270}, {90, 315}, {135, 360}, {180, 405}, {225, 450}};
constexpr int framesWithInnerBox = 3;
constexpr double innerBoxSide = 600;
constexpr double innerBoxTop = 7050;
constexpr double innerBoxBottom = 3750;
constexpr int borderDrawWidth = 2;

void box(Printer& p, double left, double top, double right, double bottom)
{
    p.drawLine(left, top, right, top);
    p.drawLine(left, top, left, bottom);
    p.drawLine(right, top, right, bottom);
    p.drawLine(left, bottom, right, bottom);
}

} // namespace

void layOut(Printer& p, const Certificate& c)
{
    const double w = p.pageWidth();

    style(p, blue, 25);
    p.setCurrentX(w / 8);
    p.print(QStringLiteral(" "));
    p.print(banner + banner, false);
    p.print(QStringLiteral(" "));
    blankLines(p, 2);

    style(p, red, 36);
    printout::centredLine(p, productTitle);
    blankLines(p, 1);

    style(p, blue, c.titleScreenWidth > w / 4 ? 28 : 36);
    printout::centredLine(p, c.taskTitle);
    printout::centredLine(p, QString());
    p.setFont(printout::fontName, 36);
    blankLines(p, 3);

    style(p, navy, 28);
    printout::centredLine(p, praise);
    blankLines(p, 1);
    printout::centredLine(p, c.name);
    printout::centredLine(p, QString());
    printout::centredLine(p, quiz::scoreLine(c.score, c.outOf));
    blankLines(p, 1);
    p.setFont(printout::fontName, 36);
    blankLines(p, 2);

    style(p, blue, 25);
    blankLines(p, 1);
    p.setColor(black);
    p.print(banner + banner, false);

    const double h = p.pageHeight();
    p.setDrawWidth(borderDrawWidth);
    for (int i = 0; i < static_cast<int>(std::size(insets)); ++i) {
        const auto [x, y] = insets[i];
        box(p, x, y, w - x, h - y);
        if (i < framesWithInnerBox)
            box(p, x + innerBoxSide, y + innerBoxTop, w - x - innerBoxSide, h - y - innerBoxBottom);
    }
}

bool print(Printer& printer, MessageBoxes& messages, const Certificate& c)
{
    const QString name = printouts::documentName(
        {QStringLiteral("Certificate"), c.name, printouts::dateAndTime(QDateTime::currentDateTime())});
    return printout::run(printer, messages, [&c](Printer& p) { layOut(p, c); }, printingMessage,
                         QStringLiteral("certificate"), name);
}

} // namespace certificate
