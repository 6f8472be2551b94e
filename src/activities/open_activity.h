// How the topic hubs open a drag-and-drop activity.
#pragma once

#include <QString>

struct App;

namespace activity {
struct ActivityLayout;
}

// Loads the activity's screen (found by its name), writes title into its title line and shows
// it on top. The layout must outlive the screen. taskName: what the class records call it.
void openActivity(App& app, const activity::ActivityLayout& layout, const QString& title,
                  const QString& taskName = QString());
