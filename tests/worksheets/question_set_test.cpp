#include "platform/text_file.h"
#include "worksheets/question_set.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QuestionSet sampleSet(const QString& title = "Teeth, and gums")
{
    QuestionSet set;
    set.title = title;
    for (int q = 1; q <= 10; ++q) {
        Question& question = set.question(q);
        question.text = QString("Question %1, with a comma?").arg(q);
        for (int k = 1; k <= 4; ++k)
            question.options[k] = QString("Option %1.%2").arg(q).arg(k);
        question.correct = QString::number((q - 1) % 4 + 1);
    }
    return set;
}

QByteArray fileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toLatin1() + "\r\n";
    return bytes;
}

QuestionSet load(const QByteArray& bytes, QuestionSet start = QuestionSet(), bool* failed = nullptr)
{
    TextInput in(bytes);
    bool f = false;
    try {
        loadquestions(in, start);
    } catch (const ReadFailure&) {
        f = true;
    }
    if (failed)
        *failed = f;
    return start;
}

} // namespace

TEST(QuestionSetFile, WriterProducesTheSeventyTwoLineLayout)
{
    const QStringList lines = questionSetLines(sampleSet());
    ASSERT_EQ(lines.size(), 72);
    EXPECT_EQ(lines[0], "Teeth& and gums");
    EXPECT_EQ(lines[1], " ");
    EXPECT_EQ(lines[2], "Question 1& with a comma?");
    EXPECT_EQ(lines[3], "Option 1.1");
    EXPECT_EQ(lines[7], "1");
    EXPECT_EQ(lines[8], " ");
    EXPECT_EQ(lines[65], "Question 10& with a comma?"); // line 66
    EXPECT_EQ(lines[70], "2");
    EXPECT_EQ(lines[71], " ");
}

TEST(QuestionSetFile, RoundTripRestoresCommasAndTurnsTypedAmpersandsIntoCommas)
{
    QuestionSet written = sampleSet();
    written.question(3).options[2] = "salt & pepper";
    const QuestionSet read = load(fileBytes(questionSetLines(written)));
    EXPECT_EQ(read.title, "Teeth, and gums");
    EXPECT_EQ(read.question(1).text, "Question 1, with a comma?");
    EXPECT_EQ(read.question(3).options[2], "salt , pepper");
    EXPECT_EQ(read.question(10).correct, "2");
    EXPECT_EQ(correctOption(read.question(10)), 2);
}

TEST(QuestionSetFile, EmptySeparatorLinesAndExtraTrailingLinesLoadTheSame)
{
    QStringList lines = questionSetLines(sampleSet());
    for (QString& l : lines)
        if (l == " ")
            l.clear();
    lines << "extra" << "more, stuff";
    bool failed = true;
    const QuestionSet read = load(fileBytes(lines), QuestionSet(), &failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(read.question(10).options[4], "Option 10.4");
}

TEST(QuestionSetFile, ShortFileLeavesAMixOfTheNewAndTheOldSet)
{
    QuestionSet old = sampleSet("Old");
    for (int q = 1; q <= 10; ++q)
        old.question(q).text = QString("old %1").arg(q);
    QuestionSet fresh = sampleSet("New");
    // Cut after question 4 and the text and first option of question 5.
    const QStringList lines = questionSetLines(fresh).mid(0, 2 + 4 * 7 + 2);
    bool failed = false;
    const QuestionSet mixed = load(fileBytes(lines), old, &failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(mixed.title, "New");
    EXPECT_EQ(mixed.question(4).text, "Question 4, with a comma?");
    EXPECT_EQ(mixed.question(5).text, "Question 5, with a comma?");
    EXPECT_EQ(mixed.question(5).options[1], "Option 5.1");
    EXPECT_EQ(mixed.question(6).text, "old 6");
}

TEST(QuestionSetFile, EmptyAndBinaryFilesFail)
{
    bool failed = false;
    load(QByteArray(), QuestionSet(), &failed);
    EXPECT_TRUE(failed);
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>((i * 37) & 0xff));
    load(binary, QuestionSet(), &failed);
    EXPECT_TRUE(failed);
}

TEST(QuestionSetFile, CorrectOptionOutsideOneToFourIsRefusedAndNotStored)
{
    for (const char* bad : {"0", "5", "x", "", "12"}) {
        QStringList lines = questionSetLines(sampleSet());
        lines[7 + 7 * 2] = bad; // question 3's correct option
        QuestionSet before;
        before.question(3).correct = "4";
        bool failed = false;
        const QuestionSet read = load(fileBytes(lines), before, &failed);
        EXPECT_TRUE(failed) << bad;
        EXPECT_EQ(read.question(2).correct, "2") << bad;
        EXPECT_EQ(read.question(3).text, "Question 3, with a comma?") << bad;
        EXPECT_EQ(read.question(3).correct, "4") << bad;
    }
}

TEST(QuestionSetFile, AnUnencodedCommaShiftsLaterFields)
{
    QStringList lines = questionSetLines(sampleSet());
    lines[2] = "What is it, then?"; // question 1's text, hand-made with a raw comma
    bool failed = false;
    const QuestionSet read = load(fileBytes(lines), QuestionSet(), &failed);
    // Option 4 of question 1 lands in the correct-option field, which is then refused.
    EXPECT_TRUE(failed);
    EXPECT_EQ(read.question(1).text, "What is it");
    EXPECT_EQ(read.question(1).options[1], "then?");
}

TEST(QuestionSetFile, LoadingAFileClosesItAfterSuccessOrFailure)
{
    QTemporaryDir dir;
    QuestionSet set;
    EXPECT_FALSE(loadQuestionSetFile(dir.path() + "/missing.txt", set));
    EXPECT_FALSE(loadQuestionSetFile(dir.path(), set)); // a folder
    EXPECT_FALSE(loadQuestionSetFile(QString(), set));
    const QString path = dir.path() + "/set.txt";
    ASSERT_TRUE(writeLinesAtomically(path, questionSetLines(sampleSet())));
    EXPECT_TRUE(loadQuestionSetFile(path, set));
    EXPECT_EQ(set.question(7).options[3], "Option 7.3");
    // Closed: the file can be replaced straight away.
    EXPECT_TRUE(writeLinesAtomically(path, {"x"}));
}

TEST(QuestionSetFile, AHugeFileIsReadOnlyAsFarAsTheSetGoes)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/huge.txt";
    QStringList lines = questionSetLines(sampleSet());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(fileBytes(lines));
    const QByteArray junk(1 << 20, 'j');
    for (int i = 0; i < 40; ++i)
        f.write(junk);
    f.close();
    QuestionSet set;
    EXPECT_TRUE(loadQuestionSetFile(path, set));
    // One enormous line: refused without reading it all into memory.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (int i = 0; i < 40; ++i)
        f.write(junk);
    f.close();
    EXPECT_FALSE(loadQuestionSetFile(path, set));
}
