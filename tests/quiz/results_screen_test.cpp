#include "quiz_fixture.h"

#include "quiz/results.h"
#include "activities/activity_screen.h"
#include "activities/open_activity.h"
#include "topics/topic_catalogue.h"

#include <QLineEdit>

namespace {

const QString clickWav = QStringLiteral("wav\\click.wav");

class ResultsTest : public QuizTest {
protected:
    // Opens the results as a finished quiz does: load, then the quiz's three changes.
    ResultsScreen& afterQuiz(int score)
    {
        ResultsScreen& r = t.screens.touch<ResultsScreen>();
        r.showResult({score, 10, QStringLiteral("Corvana")});
        r.item<QLabel>("Label6")->hide();
        r.item<QLabel>("Label5")->show();
        r.button("Label3", 0)->show();
        t.screens.show(r);
        return r;
    }
    // Opens the results as an activity does.
    ResultsScreen& afterActivity(int score, int outOf)
    {
        return openResultsScreen(t.app, {score, outOf, QString()});
    }
    void runTimers(ResultsScreen& r)
    {
        fire(r.item<QTimer>("Timer1"));
        fire(r.item<QTimer>("Timer2"));
        fire(r.item<QTimer>("Timer3"));
    }
    bool shown(ResultsScreen& r, const char* name) { return !r.findChild<QWidget*>(QString::fromLatin1(name))->isHidden(); }
};

TEST_F(ResultsTest, FullMarksOffersTheCertificate)
{
    ResultsScreen& r = afterQuiz(10);
    EXPECT_EQ(r.objectName(), QStringLiteral("Welldone"));
    EXPECT_EQ(text(&r, "Label4"), QStringLiteral("Well Done!"));
    EXPECT_EQ(text(&r, "Label1"), QStringLiteral("Excellent work. You have scored 10 out of 10."));
    EXPECT_EQ(r.button("Label3", 0)->text(), QStringLiteral("Print Certificate"));
    EXPECT_TRUE(shown(r, "Text1"));
    EXPECT_TRUE(shown(r, "Label2"));
    EXPECT_EQ(text(&r, "Label2"), QStringLiteral("Enter your name in the box above before printing your certificate"));
    EXPECT_TRUE(shown(r, "Label5"));
    EXPECT_EQ(text(&r, "Label5"), QString());
    EXPECT_FALSE(shown(r, "Label6"));
    EXPECT_EQ(r.nameBox()->maxLength(), 25);
}

TEST_F(ResultsTest, OneOrTwoShortIsGoodWork)
{
    for (int score : {9, 8}) {
        ResultsScreen& r = afterQuiz(score);
        EXPECT_EQ(text(&r, "Label1"), QStringLiteral("Good work. You have scored %1 out of 10.").arg(score));
        EXPECT_EQ(text(&r, "Label5"),
                  QStringLiteral("Click the button above to check which questions you answered incorrectly."));
        EXPECT_EQ(r.button("Label3", 0)->text(), QStringLiteral("Check Wrong Answers"));
        EXPECT_FALSE(shown(r, "Text1"));
        EXPECT_FALSE(shown(r, "Label2"));
        t.screens.close(r);
        TestApp::settle();
    }
}

TEST_F(ResultsTest, FurtherOffIsPlainScore)
{
    for (int score : {7, 0}) {
        ResultsScreen& r = afterQuiz(score);
        EXPECT_EQ(text(&r, "Label1"), QStringLiteral("You have scored %1 out of 10.").arg(score));
        EXPECT_EQ(r.button("Label3", 0)->text(), QStringLiteral("Check Wrong Answers"));
        t.screens.close(r);
        TestApp::settle();
    }
}

TEST_F(ResultsTest, ActivityResultsKeepTheirOwnVisibility)
{
    ResultsScreen& full = afterActivity(8, 8);
    EXPECT_EQ(text(&full, "Label1"), QStringLiteral("Excellent work. You have scored 8 out of 8."));
    EXPECT_TRUE(shown(full, "Label3(0)"));
    EXPECT_TRUE(shown(full, "Text1"));
    EXPECT_FALSE(shown(full, "Label5"));
    ResultsScreen& part = afterActivity(3, 8); // replaces the open one with a fresh screen
    EXPECT_NE(&part, &full);
    EXPECT_EQ(text(&part, "Label1"), QStringLiteral("You have scored 3 out of 8."));
    EXPECT_FALSE(shown(part, "Label3(0)"));
    EXPECT_FALSE(shown(part, "Label5"));
    EXPECT_TRUE(shown(part, "Label6"));
    EXPECT_EQ(text(&part, "Label6"), QStringLiteral("Read the Key Facts and try again."));
}

TEST_F(ResultsTest, TimersRunPictureThenFocusThenSoundOnce)
{
    t.random.value = 1;
    ResultsScreen& r = afterQuiz(10);
    auto* t1 = r.item<QTimer>("Timer1");
    auto* t2 = r.item<QTimer>("Timer2");
    auto* t3 = r.item<QTimer>("Timer3");
    EXPECT_EQ(t1->interval(), 1);
    EXPECT_EQ(t2->interval(), 10);
    EXPECT_EQ(t3->interval(), 1);
    EXPECT_TRUE(t1->isActive());
    EXPECT_FALSE(t2->isActive());
    EXPECT_FALSE(t3->isActive());
    EXPECT_TRUE(r.picture()->source().isEmpty());

    r.button("Label3", 0)->setHighlighted(false);
    fire(t1);
    EXPECT_EQ(r.picture()->source(), QStringLiteral("brainsm\\brainn00.jpg"));
    EXPECT_FALSE(t1->isActive());
    EXPECT_TRUE(t2->isActive());
    EXPECT_TRUE(t.sound.played.isEmpty());

    fire(t2);
    EXPECT_EQ(r.focusWidget(), r.nameBox());
    EXPECT_TRUE(r.button("Label3", 0)->isHighlighted());
    EXPECT_FALSE(t2->isActive());
    EXPECT_TRUE(t3->isActive());
    EXPECT_TRUE(t.sound.played.isEmpty());

    fire(t3);
    EXPECT_FALSE(t3->isActive());
    EXPECT_EQ(t.random.reseeds, 1);
    EXPECT_EQ(t.sound.played, QStringList{QStringLiteral("wav\\fanf3.wav")});
}

TEST_F(ResultsTest, TimersFireOnTheirOwnWhenIdle)
{
    ResultsScreen& r = afterQuiz(9);
    QTRY_COMPARE_WITH_TIMEOUT(t.sound.played.size(), 1, 2000);
    EXPECT_EQ(r.picture()->source(), QStringLiteral("brainsm\\brainn00.jpg"));
    EXPECT_FALSE(r.item<QTimer>("Timer3")->isActive());
}

TEST_F(ResultsTest, CelebrationSoundIsChosenByScoreAndDraw)
{
    struct Case {
        int score, outOf, draw;
        const char* sound;
    };
    const Case cases[] = {
        {10, 10, 0, "wav\\fanf2.wav"}, {9, 10, 2, "wav\\klaxon.wav"}, {8, 10, 1, "wav\\gong.wav"},
        {7, 10, 0, "wav\\drumroll.wav"}, {6, 10, 1, "wav\\clown.wav"}, {5, 10, 0, nullptr},
        {0, 10, 0, nullptr}, {6, 6, 0, "wav\\clap3.wav"}, // by the score alone, not its share
        {11, 12, 0, nullptr},
    };
    for (const Case& c : cases) {
        t.sound.played.clear();
        t.random.value = c.draw;
        ResultsScreen& r = afterActivity(c.score, c.outOf);
        runTimers(r);
        EXPECT_EQ(t.sound.played, c.sound ? QStringList{QString::fromLatin1(c.sound)} : QStringList())
            << c.score << " of " << c.outOf;
    }
}

TEST_F(ResultsTest, SoundOffStillShowsPictureAndFocus)
{
    t.state.soundOn = 0;
    ResultsScreen& r = afterQuiz(10);
    runTimers(r);
    EXPECT_TRUE(t.sound.played.isEmpty());
    EXPECT_EQ(r.picture()->source(), QStringLiteral("brainsm\\brainn00.jpg"));
    EXPECT_EQ(r.focusWidget(), r.nameBox());
}

TEST_F(ResultsTest, CheckWrongAnswersShowsTheReviewAndClicks)
{
    takeQuiz(open(), {4});
    ResultsScreen* r = t.screens.find<ResultsScreen>();
    ASSERT_NE(r, nullptr);
    runTimers(*r);
    t.sound.played.clear();
    click(r->button("Label3", 0));
    WrongScreen* review = t.screens.find<WrongScreen>();
    ASSERT_NE(review, nullptr);
    EXPECT_TRUE(review->isVisible());
    EXPECT_EQ(t.sound.played, QStringList{clickWav});
    EXPECT_TRUE(t.printer.documents.isEmpty());
    EXPECT_TRUE(t.screens.isLoaded(QStringLiteral("Welldone")));
}

TEST_F(ResultsTest, PrintCertificatePrintsTheNameAsTypedWithoutAClick)
{
    takeQuiz(open(), {});
    ResultsScreen* r = t.screens.find<ResultsScreen>();
    ASSERT_NE(r, nullptr);
    runTimers(*r);
    t.sound.played.clear();
    const QString name = QString::fromUtf8("Zo\u00eb \"Bo\" O'Neill & J\u00f6rg \u00c9");
    ASSERT_EQ(name.size(), 25);
    type(r->nameBox(), name + QStringLiteral("xyz"));
    EXPECT_EQ(r->nameBox()->text(), name);
    click(r->button("Label3", 0));
    ASSERT_EQ(t.printer.documents.size(), 1);
    EXPECT_TRUE(t.printer.texts().contains(name));
    EXPECT_TRUE(t.printer.texts().contains(QStringLiteral("You have scored 10 out of 10.")));
    EXPECT_EQ(t.messages.texts(), QStringList{QStringLiteral("Your certificate is now printing.")});
    EXPECT_TRUE(t.sound.played.isEmpty());
}

TEST_F(ResultsTest, PrinterFailureIsReportedOnceAndTheScreenStays)
{
    ResultsScreen& r = afterQuiz(10);
    t.printer.failAfter = 5;
    click(r.button("Label3", 0));
    EXPECT_EQ(t.messages.texts(), QStringList{QStringLiteral("There was a problem printing to your printer.")});
    EXPECT_TRUE(t.printer.documents.isEmpty());
    EXPECT_EQ(t.printer.abandoned, 1);
    EXPECT_TRUE(r.isVisible());
}

// A printer that breaks in a way that is not a printer failure.
class BrokenPrinter : public RecordingPrinter {
public:
    void print(const QString&, bool) override { throw std::runtime_error("broken"); }
};

TEST_F(ResultsTest, AFailureOfTheWholePrintoutSaysCancelled)
{
    BrokenPrinter broken;
    Services services{t.files, t.sound, t.pictures, t.messages, broken, t.random, t.speech, t.records, [] {}, t.dialogs};
    Screens screens;
    App app{t.state, services, screens, t.state};
    screens.attach(&app);
    openResultsScreen(app, {10, 10, QStringLiteral("Corvana")});
    ResultsScreen* r = screens.find<ResultsScreen>();
    ASSERT_NE(r, nullptr);
    click(r->button("Label3", 0));
    EXPECT_EQ(t.messages.texts(), QStringList{QStringLiteral("Printing has been cancelled.")});
    EXPECT_EQ(broken.abandoned, 1);
    screens.closeAll();
    TestApp::settle();
}

TEST_F(ResultsTest, NoPrinterTellsWhereThePdfWent)
{
    ResultsScreen& r = afterQuiz(10);
    t.printer.pdfPath = QStringLiteral("/home/pupil/.local/share/corvana/printouts/Corvana printout.pdf");
    click(r.button("Label3", 0));
    ASSERT_EQ(t.messages.shown.size(), 1);
    const QString message = t.messages.shown.first().text;
    EXPECT_TRUE(message.contains(QStringLiteral("the \"printouts\" folder")));
    EXPECT_FALSE(message.contains(t.printer.pdfPath));
    EXPECT_TRUE(message.contains(QStringLiteral("certificate")));
    EXPECT_FALSE(message.contains(QStringLiteral("now printing")));
}

TEST_F(ResultsTest, LongTaskTitleIsMeasuredInTheScreenFont)
{
    ResultsScreen& r = afterQuiz(10);
    auto titlePoints = [this, &r] {
        const auto& doc = t.printer.documents.last();
        for (const auto& op : doc)
            if (op.text == r.result().certificateTitle)
                return op.points;
        return -1.0;
    };
    click(r.button("Label3", 0));
    EXPECT_EQ(titlePoints(), 36);
    r.showResult({10, 10, QStringLiteral("A Very Long Worksheet Title About Our Bones And Muscles")});
    click(r.button("Label3", 0));
    EXPECT_EQ(titlePoints(), 28);
}

TEST_F(ResultsTest, ExitClosesResultsAndReviewThenClicks)
{
    takeQuiz(open(), {1});
    ResultsScreen* r = t.screens.find<ResultsScreen>();
    ASSERT_NE(r, nullptr);
    click(r->button("Label3", 0));
    t.sound.played.clear();
    click(r->button("Label3", 1));
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("Welldone")));
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("Wrong")));
    EXPECT_EQ(t.sound.played, QStringList{clickWav});
}

