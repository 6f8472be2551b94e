#include "system_printer.h"

namespace {

// Refuses everything until real printing is built.
class NoPrinter : public Printer {
public:
    void setFont(const QString&, double) override { fail(); }
    void setColor(const QColor&) override { fail(); }
    double pageWidth() override { fail(); }
    double pageHeight() override { fail(); }
    double textWidth(const QString&) override { fail(); }
    double currentX() const override { return 0; }
    double currentY() const override { return 0; }
    void setCurrentX(double) override { fail(); }
    void setCurrentY(double) override { fail(); }
    void print(const QString&, bool) override { fail(); }
    void drawPicture(const Picture&, double, double) override { fail(); }
    void drawLine(double, double, double, double) override { fail(); }
    void setDrawWidth(int) override { fail(); }
    PrintResult endDoc() override { fail(); }
    void abandon() override {}

private:
    [[noreturn]] static void fail() { throw PrintFailure("no printer"); }
};

} // namespace

std::unique_ptr<Printer> makeSystemPrinter(const QString&)
{
    return std::make_unique<NoPrinter>();
}
