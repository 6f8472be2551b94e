// The topic hubs as a pupil meets them from the main menu.
#include "topics_helpers.h"

#include "activities/activity_screen.h"
#include "menu/main_menu.h"
#include "menu/menu_routes.h"
#include "topics/paged_reader.h"
#include "topics/topic_hub.h"
#include "worksheets/worksheet_store.h"

#include "test_topics.h"
#include "test_app.h"

#include <QAccessible>
#include <QImage>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QByteArray jpegOfWidth(int widthPixels, int heightPixels = 40)
{
    QImage image(widthPixels, heightPixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// The test topics' media folder with a "multiple" folder of its own, so that a test can change a
// topic's question set where the program keeps it.
QString shippedWithOwnSets(const QTemporaryDir& dir)
{
    for (const QFileInfo& e : QDir(fixtureDataDir()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString to = dir.path() + QLatin1Char('/') + e.fileName();
        if (e.fileName().compare(QLatin1String("multiple"), Qt::CaseInsensitive) != 0) {
            QFile::link(e.filePath(), to);
            continue;
        }
        QDir().mkpath(to);
        for (const QFileInfo& f : QDir(e.filePath()).entryInfoList(QDir::Files))
            QFile::link(f.filePath(), to + QLatin1Char('/') + f.fileName());
    }
    return dir.path();
}

struct HubTest : ::testing::Test {
    QTemporaryDir shipped;
    TestApp t{shippedWithOwnSets(shipped)};
    MainMenu& menu = t.screens.touch<MainMenu>();

    // Replaces a file of the program's own data, as a new version of the program would.
    void writeShipped(const QString& relative, const QByteArray& bytes)
    {
        const QString path = shipped.path() + QLatin1Char('/') + relative;
        QFile::remove(path);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    TopicHub& open(int entry)
    {
        menu.entryAction(entry);
        TopicHub* hub = qobject_cast<TopicHub*>(
            t.screens.find(t.state.topics->byMenuEntry(entry)->hub.screen));
        EXPECT_NE(hub, nullptr);
        return *hub;
    }
};

} // namespace

TEST_F(HubTest, MenuEntriesOpenTheHubsWithTheirTitlesAndButtons)
{
    auto& parts = open(0);
    EXPECT_TRUE(parts.isVisible());
    EXPECT_EQ(parts.item<QLabel>("Label1")->text(), "Parts of the Body");
    EXPECT_EQ(parts.backgroundColour(), QColor(39, 63, 137));
    EXPECT_EQ(parts.button("label3", 0)->text(), "Multiple Choice");
    EXPECT_EQ(parts.button("label3", 5)->text(), "Teacher's Notes");
    EXPECT_EQ(parts.button("label3", 4)->geometry(), display::rect(6360, 120, 1995, 495));
    EXPECT_EQ(parts.button("label3", 2)->geometry(), display::rect(10560, 7920, 1245, 495));

    auto& bones = open(11);
    EXPECT_EQ(bones.item<QLabel>("Label1")->text(), "Bones");
    EXPECT_EQ(bones.image()->pos(), display::rect(1500, 720, 0, 0).topLeft());
    EXPECT_TRUE(t.screens.isLoaded("intro0")); // the menu stays open beneath
}

TEST_F(HubTest, VitruvianPictureIsCentredAtItsOwnSize)
{
    t.writeUserFile("Images/vitruvius2.jpg", jpegOfWidth(400)); // 6000 twips
    auto& parts = open(0);
    EXPECT_EQ(parts.image()->source(), "Images\\vitruvius2.jpg");
    EXPECT_EQ(parts.image()->geometry(), display::rect(3000, 840, 6000, 600));
}

TEST_F(HubTest, PictureWiderThanTheScreenGetsANegativeLeft)
{
    t.writeUserFile("Images/vitruvius2.jpg", jpegOfWidth(900)); // 13500 twips
    auto& parts = open(0);
    EXPECT_EQ(parts.image()->x(), display::toPixels(-750));
}

TEST_F(HubTest, SkullAnimationRunsAt50msFromFrame000AndWraps)
{
    auto& bones = open(11);
    auto* timer = bones.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(bones.animFrame(), 0);
    EXPECT_EQ(bones.image()->source(), "skull\\hells000.jpg");

    QStringList seen;
    for (int i = 0; i < 200; ++i) {
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
        seen << bones.image()->source();
    }
    EXPECT_EQ(seen[0], "skull\\hells001.jpg");
    EXPECT_EQ(seen[98], "skull\\hells099.jpg");
    EXPECT_EQ(seen[99], "skull\\hells100.jpg");
    EXPECT_EQ(seen[198], "skull\\hells199.jpg");
    EXPECT_EQ(seen[199], "skull\\hells000.jpg");
    EXPECT_EQ(bones.animFrame(), 0);
}

TEST_F(HubTest, BackgroundTurnsAllSixButtonsPlainAndHoverHighlightsOne)
{
    auto& bones = open(11);
    for (int i = 0; i < 6; ++i)
        moveMouseOver(bones.button("label3", i));
    moveMouseOver(bones.item<QLabel>("Label1")); // the title is not the background
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(bones.button("label3", i)->isHighlighted()) << i;

    moveMouseAtTwips(&bones, 6000, 8700);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(bones.button("label3", i)->isHighlighted()) << i;

    moveMouseOver(bones.button("label3", 3));
    EXPECT_TRUE(bones.button("label3", 3)->isHighlighted());
    EXPECT_FALSE(bones.button("label3", 4)->isHighlighted());
}

TEST_F(HubTest, ExitBringsBackTheMenuClosesTheHubAndClicks)
{
    auto& parts = open(0);
    t.sound.played.clear();
    emit parts.button("label3", TopicHub::Exit)->clicked(TopicHub::Exit);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded("parts"));
    EXPECT_TRUE(t.screens.isLoaded("intro0"));
    EXPECT_EQ(t.sound.played, QStringList{"wav\\click.wav"});
}

TEST_F(HubTest, ReopenedBonesHubRestartsItsAnimation)
{
    auto& bones = open(11);
    auto* timer = bones.findChild<QTimer*>("Timer1");
    for (int i = 0; i < 5; ++i)
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    bones.buttonAction(TopicHub::Exit);
    TestApp::settle();
    auto& again = open(11);
    EXPECT_EQ(again.animFrame(), 0);
    EXPECT_EQ(again.image()->source(), "skull\\hells000.jpg");
}

// ---------------------------------------------------------------- pages

TEST_F(HubTest, KeyFactsOpensTheReaderOnAOnePageSet)
{
    touchFreshReader(t.app, {0, 2, "bones"}); // still open on an earlier two-page set
    auto& parts = open(0);
    parts.buttonAction(TopicHub::KeyFacts);
    auto* reader = t.screens.find<PagedReader>();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->handOff().readerPageCount, 1);
    EXPECT_EQ(reader->handOff().readerPageSet, "key parts of the body");
    EXPECT_EQ(reader->image()->source(), "wmf\\key parts of the body.wmf");
    EXPECT_EQ(reader->printImage()->source(), "wmf2\\key parts of the body.wmf");
    // The load saw the one-page count: no paging.
    EXPECT_TRUE(reader->item<QLabel>("Label1")->isHidden());
    EXPECT_TRUE(reader->button("Label3", 2)->isHidden());
    EXPECT_TRUE(reader->button("Label3", 3)->isHidden());
    EXPECT_TRUE(reader->isVisible());
    EXPECT_TRUE(t.screens.isLoaded("parts"));
}

TEST_F(HubTest, BonesTeachersNotesOpensTheReaderOnTwoPages)
{
    touchFreshReader(t.app, {0, 1, "introduction"}); // still open on a one-page set
    auto& bones = open(11);
    bones.buttonAction(TopicHub::TeachersNotes);
    auto* reader = t.screens.find<PagedReader>();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->handOff().readerPageSet, "bones");
    EXPECT_EQ(reader->image()->source(), "wmf\\bonesa.wmf");
    EXPECT_EQ(reader->printImage()->source(), "wmf2\\bonesa.wmf");
    EXPECT_FALSE(reader->item<QLabel>("Label1")->isHidden());
    EXPECT_EQ(reader->item<QLabel>("Label1")->text(), "Page 1 of 2");
    EXPECT_TRUE(reader->button("Label3", 2)->isEnabled());
    EXPECT_FALSE(reader->button("Label3", 3)->isEnabled());
}

