// Where the main menu's entries lead. Each topic or tool screen plugs in here.
#pragma once

class MainMenu;
struct App;

// Opens what entry `index` of the main menu leads to (not Exit, which the menu handles).
void openMenuEntry(App& app, MainMenu& menu, int index);
