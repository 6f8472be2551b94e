// The quiz screen: ten questions of the current set, one at a time, each with four options.
#pragma once

#include "quiz_rules.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

#include <QDateTime>

class QButtonGroup;
class ReadAloud;
class QRadioButton;

class QuizScreen : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "multiple";
    explicit QuizScreen(App& app);
    void load() override;

    // Shows question currentQuestion(), with no option selected.
    void showquest();
    // What a button label does, before its click sound; also reached by tests.
    void buttonAction(int index);
    // Prints the current set as a paper worksheet.
    void printPage();

    int currentQuestion() const { return currentQuestion_; }
    const quiz::AnswerResults& answerResults() const { return answerResults_; }
    QRadioButton* option(int index) const; // 1..4 visible, 5 the hidden no-answer option
    PictureItem* picture() const { return picture_; }
    ReadAloud* readAloud() const { return readAloud_; }
    // The task title handed on to the certificate (Label5).
    void setTaskTitle(const QString& title);

    void arrangeKeyboardOrder() override;
    QString readerTitle() const override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void buttonClicked(int index);
    int selectedOption() const; // 1..4, or 0 when none of the visible options is selected
    void finish();
    // Keeps the finished quiz in the class records.
    void recordFinished(const quiz::Outcome& outcome);

    PictureItem* picture_;
    ReadAloud* readAloud_ = nullptr;
    QButtonGroup* options_;
    int currentQuestion_ = 1;
    quiz::AnswerResults answerResults_{};
    quiz::AnswerResults chosen_{}; // the option chosen at the last move on: 1..4, 0 none
    QDateTime started_;
};
