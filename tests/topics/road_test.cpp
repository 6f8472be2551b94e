// A pupil's whole road through each of the test topics: menu, hub, quiz with its
// results, both activities, and back to the menu.
#include "menu/main_menu.h"
#include "topics/topic_hub.h"
#include "worksheets/question_set.h"

#include "test_topics.h"
#include "test_app.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void click(Screen* screen, const char* array, int index)
{
    ASSERT_NE(screen, nullptr);
    ButtonLabel* b = screen->button(array, index);
    ASSERT_NE(b, nullptr) << array << index;
    QTest::mouseClick(b, Qt::LeftButton);
    TestApp::settle();
}

void walk(int menuEntry, const char* hubName, const char* labelling, const char* ordering)
{
    TestApp t{fixtureDataDir()};
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    click(&menu, "Label2", menuEntry);
    Screen* hub = t.screens.find(hubName);
    ASSERT_NE(hub, nullptr);
    const QString topic = hub->item<QLabel>("Label1")->text();

    // The quiz on the topic's question set, every answer right.
    click(hub, "label3", TopicHub::MultipleChoice);
    Screen* quiz = t.screens.find("multiple");
    ASSERT_NE(quiz, nullptr);
    EXPECT_EQ(quiz->item<QLabel>("Label6")->text(), topic);
    for (int q = 1; q <= 10; ++q) {
        const int right = correctOption(t.state.currentSet.question(q));
        ASSERT_GE(right, 1);
        QRadioButton* option = quiz->item<QRadioButton>(ui::itemName("Option1", right));
        ASSERT_NE(option, nullptr);
        // On the button's indicator: a wide option button only takes clicks on its contents.
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        click(quiz, "Label3", 1);
    }
    EXPECT_FALSE(t.screens.isLoaded("multiple"));
    Screen* results = t.screens.find("Welldone");
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->item<QLabel>("Label1")->text(), "Excellent work. You have scored 10 out of 10.");
    click(results, "Label3", 1); // Exit
    EXPECT_FALSE(t.screens.isLoaded("Welldone"));
    EXPECT_EQ(t.screens.find(hubName), hub);

    // Both activities open over the hub with its title and close again.
    for (int action : {int(TopicHub::Labelling), int(TopicHub::Ordering)}) {
        click(hub, "label3", action);
        const QString name = QString::fromLatin1(action == TopicHub::Labelling ? labelling : ordering);
        Screen* activity = t.screens.find(name);
        ASSERT_NE(activity, nullptr);
        EXPECT_TRUE(activity->isVisible());
        EXPECT_EQ(activity->item<QLabel>("Label6")->text(), topic);
        click(activity, "Label3", 0); // Exit
        EXPECT_FALSE(t.screens.isLoaded(name));
    }

    click(hub, "label3", TopicHub::Exit);
    EXPECT_FALSE(t.screens.isLoaded(hubName));
    EXPECT_EQ(t.screens.find<MainMenu>(), &menu);
    EXPECT_TRUE(t.messages.shown.isEmpty());
}

} // namespace

TEST(PupilsRoad, PartsOfTheBodyFromMenuToQuizActivitiesAndBack)
{
    walk(0, "parts", "partslab", "partsord");
}

TEST(PupilsRoad, BonesFromMenuToQuizActivitiesAndBack)
{
    walk(11, "bones", "boneslab", "bonesord");
}
