// The wizard screen: layout, typing, the Enter key, and saving through its buttons.
#include "worksheet_samples.h"

#include "test_app.h"

#include "menu/main_menu.h"
#include "worksheets/wizard.h"
#include "quiz/results.h"
#include "quiz/results_screen.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString track = QStringLiteral("multiple/track.txt");

QRect px(double left, double top, double width, double height) { return display::rect(left, top, width, height); }

// Types each character as a key press carrying it (QTest's key clicks know only ASCII).
void keyIn(QWidget* box, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
    }
}

void type(Wizard& w, const WorksheetEntries& e)
{
    keyIn(w.text1(), e.title);
    for (int q = 0; q < 10; ++q)
        keyIn(w.text2(q), e.questions[q]);
    for (int i = 0; i < 40; ++i) {
        keyIn(w.text3(i), e.options[i]);
        if (e.ticked[i])
            QTest::mouseClick(w.check1(i), Qt::LeftButton, {}, QPoint(6, 10));
    }
}

struct WizardTest : ::testing::Test {
    TestApp t;
    Wizard& w = t.screens.touch<Wizard>();
    void SetUp() override
    {
        t.state.soundOn = 1;
        t.screens.show(w);
    }
};

} // namespace

TEST_F(WizardTest, ItemsStandWhereTheLayoutPutsThem)
{
    EXPECT_EQ(w.objectName(), "wizard");
    EXPECT_EQ(w.windowTitle(), "Corvana");
    EXPECT_EQ(w.size(), QSize(800, 600));
    EXPECT_EQ(w.text1()->geometry(), px(7560, 120, 4215, 375));
    EXPECT_EQ(w.item<QLabel>("Label1(0)")->text(), "Multiple Choice Wizard");
    EXPECT_EQ(w.item<QLabel>("Label1(1)")->geometry(), px(5160, 120, 2280, 345));
    // Question 1 top left, question 6 at the top of the right column, question 10 last.
    EXPECT_EQ(w.item<QLineEdit>("Text2(0)")->geometry(), px(240, 840, 5655, 375));
    EXPECT_EQ(w.item<QLineEdit>("Text2(5)")->geometry(), px(6120, 840, 5655, 375));
    EXPECT_EQ(w.item<QLineEdit>("Text2(9)")->geometry(), px(6120, 840 + 5760, 5655, 375));
    EXPECT_EQ(w.item<QLabel>("questionCaption(10)")->geometry(), px(6120, 600 + 5760, 1170, 240));
    EXPECT_EQ(w.item<QLabel>("questionCaption(10)")->text(), "Question 10");
    EXPECT_EQ(w.item<QLabel>("questionCaption(2)")->geometry(), px(240, 2040, 1050, 240));
    // Question 2's options: A and B on the first line, C and D on the second.
    EXPECT_EQ(w.item<QCheckBox>("Check1(4)")->geometry(), px(480, 1230 + 1440, 255, 315));
    EXPECT_EQ(w.item<QLineEdit>("Text3(4)")->geometry(), px(720, 1230 + 1440, 2295, 330));
    EXPECT_EQ(w.item<QCheckBox>("Check1(5)")->geometry(), px(3330, 1230 + 1440, 255, 315));
    EXPECT_EQ(w.item<QLineEdit>("Text3(5)")->geometry(), px(3600, 1230 + 1440, 2295, 330));
    EXPECT_EQ(w.item<QLineEdit>("Text3(6)")->geometry(), px(720, 1560 + 1440, 2295, 330));
    EXPECT_EQ(w.item<QCheckBox>("Check1(39)")->geometry(), px(3330 + 5880, 1560 + 5760, 255, 315));
    EXPECT_EQ(w.item<QLabel>("optionLetter(4)")->text(), "A.");
    // Each letter ends just before its tick box, so the box never covers it on any display.
    EXPECT_EQ(w.item<QLabel>("optionLetter(4)")->geometry(), px(150, 1200 + 1440, 300, 285));
    EXPECT_EQ(w.item<QLabel>("optionLetter(6)")->geometry(), px(150, 1560 + 1440, 300, 285));
    EXPECT_EQ(w.item<QLabel>("optionLetter(39)")->text(), "D.");
    EXPECT_EQ(w.button("Label3", 1)->geometry(), px(240, 7920, 3165, 495));
    EXPECT_EQ(w.button("Label3", 0)->geometry(), px(10560, 7920, 1245, 495));
    const QImage tick = w.check1(17)->grab().toImage();
    EXPECT_EQ(tick.pixelColor(tick.width() - 1, tick.height() - 1), QColor(0, 78, 152));
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(w.check1(i)->isChecked());
    EXPECT_EQ(w.focusWidget(), w.text1());
}

