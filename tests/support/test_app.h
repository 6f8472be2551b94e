// A whole program on recording services: real screens, real data folder, temporary user folder.
#pragma once

#include "doubles.h"

#include "platform/data_folder.h"
#include "platform/pictures.h"
#include "state/app_state.h"
#include "shell/screen_frame.h"

#include <QTemporaryDir>

#include <memory>

// The generated media folder of the build.
QString testDataDir();
// The shared folder beside the repository (sample files for readers).
QString sharedDir();

class TestApp {
public:
    // readOnlyRoot: the shipped data folder; the build's by default.
    explicit TestApp(const QString& readOnlyRoot = testDataDir());
    ~TestApp();

    // The user's writable data folder (stands in for ~/.local/share/corvana).
    QString userRoot() const { return userDir_.path(); }
    // Writes bytes into the user folder, e.g. "multiple/track.txt".
    void writeUserFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readUserFile(const QString& relative) const;

    // Runs pending deletions and timers that are due, without waiting.
    static void settle();

    QTemporaryDir userDir_;
    DataFolder files;
    RecordingSoundPlayer sound;
    QtPictureLoader pictures;
    RecordingMessageBoxes messages;
    RecordingPrinter printer;
    FixedRandom random;
    RecordingDialogs dialogs;
    RecordingSpeech speech;
    RecordingRecords records;
    AppState state;
    Screens screens;
    int programEnded = 0;
    Services services;
    App app;
};
