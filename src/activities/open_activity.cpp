#include "open_activity.h"

#include "activity_screen.h"

void openActivity(App& app, const activity::ActivityLayout& layout, const QString& title, const QString& taskName)
{
    auto& screen = app.screens.touchNamed<activity::ActivityScreen>(
        QString::fromUtf8(layout.name), [&] { return new activity::ActivityScreen(app, layout); });
    screen.setTitle(title);
    screen.setTaskName(taskName.isEmpty() ? title : taskName);
    app.screens.show(screen);
}
