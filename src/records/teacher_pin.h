// The teachers' PIN asked before a teachers' screen opens.
#pragma once

#include "shell/screen_frame.h"

#include <functional>

class QLineEdit;

class TeacherPin : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "teacherpin";
    explicit TeacherPin(App& app);
    void load() override;

    // What opens once the PIN is right.
    void setOnPass(std::function<void(App&)> open) { onPass_ = std::move(open); }
    // Label3(0) OK, Label3(1) Exit.
    void buttonClicked(int index);
    QLineEdit* pinBox() const { return pinBox_; }
    QWidget* firstFocus() const override;

private:
    void check();
    QLineEdit* pinBox_;
    std::function<void(App&)> onPass_;
};

// Runs open at once when no PIN is set; otherwise asks for it first.
void withTeacherPin(App& app, std::function<void(App&)> open);

inline const QString wrongPinMessage = QStringLiteral("That is not the teachers' PIN.");