TEST_F(ResultsTest, ReviewExitClosesBothSilently)
{
    takeQuiz(open(), {1, 10});
    ResultsScreen* r = t.screens.find<ResultsScreen>();
    ASSERT_NE(r, nullptr);
    click(r->button("Label3", 0));
    WrongScreen* review = t.screens.find<WrongScreen>();
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(text(review, "Label4"), QStringLiteral("You answered the following questions incorrectly."));
    EXPECT_EQ(text(review, "Label5"), QStringLiteral("Read the Key Facts and try again."));
    ButtonLabel* exit = review->button("Label3", 1);
    EXPECT_EQ(exit->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(exit->isHighlighted());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 580), review->mapToGlobal(QPointF(5, 580)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(review, &move);
    EXPECT_TRUE(exit->isHighlighted()); // no hover handling here
    t.sound.played.clear();
    click(exit);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("Welldone")));
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("Wrong")));
    EXPECT_TRUE(t.sound.played.isEmpty());
}

TEST_F(ResultsTest, MissingPictureChangesNothingElse)
{
    TestApp bare(t.userRoot()); // a data folder without pictures
    bare.state.soundOn = 1;
    openResultsScreen(bare.app, {10, 10, QStringLiteral("Corvana")});
    ResultsScreen* r = bare.screens.find<ResultsScreen>();
    ASSERT_NE(r, nullptr);
    fire(r->item<QTimer>("Timer1"));
    fire(r->item<QTimer>("Timer2"));
    fire(r->item<QTimer>("Timer3"));
    EXPECT_TRUE(r->picture()->picture().isNull());
    EXPECT_EQ(r->focusWidget(), r->nameBox());
    EXPECT_EQ(bare.sound.played.size(), 1);
}

