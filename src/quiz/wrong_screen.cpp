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
constexpr double lineWidth = 12000;
constexpr double lineHeight = 540;

} // namespace

WrongScreen::WrongScreen(App& app) : Screen(app, QString::fromLatin1(kName))
{
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;
    // The title and the questions come from teachers' files: "<" must not start markup.
    addLabel(QStringLiteral("Label6"), {0, 120, 12000, 540}, QString(), heading, yellow, centred)
        ->setTextFormat(Qt::PlainText);
    addLabel(QStringLiteral("Label4"), {240, 960, 12000, 540},
             QStringLiteral("You answered the following questions incorrectly."), body, yellow, left);
    for (int k = 0; k < lineCount; ++k) {
        QLabel* line = addLabel(frame::itemName(QStringLiteral("Label2"), k),
                                {lineLeft, firstLineTop + lineStep * k, lineWidth, lineHeight}, QString(), body, white,
                                left);
        line->setTextFormat(Qt::PlainText);
        line->hide();
    }
    addLabel(QStringLiteral("Label5"), {0, 7920, 12000, 540}, QStringLiteral("Read the Key Facts and try again."),
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
    QLabel* line = item<QLabel>(frame::itemName(QStringLiteral("Label2"), k));
    line->setText(text);
    line->show();
}

void WrongScreen::exitAction()
{
    if (ResultsScreen* results = screens().find<ResultsScreen>())
        screens().close(*results);
    screens().close(*this);
}
