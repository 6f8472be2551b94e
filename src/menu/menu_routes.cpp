#include "menu_routes.h"

#include "main_menu.h"
#include "platform/messages.h"
#include "topics/topic_catalogue.h"
#include "topics/topic_hub.h"
#include "topics/topic_routes.h"
#include "worksheets/catalogue.h"
#include "worksheets/wizard.h"

namespace {

// Topics whose hubs are not written yet tell the pupil so, instead of doing nothing.
void topicNotReady(App& app, MainMenu& menu, int index)
{
    const ButtonLabel* entry = menu.button(QStringLiteral("Label2"), index);
    const QString topic = entry ? entry->text() : QString();
    app.services.messages.ok(QStringLiteral("The topic \"%1\" is not ready yet.").arg(topic));
}

} // namespace

void openMenuEntry(App& app, MainMenu& menu, int index)
{
    if (topics::isTopicEntry(index)) {
        const TopicFile* topic = app.state.topics ? app.state.topics->byMenuEntry(index) : nullptr;
        if (topic)
            openTopicHub(app, *topic);
        else
            topicNotReady(app, menu, index);
        return;
    }
    switch (index) {
    case 19:
        topics::openAcknowledgments(app);
        break;
    case 20:
        topics::openTeachersGuide(app);
        break;
    case 21:
        topics::openIntroduction(app);
        break;
    case 17: { // the wizard opens over the menu, which stays open beneath it
        auto& wizard = app.screens.touch<Wizard>();
        app.screens.show(wizard);
        break;
    }
    case 18: { // the catalogue replaces the menu; its Exit loads the menu afresh
        auto& catalogue = app.screens.touch<Catalogue>();
        app.screens.show(catalogue);
        app.screens.close(menu);
        break;
    }
    default:
        // Screens still to be built: the entry only clicks.
        break;
    }
}
