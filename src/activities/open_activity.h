// How the topic hubs open a drag-and-drop activity.
#pragma once

#include <QString>

struct App;

namespace activity {
struct ActivityLayout;
}

// Loads the activity's screen (found by its name), writes title into its title line and shows
// it on top. The layout must outlive the screen. kind: what the activity is called on the
// button that opens it, which with the title names the screen for screen readers and the task
// in the class records ("Bones: Labelling Activity").
void openActivity(App& app, const activity::ActivityLayout& layout, const QString& title,
                  const QString& kind = QString());
