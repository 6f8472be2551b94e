#include "animation_frames.h"

namespace animation_frames {

QString brain(int n)
{
    return (n < 10 ? QStringLiteral("brainsm\\brainn0") : QStringLiteral("brainsm\\brainn"))
        + QString::number(n) + QStringLiteral(".jpg");
}

QString skull(int n)
{
    const QString stem = n < 10 ? QStringLiteral("skull\\hells00")
        : n < 100               ? QStringLiteral("skull\\hells0")
                                : QStringLiteral("skull\\hells");
    return stem + QString::number(n) + QStringLiteral(".jpg");
}

QString logo(int n)
{
    return (n < 10 ? QStringLiteral("logo\\talv000") : QStringLiteral("logo\\talv00"))
        + QString::number(n) + QStringLiteral(".gif");
}

} // namespace animation_frames
