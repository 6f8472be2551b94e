// Saving, listing and removing worksheets, checked on the files on disk byte for byte.
#include "worksheet_samples.h"

#include "test_app.h"

#include "platform/data_folder.h"
#include "platform/text_file.h"
#include "worksheets/worksheet_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString track = QStringLiteral("multiple/track.txt");

QString sheet(const QString& title) { return QStringLiteral("multiple/") + title + QStringLiteral(".txt"); }

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool userFileExists(const TestApp& t, const QString& relative)
{
    return QFileInfo::exists(t.userRoot() + QLatin1Char('/') + relative);
}

// Every file under the user folder with its bytes, to show that nothing changed.
QMap<QString, QByteArray> snapshot(const TestApp& t)
{
    QMap<QString, QByteArray> all;
    QDir root(t.userRoot());
    for (const QString& dir : {QStringLiteral("."), QStringLiteral("multiple")})
        for (const QString& f : QDir(root.filePath(dir)).entryList(QDir::Files | QDir::Hidden))
            all.insert(dir + QLatin1Char('/') + f, fileBytes(root.filePath(dir + QLatin1Char('/') + f)));
    return all;
}

} // namespace

// ---------------------------------------------------------------- checks

TEST(WorksheetChecks, CompleteEntriesPass)
{
    EXPECT_EQ(checkEntries(sample::entries(QStringLiteral("Body quiz"))), QString());
}

TEST(WorksheetChecks, ReportTheFirstFailureInTheirOrder)
{
    WorksheetEntries e = sample::entries(QString());
    e.questions[0].clear();
    EXPECT_EQ(checkEntries(e), "You have not chosen a title for your worksheet");

    e.title = QStringLiteral("T");
    EXPECT_EQ(checkEntries(e), "You have not completed Question 1");

    // An empty option outranks wrong ticks of the same question and faults of later ones.
    e = sample::entries(QStringLiteral("T"));
    e.options[4 * 2 + 2].clear();               // question 3, option C
    e.ticked[4 * 2 + 0] = e.ticked[4 * 2 + 1] = e.ticked[4 * 2 + 3] = true; // and ticked thrice
    e.ticked[4 * 6] = e.ticked[4 * 6 + 1] = true;                          // question 7 twice
    EXPECT_EQ(checkEntries(e), "You have not completed Question 3");

    e.options[4 * 2 + 2] = QStringLiteral("C");
    EXPECT_EQ(checkEntries(e), "You have ticked more than one correct answer for Question 3");

    e = sample::entries(QStringLiteral("T"));
    e.ticked[4 * 6] = e.ticked[4 * 6 + 1] = e.ticked[4 * 6 + 2] = true;
    EXPECT_EQ(checkEntries(e), "You have ticked more than one correct answer for Question 7");

    e.ticked.fill(false);
    EXPECT_EQ(checkEntries(e), "You have not ticked the correct answer for Question 1");

    e = sample::entries(QStringLiteral("T"));
    e.ticked[4 * 9 + 2] = false; // question 10's only tick
    EXPECT_EQ(checkEntries(e), "You have not ticked the correct answer for Question 10");
}

TEST(WorksheetChecks, BoxesAndTitlesOfSpacesCountAsEmpty)
{
    WorksheetEntries e = sample::entries(QStringLiteral("T"));
    e.questions[4] = QStringLiteral("   ");
    EXPECT_EQ(checkEntries(e), "You have not completed Question 5");
    e = sample::entries(QStringLiteral("T"));
    e.options[17] = QStringLiteral(" ");
    EXPECT_EQ(checkEntries(e), "You have not completed Question 5");
    e.title = QStringLiteral("    ");
    EXPECT_EQ(checkEntries(e), "You have not chosen a title for your worksheet");
}

