// The multiple-choice wizard: a title and ten questions of four options, one ticked as
// correct, checked and saved as a worksheet whose title joins the worksheet list.
#pragma once

#include "worksheet_store.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

#include <QValidator>

#include <array>

class QCheckBox;
class QLineEdit;

// Lets into a box only what a worksheet file can hold, whether typed, pasted or composed:
// other characters are dropped, so what is saved is what was typed.
class StorableTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

class Wizard : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "wizard";
    static constexpr int titleLimit = 25;
    static constexpr int questionLimit = 60;
    static constexpr int optionLimit = 30;

    explicit Wizard(App& app);
    void load() override;
    // Tab keeps the wizard's own order: each question followed by its four answers.
    void arrangeKeyboardOrder() override {}

    // What the boxes hold, and filling every box (the catalogue's edit mode).
    WorksheetEntries entries() const;
    void fill(const WorksheetEntries& entries);
    // Fills the boxes with questions brought in from another program's file, every text as
    // it came; a text the worksheet cannot keep is shown in red until it is changed, and
    // the keyboard starts at the first of them (or at the title when all can be kept).
    void fillImported(const WorksheetEntries& entries);

    void genwork();
    void saveworksheet();
    // A click on Label3(index): its action, then the click sound.
    void buttonClicked(int index);

    QLineEdit* text1() const { return text1_; }
    QLineEdit* text2(int i) const { return text2_.at(i); }
    QLineEdit* text3(int i) const { return text3_.at(i); }
    QCheckBox* check1(int i) const { return check1_.at(i); }

    // Whether the boxes hold anything not yet saved (or not as they were filled).
    bool hasUnsavedEntries() const;

protected:
    // Escape never throws typing away: with unsaved entries it asks first.
    void escapePressed() override;

private:
    void moveOnFrom(QLineEdit* box);

    QLineEdit* text1_;
    std::array<QLineEdit*, WorksheetEntries::questionCount> text2_{};
    std::array<QLineEdit*, WorksheetEntries::optionCount> text3_{};
    std::array<QCheckBox*, WorksheetEntries::optionCount> check1_{};
    WorksheetEntries kept_; // the entries as last filled or saved
};
