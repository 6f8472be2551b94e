#include "backdrop.h"

#include <QGuiApplication>
#include <QScreen>

Backdrop::Backdrop(App& app) : Screen(app, QString::fromLatin1(kName))
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(frame::productTitle);
}

void Backdrop::load()
{
    setBackgroundColour(frame::backdropColour);
    if (QScreen* s = QGuiApplication::primaryScreen())
        setGeometry(s->geometry());
}
