// The teachers' topic screen with real widgets: the list of topics with their mistakes, and the
// buttons that check, show, make, copy, import and export topics writing only what was asked.
#include "content/topic_archive.h"
#include "menu/main_menu.h"
#include "topics/topic_screen.h"

#include "test_app.h"
#include "topics_helpers.h"

#include <QDirIterator>
#include <QFile>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString fixtures = QStringLiteral(CORVANA_SOURCE_DIR "/tests/support/fixtures");

QByteArray fileFrom(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class TopicScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TopicFolders f;
        f.shipped = fixtures;
        f.mine = t.userRoot() + QStringLiteral("/topics");
        f.cache = t.userRoot() + QStringLiteral("/cache");
        f.templateTopic = fixtures + QStringLiteral("/parts-of-the-body");
        t.state.topicFolders = f;
        fakeReports();
    }

    // Reports as the loader gives them: a shipped topic, one replaced by the teacher's copy,
    // and one of the teacher's with mistakes.
    void fakeReports()
    {
        const QString mine = t.state.topicFolders.mine;
        t.state.topicReports = {
            {QStringLiteral("bones"), fixtures + QStringLiteral("/bones"), QStringLiteral("Bones"), TopicOrigin::Shipped,
             {}, false, false},
            {QStringLiteral("parts-of-the-body"), fixtures + QStringLiteral("/parts-of-the-body"),
             QStringLiteral("Parts of the Body"), TopicOrigin::Shipped, {}, false, true},
            {QStringLiteral("parts-of-the-body"), mine + QStringLiteral("/parts-of-the-body"),
             QStringLiteral("Parts of the Body"), TopicOrigin::Mine, {}, true, false},
            {QStringLiteral("liver"), mine + QStringLiteral("/liver"), QStringLiteral("Liver and Kidneys"),
             TopicOrigin::Mine,
             {QStringLiteral("topic.txt:3: unknown setting \"colour\""),
              QStringLiteral("questions.txt:9: the right answer is 1 to 4")},
             false, false},
        };
        if (TopicScreen* s = t.screens.find<TopicScreen>())
            s->refresh();
    }

    TopicScreen& screen()
    {
        TopicScreen* s = t.screens.find<TopicScreen>();
        if (!s) {
            s = &t.screens.touch<TopicScreen>();
            t.screens.show(*s);
        }
        return *s;
    }

    void press(TopicScreen::Button b)
    {
        QTest::mouseClick(screen().button(QStringLiteral("Label3"), b), Qt::LeftButton);
        TestApp::settle();
    }

    void chooseRow(int row)
    {
        QTableWidget* table = screen().table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 0)).center());
    }

    QString cell(int row, int column) const
    {
        QTableWidgetItem* item = t.screens.find<TopicScreen>()->table()->item(row, column);
        return item ? item->text() : QString();
    }

    QString lastMessage() const { return t.messages.shown.isEmpty() ? QString() : t.messages.shown.last().text; }

    TestApp t;
};

} // namespace

