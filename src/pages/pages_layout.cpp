#include "pages_layout.h"

#include "platform/screen_design.h"

#include <cmath>
#include <stdexcept>

namespace pages {

// ---------------------------------------------------------------- styles

const Style& style(Copy copy)
{
    static const Style screen{
        Copy::Screen,
        QStringLiteral("Tahoma"),
        QStringLiteral("Tahoma"),
        QColor(255, 255, 255),  // text
        QColor(128, 255, 255),  // heading
        QColor(255, 255, 0),    // title
        QColor(255, 255, 0),    // accent
        QColor(200, 215, 255),  // leader
        QColor(250, 212, 170),  // skin
        QColor(120, 70, 40),    // skin line
        QColor(242, 236, 216),  // bone
        QColor(120, 108, 86),   // bone line
        QColor(28, 46, 108),    // panel
        QColor(150, 175, 235),  // panel line
        QColor(205, 215, 240),  // muted
    };
    static const Style print{
        Copy::Print,
        QStringLiteral("Arial"),
        QStringLiteral("Arial"),
        QColor(0, 0, 0),
        QColor(0, 0, 0),
        QColor(0, 0, 0),
        QColor(0, 0, 0),
        QColor(0, 0, 0),
        QColor(255, 255, 255),
        QColor(0, 0, 0),
        QColor(255, 255, 255),
        QColor(0, 0, 0),
        QColor(255, 255, 255),
        QColor(0, 0, 0),
        QColor(80, 80, 80),
    };
    return copy == Copy::Screen ? screen : print;
}

// ---------------------------------------------------------------- content helpers

Block heading(const QString& text) { return Block{Block::Heading, text, {}, {}, 0, true, true}; }
Block para(const QString& text) { return Block{Block::Paragraph, text, {}, {}, 0, true, true}; }
Block bullet(const QString& text) { return Block{Block::Bullet, text, {}, {}, 0, true, true}; }
Block term(const QString& t, const QString& detail) { return Block{Block::Term, t, detail, {}, 0, true, true}; }
Block gap(int twips) { return Block{Block::Gap, {}, {}, {}, twips, true, true}; }
Block screenBreak() { return Block{Block::ColumnBreak, {}, {}, {}, 0, true, false}; }
Block printBreak() { return Block{Block::ColumnBreak, {}, {}, {}, 0, false, true}; }

Block figure(Drawing d, int screenH, int printH)
{
    // One block per copy, since the heights differ.
    Block b{Block::Figure, {}, {}, std::move(d), screenH, true, true};
    b.detail = QString::number(printH);
    return b;
}

Block onlyOn(Copy copy, Block b)
{
    b.screen = copy == Copy::Screen;
    b.print = copy == Copy::Print;
    return b;
}

// ---------------------------------------------------------------- layout

namespace {

struct Metrics {
    int font, line, headingFont, headingLine, termWidth, bulletIndent;
};

Metrics metricsFor(const Page& page, Copy copy)
{
    const TextSize t = copy == Copy::Screen ? page.body : page.printBody;
    const int termWidth = copy == Copy::Screen ? page.termWidth : page.termWidth * page.printBody.font / page.body.font;
    const int headingFont = t.font * 5 / 4;
    return {t.font, t.line, headingFont, headingFont * 3 / 2, termWidth, t.font * 3 / 2};
}

// Splits a text drawn by WmfWriter::paragraph into sentences with the rectangles they cover,
// measured in the font in force, as the paragraph lays out its lines.
void addSpoken(QList<spoken::Sentence>* out, const WmfWriter& w, int x, int y, int width, const QString& text,
               int lineHeight, int fontHeight)
{
    if (!out)
        return;
    struct Line {
        QString text;
        qsizetype start; // in the words joined by single spaces
        int y;
    };
    QList<Line> lines;
    QString joined;
    for (const QString& l : w.wrap(text, width)) {
        if (!joined.isEmpty())
            joined += QLatin1Char(' ');
        lines << Line{l, joined.size(), y};
        joined += l;
        y += lineHeight;
    }
    const int top = (lineHeight - fontHeight) / 2;
    for (const spoken::Span& span : spoken::sentences(joined)) {
        spoken::Sentence s;
        s.text = joined.mid(span.start, span.length);
        for (const Line& l : lines) {
            const qsizetype from = std::max(span.start, l.start) - l.start;
            const qsizetype to = std::min(span.start + span.length, l.start + l.text.size()) - l.start;
            if (to <= from)
                continue;
            const int left = x + int(std::lround(w.textWidth(l.text.left(from))));
            const int right = x + int(std::lround(w.textWidth(l.text.left(to))));
            s.marks << QRect(left, l.y - top, right - left, lineHeight);
        }
        *out << s;
    }
}

class Flow {
public:
    Flow(WmfWriter& w, const Page& page, Copy copy, QList<spoken::Sentence>* spoken)
        : w_(w), spoken_(spoken), page_(page), copy_(copy), s_(style(copy)), m_(metricsFor(page, copy)),
          heading_(copy == Copy::Screen && page.screenHeading.isValid() ? page.screenHeading : s_.heading),
          columns_(copy == Copy::Screen ? page.screenColumns : page.printColumns)
    {
        if (columns_.isEmpty())
            fail(QStringLiteral("has no columns"));
        y_ = columns_[0].top();
    }

