// What a screen reader hears on every screen, read through Qt's accessibility interfaces as an
// assistive technology would read them.
#include "activities/activity_screen.h"
#include "quiz/quiz_screen.h"
#include "menu/main_menu.h"
#include "menu/title_screen.h"
#include "topics/topic_hub.h"

#include "test_app.h"
#include "test_topics.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

QAccessibleInterface* reader(QWidget* w)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    EXPECT_NE(i, nullptr) << w->objectName().toStdString();
    return i;
}

bool interactive(QAccessible::Role r)
{
    return r == QAccessible::Button || r == QAccessible::RadioButton || r == QAccessible::CheckBox ||
           r == QAccessible::EditableText || r == QAccessible::Graphic;
}

// Walks a screen's accessible tree: every item a pupil can see and use must have a name.
// Returns how many of its items are named.
int namedItems(Screen* screen)
{
    EXPECT_NE(screen, nullptr);
    if (!screen)
        return 0;
    int named = 0;
    std::function<void(QAccessibleInterface*)> visit = [&](QAccessibleInterface* node) {
        for (int c = 0; c < node->childCount(); ++c) {
            QAccessibleInterface* child = node->child(c);
            if (!child || child->state().invisible)
                continue;
            const QString name = child->text(QAccessible::Name);
            if (!name.trimmed().isEmpty())
                ++named;
            else if (interactive(child->role()))
                ADD_FAILURE() << screen->objectName().toStdString() << ": "
                              << (child->object() ? child->object()->objectName().toStdString() : "?")
                              << " has no name";
            visit(child);
        }
    };
    visit(reader(screen));
    std::printf("  %-9s %3d named items\n", qPrintable(screen->objectName()), named);
    return named;
}

void press(QWidget* w)
{
    QAccessibleInterface* i = reader(w);
    ASSERT_NE(i->actionInterface(), nullptr);
    ASSERT_TRUE(i->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    TestApp::settle();
}

} // namespace

