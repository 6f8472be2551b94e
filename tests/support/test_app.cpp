#include "test_app.h"

#include "menu/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString testDataDir() { return QStringLiteral(CORVANA_TEST_DATA_DIR); }
QString sharedDir() { return QStringLiteral(CORVANA_SHARED_DIR); }

TestApp::TestApp(const QString& readOnlyRoot)
    : files(readOnlyRoot, userDir_.path()),
      pictures(files),
      services{files, sound, pictures, messages, printer, random, speech, records, [this] {
                   ++programEnded;
                   screens.closeAll();
               },
               dialogs},
      app{state, services, screens, state}
{
    screens.attach(&app);
    prepareProgram(app);
}

TestApp::~TestApp()
{
    screens.closeAll();
    settle();
}

void TestApp::writeUserFile(const QString& relative, const QByteArray& bytes) const
{
    const QString path = userDir_.path() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

QByteArray TestApp::readUserFile(const QString& relative) const
{
    QFile f(userDir_.path() + QLatin1Char('/') + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestApp::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