    void place(const Block& b)
    {
        if (b.kind == Block::ColumnBreak) {
            nextColumn();
            return;
        }
        current_ = b.text;
        const int width = column().width();
        int need = height(b, width);
        // A heading needs at least one line of what follows it in the same column.
        const int keep = b.kind == Block::Heading ? m_.line : 0;
        if (y_ + need + keep > column().bottom() && y_ > column().top()) {
            nextColumn();
            need = height(b, width);
        }
        if (y_ + need > column().bottom())
            fail(QStringLiteral("does not fit: \"%1\"").arg(b.text.left(40)));
        draw(b, column().left(), y_, width, need);
        y_ += need;
    }

private:
    const QRect& column() const { return columns_[col_]; }
    bool atTop() const { return y_ == column().top(); }

    void nextColumn()
    {
        if (++col_ >= columns_.size())
            fail(QStringLiteral("runs out of room at \"%1\"").arg(current_.left(40)));
        y_ = column().top();
    }

    [[noreturn]] void fail(const QString& what) const
    {
        throw std::runtime_error(QStringLiteral("page \"%1\" (%2 copy) %3")
                                     .arg(page_.name, copy_ == Copy::Screen ? "screen" : "print", what)
                                     .toStdString());
    }

    // Text is measured as a 96-dpi screen draws it; drawn at other resolutions the same line can
    // come out a few per cent wider, so lines are broken a little short of the column's edge.
    int textWidth(int width) const { return width * (copy_ == Copy::Screen ? 975 : 955) / 1000; }

    int fixedHeight(const Block& b) const { return copy_ == Copy::Screen ? b.height : b.detail.toInt(); }

    void bodyFont(bool bold = false) { w_.font(s_.face, m_.font, bold); }

    int height(const Block& b, int width)
    {
        switch (b.kind) {
        case Block::Heading: {
            w_.font(s_.headingFace, m_.headingFont, true);
            const int lines = int(w_.wrap(b.text, textWidth(width)).size());
            return (atTop() ? 0 : m_.line / 2) + lines * m_.headingLine - (m_.headingLine - m_.headingFont * 5 / 4);
        }
        case Block::Paragraph:
            bodyFont();
            return int(w_.wrap(b.text, textWidth(width)).size()) * m_.line + m_.line / 3;
        case Block::Bullet:
            bodyFont();
            return int(w_.wrap(b.text, textWidth(width - m_.bulletIndent)).size()) * m_.line + m_.line / 5;
        case Block::Term: {
            bodyFont(true);
            const int termLines = int(w_.wrap(b.text, textWidth(m_.termWidth - m_.font / 2)).size());
            bodyFont();
            const int detailLines = int(w_.wrap(b.detail, textWidth(width - m_.termWidth)).size());
            return std::max(termLines, detailLines) * m_.line + m_.line / 5;
        }
        case Block::Figure: {
            // A little air below a picture of fixed height; one that fills its column needs none.
            const int h = copy_ == Copy::Screen ? b.height : b.detail.toInt();
            return h > 0 ? h + m_.line / 3 : column().bottom() - y_;
        }
        case Block::Gap:
            return atTop() ? 0 : b.height;
        case Block::ColumnBreak:
            return 0;
        }
        return 0;
    }

