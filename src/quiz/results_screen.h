// The results screen: the score's message, a celebration sound, and the certificate for full
// marks or the review of wrong answers.
#pragma once

#include "shell/screen_frame.h"
#include "results.h"
#include "state/app_state.h"

class QLineEdit;
class ReadAloud;

class ResultsScreen : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "Welldone";
    explicit ResultsScreen(App& app);
    void load() override;
    // The task's result, handed over by whoever opens the screen: its message, buttons and
    // certificate come from it alone.
    void showResult(const ResultHandOff& result);
    const ResultHandOff& result() const { return result_; }

    // What a button label does, with its click sound where it has one.
    void buttonClicked(int index);
    // Prints the certificate for the name typed in Text1.
    void printPage();

    // After a quiz: the hint line and the first button (the review, or the certificate) in
    // place of the activity's line.
    void showQuizOffers();

    QLineEdit* nameBox() const { return nameBox_; }
    PictureItem* picture() const { return picture_; }
    ReadAloud* readAloud() const { return readAloud_; }

protected:
    void escapePressed() override;

private:
    void showPicture();
    void focusAndHighlight();
    void celebrate();

    ResultHandOff result_;
    PictureItem* picture_;
    QLineEdit* nameBox_;
    QTimer* timer1_;
    QTimer* timer2_;
    QTimer* timer3_;
    ReadAloud* readAloud_;
};
