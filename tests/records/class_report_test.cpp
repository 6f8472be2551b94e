// What the teacher's screens make of the records: the grid, the question analysis, the CSV
// a spreadsheet reads, the printed summary's lines, the class list and the PIN.
#include "records/class_report.h"
#include "records/pin.h"
#include "records/record_store.h"

#include <gtest/gtest.h>

using namespace records;

namespace {

int minutes = 0;

TaskRecord done(const QString& pupil, TaskKind kind, const QString& title, int score, int outOf,
                QList<WrongAnswer> wrong = {})
{
    const QDateTime start = QDateTime(QDate(2026, 3, 14), QTime(9, 0)).addSecs(60 * minutes++);
    return {QStringLiteral("id%1").arg(minutes), QStringLiteral("pc1"), pupil,
            FinishedTask{kind, title, score, outOf, start, start.addSecs(150), wrong}};
}

} // namespace

TEST(ClassReport, TheGridKeepsEachPupilsBestAndLatestScoreInEveryTask)
{
    const QList<TaskRecord> all = {
        done("Ben", TaskKind::TopicQuiz, "Bones", 6, 10),
        done("amy", TaskKind::TopicQuiz, "Bones", 9, 10),
        done("Ben", TaskKind::Activity, "Bones: Labelling Activity", 7, 7),
        done("Ben", TaskKind::TopicQuiz, "Bones", 8, 10),
        done("Ben", TaskKind::TopicQuiz, "Bones", 4, 10),
        done("", TaskKind::Worksheet, "Bones", 3, 10), // a worksheet may share a topic's title
    };
    const ClassGrid g = makeGrid(all);
    EXPECT_EQ(g.pupils, QStringList({"amy", "Ben", ""})); // by name whatever the case, no name last
    ASSERT_EQ(g.tasks.size(), 3);
    EXPECT_EQ(g.tasks[0], (TaskId{TaskKind::TopicQuiz, "Bones"}));
    EXPECT_EQ(g.tasks[2], (TaskId{TaskKind::Worksheet, "Bones"}));
    const Cell ben = g.cells[1][0];
    EXPECT_EQ(ben.attempts, 3);
    EXPECT_EQ(ben.best, 8);
    EXPECT_EQ(ben.latest, 4);
    EXPECT_EQ(cellText(ben), "8/10 (latest 4/10)");
    EXPECT_EQ(cellText(g.cells[0][0]), "9/10");
    EXPECT_EQ(cellText(g.cells[0][1]), "");
    EXPECT_EQ(cellText(g.cells[1][1]), "7/7");
    EXPECT_EQ(pupilLabel(g.pupils[2]), "no name");

    // A class's list names the rows: its pupils in its order, with or without records.
    const ClassGrid classGrid = makeGrid(all, {"Ben", "Cal"});
    EXPECT_EQ(classGrid.pupils, QStringList({"Ben", "Cal"}));
    EXPECT_EQ(classGrid.tasks.size(), 2);
    EXPECT_EQ(classGrid.cells[1][0].attempts, 0);

    EXPECT_EQ(band(8, 10), Band::High);
    EXPECT_EQ(band(7, 10), Band::Middle);
    EXPECT_EQ(band(5, 10), Band::Middle);
    EXPECT_EQ(band(3, 7), Band::Low);
    EXPECT_EQ(band(0, 0), Band::NotDone);

    const QList<TaskRecord> bens = history(all, "Ben");
    ASSERT_EQ(bens.size(), 4);
    EXPECT_EQ(bens.first().task.score, 4); // newest first
}

