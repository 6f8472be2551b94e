// The class records as pupils and teachers meet them, with real widgets: "Who are you?",
// the tasks reporting what they finished, the teacher's records screen, the settings and the PIN.
#include "../quiz/quiz_fixture.h"

#include "activities/activity_screen.h"
#include "menu/main_menu.h"
#include "menu/title_screen.h"
#include "records/class_settings_screen.h"
#include "records/pin.h"
#include "records/record_store.h"
#include "records/records_screen.h"
#include "records/teacher_pin.h"
#include "records/who_are_you.h"
#include "topics/topic_catalogue.h"
#include "topics/topic_hub.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class RecordsScreens : public QuizTest {
protected:
    void classMode(const QString& list)
    {
        t.records.classSettings.classMode = true;
        t.records.classSettings.classes = records::parseClassList(list);
    }
    void pressOk()
    {
        auto& title = t.screens.touch<TitleScreen>();
        t.screens.show(title);
        title.item<QPushButton>(QStringLiteral("Command1"))->click();
        TestApp::settle();
    }
    TaskRecord stored(const QString& pupil, TaskKind kind, const QString& title, int score, int outOf,
                      QList<WrongAnswer> wrong = {})
    {
        const QDateTime start = QDateTime(QDate(2026, 3, 14), QTime(9, 0)).addSecs(60 * t.records.stored.size());
        return {QStringLiteral("s%1").arg(t.records.stored.size()), QStringLiteral("pc1"), pupil,
                FinishedTask{kind, title, score, outOf, start, start.addSecs(200), wrong}};
    }
    // The next pupil: every screen closed, and the title screen as Corvana starts.
    void startAfresh()
    {
        t.screens.closeAll();
        pressOk();
    }
    ClassRecordsScreen& openRecordsFromMenu()
    {
        MainMenu& menu = t.screens.touch<MainMenu>();
        t.screens.show(menu);
        click(menu.button(QStringLiteral("Label2"), 22));
        auto* screen = t.screens.find<ClassRecordsScreen>();
        EXPECT_NE(screen, nullptr);
        return *screen;
    }
};

TEST_F(RecordsScreens, WithClassModeOffOkGoesStraightToTheMenuAndTasksAreRecordedWithNoName)
{
    pressOk();
    EXPECT_TRUE(t.screens.isLoaded(QStringLiteral("intro0")));
    EXPECT_FALSE(t.screens.isLoaded(QString::fromLatin1(WhoAreYou::kName)));

    // Questions 2 and 7 wrong: one with option A chosen, one left unanswered.
    QuizScreen& quiz = open(numberedSet(QStringLiteral("Bones")));
    for (int q = 1; q <= 10; ++q) {
        if (q == 2)
            click(quiz.option(1));
        else if (q != 7)
            click(quiz.option(correctOf(q)));
        click(quiz.button(QStringLiteral("Label3"), 1));
    }
    ASSERT_EQ(t.records.finished.size(), 1);
    const FinishedTask& task = t.records.finished[0];
    EXPECT_EQ(task.kind, TaskKind::TopicQuiz); // "Bones" is a topic's title
    EXPECT_EQ(task.title, "Bones");
    EXPECT_EQ(task.score, 8);
    EXPECT_EQ(task.outOf, 10);
    EXPECT_EQ(task.wrong, (QList<WrongAnswer>{{2, 1}, {7, 0}}));
    EXPECT_TRUE(task.started.isValid());
    EXPECT_LE(task.started, task.ended);
    EXPECT_EQ(t.records.stored[0].pupil, QString());

    // A worksheet, and an activity named by its topic and button.
    open(numberedSet(QStringLiteral("My Sheet")));
    QuizScreen& sheet = *t.screens.find<QuizScreen>();
    for (int q = 1; q <= 10; ++q)
        click(sheet.button(QStringLiteral("Label3"), 1));
    ASSERT_EQ(t.records.finished.size(), 2);
    EXPECT_EQ(t.records.finished[1].kind, TaskKind::Worksheet);
    EXPECT_EQ(t.records.finished[1].wrong.size(), 10);

    const TopicFile* bones = t.state.topics->byMenuEntry(11);
    ASSERT_NE(bones, nullptr);
    openTopicHub(t.app, *bones);
    auto* hub = qobject_cast<TopicHub*>(t.screens.find(bones->hub.screen));
    ASSERT_NE(hub, nullptr);
    hub->buttonAction(TopicHub::Labelling);
    auto* activity = qobject_cast<activity::ActivityScreen*>(t.screens.front());
    ASSERT_NE(activity, nullptr);
    activity->buttonClicked(activity::checkScoreButton);
    ASSERT_EQ(t.records.finished.size(), 3);
    EXPECT_EQ(t.records.finished[2].kind, TaskKind::Activity);
    EXPECT_EQ(t.records.finished[2].title, "Bones: Labelling Activity");
    EXPECT_EQ(t.records.finished[2].outOf, activity->layout().count());
}