TEST_F(HubTest, OtherReaderOpeningsFromTheHubsHaveOnePage)
{
    auto& bones = open(11);
    bones.buttonAction(TopicHub::KeyFacts);
    EXPECT_EQ(t.screens.find<PagedReader>()->handOff().readerPageSet, "key bones");
    EXPECT_TRUE(t.screens.find<PagedReader>()->button("Label3", 2)->isHidden());
    t.screens.find<PagedReader>()->buttonAction(PagedReader::Exit);
    TestApp::settle();

    auto& parts = open(0);
    parts.buttonAction(TopicHub::TeachersNotes);
    EXPECT_EQ(t.screens.find<PagedReader>()->handOff().readerPageSet, "parts of the body");
    EXPECT_EQ(t.screens.find<PagedReader>()->image()->source(), "wmf\\parts of the body.wmf");
    EXPECT_TRUE(t.screens.find<PagedReader>()->button("Label3", 2)->isHidden());
}

// ---------------------------------------------------------------- the quiz

TEST_F(HubTest, MultipleChoiceLoadsTheTopicSetEachTime)
{
    writeShipped("multiple/Bones.txt", questionSetFile("Bones quiz"));
    auto& bones = open(11);
    bones.buttonAction(TopicHub::MultipleChoice);
    EXPECT_TRUE(t.messages.shown.isEmpty());
    EXPECT_EQ(t.state.currentSet.title, "Bones quiz");
    EXPECT_EQ(t.state.currentSet.question(10).text, "Bones quiz question 10");
    // The quiz opens over the hub on the set just read, with the hub's picture.
    Screen* quiz = t.screens.find("multiple");
    ASSERT_NE(quiz, nullptr);
    EXPECT_TRUE(quiz->isVisible());
    EXPECT_EQ(quiz->item<PictureItem>("Picture1")->source(), "images\\skullsm2.jpg");
    EXPECT_EQ(quiz->item<QLabel>("Label5")->text(), "Corvana");
    EXPECT_EQ(quiz->item<QLabel>("Label6")->text(), "Bones quiz");
    EXPECT_TRUE(t.screens.isLoaded("bones"));
    t.screens.close(*quiz);
    TestApp::settle();

    // The file is read again on the next press.
    writeShipped("multiple/Bones.txt", questionSetFile("Bones again"));
    bones.buttonAction(TopicHub::MultipleChoice);
    EXPECT_EQ(t.state.currentSet.title, "Bones again");
}