// A quiz and an activity open at once (each its own window): each result is written whole
// when it is scored and shown by its own results screen, never added to the other's.
TEST_F(ResultsTest, AQuizAndAnActivityOpenTogetherNeverMixTheirScores)
{
    QuizScreen& quiz = open();
    ASSERT_TRUE(t.state.topics && !t.state.topics->topics().empty());
    const auto& parts = *t.state.topics->topics().front();
    const activity::ActivityLayout& labelling = parts.activities.at(0).file.layout;
    openActivity(t.app, labelling, parts.hub.title);
    auto* lab = qobject_cast<activity::ActivityScreen*>(t.screens.find(labelling.name));
    ASSERT_NE(lab, nullptr);
    const int labels = lab->layout().count();

    lab->buttonClicked(activity::checkScoreButton); // nothing placed yet
    EXPECT_EQ(text(t.screens.find<ResultsScreen>(), "Label1"),
              QStringLiteral("You have scored 0 out of %1.").arg(labels));
    EXPECT_EQ(t.screens.find<ResultsScreen>()->result().resultOutOf, labels);

    takeQuiz(quiz, {});
    ResultsScreen* afterQuiz = t.screens.find<ResultsScreen>();
    ASSERT_NE(afterQuiz, nullptr);
    EXPECT_EQ(afterQuiz->result().resultScore, 10);
    EXPECT_EQ(afterQuiz->result().resultOutOf, 10);
    EXPECT_EQ(afterQuiz->result().certificateTitle, QStringLiteral("Corvana"));
    EXPECT_EQ(text(afterQuiz, "Label1"), QStringLiteral("Excellent work. You have scored 10 out of 10."));

    // The activity scored again after the quiz: its own count, not the quiz's added on.
    lab->buttonClicked(activity::checkScoreButton);
    ResultsScreen* again = t.screens.find<ResultsScreen>();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->result().resultScore, 0);
    EXPECT_EQ(again->result().resultOutOf, labels);
    EXPECT_TRUE(again->result().certificateTitle.isEmpty());
    EXPECT_EQ(t.screens.find<ResultsScreen>()->result().resultOutOf, labels); // the last task scored, kept whole
}

} // namespace