TEST_F(RecordsScreens, WhoAreYouOffersTheClassesThenTheirNamesAndTheNameGoesOnTheCertificate)
{
    QString big;
    for (int i = 1; i <= 30; ++i)
        big += QStringLiteral("Pupil %1\n").arg(i);
    classMode(QStringLiteral("3B:\nAmy\nCal\n4C:\n") + big + QStringLiteral("Empty:\n"));
    pressOk();
    auto* who = t.screens.find<WhoAreYou>();
    ASSERT_NE(who, nullptr);
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("intro0")));
    EXPECT_EQ(who->item<QLabel>(QStringLiteral("Label1"))->text(), "Who are you?");
    EXPECT_EQ(who->item<QLabel>(QStringLiteral("Label2"))->text(), "Choose your class.");
    EXPECT_EQ(who->button(QStringLiteral("Label3"), 0)->text(), "3B");
    EXPECT_EQ(who->button(QStringLiteral("Label3"), 1)->text(), "4C");
    EXPECT_FALSE(who->button(QStringLiteral("Label3"), 2)->isVisible()); // a class with no names is not offered

    // The big class pages on; "Other Class" goes back to the classes.
    click(who->button(QStringLiteral("Label3"), 1));
    EXPECT_EQ(who->item<QLabel>(QStringLiteral("Label2"))->text(), "Choose your name.");
    EXPECT_EQ(who->button(QStringLiteral("Label3"), 26)->text(), "Pupil 27");
    ASSERT_TRUE(who->button(QStringLiteral("Label4"), 1)->isVisible());
    click(who->button(QStringLiteral("Label4"), 1));
    EXPECT_EQ(who->button(QStringLiteral("Label3"), 2)->text(), "Pupil 30");
    EXPECT_FALSE(who->button(QStringLiteral("Label3"), 3)->isVisible());
    EXPECT_FALSE(who->button(QStringLiteral("Label4"), 1)->isVisible());
    click(who->button(QStringLiteral("Label4"), 2));
    click(who->button(QStringLiteral("Label3"), 0));

    // Screen readers hear each name as a button, and Enter presses it.
    ButtonLabel* cal = who->button(QStringLiteral("Label3"), 1);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(cal);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->role(), QAccessible::Button);
    EXPECT_EQ(reader->text(QAccessible::Name), "Cal");
    cal->setFocus();
    QTest::keyClick(cal, Qt::Key_Return);
    TestApp::settle();
    EXPECT_EQ(t.records.pupil(), "Cal");
    EXPECT_FALSE(t.screens.isLoaded(QString::fromLatin1(WhoAreYou::kName)));
    EXPECT_TRUE(t.screens.find(QStringLiteral("intro0"))->isVisible());

    // Full marks: the certificate's name box holds the name, and the pupil may change it.
    QuizScreen& quiz = open();
    for (int q = 1; q <= 10; ++q) {
        click(quiz.option(correctOf(q)));
        click(quiz.button(QStringLiteral("Label3"), 1));
    }
    ResultsScreen* done = t.screens.find<ResultsScreen>();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(done->nameBox()->text(), "Cal");
    EXPECT_EQ(t.records.stored.last().pupil, "Cal");

    // Someone not on the list goes on with no name.
    startAfresh();
    who = t.screens.find<WhoAreYou>();
    ASSERT_NE(who, nullptr);
    EXPECT_EQ(t.records.pupil(), QString());
    click(who->button(QStringLiteral("Label4"), 4));
    EXPECT_EQ(t.records.pupil(), QString());
    EXPECT_TRUE(t.screens.find(QStringLiteral("intro0"))->isVisible());

    // Brought back from the menu, the title screen's Cancel returns to the menu without asking.
    t.records.setPupil(QStringLiteral("Cal"));
    MainMenu* menu = qobject_cast<MainMenu*>(t.screens.find(QStringLiteral("intro0")));
    menu->entryAction(16);
    t.screens.find<TitleScreen>()->item<QPushButton>(QStringLiteral("Command1"))->click();
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QString::fromLatin1(WhoAreYou::kName)));
    EXPECT_EQ(t.records.pupil(), "Cal");
}

