// Targets that measure or draw text need fonts, and fonts need a GUI application.
#pragma once

#include "platform/fonts.h"

#include <QGuiApplication>

inline void startGuiApplication(const char* programName)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    // It lives until the process ends: destroyed with the other statics at exit, it would go
    // after the font database it uses.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    registerFonts();
}
