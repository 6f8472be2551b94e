// The title screen: the first screen of every run and the last before the program ends.
#pragma once

#include "shell/screen_frame.h"
#include "state/app_state.h"

class QFrame;
class QPushButton;

class TitleScreen : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "Titlefrm";
    explicit TitleScreen(App& app);
    void load() override;
    // Brought back from the main menu: "Cancel" returns to it instead of "OK".
    void offerCancel();

    // True when the load fell back to a standard screen (a frame file was missing).
    bool loadFailed() const { return loadFailed_; }
    int animFrame() const { return animFrame_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void tick();
    void okOrCancel();
    void exitProgram();

    QFrame* frame_;
    PictureItem* picture_;
    QTimer* timer_;
    bool loadFailed_ = false;
    bool cancelOffered_ = false;
    int animFrame_ = 0; // the brain animation's frame, 0..99
};
