// Click to place, touch, and a display scale other than 1: every way of moving a label must
// end exactly where a mouse drag would, in twips.
#include "activities/activity_engine.h"
#include "activities/activity_layout.h"
#include "activities/activity_screen.h"
#include "quiz/results_screen.h"
#include "activities/open_activity.h"

#include "test_topics.h"
#include "test_app.h"

#include <QPointingDevice>
#include <QTest>

#include <gtest/gtest.h>

using namespace activity;

namespace {

// Runs a test at another display scale and puts the scale back afterwards.
struct DisplayScale {
    explicit DisplayScale(double s) { display::setScale(s); }
    ~DisplayScale() { display::setScale(1.0); }
};

class PlaceTest : public ::testing::Test {
protected:
    ActivityScreen& open(const char* name)
    {
        t.state.soundOn = 1;
        openActivity(t.app, QString::fromLatin1(name), QStringLiteral("Bones"));
        auto* screen = qobject_cast<ActivityScreen*>(t.screens.find(QString::fromLatin1(name)));
        EXPECT_NE(screen, nullptr);
        return *screen;
    }
    static OutlineBox* targetBox(ActivityScreen& s, int i)
    {
        return s.item<OutlineBox>(ui::itemName(QStringLiteral("Label1"), i));
    }
    static void clickAt(QWidget* w, QPoint local) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, local); }
    int thuds() const { return static_cast<int>(t.sound.played.count(thudSound)); }

    TestApp t{fixtureDataDir()};
};

} // namespace

TEST(ClickToPlace, PuttingDownIsADropWhereTheLabelIsPut)
{
    // Against a twin engine driven by drag and drop, for every label and box of every screen.
    for (const ActivityLayout* layout : {&boneslab, &partslab, &partsord, &bonesord}) {
        Engine placed(itemSpecs(*layout));
        Engine dragged(itemSpecs(*layout));
        const int n = layout->count();
        for (int i = 0; i < n; ++i) {
            const Box& box = placed.target((i + 1) % n);
            placed.pickUp(i);
            EXPECT_EQ(placed.held(), i);
            const int snaps = placed.putDownAt(box.left, box.top);
            dragged.setLabelPosition(i, box.left, box.top);
            EXPECT_EQ(snaps, dragged.drop(i)) << layout->name.toStdString() << " " << i;
            EXPECT_EQ(placed.held(), -1);
            EXPECT_EQ(placed.targetHolding(i), (i + 1) % n);
        }
        EXPECT_TRUE(placed.checkScoreVisible());
        EXPECT_EQ(placed.score(), dragged.score());
    }

    // Centred on a point, with the drop's open bounds: 742.5 twips left of a 1485-wide box
    // does not snap, 742 does.
    Engine e(itemSpecs(boneslab));
    const Box box = e.target(3);
    e.pickUp(0);
    EXPECT_EQ(e.putDownCentredOn(box.left - 742.5f + 742.5f, box.top + 187.5f), 0);
    EXPECT_EQ(e.label(0).left, box.left - 742.5f);
    e.pickUp(0);
    EXPECT_EQ(e.putDownCentredOn(box.left - 742.f + 742.5f, box.top + 187.5f), 1);
    EXPECT_EQ(e.targetHolding(0), 3);
    EXPECT_EQ(e.homeHolding(0), -1);

    // Nothing held: nothing moves. Start Again lets go.
    EXPECT_EQ(e.putDownAt(0, 0), 0);
    EXPECT_EQ(e.targetHolding(0), 3);
    e.pickUp(1);
    e.startAgain();
    EXPECT_EQ(e.held(), -1);
    EXPECT_EQ(e.homeHolding(0), 0);
}

