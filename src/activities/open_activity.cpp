#include "open_activity.h"

#include "activity_screen.h"

void openActivity(App& app, const activity::ActivityLayout& layout, const QString& title, const QString& kind)
{
    auto& screen = app.screens.touchNamed<activity::ActivityScreen>(
        layout.name, [&] { return new activity::ActivityScreen(app, layout); });
    screen.setTitle(title);
    const QString name = kind.isEmpty() || title.isEmpty() ? title + kind : title + QStringLiteral(": ") + kind;
    if (!kind.isEmpty())
        screen.setReaderTitle(name);
    screen.setTaskName(name);
    app.screens.show(screen);
}
