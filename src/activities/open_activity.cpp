#include "open_activity.h"

#include "activity_screen.h"

void openActivity(App& app, const activity::ActivityLayout& layout, const QString& title)
{
    auto& screen = app.screens.touchNamed<activity::ActivityScreen>(
        layout.name, [&] { return new activity::ActivityScreen(app, layout); });
    screen.setTitle(title);
    app.screens.show(screen);
}