TEST(ClickToPlace, EveryEventIsOneStepOfPickingUpPuttingBackOrPuttingDown)
{
    Engine e(itemSpecs(boneslab)); // labels and boxes 1485 x 375
    auto expectStep = [](const Step& step, int settled, int snaps, bool heldChanged, const char* what) {
        EXPECT_EQ(step.settled, settled) << what;
        EXPECT_EQ(step.snaps, snaps) << what;
        EXPECT_EQ(step.heldChanged, heldChanged) << what;
    };

    // Enter on a label picks it up, and again puts it back where it is.
    expectStep(e.chooseLabel(2), -1, 0, true, "pick up");
    EXPECT_EQ(e.held(), 2);
    expectStep(e.chooseLabel(2), -1, 0, true, "put back");
    EXPECT_EQ(e.held(), -1);
    EXPECT_EQ(e.homeHolding(2), 2);
    // With nothing held, a box, the bare screen, Escape and a button change nothing.
    expectStep(e.chooseBox(BoxKind::Target, 0), -1, 0, false, "box, nothing held");
    expectStep(e.clickAt(100, 100), -1, 0, false, "screen, nothing held");
    expectStep(e.putBack(), -1, 0, false, "Escape, nothing held");
    EXPECT_EQ(e.homeHolding(0), 0);

    // Put down on each kind of place: a target box, a home box, another label's place, and a
    // point in empty space (centred there, no snap).
    e.chooseLabel(2);
    expectStep(e.chooseBox(BoxKind::Target, 2), 2, 1, true, "onto a target box");
    EXPECT_EQ(e.targetHolding(2), 2);
    e.chooseLabel(2);
    expectStep(e.chooseBox(BoxKind::Home, 5), 2, 1, true, "onto a home box");
    EXPECT_EQ(e.homeHolding(2), 5);
    e.chooseLabel(0);
    expectStep(e.chooseLabel(2), 0, 1, true, "onto another label");
    EXPECT_EQ(e.homeHolding(0), 5);
    EXPECT_EQ(e.homeHolding(2), 5);
    e.chooseLabel(0);
    expectStep(e.clickAt(3000, 7000), 0, 0, true, "into empty space");
    EXPECT_EQ(e.label(0).left, 3000 - 742.5f);
    EXPECT_EQ(e.label(0).top, 7000 - 187.5f);
    EXPECT_EQ(e.held(), -1);

    // A tap settles the label where it lies (a thud when that is a box) and picks it up; a
    // second tap settles it again and puts it back.
    expectStep(e.tapLabel(2, 0, 0), 2, 1, true, "tap picks up");
    EXPECT_EQ(e.held(), 2);
    expectStep(e.tapLabel(2, 0, 0), 2, 1, true, "tap puts back");
    EXPECT_EQ(e.held(), -1);
    EXPECT_EQ(e.homeHolding(2), 5);
    // A tap on another label while one is held puts the held one down centred on the pointer;
    // the tapped label stays.
    e.tapLabel(1, 0, 0);
    const Box& box = e.target(6);
    expectStep(e.tapLabel(3, box.left + 742.5f, box.top + 187.5f), 1, 1, true, "tap on another label");
    EXPECT_EQ(e.targetHolding(1), 6);
    EXPECT_EQ(e.homeHolding(3), 3);

    // A drag that ends while another label is held: the held one is put back where it is,
    // and the dragged one drops.
    e.chooseLabel(4);
    EXPECT_TRUE(e.drag(6, 742.5f + 4920 - 1440, 187.5f + 6180 - 2400, LeftButton));
    expectStep(e.endDrag(6), 6, 1, true, "drag ends while another is held");
    EXPECT_EQ(e.held(), -1);
    EXPECT_EQ(e.homeHolding(4), 4);
    EXPECT_EQ(e.targetHolding(6), 6);
    expectStep(e.endDrag(6), 6, 1, false, "drag ends, nothing held");

    // The step that puts the last label into a box (label 6 is in its box) shows "Check Score".
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(e.checkScoreVisible());
        e.chooseLabel(i);
        e.chooseBox(BoxKind::Target, i);
    }
    EXPECT_TRUE(e.checkScoreVisible());
    // Escape and the buttons put a held label back; Start Again lets go of it too.
    e.chooseLabel(5);
    expectStep(e.putBack(), -1, 0, true, "Escape");
    e.chooseLabel(5);
    e.startAgain();
    EXPECT_EQ(e.held(), -1);
    EXPECT_FALSE(e.checkScoreVisible());
    EXPECT_EQ(e.homeHolding(5), 5);
    expectStep(e.chooseBox(BoxKind::Target, 5), -1, 0, false, "box after Start Again");
}

