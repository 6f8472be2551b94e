#include "doubles.h"

#include "platform/pictures.h"

#include <QFont>
#include <QFontMetricsF>

namespace {
QFont twipFont(const QString& family, double points)
{
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(points * 20 + 0.5))); // 20 twips to the point
    return f;
}
} // namespace

RecordingPrinter::Op RecordingPrinter::current(Kind kind, double x, double y) const
{
    Op op;
    op.kind = kind;
    op.font = font_;
    op.points = points_;
    op.colour = colour_;
    op.x = x;
    op.y = y;
    return op;
}

void RecordingPrinter::check()
{
    if (failAfter >= 0 && count_++ >= failAfter)
        throw PrintFailure("printer error (test)");
}

double RecordingPrinter::textWidth(const QString& text)
{
    check();
    return QFontMetricsF(twipFont(font_, points_)).horizontalAdvance(text);
}

double RecordingPrinter::lineHeight() { return QFontMetricsF(twipFont(font_, points_)).height(); }

void RecordingPrinter::print(const QString& text, bool endLine)
{
    check();
    Op op = current(Kind::Text, x_, y_);
    op.text = text;
    op.endLine = endLine;
    ops << op;
    if (endLine) {
        x_ = 0;
        y_ += lineHeight();
    } else {
        x_ += QFontMetricsF(twipFont(font_, points_)).horizontalAdvance(text);
    }
}

void RecordingPrinter::drawPicture(const Picture& picture, double x, double y)
{
    check();
    Op op = current(Kind::Picture, x, y);
    op.pictureSize = picture.sizeTwips();
    ops << op;
}

void RecordingPrinter::drawLine(double x1, double y1, double x2, double y2)
{
    check();
    Op op = current(Kind::Line, x1, y1);
    op.x2 = x2;
    op.y2 = y2;
    ops << op;
}

void RecordingPrinter::setDrawWidth(int width)
{
    check();
    Op op = current(Kind::DrawWidth, x_, y_);
    op.drawWidth = width;
    ops << op;
}

PrintResult RecordingPrinter::endDoc()
{
    check();
    ops << current(Kind::EndDoc, x_, y_);
    documents << ops;
    ops.clear();
    x_ = y_ = 0;
    return PrintResult{pdfPath, printersWithoutDefault};
}

QStringList RecordingPrinter::texts() const
{
    QStringList t;
    for (const auto& doc : documents)
        for (const Op& op : doc)
            if (op.kind == Kind::Text)
                t << op.text;
    for (const Op& op : ops)
        if (op.kind == Kind::Text)
            t << op.text;
    return t;
}
