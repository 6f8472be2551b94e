// What every screen shares by value: the colours and size of the standard screen, the product
// title, the click sound, the screens other folders open by name, and how indexed items are
// named.
#pragma once

#include "platform/screen_design.h"

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>

namespace ui {
inline const QColor frameColour(39, 63, 137);
inline const QColor backdropColour(48, 133, 214);
inline const QColor captionColour(255, 255, 0);
inline const QColor defaultHighlight(0, 0, 0);
inline constexpr double screenWidth = design::screenWidth; // twips
inline constexpr double screenHeight = design::screenHeight;
inline const QString productTitle = QStringLiteral("Corvana");
inline const QString clickSound = QStringLiteral("wav\\click.wav");
inline const QString mainMenuScreen = QStringLiteral("intro0");
inline const QString titleScreen = QStringLiteral("Titlefrm");
// A screen in a window: a caption and a minimise button, no maximise or close.
inline constexpr Qt::WindowFlags windowedFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;

// Top-left of a window of the given size centred on a display, both in twips, without
// clamping: a window larger than the display overlaps its edges evenly.
inline QPointF centredTopLeft(QSizeF displayTwips, QSizeF windowTwips)
{
    return QPointF(displayTwips.width() / 2 - windowTwips.width() / 2,
                   displayTwips.height() / 2 - windowTwips.height() / 2);
}
// "Label2" and 3 give "Label2(3)", the name by which layouts and tests find an item.
inline QString itemName(const QString& array, int index) { return QStringLiteral("%1(%2)").arg(array).arg(index); }
} // namespace ui
