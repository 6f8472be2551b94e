#include "results_screen.h"

#include "certificate.h"
#include "quiz_rules.h"
#include "results.h"
#include "wrong_screen.h"

#include "platform/messages.h"
#include "platform/random.h"
#include "platform/records.h"
#include "platform/sound.h"
#include "shell/read_aloud.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QTimer>

namespace {

const QColor yellow(255, 255, 0);
const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
const FontSpec buttonFont{"Tahoma", 15.75, true};
// The screen's own font, by which the certificate judges whether a task title is long.
const FontSpec screenFont{"Tahoma", 8.25};

struct TextItem {
    const char* name;
    QRectF twips;
    const char* text;
    FontSpec font;
    bool startsVisible;
};
const TextItem texts[] = {
    {"Label4", {0, 120, ui::screenWidth, 900}, "Well Done!", {"Tahoma", 36, true}, true},
    {"Label1", {0, 5400, ui::screenWidth, 855}, "", {"Times New Roman", 24}, true},
    {"Label5", {1680, 6000, 8640, 1335}, "", {"Times New Roman", 24}, false},
    {"Label6", {0, 6240, ui::screenWidth, 855}, "Read the Key Facts and try again.", {"Times New Roman", 24}, true},
    {"Label2", {3120, 7440, 5775, 855}, "Enter your name in the box above before printing your certificate",
     {"Times New Roman", 18}, false},
};

const QString firstPicture = QStringLiteral("brainsm\\brainn00.jpg");
const QString cancelledMessage = QStringLiteral("Printing has been cancelled.");
constexpr int nameLength = 25;

enum Button { PrintOrReview = 0, Exit = 1 };

} // namespace

ResultsScreen::ResultsScreen(App& app) : Screen(app, QString::fromLatin1(kName))
{
    display::setItemFont(this, screenFont);
    for (const TextItem& t : texts) {
        QLabel* label = addLabel(QString::fromLatin1(t.name), t.twips, QString::fromLatin1(t.text), t.font, yellow,
                                 centred);
        label->setVisible(t.startsVisible);
    }
    picture_ = addPicture(QStringLiteral("Picture1"), {5880, 1440, 4800, 3600}, PictureItem::Clip);

    // Made after the labels so that it lies on top of the transparent ones it overlaps.
    nameBox_ = new QLineEdit(this);
    nameBox_->setObjectName(QStringLiteral("Text1"));
    display::setItemFont(nameBox_, {"Times New Roman", 24});
    nameBox_->setMaxLength(nameLength);
    nameBox_->setAccessibleName(QStringLiteral("Your name for the certificate"));
    place(nameBox_, {3120, 6600, 5760, 615});
    nameBox_->hide();

    ButtonLabel* printOrReview = addButton(QStringLiteral("Label3"), PrintOrReview, {240, 1800, 3765, 495},
                                           QStringLiteral("Check Wrong Answers"), buttonFont);
    printOrReview->hide();
    ButtonLabel* exit = addButton(QStringLiteral("Label3"), Exit, {10560, 7920, 1245, 495}, QStringLiteral("Exit"),
                                  buttonFont);
    for (ButtonLabel* b : {printOrReview, exit})
        connect(b, &ButtonLabel::clicked, this, &ResultsScreen::buttonClicked);
    setHoverButtons({printOrReview, exit});

    timer1_ = addTimer(QStringLiteral("Timer1"), 1);
    timer2_ = addTimer(QStringLiteral("Timer2"), 10);
    timer3_ = addTimer(QStringLiteral("Timer3"), 1);
    connect(timer1_, &QTimer::timeout, this, &ResultsScreen::showPicture);
    connect(timer2_, &QTimer::timeout, this, &ResultsScreen::focusAndHighlight);
    connect(timer3_, &QTimer::timeout, this, &ResultsScreen::celebrate);

    // The message and the lines that go with it, top to bottom, as far as they are shown.
    readAloud_ = new ReadAloud(*this, [this] {
        QList<readaloud::Part> parts;
        for (const char* name : {"Label1", "Label5", "Label6", "Label2"}) {
            auto* line = item<QLabel>(QString::fromLatin1(name));
            parts += readaloud::itemParts(line, line->text());
        }
        return parts;
    });
}

