// The catalogue screen: paging, the three modes, removal with its question, and damaged files.
#include "worksheet_samples.h"

#include "test_app.h"

#include "quiz/quiz_screen.h"
#include "menu/main_menu.h"
#include "worksheets/catalogue.h"
#include "worksheets/wizard.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString track = QStringLiteral("multiple/track.txt");
const QString corrupted = QStringLiteral("This worksheet seems to be corrupted.");

QStringList shownTitles(const Catalogue& c)
{
    QStringList titles;
    for (int i = 1; i <= 24; ++i)
        if (c.entry(i)->isVisible())
            titles << c.entry(i)->text();
    return titles;
}

QString pageLabel(const Catalogue& c) { return c.item<QLabel>("Label4")->text(); }
bool previousShown(const Catalogue& c) { return c.button("Label3", 0)->isVisible(); }
bool nextShown(const Catalogue& c) { return c.button("Label3", 1)->isVisible(); }

struct CatalogueTest : ::testing::Test {
    TestApp t;

    // Lists the titles and writes a good worksheet for each.
    void listWorksheets(const QStringList& titles, bool withFiles = true)
    {
        t.writeUserFile(track, sample::trackBytes(titles));
        if (withFiles)
            for (const QString& title : titles)
                t.writeUserFile("multiple/" + title + ".txt", sample::worksheetBytes(title.toLatin1()));
    }
    Catalogue& open()
    {
        auto& c = t.screens.touch<Catalogue>();
        t.screens.show(c);
        t.state.soundOn = 1;
        return c;
    }
};

} // namespace

TEST_F(CatalogueTest, LoadShowsTheFirstPageInTwoColumns)
{
    listWorksheets(sample::numberedTitles(30), false);
    Catalogue& c = open();
    EXPECT_EQ(c.objectName(), "worksheets");
    EXPECT_EQ(c.item<QLabel>("Label1")->text(), "Worksheets Catalogue");
    EXPECT_EQ(shownTitles(c), sample::numberedTitles(24));
    EXPECT_EQ(c.entry(1)->geometry(), display::rect(120, 720, 5715, 375));
    EXPECT_EQ(c.entry(7)->geometry(), display::rect(120, 720 + 3600, 5685, 375));
    EXPECT_EQ(c.entry(12)->geometry(), display::rect(120, 720 + 6600, 5715, 375));
    EXPECT_EQ(c.entry(13)->geometry(), display::rect(6120, 720, 5715, 375));
    EXPECT_EQ(c.entry(15)->geometry(), display::rect(6120, 1920, 5685, 375));
    EXPECT_EQ(c.entry(0)->text(), "Exit");
    EXPECT_EQ(c.check1()->text(), "Edit Worksheet");
    EXPECT_EQ(c.check2()->text(), "Delete Worksheet");
    const QImage tick = c.check2()->grab().toImage();
    EXPECT_EQ(tick.pixelColor(tick.width() - 1, tick.height() - 1), QColor(39, 63, 137));
    EXPECT_FALSE(c.check1()->isChecked());
    EXPECT_FALSE(c.check2()->isChecked());
    EXPECT_EQ(pageLabel(c), "Page 1");
    EXPECT_FALSE(previousShown(c));
    EXPECT_TRUE(nextShown(c));
}

TEST_F(CatalogueTest, PagesForwardAndBack)
{
    listWorksheets(sample::numberedTitles(30), false);
    Catalogue& c = open();
    c.pageClicked(1);
    EXPECT_EQ(c.currentPage(), 1);
    EXPECT_EQ(shownTitles(c), sample::numberedTitles(30).mid(24));
    EXPECT_EQ(pageLabel(c), "Page 2");
    EXPECT_TRUE(previousShown(c));
    EXPECT_FALSE(nextShown(c));
    c.pageClicked(0);
    EXPECT_EQ(shownTitles(c), sample::numberedTitles(24));
    EXPECT_EQ(pageLabel(c), "Page 1");
    EXPECT_FALSE(previousShown(c));
    EXPECT_TRUE(nextShown(c));
    EXPECT_EQ(t.sound.played, QStringList({"wav\\click.wav", "wav\\click.wav"}));
}

TEST_F(CatalogueTest, TwentyFourTitlesFitOnePage)
{
    listWorksheets(sample::numberedTitles(24), false);
    Catalogue& c = open();
    EXPECT_EQ(shownTitles(c).size(), 24);
    EXPECT_FALSE(nextShown(c));
}

