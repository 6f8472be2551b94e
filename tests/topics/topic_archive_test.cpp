// A topic shared as one file: what comes from elsewhere is refused, naming what was wrong, when
// anything in it could reach outside its folder; a topic read back is the topic written.
#include "content/topic_archive.h"
#include "topics/topic_copies.h"

#include "topics_helpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>

#include <gtest/gtest.h>

#include <memory>

using namespace topicfiles;

namespace {

struct Entry {
    Entry(QByteArray p, QByteArray d = {}, unsigned t = AE_IFREG, QByteArray l = {})
        : path(std::move(p)), data(std::move(d)), type(t), link(std::move(l))
    {
    }
    QByteArray path;
    QByteArray data;
    unsigned type; // AE_IFREG, AE_IFDIR, AE_IFLNK
    QByteArray link; // for AE_IFLNK
};

la_ssize_t append(archive*, void* out, const void* buffer, size_t n)
{
    static_cast<QByteArray*>(out)->append(static_cast<const char*>(buffer), qsizetype(n));
    return la_ssize_t(n);
}

// Any ZIP archive, hostile ones included, made with libarchive's own writer.
QByteArray zip(const QList<Entry>& entries)
{
    QByteArray out;
    std::unique_ptr<archive, int (*)(archive*)> a(archive_write_new(), archive_write_free);
    archive_write_set_format_zip(a.get());
    archive_write_set_bytes_per_block(a.get(), 0);
    archive_write_open(a.get(), &out, nullptr, append, nullptr);
    for (const Entry& e : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.constData());
        archive_entry_set_filetype(entry, e.type);
        archive_entry_set_perm(entry, 0644);
        if (e.type == AE_IFLNK)
            archive_entry_set_symlink(entry, e.link.constData());
        archive_entry_set_size(entry, e.type == AE_IFREG ? e.data.size() : 0);
        EXPECT_EQ(archive_write_header(a.get(), entry), ARCHIVE_OK) << e.path.constData();
        if (e.type == AE_IFREG)
            archive_write_data(a.get(), e.data.constData(), size_t(e.data.size()));
        archive_entry_free(entry);
    }
    archive_write_close(a.get());
    return out;
}

// A ZIP writer refuses to store a device, so one is made by changing a stored file's Unix mode
// in the archive's central directory, which is what a reader goes by.
QByteArray withUnixMode(QByteArray zipBytes, const QByteArray& path, quint32 mode)
{
    for (qsizetype at = zipBytes.indexOf("PK\x01\x02"); at >= 0; at = zipBytes.indexOf("PK\x01\x02", at + 4)) {
        const auto u16 = [&](qsizetype o) { return quint8(zipBytes[at + o]) | quint8(zipBytes[at + o + 1]) << 8; };
        if (zipBytes.mid(at + 46, u16(28)) != path)
            continue;
        const quint32 attributes = mode << 16;
        for (int i = 0; i < 4; ++i)
            zipBytes[at + 38 + i] = char((attributes >> (8 * i)) & 0xFF);
    }
    return zipBytes;
}

const QByteArray topicTxt = "title: Lungs\r\nquestions: questions.txt\r\n";

QByteArray svg(const QByteArray& inside)
{
    return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='10' "
           "height='10'><title>A picture</title>" +
           inside + "</svg>";
}

// A topic folder "lungs" with its topic.txt and the given further entries.
QByteArray lungs(QList<Entry> more)
{
    more.prepend({"lungs/topic.txt", topicTxt});
    more.prepend({"lungs/", {}, AE_IFDIR});
    return zip(more);
}

