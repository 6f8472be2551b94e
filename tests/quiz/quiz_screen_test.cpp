#include "quiz_fixture.h"

#include "platform/text_file.h"
#include "worksheets/question_set.h"

#include <QAccessible>
#include <QFile>
#include <QKeySequence>
#include <QTextDocument>

namespace {

// The result handed to the open results screen; nothing handed when none is open.
ResultHandOff handedResult(const TestApp& t)
{
    const ResultsScreen* done = t.screens.find<ResultsScreen>();
    return done ? done->result() : ResultHandOff{};
}

const QString clickWav = QStringLiteral("wav\\click.wav");
const QString typekey = QStringLiteral("wav\\typekey.wav");

TEST_F(QuizTest, OpensOnQuestionOneWithTheOpenersPictureAndTitles)
{
    QuizScreen& quiz = open();
    EXPECT_EQ(quiz.objectName(), QStringLiteral("multiple"));
    EXPECT_TRUE(quiz.isVisible());
    EXPECT_EQ(quiz.picture()->source(), QStringLiteral("images\\vitruvius2sm.jpg"));
    EXPECT_EQ(text(&quiz, "Label1"), QStringLiteral("Multiple Choice"));
    EXPECT_EQ(text(&quiz, "Label5"), QStringLiteral("Corvana"));
    EXPECT_EQ(text(&quiz, "Label6"), QStringLiteral("Numbered Set"));
    EXPECT_EQ(text(&quiz, "Label4"), QStringLiteral("Question 1"));
    EXPECT_EQ(text(&quiz, "Label2"), QStringLiteral("Question text 1"));
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(quiz.option(k)->text(), QStringLiteral("1-%1").arg(k));
    EXPECT_EQ(quiz.currentQuestion(), 1);
    EXPECT_TRUE(quiz.button("Label3", 0)->isHidden());
    EXPECT_EQ(quiz.button("Label3", 1)->text(), QStringLiteral("Next Question >>"));
    EXPECT_EQ(quiz.button("Label3", 2)->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(quiz.button("Label3", 3)->isHidden());
    EXPECT_EQ(quiz.button("Label3", 3)->text(), QStringLiteral("Print Worksheet"));
}

TEST_F(QuizTest, LayoutMatchesTheTwipsTable)
{
    QuizScreen& quiz = open();
    EXPECT_EQ(quiz.item<QLabel>("Label2")->geometry(), display::rect(960, 3960, 9840, 1455));
    EXPECT_EQ(quiz.option(1)->geometry(), display::rect(2400, 5400, 6975, 525));
    EXPECT_EQ(quiz.option(4)->geometry(), display::rect(2400, 7200, 6975, 525));
    EXPECT_EQ(quiz.button("Label3", 1)->geometry(), display::rect(6000, 7920, 3765, 495));
    EXPECT_EQ(quiz.picture()->geometry(), display::rect(6840, 240, 855, 615));
    EXPECT_EQ(quiz.item<QLabel>("Label5")->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(quiz.item<QLabel>("Label6")->palette().color(QPalette::WindowText), QColor(128, 128, 255));
    EXPECT_EQ(quiz.option(2)->palette().color(QPalette::Window), QColor(39, 63, 137));
    EXPECT_EQ(quiz.option(2)->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(quiz.option(2)->font().family(), QStringLiteral("Times New Roman"));
}

// The keyboard and a screen reader start each question on the question itself, then the
// answers (read with the keys that choose them), then forward before back; the hidden
// no-answer option is selected but never reached, heard or drawn.
TEST_F(QuizTest, EachQuestionStartsOnTheQuestionThenItsAnswersThenForward)
{
    QuizScreen& quiz = open();
    QRadioButton* hidden = quiz.option(5);
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(hidden->objectName(), QStringLiteral("Option1(5)"));
    EXPECT_TRUE(hidden->isChecked());
    EXPECT_TRUE(hidden->isHidden());
    EXPECT_EQ(hidden->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(hidden->geometry(), display::rect(7080, 480, 495, 375));
    EXPECT_TRUE(quiz.picture()->geometry().contains(hidden->geometry()));
    for (int k = 1; k <= 4; ++k)
        EXPECT_FALSE(quiz.option(k)->isChecked());

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&quiz);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Multiple Choice: Numbered Set"));
    for (int c = 0; c < window->childCount(); ++c)
        EXPECT_NE(window->child(c)->object(), hidden) << "the no-answer option is heard";
    auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
    EXPECT_EQ(name(quiz.option(1)), QStringLiteral("1, A: 1-1"));
    EXPECT_EQ(name(quiz.option(4)), QStringLiteral("4, D: 1-4"));
    EXPECT_EQ(name(quiz.button("Label3", 1)), QStringLiteral("Next Question"));
    EXPECT_EQ(quiz.button("Label3", 1)->text(), QStringLiteral("Next Question >>")); // drawn as ever

    auto tabRound = [&quiz](int stops) {
        QStringList order;
        for (int i = 0; i < stops; ++i) {
            QWidget* w = quiz.focusWidget();
            order << (w ? w->objectName() : QStringLiteral("nothing"));
            if (w)
                QTest::keyClick(w, Qt::Key_Tab);
        }
        return order;
    };
    EXPECT_EQ(quiz.focusWidget(), quiz.item<QLabel>("Label2"));
    EXPECT_EQ(name(quiz.item<QLabel>("Label2")), QStringLiteral("Question 1: Question text 1"));
    EXPECT_EQ(tabRound(7), QStringList({"Label2", "Option1(1)", "Option1(2)", "Option1(3)", "Option1(4)", "Label3(1)",
                                        "Label3(2)"}));

    // Question 2 starts on its question again; Tab then Enter never goes back a question.
    answer(quiz, correctOf(1));
    EXPECT_EQ(quiz.focusWidget(), quiz.item<QLabel>("Label2"));
    EXPECT_EQ(name(quiz.button("Label3", 0)), QStringLiteral("Previous Question"));
    const QStringList order = tabRound(8);
    EXPECT_LT(order.indexOf("Option1(1)"), order.indexOf("Label3(1)"));
    EXPECT_EQ(order.indexOf("Label3(0)"), order.indexOf("Label3(1)") + 1);
}

TEST_F(QuizTest, TextsFromTeachersFilesShowAsWritten)
{
    QuestionSet set = numberedSet(QStringLiteral("<i>Body</i> & Bones"));
    set.question(1).text = QStringLiteral("<b>Where</b> is the femur?");
    set.question(1).options[1] = QStringLiteral("Heart & lungs");
    set.question(1).options[2] = QStringLiteral("Bones&Muscles");
    QuizScreen& quiz = open(set);
    for (int k = 1; k <= 2; ++k) {
        const QString caption = quiz.option(k)->text();
        // No keyboard shortcut is made from the text, and "&" is shown as itself.
        EXPECT_TRUE(QKeySequence::mnemonic(caption).isEmpty()) << k;
        EXPECT_EQ(QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&")), set.question(1).options[k]);
    }
    for (const char* name : {"Label2", "Label6"}) {
        QLabel* label = quiz.item<QLabel>(QString::fromLatin1(name));
        ASSERT_TRUE(Qt::mightBeRichText(label->text())) << name;
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
    }
    for (int q = 1; q <= 10; ++q)
        answer(quiz, 0);
    WrongScreen* review = t.screens.find<WrongScreen>();
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(text(review, "Label2(0)"), QStringLiteral(" 1. <b>Where</b> is the femur?"));
    EXPECT_EQ(review->item<QLabel>("Label2(0)")->textFormat(), Qt::PlainText);
    EXPECT_EQ(review->item<QLabel>("Label6")->textFormat(), Qt::PlainText);
}

TEST_F(QuizTest, NavigationShowsPreviousFromTwoAndCheckScoreOnTen)
{
    QuizScreen& quiz = open();
    for (int q = 1; q < 10; ++q) {
        answer(quiz, correctOf(q));
        EXPECT_EQ(quiz.currentQuestion(), q + 1);
        EXPECT_EQ(text(&quiz, "Label4"), QStringLiteral("Question %1").arg(q + 1));
        EXPECT_EQ(text(&quiz, "Label2"), QStringLiteral("Question text %1").arg(q + 1));
        EXPECT_FALSE(quiz.button("Label3", 0)->isHidden());
    }
    EXPECT_EQ(text(&quiz, "Label4"), QStringLiteral("Question 10"));
    EXPECT_EQ(quiz.button("Label3", 1)->text(), QStringLiteral("Check Score >>"));
    click(quiz.button("Label3", 0));
    EXPECT_EQ(quiz.currentQuestion(), 9);
    EXPECT_EQ(quiz.button("Label3", 1)->text(), QStringLiteral("Next Question >>"));
    for (int q = 9; q > 1; --q)
        click(quiz.button("Label3", 0));
    EXPECT_EQ(quiz.currentQuestion(), 1);
    EXPECT_TRUE(quiz.button("Label3", 0)->isHidden());
}

TEST_F(QuizTest, DoubleClickOnNextMovesOnOneQuestion)
{
    QuizScreen& quiz = open();
    click(quiz.option(correctOf(1)));
    ButtonLabel* next = quiz.button("Label3", 1);
    const QPointF at = QRectF(next->rect()).center();
    // What the window system delivers for a double click.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent e(type, at, next->mapToGlobal(at), Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(next, &e);
    }
    EXPECT_EQ(quiz.currentQuestion(), 2);
    EXPECT_EQ(quiz.answerResults()[1], 1);
    EXPECT_EQ(quiz.answerResults()[2], 0);
    click(next); // a later single click still counts
    EXPECT_EQ(quiz.currentQuestion(), 3);
}

TEST_F(QuizTest, GoingBackShowsNoSelectionAndReRecordsTheFlag)
{
    QuizScreen& quiz = open();
    answer(quiz, correctOf(1));
    EXPECT_EQ(quiz.answerResults()[1], 1);
    click(quiz.button("Label3", 0)); // nothing is recorded when going back
    EXPECT_EQ(quiz.answerResults()[1], 1);
    for (int k = 1; k <= 4; ++k)
        EXPECT_FALSE(quiz.option(k)->isChecked());
    EXPECT_TRUE(quiz.option(5)->isChecked());
    answer(quiz, 0); // forward without choosing: wrong, though right before
    EXPECT_EQ(quiz.answerResults()[1], 0);
    click(quiz.button("Label3", 0));
    answer(quiz, wrongOf(1));
    EXPECT_EQ(quiz.answerResults()[1], 0);
    click(quiz.button("Label3", 0));
    answer(quiz, correctOf(1));
    EXPECT_EQ(quiz.answerResults()[1], 1);
}

TEST_F(QuizTest, ChangingTheChoiceBeforeMovingOnCountsTheLastOne)
{
    QuizScreen& quiz = open();
    click(quiz.option(correctOf(1)));
    click(quiz.option(wrongOf(1)));
    click(quiz.button("Label3", 1));
    EXPECT_EQ(quiz.answerResults()[1], 0);
}

TEST_F(QuizTest, CorrectOptionOutsideOneToFourScoresWrongWithoutCrashing)
{
    QuestionSet set = numberedSet();
    set.question(2).correct = QStringLiteral("5");
    set.question(3).correct = QStringLiteral("0");
    set.question(4).correct = QString();
    set.question(5).correct = QStringLiteral("x");
    QuizScreen& quiz = open(set);
    answer(quiz, correctOf(1));
    for (int q = 2; q <= 5; ++q)
        answer(quiz, 4);
    EXPECT_EQ(quiz.answerResults()[1], 1);
    for (int q = 2; q <= 5; ++q)
        EXPECT_EQ(quiz.answerResults()[q], 0) << q;
    for (int q = 6; q <= 10; ++q)
        answer(quiz, correctOf(q));
    EXPECT_EQ(handedResult(t).resultScore, 6);
}

TEST_F(QuizTest, AllCorrectHandsOverFullMarksAndShowsNoReviewLine)
{
    QuizScreen& quiz = open();
    takeQuiz(quiz, {});
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("multiple")));
    EXPECT_EQ(handedResult(t).resultScore, 10);
    EXPECT_EQ(handedResult(t).resultOutOf, 10);
    EXPECT_EQ(handedResult(t).certificateTitle, QStringLiteral("Corvana"));
    WrongScreen* review = t.screens.find<WrongScreen>();
    ASSERT_NE(review, nullptr);
    EXPECT_FALSE(review->isVisible());
    EXPECT_EQ(text(review, "Label6"), QStringLiteral("Numbered Set"));
    for (int k = 0; k < 10; ++k)
        EXPECT_TRUE(review->item<QLabel>(QStringLiteral("Label2(%1)").arg(k))->isHidden());
    ResultsScreen* results = t.screens.find<ResultsScreen>();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisible());
    EXPECT_EQ(results->button("Label3", 0)->text(), QStringLiteral("Print Certificate"));
}

TEST_F(QuizTest, WrongAnswersFillTheReviewInQuestionOrder)
{
    QuizScreen& quiz = open();
    takeQuiz(quiz, {2, 7});
    EXPECT_EQ(handedResult(t).resultScore, 8);
    WrongScreen* review = t.screens.find<WrongScreen>();
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(text(review, "Label2(0)"), QStringLiteral(" 2. Question text 2"));
    EXPECT_EQ(text(review, "Label2(1)"), QStringLiteral(" 7. Question text 7"));
    EXPECT_FALSE(review->item<QLabel>("Label2(0)")->isHidden());
    EXPECT_FALSE(review->item<QLabel>("Label2(1)")->isHidden());
    for (int k = 2; k < 10; ++k)
        EXPECT_TRUE(review->item<QLabel>(QStringLiteral("Label2(%1)").arg(k))->isHidden());
    ResultsScreen* results = t.screens.find<ResultsScreen>();
    ASSERT_NE(results, nullptr);
    // The quiz hides the activities' hint and shows its own and the review button.
    EXPECT_TRUE(results->item<QLabel>("Label6")->isHidden());
    EXPECT_FALSE(results->item<QLabel>("Label5")->isHidden());
    EXPECT_FALSE(results->button("Label3", 0)->isHidden());
    EXPECT_EQ(results->button("Label3", 0)->text(), QStringLiteral("Check Wrong Answers"));
}

TEST_F(QuizTest, TenWrongAnswersUseEveryReviewLine)
{
    QuizScreen& quiz = open();
    for (int q = 1; q <= 10; ++q)
        answer(quiz, 0);
    EXPECT_EQ(handedResult(t).resultScore, 0);
    WrongScreen* review = t.screens.find<WrongScreen>();
    ASSERT_NE(review, nullptr);
    for (int k = 0; k < 10; ++k) {
        QLabel* line = review->item<QLabel>(QStringLiteral("Label2(%1)").arg(k));
        EXPECT_FALSE(line->isHidden());
        EXPECT_EQ(line->text(), QStringLiteral(" %1. Question text %1").arg(k + 1));
    }
    EXPECT_EQ(review->item<QLabel>("Label2(9)")->geometry(), display::rect(120, 7080, 12000, 540));
}

TEST_F(QuizTest, WrappedReviewLinesNeverRunIntoOneAnother)
{
    // Teachers' 60-character questions of wide letters wrap; mixed with short ones.
    QuestionSet set = numberedSet();
    for (int q : {1, 2, 5, 6, 7, 9, 10})
        set.question(q).text = QStringLiteral("WWWW MMMM ").repeated(6).trimmed() + QStringLiteral("?");
    takeQuiz(open(set), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    WrongScreen* review = t.screens.find<WrongScreen>();
    ASSERT_NE(review, nullptr);
    const QRect closing = review->item<QLabel>("Label5")->geometry();
    QList<QRect> taken;
    for (int k = 0; k < 10; ++k) {
        QLabel* line = review->item<QLabel>(QStringLiteral("Label2(%1)").arg(k));
        EXPECT_EQ(line->text(), QStringLiteral(" %1. ").arg(k + 1) + set.question(k + 1).text);
        // Tall enough for all of its wrapped text, and clear of every other line.
        EXPECT_GE(line->height(), line->heightForWidth(line->width())) << k;
        for (const QRect& other : taken)
            EXPECT_FALSE(line->geometry().intersects(other)) << k;
        EXPECT_LE(line->geometry().bottom(), closing.top()) << k;
        taken << line->geometry();
    }
}

TEST_F(QuizTest, ALaterQuizFillsAFreshReview)
{
    takeQuiz(open(), {1, 2, 3});
    ResultsScreen* results = t.screens.find<ResultsScreen>();
    ASSERT_NE(results, nullptr);
    click(results->button("Label3", 1)); // Exit closes results and review
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("Wrong")));
    takeQuiz(open(), {5});
    WrongScreen* review = t.screens.find<WrongScreen>();
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(text(review, "Label2(0)"), QStringLiteral(" 5. Question text 5"));
    EXPECT_TRUE(review->item<QLabel>("Label2(1)")->isHidden());
}

