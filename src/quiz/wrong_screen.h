// The review of the questions answered wrongly in the last quiz.
#pragma once

#include "shell/screen_frame.h"
#include "state/app_state.h"

class WrongScreen : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "Wrong";
    static constexpr int lineCount = 10;
    explicit WrongScreen(App& app);
    void load() override;

    // Filled by the quiz when it finishes.
    void setTitle(const QString& title);
    void showLine(int k, const QString& text); // k = 0..9; others are ignored

    // Closes the results screen and this one.
    void exitAction();

private:
    // Places the shown lines so that none runs into another or into the closing words.
    void layOutLines();
};
