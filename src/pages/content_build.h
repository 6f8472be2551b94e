// Turns topic folders into what the screens read: each topic's description
// and activities, its question set, its pages as metafiles and its pictures. Everything is
// checked first; a mistake stops the build with the file and line.
#pragma once

#include "pages_layout.h"

#include "content/content_text.h"

#include <functional>
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

// Every topic folder below contentRoot (or only those named) into out. Throws ContentFailure.
void build(const QString& contentRoot, const WriteFile& write, const QStringList& only = {});

// A text file as a teacher may have saved it: UTF-8 when it is valid UTF-8, otherwise
// Windows-1252. Throws when it holds a character Windows-1252 cannot hold.
QString readText(const QByteArray& bytes, const QString& fileName);

} // namespace contentbuild
