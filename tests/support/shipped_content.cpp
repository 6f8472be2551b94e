#include "shipped_content.h"

#include "test_app.h"

#include "activities/open_activity.h"
#include "topics/topic_hub.h"

#include "platform/data_folder.h"

#include <cstdio>
#include <cstdlib>

const TopicCatalogue& shippedTopics()
{
    static const TopicCatalogue catalogue = [] {
        const DataFolder files(testDataDir(), QString());
        TopicCatalogue c = TopicCatalogue::load(files);
        for (const QString& e : c.errors())
            std::fprintf(stderr, "shipped content: %s\n", qPrintable(e));
        return c;
    }();
    return catalogue;
}

const activity::ActivityLayout& shippedActivity(const char* screenName)
{
    const activity::ActivityLayout* layout = shippedTopics().activity(QString::fromLatin1(screenName));
    if (!layout) {
        std::fprintf(stderr, "no shipped activity %s\n", screenName);
        std::abort();
    }
    return *layout;
}

const HubTopic& shippedHub(const char* hubScreen)
{
    const TopicFile* topic = shippedTopics().byScreen(QString::fromLatin1(hubScreen));
    if (!topic) {
        std::fprintf(stderr, "no shipped topic %s\n", hubScreen);
        std::abort();
    }
    return topic->hub;
}

void openActivity(App& app, const QString& screenName, const QString& title)
{
    if (const activity::ActivityLayout* layout = app.state.topics->activity(screenName))
        openActivity(app, *layout, title);
}

TopicHub* findHub(TestApp& t, const char* hubScreen)
{
    return qobject_cast<TopicHub*>(t.screens.find(QString::fromLatin1(hubScreen)));
}

TopicHub& touchHub(TestApp& t, const char* hubScreen)
{
    // A test's own data folder may hold no topics: the shipped description stands in.
    const TopicFile* topic = t.state.topics->byScreen(QString::fromLatin1(hubScreen));
    if (!topic)
        topic = shippedTopics().byScreen(QString::fromLatin1(hubScreen));
    return t.screens.touchNamed<TopicHub>(QString::fromLatin1(hubScreen),
                                          [&] { return new TopicHub(t.app, *topic); });
}
