#include "system_printer.h"

#include "pictures.h"
#include "printouts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QLibrary>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <optional>
#include <vector>

namespace {

constexpr double twipsPerPoint = 20;
constexpr double twipsPerInch = 1440;
// The one pen attribute: its width counts half-points, so the certificate's width 2 gives
// one-point lines with clear gaps between frames 45 twips apart.
constexpr double twipsPerDrawWidth = 10;

// Fonts are sized in twips so that one unit of measure is one twip, as on the page.
QFont twipFont(const QString& family, double points)
{
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(points * twipsPerPoint + 0.5)));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The one call of the CUPS library that sending a page needs, found at run time: Qt's own
// printing uses the same library, so it is there wherever Qt sees a CUPS printer.
class CupsLibrary {
public:
    CupsLibrary() : library_(QStringLiteral("cups"), 2)
    {
        if (!library_.load())
            return;
        printFile_ = reinterpret_cast<PrintFile>(library_.resolve("cupsPrintFile"));
        lastError_ = reinterpret_cast<LastError>(library_.resolve("cupsLastErrorString"));
    }
    bool usable() const { return printFile_ != nullptr; }

    // Queues the PDF file on the named printer; a refused job is a failure.
    void send(const QString& printer, const QString& pdfFile, const QString& title) const
    {
        const int job = printFile_(printer.toLocal8Bit().constData(), QFile::encodeName(pdfFile).constData(),
                                   title.toUtf8().constData(), 0, nullptr);
        if (job <= 0) {
            const char* why = lastError_ ? lastError_() : nullptr;
            throw PrintFailure(why ? why : "the printer refused the page");
        }
    }

private:
    using PrintFile = int (*)(const char*, const char*, const char*, int, void*);
    using LastError = const char* (*)();
    QLibrary library_;
    PrintFile printFile_ = nullptr;
    LastError lastError_ = nullptr;
};

const CupsLibrary& cups()
{
    static const CupsLibrary library;
    return library;
}

// The page is kept as a list of what to draw and only put on paper when the document ends,
// so a printout that fails half-way leaves nothing behind at the printer.
struct Op {
    enum Kind { Text, Line, Image } kind = Text;
    QString text;
    QString font;
    double points = 0;
    QColor colour;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    int drawWidth = 1;
    Picture picture;
};

class PagePrinter : public Printer {
public:
    PagePrinter(QString pdfFolder, bool usePrinters) : pdfFolder_(std::move(pdfFolder)), usePrinters_(usePrinters) {}

    void setDocumentName(const QString& name) override { documentName_ = name; }

    void setFont(const QString& family, double points) override
    {
        family_ = family;
        points_ = points;
    }
    void setColor(const QColor& c) override { colour_ = c; }
    double pageWidth() override { return target().printable.width(); }
    double pageHeight() override { return target().printable.height(); }
    double textWidth(const QString& text) override { return metrics().horizontalAdvance(text); }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }

    void print(const QString& text, bool endLine) override
    {
        Op op = make(Op::Text);
        op.text = text;
        op.x = x_;
        op.y = y_;
        ops_.push_back(std::move(op));
        if (endLine) {
            x_ = 0;
            y_ += metrics().height();
        } else {
            x_ += textWidth(text);
        }
    }

    void drawPicture(const Picture& picture, double x, double y) override
    {
        Op op = make(Op::Image);
        op.picture = picture;
        op.x = x;
        op.y = y;
        ops_.push_back(std::move(op));
    }

    void drawLine(double x1, double y1, double x2, double y2) override
    {
        Op op = make(Op::Line);
        op.x = x1;
        op.y = y1;
        op.x2 = x2;
        op.y2 = y2;
        ops_.push_back(std::move(op));
    }

    void setDrawWidth(int width) override { drawWidth_ = std::max(1, width); }

    PrintResult endDoc() override
    {
        PrintResult result;
        try {
            result = render(target());
        } catch (...) {
            abandon();
            throw;
        }
        abandon();
        return result;
    }

    void abandon() override
    {
        documentName_.clear();
        ops_.clear();
        target_.reset();
        x_ = y_ = 0;
    }