TEST_F(PlaceTest, AClickPicksALabelUpAndAClickOnABoxPutsItDown)
{
    ActivityScreen& s = open("boneslab");
    AnswerLabel* skull = s.answerLabel(1);
    const QRect home = skull->geometry();

    // A click is still a drop where the label lies (a thud), and now also picks it up.
    clickAt(skull, skull->rect().center());
    EXPECT_EQ(thuds(), 1);
    EXPECT_TRUE(skull->isHeld());
    EXPECT_EQ(s.engine().held(), 1);
    // A second click on it puts it back: still home, no longer held.
    clickAt(skull, skull->rect().center());
    EXPECT_FALSE(skull->isHeld());
    EXPECT_EQ(skull->geometry(), home);
    EXPECT_EQ(skull->readerDescription(), QStringLiteral("in its starting place"));

    // Picked up, then a click anywhere on its box: exactly into the box, with a thud.
    clickAt(skull, QPoint(3, 3));
    const int before = thuds();
    clickAt(targetBox(s, 1), QPoint(1, 1));
    EXPECT_FALSE(skull->isHeld());
    EXPECT_EQ(s.engine().label(1).left, 4920.f);
    EXPECT_EQ(s.engine().label(1).top, 300.f);
    EXPECT_EQ(skull->geometry(), targetBox(s, 1)->geometry());
    EXPECT_EQ(thuds(), before + 1);
    EXPECT_EQ(skull->readerDescription(), QStringLiteral("in box 1"));

    // A click on the picture puts a held label down centred there, as a drag let go there.
    AnswerLabel* femur = s.answerLabel(4);
    clickAt(femur, femur->rect().center());
    const QPoint onPicture = s.item<QWidget>(QStringLiteral("Image1(0)"))->geometry().center();
    QTest::mouseClick(&s, Qt::LeftButton, Qt::NoModifier, onPicture);
    EXPECT_EQ(s.engine().label(4).left, float(display::fromPixels(onPicture.x())) - 742.5f);
    EXPECT_EQ(s.engine().label(4).top, float(display::fromPixels(onPicture.y())) - 187.5f);
    EXPECT_EQ(femur->readerDescription(), QStringLiteral("not in a box"));

    // A click on another label while one is held puts the held one there: onto the skull's
    // box, where both now count.
    clickAt(femur, femur->rect().center());
    clickAt(skull, skull->rect().center());
    EXPECT_EQ(s.engine().targetHolding(4), 1);
    EXPECT_EQ(s.engine().targetHolding(1), 1);
    EXPECT_FALSE(skull->isHeld());

    // Escape lets go of a held label first; only the next Escape is Exit.
    clickAt(femur, femur->rect().center());
    QTest::keyClick(&s, Qt::Key_Escape);
    EXPECT_EQ(s.engine().held(), -1);
    EXPECT_EQ(femur->readerDescription(), QStringLiteral("in box 1")); // no longer "picked up"
    EXPECT_TRUE(t.screens.isLoaded(QStringLiteral("boneslab")));
    // Start Again lets go too.
    clickAt(femur, femur->rect().center());
    QTest::mouseClick(s.button(QStringLiteral("Label3"), startAgainButton), Qt::LeftButton);
    EXPECT_FALSE(femur->isHeld());
    EXPECT_EQ(s.engine().homeHolding(4), 4);
    QTest::keyClick(&s, Qt::Key_Escape);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("boneslab")));
}