TEST(WorksheetChecks, TitlesThatCannotNameAFileAreRefused)
{
    const QString forbidden = QStringLiteral("\\/:*?\"<>|,&");
    for (QChar c : forbidden) {
        WorksheetEntries e = sample::entries(QStringLiteral("My ") + c + QStringLiteral(" sheet"));
        EXPECT_EQ(checkEntries(e), worksheet_text::badTitleCharacter) << QString(c).toStdString();
    }
    for (char16_t c : {u'\t', u'\x01', u'\x7f', u'\x81', u'\u4e2d', u'\u03b1'}) {
        WorksheetEntries e = sample::entries(QStringLiteral("Sheet") + QChar(c) + QStringLiteral("x"));
        EXPECT_EQ(checkEntries(e), worksheet_text::unusableTitleCharacter) << int(c);
    }
    // The title problems come before the questions' and the message names the title.
    WorksheetEntries e = sample::entries(QStringLiteral("  tRaCk "));
    e.questions[0].clear();
    EXPECT_EQ(checkEntries(e), worksheet_text::reservedTitle(QStringLiteral("tRaCk")));
    EXPECT_TRUE(worksheet_text::reservedTitle(QStringLiteral("tRaCk")).contains("\"tRaCk\""));
    for (const char* name : {"PARTS OF THE BODY", "Parts of the Body", "bones", "Bones"})
        EXPECT_FALSE(titleProblem(QString::fromLatin1(name)).isEmpty()) << name;
    // Near misses are ordinary titles.
    for (const char* name : {"track.txt", "Bones 2", "tracks", "My Bones"})
        EXPECT_EQ(titleProblem(QString::fromLatin1(name)), QString()) << name;
    // Every topic's title names its question set, so none can be a worksheet's.
    const QStringList topics{QStringLiteral("The Heart"), QStringLiteral("Teeth")};
    EXPECT_EQ(checkEntries(sample::entries(QStringLiteral("the heart")), topics),
              worksheet_text::reservedTitle(QStringLiteral("the heart")));
    EXPECT_EQ(checkEntries(sample::entries(QStringLiteral("Teeth 2")), topics), QString());
}

// ---------------------------------------------------------------- saving

TEST(WorksheetSave, NewTitleWritesTheFileAndJoinsTheListInTheUsersFolder)
{
    TestApp t; // the shipped list (" 0 ") is read; the user's copy is written
    const QByteArray shipped = fileBytes(t.files.readOnlyRoot() + QStringLiteral("/multiple/track.txt"));
    ASSERT_EQ(shipped, " 0 \r\n");
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Our Senses Test")), t.state.worksheetList));

    EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("Our Senses Test"))), sample::worksheetBytes("Our Senses Test"));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({QStringLiteral("Our Senses Test")}));
    EXPECT_EQ(fileBytes(t.files.readOnlyRoot() + QStringLiteral("/multiple/track.txt")), shipped);
    EXPECT_EQ(t.state.worksheetList.count, 0); // keeps the count it read
    EXPECT_EQ(t.state.worksheetList.titles[1], "Our Senses Test");

    // A second worksheet goes last.
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Bones Test")), t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Our Senses Test", "Bones Test"}));
}

TEST(WorksheetSave, SavedFileLoadsBackWithCommasAndAmpersands)
{
    TestApp t;
    WorksheetEntries e = sample::entries(QStringLiteral("Cats and Dogs"));
    e.questions[0] = QStringLiteral("Eyes, ears, nose: which one smells?");
    e.options[1] = QStringLiteral("Salt & pepper");
    e.questions[1] = QStringLiteral("  Leading spaces");
    ASSERT_TRUE(saveWorksheet(t.files, e, t.state.worksheetList));
    const QByteArray bytes = t.readUserFile(sheet(QStringLiteral("Cats and Dogs")));
    EXPECT_TRUE(bytes.startsWith("Cats and Dogs\r\n \r\nEyes& ears& nose: which one smells?\r\nOption 1A\r\nSalt & pepper\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 72);
    EXPECT_EQ(bytes.count('\n'), 72);

    QuestionSet set;
    ASSERT_TRUE(loadWorksheet(t.files, QStringLiteral("Cats and Dogs"), set));
    EXPECT_EQ(set.title, "Cats and Dogs");
    EXPECT_EQ(set.question(1).text, "Eyes, ears, nose: which one smells?");
    EXPECT_EQ(set.question(1).options[2], "Salt , pepper");
    EXPECT_EQ(set.question(2).text, "Leading spaces");
    EXPECT_EQ(set.question(1).correct, "2");
    EXPECT_EQ(set.question(4).correct, "1");
}

TEST(WorksheetSave, SavingTheSameTitleAgainRewritesOnlyTheWorksheet)
{
    TestApp t;
    // Written by hand without the spaces the program would put round the count: a rewrite
    // would show.
    t.writeUserFile(track, "2\r\nFirst\r\nSecond\r\n");
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Second"), "v1"), t.state.worksheetList));
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Second"), "v2"), t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("Second"))), sample::worksheetBytes("Second", "v2"));
    EXPECT_EQ(t.readUserFile(track), "2\r\nFirst\r\nSecond\r\n");
    // Spaces typed round the title do not make it another worksheet.
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("  Second "), "v3"), t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("Second"))), sample::worksheetBytes("Second", "v3"));
    EXPECT_EQ(t.readUserFile(track), "2\r\nFirst\r\nSecond\r\n");
    EXPECT_FALSE(userFileExists(t, sheet(QStringLiteral("  Second "))));
}

