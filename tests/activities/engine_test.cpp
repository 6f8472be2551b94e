// The drag-and-drop rules, on the four screens' own tables and without any widgets.
#include "test_topics.h"
#include "activities/activity_engine.h"
#include "activities/activity_layout.h"

#include <gtest/gtest.h>

using namespace activity;

namespace {

Engine engineFor(const ActivityLayout& layout) { return Engine(itemSpecs(layout)); }

// Lets label i go with its top-left corner at (left, top); returns the number of snaps.
int dropAt(Engine& e, int i, float left, float top)
{
    e.setLabelPosition(i, left, top);
    return e.drop(i);
}

void expectAt(const Engine& e, int i, float left, float top)
{
    EXPECT_EQ(e.label(i).left, left) << "label " << i;
    EXPECT_EQ(e.label(i).top, top) << "label " << i;
}

// Every label dropped into the target box given by where[i].
void placeAll(Engine& e, const std::vector<int>& where)
{
    for (int i = 0; i < e.count(); ++i)
        dropAt(e, i, e.target(where[static_cast<size_t>(i)]).left, e.target(where[static_cast<size_t>(i)]).top);
}

std::vector<int> ownBoxes(int n)
{
    std::vector<int> w;
    for (int i = 0; i < n; ++i)
        w.push_back(i);
    return w;
}

} // namespace

TEST(ActivityEngine, DragCentresTheLabelOnThePointerInSinglePrecision)
{
    Engine e = engineFor(boneslab); // label 0 at (1440, 4200), 1485 x 375
    EXPECT_TRUE(e.drag(0, 100, 50, LeftButton));
    expectAt(e, 0, 797.5f, 4062.5f);
    // The pointer where the label's centre already is leaves it still.
    EXPECT_TRUE(e.drag(0, 742.5f, 187.5f, LeftButton));
    expectAt(e, 0, 797.5f, 4062.5f);
    // No limit to the screen area.
    EXPECT_TRUE(e.drag(0, -20000, -20000, LeftButton));
    expectAt(e, 0, 797.5f - 20000 - 742.5f, 4062.5f - 20000 - 187.5f);
}

TEST(ActivityEngine, OnlyTheLeftButtonAloneDrags)
{
    Engine e = engineFor(partslab);
    for (unsigned buttons : {0u, unsigned(RightButton), unsigned(MiddleButton), unsigned(LeftButton | RightButton),
                             unsigned(LeftButton | MiddleButton), unsigned(LeftButton | RightButton | MiddleButton)}) {
        EXPECT_FALSE(e.drag(2, 3000, 3000, buttons)) << buttons;
        expectAt(e, 2, 8160, 6000);
    }
}

TEST(ActivityEngine, SnapZoneBoundsAreOpenAndHalfSizesKeepTheirFraction)
{
    Engine e = engineFor(boneslab); // Skull: label 1, target (4920, 300), boxes 1485 x 375
    EXPECT_EQ(dropAt(e, 1, 4920 - 742.5f, 300), 0);
    expectAt(e, 1, 4177.5f, 300); // left where it was let go
    EXPECT_EQ(dropAt(e, 1, 4920 - 742, 300), 1);
    expectAt(e, 1, 4920, 300);

    EXPECT_EQ(dropAt(e, 1, 4920 + 1485, 300), 0);
    EXPECT_EQ(dropAt(e, 1, 4920 + 1484.5f, 300), 1);
    EXPECT_EQ(dropAt(e, 1, 4920, 300 - 187.5f), 0);
    EXPECT_EQ(dropAt(e, 1, 4920, 300 - 187), 1);
    EXPECT_EQ(dropAt(e, 1, 4920, 300 + 375), 0);
    EXPECT_EQ(dropAt(e, 1, 4920, 300 + 374.5f), 1);

    // The same bound reached by a real drag from the home box: 1440 + 3480 - 742.5.
    Engine d = engineFor(boneslab);
    d.drag(1, 3480, 187.5f - 2700, LeftButton);
    expectAt(d, 1, 4177.5f, 300);
    EXPECT_EQ(d.drop(1), 0);

    // Odd sizes elsewhere: partslab boxes are 1245 wide, bonesord boxes 495 high.
    Engine p = engineFor(partslab); // Head: label 5, target (1800, 1140)
    EXPECT_EQ(dropAt(p, 5, 1800 - 622.5f, 1140), 0);
    EXPECT_EQ(dropAt(p, 5, 1800 - 622, 1140), 1);
    Engine b = engineFor(bonesord); // label 1, target (5640, 450)
    EXPECT_EQ(dropAt(b, 1, 5640, 450 - 247.5f), 0);
    EXPECT_EQ(dropAt(b, 1, 5640, 450 - 247), 1);
}

