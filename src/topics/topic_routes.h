// The main menu's ways into the reading pages: the guide, the introduction and the
// acknowledgments.
#pragma once

struct App;

namespace topics {

void openAcknowledgments(App& app); // the paged reader, acknowledgments variant
void openTeachersGuide(App& app);   // the guide at page 1
void openIntroduction(App& app);    // the paged reader, one page

} // namespace topics
