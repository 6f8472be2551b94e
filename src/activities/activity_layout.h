// The design data of an activity screen: items, fixed texts, pointer lines and drawing order,
// in twips. Each topic's activity files describe their screens (see activity_file.h).
#pragma once

#include "activity_engine.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

namespace activity {

inline const QColor yellow(255, 255, 0);

// Item i: answer label Label2(i) starts on home box Label4(i); target box Label1(i) is its
// correct place and holds its caption in the design.
struct ItemRow {
    const char* caption;
    float homeLeft, homeTop;
    float targetLeft, targetTop;
    int group = -1; // scoring group; -1: scores only in its own target box
    // Where the target box's pointer goes, in words, for a pupil who cannot see the picture
    // ("the organ between the two lungs"); never the answer itself. Null when not written.
    const char* where = nullptr;
};

// A fixed text with a transparent background.
struct TextRow {
    const char* name; // "Label7", "Label5(2)"
    const char* text;
    QRectF rect;
    FontSpec font;
    QColor colour;
    Qt::Alignment align;
};

// A yellow pointer line Line1(index), 3 pixels wide.
struct LineRow {
    int index;
    QPointF from, to;
};

struct ActivityLayout {
    const char* name;
    std::optional<QColor> background; // set at load; otherwise the frame colour stays
    const char* picture = nullptr;    // Image1(0), drawn at its own size
    QPointF pictureTopLeft;
    float labelWidth, labelHeight;    // answer labels, target boxes and home boxes
    FontSpec labelFont;
    Qt::Alignment labelAlign;
    std::vector<ItemRow> items;
    std::vector<TextRow> texts;       // includes the title Label6, whose text the opener writes
    std::vector<LineRow> lines;
    std::vector<const char*> drawingOrder; // item names, top-most first; "Line1" is all lines

    int count() const { return static_cast<int>(items.size()); }
    std::vector<ItemSpec> itemSpecs() const;
};

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
