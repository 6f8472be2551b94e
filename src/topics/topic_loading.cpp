#include "topic_loading.h"

#include "topic_catalogue.h"

#include "content/topic_pack.h"
#include "pages/content_build.h"
#include "platform/at_once.h"
#include "platform/cp1252.h"
#include "platform/data_folder.h"
#include "shell/app.h"
#include "state/app_state.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

TopicFolders TopicFolders::forInstallation()
{
    TopicFolders f;
    const QString data = findShippedDataFolder();
    if (!data.isEmpty()) {
        f.shipped = QDir(data).filePath(QStringLiteral("content"));
        f.templateTopic = QDir(data).filePath(QStringLiteral("templates/new-topic"));
    }
    // The school's folder for every user of the machine, in the system-wide settings file the
    // class records also read (/etc/xdg/Corvana/Corvana.conf); the environment can name another.
    f.school = qEnvironmentVariable("CORVANA_SCHOOL_TOPICS");
    if (f.school.isEmpty())
        f.school = QSettings(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Corvana"),
                             QStringLiteral("Corvana"))
                       .value(QStringLiteral("topics/folder"))
                       .toString();
    f.mine = QDir(DataFolder::userDataRoot()).filePath(QStringLiteral("topics"));
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    f.cache = cache + QStringLiteral("/corvana/topics");
    return f;
}

namespace {

// What a folder of topics may hold, so that a mistaken or hostile folder can't exhaust the
// program at start.
constexpr int maxTopicFolders = 200;
constexpr int maxFilesPerTopic = 200;
constexpr qint64 maxBuiltFile = 4 * 1024 * 1024;
constexpr quint32 maxBuiltFiles = 10 * maxFilesPerTopic;
// Part of every cache key: a program that builds differently must not read older entries.
constexpr char cacheFormat[] = "corvana built topic 2";
// In each cache entry: the topic's title, then its mistakes, one a line.
const QString resultFile = QStringLiteral("result.txt");
// In each cache entry of a topic without mistakes: the files the build wrote, and the topic as
// read from them, so that a start reads it back without listing or parsing anything.
const QString entryFile = QStringLiteral("topic.bin");

struct Entry {
    TopicReport report;
    std::optional<TopicFile> topic;
    QString root;      // its cache entry: built like the shipped data folder
    QStringList files; // the entry's files, relative to root
    QString key;       // the name of that entry
};

// A key that changes when any file of the folder is added, removed, renamed or saved again.
// Empty (and a mistake) when the folder holds far more than a topic does. The folder is read
// with the system's own calls: through Qt's file information, with its local times, this was
// most of the cost of a start with many topics.
QString cacheKey(const QString& path, const QString& folder, QStringList& mistakes)
{
    struct File {
        QByteArray name;
        qint64 size; // -1: not a regular file
        qint64 seconds, nanoseconds;
        bool link;
    };
    std::vector<File> files;
    if (DIR* dir = opendir(QFile::encodeName(path).constData())) {
        const int at = dirfd(dir);
        while (const dirent* d = readdir(dir)) {
            if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0)
                continue;
            if (files.size() > size_t(maxFilesPerTopic))
                break;
            struct stat own {};
            bool link = d->d_type == DT_LNK;
            if (d->d_type == DT_UNKNOWN)
                link = fstatat(at, d->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode);
            struct stat target {};
            const bool found = fstatat(at, d->d_name, &target, 0) == 0;
            files.push_back({QByteArray(d->d_name), found && S_ISREG(target.st_mode) ? qint64(target.st_size) : -1,
                             qint64(target.st_mtim.tv_sec), qint64(target.st_mtim.tv_nsec), link});
        }
        closedir(dir);
    }
    if (files.size() > size_t(maxFilesPerTopic)) {
        mistakes << QStringLiteral("%1: a topic folder holds at most %2 files").arg(folder).arg(maxFilesPerTopic);
        return {};
    }
    std::sort(files.begin(), files.end(), [](const File& a, const File& b) { return a.name < b.name; });
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(cacheFormat);
    hash.addData(folder.toUtf8());
    for (const File& f : files) {
        const qint64 numbers[] = {f.size, f.seconds, f.nanoseconds, f.link};
        hash.addData(QByteArrayView("\n", 2));
        hash.addData(f.name);
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(numbers), sizeof numbers));
    }
    return QString::fromLatin1(hash.result().toHex());
}

