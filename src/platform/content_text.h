// The plain "name: value" text files that describe topics and activities: read line by line
// so that every mistake can be named by its file and line.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A mistake in a content file, by file and line (0: the file as a whole).
struct ContentError {
    QString file;
    int line = 0;
    QString message;
    QString toString() const;
};

struct KeyedLine {
    int line = 0;
    QString key;   // lower case, single spaces: "text label7", "menu entry"
    QString name;  // the key as written, for names that keep their case ("Label7")
    QString value; // trimmed
};

// Lines of `name: value`; blank lines and lines starting with '#' are skipped. A line
// without a colon is reported through `error`.
std::vector<KeyedLine> readKeyedLines(const QString& text, const QString& file, std::optional<ContentError>& error);

// The value's parts between '|', trimmed.
QStringList splitParts(const QString& value);

namespace content {

// Numbers in twips and colours as content files write them; nullopt when malformed.
std::optional<double> number(const QString& s);
std::optional<QPointF> point(const QString& s);       // "480, 1200"
std::optional<QRectF> rect(const QString& s);         // "480, 1200, 3585 x 705"
std::optional<QSizeF> size(const QString& s);         // "1485 x 375"
std::optional<QColor> colour(const QString& s);       // "yellow" or "9, 63, 137"

// A lasting copy of a text, so that tables read from files can keep plain C strings like
// the tables written in code. Equal texts share one copy.
const char* intern(const QString& text);

} // namespace content
