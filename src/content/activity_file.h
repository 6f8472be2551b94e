// An activity's description as its content file gives it: items, boxes, texts, pointer lines
// and picture, in twips, read from plain "name: value" lines. The program builds its activity
// screens from it and the build checks every topic's activities with the same rules.
#pragma once

#include "content_text.h"

#include "platform/screen_design.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

namespace activity {

// Item i: answer label Label2(i) starts on home box Label4(i); target box Label1(i) is its
// correct place and holds its caption in the design.
struct ItemRow {
    QString caption;
    float homeLeft, homeTop;
    float targetLeft, targetTop;
    int group = -1; // scoring group; -1: scores only in its own target box
    // Where the target box's pointer goes, in words, for a pupil who cannot see the picture
    // ("the organ between the two lungs"); never the answer itself. Empty when not written.
    QString where = {};

    friend bool operator==(const ItemRow&, const ItemRow&) = default;
};

// A fixed text with a transparent background.
struct TextRow {
    QString name; // "Label7", "Label5(2)"
    QString text;
    QRectF rect;
    FontSpec font;
    QColor colour;
    Qt::Alignment align;

    friend bool operator==(const TextRow&, const TextRow&) = default;
};

// A yellow pointer line Line1(index), 3 pixels wide.
struct LineRow {
    int index;
    QPointF from, to;

    friend bool operator==(const LineRow&, const LineRow&) = default;
};

struct ActivityLayout {
    QString name;
    std::optional<QColor> background; // set at load; otherwise the frame colour stays
    QString picture;                  // Image1(0), drawn at its own size; empty: none
    QPointF pictureTopLeft;
    float labelWidth = 0, labelHeight = 0; // answer labels, target boxes and home boxes
    FontSpec labelFont{"Tahoma", 12, true};
    Qt::Alignment labelAlign = Qt::AlignCenter;
    std::vector<ItemRow> items;
    std::vector<TextRow> texts;       // includes the title Label6, whose text the opener writes
    std::vector<LineRow> lines;
    QStringList drawingOrder;         // item names, top-most first; "Line1" is all lines

    int count() const { return static_cast<int>(items.size()); }

    friend bool operator==(const ActivityLayout&, const ActivityLayout&) = default;
};

// Pointer-line targets as written ("to heart"), by line index, for the build's checks.
struct LineTarget {
    int lineIndex;
    QString partId;
    int fileLine;

    friend bool operator==(const LineTarget&, const LineTarget&) = default;
};

struct ActivityFile {
    ActivityLayout layout;
    std::vector<LineTarget> lineTargets;
    int pictureLine = 0; // the file line of the picture, for messages
    // What the build should mention without stopping: a box of a picture's labelling with no
    // "where:" to tell a pupil who cannot see the picture where it points.
    std::vector<ContentError> warnings;

    friend bool operator==(const ActivityFile&, const ActivityFile&) = default;
};

// mediaFolder: where names without a folder live, e.g. "topics\heart". On a mistake,
// returns nullopt and describes it in `error`.
std::optional<ActivityFile> parseActivityFile(const QString& text, const QString& fileName, const QString& mediaFolder,
                                              std::optional<ContentError>& error);

// The standard drawing order when a file gives none: answer labels (higher index on top),
// home boxes, pointer lines, fixed texts, buttons, target boxes, then the picture.
QStringList defaultDrawingOrder(const ActivityLayout& layout);

// The font family a content file may name, as the screens spell it; null for any other.
const char* fontFamily(const QString& family);

// A picture name as a content file writes it, made a path of the media folder.
QString mediaPath(const QString& name, const QString& mediaFolder);

} // namespace activity
