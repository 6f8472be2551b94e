// Reads an activity's description from its content file: items, boxes, texts, pointer lines
// and picture, as plain "name: value" lines. Used by the program to build its activity
// screens and by the build to check every topic's activities before they ship.
#pragma once

#include "activity_layout.h"

#include "platform/content_text.h"

#include <optional>

namespace activity {

// Pointer-line targets as written ("to heart"), by line index, for the build's checks.
struct LineTarget {
    int lineIndex;
    QString partId;
    int fileLine;
};

struct ActivityFile {
    ActivityLayout layout;
    std::vector<LineTarget> lineTargets;
    int pictureLine = 0; // the file line of the picture, for messages
    // What the build should mention without stopping: a box of a picture's labelling with no
    // "where:" to tell a pupil who cannot see the picture where it points.
    std::vector<ContentError> warnings;
};

// mediaFolder: where names without a folder live, e.g. "topics\heart". On a mistake,
// returns nullopt and describes it in `error`.
std::optional<ActivityFile> parseActivityFile(const QString& text, const QString& fileName, const QString& mediaFolder,
                                              std::optional<ContentError>& error);

// The standard drawing order when a file gives none: answer labels (higher index on top),
// home boxes, pointer lines, fixed texts, buttons, target boxes, then the picture.
std::vector<const char*> defaultDrawingOrder(const ActivityLayout& layout);

// A picture name as a content file writes it, made a path of the media folder.
QString mediaPath(const QString& name, const QString& mediaFolder);

} // namespace activity