TEST(WorksheetSave, AnEditSavedUnderANewTitleKeepsBoth)
{
    TestApp t;
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Teeth")), t.state.worksheetList));
    QuestionSet set;
    ASSERT_TRUE(loadWorksheet(t.files, QStringLiteral("Teeth"), set));
    WorksheetEntries edited = toEntries(set);
    edited.title = QStringLiteral("Teeth 2");
    edited.questions[0] = QStringLiteral("Question 1 y");
    ASSERT_TRUE(saveWorksheet(t.files, edited, t.state.worksheetList));

    EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("Teeth"))), sample::worksheetBytes("Teeth"));
    QByteArray second = sample::worksheetBytes("Teeth 2");
    second.replace("Question 1 x", "Question 1 y");
    EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("Teeth 2"))), second);
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Teeth", "Teeth 2"}));
}

TEST(WorksheetSave, TitlesDifferingInLetterCaseAreTwoEntriesAndTwoFiles)
{
    TestApp t;
    WorksheetEntries upper = sample::entries(QStringLiteral("HEART"));
    upper.questions[0] = QStringLiteral("Shouted question");
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Heart")), t.state.worksheetList));
    ASSERT_TRUE(saveWorksheet(t.files, upper, t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Heart", "HEART"}));
    // Saving "HEART" did not overwrite "Heart".
    EXPECT_FALSE(t.readUserFile(sheet(QStringLiteral("Heart"))).contains("Shouted"));
    EXPECT_TRUE(t.readUserFile(sheet(QStringLiteral("HEART"))).contains("Shouted"));
}

TEST(WorksheetSave, WritesWindows1252)
{
    TestApp t;
    WorksheetEntries e = sample::entries(QStringLiteral("Café \u20ac5 \u201cquiz\u201d"));
    e.options[0] = QStringLiteral("Na\u00efve \u2013 \u00bd");
    ASSERT_TRUE(saveWorksheet(t.files, e, t.state.worksheetList));
    const QByteArray title("Caf\xe9 \x80" "5 \x93quiz\x94");
    const QByteArray bytes = t.readUserFile(sheet(QStringLiteral("Café \u20ac5 \u201cquiz\u201d")));
    EXPECT_TRUE(bytes.startsWith(title + "\r\n \r\nQuestion 1 x\r\nNa\xefve \x96 \xbd\r\n")) << bytes.left(60).toHex().toStdString();
    EXPECT_EQ(t.readUserFile(track), " 1 \r\n" + title + "\r\n");
}

TEST(WorksheetSave, TwentyFiveCharacterTitlesOfEveryAllowedKindRoundTrip)
{
    TestApp t;
    const QStringList titles = {
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"),
        QStringLiteral("abcdefghijklmnopqrstuvwxy"),
        QStringLiteral("0123456789012345678901234"),
        QStringLiteral("Year 5 - Bones + Muscles!"),
        QStringLiteral("(Test) [one] {two} #3 @4."),
        QStringLiteral("'single' ; = + ~ ` ^ $ %_"),
        QStringLiteral("\u00e9\u00e8\u00ea\u00eb\u00e0\u00e2\u00e4\u00f4\u00f6\u00fb\u00fc\u00e7\u00c9\u00c8"
                       "\u00df\u00f1\u00d1\u00e6\u0153\u0160\u017e\u0178\u00a3\u20ac\u00a9"),
        QStringLiteral(".. leading dots and more."),
        QStringLiteral("A                       Z"),
    };
    QStringList listed;
    for (const QString& title : titles) {
        ASSERT_EQ(title.size(), 25) << title.toStdString();
        WorksheetEntries e = sample::entries(title);
        ASSERT_EQ(checkEntries(e), QString()) << title.toStdString();
        ASSERT_TRUE(saveWorksheet(t.files, e, t.state.worksheetList)) << title.toStdString();
        listed << title;
        QuestionSet set;
        ASSERT_TRUE(loadWorksheet(t.files, title, set)) << title.toStdString();
        EXPECT_EQ(set.title, title) << title.toStdString();
    }
    WorksheetList list;
    ASSERT_EQ(readTrackingFile(t.files, list), ListRead::Read);
    ASSERT_EQ(list.count, titles.size());
    for (int i = 0; i < titles.size(); ++i)
        EXPECT_EQ(list.titles[i + 1], titles[i]);
}

TEST(WorksheetSave, ARefusedTitleWritesNothing)
{
    TestApp t;
    t.writeUserFile(track, sample::trackBytes({"Keep"}));
    const auto before = snapshot(t);
    for (const char* title : {"../track", "a/b", "x\\y", "Bones", "TRACK", "a,b", "a&b", "c:d", " "}) {
        EXPECT_FALSE(saveWorksheet(t.files, sample::entries(QString::fromLatin1(title)), t.state.worksheetList))
            << title;
    }
    EXPECT_EQ(snapshot(t), before);
    EXPECT_FALSE(QFileInfo::exists(t.userRoot() + QStringLiteral("/track.txt")));
}

TEST(WorksheetSave, MissingListIsCreatedHoldingTheNewTitle)
{
    QTemporaryDir noShippedData;
    TestApp t(noShippedData.path());
    ASSERT_EQ(readTrackingFile(t.files, t.state.worksheetList), ListRead::Missing);
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("First")), t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"First"}));
    EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("First"))), sample::worksheetBytes("First"));
    // And later saves work as usual.
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Second")), t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"First", "Second"}));
}