TEST_F(QuizTest, ExitMidQuizClosesItAndOpensNothing)
{
    QuizScreen& quiz = open();
    answer(quiz, correctOf(1));
    answer(quiz, correctOf(2));
    t.sound.played.clear();
    click(quiz.button("Label3", 2));
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("multiple")));
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("Welldone")));
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("Wrong")));
    EXPECT_EQ(handedResult(t).resultScore, 0);
    EXPECT_EQ(t.sound.played, QStringList{clickWav});
}

TEST_F(QuizTest, ReopeningStartsAfresh)
{
    QuizScreen& first = open();
    answer(first, correctOf(1));
    click(first.button("Label3", 2));
    TestApp::settle();
    QuizScreen& second = open();
    EXPECT_EQ(second.currentQuestion(), 1);
    EXPECT_EQ(second.answerResults()[1], 0);
}

TEST_F(QuizTest, OptionsTypekeyAndButtonsClickThroughTheSoundGate)
{
    QuizScreen& quiz = open();
    click(quiz.option(3));
    click(quiz.button("Label3", 1));
    EXPECT_EQ(t.sound.played, (QStringList{typekey, clickWav}));
    t.state.soundOn = 0;
    t.sound.played.clear();
    click(quiz.option(2));
    click(quiz.button("Label3", 0));
    EXPECT_TRUE(t.sound.played.isEmpty());
    EXPECT_TRUE(quiz.option(5)->isChecked());
}