TEST_F(RecordsScreens, TheRecordsScreenShowsTheGridAHistoryAndTheQuestionsAndExportsAndPrints)
{
    classMode(QStringLiteral("3B:\nAmy\nBen\nCal\n"));
    auto& all = t.records.stored;
    all << stored("Amy", TaskKind::TopicQuiz, "Bones", 9, 10, {{4, 2}});
    all << stored("Ben", TaskKind::TopicQuiz, "Bones", 4, 10, {{1, 3}, {2, 3}, {3, 0}, {4, 2}, {5, 1}, {6, 1}});
    all << stored("Ben", TaskKind::Activity, "Bones: Labelling Activity", 7, 7);
    all << stored("Ben", TaskKind::TopicQuiz, "Bones", 6, 10, {{1, 3}, {2, 3}, {4, 3}, {5, 1}});
    all << stored("", TaskKind::Worksheet, "Heart, \"lungs\"", 10, 10);

    ClassRecordsScreen& screen = openRecordsFromMenu();
    EXPECT_TRUE(screen.isVisible());
    QTableWidget* table = screen.table();
    // All pupils: those with records, no name last.
    ASSERT_EQ(table->rowCount(), 3);
    ASSERT_EQ(table->columnCount(), 3);
    EXPECT_EQ(table->verticalHeaderItem(2)->text(), "no name");
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "Heart, \"lungs\"");
    EXPECT_EQ(table->item(1, 0)->text(), "6/10"); // his best is his latest
    EXPECT_EQ(table->item(0, 0)->background().color(), QColor(170, 230, 170));
    EXPECT_EQ(table->item(1, 0)->background().color(), QColor(255, 220, 140));
    EXPECT_EQ(table->item(0, 1)->text(), "");

    EXPECT_TRUE(screen.item<QLabel>(QStringLiteral("Label2"))->text().startsWith("Each box: the best score"));
    t.records.unreadable = QStringList{"pc7.sqlite"};
    screen.refresh();
    EXPECT_EQ(screen.item<QLabel>(QStringLiteral("Label2"))->text(),
              "Not shown: the records in pc7.sqlite in the class folder, which cannot be read.");
    t.records.unreadable.clear();

    // The class chosen: its pupils in its order, Cal too, without the records of no name.
    screen.classChoice()->setCurrentIndex(1);
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->verticalHeaderItem(2)->text(), "Cal");
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_EQ(screen.item<QLabel>(QStringLiteral("Label1"))->text(), "Class Records: 3B");

    // Questions need a quiz column; the analysis counts Ben's latest try.
    table->setCurrentCell(0, 1);
    click(screen.button(QStringLiteral("Label3"), ClassRecordsScreen::Questions));
    EXPECT_EQ(t.messages.texts().last(), "Choose a quiz or a worksheet in the table first.");
    table->setCurrentCell(1, 0);
    click(screen.button(QStringLiteral("Label3"), ClassRecordsScreen::Questions));
    EXPECT_EQ(screen.view(), ClassRecordsScreen::View::Questions);
    ASSERT_EQ(table->rowCount(), 10);
    EXPECT_EQ(table->item(3, 1)->text(), "2 of 2 pupils (100%)");
    EXPECT_EQ(table->item(3, 2)->text(), "B (1 pupil)");
    EXPECT_EQ(table->item(2, 1)->text(), "0 of 2 pupils (0%)");
    QTest::keyClick(&screen, Qt::Key_Escape);
    EXPECT_EQ(screen.view(), ClassRecordsScreen::View::Grid);

    // A pupil's history, newest first, and forgetting the pupil.
    table->setCurrentCell(1, 0);
    click(screen.button(QStringLiteral("Label3"), ClassRecordsScreen::History));
    EXPECT_EQ(screen.view(), ClassRecordsScreen::View::History);
    EXPECT_EQ(screen.item<QLabel>(QStringLiteral("Label1"))->text(), "Ben: History");
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 3)->text(), "6/10");
    EXPECT_EQ(table->item(0, 4)->text(), "3 min 20 s");
    EXPECT_EQ(table->item(0, 5)->text(), "1: C, 2: C, 4: C, 5: A");
    t.messages.answers.push_back(false);
    click(screen.button(QStringLiteral("Label3"), 0));
    EXPECT_TRUE(t.records.forgotten.isEmpty());
    click(screen.button(QStringLiteral("Label3"), 0));
    EXPECT_EQ(t.records.forgotten, QStringList({"Ben"}));
    EXPECT_EQ(screen.view(), ClassRecordsScreen::View::Grid);
    EXPECT_EQ(table->item(1, 0)->text(), "");

    // Export: the shown class's records as CSV in the folder given.
    QTemporaryDir exports;
    screen.setExportFolder(exports.path());
    click(screen.button(QStringLiteral("Label3"), ClassRecordsScreen::ExportCsv));
    const QStringList files = QDir(exports.path()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith("Class Records - 3B - ")) << files[0].toStdString();
    QFile csv(QDir(exports.path()).filePath(files[0]));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(), records::toCsv({all[0]}));
    EXPECT_TRUE(t.messages.texts().last().startsWith("The class records have been saved for a spreadsheet as:"));

    // Printing: one page through the printer, or a PDF kept for the teacher.
    t.printer.pdfPath = QStringLiteral("/tmp/Class Summary.pdf");
    click(screen.button(QStringLiteral("Label3"), ClassRecordsScreen::PrintSummary));
    ASSERT_EQ(t.printer.documents.size(), 1);
    const QStringList printed = t.printer.texts();
    EXPECT_TRUE(printed.contains("Class Records: 3B"));
    EXPECT_TRUE(printed.contains("Amy"));
    EXPECT_TRUE(printed.contains("Cal"));
    EXPECT_TRUE(printed.contains("Question 4 (1 of 1 pupil (100%))"));
    EXPECT_TRUE(t.messages.texts().last().contains("/tmp/Class Summary.pdf"));
    t.printer.failAfter = 3;
    click(screen.button(QStringLiteral("Label3"), ClassRecordsScreen::PrintSummary));
    EXPECT_EQ(t.messages.texts().last(), "There was a problem printing to your printer.");
}