TEST_F(PlaceTest, AShakyClickIsNoDragAndAHeldLabelLetsGoWhenAnotherIsDragged)
{
    ActivityScreen& s = open("partslab");
    AnswerLabel* leg = s.answerLabel(0);
    AnswerLabel* foot = s.answerLabel(1);
    const QRect home = leg->geometry();
    // Two pixels of wobble between press and release: a click, not a two-pixel drag.
    QTest::mousePress(leg, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    QTest::mouseMove(leg, QPoint(22, 11));
    QTest::mouseRelease(leg, Qt::LeftButton, Qt::NoModifier, QPoint(22, 11));
    EXPECT_EQ(leg->geometry(), home);
    EXPECT_TRUE(leg->isHeld());

    // Dragging another label meanwhile is an ordinary drag; the held one is let go.
    const QRect box = targetBox(s, 1)->geometry();
    QTest::mousePress(foot, Qt::LeftButton, Qt::NoModifier, foot->rect().center());
    QTest::mouseMove(foot, foot->mapFrom(&s, box.center()));
    QTest::mouseRelease(foot, Qt::LeftButton, Qt::NoModifier, foot->mapFrom(&s, box.center()));
    EXPECT_EQ(s.engine().targetHolding(1), 1);
    EXPECT_FALSE(leg->isHeld());
    EXPECT_EQ(s.engine().held(), -1);
    EXPECT_EQ(leg->geometry(), home);
}

TEST_F(PlaceTest, AFingerDragsALabelIntoItsBox)
{
    ActivityScreen& s = open("bonesord");
    static QPointingDevice* finger = QTest::createTouchDevice();
    AnswerLabel* label = s.answerLabel(0);
    const QPoint start = label->geometry().center();
    const QPoint box = targetBox(s, 0)->geometry().center();
    QTest::touchEvent(&s, finger).press(0, start, &s);
    QTest::touchEvent(&s, finger).move(0, (start + box) / 2, &s);
    QTest::touchEvent(&s, finger).move(0, box, &s);
    QTest::touchEvent(&s, finger).release(0, box, &s);
    TestApp::settle();
    EXPECT_EQ(s.engine().targetHolding(0), 0);
    EXPECT_EQ(label->geometry(), targetBox(s, 0)->geometry());
    EXPECT_EQ(thuds(), 1);

    // A tap picks a label up, and a tap on a box puts it down there.
    AnswerLabel* other = s.answerLabel(1);
    QTest::touchEvent(&s, finger).press(0, other->geometry().center(), &s);
    QTest::touchEvent(&s, finger).release(0, other->geometry().center(), &s);
    TestApp::settle();
    EXPECT_TRUE(other->isHeld());
    QTest::touchEvent(&s, finger).press(0, targetBox(s, 1)->geometry().center(), &s);
    QTest::touchEvent(&s, finger).release(0, targetBox(s, 1)->geometry().center(), &s);
    TestApp::settle();
    EXPECT_EQ(s.engine().targetHolding(1), 1);
}

TEST_F(PlaceTest, AtADisplayScaleOtherThanOneEveryRuleStaysExactInTwips)
{
    // Fitted to 1920 x 1080: 1.8 screen pixels to a 96-dpi pixel.
    DisplayScale scale(1.8);
    ActivityScreen& s = open("boneslab");
    EXPECT_EQ(s.size(), QSize(1440, 1080));
    AnswerLabel* skull = s.answerLabel(1);
    EXPECT_EQ(skull->geometry(), display::rect(1440, 3000, 1485, 375));

    // The drag rule with the pointer's pixels read at 15 / 1.8 twips each.
    QTest::mousePress(skull, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseMove(skull, QPoint(400, 20));
    EXPECT_EQ(s.engine().label(1).left, 1440.f + float(400 * 15 / 1.8) - 742.5f);
    EXPECT_EQ(s.engine().label(1).top, 3000.f + float(20 * 15 / 1.8) - 187.5f);
    // Let go over its box: exactly the box's twips, and the box's pixels.
    const QRect box = targetBox(s, 1)->geometry();
    QTest::mouseMove(skull, skull->mapFrom(&s, box.center()));
    QTest::mouseRelease(skull, Qt::LeftButton, Qt::NoModifier, skull->mapFrom(&s, box.center()));
    EXPECT_EQ(s.engine().label(1).left, 4920.f);
    EXPECT_EQ(s.engine().label(1).top, 300.f);
    EXPECT_EQ(skull->geometry(), box);

    // The others by click, one into a wrong box: scored as ever.
    for (int i = 0; i < 7; ++i) {
        if (i == 1)
            continue;
        clickAt(s.answerLabel(i), QPoint(2, 2));
        clickAt(targetBox(s, i == 6 ? 5 : i), QPoint(2, 2));
    }
    QTest::mouseClick(s.button(QStringLiteral("Label3"), checkScoreButton), Qt::LeftButton);
    EXPECT_EQ(t.screens.find<ResultsScreen>()->result().resultScore, 6);

    // Back to a window mid-activity: the labels keep their twips and take the new pixels.
    display::setScale(1.0);
    s.rescale();
    EXPECT_EQ(s.size(), QSize(800, 600));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(s.answerLabel(i)->geometry(), s.labelPixelRect(i));
    EXPECT_EQ(skull->geometry(), display::rect(4920, 300, 1485, 375));
    EXPECT_EQ(s.engine().score(), 6);
}