TEST_F(QuizTest, CheckScoreClicksAfterTheQuizHasClosed)
{
    QuizScreen& quiz = open();
    for (int q = 1; q < 10; ++q)
        answer(quiz, correctOf(q));
    t.sound.played.clear();
    answer(quiz, correctOf(10));
    EXPECT_EQ(t.sound.played, (QStringList{typekey, clickWav}));
}

TEST_F(QuizTest, HoverOverBackgroundMakesTheButtonsPlain)
{
    QuizScreen& quiz = open();
    ButtonLabel* next = quiz.button("Label3", 1);
    EXPECT_TRUE(next->isHighlighted());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 590), quiz.mapToGlobal(QPointF(5, 590)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&quiz, &move);
    EXPECT_FALSE(next->isHighlighted());
    EXPECT_FALSE(quiz.button("Label3", 2)->isHighlighted());
    QMouseEvent over(QEvent::MouseMove, QPointF(10, 10), next->mapToGlobal(QPointF(10, 10)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(next, &over);
    EXPECT_TRUE(next->isHighlighted());
}

TEST_F(QuizTest, PrintWorksheetPrintsTheSetAndClicks)
{
    QuizScreen& quiz = open();
    QuizScreen* q = &quiz;
    q->button("Label3", 3)->show();
    click(q->button("Label3", 3));
    ASSERT_EQ(t.printer.documents.size(), 1);
    EXPECT_TRUE(t.printer.texts().contains(QStringLiteral("Question 1    Question text 1")));
    EXPECT_EQ(t.messages.texts(), QStringList{QStringLiteral("Your worksheet is now printing.")});
    EXPECT_EQ(t.sound.played, QStringList{clickWav});
}

TEST_F(QuizTest, ShippedQuestionSetsLoadAndPlay)
{
    for (const char* name : {"multiple\\Parts of the Body.txt", "multiple\\Bones.txt"}) {
        const QString path = t.files.resolve(QString::fromLatin1(name));
        ASSERT_FALSE(path.isEmpty()) << name;
        QFile raw(path);
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        EXPECT_EQ(bytes.count("\r\n"), 72) << name;
        EXPECT_EQ(bytes.count('\n'), 72) << name;
        EXPECT_TRUE(bytes.endsWith(" \r\n")) << name;
        QuestionSet set;
        ASSERT_TRUE(loadQuestionSetFile(path, set)) << name;
        int perOption[5] = {};
        for (int q = 1; q <= 10; ++q) {
            const Question& question = set.question(q);
            EXPECT_FALSE(question.text.isEmpty());
            for (int k = 1; k <= 4; ++k)
                EXPECT_FALSE(question.options[k].isEmpty()) << name << " " << q;
            ++perOption[correctOption(question)];
        }
        for (int k = 1; k <= 4; ++k)
            EXPECT_GE(perOption[k], 2) << name << ": answers spread over A to D";
        QuizScreen& quiz = open(set);
        for (int q = 1; q <= 10; ++q)
            answer(quiz, correctOption(set.question(q)));
        EXPECT_EQ(handedResult(t).resultScore, 10) << name;
        ResultsScreen* results = t.screens.find<ResultsScreen>();
        ASSERT_NE(results, nullptr);
        click(results->button("Label3", 1));
        TestApp::settle();
    }
}

} // namespace

