#include "fonts.h"

#include <QFile>
#include <QFontDatabase>

void registerFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const char* path : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QString::fromLatin1(path)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(path));
}
