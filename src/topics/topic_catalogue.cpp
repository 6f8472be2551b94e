#include "topic_catalogue.h"

#include "platform/cp1252.h"
#include "platform/data_folder.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

QByteArray readAtMost(QFile& file, qint64 limit)
{
    // A buffer of the file's own size: reading with the limit alone allocates the whole limit
    // for every small file, which was much of a start's time.
    return file.read(std::clamp<qint64>(file.size(), 0, limit));
}

std::optional<QString> readContentFile(const DataFolder& files, const QString& relative)
{
    const QString path = files.resolve(relative);
    if (path.isEmpty())
        return std::nullopt;
    QFile f(path);
    // Content files are a few kilobytes; anything far larger, or a device that never ends, is
    // not one.
    constexpr qint64 limit = 1024 * 1024;
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = readAtMost(f, limit + 1);
    if (bytes.size() > limit)
        return std::nullopt;
    return cp1252::decode(bytes);
}

TopicCatalogue TopicCatalogue::load(const DataFolder& files)
{
    TopicCatalogue catalogue;
    const auto index = readContentFile(files, QStringLiteral("topics\\index.txt"));
    if (!index)
        return catalogue;
    for (QString folder : index->split(QLatin1Char('\n'))) {
        folder = folder.trimmed();
        if (folder.isEmpty() || folder.startsWith(QLatin1Char('#')))
            continue;
        const QString base = QStringLiteral("topics\\") + folder + QLatin1Char('\\');
        const auto text = readContentFile(files, base + QStringLiteral("topic.txt"));
        if (!text) {
            catalogue.errors_ << QStringLiteral("%1topic.txt is missing").arg(base);
            continue;
        }
        std::optional<ContentError> error;
        auto topic = topics::parseTopicFile(
            *text, QStringLiteral("topics/%1/topic.txt").arg(folder), folder,
            [&](const QString& name) { return readContentFile(files, base + name); }, error);
        if (!topic) {
            catalogue.errors_ << (error ? error->toString() : QStringLiteral("%1 could not be read").arg(folder));
            continue;
        }
        QString why;
        if (!catalogue.add(std::move(*topic), &why))
            catalogue.errors_ << why;
    }
    return catalogue;
}

bool TopicCatalogue::add(TopicFile topic, QString* why)
{
    auto refuse = [&](const QString& message) {
        if (why)
            *why = message;
        return false;
    };
    for (const auto& t : topics_)
        if (const QString message = topics::clash(*t, topic); !message.isEmpty())
            return refuse(message);
    topics_.push_back(std::make_shared<const TopicFile>(std::move(topic)));
    return true;
}

const TopicFile* TopicCatalogue::byMenuEntry(int entry) const
{
    for (const auto& t : topics_)
        if (t->hub.menuEntry == entry)
            return t.get();
    return nullptr;
}

const TopicFile* TopicCatalogue::byScreen(const QString& hubScreen) const
{
    for (const auto& t : topics_)
        if (hubScreen == t->hub.screen)
            return t.get();
    return nullptr;
}

const activity::ActivityLayout* TopicCatalogue::activity(const QString& screenName) const
{
    for (const auto& t : topics_)
        for (const TopicActivity& a : t->activities)
            if (screenName == a.file.layout.name)
                return &a.file.layout;
    return nullptr;
}

std::vector<const TopicFile*> TopicCatalogue::moreTopics() const
{
    std::vector<const TopicFile*> more;
    for (const auto& t : topics_)
        if (!topics::isTopicEntry(t->hub.menuEntry) || byMenuEntry(t->hub.menuEntry) != t.get())
            more.push_back(t.get());
    // In the order of the captions a pupil reads (the titles unless set), numbers as counted
    // ("Week 2" before "Week 10"), then by title and folder, so that the order never depends on
    // the order the folders were read in nor on the machine's language.
    if (more.size() < 2)
        return more; // no collator (and its language data) to load
    QCollator order{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    order.setNumericMode(true);
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(more.begin(), more.end(), [&](const TopicFile* a, const TopicFile* b) {
        if (const int c = order.compare(a->hub.menuCaption, b->hub.menuCaption))
            return c < 0;
        if (const int c = order.compare(a->hub.title, b->hub.title))
            return c < 0;
        return a->folderName < b->folderName;
    });
    return more;
}

QStringList TopicCatalogue::questionSetTitles() const
{
    QStringList titles;
    for (const auto& t : topics_)
        titles << t->hub.title;
    return titles;
}
