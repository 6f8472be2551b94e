// Page names, page labels and the paging buttons of the reader and the guide.
#include "test_topics.h"
#include "content/hub_topic.h"
#include "topics/reader_pages.h"

#include <gtest/gtest.h>

TEST(ReaderPages, LetteredNamesForPagesOneToThreeAndNoneBeyond)
{
    EXPECT_EQ(reader::screenCopy("bones", 1), "wmf\\bonesa.wmf");
    EXPECT_EQ(reader::printCopy("bones", 1), "wmf2\\bonesa.wmf");
    EXPECT_EQ(reader::screenCopy("bones", 2), "wmf\\bonesb.wmf");
    EXPECT_EQ(reader::printCopy("bones", 3), "wmf2\\bonesc.wmf");
    EXPECT_TRUE(reader::screenCopy("bones", 4).isEmpty());
    EXPECT_TRUE(reader::printCopy("bones", 0).isEmpty());
}

TEST(ReaderPages, PageLabelWritesEachNumberWithOneLeadingSpace)
{
    EXPECT_EQ(reader::pageLabel(1, 2), "Page 1 of 2");
    EXPECT_EQ(reader::pageLabel(3, 3), "Page 3 of 3");
    EXPECT_EQ(guide::pageLabel(2), "Page 2 of 4");
}

TEST(ReaderPages, TwoPageSetPagesForwardAndBack)
{
    reader::Paging p; // page 1: Previous disabled, Next enabled
    p = reader::next(p, 2);
    EXPECT_EQ(p.page, 2);
    EXPECT_FALSE(p.nextEnabled);
    EXPECT_TRUE(p.previousEnabled);
    p = reader::previous(p, 2);
    EXPECT_EQ(p.page, 1);
    EXPECT_TRUE(p.nextEnabled);
    EXPECT_FALSE(p.previousEnabled);
}

TEST(ReaderPages, ThreePageSetEnablesBothButtonsInTheMiddle)
{
    reader::Paging p = reader::next({}, 3);
    EXPECT_EQ(p.page, 2);
    EXPECT_TRUE(p.nextEnabled);
    EXPECT_TRUE(p.previousEnabled);
    p = reader::next(p, 3);
    EXPECT_FALSE(p.nextEnabled);
    p = reader::previous(p, 3);
    EXPECT_TRUE(p.nextEnabled);
    EXPECT_TRUE(p.previousEnabled);
}

TEST(GuidePages, TableGivesFourPagesWithTheirButtonStates)
{
    ASSERT_NE(guide::page(1), nullptr);
    EXPECT_STREQ(guide::page(3)->screenCopy, "wmf\\guide3.wmf");
    EXPECT_STREQ(guide::page(3)->printCopy, "wmf2\\guide3.wmf");
    EXPECT_EQ(guide::page(0), nullptr);
    EXPECT_EQ(guide::page(5), nullptr);

    // Pages 1 and 2 leave Next as it was.
    EXPECT_FALSE(guide::show({2, false, true}, 1).nextEnabled);
    EXPECT_TRUE(guide::show({2, true, true}, 1).nextEnabled);
    EXPECT_FALSE(guide::show({2, true, true}, 1).previousEnabled);
    EXPECT_TRUE(guide::show({3, false, true}, 2).previousEnabled);
    EXPECT_FALSE(guide::show({3, false, true}, 2).nextEnabled);

    const reader::Paging three = guide::show({4, false, true}, 3);
    EXPECT_TRUE(three.nextEnabled);
    EXPECT_TRUE(three.previousEnabled);
    const reader::Paging four = guide::show({3, true, true}, 4);
    EXPECT_FALSE(four.nextEnabled);
    EXPECT_TRUE(four.previousEnabled);
}

TEST(HubTable, EachHubNamesItsOwnFilesScreensAndPageSets)
{
    EXPECT_EQ(hubs::parts.questionSetFile, "multiple\\Parts of the Body.txt");
    EXPECT_EQ(hubs::parts.quizPicture, "images\\vitruvius2sm.jpg");
    ASSERT_EQ(hubs::parts.activities.size(), 2u);
    EXPECT_EQ(hubs::parts.activities[0].screen, "partslab");
    EXPECT_EQ(hubs::parts.activities[1].screen, "partsord");
    EXPECT_EQ(hubs::parts.keyFacts.pageCount, 1);
    EXPECT_EQ(hubs::parts.keyFacts.pageSet, "key parts of the body");
    EXPECT_EQ(hubs::parts.teachersNotes.printCopy, "wmf2\\parts of the body.wmf");

    EXPECT_EQ(hubs::bones.questionSetFile, "multiple\\Bones.txt");
    EXPECT_EQ(hubs::bones.quizPicture, "images\\skullsm2.jpg");
    ASSERT_EQ(hubs::bones.activities.size(), 2u);
    EXPECT_EQ(hubs::bones.activities[0].screen, "boneslab");
    EXPECT_EQ(hubs::bones.activities[1].screen, "bonesord");
    EXPECT_EQ(hubs::bones.keyFacts.screenCopy, "wmf\\key bones.wmf");
    EXPECT_EQ(hubs::bones.teachersNotes.pageCount, 2);
    EXPECT_EQ(hubs::bones.teachersNotes.pageSet, "bones");
    // The first page of the two-page set is the one the reader forms for page 1.
    EXPECT_EQ(hubs::bones.teachersNotes.screenCopy, reader::screenCopy("bones", 1));
    EXPECT_EQ(hubs::bones.teachersNotes.printCopy, reader::printCopy("bones", 1));
}

TEST(HubTable, StillPictureIsCentredAcrossTheScreen)
{
    EXPECT_EQ(hubs::centredLeft(6000), 3000);
    EXPECT_EQ(hubs::centredLeft(12000), 0);
    EXPECT_LT(hubs::centredLeft(13500), 0);
    EXPECT_EQ(hubs::centredLeft(13500), -750);
}