TEST_F(CatalogueTest, EveryTitleOfAThousandCanBeReached)
{
    const QStringList titles = sample::numberedTitles(1000);
    listWorksheets(titles, false);
    Catalogue& c = open();
    int clicks = 0;
    while (nextShown(c) && clicks < 100) {
        QTest::mouseClick(c.button("Label3", 1), Qt::LeftButton);
        ++clicks;
    }
    EXPECT_EQ(clicks, 41);
    EXPECT_EQ(pageLabel(c), "Page 42");
    EXPECT_EQ(shownTitles(c), titles.mid(984));
    EXPECT_TRUE(previousShown(c));
}

TEST_F(CatalogueTest, ABadListStillOpens)
{
    t.messages.answers = {false, false, false, false}; // the offer to make it anew is declined
    // More titles than the list holds: the first thousand are shown.
    listWorksheets(sample::numberedTitles(1001), false);
    Catalogue& c = open();
    EXPECT_EQ(shownTitles(c), sample::numberedTitles(24));
    while (nextShown(c))
        c.pageClicked(1);
    EXPECT_EQ(pageLabel(c), "Page 42");
    EXPECT_EQ(shownTitles(c).last(), "Sheet 1000");
    t.screens.close(c);
    TestApp::settle();

    // Short: the titles read are shown, never titles left from an earlier read.
    t.writeUserFile(track, " 3 \r\nOnly\r\n");
    t.state.worksheetList.titles[3] = "Older";
    Catalogue& d = open();
    EXPECT_EQ(shownTitles(d), QStringList({"Only"}));
    t.screens.close(d);
    TestApp::settle();

    // Not a number, or negative: nothing is shown, nothing of the previous list either.
    for (const QByteArray& bytes : {QByteArray("many\r\nA\r\n"), QByteArray(" -4 \r\n")}) {
        t.writeUserFile(track, bytes);
        Catalogue& e = open();
        EXPECT_EQ(shownTitles(e).size(), 0);
        t.screens.close(e);
        TestApp::settle();
        EXPECT_EQ(t.readUserFile(track), bytes);
    }
}

TEST(CatalogueWithoutList, OpensWithTheListItHadAndCreatesNothing)
{
    QTemporaryDir noShippedData;
    TestApp t(noShippedData.path());
    t.state.worksheetList.count = 2;
    t.state.worksheetList.titles[1] = "Kept 1";
    t.state.worksheetList.titles[2] = "Kept 2";
    auto& c = t.screens.touch<Catalogue>();
    t.screens.show(c);
    EXPECT_EQ(shownTitles(c), QStringList({"Kept 1", "Kept 2"}));
    c.check2()->click();
    t.writeUserFile("multiple/Kept 1.txt", sample::worksheetBytes("Kept 1"));
    c.entryClicked(1); // removal cannot read the list
    EXPECT_EQ(t.messages.texts().last(), corrupted);
    EXPECT_FALSE(QFile::exists(t.userRoot() + "/" + track));
}

TEST_F(CatalogueTest, TickBoxesAreExclusive)
{
    Catalogue& c = open();
    c.check1()->click();
    EXPECT_TRUE(c.check1()->isChecked());
    c.check2()->click();
    EXPECT_TRUE(c.check2()->isChecked());
    EXPECT_FALSE(c.check1()->isChecked());
    c.check1()->click();
    EXPECT_FALSE(c.check2()->isChecked());
    c.check1()->click();
    EXPECT_FALSE(c.check1()->isChecked());
    EXPECT_FALSE(c.check2()->isChecked());
}

TEST_F(CatalogueTest, OpenModeLoadsTheSetAndTheMenuUnseen)
{
    listWorksheets({"Heart Quiz"});
    Catalogue& c = open();
    ASSERT_FALSE(t.screens.isLoaded("intro0"));
    c.entryClicked(1);
    EXPECT_TRUE(t.messages.shown.isEmpty());
    EXPECT_EQ(t.state.currentSet.title, "Heart Quiz");
    EXPECT_EQ(t.state.currentSet.question(10).text, "Question 10 x");
    auto* menu = t.screens.find<MainMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(t.sound.played.first(), "wav\\click.wav");

    // The quiz opens over the catalogue with the menu's brain frame and the product title.
    auto* quiz = t.screens.find<QuizScreen>();
    ASSERT_NE(quiz, nullptr);
    EXPECT_TRUE(quiz->isVisible());
    EXPECT_EQ(quiz->item<PictureItem>("Picture1")->source(), menu->image()->source());
    EXPECT_FALSE(menu->image()->source().isEmpty());
    EXPECT_EQ(quiz->item<QLabel>("Label5")->text(), "Corvana");
    EXPECT_EQ(quiz->item<QLabel>("Label6")->text(), "Heart Quiz");
}

