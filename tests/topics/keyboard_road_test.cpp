// A pupil's whole road through each topic with the keyboard alone: menu, hub, quiz answered
// with 1-4 and A-D, results, review, both activities done by picking labels up with Enter
// and putting them down on boxes, and back to the menu. No mouse event is sent.
#include "activities/activity_screen.h"
#include "quiz/results_screen.h"
#include "quiz/quiz_screen.h"
#include "menu/main_menu.h"
#include "topics/topic_hub.h"

#include "test_app.h"
#include "test_topics.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The widget that has the keyboard: the focus of the window in front.
QWidget* keyboard()
{
    TestApp::settle();
    return QApplication::focusWidget();
}

void press(Qt::Key key)
{
    QWidget* target = keyboard();
    ASSERT_NE(target, nullptr) << "nothing has the keyboard";
    QTest::keyClick(target, key);
    TestApp::settle();
}

// Tabs forward until the widget has the focus; fails if a whole round never reaches it.
void tabTo(QWidget* w)
{
    ASSERT_NE(w, nullptr);
    for (int i = 0; i < 120 && keyboard() != w; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(keyboard(), w) << w->objectName().toStdString() << " cannot be reached with Tab";
}

void activate(QWidget* w)
{
    tabTo(w);
    press(Qt::Key_Return);
}

void placeEveryLabelWithTheKeyboard(TestApp& t, const QString& name)
{
    auto* activity = qobject_cast<activity::ActivityScreen*>(t.screens.find(name));
    ASSERT_NE(activity, nullptr) << name.toStdString();
    ASSERT_EQ(t.screens.front(), activity);
    const int n = activity->layout().count();
    const auto thuds = [&t] { return t.sound.played.count("wav\\thud3.wav"); };
    const auto before = thuds();
    for (int i = 0; i < n; ++i) {
        activate(activity->answerLabel(i)); // picked up
        EXPECT_EQ(activity->engine().held(), i);
        EXPECT_TRUE(activity->answerLabel(i)->isHeld());
        activate(activity->item<QWidget>(ui::itemName("Label1", i))); // put down on its box
        EXPECT_EQ(activity->engine().held(), -1);
        // The box now lies under the label: the focus goes where it can be seen.
        EXPECT_EQ(keyboard(), activity->answerLabel(i));
        EXPECT_EQ(activity->engine().targetHolding(i), i) << name.toStdString() << " label " << i;
    }
    EXPECT_EQ(thuds() - before, n);
    ButtonLabel* checkScore = activity->button("Label3", activity::checkScoreButton);
    ASSERT_TRUE(checkScore->isVisible());
    activate(checkScore);
    EXPECT_EQ(t.screens.find<ResultsScreen>()->result().resultScore, n);
    Screen* results = t.screens.find("Welldone");
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(t.screens.front(), results);
    press(Qt::Key_Escape); // the results' Exit
    EXPECT_FALSE(t.screens.isLoaded("Welldone"));
    EXPECT_EQ(t.screens.front(), activity);
    press(Qt::Key_Escape); // the activity's Exit
    EXPECT_FALSE(t.screens.isLoaded(name));
}

void walk(int menuEntry, const char* hubName, const char* labelling, const char* ordering)
{
    TestApp t{fixtureDataDir()};
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    ASSERT_NE(keyboard(), nullptr);
    activate(menu.button("Label2", menuEntry));
    Screen* hub = t.screens.find(hubName);
    ASSERT_NE(hub, nullptr);
    EXPECT_EQ(t.screens.front(), hub);

    // The quiz: every answer chosen by key, questions 2 and 7 answered wrongly.
    activate(hub->button("label3", TopicHub::MultipleChoice));
    auto* quiz = qobject_cast<QuizScreen*>(t.screens.find("multiple"));
    ASSERT_NE(quiz, nullptr);
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4};
    const Qt::Key letters[] = {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D};
    for (int q = 1; q <= 10; ++q) {
        const int right = correctOption(t.state.currentSet.question(q));
        const int chosen = (q == 2 || q == 7) ? right % 4 + 1 : right;
        press(q % 2 ? digits[chosen - 1] : letters[chosen - 1]);
        EXPECT_TRUE(quiz->option(chosen)->isChecked()) << "question " << q;
        // Down to the forward button, the way a pupil would go.
        activate(quiz->button("Label3", 1));
    }
    EXPECT_FALSE(t.screens.isLoaded("multiple"));
    EXPECT_EQ(t.screens.find<ResultsScreen>()->result().resultScore, 8);

    // Results, then the review of the two wrong answers, left with Escape.
    Screen* results = t.screens.find("Welldone");
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(t.screens.front(), results);
    activate(results->button("Label3", 0)); // Check Wrong Answers
    Screen* review = t.screens.find("Wrong");
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(t.screens.front(), review);
    EXPECT_TRUE(review->item<QLabel>("Label2(1)")->isVisibleTo(review));
    EXPECT_FALSE(review->item<QLabel>("Label2(2)")->isVisibleTo(review));
    press(Qt::Key_Escape);
    EXPECT_FALSE(t.screens.isLoaded("Wrong"));
    EXPECT_FALSE(t.screens.isLoaded("Welldone"));
    EXPECT_EQ(t.screens.front(), hub);

    // Both activities, every label picked up with Enter and put down on its box.
    activate(hub->button("label3", TopicHub::Labelling));
    placeEveryLabelWithTheKeyboard(t, QString::fromLatin1(labelling));
    EXPECT_EQ(t.screens.front(), hub);
    activate(hub->button("label3", TopicHub::Ordering));
    placeEveryLabelWithTheKeyboard(t, QString::fromLatin1(ordering));

    // Escape on the hub is its Exit: back to the menu.
    press(Qt::Key_Escape);
    EXPECT_FALSE(t.screens.isLoaded(hubName));
    EXPECT_EQ(t.screens.front(), &menu);
    EXPECT_TRUE(t.messages.shown.isEmpty());
}

} // namespace

TEST(KeyboardRoad, PartsOfTheBodyWithTheKeyboardAlone) { walk(0, "parts", "partslab", "partsord"); }

TEST(KeyboardRoad, BonesWithTheKeyboardAlone) { walk(11, "bones", "boneslab", "bonesord"); }