TEST_F(TopicScreenTest, TheMenuOpensAListOfEveryTopicWithItsMistakesAndCheckAgainReadsTheFoldersAgain)
{
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    ButtonLabel* open = menu.button(QStringLiteral("TopicTools"), 0);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), QStringLiteral("Manage Topics"));
    QTest::mouseClick(open, Qt::LeftButton);
    TestApp::settle();
    TopicScreen* s = t.screens.find<TopicScreen>();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(t.screens.front(), s);
    EXPECT_TRUE(t.screens.isLoaded(ui::mainMenuScreen)); // the menu stays beneath

    // Every topic, where it comes from and whether it is ready; the first is chosen.
    ASSERT_EQ(s->table()->rowCount(), 4);
    const QStringList rows[] = {{"Bones", "shipped", "ready", "bones"},
                                {"Parts of the Body", "shipped", "replaced by a copy", "parts-of-the-body"},
                                {"Parts of the Body", "mine", "ready, in place of the shipped one", "parts-of-the-body"},
                                {"Liver and Kidneys", "mine", "2 mistakes", "liver"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(cell(r, c), rows[r][c]) << r << "," << c;
    EXPECT_TRUE(s->details()->toPlainText().startsWith(QStringLiteral("\"Bones\" is ready.")));

    // Choosing the broken topic shows its mistakes line by line, as the loader worded them.
    chooseRow(3);
    const QStringList details = s->details()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GE(details.size(), 3);
    EXPECT_TRUE(details[0].contains(QStringLiteral("has these mistakes")));
    EXPECT_EQ(details[1], QStringLiteral("topic.txt:3: unknown setting \"colour\""));
    EXPECT_EQ(details[2], QStringLiteral("questions.txt:9: the right answer is 1 to 4"));
    chooseRow(1);
    EXPECT_TRUE(s->details()->toPlainText().contains(QStringLiteral("replaced on this computer")));

    // Open Folder makes the teacher's folder and hands it to the desktop; without a file
    // manager the teacher is told where it is.
    press(TopicScreen::OpenFolder);
    EXPECT_EQ(t.dialogs.shownFolders, QStringList{t.state.topicFolders.mine});
    EXPECT_TRUE(QFileInfo(t.state.topicFolders.mine).isDir());
    EXPECT_TRUE(t.messages.shown.isEmpty());
    t.dialogs.folderShows = false;
    press(TopicScreen::OpenFolder);
    EXPECT_TRUE(lastMessage().contains(QDir::toNativeSeparators(t.state.topicFolders.mine)));

    // Check Again reads the folders afresh: the list is the loader's, the made-up topics gone.
    press(TopicScreen::CheckAgain);
    EXPECT_EQ(s->table()->rowCount(), t.state.topicReports.size());
    for (int r = 0; r < s->table()->rowCount(); ++r)
        EXPECT_NE(cell(r, 3), QStringLiteral("liver"));

    // Buttons are named for screen readers as they read; Exit goes back to the menu.
    EXPECT_EQ(s->button(QStringLiteral("Label3"), TopicScreen::ImportTopic)->readerName(),
              QStringLiteral("Import Topic\u2026"));
    EXPECT_EQ(s->table()->accessibleName(), QStringLiteral("Topics"));
    press(TopicScreen::Exit);
    EXPECT_EQ(t.screens.find<TopicScreen>(), nullptr);
    EXPECT_EQ(t.screens.front(), t.screens.find(ui::mainMenuScreen));
}

TEST_F(TopicScreenTest, CopiesImportsAndExportsWriteOnlyWhatTheTeacherAskedFor)
{
    const QString mine = t.state.topicFolders.mine;
    QTemporaryDir elsewhere;

    // Nothing chosen, nothing done.
    screen().table()->setCurrentCell(-1, -1);
    press(TopicScreen::MendCopy);
    press(TopicScreen::ExportTopic);
    EXPECT_EQ(t.messages.texts(), (QStringList{"Choose a topic in the list first.", "Choose a topic in the list first."}));

    // Mend a Copy puts the shipped topic's folder into the teacher's, file for file; the
    // teacher's own topics are mended where they are.
    fakeReports();
    chooseRow(0);
    press(TopicScreen::MendCopy);
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("A copy of \"Bones\" is in your topics folder as \"bones\"")));
    EXPECT_EQ(filesUnder(mine + QStringLiteral("/bones")), filesUnder(fixtures + QStringLiteral("/bones")));
    EXPECT_EQ(fileFrom(mine + QStringLiteral("/bones/labelling.txt")), fileFrom(fixtures + QStringLiteral("/bones/labelling.txt")));
    fakeReports();
    chooseRow(2);
    press(TopicScreen::MendCopy);
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("one of your own topics already")));

    // Export writes the chosen topic as one file, adding the file kind when it was left out.
    fakeReports();
    chooseRow(0);
    t.dialogs.files.push_back(elsewhere.path() + QStringLiteral("/for-next-door"));
    press(TopicScreen::ExportTopic);
    EXPECT_EQ(t.dialogs.suggested.last(), QStringLiteral("bones.zip"));
    const QString exported = elsewhere.path() + QStringLiteral("/for-next-door.zip");
    const topicfiles::Read back = topicfiles::readArchive(fileFrom(exported));
    ASSERT_TRUE(back.ok()) << back.problem.toStdString();
    EXPECT_EQ(back.topic.folder, QStringLiteral("bones"));
    EXPECT_TRUE(lastMessage().contains(QDir::toNativeSeparators(exported)));

    // A refused archive names what was wrong and adds nothing.
    const QStringList before = filesUnder(mine);
    const QString bad = elsewhere.path() + QStringLiteral("/bad.zip");
    writeFile(bad, QByteArray("not an archive"));
    t.dialogs.files.push_back(bad);
    press(TopicScreen::ImportTopic);
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("\"bad.zip\" can't be imported: it is not a ZIP file")));
    EXPECT_TRUE(lastMessage().endsWith(QStringLiteral("Nothing was added.")));
    EXPECT_EQ(filesUnder(mine), before);

    // Importing over the teacher's own topic of the same folder asks first; Cancel keeps it.
    writeFile(mine + QStringLiteral("/bones/topic.txt"), "title: Bones mended\r\n");
    t.dialogs.files.push_back(exported);
    t.messages.answers.push_back(false);
    press(TopicScreen::ImportTopic);
    EXPECT_TRUE(t.messages.shown.last().withCancel);
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("already holds a topic \"bones\"")));
    EXPECT_EQ(fileFrom(mine + QStringLiteral("/bones/topic.txt")), "title: Bones mended\r\n");
    t.dialogs.files.push_back(exported);
    t.messages.answers.push_back(true);
    press(TopicScreen::ImportTopic);
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("has been imported into your topics folder")));
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("takes the place of the shipped topic \"Bones\"")));
    EXPECT_EQ(fileFrom(mine + QStringLiteral("/bones/topic.txt")), fileFrom(fixtures + QStringLiteral("/bones/topic.txt")));
    EXPECT_EQ(filesUnder(mine), before); // replaced in place, nothing left over beside it

    // New Topic copies the template under the title asked for, in a folder of its own; a title
    // another topic has is refused, and Cancel makes nothing.
    t.dialogs.texts.push_back(QStringLiteral("Liver and Kidneys"));
    press(TopicScreen::NewTopic);
    const QString made = mine + QStringLiteral("/liver-and-kidneys");
    EXPECT_EQ(filesUnder(made), filesUnder(t.state.topicFolders.templateTopic));
    EXPECT_TRUE(fileFrom(made + QStringLiteral("/topic.txt")).contains("\ntitle: Liver and Kidneys\n"));
    EXPECT_TRUE(fileFrom(made + QStringLiteral("/questions.txt")).startsWith("Liver and Kidneys\r\n \r\n"));
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("as \"liver-and-kidneys\"")));
    const QStringList withNew = filesUnder(mine);
    fakeReports();
    t.dialogs.texts.push_back(QStringLiteral("bones"));
    press(TopicScreen::NewTopic);
    EXPECT_EQ(lastMessage(), QStringLiteral("There is already a topic called \"Bones\": choose another title."));
    press(TopicScreen::NewTopic); // cancelled
    EXPECT_EQ(filesUnder(mine), withNew);
}

// Pictures of the menu and the topic screen with a broken topic chosen, for a person to look at.
// Written only when CORVANA_SHOTS_DIR names a folder.
TEST_F(TopicScreenTest, Shots)
{
    const QString dir = qEnvironmentVariable("CORVANA_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "set CORVANA_SHOTS_DIR to write screenshots";
    QDir().mkpath(dir);
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    EXPECT_TRUE(menu.grab().save(dir + QStringLiteral("/menu_with_topics.png")));
    chooseRow(3);
    EXPECT_TRUE(screen().grab().save(dir + QStringLiteral("/topic_screen.png")));
}