QByteArray fileFrom(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(TopicArchive, RefusesEveryArchiveThatCouldReachOutsideItsFolderAndSaysWhy)
{
    QList<Entry> many;
    for (int i = 0; i < maxFiles + 1; ++i)
        many << Entry{QByteArray("lungs/page") + QByteArray::number(i) + ".md", "# Page\n"};
    QList<Entry> heavy; // files of zeros, each allowed, packing small, too many megabytes unpacked
    for (int i = 0; i < 11; ++i)
        heavy << Entry{QByteArray("lungs/big") + QByteArray::number(i) + ".txt", QByteArray(maxFileBytes - 10, '\0')};
    const QByteArray plain = lungs({{"lungs/notes.md", "# Notes\n"}});

    const struct {
        const char* what;
        QByteArray archive;
        const char* says;
    } cases[] = {
        {"a climb out of the folder", lungs({{"lungs/../../.bashrc.txt", "x"}}), "outside the topic's folder (\"..\")"},
        {"a path from the top of the disc", lungs({{"/etc/cron.d/x.txt", "x"}}), "from the top of a disc"},
        {"a Windows drive", lungs({{"C:/x.txt", "x"}}), "from the top of a disc"},
        {"a climb written the Windows way", lungs({{"lungs\\..\\x.txt", "x"}}), "outside the topic's folder"},
        {"two topic folders", lungs({{"other/topic.txt", topicTxt}}), "more than one folder"},
        {"files outside any folder", zip({{"topic.txt", topicTxt}}), "not inside a topic's folder"},
        {"a folder inside the topic", lungs({{"lungs/more/x.svg", svg("")}}), "folder inside the topic's folder"},
        {"a link", lungs({{"lungs/passwd.txt", {}, AE_IFLNK, "/etc/passwd"}}), "is a link"},
        {"a device", withUnixMode(lungs({{"lungs/tty.txt", "x"}}), "lungs/tty.txt", 0020644), "not a plain file"},
        {"a link made by mode", withUnixMode(lungs({{"lungs/l.txt", "/etc"}}), "lungs/l.txt", 0120777), "is a link"},
        {"too many files", lungs(many), "more than 200 files"},
        {"too much unpacked", lungs(heavy), "more than 20 MB"},
        {"one file too large", lungs({{"lungs/big.txt", QByteArray(maxFileBytes + 1, 'a')}}), "larger than the 2048 KB"},
        {"a program", lungs({{"lungs/setup.exe", "MZ"}}), "kind of file a topic never holds"},
        {"a file without a kind", lungs({{"lungs/README", "x"}}), "kind of file a topic never holds"},
        {"a hidden file", lungs({{"lungs/.hidden.txt", "x"}}), "can't start with a dot"},
        {"the same file twice", lungs({{"lungs/topic.txt", topicTxt}}), "twice"},
        {"no topic.txt", zip({{"lungs/notes.md", "# Notes\n"}}), "has no topic.txt"},
        {"nothing at all", zip({}), "holds no topic"},
        {"not an archive", QByteArray("PK\x03\x04 this is no zip at all"), "not a ZIP file"},
        {"a picture from the web", lungs({{"lungs/a.svg", svg("<image href='https://example.org/x.png'/>")}}),
         "loads \"https://example.org/x.png\""},
        {"a picture from the disc", lungs({{"lungs/a.svg", svg("<image xlink:href='/home/x.png'/>")}}),
         "from outside the topic's folder"},
        {"a picture that is not there", lungs({{"lungs/a.svg", svg("<image href='gone.png'/>")}}),
         "loads \"gone.png\""},
        {"a part of another picture", lungs({{"lungs/a.svg", svg("<use href='b.svg#part'/>")}, {"lungs/b.svg", svg("")}}),
         "loads \"b.svg#part\""},
        {"an embedded SVG", lungs({{"lungs/a.svg", svg("<image href='data:image/svg+xml;base64,PHN2Zy8+'/>")}}),
         "from outside"},
        {"a style sheet import", lungs({{"lungs/a.svg", svg("<style>@import 'https://x.org/s.css';</style>")}}),
         "imports a style sheet"},
        {"a fill from the web", lungs({{"lungs/a.svg", svg("<rect fill='url(http://x.org/p.svg#g)'/>")}}),
         "loads \"http://x.org/p.svg#g\""},
        {"a style escape", lungs({{"lungs/a.svg", svg("<rect style='fill:\\75rl(x)'/>")}}), "\\ escapes"},
        {"a style sheet instruction", lungs({{"lungs/a.svg", "<?xml-stylesheet href='s.css'?>" + svg("")}}),
         "loads a style sheet"},
        {"an outside entity",
         lungs({{"lungs/a.svg", "<!DOCTYPE svg [<!ENTITY x SYSTEM 'file:///etc/passwd'>]>" + svg("&x;")}}),
         "declares an entity from outside"},
        {"a broken picture", lungs({{"lungs/a.svg", "<svg><title>x</title>"}}), "not an SVG drawing"},
        {"an unreadable folder name", zip({{"con/topic.txt", topicTxt}}), "can't be named so"},
    };
    for (const auto& c : cases) {
        const Read read = readArchive(c.archive);
        EXPECT_FALSE(read.ok()) << c.what;
        EXPECT_TRUE(read.problem.contains(QString::fromUtf8(c.says))) << c.what << ": " << read.problem.toStdString();
        EXPECT_TRUE(read.topic.files.isEmpty()) << c.what;
    }

    // What a topic really holds passes: pictures of its own parts, embedded and beside it, and
    // the clutter a Mac or Windows adds is left out.
    const QByteArray png = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");
    const Read good = readArchive(lungs({
        {"lungs/a.svg", svg("<defs><linearGradient id='g'/></defs><rect style='fill:url(#g)' fill='url(\"#g\")'/>"
                            "<use xlink:href='#g'/><image href='photo.png'/>"
                            "<image href='data:image/png;base64,iVBORw0KGgo='/><a href=''/>")},
        {"lungs/photo.png", png},
        {"lungs/.DS_Store", "junk"},
        {"__MACOSX/lungs/._a.svg", "junk"},
        {"lungs/notes.md", "# Notes\n"},
    }));
    ASSERT_TRUE(good.ok()) << good.problem.toStdString();
    EXPECT_EQ(good.topic.folder, QStringLiteral("lungs"));
    QStringList names;
    for (const auto& f : good.topic.files)
        names << f.first;
    EXPECT_EQ(names, (QStringList{"topic.txt", "a.svg", "photo.png", "notes.md"}));
    EXPECT_EQ(*good.topic.file(QStringLiteral("photo.png")), png);
    EXPECT_TRUE(readArchive(plain).ok());
}

TEST(TopicArchive, AShippedTopicWrittenAndReadBackIsTheSameTopicAndReplacesOnlyWhenAsked)
{
    const QString heart = QStringLiteral(CORVANA_CONTENT_DIR "/heart");
    const Packed packed = packFolder(heart);
    ASSERT_TRUE(packed.problem.isEmpty()) << packed.problem.toStdString();
    const Read back = readArchive(packed.bytes);
    ASSERT_TRUE(back.ok()) << back.problem.toStdString();
    EXPECT_EQ(back.topic.folder, QStringLiteral("heart"));
    const QStringList shipped = QDir(heart).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(back.topic.files.size(), shipped.size());
    for (const QString& name : shipped) {
        ASSERT_TRUE(back.topic.file(name)) << name.toStdString();
        EXPECT_EQ(*back.topic.file(name), fileFrom(heart + QLatin1Char('/') + name)) << name.toStdString();
    }

    QTemporaryDir mine;
    const QString topics = mine.path() + QStringLiteral("/corvana/topics");
    ASSERT_EQ(install(back.topic, topics, false), QString());
    for (const QString& name : shipped)
        EXPECT_EQ(fileFrom(topics + QStringLiteral("/heart/") + name), fileFrom(heart + QLatin1Char('/') + name));
    // A folder read back from disc is the same topic again, and packs to an archive that reads.
    const Read again = readFolder(topics + QStringLiteral("/heart"));
    ASSERT_TRUE(again.ok()) << again.problem.toStdString();
    EXPECT_EQ(again.topic.files, back.topic.files);

    // A second topic of the same folder name stays out unless it is to replace the first,
    // and replacing leaves nothing of the first nor any half-made folder behind.
    TopicFiles other{QStringLiteral("heart"), {{QStringLiteral("topic.txt"), topicTxt}}};
    EXPECT_TRUE(install(other, topics, false).contains(QStringLiteral("already")));
    EXPECT_EQ(fileFrom(topics + QStringLiteral("/heart/topic.txt")), fileFrom(heart + QStringLiteral("/topic.txt")));
    ASSERT_EQ(install(other, topics, true), QString());
    EXPECT_EQ(filesUnder(topics), (QStringList{"heart", "heart/topic.txt"}));
    EXPECT_EQ(fileFrom(topics + QStringLiteral("/heart/topic.txt")), topicTxt);

    // A folder that is no topic can't be packed, and says why.
    EXPECT_TRUE(packFolder(mine.path()).problem.contains(QStringLiteral("folder inside")));
    QDir().mkpath(mine.path() + QStringLiteral("/empty"));
    EXPECT_TRUE(packFolder(mine.path() + QStringLiteral("/empty")).problem.contains(QStringLiteral("no topic.txt")));
}

TEST(TopicArchive, ANewTitleReachesTopicTxtAndTheQuestionSetAndNamesAFreeFolder)
{
    TopicFiles t{QStringLiteral("new-topic"),
                 {{QStringLiteral("topic.txt"), "# notes\r\ntitle: My Topic\r\nmenu caption: Mine\r\nquestions: q.txt\r\n"},
                  {QStringLiteral("q.txt"), "My Topic\r\n \r\nQuestion\r\n"}}};
    ASSERT_EQ(retitle(t, QStringLiteral("Liver, Kidneys and Caf\u00e9")), QString());
    EXPECT_EQ(*t.file(QStringLiteral("topic.txt")),
              "# notes\r\ntitle: Liver, Kidneys and Caf\xe9\r\nmenu caption: Liver, Kidneys and Caf\xe9\r\nquestions: q.txt\r\n");
    EXPECT_EQ(*t.file(QStringLiteral("q.txt")), "Liver& Kidneys and Caf\xe9\r\n \r\nQuestion\r\n");
    EXPECT_FALSE(retitle(t, QStringLiteral("A/B")).isEmpty());
    EXPECT_FALSE(retitle(t, QStringLiteral("Smile \U0001F600")).isEmpty());

    EXPECT_EQ(folderNameFor(QStringLiteral("Liver and Kidneys"), {}), QStringLiteral("liver-and-kidneys"));
    EXPECT_EQ(folderNameFor(QStringLiteral("The Heart"), {"the-heart", "The-Heart-2"}), QStringLiteral("the-heart-3"));
    EXPECT_EQ(folderNameFor(QStringLiteral("Caf\u00e9 / Food!"), {}), QStringLiteral("cafe-food"));
    EXPECT_EQ(folderNameFor(QStringLiteral("???"), {}), QStringLiteral("new-topic"));
}