TEST_F(QuizTest, AnAnswerIsChosenAnywhereOnItsRowOrWithItsNumberOrLetter)
{
    QuizScreen& quiz = open();
    // "1-2" is a short answer: a click far to the right of its words still chooses it.
    QRadioButton* second = quiz.option(2);
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(second->width() - 3, second->height() - 3));
    EXPECT_TRUE(second->isChecked());
    EXPECT_EQ(t.sound.played.last(), QStringLiteral("wav\\typekey.wav"));

    // Keys 1 to 4 and A to D choose as a click does, and the choice takes the keyboard.
    QTest::keyClick(&quiz, Qt::Key_4);
    EXPECT_TRUE(quiz.option(4)->isChecked());
    EXPECT_EQ(quiz.focusWidget(), quiz.option(4));
    QTest::keyClick(quiz.option(4), Qt::Key_A);
    EXPECT_TRUE(quiz.option(1)->isChecked());
    QTest::keyClick(quiz.option(1), Qt::Key_C, Qt::ControlModifier); // not a choice
    EXPECT_TRUE(quiz.option(1)->isChecked());
    EXPECT_EQ(t.sound.played.count(QStringLiteral("wav\\typekey.wav")), 3);

    // The chosen key is what the forward button records: question 1's answer is B.
    QTest::keyClick(quiz.option(1), Qt::Key_B);
    click(quiz.button(QStringLiteral("Label3"), 1));
    EXPECT_EQ(quiz.answerResults()[1], 1);
    // The hidden no-answer option is no stop for Tab, and Escape is Exit.
    EXPECT_EQ(quiz.option(5)->focusPolicy(), Qt::NoFocus);
    QTest::keyClick(&quiz, Qt::Key_Escape);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("multiple")));
    EXPECT_EQ(handedResult(t).resultScore, 0);
}