TEST(WorksheetSave, AnUnreadableListIsNeverOverwrittenButTheWorksheetIsKept)
{
    const QList<QByteArray> unreadable = {
        QByteArray(),                                   // empty
        "3\r\nOne\r\nTwo\r\n",                          // fewer titles than the count
        "three\r\nOne\r\n",                             // count not a number
        " -1 \r\n",                                     // negative count
        QByteArray("\x00\xff\x01\x02\r\n\x00\x00", 7),  // binary
        sample::trackBytes(sample::numberedTitles(1001)), // more than the list holds
        QByteArray(100 * 1024, 'x'),                    // one endless field
    };
    for (const QByteArray& bytes : unreadable) {
        TestApp t;
        t.writeUserFile(track, bytes);
        const SaveOutcome outcome = saveWorksheet(t.files, sample::entries(QStringLiteral("New")), t.state.worksheetList);
        EXPECT_EQ(outcome.status, SaveOutcome::ListDamaged);
        EXPECT_EQ(t.readUserFile(track), bytes);
        // Written first, as the format has it: the list's rebuild will list it.
        EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("New"))), sample::worksheetBytes("New"));
    }
}

TEST(WorksheetSave, AWriteFailureIsReported)
{
    TestApp t;
    // A folder where the list should be: the shipped list reads, but nothing can replace it.
    QDir().mkpath(t.userRoot() + QStringLiteral("/multiple/track.txt"));
    EXPECT_FALSE(saveWorksheet(t.files, sample::entries(QStringLiteral("New")), t.state.worksheetList));
    // A folder where the worksheet should be.
    TestApp u;
    QDir().mkpath(u.userRoot() + QStringLiteral("/multiple/Sheet.txt"));
    EXPECT_FALSE(saveWorksheet(u.files, sample::entries(QStringLiteral("Sheet")), u.state.worksheetList));
    EXPECT_FALSE(QFileInfo::exists(u.userRoot() + QStringLiteral("/multiple/track.txt")));
}

