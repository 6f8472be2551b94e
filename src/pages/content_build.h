// Turns topic folders into what the screens read: each topic's description
// and activities, its question set, its pages as metafiles and its pictures. Everything is
// checked; a mistake is named by its file and line.
#pragma once

#include "pages_layout.h"

#include "content/content_text.h"
#include "content/topic_file.h"

#include <functional>
#include <optional>
#include <stdexcept>

namespace contentbuild {

// Writes one built file under its path relative to the data folder ("wmf\\Heart1.wmf").
using WriteFile = std::function<void(const QString& relative, const QByteArray& bytes)>;

// A content mistake, already worded as "file:line: message".
class ContentFailure : public std::runtime_error {
public:
    explicit ContentFailure(const ContentError& e) : std::runtime_error(e.toString().toStdString()), error(e) {}
    ContentError error;
};

enum class PageRole { KeyFacts, Notes };

// Pages of a page set from Markdown. figureFile reads a picture file of the topic's folder
// (nullopt: missing). Throws ContentFailure.
QList<pages::Page> pagesFromMarkdown(const QString& text, const QString& fileName, PageRole role,
                                     const QString& pageSet,
                                     const std::function<std::optional<QByteArray>(const QString&)>& figureFile);

// What became of one topic folder.
struct TopicBuild {
    std::optional<TopicFile> topic; // as its topic.txt describes it; nullopt when that can't be read
    QList<ContentError> mistakes;   // every mistake found; empty: all was checked and written
    QList<ContentError> warnings;   // what is allowed but likely meant otherwise
};

// A topic folder's topic.txt and the files it names, read and checked, nothing built.
// shownDir names the folder in messages: "content/heart", or "heart" for a teacher's folder.
TopicBuild readTopic(const QString& folderPath, const QString& folderName, const QString& shownDir);
// Checks one topic folder and writes its built files. Never throws: every mistake, including
// a failure to write, lands in the result (files written before a mistake may be incomplete).
TopicBuild buildTopic(const QString& folderPath, const QString& folderName, const QString& shownDir,
                      const WriteFile& write);

// Every topic folder below contentRoot (or only those named) into out; topics may not clash.
// Throws ContentFailure on the first mistake.
void build(const QString& contentRoot, const WriteFile& write, const QStringList& only = {});

// A text file as a teacher may have saved it: UTF-8 when it is valid UTF-8, otherwise
// Windows-1252, without a byte-order mark.
QString decodeText(const QByteArray& bytes);
// The same, refused (thrown) when it holds a character Windows-1252 cannot hold.
QString readText(const QByteArray& bytes, const QString& fileName);

} // namespace contentbuild