TEST_F(WizardTest, BoxesTakeAtMostTheirLimit)
{
    const QString longText(80, QLatin1Char('m'));
    keyIn(w.text1(), longText);
    keyIn(w.text2(3), longText);
    keyIn(w.text3(38), longText);
    EXPECT_EQ(w.text1()->text().size(), 25);
    EXPECT_EQ(w.text2(3)->text().size(), 60);
    EXPECT_EQ(w.text3(38)->text().size(), 30);
}

TEST_F(WizardTest, OnlyCharactersAWorksheetFileHoldsCanBeTyped)
{
    keyIn(w.text1(), QStringLiteral("Caf\u00e9 \u20ac, & \u4e2d\u03b1!"));
    EXPECT_EQ(w.text1()->text(), QStringLiteral("Caf\u00e9 \u20ac, & !"));

    // Pasted text and text from an input method are filtered the same way.
    QApplication::clipboard()->setText(QStringLiteral("ab\u0416c\td\u2603e"));
    w.text2(0)->setFocus();
    w.text2(0)->paste();
    EXPECT_EQ(w.text2(0)->text(), "abcde");

    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("\u00fc\u4e2d\u0153"));
    QApplication::sendEvent(w.text3(0), &compose);
    EXPECT_EQ(w.text3(0)->text(), QStringLiteral("\u00fc\u0153"));
}

TEST_F(WizardTest, TabRunsThroughTitleQuestionsWithTheirOptionsThenTicks)
{
    QList<QWidget*> expected{w.text1()};
    for (int q = 0; q < 10; ++q) {
        expected << w.text2(q);
        for (int k = 0; k < 4; ++k)
            expected << w.text3(4 * q + k);
    }
    for (int i = 0; i < 40; ++i)
        expected << w.check1(i);
    QWidget* at = w.text1();
    for (int n = 1; n < expected.size(); ++n) {
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus)
            at = at->nextInFocusChain();
        ASSERT_EQ(at, expected[n]) << "stop " << n << " is " << at->objectName().toStdString();
    }
}

TEST_F(WizardTest, EnterMovesOnQuestionByQuestion)
{
    auto enterIn = [](QLineEdit* box) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
    };
    enterIn(w.text1());
    EXPECT_EQ(w.focusWidget(), w.text2(0));
    enterIn(w.text2(3));
    EXPECT_EQ(w.focusWidget(), w.text3(12));
    enterIn(w.text3(12));
    EXPECT_EQ(w.focusWidget(), w.text3(13));
    enterIn(w.text3(14));
    EXPECT_EQ(w.focusWidget(), w.text3(15));
    enterIn(w.text3(15));
    EXPECT_EQ(w.focusWidget(), w.text2(4));
    w.text3(35)->setFocus();
    QTest::keyClick(w.text3(35), Qt::Key_Enter); // the keypad's Enter too
    EXPECT_EQ(w.focusWidget(), w.text2(9));
    enterIn(w.text3(39));
    EXPECT_EQ(w.focusWidget(), w.text3(39));
}

TEST_F(WizardTest, SaveWritesTheWorksheetTellsSoAndThenClicks)
{
    type(w, sample::entries(QStringLiteral("Senses Quiz")));
    w.buttonClicked(1);
    EXPECT_EQ(t.messages.texts(), QStringList{"Your worksheet has been saved."});
    EXPECT_EQ(t.sound.played, QStringList{"wav\\click.wav"});
    EXPECT_EQ(t.readUserFile("multiple/Senses Quiz.txt"), sample::worksheetBytes("Senses Quiz"));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Senses Quiz"}));
    // The wizard stays open with its entries.
    EXPECT_TRUE(t.screens.isLoaded("wizard"));
    EXPECT_EQ(w.text1()->text(), "Senses Quiz");

    // Changed and saved again: the worksheet is rewritten, the list is not.
    w.text2(0)->setText("Question 1 y");
    w.buttonClicked(1);
    QByteArray changed = sample::worksheetBytes("Senses Quiz");
    changed.replace("Question 1 x", "Question 1 y");
    EXPECT_EQ(t.readUserFile("multiple/Senses Quiz.txt"), changed);
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Senses Quiz"}));
}

