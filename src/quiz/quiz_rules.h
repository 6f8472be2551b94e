// The rules of the quiz and its results, without widgets: scoring, the review lines, the
// results message and the celebration sounds.
#pragma once

#include <QList>
#include <QString>

#include <array>

struct Question;
struct QuestionSet;

namespace quiz {

inline constexpr int questionCount = 10;
inline constexpr int optionCount = 4;

// A number as it is put into a displayed or printed text: one leading space, so that
// "Question" and 1 read "Question 1".
QString spaced(int number);

// "Question 1" .. "Question 10".
QString questionCaption(int number);

// Whether the option the pupil had selected (1..4, 0 for none) is the question's correct one.
// A correct-option entry that is not 1..4 can match no option, so it is never right.
bool isAnsweredCorrectly(const Question& question, int selectedOption);

// Per question 1..10: 1 when it was answered correctly when last left forwards, else 0.
using AnswerResults = std::array<int, questionCount + 1>; // [0] unused

struct Outcome {
    int score = 0;
    QList<int> wrongQuestions; // in question order
};
Outcome score(const AnswerResults& results);

// A line of the wrong-answers review: " 3. " followed by the question text.
QString reviewLine(int questionNumber, const QString& questionText);

// What the results screen says and offers for a score S out of N.
struct ResultsMessage {
    enum Case { FullMarks, Close, Further };
    Case kind = Further;
    QString message;       // Label1
    QString hint;          // Label5; empty with full marks
    QString button;        // Label3(0)
};
ResultsMessage resultsMessage(int score, int outOf);

// The celebration sounds by score: how many there are to choose from (0: none), and the one
// for a draw r in 0..choices-1.
int celebrationChoices(int score);
QString celebrationSound(int score, int draw);

// "You have scored 9 out of 10." as printed on the certificate.
QString scoreLine(int score, int outOf);

} // namespace quiz
