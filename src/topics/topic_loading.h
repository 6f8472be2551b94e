// Reads the topics from the shipped, school and teacher folders, each topic folder checked and
// built with the same rules as the program's build. A mistake in one folder keeps only that
// topic off the menu.
#pragma once

#include "content/topic_sources.h"

struct App;

// Reads every topic folder of folders into app.state (topicFolders, topics, topicTitles,
// topicReports) and points the data folder at what was built. Called at start.
void loadTopics(App& app, const TopicFolders& folders);
// The same folders again ("Check Again", or after a topic was added or imported).
void reloadTopics(App& app);
