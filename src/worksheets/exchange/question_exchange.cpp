#include "question_exchange.h"

#include "platform/cp1252.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace exchange {
namespace {
// What a worksheet file can keep: printing characters of Windows-1252.
bool storable(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0x20 && u != 0x7F && !(u >= 0x80 && u <= 0x9F) && cp1252::canEncode(c);
}
} // namespace

QString formatName(Format f)
{
    switch (f) {
    case Format::Gift: return QStringLiteral("GIFT");
    case Format::MoodleXml: return QStringLiteral("Moodle XML");
    case Format::Aiken: return QStringLiteral("Aiken");
    case Format::Csv: return QStringLiteral("CSV");
    }
    return {};
}

void ImportResult::skip(const QString& what, int line)
{
    QList<int>& lines = skipped[what];
    if (lines.isEmpty() || lines.last() != line)
        lines << line;
}

ImportResult readQuestions(Format f, const QByteArray& bytes)
{
    switch (f) {
    case Format::Gift: return readGift(bytes);
    case Format::MoodleXml: return readMoodleXml(bytes);
    case Format::Aiken: return readAiken(bytes);
    case Format::Csv: return readCsv(bytes);
    }
    return {};
}

QByteArray writeQuestions(Format f, const QuestionSet& set)
{
    switch (f) {
    case Format::Gift: return writeGift(set);
    case Format::MoodleXml: return writeMoodleXml(set);
    case Format::Aiken: return writeAiken(set);
    case Format::Csv: return writeCsv(set);
    }
    return {};
}

Format guessFormat(const QString& fileName, const QByteArray& bytes)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("xml"))
        return Format::MoodleXml;
    if (suffix == QLatin1String("csv"))
        return Format::Csv;
    if (suffix == QLatin1String("gift"))
        return Format::Gift;
    if (suffix == QLatin1String("aiken"))
        return Format::Aiken;
    const QString text = decodeTextFile(bytes.left(64 * 1024));
    const QString start = text.trimmed();
    if (start.startsWith(QLatin1String("<?xml")) || start.startsWith(QLatin1String("<quiz")))
        return Format::MoodleXml;
    // "ANSWER: B" lines are Aiken's mark; GIFT keeps its answers in braces.
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.trimmed().startsWith(QLatin1String("ANSWER:")))
            return Format::Aiken;
    return Format::Gift;
}

namespace {
const QString giftTag = QStringLiteral(" (GIFT)");
const QString aikenTag = QStringLiteral(" (Aiken)");
} // namespace

QString exportFileName(const QString& title, Format f)
{
    switch (f) {
    case Format::Gift: return title + giftTag + QStringLiteral(".txt");
    case Format::MoodleXml: return title + QStringLiteral(".xml");
    case Format::Aiken: return title + aikenTag + QStringLiteral(".txt");
    case Format::Csv: return title + QStringLiteral(".csv");
    }
    return title;
}

QString titleFromFileName(const QString& fileName)
{
    QString base = QFileInfo(fileName).completeBaseName();
    for (const QString& tag : {giftTag, aikenTag})
        if (base.endsWith(tag))
            base.chop(tag.size());
    return base;
}

QString decodeTextFile(const QByteArray& bytes)
{
    // Some spreadsheet programs save "Unicode text" as UTF-16 with its byte order mark.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return utf16.decode(bytes.mid(2));
    }
    QByteArray b = bytes;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(b);
    if (!utf8.hasError())
        return text;
    return cp1252::decode(b);
}

namespace {

struct Entity {
    const char* name;
    char16_t code;
};
// The named entities that turn up in question banks; others stay as written.
constexpr Entity entities[] = {
    {"amp", u'&'},      {"lt", u'<'},       {"gt", u'>'},       {"quot", u'"'},     {"apos", u'\''},
    {"nbsp", u' '},     {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018},  {"rsquo", 0x2019},
    {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"hellip", 0x2026}, {"euro", 0x20AC},   {"pound", 0xA3},
    {"deg", 0xB0},      {"eacute", 0xE9},   {"egrave", 0xE8},   {"aacute", 0xE1},   {"agrave", 0xE0},
    {"ouml", 0xF6},     {"uuml", 0xFC},     {"auml", 0xE4},     {"ccedil", 0xE7},   {"times", 0xD7},
    {"divide", 0xF7},   {"frac12", 0xBD},   {"sup2", 0xB2},     {"middot", 0xB7},   {"copy", 0xA9},
};

// A tag's name in lower case, without "/" and attributes.
QString tagName(const QString& tag)
{
    QString name;
    for (QChar c : tag) {
        if (c == QLatin1Char('/') && name.isEmpty())
            continue;
        if (!c.isLetterOrNumber())
            break;
        name += c.toLower();
    }
    return name;
}

} // namespace