TEST(WorksheetSave, AThousandTitleList)
{
    TestApp t;
    const QStringList nineHundredNinetyNine = sample::numberedTitles(999);
    t.writeUserFile(track, sample::trackBytes(nineHundredNinetyNine));

    // The thousandth title still fits, as the last line.
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Last One")), t.state.worksheetList));
    QStringList thousand = nineHundredNinetyNine;
    thousand << QStringLiteral("Last One");
    const QByteArray full = sample::trackBytes(thousand);
    ASSERT_EQ(t.readUserFile(track), full);
    ASSERT_TRUE(full.startsWith(" 1000 \r\nSheet 0001\r\n"));

    // A 1001st does not, and neither its worksheet nor the list is written.
    EXPECT_FALSE(saveWorksheet(t.files, sample::entries(QStringLiteral("One Too Many")), t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(track), full);
    EXPECT_FALSE(userFileExists(t, sheet(QStringLiteral("One Too Many"))));

    // A listed title is saved again as usual.
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Sheet 0500"), "z"), t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("Sheet 0500"))), sample::worksheetBytes("Sheet 0500", "z"));
    EXPECT_EQ(t.readUserFile(track), full);

    // Removing the 1000th leaves 999, byte for byte.
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("Last One"), t.state.worksheetList), Removal::Removed);
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes(nineHundredNinetyNine));
    EXPECT_EQ(t.state.worksheetList.count, 999);
}

TEST(WorksheetSave, AFullDiskLeavesEveryFileAsItWasAndSaysSo)
{
    TestApp t;
    const QStringList titles = sample::numberedTitles(30);
    t.writeUserFile(track, sample::trackBytes(titles));
    t.writeUserFile(sheet(QStringLiteral("Sheet 0001")), sample::worksheetBytes("Sheet 0001"));
    const auto before = snapshot(t);

    // A child process whose files may not grow past 200 bytes, as on a full disk: every
    // write of a worksheet (about 700 bytes) or of this list (about 360) fails part-way.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200, 200};
        setrlimit(RLIMIT_FSIZE, &limit);
        int reportedSuccess = 0;
        if (saveWorksheet(t.files, sample::entries(QStringLiteral("New one")), t.state.worksheetList))
            reportedSuccess |= 1;
        if (saveWorksheet(t.files, sample::entries(QStringLiteral("Sheet 0001"), "changed"), t.state.worksheetList))
            reportedSuccess |= 2;
        if (removeWorksheetTitle(t.files, QStringLiteral("Sheet 0002"), t.state.worksheetList) != Removal::Failed)
            reportedSuccess |= 4;
        _exit(reportedSuccess);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "saves or removals reported as done: " << WEXITSTATUS(status);
    EXPECT_EQ(snapshot(t), before); // byte for byte, and no temporary file left behind

    // And the next save, with room on the disk, works.
    EXPECT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("New one")), t.state.worksheetList));
    QStringList more = titles;
    more << QStringLiteral("New one");
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes(more));
}

TEST(WorksheetSave, TwoCopiesSavingAtOnceLoseNoTitle)
{
    TestApp t;
    constexpr int saves = 100;
    // Two copies of the program: each its own view of the same folder, its own list.
    auto copy = [&t](const QString& stem, int* saved) {
        DataFolder files(t.files.readOnlyRoot(), t.files.writableRoot());
        WorksheetList list;
        for (int i = 0; i < saves; ++i)
            if (saveWorksheet(files, sample::entries(QStringLiteral("%1 %2").arg(stem).arg(i)), list))
                ++*saved;
    };
    int savedA = 0, savedB = 0;
    std::thread a(copy, QStringLiteral("Copy A"), &savedA);
    std::thread b(copy, QStringLiteral("Copy B"), &savedB);
    a.join();
    b.join();
    EXPECT_EQ(savedA + savedB, 2 * saves);
    WorksheetList list;
    ASSERT_EQ(readTrackingFile(t.files, list), ListRead::Read);
    EXPECT_EQ(list.count, 2 * saves);
    QSet<QString> listed;
    for (int i = 1; i <= list.count; ++i)
        listed.insert(list.titles[i]);
    EXPECT_EQ(listed.size(), 2 * saves);
}