TEST(ActivityEngine, LabelLetGoInEmptySpaceStaysAndCountsForNothing)
{
    Engine e = engineFor(boneslab);
    EXPECT_EQ(dropAt(e, 3, 3000, 7000), 0);
    expectAt(e, 3, 3000, 7000);
    EXPECT_EQ(e.labelsOnTargets(), 0);
    EXPECT_FALSE(e.checkScoreVisible());
}

TEST(ActivityEngine, LetGoNearAnyHomeBoxJumpsIntoIt)
{
    Engine e = engineFor(boneslab);
    EXPECT_EQ(dropAt(e, 0, 1440 + 500, 2400 + 100), 1); // near Tibia's home box
    expectAt(e, 0, 1440, 2400);
    // Letting go a label on its box without moving it snaps it again: another thud.
    EXPECT_EQ(e.drop(0), 1);
    expectAt(e, 0, 1440, 2400);
}

TEST(ActivityEngine, OverlappingZonesGoToTheLowestIndex)
{
    // partsord: 120 left of and 170 above home box 0 lies in the zones of home boxes 0, 1, 6, 9.
    Engine e = engineFor(partsord);
    const float left = 3120 - 120, top = 7320 - 170;
    for (int i : {0, 1, 6, 9})
        EXPECT_TRUE(Engine::inSnapZone(e.home(i), left, top)) << i;
    EXPECT_EQ(dropAt(e, 7, left, top), 1);
    expectAt(e, 7, 3120, 7320);

    // bonesord: target zones of rows 2 and 3 (indexes 3 and 0) overlap by 22.5 twips; the band
    // goes to index 0, the lower row.
    Engine b = engineFor(bonesord);
    EXPECT_EQ(dropAt(b, 2, 5640, 1650), 1);
    expectAt(b, 2, 5640, 1890);
    EXPECT_EQ(dropAt(b, 2, 5640, 1642.5f), 1); // open bound of row 3's zone: row 2
    expectAt(b, 2, 5640, 1170);
    EXPECT_EQ(dropAt(b, 2, 5640, 1665), 1); // open bound of row 2's zone: row 3
    expectAt(b, 2, 5640, 1890);
}

TEST(ActivityEngine, TargetBoxIsTestedBeforeTheHomeBoxOfTheSameIndexAndEachSnapCounts)
{
    // Invented boxes where a target zone and a home zone overlap.
    Engine e({{Box{0, 0, 100, 100}, Box{60, 0, 100, 100}}, {Box{0, 1000, 100, 100}, Box{0, 2000, 100, 100}}});
    // In both zones of index 0: the target takes it first, and its position lies in the home
    // zone of the same index, which takes it next. Two snaps, two thuds.
    EXPECT_EQ(dropAt(e, 1, 30, 0), 2);
    expectAt(e, 1, 0, 0);
    // Only in the target zone of index 0, and that position is inside home 0 as well.
    EXPECT_EQ(dropAt(e, 1, 150, 0), 2);
    expectAt(e, 1, 0, 0);
}

TEST(ActivityEngine, ASnappedPositionLiesInNoOtherBoxZoneOnAnyScreen)
{
    // So a drop never snaps twice on the real screens: one thud per drop at most.
    for (const ActivityLayout* layout : {&boneslab, &partslab, &partsord, &bonesord}) {
        Engine e = engineFor(*layout);
        std::vector<Box> boxes;
        for (int i = 0; i < e.count(); ++i) {
            boxes.push_back(e.target(i));
            boxes.push_back(e.home(i));
        }
        for (size_t a = 0; a < boxes.size(); ++a)
            for (size_t b = 0; b < boxes.size(); ++b)
                EXPECT_EQ(Engine::inSnapZone(boxes[b], boxes[a].left, boxes[a].top), a == b)
                    << layout->name.toStdString() << " box " << a << " in zone of " << b;
    }
}

TEST(ActivityEngine, CheckScoreAppearsWhenEveryLabelSitsOnATargetAndNoDropHidesIt)
{
    Engine e = engineFor(boneslab);
    for (int i = 0; i < 6; ++i) {
        dropAt(e, i, e.target(i).left + 10, e.target(i).top - 10);
        EXPECT_FALSE(e.checkScoreVisible()) << i;
    }
    dropAt(e, 6, e.target(6).left, e.target(6).top);
    EXPECT_TRUE(e.checkScoreVisible());
    EXPECT_EQ(e.score(), 7);

    // Out of its box again, into empty space, back home: the button stays.
    dropAt(e, 2, 3000, 8000);
    dropAt(e, 3, -5000, -5000);
    dropAt(e, 4, e.home(4).left, e.home(4).top);
    EXPECT_TRUE(e.checkScoreVisible());
    EXPECT_EQ(e.score(), 4); // and it scores the positions as they are now
}

TEST(ActivityEngine, LabelsStackedInOneBoxAllCountForShowingCheckScore)
{
    Engine e = engineFor(boneslab);
    for (int i = 0; i < e.count(); ++i)
        dropAt(e, i, e.target(0).left, e.target(0).top);
    EXPECT_EQ(e.labelsOnTargets(), 7);
    EXPECT_TRUE(e.checkScoreVisible()); // though six target boxes are empty
    EXPECT_EQ(e.score(), 1);            // only Humerus is in its own box
}

