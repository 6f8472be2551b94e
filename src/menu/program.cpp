#include "program.h"

#include "main_menu.h"
#include "title_screen.h"

#include "platform/data_folder.h"
#include "topics/topic_catalogue.h"

void prepareProgram(App& app)
{
    auto topics = std::make_shared<TopicCatalogue>(TopicCatalogue::load(app.services.files));
    app.state.topicTitles = topics->questionSetTitles();
    app.state.topics = std::move(topics);
    app.screens.define(frame::mainMenuScreen, [](App& a) { return new MainMenu(a); });
    app.screens.define(frame::titleScreen, [](App& a) { return new TitleScreen(a); });
}