void ResultsScreen::showQuizOffers()
{
    item<QLabel>(QStringLiteral("Label6"))->hide();
    item<QLabel>(QStringLiteral("Label5"))->show();
    button(QStringLiteral("Label3"), 0)->show();
}

void ResultsScreen::load()
{
    setUpScreen();
    showResult(result_);
    timer1_->start();
}

void ResultsScreen::showResult(const ResultHandOff& result)
{
    result_ = result;
    const quiz::ResultsMessage m = quiz::resultsMessage(result_.resultScore, result_.resultOutOf);
    ButtonLabel* printOrReview = button(QStringLiteral("Label3"), PrintOrReview);
    item<QLabel>(QStringLiteral("Label1"))->setText(m.message);
    printOrReview->setText(m.button);
    const bool fullMarks = m.kind == quiz::ResultsMessage::FullMarks;
    item<QLabel>(QStringLiteral("Label6"))->setVisible(!fullMarks);
    printOrReview->setVisible(fullMarks);
    nameBox_->setVisible(fullMarks);
    item<QLabel>(QStringLiteral("Label2"))->setVisible(fullMarks);
    item<QLabel>(QStringLiteral("Label5"))->setText(fullMarks ? QString() : m.hint);
    // The name the pupil chose at the start, which they may still change.
    if (fullMarks)
        nameBox_->setText(services().records.pupil().left(nameLength));
}

void ResultsScreen::showPicture()
{
    timer1_->stop();
    setPicture(picture_, firstPicture);
    timer2_->start();
}

void ResultsScreen::focusAndHighlight()
{
    timer2_->stop();
    if (!nameBox_->isHidden())
        nameBox_->setFocus();
    for (ButtonLabel* b : hoverButtons())
        b->setHighlighted(true);
    timer3_->start();
}

void ResultsScreen::celebrate()
{
    timer3_->stop();
    Random& random = services().random;
    random.reseedFromClock();
    const int s = result_.resultScore;
    const int k = quiz::celebrationChoices(s);
    if (state().soundOn == 1 && k > 0)
        services().sound.playWave(quiz::celebrationSound(s, random.below(k)));
}

void ResultsScreen::buttonClicked(int index)
{
    App& a = app();
    const ResultHandOff& r = result_;
    if (index == PrintOrReview && r.resultScore == r.resultOutOf) {
        try {
            printPage();
        } catch (const std::exception&) {
            services().messages.ok(cancelledMessage);
        }
        return;
    }
    if (index == PrintOrReview) {
        screens().show(screens().touch<WrongScreen>());
    } else if (index == Exit) {
        if (WrongScreen* review = screens().find<WrongScreen>())
            screens().close(*review);
        screens().close(*this);
    }
    playThroughGate(a, ui::clickSound);
}

void ResultsScreen::printPage()
{
    Certificate c;
    c.taskTitle = result_.certificateTitle;
    c.name = nameBox_->text();
    c.score = result_.resultScore;
    c.outOf = result_.resultOutOf;
    // Measured at the design density, so the certificate comes out the same at every scale.
    c.titleScreenWidth = QFontMetricsF(display::makeDesignFont(screenFont)).horizontalAdvance(c.taskTitle) *
                         display::twipsPerDesignPixel;
    certificate::print(services().printer, services().messages, c);
}

void ResultsScreen::escapePressed()
{
    // A name typed for the certificate is not thrown away by a stray Escape.
    if (nameBox_->isVisible() && !nameBox_->text().trimmed().isEmpty())
        return;
    Screen::escapePressed();
}

ResultsScreen& openResultsScreen(App& app, const ResultHandOff& result)
{
    // Each result is shown by a freshly loaded screen.
    if (ResultsScreen* old = app.screens.find<ResultsScreen>())
        app.screens.close(*old);
    ResultsScreen& screen = app.screens.touch<ResultsScreen>();
    screen.showResult(result);
    app.screens.show(screen);
    return screen;
}