TEST(HubQuestionSet, MissingSetNamesTheTopicAndOpensNoQuiz)
{
    QTemporaryDir emptyData; // a data folder without any question set
    TestApp t(emptyData.path());
    t.state.currentSet.title = "Earlier set";
    auto& parts = touchHub(t, "parts");
    parts.buttonAction(TopicHub::MultipleChoice);
    ASSERT_EQ(t.messages.shown.size(), 1);
    EXPECT_TRUE(t.messages.shown[0].text.contains("\"Parts of the Body\""));
    EXPECT_FALSE(t.screens.isLoaded("multiple"));
    EXPECT_EQ(t.state.currentSet.title, "Earlier set");
    // Still usable.
    parts.buttonAction(TopicHub::TeachersNotes);
    EXPECT_TRUE(t.screens.isLoaded("teacher"));
}

TEST_F(HubTest, ShortSetLeavesTheCurrentSetWholeAndTheHubUsable)
{
    writeShipped("multiple/Bones.txt", questionSetFile("Complete"));
    auto& bones = open(11);
    bones.buttonAction(TopicHub::MultipleChoice);
    ASSERT_EQ(t.state.currentSet.title, "Complete");
    t.screens.close(*t.screens.find("multiple"));
    TestApp::settle();

    // Cut after question 4's text: a loader writing straight into currentSet would leave a
    // new title and new first questions over the old rest.
    writeShipped("multiple/Bones.txt", shortQuestionSetFile("Broken", 2 + 3 * 7 + 1));
    t.sound.played.clear();
    emit bones.button("label3", TopicHub::MultipleChoice)->clicked(TopicHub::MultipleChoice);
    ASSERT_EQ(t.messages.shown.size(), 1);
    EXPECT_TRUE(t.messages.shown[0].text.contains("\"Bones\""));
    EXPECT_FALSE(t.screens.isLoaded("multiple"));
    EXPECT_EQ(t.state.currentSet.title, "Complete");
    EXPECT_EQ(t.state.currentSet.question(1).text, "Complete question 1");
    EXPECT_EQ(t.sound.played, QStringList{"wav\\click.wav"});

    // The hub still works, and the file was released: it can be replaced and read.
    writeShipped("multiple/Bones.txt", questionSetFile("Mended"));
    bones.buttonAction(TopicHub::MultipleChoice);
    EXPECT_EQ(t.state.currentSet.title, "Mended");
    bones.buttonAction(TopicHub::KeyFacts);
    EXPECT_TRUE(t.screens.isLoaded("teacher"));
}

