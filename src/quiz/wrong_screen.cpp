#include "wrong_screen.h"

#include "results_screen.h"

namespace {

const QColor yellow(255, 255, 0);
const QColor white(255, 255, 255);
const FontSpec heading{"Tahoma", 20.25, true};
const FontSpec body{"Tahoma", 15.75, true};

constexpr double lineLeft = 120;
constexpr double firstLineTop = 1680;
constexpr double lineStep = 600;
constexpr double lineWidth = ui::screenWidth;
constexpr double lineHeight = 540;
constexpr double lineGap = lineStep - lineHeight;
constexpr double closingTop = 7920; // Label5, "Read the Key Facts and try again."
// The line runs past the screen's right edge; its text wraps where the screen ends.
constexpr double hiddenRight = lineLeft;
constexpr double smallestPoints = 9;

struct Placed {
    std::vector<double> tops, heights;
    bool fits = false;
};

// Each line stands in its own row unless the line above it, wrapped, reaches lower: then it
// starts below that one. heights: the twips each line needs (at least a row's height).
Placed stack(const std::vector<int>& rows, const std::vector<double>& needed)
{
    Placed p;
    double bottom = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double height = std::max(lineHeight, needed[i]);
        const double top = std::max(firstLineTop + lineStep * rows[i], i == 0 ? 0 : bottom + lineGap);
        p.tops.push_back(top);
        p.heights.push_back(height);
        bottom = top + height;
    }
    p.fits = bottom <= closingTop;
    return p;
}

} // namespace

WrongScreen::WrongScreen(App& app) : Screen(app, QString::fromLatin1(kName))
{
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;
    // The title and the questions come from teachers' files: "<" must not start markup.
    addLabel(QStringLiteral("Label6"), {0, 120, ui::screenWidth, 540}, QString(), heading, yellow, centred)
        ->setTextFormat(Qt::PlainText);
    addLabel(QStringLiteral("Label4"), {240, 960, ui::screenWidth, 540},
             QStringLiteral("You answered the following questions incorrectly."), body, yellow, left);
    for (int k = 0; k < lineCount; ++k) {
        QLabel* line = addLabel(ui::itemName(QStringLiteral("Label2"), k),
                                {lineLeft, firstLineTop + lineStep * k, lineWidth, lineHeight}, QString(), body, white,
                                left);
        line->setTextFormat(Qt::PlainText);
        line->hide();
    }
    addLabel(QStringLiteral("Label5"), {0, 7920, ui::screenWidth, 540}, QStringLiteral("Read the Key Facts and try again."),
             heading, yellow, centred);
    ButtonLabel* exit = addButton(QStringLiteral("Label3"), 1, {10560, 7920, 1245, 495}, QStringLiteral("Exit"), body);
    // No hover handling here: Exit stays highlighted.
    exit->setHoverHighlights(false);
    connect(exit, &ButtonLabel::clicked, this, [this](int) { exitAction(); });
}

void WrongScreen::load() { setUpScreen(); }

void WrongScreen::setTitle(const QString& title) { item<QLabel>(QStringLiteral("Label6"))->setText(title); }

void WrongScreen::showLine(int k, const QString& text)
{
    if (k < 0 || k >= lineCount)
        return;
    QLabel* line = item<QLabel>(ui::itemName(QStringLiteral("Label2"), k));
    line->setText(text);
    line->show();
    layOutLines();
}

void WrongScreen::layOutLines()
{
    std::vector<QLabel*> lines;
    std::vector<int> rows;
    for (int k = 0; k < lineCount; ++k) {
        QLabel* line = item<QLabel>(ui::itemName(QStringLiteral("Label2"), k));
        if (!line->isHidden()) {
            lines.push_back(line);
            rows.push_back(k);
        }
    }
    // A teacher's long question wraps onto a second line and pushes the lines below it
    // down; when they would then run into the closing words, all are set smaller.
    Placed placed;
    for (double points = body.points; points >= smallestPoints; points -= 0.75) {
        std::vector<double> needed;
        for (QLabel* line : lines) {
            line->setFont(display::makeFont({body.family, points, body.bold}));
            line->setContentsMargins(0, 0, display::toPixels(hiddenRight), 0);
            needed.push_back(display::fromPixels(line->heightForWidth(display::toPixels(lineWidth))));
        }
        placed = stack(rows, needed);
        if (placed.fits)
            break;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        // Still too long at the smallest size: each line keeps to its own row, cut short.
        const double height = placed.fits ? placed.heights[i] : lineHeight;
        const double top = placed.fits ? placed.tops[i] : firstLineTop + lineStep * rows[i];
        if (!placed.fits)
            lines[i]->setText(lines[i]->fontMetrics().elidedText(
                lines[i]->text(), Qt::ElideRight, display::toPixels(lineWidth - hiddenRight)));
        place(lines[i], {lineLeft, top, lineWidth, height});
    }
}

void WrongScreen::exitAction()
{
    if (ResultsScreen* results = screens().find<ResultsScreen>())
        screens().close(*results);
    screens().close(*this);
}
