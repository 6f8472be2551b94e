#include "quiz_screen.h"

#include "open_quiz.h"
#include "results_screen.h"
#include "printout.h"
#include "worksheet_printout.h"
#include "wrong_screen.h"

#include "platform/messages.h"
#include "shell/option_button.h"
#include "shell/read_aloud.h"
#include "platform/records.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>

namespace {

const QColor yellow(255, 255, 0);
const QColor green(0, 255, 0);
const QColor lightBlue(128, 128, 255);

struct TextItem {
    const char* name;
    QRectF twips;
    const char* text;
    FontSpec font;
    QColor colour;
    Qt::Alignment align;
};

const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;

const TextItem texts[] = {
    {"Label1", {120, 120, 6240, 900}, "Multiple Choice", {"Tahoma", 36, true}, yellow, centred},
    {"Label5", {120, 1200, 6465, 585}, "", {"Times New Roman", 24}, green, centred},
    {"Label6", {120, 1920, 6465, 705}, "", {"Times New Roman", 24}, lightBlue, centred},
    {"Label4", {360, 3240, 5415, 615}, "", {"Times New Roman", 24}, yellow, left},
    {"Label2", {960, 3960, 9840, 1455}, "", {"Times New Roman", 30}, yellow, centred},
};

const QRectF pictureBox{6840, 240, 855, 615};

struct ButtonItem {
    int index;
    QRectF twips;
    const char* caption;
    bool startsVisible;
};
const ButtonItem buttons[] = {
    {0, {2040, 7920, 3765, 495}, "<< Previous Question", false},
    {1, {6000, 7920, 3765, 495}, "Next Question >>", true},
    {2, {10560, 7920, 1245, 495}, "Exit", true},
    {3, {7920, 1920, 3045, 495}, "Print Worksheet", false},
};
const FontSpec buttonFont{"Tahoma", 15.75, true};

// The visible options, one under another.
constexpr double optionLeft = 2400;
constexpr double optionTops[] = {5400, 6000, 6600, 7200};
constexpr double optionWidth = 6975;
constexpr double optionHeight = 525;
const FontSpec optionFont{"Times New Roman", 20.25};
// The no-answer option sits this far inside the picture box, which covers it.
constexpr double hiddenOptionInset = 240;
constexpr double hiddenOptionWidth = 495;
constexpr double hiddenOptionHeight = 375;
constexpr int noAnswer = 5;

enum Button { Previous = 0, Next = 1, Exit = 2, PrintWorksheet = 3 };

const QString typekeySound = QStringLiteral("wav\\typekey.wav");

// An option button would take "&" as the mark of a keyboard shortcut and hide it; an option
// such as "Heart & lungs" must read as written.
QString optionCaption(const QString& text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

QuizScreen::QuizScreen(App& app) : Screen(app, QString::fromLatin1(kName))
{
    for (const TextItem& t : texts) {
        QLabel* label =
            addLabel(QString::fromLatin1(t.name), t.twips, QString::fromLatin1(t.text), t.font, t.colour, t.align);
        // Titles and questions come from teachers' files: "<" must not start markup.
        label->setTextFormat(Qt::PlainText);
    }

    options_ = new QButtonGroup(this);
    options_->setExclusive(true);
    for (int i = 1; i <= noAnswer; ++i) {
        auto* o = new OptionButton(QString(), this);
        o->setObjectName(ui::itemName(QStringLiteral("Option1"), i));
        display::setItemFont(o, optionFont);
        QPalette p = o->palette();
        p.setColor(QPalette::WindowText, yellow);
        o->setPalette(p);
        if (i < noAnswer) {
            place(o, {optionLeft, optionTops[i - 1], optionWidth, optionHeight});
        } else {
            place(o, {0, 0, hiddenOptionWidth, hiddenOptionHeight});
            // Under the picture and never shown: the keyboard never stops on it, a screen
            // reader never hears of it, and no focus mark of it can show past the picture.
            o->setFocusPolicy(Qt::NoFocus);
            o->setAccessibleName(QStringLiteral("No answer"));
            o->hide();
            hideFromReaders(o);
        }
        options_->addButton(o, i);
    }
    connect(options_, &QButtonGroup::idClicked, this, [this](int) { playSound(typekeySound); });

    // Made after the no-answer option so that it lies on top of it.
    picture_ = addPicture(QStringLiteral("Picture1"), pictureBox, PictureItem::Clip);

    // The question is where each question starts for the keyboard, so that a screen reader
    // reads it out before the answers.
    item<QLabel>(QStringLiteral("Label2"))->setFocusPolicy(Qt::TabFocus);

    QList<ButtonLabel*> hover;
    for (const ButtonItem& b : buttons) {
        ButtonLabel* label = addButton(QStringLiteral("Label3"), b.index, b.twips, QString::fromLatin1(b.caption),
                                       buttonFont);
        label->setVisible(b.startsVisible);
        connect(label, &ButtonLabel::clicked, this, &QuizScreen::buttonClicked);
        hover << label;
    }
    setHoverButtons(hover);

    // The question, then each answer with the number that chooses it.
    readAloud_ = new ReadAloud(*this, [this] {
        auto* question = item<QLabel>(QStringLiteral("Label2"));
        QList<readaloud::Part> parts = readaloud::itemParts(question, question->text());
        const Question& q = state().currentSet.question(currentQuestion_);
        for (int i = 1; i < noAnswer; ++i)
            parts += readaloud::itemParts(option(i), QStringLiteral("%1, %2").arg(i).arg(q.options[i]));
        return parts;
    });
}

QRadioButton* QuizScreen::option(int index) const
{
    return qobject_cast<QRadioButton*>(options_->button(index));
}

void QuizScreen::load()
{
    setUpScreen();
    currentQuestion_ = 1;
    answerResults_.fill(0);
    chosen_.fill(0);
    started_ = QDateTime::currentDateTime();

    QRadioButton* hidden = option(noAnswer);
    place(hidden, {pictureBox.left() + hiddenOptionInset, pictureBox.top() + hiddenOptionInset, hiddenOptionWidth,
                   hiddenOptionHeight});
    hidden->stackUnder(picture_);
    hidden->hide();
    for (int i = 1; i < noAnswer; ++i) {
        QRadioButton* o = option(i);
        o->setAutoFillBackground(true);
        QPalette p = o->palette();
        p.setColor(QPalette::Window, ui::frameColour);
        p.setColor(QPalette::Button, ui::frameColour);
        o->setPalette(p);
    }
    item<QLabel>(QStringLiteral("Label6"))->setText(state().currentSet.title);
    showquest();
}

void QuizScreen::showquest()
{
    readAloud_->stop();
    // Selecting the no-answer option clears the visible ones; it is not a click.
    option(noAnswer)->setChecked(true);
    ButtonLabel* previous = button(QStringLiteral("Label3"), Previous);
    ButtonLabel* next = button(QStringLiteral("Label3"), Next);
    previous->show();
    next->setText(QStringLiteral("Next Question >>"));
    item<QLabel>(QStringLiteral("Label4"))->setText(quiz::questionCaption(currentQuestion_));
    const Question& q = state().currentSet.question(currentQuestion_);
    item<QLabel>(QStringLiteral("Label2"))->setText(q.text);
    for (int i = 1; i < noAnswer; ++i) {
        option(i)->setText(optionCaption(q.options[i]));
        // Read with the keys that choose it: "1, A: It pumps blood round the body".
        option(i)->setAccessibleName(QStringLiteral("%1, %2: %3").arg(i).arg(QChar(u'A' + i - 1)).arg(q.options[i]));
    }
    if (currentQuestion_ == 1)
        previous->hide();
    if (currentQuestion_ == quiz::questionCount)
        next->setText(QStringLiteral("Check Score >>"));
    QLabel* question = item<QLabel>(QStringLiteral("Label2"));
    question->setAccessibleName(quiz::questionCaption(currentQuestion_) + QStringLiteral(": ") + q.text);
    question->setFocus(Qt::OtherFocusReason);
}

void QuizScreen::arrangeKeyboardOrder()
{
    // The question, its answers, then forward before back, so that Tab and Enter never undo
    // an answer by going back a question; then Exit and the printout.
    QList<QWidget*> chain{item<QLabel>(QStringLiteral("Label2"))};
    for (int i = 1; i < noAnswer; ++i)
        chain << option(i);
    for (int b : {Next, Previous, Exit, PrintWorksheet})
        chain << button(QStringLiteral("Label3"), b);
    chainKeyboardOrder(chain);
}

QString QuizScreen::readerTitle() const
{
    const QString set = item<QLabel>(QStringLiteral("Label6"))->text();
    return set.isEmpty() ? QStringLiteral("Multiple Choice") : QStringLiteral("Multiple Choice: ") + set;
}

void QuizScreen::keyPressEvent(QKeyEvent* e)
{
    // 1 to 4, or A to D, choose an answer as a click on it would.
    const int key = e->key();
    int chosen = 0;
    if (key >= Qt::Key_1 && key <= Qt::Key_4)
        chosen = key - Qt::Key_1 + 1;
    else if (key >= Qt::Key_A && key <= Qt::Key_D)
        chosen = key - Qt::Key_A + 1;
    if (chosen > 0 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        e->accept();
        option(chosen)->setFocus(Qt::ShortcutFocusReason);
        option(chosen)->click();
        return;
    }
    Screen::keyPressEvent(e);
}

int QuizScreen::selectedOption() const
{
    const int id = options_->checkedId();
    return id >= 1 && id < noAnswer ? id : 0;
}

void QuizScreen::buttonAction(int index)
{
    switch (index) {
    case Previous:
        if (currentQuestion_ > 1) {
            --currentQuestion_;
            showquest();
        }
        break;
    case Next: {
        const Question& q = state().currentSet.question(currentQuestion_);
        answerResults_[currentQuestion_] = quiz::isAnsweredCorrectly(q, selectedOption()) ? 1 : 0;
        chosen_[currentQuestion_] = selectedOption();
        ++currentQuestion_;
        if (currentQuestion_ <= quiz::questionCount)
            showquest();
        else
            finish();
        break;
    }
    case Exit:
        screens().close(*this);
        break;
    case PrintWorksheet:
        printPage();
        break;
    default:
        break;
    }
}

void QuizScreen::buttonClicked(int index)
{
    App& a = app();
    buttonAction(index);
    playThroughGate(a, ui::clickSound);
}

void QuizScreen::finish()
{
    // Each result is shown on fresh screens, whatever an earlier task left open.
    if (ResultsScreen* old = screens().find<ResultsScreen>())
        screens().close(*old);
    if (WrongScreen* old = screens().find<WrongScreen>())
        screens().close(*old);

    WrongScreen& review = screens().touch<WrongScreen>();
    const quiz::Outcome outcome = quiz::score(answerResults_);
    // The k-th wrong answer goes on the review's k-th line.
    for (int k = 0; k < outcome.wrongQuestions.size(); ++k) {
        const int q = outcome.wrongQuestions[k];
        review.showLine(k, quiz::reviewLine(q, state().currentSet.question(q).text));
    }
    review.setTitle(item<QLabel>(QStringLiteral("Label6"))->text());

    // The result is written whole now, when it is scored, and handed to this quiz's results.
    const ResultHandOff result{outcome.score, quiz::questionCount, item<QLabel>(QStringLiteral("Label5"))->text()};
    ResultsScreen& done = screens().touch<ResultsScreen>();
    done.showResult(result);
    done.showQuizOffers();
    recordFinished(outcome);
    screens().show(done);
    screens().close(*this);
}

void QuizScreen::recordFinished(const quiz::Outcome& outcome)
{
    // A topic's title is never a worksheet's, so the title tells which kind this was.
    const QString& title = state().currentSet.title;
    FinishedTask task;
    task.kind = state().topicTitles.contains(title) ? TaskKind::TopicQuiz : TaskKind::Worksheet;
    task.title = title;
    task.score = outcome.score;
    task.outOf = quiz::questionCount;
    task.started = started_;
    task.ended = QDateTime::currentDateTime();
    for (int q : outcome.wrongQuestions)
        task.wrong << WrongAnswer{q, chosen_[q]};
    services().records.record(task);
}

void QuizScreen::setTaskTitle(const QString& title) { item<QLabel>(QStringLiteral("Label5"))->setText(title); }

void QuizScreen::printPage()
{
    try {
        worksheet::print(services().printer, services().messages, item<QLabel>(QStringLiteral("Label5"))->text(),
                         item<QLabel>(QStringLiteral("Label6"))->text(), state().currentSet);
    } catch (const std::exception&) {
        services().messages.ok(printout::problemMessage);
    }
}

void openQuiz(App& app, const QString& picturePath)
{
    QuizScreen& quiz = app.screens.touch<QuizScreen>();
    quiz.setPicture(quiz.picture(), picturePath);
    quiz.setTaskTitle(ui::productTitle);
    app.screens.show(quiz);
}