TEST_F(HubTest, BadCorrectDigitIsRefusedLikeAShortSet)
{
    QByteArray bytes = questionSetFile("Digits");
    bytes.replace("\r\n4\r\n", "\r\n7\r\n"); // one correct-option digit out of range
    writeShipped("multiple/Bones.txt", bytes);
    t.state.currentSet.title = "Before";
    open(11).buttonAction(TopicHub::MultipleChoice);
    EXPECT_EQ(t.messages.shown.size(), 1);
    EXPECT_EQ(t.state.currentSet.title, "Before");
}

// A worksheet a teacher saved before a topic of the same title existed stays in the user's
// folder and in the catalogue; the topic's own quiz always comes from the program's data.
TEST_F(HubTest, AnOldWorksheetWithATopicsTitleNeverReplacesTheTopicsQuiz)
{
    writeShipped("multiple/Bones.txt", questionSetFile("Bones"));
    t.writeUserFile("multiple/Bones.txt", questionSetFile("Teacher's bones").replace("Teacher's bones\r\n", "Bones\r\n"));
    t.writeUserFile("multiple/track.txt", " 1 \r\nBones\r\n");
    open(11).buttonAction(TopicHub::MultipleChoice);
    EXPECT_TRUE(t.messages.shown.isEmpty());
    EXPECT_EQ(t.state.currentSet.question(1).text, "Bones question 1");
    t.screens.close(*t.screens.find("multiple"));

    QuestionSet fromCatalogue;
    ASSERT_TRUE(loadWorksheet(t.files, "Bones", fromCatalogue));
    EXPECT_EQ(fromCatalogue.question(1).text, "Teacher's bones question 1");
}

// ---------------------------------------------------------------- more topics