TEST(ClassReport, QuestionAnalysisCountsEachPupilsLatestTryAndTheWrongAnswerChosenMost)
{
    const TaskId heart{TaskKind::TopicQuiz, "The Heart"};
    const QList<TaskRecord> all = {
        done("Amy", heart.kind, heart.title, 7, 10, {{2, 3}, {5, 1}, {9, 0}}),
        done("Amy", heart.kind, heart.title, 9, 10, {{2, 4}}), // her latest try counts
        done("Ben", heart.kind, heart.title, 8, 10, {{2, 3}, {9, 0}}),
        done("Cal", heart.kind, heart.title, 9, 10, {{2, 3}}),
        done("Dee", heart.kind, heart.title, 10, 10),
        done("Dee", TaskKind::TopicQuiz, "Blood", 0, 10, {{5, 2}}),
    };
    const QList<QuestionLine> lines = questionAnalysis(all, heart);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[1].question, 2);
    EXPECT_EQ(lines[1].pupils, 4);
    EXPECT_EQ(lines[1].wrongPupils, 3);
    EXPECT_EQ(lines[1].commonWrong, 3);
    EXPECT_EQ(lines[1].commonWrongCount, 2);
    EXPECT_EQ(wrongShareText(lines[1]), "3 of 4 pupils (75%)");
    EXPECT_EQ(lines[4].wrongPupils, 0); // Amy's older try and another quiz do not count
    EXPECT_EQ(lines[4].commonWrong, -1);
    EXPECT_EQ(lines[8].commonWrong, 0);
    EXPECT_EQ(optionLabel(lines[8].commonWrong), "no answer");
    EXPECT_EQ(optionLabel(3), "C");

    const QList<SummaryLine> summary = summaryLines(all);
    ASSERT_EQ(summary.size(), 1 + 4 + 1 + 2);
    EXPECT_TRUE(summary[0].heading);
    EXPECT_EQ(summary[1].columns, QStringList({"Amy", "1", "0", "90%"}));
    EXPECT_EQ(summary[4].columns, QStringList({"Dee", "2", "1", "50%"}));
    EXPECT_EQ(summary[6].columns, QStringList({"The Heart", "4", "90%", "Question 2 (3 of 4 pupils (75%))"}));
}

TEST(ClassReport, TheCsvQuotesWhatNeedsItAndKeepsEveryCharacter)
{
    minutes = 0;
    const QList<TaskRecord> all = {
        done("Zoë", TaskKind::Worksheet, "Heart, \"lungs\"\nand blood", 8, 10, {{3, 2}, {7, 0}}),
        done("", TaskKind::Activity, "Bones: Labelling Activity", 7, 7),
    };
    const QByteArray csv = toCsv(all);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF" "Pupil,Task kind,Task,Score,Out of,Started,Ended,"));
    const QString text = QString::fromUtf8(csv.mid(3));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4); // header, a record holding a line break, a record, after the last line end
    EXPECT_EQ(lines[1], QStringLiteral("Zoë,Worksheet,\"Heart, \"\"lungs\"\"\nand blood\",8,10,"
                                       "2026-03-14 09:00:00,2026-03-14 09:02:30,3: B; 7: no answer,pc1"));
    EXPECT_TRUE(lines[2].startsWith("no name,Activity,Bones: Labelling Activity,7,7,"));
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 3);
    EXPECT_EQ(csvField("plain"), "plain");
    EXPECT_EQ(csvField("a\rb"), "\"a\rb\"");
}

TEST(ClassReport, ClassListsAndPinsAsTeachersTypeThem)
{
    const QList<ClassList> classes =
        parseClassList(QStringLiteral("  Amy \r\nBen\n\nAmy\n3B:\nCal\n  4C : \nDee\nEve\n"));
    ASSERT_EQ(classes.size(), 3);
    EXPECT_EQ(classes[0], (ClassList{"Class", {"Amy", "Ben"}}));
    EXPECT_EQ(classes[1], (ClassList{"3B", {"Cal"}}));
    EXPECT_EQ(classes[2], (ClassList{"4C", {"Dee", "Eve"}}));
    EXPECT_EQ(parseClassList(classListText(classes)), classes);

    const QString hash = hashPin(QStringLiteral("2468"));
    EXPECT_TRUE(hash.startsWith("pbkdf2-sha256$"));
    EXPECT_FALSE(hash.contains("2468"));
    EXPECT_NE(hashPin(QStringLiteral("2468")), hash); // salted afresh each time
    EXPECT_TRUE(pinMatches(QStringLiteral("2468"), hash));
    for (const QString& wrong : {QStringLiteral("2469"), QStringLiteral(""), QStringLiteral("24680")})
        EXPECT_FALSE(pinMatches(wrong, hash)) << wrong.toStdString();
    for (const QString& broken : {QString(), QStringLiteral("2468"), QStringLiteral("md5$1$a$b"),
                                  hash.left(hash.size() - 4), QStringLiteral("pbkdf2-sha256$0$c2FsdA==$") +
                                                                  hash.section(QLatin1Char('$'), 3)})
        EXPECT_FALSE(pinMatches(QStringLiteral("2468"), broken)) << broken.toStdString();
}
