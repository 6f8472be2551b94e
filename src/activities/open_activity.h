// How the topic hubs open a drag-and-drop activity.
#pragma once

#include <QString>

struct App;

// screenName: "boneslab", "partslab", "partsord" or "bonesord". Loads the screen, writes
// title into its Label6 and shows it on top.
void openActivity(App& app, const QString& screenName, const QString& title);
