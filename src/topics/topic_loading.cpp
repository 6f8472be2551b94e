#include "topic_loading.h"

#include "topic_catalogue.h"

#include "platform/data_folder.h"
#include "shell/app.h"
#include "state/app_state.h"

#include <QDir>
#include <QStandardPaths>

TopicFolders TopicFolders::forInstallation()
{
    TopicFolders f;
    const QString data = findShippedDataFolder();
    if (!data.isEmpty()) {
        f.shipped = QDir(data).filePath(QStringLiteral("content"));
        f.templateTopic = QDir(data).filePath(QStringLiteral("templates/new-topic"));
    }
    f.school = qEnvironmentVariable("CORVANA_SCHOOL_TOPICS");
    f.mine = QDir(DataFolder::userDataRoot()).filePath(QStringLiteral("topics"));
    f.cache = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
                  .filePath(QStringLiteral("corvana/topics"));
    return f;
}

void loadTopics(App& app, const TopicFolders& folders)
{
    auto topics = std::make_shared<TopicCatalogue>(TopicCatalogue::load(app.services.files));
    app.state.topicFolders = folders;
    app.state.topicReports.clear();
    for (const auto& t : topics->topics()) {
        TopicReport r;
        r.folder = t->folderName;
        r.path = folders.shipped.isEmpty() ? QString() : QDir(folders.shipped).filePath(t->folderName);
        r.title = t->hub.title;
        r.origin = TopicOrigin::Shipped;
        app.state.topicReports << r;
    }
    app.state.topicTitles = topics->questionSetTitles();
    app.state.topics = std::move(topics);
}

void reloadTopics(App& app)
{
    loadTopics(app, app.state.topicFolders);
}
