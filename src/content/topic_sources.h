// Where topic folders come from and what became of each: plain values the program state, the
// topic loader and the teachers' topic screen share.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

enum class TopicOrigin { Shipped, School, Mine };

// The folders topics are read from, in this order (a later topic with the same folder name
// replaces an earlier one on this machine).
struct TopicFolders {
    QString shipped; // sources of the shipped topics, installed with the program (for copies)
    QString school;  // named in the system-wide settings or CORVANA_SCHOOL_TOPICS; may be empty
    QString mine;    // $XDG_DATA_HOME/corvana/topics
    QString cache;   // $XDG_CACHE_HOME/corvana/topics: built topics, keyed by their files
    QString templateTopic; // the small complete topic "New Topic" copies

    // The installed program's folders (environment and system settings are read here).
    static TopicFolders forInstallation();
};

// What became of one topic folder.
struct TopicReport {
    QString folder;        // the folder's name, "liver-and-kidneys"
    QString path;          // the folder itself
    QString title;         // from its topic.txt; the folder name when that cannot be read
    TopicOrigin origin = TopicOrigin::Shipped;
    QStringList mistakes;  // "file:line: message", worded for a teacher; empty: it is ready
    bool replacesShipped = false; // a copy in the teacher's or school's folder stands in for it
    bool replaced = false;        // a shipped topic another folder stands in for

    bool ready() const { return mistakes.isEmpty(); }
};
