// Every test program runs headless with a Qt application and the program's fonts.
#include "platform/fonts.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    // Keep tests from touching the real user's worksheets, topics and cache, and from reading
    // a school's topics.
    QTemporaryDir dataHome, cacheHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());
    qunsetenv("CORVANA_SCHOOL_TOPICS");
    QApplication app(argc, argv);
    registerFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
