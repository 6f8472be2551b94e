#include "topic_archive.h"

#include "content_text.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace topicfiles {

namespace {

const QString topicFile = QStringLiteral("topic.txt");
const QString kindsWords = QStringLiteral(".txt, .md, .svg, .jpg, .png, .bmp and .gif");

// What a topic folder ever holds: its texts, pages and pictures.
bool allowedKind(const QString& name)
{
    static const QRegularExpression kinds(QStringLiteral("\\.(txt|md|svg|jpe?g|png|bmp|gif)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return kinds.match(name).hasMatch();
}

// Files that archivers and desktops add beside a folder's own files; left out, never written.
bool isDesktopClutter(const QStringList& parts)
{
    static const QSet<QString> clutter{QStringLiteral(".DS_Store"), QStringLiteral("Thumbs.db"),
                                       QStringLiteral("desktop.ini")};
    return parts.first() == QLatin1String("__MACOSX") || clutter.contains(parts.last());
}

// Pictures embedded in an SVG: raster kinds only, as an embedded SVG could load files itself.
bool embeddedRaster(const QString& ref)
{
    static const QRegularExpression raster(QStringLiteral("^data:image/(png|jpe?g|gif|bmp)[;,]"),
                                           QRegularExpression::CaseInsensitiveOption);
    return raster.match(ref).hasMatch();
}

class Checker {
public:
    // One entry by its path as stored ("heart/heart.svg"); bytes are read by readBytes only
    // for plain files, and only as far as the limits allow. Returns a problem or empty.
    QString addFolder(const QString& path)
    {
        QStringList parts;
        if (QString p = splitPath(path, parts); !p.isEmpty())
            return p;
        if (parts.isEmpty() || isDesktopClutter(parts))
            return {};
        if (parts.size() > 1)
            return QStringLiteral("\"%1\" is a folder inside the topic's folder: a topic keeps all its files in its own "
                                  "folder")
                .arg(path);
        return setTopFolder(parts.first(), path);
    }

    // Returns a problem or empty; *skip is set for clutter to leave out.
    QString addFile(const QString& path, qint64 declaredSize, QString* name, bool* skip)
    {
        *skip = false;
        QStringList parts;
        if (QString p = splitPath(path, parts); !p.isEmpty())
            return p;
        if (parts.isEmpty())
            return QStringLiteral("the archive holds an entry without a name");
        if (isDesktopClutter(parts)) {
            *skip = true;
            return {};
        }
        if (parts.size() == 1)
            return QStringLiteral("\"%1\" is not inside a topic's folder: the file holds one folder, named after the "
                                  "topic, with the topic's files in it")
                .arg(path);
        if (parts.size() > 2)
            return QStringLiteral("\"%1\" is in a folder inside the topic's folder: a topic keeps all its files in its "
                                  "own folder")
                .arg(path);
        if (QString p = setTopFolder(parts.first(), path); !p.isEmpty())
            return p;
        const QString& file = parts.last();
        if (QString p = content::fileNameProblem(file); !p.isEmpty())
            return QStringLiteral("\"%1\" can't be a topic's file: %2").arg(path, p);
        if (!allowedKind(file))
            return QStringLiteral("\"%1\" is a kind of file a topic never holds (a topic holds %2 files)").arg(path, kindsWords);
        if (names_.contains(file))
            return QStringLiteral("\"%1\" is in the file twice").arg(path);
        if (++files_ > maxFiles)
            return QStringLiteral("it holds more than %1 files, more than a topic ever needs").arg(maxFiles);
        if (QString p = sizeProblem(path, declaredSize, 0); !p.isEmpty())
            return p;
        names_.insert(file);
        *name = file;
        return {};
    }

    // Whether size more bytes of a file still keep within the limits.
    QString sizeProblem(const QString& path, qint64 fileSoFar, qint64 more)
    {
        if (fileSoFar + more > maxFileBytes || fileSoFar < 0)
            return QStringLiteral("\"%1\" is larger than the %2 KB a file of a topic may be").arg(path).arg(maxFileBytes / 1024);
        if (total_ + more > maxTotalBytes)
            return QStringLiteral("its files come to more than %1 MB, more than a topic ever needs")
                .arg(maxTotalBytes / (1024 * 1024));
        total_ += more;
        return {};
    }

    const QString& folder() const { return folder_; }

private:
    // The parts of a stored path; a problem when it could reach outside the archive's folder.
    static QString splitPath(const QString& path, QStringList& parts)
    {
        if (path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\')) ||
            (path.size() > 1 && path[1] == QLatin1Char(':')))
            return QStringLiteral("\"%1\" names a place outside the topic's folder (from the top of a disc)").arg(path);
        if (path.contains(QLatin1Char('\\')))
            return QStringLiteral("\"%1\" names its folder with \\, which a topic's file names never hold").arg(path);
        for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            if (part == QLatin1String(".."))
                return QStringLiteral("\"%1\" names a place outside the topic's folder (\"..\")").arg(path);
            if (part != QLatin1String("."))
                parts << part;
        }
        return {};
    }

    QString setTopFolder(const QString& folder, const QString& path)
    {
        if (folder_.isEmpty()) {
            if (QString p = content::fileNameProblem(folder); !p.isEmpty())
                return QStringLiteral("the topic's folder can't be named so: %1").arg(p);
            folder_ = folder;
        } else if (folder != folder_) {
            return QStringLiteral("it holds more than one folder (\"%1\" and \"%2\"): a topic file holds one topic's "
                                  "folder")
                .arg(folder_, path.section(QLatin1Char('/'), 0, 0));
        }
        return {};
    }

    QString folder_;
    QSet<QString> names_;
    int files_ = 0;
    qint64 total_ = 0;
};

QString referenceProblem(const QString& picture, const QString& ref, const TopicFiles& topic)
{
    const QString r = ref.trimmed();
    if (r.isEmpty() || r.startsWith(QLatin1Char('#')) || embeddedRaster(r))
        return {};
    // A picture beside it in the same topic, named plainly.
    const bool plainName = !r.contains(QLatin1Char('/')) && !r.contains(QLatin1Char('\\')) &&
                           !r.contains(QLatin1Char(':')) && !r.startsWith(QLatin1Char('.'));
    if (plainName && content::isPictureName(r) && topic.file(r))
        return {};
    return QStringLiteral("the picture \"%1\" loads \"%2\" from outside the topic's folder").arg(picture, r.left(80));
}

// Style sheets may point at the picture's own parts ("url(#shade)") and nothing else.
QString styleProblem(const QString& picture, const QString& css, const TopicFiles& topic)
{
    if (css.contains(QLatin1String("@import"), Qt::CaseInsensitive))
        return QStringLiteral("the picture \"%1\" imports a style sheet from outside").arg(picture);
    if (css.contains(QLatin1Char('\\')))
        return QStringLiteral("the picture \"%1\" writes its style with \\ escapes, which Corvana's pictures never need")
            .arg(picture);
    static const QRegularExpression url(QStringLiteral("url\\s*\\(\\s*(['\"]?)([^'\")]*)\\1\\s*\\)?"),
                                        QRegularExpression::CaseInsensitiveOption);
    for (auto it = url.globalMatch(css); it.hasNext();)
        if (QString p = referenceProblem(picture, it.next().captured(2), topic); !p.isEmpty())
            return p;
    return {};
}

QString svgProblem(const QString& name, const QByteArray& bytes, const TopicFiles& topic)
{
    QXmlStreamReader xml(bytes);
    int inStyle = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            for (const QXmlStreamEntityDeclaration& e : xml.entityDeclarations())
                if (!e.systemId().isEmpty() || !e.publicId().isEmpty())
                    return QStringLiteral("the picture \"%1\" declares an entity from outside the topic's folder").arg(name);
            break;
        case QXmlStreamReader::ProcessingInstruction:
            if (xml.processingInstructionTarget().compare(QLatin1String("xml-stylesheet"), Qt::CaseInsensitive) == 0)
                return QStringLiteral("the picture \"%1\" loads a style sheet from outside").arg(name);
            break;
        case QXmlStreamReader::StartElement:
            if (xml.name() == QLatin1String("style"))
                ++inStyle;
            for (const QXmlStreamAttribute& a : xml.attributes()) {
                const QString value = a.value().toString();
                if (a.name() == QLatin1String("href") || a.name() == QLatin1String("src"))
                    if (QString p = referenceProblem(name, value, topic); !p.isEmpty())
                        return p;
                if (QString p = styleProblem(name, value, topic); !p.isEmpty())
                    return p;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() == QLatin1String("style") && inStyle > 0)
                --inStyle;
            break;
        case QXmlStreamReader::Characters:
            if (inStyle > 0)
                if (QString p = styleProblem(name, xml.text().toString(), topic); !p.isEmpty())
                    return p;
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        return QStringLiteral("the picture \"%1\" is not an SVG drawing Corvana can read (line %2: %3)")
            .arg(name)
            .arg(xml.lineNumber())
            .arg(xml.errorString());
    return {};
}

// What every topic read ends with: the folder, its topic.txt, its pictures.
QString finish(Read& read, const Checker& checker)
{
    read.topic.folder = checker.folder();
    if (read.topic.folder.isEmpty() && read.topic.files.isEmpty())
        return QStringLiteral("it holds no topic");
    if (!read.topic.file(topicFile))
        return QStringLiteral("the folder \"%1\" has no %2, which every topic needs").arg(read.topic.folder, topicFile);
    for (const auto& [name, bytes] : read.topic.files)
        if (name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
            if (QString p = svgProblem(name, bytes, read.topic); !p.isEmpty())
                return p;
    return {};
}

Read refused(const QString& problem)
{
    Read r;
    r.problem = problem;
    return r;
}

using ArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;

QString archiveError(archive* a)
{
    const char* e = archive_error_string(a);
    return e ? QString::fromLocal8Bit(e) : QStringLiteral("unknown error");
}

la_ssize_t appendToBytes(archive*, void* out, const void* buffer, size_t length)
{
    static_cast<QByteArray*>(out)->append(static_cast<const char*>(buffer), qsizetype(length));
    return la_ssize_t(length);
}

} // namespace

const QByteArray* TopicFiles::file(const QString& name) const
{
    for (const auto& f : files)
        if (f.first == name)
            return &f.second;
    return nullptr;
}

Read readArchive(const QByteArray& bytes)
{
    ArchivePtr a(archive_read_new(), archive_read_free);
    archive_read_support_format_zip(a.get());
    if (archive_read_open_memory(a.get(), bytes.constData(), size_t(bytes.size())) != ARCHIVE_OK)
        return refused(QStringLiteral("it is not a ZIP file Corvana can read (%1)").arg(archiveError(a.get())));
    Read read;
    Checker checker;
    // Folders, files and clutter: a ceiling on entries of every kind, for archives of empties.
    int entries = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int r = archive_read_next_header(a.get(), &entry);
        if (r == ARCHIVE_EOF)
            break;
        if (r < ARCHIVE_WARN)
            return refused(QStringLiteral("it is not a ZIP file Corvana can read (%1)").arg(archiveError(a.get())));
        if (++entries > 2 * maxFiles)
            return refused(QStringLiteral("it holds more than %1 files, more than a topic ever needs").arg(maxFiles));
        const char* raw = archive_entry_pathname_utf8(entry);
        if (!raw)
            raw = archive_entry_pathname(entry);
        if (!raw)
            return refused(QStringLiteral("it holds a file whose name can't be read"));
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString path = utf8.decode(QByteArrayView(raw));
        if (utf8.hasError())
            return refused(QStringLiteral("it holds a file whose name can't be read"));
        if (archive_entry_hardlink(entry) || archive_entry_symlink(entry) || archive_entry_filetype(entry) == AE_IFLNK)
            return refused(QStringLiteral("\"%1\" is a link: a topic holds only its own plain files").arg(path));
        if (archive_entry_is_encrypted(entry))
            return refused(QStringLiteral("\"%1\" is locked with a password").arg(path));
        const auto type = archive_entry_filetype(entry);
        if (type == AE_IFDIR) {
            if (QString p = checker.addFolder(path); !p.isEmpty())
                return refused(p);
            continue;
        }
        if (type != AE_IFREG)
            return refused(QStringLiteral("\"%1\" is not a plain file (a device or other special file)").arg(path));
        QString name;
        bool skip = false;
        const qint64 declared = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
        if (QString p = checker.addFile(path, declared, &name, &skip); !p.isEmpty())
            return refused(p);
        if (skip)
            continue;
        // The sizes an archive states can lie: count what really comes out.
        QByteArray data;
        char buffer[16384];
        for (;;) {
            const la_ssize_t n = archive_read_data(a.get(), buffer, sizeof buffer);
            if (n < 0)
                return refused(QStringLiteral("\"%1\" can't be unpacked (%2)").arg(path, archiveError(a.get())));
            if (n == 0)
                break;
            if (QString p = checker.sizeProblem(path, data.size(), n); !p.isEmpty())
                return refused(p);
            data.append(buffer, qsizetype(n));
        }
        read.topic.files.append({name, data});
    }
    if (QString p = finish(read, checker); !p.isEmpty())
        return refused(p);
    return read;
}

Read readFolder(const QString& folderPath)
{
    const QFileInfo top(folderPath);
    if (!top.isDir())
        return refused(QStringLiteral("the folder \"%1\" is not there").arg(QDir::toNativeSeparators(folderPath)));
    Read read;
    Checker checker;
    if (QString p = checker.addFolder(top.fileName()); !p.isEmpty())
        return refused(p);
    QDir dir(folderPath);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : entries) {
        const QString path = top.fileName() + QLatin1Char('/') + info.fileName();
        if (info.isSymLink())
            return refused(QStringLiteral("\"%1\" is a link: a topic holds only its own plain files").arg(path));
        if (info.isDir()) {
            if (QString p = checker.addFolder(path); !p.isEmpty())
                return refused(p);
            continue;
        }
        if (!info.isFile())
            return refused(QStringLiteral("\"%1\" is not a plain file (a device or other special file)").arg(path));
        QString name;
        bool skip = false;
        if (QString p = checker.addFile(path, info.size(), &name, &skip); !p.isEmpty())
            return refused(p);
        if (skip)
            continue;
        QFile f(info.filePath());
        if (!f.open(QIODevice::ReadOnly))
            return refused(QStringLiteral("\"%1\" can't be read").arg(path));
        const QByteArray data = f.read(maxFileBytes + 1);
        if (QString p = checker.sizeProblem(path, 0, data.size()); !p.isEmpty())
            return refused(p);
        read.topic.files.append({name, data});
    }
    if (QString p = finish(read, checker); !p.isEmpty())
        return refused(p);
    return read;
}

