// Corvana: start-up finds the data folder, makes the services and shows the title screen.
#include "platform/data_folder.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/pictures.h"
#include "platform/printouts.h"
#include "platform/random.h"
#include "records/record_store.h"
#include "platform/sound.h"
#include "platform/speech.h"
#include "platform/system_printer.h"
#include "state/app_state.h"
#include "shell/display_scale.h"
#include "shell/screen_frame.h"
#include "menu/program.h"
#include "menu/title_screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {
void printUsage()
{
    std::printf("usage: corvana [--fullscreen | --window]\n"
                "  --fullscreen  fill the display, keeping the picture's shape (the default)\n"
                "  --window      an 800 x 600 window\n"
                "F11 or Ctrl+F switches between the two while Corvana runs.\n");
}
} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    // A file-size limit reached while saving must fail the write, which is reported, rather
    // than end the program with the teacher's work unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvana"));
    for (const QString& a : QApplication::arguments().mid(1)) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            printUsage();
            return 0;
        }
        if (a != QLatin1String("--window") && a != QLatin1String("--fullscreen")) {
            std::fprintf(stderr, "corvana: unknown option %s\n", qPrintable(a));
            printUsage();
            return 2;
        }
    }
    registerFonts();
    display::installScaledStyle();

    DataFolder files = DataFolder::forInstallation();
    QtMessageBoxes messages;
    if (files.readOnlyRoot().isEmpty()) {
        messages.ok(QStringLiteral("Corvana cannot find its pictures and sounds. Please reinstall Corvana."));
        return 1;
    }
    QtSoundPlayer sound(files);
    QtPictureLoader pictures(files);
    const auto printer = makeSystemPrinter(printouts::defaultFolder());
    ClockRandom random;
    random.reseedFromClock();
    // The reading speed a teacher chose, in the user's data folder or the shipped one.
    QFile speechSettings(files.resolve(speech::settingsFile));
    QtSpeech speech(speechSettings.open(QIODevice::ReadOnly) ? speech::speedFrom(speechSettings.readAll())
                                                             : speech::defaultSpeed);
    // The school may name the class folder for every user in the system-wide settings file.
    records::SqliteRecords records(files.writableRoot(),
                                   QSettings(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Corvana"),
                                             QStringLiteral("Corvana"))
                                       .fileName());
    records.handOver();

    QtDialogs dialogs;
    AppState state;
    Screens screens;
    Services services{files, sound, pictures, messages, *printer, random, speech, records, [&screens] {
                          screens.closeAll();
                          QApplication::exit(0);
                      },
                      dialogs};
    App app{state, services, screens, state};
    screens.attach(&app);
    prepareProgram(app);

    // As large as the display allows unless asked for a window; F11 or Ctrl+F switches.
    const QStringList arguments = QApplication::arguments();
    screens.setFullScreen(!arguments.contains(QStringLiteral("--window")) ||
                          arguments.lastIndexOf(QStringLiteral("--fullscreen")) >
                              arguments.lastIndexOf(QStringLiteral("--window")));

    auto& title = screens.touch<TitleScreen>();
    screens.show(title);

    // For the start-up benchmark: report once the title screen has been shown, then stop.
    if (qEnvironmentVariableIsSet("CORVANA_STARTUP_PROBE")) {
        QTimer::singleShot(0, [&] {
            std::printf("title shown after %.3f ms\n", sinceStart.nsecsElapsed() / 1e6);
            std::fflush(stdout);
            QApplication::exit(0);
        });
    }
    const int rc = QApplication::exec();
    screens.closeAll();
    return rc;
}