TEST(ActivityEngine, StartAgainBringsEveryLabelHomeFromAnywhereAndHidesCheckScore)
{
    Engine e = engineFor(partsord);
    placeAll(e, ownBoxes(10));
    ASSERT_TRUE(e.checkScoreVisible());
    e.drag(0, 1e7f, -1e7f, LeftButton); // far off the screen
    e.drop(0);
    dropAt(e, 1, 500, 500); // on top of each other in empty space
    dropAt(e, 2, 500, 500);
    dropAt(e, 3, e.home(4).left, e.home(4).top); // onto another label's home
    e.startAgain();
    EXPECT_FALSE(e.checkScoreVisible());
    for (int i = 0; i < e.count(); ++i)
        expectAt(e, i, partsord.items[static_cast<size_t>(i)].homeLeft, partsord.items[static_cast<size_t>(i)].homeTop);

    // A drop that completes the placing shows the button again.
    placeAll(e, ownBoxes(10));
    EXPECT_TRUE(e.checkScoreVisible());
}

TEST(ActivityEngine, ScoringByIndexCountsOnlyLabelsInTheirOwnBox)
{
    for (const ActivityLayout* layout : {&boneslab, &partslab, &bonesord}) {
        Engine e = engineFor(*layout);
        placeAll(e, ownBoxes(e.count()));
        EXPECT_EQ(e.score(), e.count()) << layout->name.toStdString();
        std::vector<int> shifted;
        for (int i = 0; i < e.count(); ++i)
            shifted.push_back((i + 1) % e.count());
        placeAll(e, shifted);
        EXPECT_EQ(e.score(), 0) << layout->name.toStdString();
    }
}

TEST(ActivityEngine, LabelsWithTheSameCaptionScoreInEachOthersBoxes)
{
    // bonesord: the two "stirrup bone in the ear." labels look the same, so swapped they
    // still score; stacked in one box they fill only that one.
    Engine e = engineFor(bonesord);
    ASSERT_EQ(bonesord.items[2].caption, bonesord.items[5].caption);
    placeAll(e, {0, 1, 5, 3, 4, 2});
    EXPECT_TRUE(e.checkScoreVisible());
    EXPECT_EQ(e.score(), 6);
    placeAll(e, {0, 1, 5, 3, 4, 5});
    EXPECT_TRUE(e.checkScoreVisible());
    EXPECT_EQ(e.score(), 5);
    // Another ending in a stirrup box scores nothing there.
    placeAll(e, {0, 1, 2, 3, 5, 4});
    EXPECT_EQ(e.score(), 4);

    // With groups, a label scores in a box of its group or of its caption.
    Engine g({{Box{0, 0, 100, 100}, Box{1000, 0, 100, 100}, 0, "Water"},
              {Box{0, 200, 100, 100}, Box{1000, 200, 100, 100}, 1, "Water"},
              {Box{0, 400, 100, 100}, Box{1000, 400, 100, 100}, 1, "Juice"}});
    placeAll(g, {1, 0, 0});
    EXPECT_EQ(g.score(), 2); // both Water labels; Juice is in the other group's box
    // Labels without captions are never alike.
    Engine n({{Box{0, 0, 100, 100}, Box{1000, 0, 100, 100}}, {Box{0, 200, 100, 100}, Box{1000, 200, 100, 100}}});
    placeAll(n, {1, 0});
    EXPECT_EQ(n.score(), 0);
}

TEST(ActivityEngine, PartsordScoresByGroupWhicheverBoxOfTheColumn)
{
    Engine e = engineFor(partsord);
    // Each group's labels in the other boxes of their own column, in reverse order.
    placeAll(e, {4, 3, 2, 1, 0, 9, 8, 7, 6, 5});
    EXPECT_EQ(e.score(), 10);
    // Every label in the other group's column.
    placeAll(e, {5, 6, 7, 8, 9, 0, 1, 2, 3, 4});
    EXPECT_EQ(e.score(), 0);
    EXPECT_TRUE(e.checkScoreVisible());
}

TEST(ActivityEngine, PartsordLabelInTheWrongColumnFillsTheBoxButScoresNothing)
{
    Engine e = engineFor(partsord);
    placeAll(e, {5, 1, 2, 3, 4, 0, 6, 7, 8, 9}); // Liver (A) and Arm (B) swap columns
    EXPECT_TRUE(e.checkScoreVisible());
    EXPECT_EQ(e.score(), 8);
    // Two of one group stacked in one box of their column both count.
    Engine s = engineFor(partsord);
    placeAll(s, {0, 0, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_TRUE(s.checkScoreVisible());
    EXPECT_EQ(s.score(), 10);
}