Packed packFolder(const QString& folderPath)
{
    const Read read = readFolder(folderPath);
    if (!read.ok())
        return {{}, read.problem};
    QByteArray out;
    ArchivePtr a(archive_write_new(), archive_write_free);
    archive_write_set_format_zip(a.get());
    archive_write_set_bytes_per_block(a.get(), 0); // no padding after the archive's end
    archive_write_set_format_option(a.get(), "zip", "hdrcharset", "UTF-8");
    if (archive_write_open(a.get(), &out, nullptr, appendToBytes, nullptr) != ARCHIVE_OK)
        return {{}, archiveError(a.get())};
    auto add = [&](const QString& path, const QByteArray* data) {
        std::unique_ptr<archive_entry, void (*)(archive_entry*)> e(archive_entry_new(), archive_entry_free);
        archive_entry_set_pathname_utf8(e.get(), path.toUtf8().constData());
        archive_entry_set_filetype(e.get(), data ? AE_IFREG : AE_IFDIR);
        archive_entry_set_perm(e.get(), data ? 0644 : 0755);
        archive_entry_set_size(e.get(), data ? data->size() : 0);
        archive_entry_set_mtime(e.get(), 0, 0);
        if (archive_write_header(a.get(), e.get()) != ARCHIVE_OK)
            return false;
        return !data || archive_write_data(a.get(), data->constData(), size_t(data->size())) == data->size();
    };
    bool written = add(read.topic.folder + QLatin1Char('/'), nullptr);
    for (const auto& [name, bytes] : read.topic.files)
        written = written && add(read.topic.folder + QLatin1Char('/') + name, &bytes);
    if (!written || archive_write_close(a.get()) != ARCHIVE_OK)
        return {{}, archiveError(a.get())};
    return {out, {}};
}