namespace {

// A copy of a test topic under another title and without a menu entry, with `count`
// activities taken in turn from the original's, each on a screen of its own.
TopicFile extraTopic(const TopicFile& from, const QString& title, int count)
{
    TopicFile t = from;
    const QString name = title.toLower().remove(' ');
    t.folderName = t.hub.screen = name;
    t.hub.title = t.hub.menuCaption = title;
    t.hub.menuEntry = -1;
    t.hub.keyFacts.pageSet = "key " + name;
    t.hub.teachersNotes.pageSet = name;
    t.activities.clear();
    t.hub.activities.clear();
    for (int i = 0; i < count; ++i) {
        TopicActivity a = from.activities[size_t(i) % from.activities.size()];
        a.file.layout.name = QStringLiteral("%1act%2").arg(name).arg(i);
        a.caption = QStringLiteral("Activity %1").arg(i + 1);
        t.hub.activities.push_back({a.file.layout.name, a.caption});
        t.activities.push_back(std::move(a));
    }
    return t;
}

QStringList shownCaptions(const Screen& screen, const char* array, int count)
{
    QStringList captions;
    for (int i = 0; i < count; ++i)
        if (ButtonLabel* b = screen.button(array, i); b && b->isVisible())
            captions << b->text();
    return captions;
}

// The hub's buttons along the bottom in reading order, after checking that none overlaps
// another or leaves the screen, and that rows line up.
QStringList bottomButtonsInReadingOrder(TopicHub& hub)
{
    QList<ButtonLabel*> buttons;
    for (ButtonLabel* b : hub.findChildren<ButtonLabel*>())
        if (b->objectName().startsWith("label3("))
            buttons << b;
    const QRect screen = display::rect(0, 0, 12000, 9000);
    for (ButtonLabel* a : buttons) {
        EXPECT_TRUE(screen.contains(a->geometry())) << a->objectName().toStdString();
        for (ButtonLabel* b : buttons)
            EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
                << a->objectName().toStdString() << " overlaps " << b->objectName().toStdString();
    }
    std::sort(buttons.begin(), buttons.end(), [](ButtonLabel* a, ButtonLabel* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    QStringList captions;
    for (ButtonLabel* b : buttons)
        if (b->y() > display::toPixels(1000)) { // not Key Facts and Teacher's Notes at the top
            EXPECT_TRUE(b->x() == display::toPixels(120) || b->x() == display::toPixels(3600) ||
                        b->x() == display::toPixels(7080) || b->text() == "Exit")
                << b->text().toStdString();
            captions << b->text();
        }
    return captions;
}

} // namespace

TEST(MoreTopics, TopicsWithoutAPlaceAreListedOnMorePagesAndTheirHubsLayOutEveryActivity)
{
    TestApp t(fixtureDataDir());
    auto& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    // Every test topic has a place of its own: no more pages, no More Topics.
    EXPECT_EQ(menu.pageCount(), 1);
    ButtonLabel* more = menu.button("Label5", 0);
    ButtonLabel* back = menu.button("Label5", 1);
    EXPECT_FALSE(more->isVisible());

    // Eighteen topics more: one takes a free place among the entries, the others need two
    // pages of their own, listed by title whatever the order they came in, numbers as counted.
    auto catalogue = std::make_shared<TopicCatalogue>();
    for (const auto& topic : fixtureTopics().topics())
        ASSERT_TRUE(catalogue->add(*topic));
    const TopicFile& parts = *fixtureTopics().byScreen("parts");
    for (int i = 18; i >= 1; --i) {
        TopicFile extra = extraTopic(parts, QStringLiteral("Topic %1").arg(i),
                                     i == 1 ? 3 : i == 2 ? 8 : 2);
        if (i == 18) {
            extra.hub.menuEntry = 5;
            extra.hub.menuCaption = "Eighteen";
        }
        if (i == 16)
            extra.hub.menuCaption = "Alphabet"; // listed by what the pupil reads
        QString why;
        ASSERT_TRUE(catalogue->add(std::move(extra), &why)) << why.toStdString();
    }
    t.state.topics = catalogue;
    // Read again while another screen stood in front: the menu shows them when it comes back.
    QEvent activated(QEvent::WindowActivate);
    QApplication::sendEvent(&menu, &activated);
    EXPECT_EQ(menu.button("Label2", 5)->text(), "Eighteen");
    EXPECT_EQ(menu.button("Label2", 0)->text(), "Parts of the Body");
    EXPECT_EQ(menu.pageCount(), 3);
    ASSERT_TRUE(more->isVisible());
    EXPECT_FALSE(back->isVisible());
    EXPECT_EQ(more->geometry(), display::rect(3360, 7800, 3075, 375));
    EXPECT_EQ(more->font().pointSizeF(), menu.button("Label2", 0)->font().pointSizeF());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(more)->text(QAccessible::Name), "More Topics");
    EXPECT_TRUE(menu.hoverButtons().contains(more));

    t.sound.played.clear();
    QTest::mouseClick(more, Qt::LeftButton);
    EXPECT_EQ(menu.page(), 1);
    EXPECT_EQ(menu.item<QLabel>("Label6")->text(), "More Topics (page 1 of 2)");
    EXPECT_TRUE(shownCaptions(menu, "Label2", MainMenu::entryCount).contains("Multiple Choice Wizard"));
    EXPECT_FALSE(menu.button("Label2", 0)->isVisible());
    const QStringList firstPage = shownCaptions(menu, "Label4", MainMenu::topicsPerPage);
    ASSERT_EQ(firstPage.size(), 16);
    EXPECT_EQ(firstPage.mid(0, 2), QStringList({"Alphabet", "Topic 1"}));
    EXPECT_EQ(firstPage.last(), "Topic 15");
    EXPECT_EQ(menu.button("Label4", 8)->geometry(), display::rect(3360, 2040, 3075, 375)); // down, then across
    EXPECT_TRUE(back->isVisible());
    menu.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    more->setFocus();
    QTest::keyClick(more, Qt::Key_Return); // the keyboard turns the page as well
    EXPECT_EQ(shownCaptions(menu, "Label4", MainMenu::topicsPerPage), QStringList{"Topic 17"});
    EXPECT_FALSE(more->isVisible());
    EXPECT_EQ(menu.focusWidget(), menu.button("Label4", 0)); // not lost with the hidden label
    QTest::keyClick(&menu, Qt::Key_Escape); // a page back, as Back does
    EXPECT_EQ(menu.page(), 1);
    EXPECT_EQ(t.sound.played, QStringList(2, "wav\\click.wav"));

    // Eight activities: Multiple Choice and the first two above, three rows in all, Exit last.
    QTest::mouseClick(menu.button("Label4", 2), Qt::LeftButton);
    auto* eight = qobject_cast<TopicHub*>(t.screens.find("topic2"));
    ASSERT_NE(eight, nullptr);
    EXPECT_EQ(bottomButtonsInReadingOrder(*eight),
              QStringList({"Multiple Choice", "Activity 1", "Activity 2", "Activity 3", "Activity 4", "Activity 5",
                           "Activity 6", "Activity 7", "Activity 8", "Exit"}));
    EXPECT_EQ(eight->button("label3", TopicHub::MultipleChoice)->geometry(), display::rect(120, 6720, 3195, 495));
    EXPECT_EQ(eight->button("label3", TopicHub::activityButton(7))->geometry(), display::rect(7080, 7920, 3195, 495));
    // Its tall picture is made smaller, keeping its shape, to end above the buttons.
    const QSizeF own = eight->image()->picture().sizeTwips();
    const QRect drawn = eight->image()->geometry();
    EXPECT_LT(drawn.bottom(), eight->button("label3", TopicHub::MultipleChoice)->geometry().top());
    EXPECT_LT(display::fromPixels(drawn.height()), own.height());
    EXPECT_NEAR(double(drawn.width()) / drawn.height(), own.width() / own.height(), 0.02);
    eight->buttonAction(TopicHub::Exit);
    TestApp::settle();
    EXPECT_EQ(menu.page(), 1); // back where the pupil left the menu

    // Three: Multiple Choice alone above, the activities along the bottom with Exit.
    QTest::mouseClick(menu.button("Label4", 1), Qt::LeftButton);
    auto* three = qobject_cast<TopicHub*>(t.screens.find("topic1"));
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(bottomButtonsInReadingOrder(*three),
              QStringList({"Multiple Choice", "Activity 1", "Activity 2", "Activity 3", "Exit"}));
    EXPECT_EQ(three->button("label3", TopicHub::MultipleChoice)->geometry(), display::rect(120, 7320, 3195, 495));
    EXPECT_EQ(three->button("label3", TopicHub::Labelling)->geometry(), display::rect(120, 7920, 3195, 495));
    three->buttonAction(TopicHub::activityButton(2));
    auto* third = qobject_cast<activity::ActivityScreen*>(t.screens.find("topic1act2"));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->readerTitle(), "Topic 1: Activity 3");
    t.screens.close(*third);
    three->buttonAction(TopicHub::Exit);
    TestApp::settle();

    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(menu.page(), 0);
    EXPECT_TRUE(menu.button("Label2", 0)->isVisible());
    EXPECT_TRUE(more->isVisible());
    EXPECT_FALSE(back->isVisible());
    EXPECT_TRUE(shownCaptions(menu, "Label4", MainMenu::topicsPerPage).isEmpty());
}
