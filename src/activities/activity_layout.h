// What every activity screen adds to its description (content/activity_file.h): the shared
// buttons, the thud, and the engine's view of the items.
#pragma once

#include "activity_engine.h"

#include "content/activity_file.h"
#include "shell/screen_frame.h"
#include "state/app_state.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <vector>

namespace activity {

inline const QColor yellow(255, 255, 0);

// The boxes of each item, as the engine places them.
std::vector<ItemSpec> itemSpecs(const ActivityLayout& layout);

// The buttons every activity screen shares: Label3(0) "Exit", (1) "Start Again",
// (2) "Check Score".
struct ButtonRow {
    const char* caption;
    QRectF rect;
};
inline constexpr int exitButton = 0;
inline constexpr int startAgainButton = 1;
inline constexpr int checkScoreButton = 2;
extern const ButtonRow buttons[3];
inline constexpr FontSpec buttonFont{"Tahoma", 15.75, true};

inline const QString thudSound = QStringLiteral("wav\\thud3.wav");

} // namespace activity
