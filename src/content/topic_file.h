// A topic as its content folder describes it: the hub (title, menu entry, picture, page sets)
// and its activities. The program reads the installed copy at start; the build reads the
// source folder with the same rules and refuses what they refuse.
#pragma once

#include "activity_file.h"
#include "content_text.h"
#include "hub_topic.h"

#include <functional>
#include <optional>

// One activity of a topic, in the order of the hub's buttons.
struct TopicActivity {
    QString fileName; // its file in the topic's folder
    QString caption;  // its button on the hub
    activity::ActivityFile file;

    friend bool operator==(const TopicActivity&, const TopicActivity&) = default;
};

struct TopicFile {
    HubTopic hub;
    std::vector<TopicActivity> activities;
    // Source files named by the topic, for the build.
    QString folderName;
    QString questionsFile, keyFactsFile, notesFile;
    int menuEntryLine = 0;

    friend bool operator==(const TopicFile&, const TopicFile&) = default;
};

// Reads a sibling file of the topic as text; nullopt when it is missing.
using ReadTopicFile = std::function<std::optional<QString>(const QString& name)>;

namespace topics {

inline constexpr int menuEntryCount = 22;
// Buttons a hub has room for beside Multiple Choice and Exit.
inline constexpr int maxActivities = 8;
// Menu entries that can hold a topic: the topic rows of the main menu, not the tools, Exit
// or the hidden entry.
bool isTopicEntry(int entry);

// folderName: the topic folder's name ("heart"); its files are installed under
// "topics\<folderName>". fileName: how messages name topic.txt.
std::optional<TopicFile> parseTopicFile(const QString& text, const QString& fileName, const QString& folderName,
                                        const ReadTopicFile& read, std::optional<ContentError>& error);

// Why two topics can't both be offered (a menu entry, screen name or title they share);
// empty when they can. Topics without a menu entry never clash over entries.
QString clash(const TopicFile& a, const TopicFile& b);

} // namespace topics