TEST_F(RecordsScreens, ThePinGuardsTheTeachersScreensAndTheSettingsKeepWhatIsTyped)
{
    t.records.classSettings.pinHash = records::hashPin(QStringLiteral("2468"));
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    // The wizard and the catalogue are teachers' screens too.
    for (int entry : {17, 18}) {
        click(menu.button(QStringLiteral("Label2"), entry));
        auto* asked = t.screens.find<TeacherPin>();
        ASSERT_NE(asked, nullptr) << entry;
        EXPECT_TRUE(t.screens.isLoaded(QStringLiteral("intro0")));
        EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("wizard")));
        EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("worksheets")));
        click(asked->button(QStringLiteral("Label3"), 1));
        TestApp::settle();
    }
    click(menu.button(QStringLiteral("Label2"), 22));
    auto* pin = t.screens.find<TeacherPin>();
    ASSERT_NE(pin, nullptr);
    EXPECT_FALSE(t.screens.isLoaded(QString::fromLatin1(ClassRecordsScreen::kName)));
    EXPECT_EQ(pin->pinBox()->echoMode(), QLineEdit::Password);
    QTest::keyClicks(pin->pinBox(), QStringLiteral("1357"));
    QTest::keyClick(pin->pinBox(), Qt::Key_Return);
    EXPECT_EQ(t.messages.texts().last(), wrongPinMessage);
    EXPECT_FALSE(t.screens.isLoaded(QString::fromLatin1(ClassRecordsScreen::kName)));
    QTest::keyClicks(pin->pinBox(), QStringLiteral("2468"));
    QTest::keyClick(pin->pinBox(), Qt::Key_Return);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QString::fromLatin1(TeacherPin::kName)));
    auto* screen = t.screens.find<ClassRecordsScreen>();
    ASSERT_NE(screen, nullptr);

    click(screen->button(QStringLiteral("Label3"), ClassRecordsScreen::Settings));
    auto* settings = t.screens.find<ClassSettingsScreen>();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(settings->classMode()->isChecked());
    settings->classMode()->setChecked(true);
    QTest::keyClicks(settings->classList(), QStringLiteral("3B:"));
    QTest::keyClick(settings->classList(), Qt::Key_Return);
    QTest::keyClicks(settings->classList(), QStringLiteral("Amy"));
    QTest::keyClicks(settings->folderBox(), QStringLiteral("/nowhere/class"));
    QTest::keyClicks(settings->pinBox(), QStringLiteral("12"));
    click(settings->button(QStringLiteral("Label6"), 0));
    EXPECT_EQ(t.messages.texts().last(), "A PIN needs at least 4 characters.");
    EXPECT_EQ(t.records.saves, 0);
    settings->pinBox()->setText(QStringLiteral("97531"));
    click(settings->button(QStringLiteral("Label6"), 0));
    ASSERT_EQ(t.records.saves, 1);
    const ClassSettings kept = t.records.classSettings;
    EXPECT_TRUE(kept.classMode);
    EXPECT_EQ(kept.classes, (QList<ClassList>{{"3B", {"Amy"}}}));
    EXPECT_EQ(kept.classFolder, "/nowhere/class");
    EXPECT_TRUE(records::pinMatches(QStringLiteral("97531"), kept.pinHash));
    EXPECT_TRUE(t.messages.texts().contains(
        "The class folder \"/nowhere/class\" cannot be reached now. Records are kept on this computer and handed "
        "over when it can."));
    EXPECT_EQ(t.messages.texts().last(), "The class settings have been saved.");

    // No PIN: the teachers' screens open at once; Exit shows the records with the new class.
    settings->noPin()->setChecked(true);
    click(settings->button(QStringLiteral("Label6"), 0));
    EXPECT_TRUE(t.records.classSettings.pinHash.isEmpty());
    click(settings->button(QStringLiteral("Label6"), 1));
    EXPECT_EQ(screen->classChoice()->count(), 2);
    EXPECT_EQ(screen->classChoice()->itemText(1), "3B");
}

} // namespace