QString oneLine(QString s)
{
    s.replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" "));
    return s;
}

// Writes the built files of one topic under root, as the build writes the shipped data folder,
// and notes each one's name there in `written`.
contentbuild::WriteFile writerInto(const QString& root, QStringList& written)
{
    return [root, &written](const QString& relative, const QByteArray& bytes) {
        const QStringList parts = DataFolder::components(relative);
        if (parts.isEmpty() || bytes.size() > maxBuiltFile || written.size() >= int(maxBuiltFiles))
            throw std::runtime_error("a built file could not be written");
        const QString name = parts.join(QLatin1Char('/'));
        if (!written.contains(name))
            written << name;
        const QString path = root + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            throw std::runtime_error("Corvana could not save what it made of this topic (is the disk full?)");
    };
}

bool writeResult(const QString& root, const QString& title, const QStringList& mistakes)
{
    QSaveFile f(QDir(root).filePath(resultFile));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write((oneLine(title) + QLatin1Char('\n')).toUtf8());
    for (const QString& m : mistakes)
        f.write((oneLine(m) + QLatin1Char('\n')).toUtf8());
    return f.commit();
}

// The cache entry's result; false when there is none (the entry was never completed).
bool readResult(const QString& root, QString& title, QStringList& mistakes)
{
    QFile f(QDir(root).filePath(resultFile));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QStringList lines = QString::fromUtf8(readAtMost(f, 1024 * 1024)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return false;
    title = lines.first();
    mistakes = lines.mid(1);
    return true;
}

// Where topics are built when the user's cache folder can't be written: gone when the program ends.
QString fallbackCache()
{
    static QTemporaryDir dir;
    return dir.isValid() ? dir.path() : QString();
}

// Reads back the description the build wrote under root, as the shipped ones are read. The
// build wrote the files under the names topic.txt gives, so they are opened directly, without a
// search for other cases.
std::optional<TopicFile> parseBuilt(const QString& root, const QString& folder, QStringList& mistakes)
{
    const QString shown = folder + QStringLiteral("/topic.txt");
    const QString base = root + QStringLiteral("/topics/") + folder + QLatin1Char('/');
    const auto read = [&](const QString& name) -> std::optional<QString> {
        QFile f(base + name);
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || !f.open(QIODevice::ReadOnly))
            return std::nullopt;
        return cp1252::decode(readAtMost(f, 1024 * 1024));
    };
    const auto text = read(QStringLiteral("topic.txt"));
    std::optional<ContentError> error;
    std::optional<TopicFile> topic;
    if (text)
        topic = topics::parseTopicFile(*text, shown, folder, read, error);
    if (!topic)
        mistakes << (error ? error->toString() : shown + QStringLiteral(": this topic could not be read"));
    return topic;
}

bool writeEntry(const QString& root, const QStringList& files, const TopicFile& topic)
{
    QSaveFile f(QDir(root).filePath(entryFile));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&f);
    out.setVersion(QDataStream::Qt_6_0);
    out << quint32(files.size());
    for (const QString& name : files)
        out << name;
    topics::pack(out, topic);
    return out.status() == QDataStream::Ok && f.commit();
}

// False when the entry's file is missing or damaged; its topic is then built again.
bool readEntry(const QString& root, Entry& e)
{
    QFile f(QDir(root).filePath(entryFile));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = readAtMost(f, maxBuiltFile);
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 count = 0;
    in >> count;
    if (count > maxBuiltFiles)
        return false;
    QStringList files;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        in >> files.emplace_back();
        // Every name must stay inside the entry.
        if (DataFolder::components(files.back()).join(QLatin1Char('/')) != files.back())
            return false;
    }
    std::optional<TopicFile> topic = in.status() == QDataStream::Ok ? topics::unpack(in) : std::nullopt;
    if (!topic)
        return false;
    e.topic = std::move(topic);
    e.files = std::move(files);
    e.root = root;
    return true;
}