TEST_F(WizardTest, FailedChecksShowTheirMessageAndWriteNothing)
{
    WorksheetEntries e = sample::entries(QStringLiteral("Half Done"));
    e.options[22].clear();
    type(w, e);
    w.buttonClicked(1);
    EXPECT_EQ(t.messages.texts(), QStringList{"You have not completed Question 6"});
    EXPECT_FALSE(QFile::exists(t.userRoot() + "/multiple/Half Done.txt"));
    EXPECT_TRUE(t.readUserFile(track).isEmpty());
    EXPECT_EQ(t.sound.played, QStringList{"wav\\click.wav"});

    w.text3(22)->setText("filled");
    w.text1()->setText("Half/Done");
    w.buttonClicked(1);
    EXPECT_EQ(t.messages.texts().last(), worksheet_text::badTitleCharacter);
    EXPECT_TRUE(t.readUserFile(track).isEmpty());
    EXPECT_FALSE(QDir(t.userRoot() + "/multiple").exists());
}

TEST_F(WizardTest, ASaveThatFailsSaysSoAndKeepsTheEntries)
{
    t.writeUserFile(track, "not a count\r\n");
    type(w, sample::entries(QStringLiteral("Kept")));
    t.messages.answers = {false}; // the offer to make the list anew is declined
    w.buttonClicked(1);
    EXPECT_EQ(t.messages.texts(),
              QStringList({worksheet_text::listDamaged("its first line does not give the number of worksheets"),
                           "There was a problem saving your worksheet"}));
    EXPECT_EQ(t.readUserFile(track), "not a count\r\n");
    EXPECT_EQ(w.text1()->text(), "Kept");
    EXPECT_TRUE(w.check1(1)->isChecked());
}

TEST_F(WizardTest, TextsStartingWithAQuoteAreRefusedNamingTheBoxAndNeverReportedSaved)
{
    t.writeUserFile(track, sample::trackBytes({"Quotes"}));
    t.writeUserFile("multiple/Quotes.txt", sample::worksheetBytes("Quotes"));
    WorksheetEntries e = sample::entries(QStringLiteral("Quotes"));
    e.questions[1] = QStringLiteral("\"Hello");
    e.options[4 * 4 + 2] = QStringLiteral("  \"Quoted\" start");
    type(w, e);
    w.buttonClicked(1);
    ASSERT_EQ(t.messages.shown.size(), 1);
    EXPECT_TRUE(t.messages.shown[0].text.startsWith("Question 2 starts with a double quote"));
    w.text2(1)->setText("Hello \"there\"");
    w.buttonClicked(1);
    ASSERT_EQ(t.messages.shown.size(), 2);
    EXPECT_TRUE(t.messages.shown[1].text.startsWith("Answer C of Question 5 starts with a double quote"));
    EXPECT_EQ(t.readUserFile("multiple/Quotes.txt"), sample::worksheetBytes("Quotes"));

    // Past the checks, a file that does not read back as typed never replaces the old one.
    EXPECT_FALSE(saveWorksheet(t.files, e, t.state.worksheetList));
    EXPECT_EQ(t.readUserFile("multiple/Quotes.txt"), sample::worksheetBytes("Quotes"));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Quotes"}));
    EXPECT_EQ(QDir(t.userRoot() + "/multiple").entryList(QDir::Files), QStringList({"Quotes.txt", "track.txt"}));

    // A quote further on is kept.
    w.text3(4 * 4 + 2)->setText("Not \"quoted\" at the start");
    w.buttonClicked(1);
    EXPECT_EQ(t.messages.texts().last(), "Your worksheet has been saved.");
    QuestionSet back;
    ASSERT_TRUE(loadWorksheet(t.files, QStringLiteral("Quotes"), back));
    EXPECT_EQ(back.question(2).text, "Hello \"there\"");
    EXPECT_EQ(back.question(5).options[3], "Not \"quoted\" at the start");
}

