#include "data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

DataFolder::DataFolder(QString readOnlyRoot, QString writableRoot)
    : readOnlyRoot_(std::move(readOnlyRoot)), writableRoot_(std::move(writableRoot))
{
}

QString DataFolder::userDataRoot()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/corvana");
}

DataFolder DataFolder::forInstallation()
{
    return DataFolder(findShippedDataFolder(), userDataRoot());
}

QStringList DataFolder::components(const QString& relative)
{
    if (relative.isEmpty() || relative.startsWith(QLatin1Char('/')) || relative.startsWith(QLatin1Char('\\'))
        || (relative.size() > 1 && relative[1] == QLatin1Char(':')))
        return {};
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..") || part.contains(QChar(0)))
            return {};
        parts << part;
    }
    return parts;
}

QString DataFolder::resolveUnder(const QString& root, const QStringList& parts, bool lastIsFile) const
{
    if (root.isEmpty())
        return {};
    QString current = root;
    for (int i = 0; i < parts.size(); ++i) {
        const QString exact = current + QLatin1Char('/') + parts[i];
        const bool last = i == parts.size() - 1 && lastIsFile;
        QFileInfo info(exact);
        if (info.exists() && (last ? info.isFile() : info.isDir())) {
            current = exact;
            continue;
        }
        // Case-insensitive match among the folder's entries.
        const QDir dir(current);
        const auto filter = last ? QDir::Files : QDir::Dirs | QDir::NoDotAndDotDot;
        QString found;
        for (const QString& entry : dir.entryList(filter | QDir::Hidden | QDir::System)) {
            if (entry.compare(parts[i], Qt::CaseInsensitive) == 0) {
                found = entry;
                break;
            }
        }
        if (found.isEmpty())
            return {};
        current += QLatin1Char('/') + found;
    }
    return current;
}

void DataFolder::setTopicRoots(const std::vector<TopicRoot>& roots)
{
    topicFiles_.clear();
    ++topicGeneration_;
    for (const TopicRoot& root : roots)
        for (const QString& file : root.files) {
            const QString key = file.toLower();
            if (!topicFiles_.contains(key))
                topicFiles_.insert(key, root.folder + QLatin1Char('/') + file);
        }
}

QString DataFolder::resolveInTopicRoots(const QStringList& parts) const
{
    if (topicFiles_.isEmpty())
        return {};
    return topicFiles_.value(parts.join(QLatin1Char('/')).toLower());
}

QString DataFolder::resolve(const QString& relative) const
{
    const QStringList parts = components(relative);
    if (parts.isEmpty())
        return {};
    // The user's "topics" folder holds the teacher's own topic sources, which reach the program
    // only built, through the topic roots: a copy there must never stand in for a shipped file.
    QString path;
    if (parts.first().compare(QLatin1String("topics"), Qt::CaseInsensitive) != 0)
        path = resolveUnder(writableRoot_, parts);
    if (path.isEmpty())
        path = resolveInTopicRoots(parts);
    if (path.isEmpty())
        path = resolveUnder(readOnlyRoot_, parts);
    return path;
}

QString DataFolder::resolveShipped(const QString& relative) const
{
    const QStringList parts = components(relative);
    if (parts.isEmpty())
        return {};
    QString path = resolveInTopicRoots(parts);
    return path.isEmpty() ? resolveUnder(readOnlyRoot_, parts) : path;
}

namespace {
bool isInside(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}
} // namespace

QString DataFolder::writablePath(const QString& relative) const
{
    const QStringList parts = components(relative);
    if (parts.isEmpty() || writableRoot_.isEmpty())
        return {};
    // The user's folder itself planted as a link would carry every write elsewhere.
    if (QFileInfo(QDir::cleanPath(writableRoot_)).isSymLink())
        return {};
    QString folder = writableRoot_;
    for (int i = 0; i + 1 < parts.size(); ++i) {
        const QString existing = resolveUnder(folder, {parts[i]}, false);
        folder = existing.isEmpty() ? folder + QLatin1Char('/') + parts[i] : existing;
    }
    if (!QDir().mkpath(folder))
        return {};
    // A link planted in the folder (for the folder itself or for the file) must not carry a
    // write to a file elsewhere on the machine.
    const QString root = QFileInfo(writableRoot_).canonicalFilePath();
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty() || !isInside(realFolder, root))
        return {};
    const QString file = folder + QLatin1Char('/') + parts.last();
    const QFileInfo info(file);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath(); // empty for a link to nowhere
        if (target.isEmpty() || !isInside(target, root))
            return {};
    }
    // The file keeps its exact name: two worksheets whose titles differ only in letter case
    // are two files, so saving one never overwrites the other.
    return file;
}

QString findShippedDataFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        exeDir + QStringLiteral("/data"),
        exeDir + QStringLiteral("/../share/corvana"),
        exeDir + QStringLiteral("/../data"),
    };
    for (const QString& c : candidates)
        if (QFileInfo(c).isDir())
            return QDir(c).canonicalPath();
    return {};
}
