#include "platform/text_file.h"
#include "worksheets/tracking_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool read(const QByteArray& bytes, WorksheetList& list)
{
    TextInput in(bytes);
    try {
        readWorksheetList(in, list);
    } catch (const ReadFailure&) {
        return false;
    }
    return true;
}

} // namespace

TEST(TrackingFile, CountOfZeroGivesAnEmptyList)
{
    WorksheetList list;
    list.count = 7;
    EXPECT_TRUE(read(" 0 \r\n", list));
    EXPECT_EQ(list.count, 0);
}

TEST(TrackingFile, TitlesAreStoredAsReadLeadingSpacesDropped)
{
    WorksheetList list;
    EXPECT_TRUE(read(" 2 \r\nMy Teeth\r\n   Spaced\r\n", list));
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(list.titles[1], "My Teeth");
    EXPECT_EQ(list.titles[2], "Spaced");
}

TEST(TrackingFile, ShortFileFailsAfterStoringWhatItRead)
{
    WorksheetList list;
    list.titles[3] = "kept";
    EXPECT_FALSE(read(" 3 \r\nA\r\nB\r\n", list));
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.titles[1], "A");
    EXPECT_EQ(list.titles[2], "B");
    EXPECT_EQ(list.titles[3], "kept");
}

TEST(TrackingFile, BadCountsFailWithoutTouchingTheList)
{
    for (const char* bad : {"three\r\nA\r\n", "-2\r\n", "", "\x01\x02\x03"}) {
        WorksheetList list;
        list.count = 5;
        EXPECT_FALSE(read(bad, list)) << bad;
        EXPECT_EQ(list.count, 5) << bad;
    }
}

TEST(TrackingFile, MoreThanAThousandTitlesFailsAtTheThousandAndFirst)
{
    QByteArray bytes(" 1001 \r\n");
    for (int i = 1; i <= 1001; ++i)
        bytes += "T" + QByteArray::number(i) + "\r\n";
    WorksheetList list;
    EXPECT_FALSE(read(bytes, list));
    EXPECT_EQ(list.count, 1001);
    EXPECT_EQ(list.titles[1000], "T1000");
}

TEST(TrackingFile, ATitleWithACommaReadsBackAsTwoFields)
{
    WorksheetList list;
    EXPECT_TRUE(read(" 2 \r\nBones, part 1\r\nMuscles\r\n", list));
    EXPECT_EQ(list.titles[1], "Bones");
    EXPECT_EQ(list.titles[2], "part 1");
}

TEST(TrackingFile, WriterAndReaderAgree)
{
    WorksheetList list;
    list.titles[1] = "Teeth";
    list.titles[2] = QString::fromUtf8("Zoë's quiz");
    const QStringList lines = trackingFileLines(list, 2);
    EXPECT_EQ(lines, QStringList({" 2 ", "Teeth", QString::fromUtf8("Zoë's quiz")}));
    QTemporaryDir dir;
    const QString path = dir.path() + "/track.txt";
    ASSERT_TRUE(writeLinesAtomically(path, lines));
    WorksheetList back;
    EXPECT_TRUE(readWorksheetListFile(path, back));
    EXPECT_EQ(back.count, 2);
    EXPECT_EQ(back.titles[2], QString::fromUtf8("Zoë's quiz"));
    EXPECT_FALSE(readWorksheetListFile(dir.path() + "/none.txt", back));
}