// Finds the topic's cache entry and reads it; false when the topic has not been built yet. Reads
// only, so that many topics can be read at once.
bool reuse(Entry& e, const QString& cacheRoot)
{
    e.key = cacheKey(e.report.path, e.report.folder, e.report.mistakes);
    if (e.key.isEmpty())
        return true;
    const QString root = QDir(cacheRoot).filePath(e.key);
    QString title;
    QStringList mistakes;
    if (!readResult(root, title, mistakes))
        return false;
    e.report.title = title.isEmpty() ? e.report.folder : title;
    e.report.mistakes << mistakes;
    return !mistakes.isEmpty() || readEntry(root, e);
}

// Builds one topic folder (its key found by reuse) into its cache entry.
void build(Entry& e, const QString& cacheRoot)
{
    const QString folder = e.report.folder;
    const QString& key = e.key;
    QString root = QDir(cacheRoot).filePath(key);
    QString title;
    QStringList mistakes;
    // Built beside the entry and renamed into place, so that no start ever reads half an entry.
    QString base = cacheRoot;
    if (!QDir().mkpath(base) || !QFileInfo(base).isWritable())
        base = fallbackCache();
    root = QDir(base).filePath(key);
    QTemporaryDir building(QDir(base).filePath(key + QStringLiteral(".building-XXXXXX")));
    if (!building.isValid()) {
        e.report.mistakes << QStringLiteral("%1: Corvana could not save what it made of this topic").arg(folder);
        return;
    }
    QStringList files;
    const contentbuild::TopicBuild built =
        contentbuild::buildTopic(e.report.path, folder, folder, writerInto(building.path(), files));
    title = built.topic ? built.topic->hub.title : folder;
    for (const ContentError& m : built.mistakes)
        mistakes << m.toString();
    std::optional<TopicFile> topic;
    if (mistakes.isEmpty())
        topic = parseBuilt(building.path(), folder, mistakes);
    if (!writeResult(building.path(), title, mistakes) || (topic && !writeEntry(building.path(), files, *topic))) {
        e.report.mistakes << QStringLiteral("%1: Corvana could not save what it made of this topic").arg(folder);
        return;
    }
    QDir(root).removeRecursively(); // an entry left incomplete by a program that stopped
    if (QDir().rename(building.path(), root))
        building.setAutoRemove(false);
    else if (!readResult(root, title, mistakes)) { // another start built it at the same time
        e.report.mistakes << QStringLiteral("%1: Corvana could not save what it made of this topic").arg(folder);
        return;
    }
    e.report.title = title.isEmpty() ? folder : title;
    e.report.mistakes << mistakes;
    if (!topic)
        return;
    e.topic = std::move(topic);
    e.files = std::move(files);
    e.root = root;
}

// The topic folders of one source folder, in name order; folders whose names start with a dot
// are left alone.
void addFolders(const QString& source, TopicOrigin origin, std::vector<Entry>& into)
{
    if (source.isEmpty())
        return;
    QStringList names = QDir(source).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    if (names.size() > maxTopicFolders)
        names = names.mid(0, maxTopicFolders);
    for (const QString& name : names) {
        Entry e;
        e.report.folder = name;
        e.report.path = QDir(source).filePath(name);
        e.report.title = name;
        e.report.origin = origin;
        if (const QString problem = content::fileNameProblem(name); !problem.isEmpty())
            e.report.mistakes << QStringLiteral("%1: %2").arg(name, problem);
        else if (!QFileInfo(QDir(e.report.path).filePath(QStringLiteral("topic.txt"))).isFile())
            e.report.mistakes << QStringLiteral("%1/topic.txt: this file is missing: every topic folder has one").arg(name);
        into.push_back(std::move(e));
    }
}

