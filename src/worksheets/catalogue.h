// The worksheet catalogue: the teachers' worksheets 24 to a page, each opened as a quiz,
// edited in the wizard or removed from the list, as the two tick boxes choose.
#pragma once

#include "shell/screen_frame.h"
#include "state/app_state.h"

class QCheckBox;

class Catalogue : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "worksheets";
    static constexpr int entryCount = 24;

    explicit Catalogue(App& app);
    void load() override;

    void workpage();
    void editworksheet();
    // Removes titleToDelete from the list; false when the list could not be read or written.
    bool delworksheet();

    // Clicks: Label2(0) is Exit, Label2(1..24) the titles; Label3(0) and (1) turn the page.
    void entryClicked(int index);
    void pageClicked(int index);

    int currentPage() const { return currentPage_; }
    ButtonLabel* entry(int i) const { return entries_.at(i); }
    QCheckBox* check1() const { return check1_; }
    QCheckBox* check2() const { return check2_; }

private:
    void showEntries();

    QCheckBox* check1_;
    QCheckBox* check2_;
    std::array<ButtonLabel*, entryCount + 1> entries_{};
    ButtonLabel* previous_;
    ButtonLabel* next_;
    QLabel* pageLabel_;
    int currentPage_ = 0;
    QString titleToDelete_;
};
