// The teachers' settings for class records: class mode, the class list, the class folder and
// the teachers' PIN.
#pragma once

#include "shell/screen_frame.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

class ClassSettingsScreen : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "classsettings";
    explicit ClassSettingsScreen(App& app);
    void load() override;

    // Label6(0) Save, Label6(1) Exit.
    void buttonClicked(int index);
    // Keeps what the boxes hold; false (and the teacher told why) when it could not.
    bool save();

    QCheckBox* classMode() const { return classMode_; }
    QPlainTextEdit* classList() const { return classList_; }
    QLineEdit* folderBox() const { return folder_; }
    QLineEdit* pinBox() const { return pin_; }
    QCheckBox* noPin() const { return noPin_; }

private:
    QCheckBox* classMode_;
    QPlainTextEdit* classList_;
    QLineEdit* folder_;
    QLabel* schoolFolder_;
    QLineEdit* pin_;
    QCheckBox* noPin_;
};

inline constexpr int shortestPin = 4;
