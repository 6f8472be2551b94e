// The topics the framework tests run on: tests/support/fixtures, built into a data folder
// beside the build's media, so that mending a shipped topic breaks no framework test. The
// test topics keep the screen and hub names of the first two topics (parts, bones).
#pragma once

#include "activities/activity_layout.h"
#include "topics/topic_catalogue.h"

// The build's media folder with the test topics in place of the shipped ones; made once.
QString fixtureDataDir();
const TopicCatalogue& fixtureTopics();
const activity::ActivityLayout& fixtureActivity(const char* screenName);
const HubTopic& fixtureHub(const char* hubScreen);

namespace activity {
inline const ActivityLayout& boneslab = fixtureActivity("boneslab");
inline const ActivityLayout& partslab = fixtureActivity("partslab");
inline const ActivityLayout& partsord = fixtureActivity("partsord");
inline const ActivityLayout& bonesord = fixtureActivity("bonesord");
} // namespace activity

namespace hubs {
inline const HubTopic& parts = fixtureHub("parts");
inline const HubTopic& bones = fixtureHub("bones");
} // namespace hubs

struct App;
class TestApp;
class TopicHub;

// Opens an activity by its screen name, as a hub would; does nothing for a name that is no
// activity.
void openActivity(App& app, const QString& screenName, const QString& title);
// The open hub of that screen name, or nullptr.
TopicHub* findHub(TestApp& t, const char* hubScreen);
// Loads (without showing) the hub of that screen name.
TopicHub& touchHub(TestApp& t, const char* hubScreen);
