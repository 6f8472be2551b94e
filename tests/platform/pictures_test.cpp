#include "platform/data_folder.h"
#include "platform/pictures.h"

#include "test_app.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Pictures, LoadsShippedFramesAtTheirSizeInTwips)
{
    DataFolder files(testDataDir(), QString());
    QtPictureLoader loader(files);
    const Picture p = loader.load("brainsm\\brainn00.jpg");
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(p.sizeTwips(), QSizeF(4800, 3600));
}

TEST(Pictures, MissingCorruptOrHugeFilesGiveANullPictureNotACrash)
{
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.path() + "/" + name);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    };
    write("garbage.jpg", QByteArray(5000, '\x7f'));
    write("truncated.jpg", QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF", 10));
    write("empty.gif", QByteArray());
    // A BMP header that claims 60000 x 60000 pixels.
    QByteArray bmp("BM");
    bmp += QByteArray(12, '\0');
    bmp += QByteArray("\x28\0\0\0\x60\xea\0\0\x60\xea\0\0\x01\0\x18\0", 16);
    bmp += QByteArray(24, '\0');
    write("huge.bmp", bmp);
    write("fake.wmf", "not a metafile");
    DataFolder files(dir.path(), QString());
    QtPictureLoader loader(files);
    for (const char* name : {"missing.jpg", "garbage.jpg", "truncated.jpg", "empty.gif", "huge.bmp", "fake.wmf"})
        EXPECT_TRUE(loader.load(name).isNull()) << name;
}
