#include "platform/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path, const QByteArray& bytes = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

struct Folders {
    QTemporaryDir shipped, user;
    DataFolder files{shipped.path(), user.path()};
};

} // namespace

TEST(DataFolder, ResolvesBackslashOrSlashInAnyLetterCase)
{
    Folders f;
    touch(f.shipped.path() + "/Images/vitruvius2sm.jpg");
    touch(f.shipped.path() + "/wav/click.wav");
    const QString expected = f.shipped.path() + "/Images/vitruvius2sm.jpg";
    EXPECT_EQ(f.files.resolve("images\\vitruvius2sm.jpg"), expected);
    EXPECT_EQ(f.files.resolve("Images/VITRUVIUS2SM.JPG"), expected);
    EXPECT_EQ(f.files.resolve("wav\\click.wav"), f.shipped.path() + "/wav/click.wav");
    EXPECT_EQ(f.files.resolve("wav\\missing.wav"), QString());
}

TEST(DataFolder, NeverLeavesTheDataFolder)
{
    Folders f;
    touch(f.shipped.path() + "/a.txt");
    for (const char* bad : {"../a.txt", "wav\\..\\..\\etc\\passwd", "/etc/passwd", "\\etc\\passwd", "C:\\x", ""})
        EXPECT_EQ(f.files.resolve(bad), QString()) << bad;
    EXPECT_EQ(f.files.writablePath("multiple/../../evil.txt"), QString());
}

TEST(DataFolder, UserFilesShadowShippedOnesAndWritesGoToTheUserFolder)
{
    Folders f;
    touch(f.shipped.path() + "/multiple/track.txt", " 0 \r\n");
    EXPECT_EQ(f.files.resolve("multiple\\track.txt"), f.shipped.path() + "/multiple/track.txt");
    const QString target = f.files.writablePath("multiple/track.txt");
    EXPECT_EQ(target, f.user.path() + "/multiple/track.txt");
    EXPECT_TRUE(QFileInfo(f.user.path() + "/multiple").isDir());
    touch(target, " 1 \r\nA\r\n");
    EXPECT_EQ(f.files.resolve("multiple\\track.txt"), target);
}

TEST(DataFolder, WritingReusesAUserFileThatDiffersOnlyInCase)
{
    Folders f;
    touch(f.user.path() + "/multiple/My Sheet.txt");
    EXPECT_EQ(f.files.writablePath("multiple/my sheet.txt"), f.user.path() + "/multiple/My Sheet.txt");
}

TEST(DataFolder, UserDataRootFollowsXdgDataHome)
{
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/somewhere");
    EXPECT_EQ(DataFolder::userDataRoot(), "/tmp/somewhere/corvana");
    qputenv("XDG_DATA_HOME", "relative/path"); // not absolute: ignored
    EXPECT_EQ(DataFolder::userDataRoot(), QDir::homePath() + "/.local/share/corvana");
    qputenv("XDG_DATA_HOME", old);
}
