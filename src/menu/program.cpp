#include "program.h"

#include "main_menu.h"
#include "title_screen.h"

#include "platform/data_folder.h"
#include "topics/topic_loading.h"

void prepareProgram(App& app)
{
    loadTopics(app, TopicFolders::forInstallation());
    app.screens.define(ui::mainMenuScreen, [](App& a) { return new MainMenu(a); });
    app.screens.define(ui::titleScreen, [](App& a) { return new TitleScreen(a); });
}