QString htmlToText(const QString& html, bool* dropped)
{
    QString out;
    bool space = false;
    auto breakLine = [&] {
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        if (!out.isEmpty() && !out.endsWith(QLatin1Char('\n')))
            out += QLatin1Char('\n');
        space = false;
    };
    qsizetype nextClose = -2; // the next ">" after a "<": -1 when there is none left, -2 not sought yet
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == QLatin1Char('<') && (nextClose == -2 || (nextClose >= 0 && nextClose < i)))
            nextClose = html.indexOf(QLatin1Char('>'), i);
        const qsizetype end = c == QLatin1Char('<') ? nextClose : -1;
        if (end >= 0) { // a tag; a lone "<" stands as written
            const QString name = tagName(html.mid(i + 1, end - i - 1));
            if (name == QLatin1String("br") || name == QLatin1String("p") || name == QLatin1String("div"))
                breakLine();
            else if (dropped && !name.isEmpty() && name != QLatin1String("span"))
                *dropped = true;
            i = end;
            continue;
        }
        if (c.isSpace()) {
            space = true;
            continue;
        }
        if (space && !out.isEmpty() && !out.endsWith(QLatin1Char('\n')))
            out += QLatin1Char(' ');
        space = false;
        if (c == QLatin1Char('&')) {
            const qsizetype near = QStringView(html).mid(i, 11).indexOf(QLatin1Char(';'));
            const qsizetype semi = near < 0 ? -1 : i + near;
            if (semi > i + 1 && semi - i <= 10) {
                const QString ref = html.mid(i + 1, semi - i - 1);
                bool ok = false;
                uint code = 0;
                if (ref.startsWith(QLatin1String("#x"), Qt::CaseInsensitive))
                    code = ref.mid(2).toUInt(&ok, 16);
                else if (ref.startsWith(QLatin1Char('#')))
                    code = ref.mid(1).toUInt(&ok, 10);
                else
                    for (const Entity& e : entities)
                        if (ref == QLatin1String(e.name)) {
                            code = e.code;
                            ok = true;
                        }
                if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                    out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
                    i = semi;
                    continue;
                }
            }
        }
        out += c;
    }
    return out.trimmed();
}

QString mendReason(const QString& text, int boxLimit)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return QStringLiteral("it holds a line break");
    if (text.trimmed().startsWith(QLatin1Char('"')))
        return QStringLiteral("it starts with a double quote (\")");
    for (QChar c : text)
        if (!storable(c))
            return QStringLiteral("it holds a character a worksheet cannot keep (%1)")
                .arg(c.isPrint() ? QString(c) : QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());
    if (text.contains(QLatin1Char('&')))
        return QStringLiteral("it holds \"&\", which a worksheet gives back as a comma");
    if (text.size() > boxLimit)
        return QStringLiteral("it is %1 characters long and the box holds %2").arg(text.size()).arg(boxLimit);
    return {};
}

WorksheetEntries toEntries(const QList<ImportedQuestion>& questions, const QString& title)
{
    WorksheetEntries e;
    e.title = title;
    for (int q = 0; q < std::min<int>(questions.size(), WorksheetEntries::questionCount); ++q) {
        const ImportedQuestion& question = questions[q];
        e.questions[q] = question.text;
        for (int k = 0; k < 4; ++k) {
            e.options[4 * q + k] = question.options[k];
            e.ticked[4 * q + k] = question.correct == k + 1;
        }
    }
    return e;
}

QList<WorksheetEntries> intoWorksheets(const QList<ImportedQuestion>& questions, const QString& title)
{
    QList<WorksheetEntries> sheets;
    const int per = WorksheetEntries::questionCount;
    const bool several = questions.size() > per;
    for (qsizetype first = 0; first < questions.size(); first += per)
        sheets << toEntries(questions.mid(first, per),
                            several ? QStringLiteral("%1 %2").arg(title).arg(first / per + 1) : title);
    if (sheets.isEmpty())
        sheets << toEntries({}, title);
    return sheets;
}

QStringList textsToMend(const WorksheetEntries& e)
{
    QStringList out;
    auto check = [&out](const QString& box, const QString& text, int limit) {
        if (text.isEmpty())
            return;
        if (const QString why = mendReason(text, limit); !why.isEmpty())
            out << QStringLiteral("%1: %2").arg(box, why);
    };
    for (int q = 1; q <= WorksheetEntries::questionCount; ++q) {
        const QString question = QStringLiteral("Question %1").arg(q);
        check(question, e.questions[q - 1], questionBoxLimit);
        for (int k = 0; k < 4; ++k)
            check(QStringLiteral("Answer %1 of %2").arg(QChar(u'A' + k)).arg(question), e.options[4 * (q - 1) + k],
                  optionBoxLimit);
    }
    return out;
}

namespace {

QString linesText(const QList<int>& lines)
{
    QStringList numbers;
    for (int i = 0; i < std::min<int>(lines.size(), 8); ++i)
        numbers << QString::number(lines[i]);
    QString text = (lines.size() == 1 ? QStringLiteral("line ") : QStringLiteral("lines ")) + numbers.join(QStringLiteral(", "));
    if (lines.size() > 8)
        text += QStringLiteral(" and %1 more").arg(lines.size() - 8);
    return text;
}

QString shortened(const QString& text)
{
    QString one = text.simplified();
    return one.size() > 50 ? one.left(49) + QChar(0x2026) : one;
}

} // namespace

QString importReport(const QString& fileName, const ImportResult& r, int maxLines)
{
    QStringList lines;
    const int taken = static_cast<int>(r.taken.size());
    lines << (taken == 1 ? QStringLiteral("1 question was taken from %1.").arg(fileName)
                         : QStringLiteral("%1 questions were taken from %2.").arg(taken).arg(fileName));
    if (!r.leftOut.isEmpty()) {
        lines << QString() << QStringLiteral("Left out (%1):").arg(r.leftOut.size());
        for (int i = 0; i < r.leftOut.size(); ++i) {
            if (i == maxLines) {
                lines << QStringLiteral("... and %1 more.").arg(r.leftOut.size() - maxLines);
                break;
            }
            const LeftOut& l = r.leftOut[i];
            lines << QStringLiteral("Line %1, \"%2\": %3").arg(l.line).arg(shortened(l.question), l.reason);
        }
    }
    if (!r.skipped.isEmpty()) {
        lines << QString() << QStringLiteral("Not kept:");
        for (auto it = r.skipped.cbegin(); it != r.skipped.cend(); ++it)
            lines << QStringLiteral("%1 (%2)").arg(it.key(), linesText(it.value()));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace exchange