    void draw(const Block& b, int x, int y, int width, int h)
    {
        switch (b.kind) {
        case Block::Heading:
            w_.font(s_.headingFace, m_.headingFont, true);
            w_.setTextColor(heading_);
            w_.setTextAlign(WmfWriter::Left | WmfWriter::Top);
            w_.paragraph(x, y + (atTop() ? 0 : m_.line / 2), textWidth(width), b.text, m_.headingLine);
            addSpoken(spoken_, w_, x, y + (atTop() ? 0 : m_.line / 2), textWidth(width), b.text, m_.headingLine,
                      m_.headingFont);
            break;
        case Block::Paragraph:
            bodyFont();
            w_.setTextColor(s_.text);
            w_.setTextAlign(WmfWriter::Left | WmfWriter::Top);
            w_.paragraph(x, y, textWidth(width), b.text, m_.line);
            addSpoken(spoken_, w_, x, y, textWidth(width), b.text, m_.line, m_.font);
            break;
        case Block::Bullet: {
            const int d = std::max(60, m_.font * 3 / 10);
            w_.nullPen();
            w_.brush(s_.accent);
            const int cy = y + m_.font * 6 / 10;
            w_.ellipse(QRect(x + m_.font / 5, cy - d / 2, d, d));
            bodyFont();
            w_.setTextColor(s_.text);
            w_.setTextAlign(WmfWriter::Left | WmfWriter::Top);
            w_.paragraph(x + m_.bulletIndent, y, textWidth(width - m_.bulletIndent), b.text, m_.line);
            addSpoken(spoken_, w_, x + m_.bulletIndent, y, textWidth(width - m_.bulletIndent), b.text, m_.line, m_.font);
            break;
        }
        case Block::Term:
            bodyFont(true);
            w_.setTextColor(heading_);
            w_.setTextAlign(WmfWriter::Left | WmfWriter::Top);
            w_.paragraph(x, y, textWidth(m_.termWidth - m_.font / 2), b.text, m_.line);
            addSpoken(spoken_, w_, x, y, textWidth(m_.termWidth - m_.font / 2), b.text, m_.line, m_.font);
            bodyFont();
            w_.setTextColor(s_.text);
            w_.paragraph(x + m_.termWidth, y, textWidth(width - m_.termWidth), b.detail, m_.line);
            addSpoken(spoken_, w_, x + m_.termWidth, y, textWidth(width - m_.termWidth), b.detail, m_.line, m_.font);
            break;
        case Block::Figure:
            w_.saveDC();
            b.drawing(w_, QRect(x, y, width, fixedHeight(b) > 0 ? fixedHeight(b) : h), s_);
            w_.restoreDC();
            break;
        case Block::Gap:
        case Block::ColumnBreak:
            break;
        }
    }

