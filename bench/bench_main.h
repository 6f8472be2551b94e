// What every benchmark program does before and around its benchmarks: an offscreen display
// unless one is named, a private runtime folder for Qt, the program's fonts.
#pragma once

#include "platform/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// One start of the program with its start probe on, in the environment given: the seconds from
// starting the process until it reports the title screen shown and until it has ended, and the
// milliseconds it measured itself.
struct StartTimes {
    double toTitle = 0, toExit = 0, insideMs = 0;
};
inline StartTimes startOnce(QProcessEnvironment env)
{
    env.insert("CORVANA_STARTUP_PROBE", "1");
    if (!env.contains("DISPLAY"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(CORVANA_EXE), {});
    QByteArray out;
    StartTimes t;
    while (t.toTitle == 0 && p.waitForReadyRead(60000)) {
        out += p.readAllStandardOutput();
        if (out.contains("title shown"))
            t.toTitle = clock.nsecsElapsed() / 1e9;
    }
    p.waitForFinished(60000);
    t.toExit = clock.nsecsElapsed() / 1e9;
    if (t.toTitle == 0)
        t.toTitle = t.toExit;
    out += p.readAllStandardOutput();
    t.insideMs = QString::fromLocal8Bit(out).section(QLatin1Char(' '), 3, 3).toDouble();
    return t;
}

inline int runBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    QApplication app(argc, argv);
    registerFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