// Removes cache entries no topic folder has any more, and builds a stopped program left behind.
void prune(const QString& cacheRoot, const QSet<QString>& used)
{
    static const QRegularExpression entryName(QStringLiteral("^[0-9a-f]{40}(\\.building-.*)?$"));
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (const QFileInfo& f : QDir(cacheRoot).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        const QString name = f.fileName();
        if (!entryName.match(name).hasMatch() || used.contains(name))
            continue;
        if (name.contains(QLatin1Char('.')) && f.lastModified() > hourAgo)
            continue; // perhaps being built by another start right now
        QDir(f.filePath()).removeRecursively();
    }
}

} // namespace

void loadTopics(App& app, const TopicFolders& folders)
{
    // The school's and the teacher's topics already built are read from the cache on other
    // threads while this one reads the shipped topics; they share nothing they change.
    std::vector<Entry> others;
    addFolders(folders.school, TopicOrigin::School, others);
    addFolders(folders.mine, TopicOrigin::Mine, others);
    const QString cacheRoot = folders.cache.isEmpty() ? fallbackCache() : folders.cache;
    std::vector<Entry*> toRead;
    for (Entry& e : others)
        if (e.report.mistakes.isEmpty())
            toRead.push_back(&e);
    std::vector<char> read(toRead.size(), 0);
    DataFolder& files = app.services.files;
    std::optional<TopicCatalogue> shipped;
    {
        std::jthread reading;
        if (!toRead.empty())
            reading = std::jthread(
                [&] { forEachAtOnce(toRead.size(), [&](size_t i) { read[i] = reuse(*toRead[i], cacheRoot); }); });
        // The shipped topics as the build made them, with no run-time topic standing in.
        files.setTopicRoots({});
        shipped = TopicCatalogue::load(files);
    }

    std::vector<Entry> entries;
    for (const auto& t : shipped->topics()) {
        Entry e;
        e.report.folder = t->folderName;
        e.report.path = folders.shipped.isEmpty() ? QString() : QDir(folders.shipped).filePath(t->folderName);
        e.report.title = t->hub.title;
        e.report.origin = TopicOrigin::Shipped;
        e.topic = *t;
        entries.push_back(std::move(e));
    }
    const size_t shippedCount = entries.size();
    QSet<QString> used;
    for (size_t i = 0; i < toRead.size(); ++i) {
        if (!read[i])
            build(*toRead[i], cacheRoot); // one at a time: page making shares fonts and pictures
        if (!toRead[i]->key.isEmpty())
            used << toRead[i]->key;
    }
    std::move(others.begin(), others.end(), std::back_inserter(entries));

    // A later folder of the same name stands in for an earlier one once it is ready; a copy with
    // mistakes leaves the one before it on the menu.
    for (size_t i = shippedCount; i < entries.size(); ++i)
        for (size_t j = 0; j < i; ++j) {
            if (entries[j].report.folder.compare(entries[i].report.folder, Qt::CaseInsensitive) != 0)
                continue;
            if (entries[j].report.origin == TopicOrigin::Shipped)
                entries[i].report.replacesShipped = true;
            if (entries[i].report.ready())
                entries[j].report.replaced = true;
        }

    // The menu takes them in order; one that clashes with a topic before it stays off.
    auto catalogue = std::make_shared<TopicCatalogue>();
    std::vector<DataFolder::TopicRoot> roots;
    for (Entry& e : entries) {
        if (!e.topic || e.report.replaced || !e.report.ready())
            continue;
        const int line = e.topic->menuEntryLine;
        QString why;
        if (!catalogue->add(std::move(*e.topic), &why)) {
            e.report.mistakes << (e.report.origin == TopicOrigin::Shipped
                                      ? why
                                      : ContentError{e.report.folder + QStringLiteral("/topic.txt"), line, why}.toString());
            continue;
        }
        if (!e.root.isEmpty())
            roots.insert(roots.begin(), {e.root, std::move(e.files)}); // the later folder first
    }
    files.setTopicRoots(roots);
    prune(cacheRoot, used);

    app.state.topicFolders = folders;
    app.state.topicReports.clear();
    for (Entry& e : entries)
        app.state.topicReports << std::move(e.report);
    app.state.topicTitles = catalogue->questionSetTitles();
    app.state.topics = std::move(catalogue);
}

void reloadTopics(App& app)
{
    loadTopics(app, app.state.topicFolders);
}