TEST(WorksheetSave, TheListReadsBackAsWrittenAndStaleTemporaryFilesGo)
{
    TestApp t;
    // Titles that only quotes keep whole: a comma, a line break.
    t.writeUserFile(track, " 3 \r\n\"Smith, J\"\r\n\"Two\r\nlines\"\r\nPlain\r\n");
    t.writeUserFile("multiple/track.txt.h4x0r8zq.corvana-tmp", "left by a save that stopped");
    ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("New")), t.state.worksheetList));
    EXPECT_EQ(t.readUserFile(track), " 4 \r\n\"Smith, J\"\r\n\"Two\r\nlines\"\r\nPlain\r\nNew\r\n");
    WorksheetList list;
    ASSERT_EQ(readTrackingFile(t.files, list), ListRead::Read);
    ASSERT_EQ(list.count, 4);
    EXPECT_EQ(list.titles[1], "Smith, J");
    EXPECT_EQ(list.titles[2], "Two\r\nlines");
    EXPECT_EQ(list.titles[4], "New");
    EXPECT_FALSE(userFileExists(t, "multiple/track.txt.h4x0r8zq.corvana-tmp"));

    // Removing keeps them whole too.
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("Plain"), t.state.worksheetList), Removal::Removed);
    EXPECT_EQ(t.readUserFile(track), " 3 \r\n\"Smith, J\"\r\n\"Two\r\nlines\"\r\nNew\r\n");
}

TEST(WorksheetSave, LinksOutOfTheUsersFolderAreNeverWrittenThrough)
{
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.path() + QStringLiteral("/precious.txt");
    const QByteArray precious = sample::trackBytes({"Not Corvana's"});
    auto plant = [&](TestApp& t, const QString& link, const QString& target) {
        QFile f(outside);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(precious);
        f.close();
        QDir().mkpath(t.userRoot() + QStringLiteral("/multiple"));
        QFile::remove(t.userRoot() + QLatin1Char('/') + link);
        ASSERT_TRUE(QFile::link(target, t.userRoot() + QLatin1Char('/') + link));
    };
    {
        TestApp t; // the list
        plant(t, track, outside);
        EXPECT_FALSE(saveWorksheet(t.files, sample::entries(QStringLiteral("New")), t.state.worksheetList));
        EXPECT_EQ(fileBytes(outside), precious);
        EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("Not Corvana's"), t.state.worksheetList),
                  Removal::Failed);
        EXPECT_EQ(fileBytes(outside), precious);
    }
    {
        TestApp t; // a worksheet
        plant(t, sheet(QStringLiteral("Sheet")), outside);
        EXPECT_FALSE(saveWorksheet(t.files, sample::entries(QStringLiteral("Sheet")), t.state.worksheetList));
        EXPECT_EQ(fileBytes(outside), precious);
    }
    {
        TestApp t; // the folder itself
        QDir(t.userRoot()).rmdir(QStringLiteral("multiple"));
        ASSERT_TRUE(QFile::link(elsewhere.path(), t.userRoot() + QStringLiteral("/multiple")));
        EXPECT_FALSE(saveWorksheet(t.files, sample::entries(QStringLiteral("precious")), t.state.worksheetList));
        EXPECT_EQ(fileBytes(outside), precious);
        EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"precious.txt"});
    }
}

