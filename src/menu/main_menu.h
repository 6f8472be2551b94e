// The main menu: topics and teacher tools, the brain animation and the sound switch.
#pragma once

#include "shell/screen_frame.h"
#include "state/app_state.h"

class QRadioButton;

class MainMenu : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "intro0";
    static constexpr int entryCount = 23;
    explicit MainMenu(App& app);
    void load() override;
    void arrangeKeyboardOrder() override;

    PictureItem* image() const { return image_; }
    QString shownPicture() const override { return image_->source(); }
    int brainFrame() const { return brainFrame_; }
    // What the entry does, before its click sound; also reached by tests.
    void entryAction(int index);

private:
    void readWorksheetList();
    void tick();
    void entryClicked(int index);

    PictureItem* image_;
    QRadioButton* soundOnOption_;
    QRadioButton* soundOffOption_;
    QTimer* readTimer_;
    QTimer* animationTimer_;
    int brainFrame_ = 0; // the brain animation's frame, 0..99
};
