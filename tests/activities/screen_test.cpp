// The four activity screens with real widgets, driven by mouse events as a pupil would.
#include "test_topics.h"
#include "activities/activity_screen.h"
#include "quiz/results_screen.h"
#include "activities/open_activity.h"

#include "test_app.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace activity;

namespace {

// The result handed to the open results screen; nothing handed when none is open.
ResultHandOff handedResult(const TestApp& t)
{
    const ResultsScreen* done = t.screens.find<ResultsScreen>();
    return done ? done->result() : ResultHandOff{};
}

class ActivityScreenTest : public ::testing::Test {
protected:
    ActivityScreen& open(const QString& name, const QString& title = QStringLiteral("Bones"))
    {
        t.state.soundOn = 1;
        openActivity(t.app, name, title);
        auto* screen = qobject_cast<ActivityScreen*>(t.screens.find(name));
        EXPECT_NE(screen, nullptr) << name.toStdString();
        return *screen;
    }

    // Drags answer label i with the left button so that its top-left lands near (left, top)
    // twips, and lets go.
    static void dragTo(ActivityScreen& s, int i, double left, double top)
    {
        AnswerLabel* label = s.answerLabel(i);
        const QPoint grip = label->rect().center();
        QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, grip);
        const QPoint pointer(display::toPixels(left + s.layout().labelWidth / 2),
                             display::toPixels(top + s.layout().labelHeight / 2));
        // A few steps on the way, as a real drag would send.
        const QPoint start = label->geometry().topLeft() + grip;
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(label, label->mapFrom(&s, start + (pointer - start) * step / 4));
        QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, label->mapFrom(&s, pointer));
    }

    static void dragToTarget(ActivityScreen& s, int label, int box)
    {
        const ItemRow& row = s.layout().items[static_cast<size_t>(box)];
        dragTo(s, label, row.targetLeft + 100, row.targetTop + 60);
    }

    static void click(ActivityScreen& s, int button)
    {
        ButtonLabel* b = s.button(QStringLiteral("Label3"), button);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }

    static void sendMove(QWidget* w, QPoint pos, Qt::MouseButtons buttons)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
    }

    int thuds() const { return static_cast<int>(t.sound.played.count(thudSound)); }

    TestApp t{fixtureDataDir()};
};

QStringList stackingTopMostFirst(const QWidget& parent)
{
    QStringList names;
    // "Read to me" and its bands are the screen's own, not the activity's.
    for (QObject* child : parent.children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->objectName().startsWith(QLatin1String("Read")))
            names.prepend(w->objectName());
    return names;
}

} // namespace

TEST_F(ActivityScreenTest, EachScreenLoadsWithItsTableAndTheOpenersTitle)
{
    for (const ActivityLayout* layout : {&boneslab, &partslab, &partsord, &bonesord}) {
        SCOPED_TRACE(layout->name.toStdString());
        ActivityScreen& s = open(layout->name, QStringLiteral("Parts of the Body"));
        EXPECT_TRUE(s.isVisible());
        EXPECT_EQ(s.item<QLabel>(QStringLiteral("Label6"))->text(), QStringLiteral("Parts of the Body"));
        EXPECT_EQ(s.width(), 800);
        EXPECT_EQ(s.backgroundColour(), layout->background.value_or(ui::frameColour));

        for (int i = 0; i < layout->count(); ++i) {
            const ItemRow& row = layout->items[static_cast<size_t>(i)];
            // The caption has moved from the target box to the answer label.
            EXPECT_EQ(s.answerLabel(i)->text(), row.caption);
            auto* target = s.item<OutlineBox>(ui::itemName(QStringLiteral("Label1"), i));
            EXPECT_TRUE(target->text().isEmpty());
            EXPECT_FALSE(target->isFilled());
            EXPECT_EQ(target->geometry(), display::rect(row.targetLeft, row.targetTop, layout->labelWidth,
                                                      layout->labelHeight));
            const QRect home = display::rect(row.homeLeft, row.homeTop, layout->labelWidth, layout->labelHeight);
            EXPECT_EQ(s.answerLabel(i)->geometry(), home);
            EXPECT_EQ(s.item<QWidget>(ui::itemName(QStringLiteral("Label4"), i))->geometry(), home);
        }
        EXPECT_FALSE(s.button(QStringLiteral("Label3"), checkScoreButton)->isVisible());
        EXPECT_TRUE(s.button(QStringLiteral("Label3"), startAgainButton)->isHighlighted());

        // Every item is stacked where the drawing order puts it.
        QStringList order;
        for (const QString& name : layout->drawingOrder)
            order << name;
        EXPECT_EQ(stackingTopMostFirst(s), order);

        if (!layout->picture.isEmpty()) {
            auto* picture = s.item<PictureItem>(QStringLiteral("Image1(0)"));
            EXPECT_EQ(picture->source(), layout->picture);
            EXPECT_FALSE(picture->picture().isNull());
            EXPECT_EQ(picture->pos(), QPoint(display::toPixels(layout->pictureTopLeft.x()),
                                             display::toPixels(layout->pictureTopLeft.y())));
        }
    }
}

