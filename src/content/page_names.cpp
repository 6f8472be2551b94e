#include "page_names.h"

namespace reader {

QString pageEnding(int page)
{
    switch (page) {
    case 1: return QStringLiteral("a.wmf");
    case 2: return QStringLiteral("b.wmf");
    case 3: return QStringLiteral("c.wmf");
    default: return {};
    }
}

QString screenCopy(const QString& pageSet, int page)
{
    const QString ending = pageEnding(page);
    return ending.isEmpty() ? QString() : QStringLiteral("wmf\\") + pageSet + ending;
}

QString printCopy(const QString& pageSet, int page)
{
    const QString ending = pageEnding(page);
    return ending.isEmpty() ? QString() : QStringLiteral("wmf2\\") + pageSet + ending;
}

} // namespace reader
