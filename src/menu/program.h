// What the program sets up before its first screen: the topics from their content folders
// and the screens that others open by name.
#pragma once

struct App;

void prepareProgram(App& app);