// Unlucky files in the worksheet folder never strand a teacher: every save and rebuild goes on.
TEST(WorksheetSave, UnluckyFilesInTheFolderNeverStrandATeacher)
{
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    auto age = [](const QString& path, const QDateTime& when) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    };
    { // Names a list can't hold are left out of a rebuild and named; so are the topics' sets.
        TestApp t;
        t.writeUserFile(track, "3\r\nOne\r\n");
        t.writeUserFile(sheet(QStringLiteral("Good")), sample::worksheetBytes("Good"));
        t.writeUserFile(sheet(QStringLiteral("\"Quoted")), sample::worksheetBytes("Quoted"));
        t.writeUserFile(sheet(QStringLiteral("Tick \u2713")), sample::worksheetBytes("Tick"));
        t.writeUserFile(sheet(QStringLiteral("The Heart")), sample::worksheetBytes("The Heart"));
        // A name that is not UTF-8 at all.
        const QByteArray bad = QFile::encodeName(t.userRoot()) + "/multiple/Bad \xff name.txt";
        const int fd = ::open(bad.constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
        EXPECT_TRUE(offerListRebuild(t.files, t.messages, "damaged", t.state.worksheetList, {"The Heart"}));
        EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Good"}));
        const QString told = t.messages.texts().last();
        EXPECT_TRUE(told.contains("\"\"Quoted.txt\"") && told.contains("Tick \u2713.txt")) << told.toStdString();
        EXPECT_FALSE(told.contains("The Heart")) << told.toStdString();
        // Saving goes on too, with no new damaged copy each time.
        EXPECT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Next")), t.state.worksheetList, {"The Heart"}));
        EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"Good", "Next"}));
    }
    { // A save stopped between its two renames: its worksheet is listed by the next save, a
      // removed one (older than the list) is not.
        TestApp t;
        ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("First")), t.state.worksheetList));
        ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Removed")), t.state.worksheetList));
        ASSERT_EQ(removeWorksheetTitle(t.files, QStringLiteral("Removed"), t.state.worksheetList), Removal::Removed);
        age(t.userRoot() + "/" + sheet(QStringLiteral("Removed")), past.addSecs(-60));
        age(t.userRoot() + "/" + track, past);
        t.writeUserFile(sheet(QStringLiteral("Stopped")), sample::worksheetBytes("Stopped"));
        ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("Later")), t.state.worksheetList));
        EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"First", "Stopped", "Later"}));
    }
    { // A lock left by a program that is gone, or an empty one, is cleared at once.
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0)
            _exit(0);
        ASSERT_EQ(waitpid(child, nullptr, 0), child);
        const QByteArray dead = QByteArray::number(child) + "\ncorvana\n" + QSysInfo::machineHostName().toUtf8() + "\n";
        for (const QByteArray& lock : {dead, QByteArray()}) {
            TestApp t;
            t.writeUserFile(QStringLiteral("multiple/.track.lock"), lock);
            EXPECT_TRUE(saveWorksheet(t.files, sample::entries(QStringLiteral("New")), t.state.worksheetList));
        }
    }
    { // The user's data folder itself a link: nothing is written through it.
        QTemporaryDir elsewhere, parent;
        const QString link = parent.path() + QStringLiteral("/corvana");
        ASSERT_TRUE(QFile::link(elsewhere.path(), link));
        TestApp t;
        DataFolder linked(QStringLiteral(CORVANA_TEST_DATA_DIR), link);
        EXPECT_FALSE(saveWorksheet(linked, sample::entries(QStringLiteral("New")), t.state.worksheetList));
        EXPECT_TRUE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }
}

// ---------------------------------------------------------------- removing

TEST(WorksheetRemove, TakesTheTitleOutOfTheListAndKeepsItsFile)
{
    TestApp t;
    for (const char* title : {"One", "Two", "Three"})
        ASSERT_TRUE(saveWorksheet(t.files, sample::entries(QString::fromLatin1(title)), t.state.worksheetList));
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("Two"), t.state.worksheetList), Removal::Removed);
    EXPECT_EQ(t.readUserFile(track), sample::trackBytes({"One", "Three"}));
    EXPECT_EQ(t.state.worksheetList.count, 2);
    EXPECT_EQ(t.state.worksheetList.titles[2], "Three");
    EXPECT_EQ(t.readUserFile(sheet(QStringLiteral("Two"))), sample::worksheetBytes("Two"));
}

TEST(WorksheetRemove, OfTwoEqualTitlesTheLastGoes)
{
    TestApp t;
    t.writeUserFile(track, " 4 \r\nA\r\nB\r\nC\r\nB\r\n");
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("B"), t.state.worksheetList), Removal::Removed);
    EXPECT_EQ(t.readUserFile(track), " 3 \r\nA\r\nB\r\nC\r\n");
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("A"), t.state.worksheetList), Removal::Removed);
    EXPECT_EQ(t.readUserFile(track), " 2 \r\nB\r\nC\r\n");
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("C"), t.state.worksheetList), Removal::Removed);
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("B"), t.state.worksheetList), Removal::Removed);
    EXPECT_EQ(t.readUserFile(track), " 0 \r\n");
}

