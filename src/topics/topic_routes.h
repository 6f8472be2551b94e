// The main menu's ways into the topics: the two hubs and the three reading pages.
#pragma once

struct App;

namespace topics {

void openPartsHub(App& app);        // "Parts of the Body"
void openBonesHub(App& app);        // "Bones"
void openAcknowledgments(App& app); // the paged reader, acknowledgments variant
void openTeachersGuide(App& app);   // the guide at page 1
void openIntroduction(App& app);    // the paged reader, one page

} // namespace topics
