// The plain "name: value" text files that describe topics and activities: read line by line
// so that every mistake can be named by its file and line.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

// A mistake in a content file, by file and line (0: the file as a whole).
struct ContentError {
    QString file;
    int line = 0;
    QString message;
    QString toString() const;

    friend bool operator==(const ContentError&, const ContentError&) = default;
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

// What a content file may hold, so that a mistaken or hostile file can't exhaust the program.
inline constexpr double maxCoordinate = 24000; // twips: two screens either way
inline constexpr int maxItems = 40;            // items, texts and pointer lines of one activity
inline constexpr int maxLineIndex = 99;        // "line 99:"

// Why a name that becomes a file name (a title, a page set) can't be one; empty when it can.
QString fileNameProblem(const QString& name);
// Whether a picture name is one of the kinds the program draws (SVG, JPEG, PNG, BMP, GIF).
bool isPictureName(const QString& name);

// Numbers in twips and colours as content files write them; nullopt when malformed.
std::optional<double> number(const QString& s);    // finite, at most 100000 either way
std::optional<double> number(QStringView s);
std::optional<QPointF> point(const QString& s);       // "480, 1200", within maxCoordinate
std::optional<QRectF> rect(const QString& s);         // "480, 1200, 3585 x 705"
std::optional<QSizeF> size(const QString& s);         // "1485 x 375"
std::optional<QColor> colour(const QString& s);       // "yellow" or "9, 63, 137"

// Records the first mistake of a file; later ones are left out, as the first is what the
// writer mends first.
class Report {
public:
    Report(const QString& file, std::optional<ContentError>& error) : file_(file), error_(error) {}
    // Always false, so that a reader can `return report.fail(...)`.
    bool fail(int line, const QString& message) const
    {
        if (!error_)
            error_ = ContentError{file_, line, message};
        return false;
    }
    bool failed() const { return error_.has_value(); }
    const QString& file() const { return file_; }

private:
    QString file_;
    std::optional<ContentError>& error_;
};

// One setting of a content file: its key (lower case), whether the key is only the start of
// the written one ("text " for "text Label7"), and how its value is read into the draft.
// read returns the message of a mistake, or an empty string.
template <class Draft>
struct Setting {
    const char* key;
    bool prefix;
    QString (*read)(Draft& draft, const KeyedLine& line);
};

// Reads every line of text through the table; stops at the first mistake ("unknown
// setting" for a key the table lacks). False when something was reported.
template <class Draft>
bool readSettings(const QString& text, const Report& report, std::span<const Setting<Draft>> table, Draft& draft,
                  std::optional<ContentError>& error)
{
    const std::vector<KeyedLine> lines = readKeyedLines(text, report.file(), error);
    if (report.failed())
        return false;
    for (const KeyedLine& k : lines) {
        const Setting<Draft>* found = nullptr;
        for (const Setting<Draft>& s : table) {
            const QLatin1String key(s.key);
            if (s.prefix ? k.key.startsWith(key) : k.key == key) {
                found = &s;
                break;
            }
        }
        if (!found)
            return report.fail(k.line, QStringLiteral("unknown setting \"%1\"").arg(k.name));
        const QString mistake = found->read(draft, k);
        if (!mistake.isEmpty())
            return report.fail(k.line, mistake);
    }
    return true;
}

} // namespace content