TEST_F(CatalogueTest, OpenModeUsesTheFrameTheMenuShowsNow)
{
    listWorksheets({"Lungs"});
    auto& menu = t.screens.touch<MainMenu>();
    menu.setPicture(menu.image(), "brainsm\\brainn41.jpg");
    Catalogue& c = open();
    c.entryClicked(1);
    auto* quiz = t.screens.find<QuizScreen>();
    ASSERT_NE(quiz, nullptr);
    EXPECT_EQ(quiz->item<PictureItem>("Picture1")->source(), "brainsm\\brainn41.jpg");
}

TEST_F(CatalogueTest, EditModeFillsAFreshWizardOverTheCatalogue)
{
    listWorksheets({"Teeth Quiz", "Other"});
    Catalogue& c = open();
    c.check1()->click();
    c.entryClicked(1);
    auto* wizard = t.screens.find<Wizard>();
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->text1()->text(), "Teeth Quiz");
    EXPECT_EQ(wizard->text2(0)->text(), "Question 1 x");
    EXPECT_EQ(wizard->text3(5)->text(), "Option 2B");
    EXPECT_TRUE(wizard->check1(4 * 1 + 2)->isChecked()); // question 2: option 3
    EXPECT_FALSE(wizard->check1(4 * 1 + 1)->isChecked());
    EXPECT_TRUE(c.isVisible());
    EXPECT_TRUE(c.check1()->isChecked());

    // Saved unchanged, the file comes out the same and the list is untouched.
    const QByteArray list = t.readUserFile(track);
    wizard->buttonClicked(1);
    EXPECT_EQ(t.messages.texts(), QStringList{"Your worksheet has been saved."});
    EXPECT_EQ(t.readUserFile("multiple/Teeth Quiz.txt"), sample::worksheetBytes("Teeth Quiz"));
    EXPECT_EQ(t.readUserFile(track), list);
}

TEST_F(CatalogueTest, DeleteAsksThenRemovesAndRedrawsThePage)
{
    const QStringList titles = sample::numberedTitles(30);
    listWorksheets(titles);
    Catalogue& c = open();
    c.check2()->click();

    t.messages.answers = {false};
    c.entryClicked(3);
    ASSERT_EQ(t.messages.shown.size(), 1);
    EXPECT_EQ(t.messages.shown[0].text, "Are you sure that you want to delete the worksheet Sheet 0003?");
    EXPECT_TRUE(t.messages.shown[0].withCancel);
    EXPECT_TRUE(t.messages.shown[0].title.isEmpty());
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes(titles));
    EXPECT_EQ(t.state.currentSet.title, "Sheet 0003"); // loaded all the same

    t.messages.answers = {true};
    c.entryClicked(3);
    QStringList left = titles;
    left.removeAt(2);
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes(left));
    EXPECT_EQ(shownTitles(c), left.mid(0, 24));
    EXPECT_EQ(shownTitles(c).last(), "Sheet 0025");
    EXPECT_EQ(t.messages.shown.size(), 2);
    EXPECT_EQ(t.readUserFile("multiple/Sheet 0003.txt"), sample::worksheetBytes("Sheet 0003"));
    EXPECT_EQ(pageLabel(c), "Page 1");
    EXPECT_TRUE(nextShown(c));
}

TEST_F(CatalogueTest, RemovingTheOnlyTitleOfTheLastPageLeavesItEmpty)
{
    listWorksheets(sample::numberedTitles(25));
    Catalogue& c = open();
    c.pageClicked(1);
    c.check2()->click();
    c.entryClicked(1);
    EXPECT_TRUE(shownTitles(c).isEmpty());
    EXPECT_EQ(pageLabel(c), "Page 2");
    EXPECT_TRUE(previousShown(c));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes(sample::numberedTitles(24)));
}

TEST_F(CatalogueTest, RemovingATitleSomeoneElseRemovedChangesNothing)
{
    listWorksheets({"A", "B", "C"});
    Catalogue& c = open();
    t.writeUserFile(track, sample::trackBytes({"A", "C"})); // changed while the catalogue is open
    c.check2()->click();
    c.entryClicked(2);
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"A", "C"}));
    EXPECT_EQ(shownTitles(c), QStringList({"A", "C"}));
    EXPECT_EQ(t.messages.shown.size(), 1); // the question only
}