TEST(ScreenReader, EveryScreenNamesWhatAPupilSeesAndUses)
{
    TestApp t{fixtureDataDir()};
    TitleScreen& title = t.screens.touch<TitleScreen>();
    t.screens.show(title);
    EXPECT_GE(namedItems(&title), 8);
    // Each window is named by its own title, not by the caption every window shares.
    EXPECT_EQ(reader(&title)->text(QAccessible::Name), "Corvana");
    EXPECT_EQ(reader(title.item<QWidget>("Picture1"))->text(QAccessible::Name),
              "A brain, with signals racing across it");

    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    EXPECT_GE(namedItems(&menu), 26);
    EXPECT_EQ(reader(&menu)->text(QAccessible::Name), "Corvana main menu");
    // The entry that exists but is never shown is not there for a screen reader at all.
    for (int c = 0; c < reader(&menu)->childCount(); ++c)
        EXPECT_NE(reader(&menu)->child(c)->object(), menu.button("Label2", 14));
    QAccessibleInterface* parts = reader(menu.button("Label2", 0));
    EXPECT_EQ(parts->role(), QAccessible::Button);
    EXPECT_EQ(parts->text(QAccessible::Name), "Parts of the Body");
    EXPECT_EQ(reader(menu.item<QWidget>("Option2"))->role(), QAccessible::RadioButton);

    // A button label is pressed through the reader as by a click: it opens the hub.
    press(menu.button("Label2", 0));
    Screen* hub = t.screens.find("parts");
    ASSERT_NE(hub, nullptr);
    EXPECT_GE(namedItems(hub), 8);
    EXPECT_EQ(reader(hub)->text(QAccessible::Name), "Parts of the Body");
    EXPECT_TRUE(reader(hub->item<QWidget>("Image1"))->text(QAccessible::Name).startsWith("A drawing of a person"));

    // The page of a reader is read as its heading, its words as the description.
    press(hub->button("label3", TopicHub::KeyFacts));
    Screen* page = t.screens.find("teacher");
    ASSERT_NE(page, nullptr);
    EXPECT_GE(namedItems(page), 3);
    QAccessibleInterface* sheet = reader(page->item<QWidget>("Image1"));
    EXPECT_EQ(sheet->role(), QAccessible::Graphic);
    EXPECT_TRUE(sheet->text(QAccessible::Name).startsWith("Page: Key Facts")) << qPrintable(sheet->text(QAccessible::Name));
    EXPECT_TRUE(sheet->text(QAccessible::Description).contains("head")) << qPrintable(sheet->text(QAccessible::Description));
    t.screens.close(*page);

    // The quiz: options read as option buttons with their answers; Next pressed from the
    // reader moves on.
    press(hub->button("label3", TopicHub::MultipleChoice));
    auto* quiz = qobject_cast<QuizScreen*>(t.screens.find("multiple"));
    ASSERT_NE(quiz, nullptr);
    EXPECT_GE(namedItems(quiz), 12);
    QAccessibleInterface* option = reader(quiz->option(1));
    EXPECT_EQ(option->role(), QAccessible::RadioButton);
    EXPECT_EQ(option->text(QAccessible::Name), "1, A: " + t.state.currentSet.question(1).options[1]);
    EXPECT_EQ(reader(quiz)->text(QAccessible::Name), "Multiple Choice: Parts of the Body");
    for (int q = 1; q <= 10; ++q)
        press(quiz->button("Label3", 1));
    Screen* results = t.screens.find("Welldone");
    ASSERT_NE(results, nullptr);
    EXPECT_GE(namedItems(results), 5);
    EXPECT_EQ(reader(results)->text(QAccessible::Name), "Well Done!");
    press(results->button("Label3", 0)); // Check Wrong Answers
    Screen* review = t.screens.find("Wrong");
    ASSERT_NE(review, nullptr);
    EXPECT_GE(namedItems(review), 13);
    press(review->button("Label3", 1));

    // Activity labels read with their text and where they lie; boxes by number, with what
    // they hold, never by the label that belongs in them.
    press(hub->button("label3", TopicHub::Labelling));
    auto* lab = qobject_cast<activity::ActivityScreen*>(t.screens.find("partslab"));
    ASSERT_NE(lab, nullptr);
    EXPECT_GE(namedItems(lab), 6 * 3 + 4);
    EXPECT_EQ(reader(lab)->text(QAccessible::Name), "Parts of the Body: Labelling Activity");
    QAccessibleInterface* leg = reader(lab->answerLabel(0));
    EXPECT_EQ(leg->role(), QAccessible::Button);
    EXPECT_EQ(leg->text(QAccessible::Name), "Leg");
    EXPECT_EQ(leg->text(QAccessible::Description), "in its starting place");
    press(lab->answerLabel(0)); // picked up
    EXPECT_TRUE(leg->state().checked);
    EXPECT_EQ(leg->text(QAccessible::Description), "picked up, in its starting place");
    QWidget* legBox = lab->item<QWidget>("Label1(0)");
    // A box says where its pointer goes, in the topic author's words, never what belongs there.
    const QString boxName = reader(legBox)->text(QAccessible::Name);
    EXPECT_TRUE(boxName.startsWith("Box ")) << qPrintable(boxName);
    EXPECT_TRUE(boxName.endsWith(", " + lab->layout().items[0].where)) << qPrintable(boxName);
    EXPECT_FALSE(boxName.contains("Leg", Qt::CaseInsensitive));
    EXPECT_EQ(reader(legBox)->text(QAccessible::Description), "empty");
    press(legBox); // put down
    EXPECT_EQ(leg->text(QAccessible::Description), "in " + boxName.section(',', 0, 0).toLower());
    EXPECT_EQ(reader(legBox)->text(QAccessible::Description), "holds Leg");
    EXPECT_EQ(reader(lab->item<QWidget>("Label4(0)"))->text(QAccessible::Description), "empty");
    EXPECT_EQ(reader(lab->item<QWidget>("Image1(0)"))->text(QAccessible::Name),
              "A child, with lines pointing to parts of the body");
    t.screens.close(*lab);
    press(hub->button("label3", TopicHub::Ordering));
    EXPECT_GE(namedItems(t.screens.find("partsord")), 10 * 3 + 4);
    t.screens.close(*t.screens.find("partsord"));

    menu.entryAction(11);
    Screen* bones = t.screens.find("bones");
    EXPECT_GE(namedItems(bones), 8);
    EXPECT_EQ(reader(bones->item<QWidget>("Image1"))->text(QAccessible::Name), "A skull that looks around and laughs");
    auto* topic = static_cast<TopicHub*>(bones);
    topic->buttonAction(TopicHub::Labelling);
    EXPECT_GE(namedItems(t.screens.find("boneslab")), 7 * 3 + 4);
    topic->buttonAction(TopicHub::Ordering);
    EXPECT_GE(namedItems(t.screens.find("bonesord")), 6 * 3 + 4);

    menu.entryAction(20);
    EXPECT_GE(namedItems(t.screens.find("guide")), 4);
    menu.entryAction(17);
    Screen* wizard = t.screens.find("wizard");
    EXPECT_GE(namedItems(wizard), 100);
    EXPECT_EQ(reader(wizard)->text(QAccessible::Name), "Multiple Choice Wizard");
    EXPECT_EQ(reader(wizard->item<QWidget>("Text3(5)"))->text(QAccessible::Name), "Question 2, answer B");
    menu.entryAction(18);
    EXPECT_GE(namedItems(t.screens.find("worksheets")), 3);
    EXPECT_TRUE(t.messages.shown.isEmpty());
}

// A shipped page's diagram is read where it stands, by the title its picture gives itself.
TEST(ScreenReader, AKeyFactsDiagramIsReadByItsPicturesTitle)
{
    TestApp t;
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    menu.entryAction(7);
    auto* heart = static_cast<TopicHub*>(t.screens.find("heart"));
    ASSERT_NE(heart, nullptr);
    heart->buttonAction(TopicHub::KeyFacts);
    ASSERT_NE(t.screens.find("teacher"), nullptr);
    const QString heartWords =
        reader(t.screens.find("teacher")->item<QWidget>("Image1"))->text(QAccessible::Description);
    EXPECT_TRUE(heartWords.contains("\nPicture: The route of the blood: from the heart to the lungs"))
        << qPrintable(heartWords);
}