QString install(const TopicFiles& topic, const QString& topicsFolder, bool replace)
{
    if (QString p = content::fileNameProblem(topic.folder); !p.isEmpty() || topic.folder.isEmpty())
        return QStringLiteral("the topic's folder can't be named \"%1\"").arg(topic.folder);
    const QString shown = QDir::toNativeSeparators(topicsFolder);
    if (!QDir().mkpath(topicsFolder))
        return QStringLiteral("the folder \"%1\" can't be made").arg(shown);
    const QString target = QDir(topicsFolder).filePath(topic.folder);
    const bool exists = QFileInfo::exists(target) || QFileInfo(target).isSymLink();
    if (exists && !replace)
        return QStringLiteral("there is already a topic folder \"%1\" in \"%2\"").arg(topic.folder, shown);
    // Beside the target, so that the last step is one rename on the same disc.
    QTemporaryDir fresh(QDir(topicsFolder).filePath(QStringLiteral(".new-XXXXXX")));
    if (!fresh.isValid())
        return QStringLiteral("nothing can be written in \"%1\"").arg(shown);
    for (const auto& [name, bytes] : topic.files) {
        if (!content::fileNameProblem(name).isEmpty())
            return QStringLiteral("\"%1\" can't be a topic's file").arg(name);
        QFile f(QDir(fresh.path()).filePath(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly) || f.write(bytes) != bytes.size() || !f.flush())
            return QStringLiteral("\"%1\" could not be written in \"%2\"").arg(name, shown);
    }
    QString old;
    if (exists) {
        QTemporaryDir aside(QDir(topicsFolder).filePath(QStringLiteral(".old-XXXXXX")));
        if (!aside.isValid())
            return QStringLiteral("nothing can be written in \"%1\"").arg(shown);
        aside.setAutoRemove(false);
        old = aside.path();
        QDir().rmdir(old);
        if (!QDir().rename(target, old))
            return QStringLiteral("the topic folder \"%1\" could not be replaced").arg(topic.folder);
    }
    if (!QDir().rename(fresh.path(), target)) {
        if (!old.isEmpty())
            QDir().rename(old, target);
        return QStringLiteral("the topic folder \"%1\" could not be written in \"%2\"").arg(topic.folder, shown);
    }
    fresh.setAutoRemove(false);
    if (!old.isEmpty())
        QDir(old).removeRecursively();
    return {};
}

} // namespace topicfiles
