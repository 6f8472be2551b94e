// Every topic the program offers, read from the installed content folders at start.
#pragma once

#include "content/topic_file.h"

#include <memory>
#include <vector>

class DataFolder;
class QFile;

class TopicCatalogue {
public:
    // Reads "topics\index.txt" and each topic it lists. A topic that cannot be read is left
    // out and described in errors(); the others still load.
    static TopicCatalogue load(const DataFolder& files);

    const TopicFile* byMenuEntry(int entry) const;
    const TopicFile* byScreen(const QString& hubScreen) const;
    const activity::ActivityLayout* activity(const QString& screenName) const;
    const std::vector<std::shared_ptr<const TopicFile>>& topics() const { return topics_; }
    // The topics without a place of their own on the main menu's first page, by their menu
    // captions: the menu lists them on its pages of more topics.
    std::vector<const TopicFile*> moreTopics() const;
    // Titles of the topics' question sets: a teacher's worksheet may not take one of them.
    QStringList questionSetTitles() const;
    const QStringList& errors() const { return errors_; }

    // Adds a topic; false (and an error) when its menu entry, a screen name, its title or a
    // page set is taken.
    bool add(TopicFile topic, QString* why = nullptr);

private:
    std::vector<std::shared_ptr<const TopicFile>> topics_;
    QStringList errors_;
};

// At most limit bytes of an open regular file.
QByteArray readAtMost(QFile& file, qint64 limit);

// Reads a content file of the data folder as Windows-1252 text; nullopt when missing.
std::optional<QString> readContentFile(const DataFolder& files, const QString& relative);
