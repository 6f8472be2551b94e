// Helpers shared by the quiz tests: a known question set, opening the quiz as a hub does,
// and answering it.
#pragma once

#include "test_app.h"

#include "quiz/open_quiz.h"
#include "quiz/quiz_screen.h"
#include "quiz/results_screen.h"
#include "quiz/wrong_screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Question q reads "Question text q", its options "q-1".."q-4", and its correct option is
// (q % 4) + 1, so the answers spread over A to D.
inline QuestionSet numberedSet(const QString& title = QStringLiteral("Numbered Set"))
{
    QuestionSet set;
    set.title = title;
    for (int q = 1; q <= 10; ++q) {
        Question& question = set.question(q);
        question.text = QStringLiteral("Question text %1").arg(q);
        for (int k = 1; k <= 4; ++k)
            question.options[k] = QStringLiteral("%1-%2").arg(q).arg(k);
        question.correct = QString::number(q % 4 + 1);
    }
    return set;
}

inline int correctOf(int q) { return q % 4 + 1; }
inline int wrongOf(int q) { return correctOf(q) % 4 + 1; }

class QuizTest : public ::testing::Test {
protected:
    void SetUp() override { t.state.soundOn = 1; }

    QuizScreen& open(const QuestionSet& set = numberedSet())
    {
        t.state.currentSet = set;
        openQuiz(t.app, QStringLiteral("images\\vitruvius2sm.jpg"));
        QuizScreen* quiz = t.screens.find<QuizScreen>();
        EXPECT_NE(quiz, nullptr);
        return *quiz;
    }

    // Clicks a button label the way the pupil does, so its click sound plays too.
    static void click(QWidget* w)
    {
        ASSERT_NE(w, nullptr);
        // An option button reacts only on its circle and caption, at its left.
        const QPoint at = qobject_cast<QRadioButton*>(w) ? QPoint(8, w->height() / 2) : w->rect().center();
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    }

    // Types any characters, accented ones included, as key presses carrying their text.
    static void type(QWidget* w, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &release);
        }
    }

    // Answers the current question (0: leaves it unanswered) and presses the forward item.
    void answer(QuizScreen& quiz, int option)
    {
        if (option > 0)
            click(quiz.option(option));
        click(quiz.button(QStringLiteral("Label3"), 1));
    }

    // Takes the whole quiz, answering the listed questions wrongly and the rest correctly.
    void takeQuiz(QuizScreen& quiz, const QList<int>& wrong)
    {
        for (int q = 1; q <= 10; ++q)
            answer(quiz, wrong.contains(q) ? wrongOf(q) : correctOf(q));
    }

    QString text(Screen* s, const char* name) const
    {
        QLabel* l = s ? s->item<QLabel>(QString::fromLatin1(name)) : nullptr;
        return l ? l->text() : QStringLiteral("<missing>");
    }

    // Runs a timer's step now, as if it had fired.
    static void fire(QTimer* timer)
    {
        ASSERT_NE(timer, nullptr);
        QMetaObject::invokeMethod(timer, "timeout");
    }

    TestApp t;
};
