#include "backdrop.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

Backdrop::Backdrop(App& app) : Screen(app, QString::fromLatin1(kName))
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(ui::productTitle);
}

void Backdrop::load()
{
    setBackgroundColour(ui::backdropColour);
    fit();
}

void Backdrop::fit()
{
    const bool fullScreen = screens().isFullScreen();
    const Qt::WindowFlags flags = fullScreen ? Qt::Window | Qt::FramelessWindowHint : ui::windowedFlags;
    if (windowFlags() != flags)
        setWindowFlags(flags);
    if (fullScreen) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (QScreen* s = QGuiApplication::primaryScreen())
            setGeometry(s->geometry());
    } else {
        centreOnDisplay();
    }
}

void Backdrop::closeEvent(QCloseEvent* e)
{
    // Closed, it would leave the screens without their frame and the program without its
    // sound player; the program ends only through the title screen's Exit.
    e->ignore();
}