TEST_F(ActivityScreenTest, NoFixedTextLosesALineToItsBox)
{
    for (const ActivityLayout* layout : {&boneslab, &partslab, &partsord, &bonesord}) {
        ActivityScreen& s = open(layout->name);
        for (const TextRow& row : layout->texts) {
            auto* text = s.item<QLabel>(row.name);
            EXPECT_LE(text->heightForWidth(text->width()), text->height()) << layout->name.toStdString() << " " << row.name.toStdString();
            EXPECT_EQ(text->geometry().topLeft(), display::rect(row.rect.left(), row.rect.top(), 0, 0).topLeft());
        }
    }
}

TEST_F(ActivityScreenTest, OpeningAnUnknownActivityDoesNothing)
{
    openActivity(t.app, QStringLiteral("bonesquiz"), QStringLiteral("Bones"));
    EXPECT_TRUE(t.screens.loadedNames().isEmpty());
}

TEST_F(ActivityScreenTest, ALabelFollowsThePointerAndSnapsIntoItsBoxWithOneThud)
{
    ActivityScreen& s = open("boneslab");
    AnswerLabel* skull = s.answerLabel(1);
    QTest::mousePress(skull, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseMove(skull, QPoint(400, 20));
    // Centred on the pointer: (1440 + 400*15 - 742.5, 3000 + 20*15 - 187.5) twips.
    EXPECT_EQ(s.engine().label(1).left, 6697.5f);
    EXPECT_EQ(s.engine().label(1).top, 3112.5f);
    EXPECT_EQ(skull->pos(), QPoint(display::toPixels(6697.5), display::toPixels(3112.5)));
    // The next move is relative to where the label is now.
    QTest::mouseMove(skull, QPoint(49, 12));
    EXPECT_EQ(s.engine().label(1).left, 6697.5f + 49 * 15 - 742.5f);
    EXPECT_EQ(s.engine().label(1).top, 3112.5f + 12 * 15 - 187.5f);
    EXPECT_EQ(thuds(), 0);
    QTest::mouseRelease(skull, Qt::LeftButton, Qt::NoModifier, QPoint(49, 12));
    EXPECT_EQ(thuds(), 0); // let go in empty space

    dragToTarget(s, 1, 1);
    EXPECT_EQ(s.engine().label(1).left, 4920.f);
    EXPECT_EQ(s.engine().label(1).top, 300.f);
    EXPECT_EQ(skull->geometry(), s.item<QWidget>(QStringLiteral("Label1(1)"))->geometry());
    EXPECT_EQ(thuds(), 1);

    // Pressed and let go where it sits: it stays, and thuds again.
    QTest::mouseClick(skull, Qt::LeftButton, Qt::NoModifier, skull->rect().center());
    EXPECT_EQ(skull->geometry(), s.item<QWidget>(QStringLiteral("Label1(1)"))->geometry());
    EXPECT_EQ(thuds(), 2);
}

TEST_F(ActivityScreenTest, NoThudWhileSoundIsOff)
{
    ActivityScreen& s = open("partslab");
    t.state.soundOn = 0;
    dragToTarget(s, 0, 0);
    EXPECT_EQ(s.engine().label(0).left, 1800.f);
    click(s, startAgainButton);
    EXPECT_TRUE(t.sound.played.isEmpty());
}

TEST_F(ActivityScreenTest, LeftWithAnotherButtonDoesNotDragButEveryReleaseDrops)
{
    ActivityScreen& s = open("partslab");
    AnswerLabel* torso = s.answerLabel(2);
    const QRect before = torso->geometry();
    QTest::mousePress(torso, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    sendMove(torso, QPoint(-200, -100), Qt::LeftButton | Qt::RightButton);
    sendMove(torso, QPoint(-200, -100), Qt::RightButton);
    sendMove(torso, QPoint(-200, -100), Qt::LeftButton | Qt::MiddleButton);
    EXPECT_EQ(torso->geometry(), before);
    EXPECT_EQ(s.engine().label(2).left, 8160.f);
    QTest::mouseRelease(torso, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    // Let go on its own home box: it snaps home with a thud.
    EXPECT_EQ(thuds(), 1);
    EXPECT_EQ(torso->geometry(), before);
}

TEST_F(ActivityScreenTest, CheckScoreScoresOwnBoxesAndHandsOverTheWholeResult)
{
    ActivityScreen& s = open("boneslab");
    ButtonLabel* checkScore = s.button(QStringLiteral("Label3"), checkScoreButton);
    for (int i = 0; i < 6; ++i) {
        dragToTarget(s, i, i);
        EXPECT_FALSE(checkScore->isVisible());
    }
    dragToTarget(s, 6, 5); // Tibia into the Rib Cage's box: all placed, one wrong
    EXPECT_TRUE(checkScore->isVisible());
    EXPECT_EQ(thuds(), 7);

    click(s, checkScoreButton);
    EXPECT_EQ(handedResult(t).resultScore, 6);
    EXPECT_EQ(handedResult(t).resultOutOf, 7);
    EXPECT_EQ(t.sound.played.last(), ui::clickSound);
    EXPECT_TRUE(t.screens.isLoaded(QStringLiteral("boneslab"))); // stays beneath the results

    // Dragging out of a box after that leaves the button visible.
    dragTo(s, 0, 3000, 8000);
    EXPECT_TRUE(checkScore->isVisible());
    dragToTarget(s, 6, 6);
    click(s, checkScoreButton);
    EXPECT_EQ(handedResult(t).resultScore, 6);

    // Start Again changes no result already handed over.
    click(s, startAgainButton);
    EXPECT_EQ(handedResult(t).resultScore, 6);
    EXPECT_FALSE(checkScore->isVisible());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(s.answerLabel(i)->geometry(), s.item<QWidget>(ui::itemName(QStringLiteral("Label4"), i))->geometry());
}

TEST_F(ActivityScreenTest, CheckScoreShowsTheResultsScreenOverTheActivity)
{
    ActivityScreen& s = open("partslab");
    for (int i = 0; i < 6; ++i)
        dragToTarget(s, i, i);
    click(s, checkScoreButton);
    Screen* results = t.screens.find(QStringLiteral("Welldone"));
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisible());
    EXPECT_EQ(results->item<QLabel>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Excellent work. You have scored 6 out of 6."));
    // The activity stays open beneath, every label where it was.
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.engine().score(), 6);
    EXPECT_EQ(t.screens.find(QStringLiteral("partslab")), &s);
}

TEST_F(ActivityScreenTest, PartsordAndBonesordScoreThroughTheirScreens)
{
    ActivityScreen& parts = open("partsord", QStringLiteral("Parts of the Body"));
    const int columnSwapped[] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}; // every label in the other column
    for (int i = 0; i < 10; ++i)
        dragToTarget(parts, i, columnSwapped[i]);
    click(parts, checkScoreButton);
    EXPECT_EQ(handedResult(t).resultScore, 0);
    EXPECT_EQ(handedResult(t).resultOutOf, 10);
    const int ownColumn[] = {4, 3, 2, 1, 0, 9, 8, 7, 6, 5};
    for (int i = 0; i < 10; ++i)
        dragToTarget(parts, i, ownColumn[i]);
    click(parts, checkScoreButton);
    EXPECT_EQ(handedResult(t).resultScore, 10);

    ActivityScreen& bones = open("bonesord");
    for (int i = 0; i < 6; ++i)
        dragToTarget(bones, i, i);
    click(bones, checkScoreButton);
    EXPECT_EQ(handedResult(t).resultScore, 6);
    EXPECT_EQ(handedResult(t).resultOutOf, 6);
    // The two "stirrup bone in the ear." labels swapped: the sentences read the same.
    dragToTarget(bones, 2, 5);
    dragToTarget(bones, 5, 2);
    click(bones, checkScoreButton);
    EXPECT_EQ(handedResult(t).resultScore, 6);
}

TEST_F(ActivityScreenTest, LabelsDraggedOffTheScreenOrOntoEachOtherComeHomeOnStartAgain)
{
    ActivityScreen& s = open("bonesord");
    dragTo(s, 0, -30000, -30000);
    dragTo(s, 1, 40000, 20000);
    dragTo(s, 2, 3000, 5200);
    dragTo(s, 3, 3000, 5200); // let go on top of label 2
    EXPECT_EQ(s.answerLabel(3)->geometry(), s.answerLabel(2)->geometry());
    EXPECT_FALSE(s.rect().intersects(s.answerLabel(0)->geometry()));
    EXPECT_EQ(thuds(), 0);
    click(s, startAgainButton);
    for (int i = 0; i < 6; ++i) {
        const ItemRow& row = bonesord.items[static_cast<size_t>(i)];
        EXPECT_EQ(s.engine().label(i).left, row.homeLeft);
        EXPECT_EQ(s.engine().label(i).top, row.homeTop);
        EXPECT_EQ(s.answerLabel(i)->pos(), QPoint(display::toPixels(row.homeLeft), display::toPixels(row.homeTop)));
    }
}

TEST_F(ActivityScreenTest, ExitUnloadsTheScreenAndStillClicks)
{
    ActivityScreen& s = open("partsord");
    dragToTarget(s, 0, 0);
    click(s, exitButton);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded(QStringLiteral("partsord")));
    EXPECT_EQ(t.sound.played.last(), ui::clickSound);
    EXPECT_EQ(handedResult(t).resultScore, 0);
    // Opened again, it starts fresh.
    ActivityScreen& again = open("partsord");
    EXPECT_EQ(again.engine().label(0).left, 3120.f);
}

TEST_F(ActivityScreenTest, ButtonsHighlightUnderThePointerAndTurnPlainOverTheBackground)
{
    ActivityScreen& s = open("boneslab");
    ButtonLabel* exit = s.button(QStringLiteral("Label3"), exitButton);
    ButtonLabel* startAgain = s.button(QStringLiteral("Label3"), startAgainButton);
    // A spot on a pointer line counts as background: the lines take no mouse events.
    const QPoint onLine(display::toPixels(6600), display::toPixels(480));
    EXPECT_EQ(s.childAt(onLine), nullptr);
    QTest::mouseMove(&s, onLine);
    EXPECT_FALSE(exit->isHighlighted());
    EXPECT_FALSE(startAgain->isHighlighted());
    QTest::mouseMove(exit, exit->rect().center());
    EXPECT_TRUE(exit->isHighlighted());
    // Over a label or the picture nothing changes.
    QTest::mouseMove(&s, s.answerLabel(0)->geometry().center());
    QTest::mouseMove(&s, s.item<QWidget>(QStringLiteral("Image1(0)"))->geometry().center());
    EXPECT_TRUE(exit->isHighlighted());
    EXPECT_FALSE(startAgain->isHighlighted());
}