    WmfWriter& w_;
    QList<spoken::Sentence>* spoken_;
    const Page& page_;
    Copy copy_;
    const Style& s_;
    Metrics m_;
    QColor heading_;
    QList<QRect> columns_;
    int col_ = 0;
    int y_ = 0;
    QString current_; // the block being placed, for messages
};

} // namespace

QByteArray render(const Page& page, Copy copy, QList<spoken::Sentence>* spoken)
{
    const bool onScreen = copy == Copy::Screen;
    const Style& s = style(copy);
    WmfWriter w(onScreen ? screenWidth : printWidth, onScreen ? screenHeight : printHeight);

    // The title, clear of the Print button on screen, with a rule beneath it.
    // A long title is set a little smaller rather than run under the Print button.
    const int titleLeft = onScreen ? 120 : 0;
    const int titleRight = onScreen ? printButtonArea.left() - 240 : printWidth;
    int titleFont = onScreen ? 500 : 440;
    for (w.font(s.headingFace, titleFont, true); w.textWidth(page.title) > titleRight - titleLeft;
         w.font(s.headingFace, titleFont, true)) {
        titleFont -= 10;
        if (titleFont < 380)
            throw std::runtime_error(QStringLiteral("page \"%1\": title too long").arg(page.name).toStdString());
    }
    w.setTextColor(s.title);
    w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
    const int titleTop = onScreen ? 150 : 0;
    w.textOut(titleLeft, titleTop, page.title);
    addSpoken(spoken, w, titleLeft, titleTop, titleRight - titleLeft, page.title, titleFont * 5 / 4, titleFont);
    const int ruleY = titleTop + titleFont * 13 / 10;
    w.pen(s.accent, onScreen ? 30 : 20);
    w.line(titleLeft, ruleY, titleRight, ruleY);

    Flow flow(w, page, copy, spoken);
    for (const Block& b : page.blocks)
        if (onScreen ? b.screen : b.print)
            flow.place(b);
    return w.bytes();
}

// ---------------------------------------------------------------- drawing aids

Canvas::Canvas(WmfWriter& writer, const QRect& box, double dw, double dh) : w(writer)
{
    scale_ = std::min(box.width() / dw, box.height() / dh);
    x0_ = box.x() + (box.width() - dw * scale_) / 2;
    y0_ = box.y() + (box.height() - dh * scale_) / 2;
}

QPoint Canvas::p(double x, double y) const
{
    return QPoint(int(std::lround(x0_ + x * scale_)), int(std::lround(y0_ + y * scale_)));
}

int Canvas::len(double d) const { return int(std::lround(d * scale_)); }

QRect Canvas::r(double x, double y, double width, double height) const
{
    return QRect(p(x, y), QSize(len(width), len(height)));
}

QList<QPoint> Canvas::poly(std::initializer_list<std::pair<double, double>> points) const
{
    QList<QPoint> out;
    for (const auto& [x, y] : points)
        out << p(x, y);
    return out;
}

void label(WmfWriter& w, const Style& s, QPoint anchor, QPoint at, const QString& text, bool alignRight,
           int fontTwips)
{
    w.pen(s.leader, s.copy == Copy::Screen ? 15 : 10);
    w.line(anchor.x(), anchor.y(), at.x(), at.y());
    w.nullPen();
    w.brush(s.leader);
    const int d = 50;
    w.ellipse(QRect(anchor.x() - d / 2, anchor.y() - d / 2, d, d));
    w.font(s.face, fontTwips, true);
    w.setTextColor(s.text);
    w.setTextAlign((alignRight ? WmfWriter::Right : WmfWriter::Left) | WmfWriter::Top);
    const int gapX = alignRight ? -60 : 60;
    w.textOut(at.x() + gapX, at.y() - fontTwips * 6 / 10, text);
    w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
}

void miniScreen(WmfWriter& w, const QRect& box, const Style& s, const QString& title,
                const QList<MiniButton>& buttons, const std::function<void(Canvas&)>& extra)
{
    Canvas c(w, box, design::screenWidth, design::screenHeight);
    const bool onScreen = s.copy == Copy::Screen;
    // The window, with a caption bar.
    w.pen(onScreen ? QColor(200, 210, 240) : QColor(0, 0, 0), onScreen ? 20 : 15);
    w.brush(onScreen ? QColor(39, 63, 137) : QColor(255, 255, 255));
    w.rectangle(c.r(0, 0, design::screenWidth, design::screenHeight));
    w.brush(onScreen ? QColor(200, 210, 240) : QColor(220, 220, 220));
    w.rectangle(c.r(0, 0, design::screenWidth, 600));
    w.font(s.face, std::max(80, c.len(420)), true);
    w.setTextColor(QColor(0, 0, 0));
    w.textOut(c.p(200, 90).x(), c.p(200, 90).y(), QStringLiteral("Corvana"));
    if (!title.isEmpty()) {
        w.font(QStringLiteral("Times New Roman"), std::max(90, c.len(800)), true);
        w.setTextColor(onScreen ? QColor(255, 255, 0) : QColor(0, 0, 0));
        w.textOut(c.p(360, 700).x(), c.p(360, 700).y(), title);
    }
    if (extra)
        extra(c);
    // Button labels as the program draws them: black, thin border, yellow caption.
    for (const MiniButton& b : buttons) {
        w.pen(onScreen ? QColor(255, 255, 255) : QColor(0, 0, 0), 10);
        w.brush(onScreen ? QColor(0, 0, 0) : QColor(255, 255, 255));
        const QRect r = c.r(b.x, b.y + 600, b.width, b.height);
        w.rectangle(r);
        // The caption as large as the button allows, as on the real screen.
        const QString caption = QString::fromLatin1(b.caption);
        int captionFont = std::max(60, c.len(std::min(330.0, b.height * 0.62)));
        for (w.font(s.face, captionFont, true); captionFont > 60 && w.textWidth(caption) > r.width() * 0.92;
             w.font(s.face, captionFont, true))
            captionFont -= 5;
        w.setTextColor(onScreen ? QColor(255, 255, 0) : QColor(0, 0, 0));
        w.setTextAlign(WmfWriter::Center | WmfWriter::Top);
        w.textOut(r.center().x(), r.center().y() - captionFont * 6 / 10, caption);
        w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
    }
}

} // namespace pages
