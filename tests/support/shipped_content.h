// The shipped topics' descriptions, read once from the build's data folder, under the names
// the tests use for them.
#pragma once

#include "activities/activity_layout.h"
#include "topics/topic_catalogue.h"

const TopicCatalogue& shippedTopics();
const activity::ActivityLayout& shippedActivity(const char* screenName);
const HubTopic& shippedHub(const char* hubScreen);

namespace activity {
inline const ActivityLayout& boneslab = shippedActivity("boneslab");
inline const ActivityLayout& partslab = shippedActivity("partslab");
inline const ActivityLayout& partsord = shippedActivity("partsord");
inline const ActivityLayout& bonesord = shippedActivity("bonesord");
} // namespace activity

namespace hubs {
inline const HubTopic& parts = shippedHub("parts");
inline const HubTopic& bones = shippedHub("bones");
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
