// Corvana: start-up finds the data folder, makes the services and shows the title screen.
#include "platform/data_folder.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/pictures.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/system_printer.h"
#include "state/app_state.h"
#include "shell/screen_frame.h"
#include "menu/program.h"
#include "menu/title_screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvana"));
    registerFonts();

    DataFolder files = DataFolder::forInstallation();
    QtMessageBoxes messages;
    if (files.readOnlyRoot().isEmpty()) {
        messages.ok(QStringLiteral("Corvana cannot find its pictures and sounds. Please reinstall Corvana."));
        return 1;
    }
    QtSoundPlayer sound(files);
    QtPictureLoader pictures(files);
    const auto printer = makeSystemPrinter(DataFolder::userDataRoot() + QStringLiteral("/printouts"));
    ClockRandom random;
    random.reseedFromClock();

    AppState state;
    Screens screens;
    Services services{files, sound, pictures, messages, *printer, random, [&screens] {
                          screens.closeAll();
                          QApplication::exit(0);
                      }};
    App app{state, services, screens, state};
    screens.attach(&app);
    prepareProgram(app);

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