TEST_F(CatalogueTest, DamagedWorksheetsAreCorruptedInEveryMode)
{
    listWorksheets({"Missing", "Short", "Binary", "Digit", "Empty"}, false);
    QByteArray shortFile = sample::worksheetBytes("Short");
    shortFile.truncate(shortFile.indexOf("Question 5"));
    t.writeUserFile("multiple/Short.txt", shortFile);
    t.writeUserFile("multiple/Binary.txt", QByteArray("\x00\xff\x10\r\n\x80\x81", 7));
    QByteArray digit = sample::worksheetBytes("Digit");
    digit.replace("\r\n3\r\n \r\n", "\r\n0\r\n \r\n"); // question 2's correct option
    t.writeUserFile("multiple/Digit.txt", digit);
    t.writeUserFile("multiple/Empty.txt", QByteArray());
    const QByteArray list = t.readUserFile(track);

    Catalogue& c = open();
    for (int mode = 0; mode < 3; ++mode) {
        c.check1()->setChecked(mode == 1);
        c.check2()->setChecked(mode == 2);
        for (int e = 1; e <= 5; ++e) {
            t.messages.shown.clear();
            t.messages.answers = {false};
            c.entryClicked(e);
            // Delete mode needs only the title, so it asks (and is answered Cancel here).
            const QString expected =
                mode == 2 ? worksheet_text::deleteQuestion(c.entry(e)->text()) : corrupted;
            EXPECT_EQ(t.messages.texts(), QStringList{expected}) << "mode " << mode << " entry " << e;
        }
    }
    EXPECT_FALSE(t.screens.isLoaded("wizard"));
    EXPECT_EQ(t.readUserFile(track), list);
    EXPECT_EQ(shownTitles(c).size(), 5);
}

TEST_F(CatalogueTest, DeleteModeRemovesTheTitleOfAWorksheetThatCannotBeRead)
{
    listWorksheets({"Missing", "Damaged", "Digit", "Fine"}, false);
    QByteArray damaged = sample::worksheetBytes("Damaged");
    damaged.truncate(damaged.indexOf("Question 3"));
    t.writeUserFile("multiple/Damaged.txt", damaged);
    QByteArray digit = sample::worksheetBytes("Digit");
    digit.replace("\r\n2\r\n \r\n", "\r\n7\r\n \r\n"); // question 1's correct option
    t.writeUserFile("multiple/Digit.txt", digit);
    Catalogue& c = open();
    c.check2()->click();
    for (const char* title : {"Damaged", "Missing", "Digit"}) {
        t.messages.shown.clear();
        c.entryClicked(1 + static_cast<int>(shownTitles(c).indexOf(QString::fromLatin1(title))));
        EXPECT_EQ(t.messages.texts(), QStringList{worksheet_text::deleteQuestion(QString::fromLatin1(title))});
    }
    EXPECT_EQ(shownTitles(c), QStringList{"Fine"});
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Fine"}));
    // Only the list changed: the files stay as they were.
    EXPECT_EQ(t.readUserFile("multiple/Damaged.txt"), damaged);
    EXPECT_EQ(t.readUserFile("multiple/Digit.txt"), digit);
    EXPECT_FALSE(QFile::exists(t.userRoot() + "/multiple/Missing.txt"));
}

TEST_F(CatalogueTest, EditingKeepsTextsLongerThanTheBoxes)
{
    // Made by a teacher's script: a 31-character title, a 100-character question and a
    // 45-character option, all longer than the wizard's boxes.
    const QByteArray title("A title longer than twenty-five");
    const QByteArray question = "Q" + QByteArray(98, 'q') + "?";
    const QByteArray option = "O" + QByteArray(43, 'o') + "!";
    QByteArray bytes = sample::worksheetBytes(title);
    bytes.replace("Question 4 x", question);
    bytes.replace("Option 9C", option);
    listWorksheets({QString::fromLatin1(title)}, false);
    t.writeUserFile("multiple/" + title + ".txt", bytes);

    Catalogue& c = open();
    c.check1()->click();
    c.entryClicked(1);
    auto* wizard = t.screens.find<Wizard>();
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->text1()->text(), QString::fromLatin1(title));
    EXPECT_EQ(wizard->text2(3)->text(), QString::fromLatin1(question));
    EXPECT_EQ(wizard->text3(4 * 8 + 2)->text(), QString::fromLatin1(option));

    // Saved unchanged, the file is written as it was, every character kept.
    wizard->buttonClicked(1);
    EXPECT_EQ(t.messages.texts(), QStringList{"Your worksheet has been saved."});
    EXPECT_EQ(t.readUserFile("multiple/" + title + ".txt"), bytes);

    // The limits still hold for typing: a long box takes nothing more, a box cut down to its
    // limit is back to it.
    wizard->text2(3)->setFocus();
    wizard->text2(3)->end(false);
    QTest::keyClicks(wizard->text2(3), "zz");
    EXPECT_EQ(wizard->text2(3)->text(), QString::fromLatin1(question));
    wizard->text2(3)->selectAll();
    QTest::keyClicks(wizard->text2(3), QString(70, QLatin1Char('m')));
    EXPECT_EQ(wizard->text2(3)->text(), QString(60, QLatin1Char('m')));
}

