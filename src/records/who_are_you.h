// "Who are you?": in class mode, the pupils of the class as large buttons; the name chosen goes
// with every task recorded and onto the certificate.
#pragma once

#include "platform/records.h"
#include "shell/screen_frame.h"

class WhoAreYou : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "whoareyou";
    static constexpr int perPage = 27; // three columns of nine
    explicit WhoAreYou(App& app);
    void load() override;

    // The choice buttons: Label3(0..26) names or classes; Label4(0) previous page, (1) next
    // page, (2) other class, (3) Exit, (4) not on the list.
    void choiceClicked(int index);
    void pageClicked(int index);

    // Shows the names of class c (an index of the settings' classes), or the classes (-1).
    void showClass(int c);
    int shownClass() const { return class_; }
    int page() const { return page_; }

private:
    void showPage();
    QList<ClassList> classes_;
    int class_ = -1;
    int page_ = 0;
    QLabel* hint_;
};

// After the title screen: true when class mode is on and "Who are you?" was opened.
bool offerWhoAreYou(App& app);
