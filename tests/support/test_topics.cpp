#include "test_topics.h"

#include "test_app.h"

#include "activities/open_activity.h"
#include "topics/topic_hub.h"

#include "platform/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Links each file of from that to does not hold yet, folder by folder; only files are linked,
// so removing the folder never reaches into the build's media.
void linkMissingFiles(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QFileInfoList entries = QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& e : entries) {
        const QString target = to + QLatin1Char('/') + e.fileName();
        if (e.isDir())
            linkMissingFiles(e.absoluteFilePath(), target);
        else if (!QFileInfo::exists(target))
            QFile::link(e.absoluteFilePath(), target);
    }
}

[[noreturn]] void fail(const char* what, const char* name)
{
    std::fprintf(stderr, "%s %s\n", what, name);
    std::abort();
}

} // namespace

QString fixtureDataDir()
{
    // The build writes the test topics into their own folder; the build's media fill in the rest.
    static QTemporaryDir dir;
    static const bool linked = [] {
        linkMissingFiles(QStringLiteral(CORVANA_TEST_TOPICS_DIR), dir.path());
        linkMissingFiles(testDataDir(), dir.path());
        return true;
    }();
    (void)linked;
    return dir.path();
}

const TopicCatalogue& fixtureTopics()
{
    static const TopicCatalogue catalogue = [] {
        TopicCatalogue c = TopicCatalogue::load(DataFolder(fixtureDataDir(), QString()));
        for (const QString& e : c.errors())
            std::fprintf(stderr, "test topics: %s\n", qPrintable(e));
        return c;
    }();
    return catalogue;
}

const activity::ActivityLayout& fixtureActivity(const char* screenName)
{
    if (const activity::ActivityLayout* layout = fixtureTopics().activity(QString::fromLatin1(screenName)))
        return *layout;
    fail("no test activity", screenName);
}

const HubTopic& fixtureHub(const char* hubScreen)
{
    if (const TopicFile* topic = fixtureTopics().byScreen(QString::fromLatin1(hubScreen)))
        return topic->hub;
    fail("no test topic", hubScreen);
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
    // A test's own data folder may hold no topics: the test topic's description stands in.
    const TopicFile* topic = t.state.topics->byScreen(QString::fromLatin1(hubScreen));
    if (!topic)
        topic = fixtureTopics().byScreen(QString::fromLatin1(hubScreen));
    return t.screens.touchNamed<TopicHub>(QString::fromLatin1(hubScreen),
                                          [&] { return new TopicHub(t.app, *topic); });
}
