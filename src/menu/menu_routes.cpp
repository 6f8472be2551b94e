#include "menu_routes.h"

#include "main_menu.h"
#include "platform/messages.h"
#include "records/records_screen.h"
#include "records/teacher_pin.h"
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
    // The teachers' tools ask for the teachers' PIN first when one is set.
    case 17: // the wizard opens over the menu, which stays open beneath it
        withTeacherPin(app, [](App& a) { a.screens.show(a.screens.touch<Wizard>()); });
        break;
    case 22:
        openClassRecords(app);
        break;
    case 18: // the catalogue replaces the menu; its Exit loads the menu afresh
        withTeacherPin(app, [](App& a) {
            a.screens.show(a.screens.touch<Catalogue>());
            if (Screen* shown = a.screens.find(ui::mainMenuScreen))
                a.screens.close(*shown);
        });
        break;
    default:
        // Screens still to be built: the entry only clicks.
        break;
    }
}