TEST_F(CatalogueTest, ADamagedListIsOfferedForMakingAnewFromTheWorksheetFiles)
{
    listWorksheets({"Alpha", "Beta", "Gamma"});
    const QByteArray damaged(" 7 \r\nGamma\r\nAlpha\r\n");
    t.writeUserFile(track, damaged);
    t.state.worksheetList.count = 3;
    t.state.worksheetList.titles[3] = "Left from before";
    Catalogue& c = open();
    ASSERT_EQ(t.messages.shown.size(), 2);
    EXPECT_TRUE(t.messages.shown[0].withCancel);
    EXPECT_TRUE(t.messages.shown[0].text.contains("it says it holds 7 worksheets, but only 2 of them could be read"));
    // The titles the list still gave keep their order; the others follow by name.
    EXPECT_EQ(shownTitles(c), QStringList({"Gamma", "Alpha", "Beta"}));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Gamma", "Alpha", "Beta"}));
    const QStringList kept = QDir(t.userRoot() + "/multiple").entryList({"track.txt.damaged-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(t.readUserFile("multiple/" + kept[0]), damaged);
    EXPECT_TRUE(t.messages.shown[1].text.contains(kept[0]));
}

TEST_F(CatalogueTest, ARemovalThatCannotReadTheListIsCorrupted)
{
    listWorksheets({"A", "B"});
    Catalogue& c = open();
    t.writeUserFile(track, " 5 \r\nA\r\n");
    c.check2()->click();
    c.entryClicked(1);
    EXPECT_EQ(t.messages.texts(), QStringList({"Are you sure that you want to delete the worksheet A?", corrupted}));
    EXPECT_EQ(t.readUserFile(track), " 5 \r\nA\r\n");
}

TEST_F(CatalogueTest, ExitClicksThenShowsAFreshMenu)
{
    Catalogue& c = open();
    t.state.soundOn = 1;
    c.entryClicked(0);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded("worksheets"));
    auto* menu = t.screens.find<MainMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(t.sound.played, QStringList{"wav\\click.wav"});
}

TEST(CatalogueFromMenu, EntryEighteenOpensTheCatalogueAndClosesTheMenu)
{
    TestApp t;
    t.writeUserFile(track, sample::trackBytes({"Listed"}));
    auto& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    QTest::mouseClick(menu.button("Label2", 18), Qt::LeftButton);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded("intro0"));
    auto* c = t.screens.find<Catalogue>();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(shownTitles(*c), QStringList{"Listed"});
    EXPECT_EQ(t.sound.played, QStringList{"wav\\click.wav"}); // the menu's click, after closing
}

// A worksheet written in the wizard is found in the catalogue, taken as a quiz, edited and
// removed.
TEST(WorksheetJourney, WizardToCatalogueAndBack)
{
    TestApp t;
    auto& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    menu.entryAction(17);
    auto* wizard = t.screens.find<Wizard>();
    ASSERT_NE(wizard, nullptr);
    wizard->fill(sample::entries(QStringLiteral("Journey")));
    wizard->buttonClicked(1);
    wizard->buttonClicked(0);
    menu.entryAction(18);
    TestApp::settle();

    auto* c = t.screens.find<Catalogue>();
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(shownTitles(*c), QStringList{"Journey"});
    c->entryClicked(1); // open
    EXPECT_EQ(t.state.currentSet.title, "Journey");
    c->check1()->click();
    c->entryClicked(1); // edit
    wizard = t.screens.find<Wizard>();
    ASSERT_NE(wizard, nullptr);
    wizard->text1()->setText("Journey 2");
    wizard->buttonClicked(1);
    wizard->buttonClicked(0);
    c->check2()->click();
    c->entryClicked(1); // remove
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Journey 2"}));
    EXPECT_EQ(shownTitles(*c), QStringList{"Journey 2"}); // the redraw reads the list anew
    EXPECT_EQ(t.messages.texts(),
              QStringList({"Your worksheet has been saved.", "Your worksheet has been saved.",
                           "Are you sure that you want to delete the worksheet Journey?"}));
}
