#include "quiz/quiz_rules.h"
#include "worksheets/question_set.h"

#include <gtest/gtest.h>

namespace {

TEST(QuizRules, NumbersInTextsCarryOneLeadingSpace)
{
    EXPECT_EQ(quiz::questionCaption(1), QStringLiteral("Question 1"));
    EXPECT_EQ(quiz::questionCaption(10), QStringLiteral("Question 10"));
    EXPECT_EQ(quiz::reviewLine(3, QStringLiteral("Where is the femur?")), QStringLiteral(" 3. Where is the femur?"));
    EXPECT_EQ(quiz::reviewLine(10, QString()), QStringLiteral(" 10. "));
    EXPECT_EQ(quiz::scoreLine(9, 10), QStringLiteral("You have scored 9 out of 10."));
    EXPECT_EQ(quiz::spaced(-1), QStringLiteral("-1"));
}

TEST(QuizRules, OnlyTheStoredDigitsOneToFourCanBeRight)
{
    Question q;
    for (const char* digit : {"1", "2", "3", "4"}) {
        q.correct = QString::fromLatin1(digit);
        const int n = q.correct.toInt();
        for (int selected = 0; selected <= 5; ++selected)
            EXPECT_EQ(quiz::isAnsweredCorrectly(q, selected), selected == n) << digit << selected;
    }
    for (const char* bad : {"0", "5", "", "x", "12", " 1"}) {
        q.correct = QString::fromLatin1(bad);
        for (int selected = 0; selected <= 5; ++selected)
            EXPECT_FALSE(quiz::isAnsweredCorrectly(q, selected)) << '"' << bad << "\" " << selected;
    }
}

TEST(QuizRules, ScoreCountsFlagsAndListsWrongQuestionsInOrder)
{
    quiz::AnswerResults results{};
    results.fill(1);
    results[2] = 0;
    results[7] = 0;
    const quiz::Outcome out = quiz::score(results);
    EXPECT_EQ(out.score, 8);
    EXPECT_EQ(out.wrongQuestions, (QList<int>{2, 7}));
    quiz::AnswerResults none{};
    EXPECT_EQ(quiz::score(none).score, 0);
    EXPECT_EQ(quiz::score(none).wrongQuestions.size(), 10);
}

TEST(QuizRules, ResultsMessageByDistanceFromFullMarks)
{
    using M = quiz::ResultsMessage;
    const QString hint = QStringLiteral("Click the button above to check which questions you answered incorrectly.");
    const M full = quiz::resultsMessage(10, 10);
    EXPECT_EQ(full.kind, M::FullMarks);
    EXPECT_EQ(full.message, QStringLiteral("Excellent work. You have scored 10 out of 10."));
    EXPECT_EQ(full.button, QStringLiteral("Print Certificate"));
    EXPECT_TRUE(full.hint.isEmpty());
    for (int s : {9, 8}) {
        const M m = quiz::resultsMessage(s, 10);
        EXPECT_EQ(m.kind, M::Close);
        EXPECT_EQ(m.message, QStringLiteral("Good work. You have scored %1 out of 10.").arg(s));
        EXPECT_EQ(m.hint, hint);
        EXPECT_EQ(m.button, QStringLiteral("Check Wrong Answers"));
    }
    for (int s : {7, 0}) {
        const M m = quiz::resultsMessage(s, 10);
        EXPECT_EQ(m.kind, M::Further);
        EXPECT_EQ(m.message, QStringLiteral("You have scored %1 out of 10.").arg(s));
        EXPECT_EQ(m.hint, hint);
    }
    EXPECT_EQ(quiz::resultsMessage(0, 0).kind, M::FullMarks);
    EXPECT_EQ(quiz::resultsMessage(6, 8).kind, M::Close);
    EXPECT_EQ(quiz::resultsMessage(5, 8).kind, M::Further);
}

TEST(QuizRules, CelebrationTable)
{
    const QList<QStringList> rows = {
        {QStringLiteral("wav\\fanf2.wav"), QStringLiteral("wav\\fanf3.wav")},
        {QStringLiteral("wav\\crowd.wav"), QStringLiteral("wav\\cheer2.wav"), QStringLiteral("wav\\klaxon.wav")},
        {QStringLiteral("wav\\flute.wav"), QStringLiteral("wav\\gong.wav"), QStringLiteral("wav\\clap2.wav")},
        {QStringLiteral("wav\\drumroll.wav"), QStringLiteral("wav\\laser2.wav"), QStringLiteral("wav\\whizz.wav")},
        {QStringLiteral("wav\\clap3.wav"), QStringLiteral("wav\\clown.wav")},
    };
    for (int i = 0; i < rows.size(); ++i) {
        const int s = 10 - i;
        ASSERT_EQ(quiz::celebrationChoices(s), rows[i].size()) << s;
        for (int r = 0; r < rows[i].size(); ++r)
            EXPECT_EQ(quiz::celebrationSound(s, r), rows[i][r]) << s << " " << r;
        EXPECT_TRUE(quiz::celebrationSound(s, rows[i].size()).isEmpty());
    }
    for (int s : {-1, 0, 5, 11, 12})
        EXPECT_EQ(quiz::celebrationChoices(s), 0) << s;
}

} // namespace