TEST_F(WizardTest, ADamagedListIsExplainedAndMadeAnewKeepingTheOldOne)
{
    // Cut short, and a worksheet saved by a save that stopped before the list was written.
    const QByteArray damaged(" 3 \r\nFirst\r\nSec");
    t.writeUserFile(track, damaged);
    for (const char* title : {"First", "Second", "Unlisted"})
        t.writeUserFile(QStringLiteral("multiple/%1.txt").arg(title), sample::worksheetBytes(title));
    type(w, sample::entries(QStringLiteral("New")));
    w.buttonClicked(1);

    ASSERT_EQ(t.messages.shown.size(), 3);
    EXPECT_EQ(t.messages.shown[0].text,
              worksheet_text::listDamaged("it says it holds 3 worksheets, but only 2 of them could be read"));
    EXPECT_TRUE(t.messages.shown[0].withCancel);
    EXPECT_TRUE(t.messages.shown[1].text.startsWith("A new list of worksheets has been made. It holds 4 worksheets."));
    EXPECT_EQ(t.messages.shown[2].text, "Your worksheet has been saved.");
    // "Sec" has no worksheet; the unlisted one is found again, and so is the new one, kept
    // before the list was made anew.
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"First", "New", "Second", "Unlisted"}));
    EXPECT_EQ(t.readUserFile("multiple/New.txt"), sample::worksheetBytes("New"));
    const QStringList kept = QDir(t.userRoot() + "/multiple").entryList({"track.txt.damaged-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(t.readUserFile("multiple/" + kept[0]), damaged);
}

TEST_F(WizardTest, FillShowsAWorksheetWithItsTicks)
{
    WorksheetEntries e = sample::entries(QStringLiteral("Filled"));
    w.check1(0)->setChecked(true); // a stale tick is replaced, not added to
    w.fill(e);
    EXPECT_EQ(w.text1()->text(), "Filled");
    EXPECT_EQ(w.text2(9)->text(), "Question 10 x");
    EXPECT_EQ(w.text3(39)->text(), "Option 10D");
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(w.check1(i)->isChecked(), e.ticked[i]) << i;
    EXPECT_EQ(checkEntries(w.entries()), QString());
}

TEST_F(WizardTest, ExitClosesTheWizardAndStillClicks)
{
    auto& menu = t.screens.touch<MainMenu>();
    menu.entryAction(17);
    EXPECT_EQ(t.screens.find<Wizard>(), &w); // already open: brought to the front
    w.buttonClicked(0);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded("wizard"));
    EXPECT_TRUE(t.screens.isLoaded("intro0"));
    EXPECT_EQ(t.sound.played, QStringList{"wav\\click.wav"});
}

// Escape never throws typing away: with nothing typed, or all of it saved, it is Exit; with
// unsaved entries it asks first, and Cancel keeps every entry. The results screen's name box
// keeps a typed name the same way.
TEST_F(WizardTest, EscapeAsksBeforeDiscardingTypingAndKeepsItOnCancel)
{
    t.screens.show(w);
    w.text2(3)->setText(QStringLiteral("Where is the femur?"));
    t.messages.answers = {false};
    QTest::keyClick(w.text2(3), Qt::Key_Escape);
    TestApp::settle();
    ASSERT_EQ(t.messages.shown.size(), 1);
    EXPECT_TRUE(t.messages.shown[0].text.contains(QStringLiteral("lost")));
    ASSERT_TRUE(t.screens.isLoaded("wizard"));
    EXPECT_EQ(w.text2(3)->text(), QStringLiteral("Where is the femur?"));

    // A worksheet just filled in from the catalogue and not changed closes at once.
    w.fill(sample::entries(QStringLiteral("Saved sheet")));
    t.messages.shown.clear();
    QTest::keyClick(w.text1(), Qt::Key_Escape);
    TestApp::settle();
    EXPECT_TRUE(t.messages.shown.isEmpty());
    EXPECT_FALSE(t.screens.isLoaded("wizard"));

    // Asked again after a change, OK closes.
    Wizard& again = t.screens.touch<Wizard>();
    t.screens.show(again);
    again.text1()->setText(QStringLiteral("Bones"));
    QTest::keyClick(again.text1(), Qt::Key_Escape);
    TestApp::settle();
    EXPECT_EQ(t.messages.shown.size(), 1);
    EXPECT_FALSE(t.screens.isLoaded("wizard"));

    ResultsScreen& results = openResultsScreen(t.app, {10, 10, QStringLiteral("Corvana")});
    results.nameBox()->setText(QStringLiteral("Sam"));
    QTest::keyClick(results.nameBox(), Qt::Key_Escape);
    TestApp::settle();
    EXPECT_TRUE(t.screens.isLoaded("Welldone"));
    results.nameBox()->clear();
    QTest::keyClick(results.nameBox(), Qt::Key_Escape);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded("Welldone"));
}

TEST(WizardFromMenu, EntrySeventeenOpensAnEmptyWizardOverTheMenu)
{
    TestApp t;
    auto& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    menu.entryAction(17);
    auto* wizard = t.screens.find<Wizard>();
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(wizard->text1()->text().isEmpty());
}
