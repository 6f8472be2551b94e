// A question set in memory: a title and ten four-option questions.
#pragma once

#include <QString>

#include <array>

struct Question {
    QString text;
    std::array<QString, 5> options; // 1..4 used; [0] unused so numbers read like the screens'
    QString correct;                // the correct option's digit as stored, "1".."4"
};

struct QuestionSet {
    QString title;
    std::array<Question, 11> questions; // 1..10 used

    Question& question(int q) { return questions.at(q); }
    const Question& question(int q) const { return questions.at(q); }
};