TEST(WorksheetRemove, ATitleNoLongerListedRemovesNothing)
{
    TestApp t;
    t.writeUserFile(track, "2\r\nFirst\r\nSecond\r\n");
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("Gone"), t.state.worksheetList), Removal::NotListed);
    EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("first"), t.state.worksheetList), Removal::NotListed);
    EXPECT_EQ(t.readUserFile(track), "2\r\nFirst\r\nSecond\r\n");
    EXPECT_EQ(t.state.worksheetList.count, 2);
}

TEST(WorksheetRemove, AMissingOrUnreadableListFailsAndStaysAsItWas)
{
    QTemporaryDir noShippedData;
    TestApp missing(noShippedData.path());
    EXPECT_EQ(removeWorksheetTitle(missing.files, QStringLiteral("A"), missing.state.worksheetList), Removal::Failed);
    EXPECT_FALSE(userFileExists(missing, track));

    for (const QByteArray& bytes : {QByteArray(" 3 \r\nA\r\nB\r\n"), QByteArray("x\r\nA\r\n")}) {
        TestApp t;
        t.writeUserFile(track, bytes);
        EXPECT_EQ(removeWorksheetTitle(t.files, QStringLiteral("A"), t.state.worksheetList), Removal::Failed);
        EXPECT_EQ(t.readUserFile(track), bytes);
    }
}

// ---------------------------------------------------------------- loading and paging

TEST(WorksheetLoad, MissingShortBinaryOrBadDigitFails)
{
    TestApp t;
    EXPECT_FALSE(loadWorksheet(t.files, QStringLiteral("Nowhere"), t.state.currentSet));

    QByteArray shortFile = sample::worksheetBytes("Short");
    shortFile.truncate(shortFile.indexOf("Question 5"));
    t.writeUserFile(sheet(QStringLiteral("Short")), shortFile);
    EXPECT_FALSE(loadWorksheet(t.files, QStringLiteral("Short"), t.state.currentSet));

    t.writeUserFile(sheet(QStringLiteral("Binary")), QByteArray("\x00\x01\xff\xfe\x89PNG\r\n\x1a\n", 12));
    EXPECT_FALSE(loadWorksheet(t.files, QStringLiteral("Binary"), t.state.currentSet));

    QByteArray badDigit = sample::worksheetBytes("Digit");
    badDigit.replace("\r\n2\r\n \r\n", "\r\n5\r\n \r\n"); // question 1's correct option
    t.writeUserFile(sheet(QStringLiteral("Digit")), badDigit);
    EXPECT_FALSE(loadWorksheet(t.files, QStringLiteral("Digit"), t.state.currentSet));

    t.writeUserFile(sheet(QStringLiteral("Good")), sample::worksheetBytes("Good"));
    EXPECT_TRUE(loadWorksheet(t.files, QStringLiteral("Good"), t.state.currentSet));
}

TEST(CataloguePaging, EveryTitleOfAThousandIsOnAPage)
{
    WorksheetList list;
    const QStringList titles = sample::numberedTitles(1000);
    list.count = 1000;
    for (int i = 1; i <= 1000; ++i)
        list.titles[i] = titles[i - 1];
    int page = 0;
    while (catalogue_paging::hasNextPage(list, page))
        ++page;
    EXPECT_EQ(page, 41);
    EXPECT_EQ(catalogue_paging::entriesOnPage(list, 40), 24);
    EXPECT_EQ(catalogue_paging::entriesOnPage(list, 41), 16);
    EXPECT_EQ(catalogue_paging::titleAt(list, 41, 1), "Sheet 0985");
    EXPECT_EQ(catalogue_paging::titleAt(list, 41, 16), "Sheet 1000");
    EXPECT_EQ(catalogue_paging::titleAt(list, 41, 24), QString()); // past slot 1000

    list.count = 24;
    EXPECT_FALSE(catalogue_paging::hasNextPage(list, 0));
    list.count = 25;
    EXPECT_TRUE(catalogue_paging::hasNextPage(list, 0));
    EXPECT_EQ(catalogue_paging::entriesOnPage(list, 1), 1);
    // A count above what the list can hold (left by a failed read) shows what it holds.
    list.count = 5000;
    EXPECT_EQ(catalogue_paging::shownCount(list), 1000);
    EXPECT_FALSE(catalogue_paging::hasNextPage(list, 41));
}
