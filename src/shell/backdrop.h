// The full-screen blue backdrop behind every screen for the whole run.
// The program's one sound player belongs with it (in the services it is handed).
#pragma once

#include "screen_frame.h"

class Backdrop : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "Grey";
    explicit Backdrop(App& app);
    void load() override;

protected:
    // It stays for the whole run: the window system cannot close it.
    void closeEvent(QCloseEvent* e) override;
    void rescaled() override { fit(); }

private:
    // Full screen: borderless over the whole display. In a window: the window itself, with
    // the screens lying over it.
    void fit();
};