private:
    struct Target {
        std::unique_ptr<QPrinter> printer;
        QString printerName; // the CUPS queue the page goes to; empty for a PDF file
        bool toPdfFile = false; // no printer: the page is kept as a PDF file
        bool printersWithoutDefault = false; // ... although there are printers, none the default
        QString pdfPath;     // that file, named when the document ends
        std::unique_ptr<QTemporaryFile> spool; // the page on its way to CUPS
        QRectF printable;    // twips
    };

    QFontMetricsF metrics() const { return QFontMetricsF(twipFont(family_, points_)); }

    Op make(Op::Kind kind) const
    {
        Op op;
        op.kind = kind;
        op.font = family_;
        op.points = points_;
        op.colour = colour_;
        op.drawWidth = drawWidth_;
        return op;
    }

    // Chosen when a document first needs its page, and kept until it ends, so that the
    // page measured is the page printed.
    Target& target()
    {
        if (!target_)
            target_ = chooseTarget();
        return *target_;
    }

    Target chooseTarget() const
    {
        Target t;
        QPrinterInfo info;
        // Only the default printer: queues without a default are no printer to print on,
        // and the page is saved for the teacher instead of going to whichever is listed first.
        if (usePrinters_)
            info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) {
            t.printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            // A printer that has gone away turns QPrinter into a PDF writer with no file:
            // that is a failure, not a page.
            if (!t.printer->isValid() || t.printer->outputFormat() != QPrinter::NativeFormat)
                throw PrintFailure("the printer is not available");
            if (cups().usable()) {
                // Qt hands its page to CUPS without looking at the answer, so a queue that
                // refuses jobs would still seem to print. Make the page here, send it here.
                t.printerName = info.printerName();
                t.spool = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/corvana-XXXXXX.pdf"));
                if (!t.spool->open())
                    throw PrintFailure("cannot make the page to send");
                t.spool->close();
                const QPageLayout layout = t.printer->pageLayout();
                t.printer->setOutputFormat(QPrinter::PdfFormat);
                t.printer->setPageLayout(layout);
                t.printer->setOutputFileName(t.spool->fileName());
            }
        } else {
            t.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            t.printer->setOutputFormat(QPrinter::PdfFormat);
            const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
            t.printer->setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
            t.toPdfFile = true;
            t.printersWithoutDefault = usePrinters_ && !QPrinterInfo::availablePrinterNames().isEmpty();
            // Named when the document ends; but a folder that cannot be made fails at once.
            if (pdfFolder_.isEmpty() || !QDir().mkpath(pdfFolder_))
                throw PrintFailure("cannot make the folder for PDF files");
        }
        t.printer->setDocName(QStringLiteral("Corvana"));
        t.printer->setFullPage(false);
        const QRectF points = t.printer->pageLayout().paintRect(QPageLayout::Point);
        t.printable = QRectF(0, 0, points.width() * twipsPerPoint, points.height() * twipsPerPoint);
        if (t.printable.isEmpty())
            throw PrintFailure("the printer has no printable area");
        return t;
    }

    QString newPdfPath() const
    {
        if (pdfFolder_.isEmpty() || !QDir().mkpath(pdfFolder_))
            throw PrintFailure("cannot make the folder for PDF files");
        QString stem = printouts::documentName({documentName_});
        if (stem.isEmpty())
            stem = printouts::documentName(
                {QStringLiteral("Printout"), printouts::dateAndTime(QDateTime::currentDateTime())});
        QDir dir(pdfFolder_);
        QString path = dir.absoluteFilePath(stem + QStringLiteral(".pdf"));
        for (int n = 2; QFileInfo::exists(path); ++n)
            path = dir.absoluteFilePath(QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
        return path;
    }

    PrintResult render(Target& t)
    {
        if (!documentName_.isEmpty())
            t.printer->setDocName(documentName_);
        if (t.toPdfFile) {
            // The file is named now that the document's name is surely known.
            t.pdfPath = newPdfPath();
            t.printer->setOutputFileName(t.pdfPath);
        }
        QPainter painter;
        if (!painter.begin(t.printer.get()))
            throw PrintFailure("the printer cannot start a page");
        const double scale = t.printer->resolution() / twipsPerInch;
        painter.scale(scale, scale);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        for (const Op& op : ops_) {
            switch (op.kind) {
            case Op::Text: {
                const QFont font = twipFont(op.font, op.points);
                painter.setFont(font);
                painter.setPen(op.colour);
                painter.drawText(QPointF(op.x, op.y + QFontMetricsF(font).ascent()), op.text);
                break;
            }
            case Op::Line: {
                QPen pen(op.colour);
                pen.setWidthF(op.drawWidth * twipsPerDrawWidth);
                pen.setCapStyle(Qt::SquareCap);
                painter.setPen(pen);
                painter.drawLine(QPointF(op.x, op.y), QPointF(op.x2, op.y2));
                break;
            }
            case Op::Image:
                op.picture.draw(painter, QRectF(QPointF(op.x, op.y), op.picture.sizeTwips()));
                break;
            }
        }
        const bool ended = painter.end();
        if (!ended || t.printer->printerState() == QPrinter::Error) {
            if (!t.pdfPath.isEmpty())
                QFile::remove(t.pdfPath);
            throw PrintFailure("the printer reported an error");
        }
        if (!t.pdfPath.isEmpty() && QFileInfo(t.pdfPath).size() == 0) {
            QFile::remove(t.pdfPath);
            throw PrintFailure("the PDF file could not be written");
        }
        if (!t.printerName.isEmpty())
            cups().send(t.printerName, t.spool->fileName(),
                        documentName_.isEmpty() ? QStringLiteral("Corvana") : documentName_);
        return PrintResult{t.pdfPath, t.toPdfFile && t.printersWithoutDefault};
    }

    const QString pdfFolder_;
    const bool usePrinters_;
    QString family_ = QStringLiteral("Times New Roman");
    double points_ = 12;
    QColor colour_ = QColor(0, 0, 0);
    int drawWidth_ = 1;
    double x_ = 0, y_ = 0;
    QString documentName_;
    std::vector<Op> ops_;
    std::optional<Target> target_;
};

} // namespace

std::unique_ptr<Printer> makeSystemPrinter(const QString& pdfFolder)
{
    return std::make_unique<PagePrinter>(pdfFolder, true);
}

std::unique_ptr<Printer> makePdfFilePrinter(const QString& pdfFolder)
{
    return std::make_unique<PagePrinter>(pdfFolder, false);
}
