#include "content_text.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>


QString ContentError::toString() const
{
    if (line > 0)
        return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message);
    return QStringLiteral("%1: %2").arg(file, message);
}

std::vector<KeyedLine> readKeyedLines(const QString& text, const QString& file, std::optional<ContentError>& error)
{
    std::vector<KeyedLine> out;
    // Lines end in CR LF, LF or CR alone, as whichever editor saved the file wrote them.
    QList<QStringView> lines;
    const QStringView all(text);
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] != QLatin1Char('\r') && all[i] != QLatin1Char('\n'))
            continue;
        lines << all.mid(start, i - start);
        if (all[i] == QLatin1Char('\r') && i + 1 < all.size() && all[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines << all.mid(start);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed().toString();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        // A NUL would cut a caption short and other control bytes draw as boxes.
        const bool control = std::any_of(line.begin(), line.end(), [](QChar c) {
            return (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F;
        });
        if (control) {
            if (!error)
                error = ContentError{file, i + 1, QStringLiteral("this line holds a control character, which can't be shown")};
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0) {
            if (!error)
                error = ContentError{file, i + 1, QStringLiteral("expected \"name: value\", found \"%1\"").arg(line)};
            continue;
        }
        KeyedLine k;
        k.line = i + 1;
        k.name = line.left(colon).simplified();
        k.key = k.name.toLower();
        k.value = line.mid(colon + 1).trimmed();
        out.push_back(std::move(k));
    }
    return out;
}

QStringList splitParts(const QString& value)
{
    QStringList parts = value.split(QLatin1Char('|'));
    for (QString& p : parts)
        p = p.trimmed();
    return parts;
}

namespace content {

std::optional<double> number(const QString& s)
{
    return number(QStringView(s));
}

std::optional<double> number(QStringView s)
{
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::abs(v) > 100000)
        return std::nullopt;
    return v;
}

namespace {

enum Separators { Commas = 1, By = 2 };

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Numbers separated by commas and/or a lone "x" ("1800 x 375"); written out by hand because
// every activity file holds dozens of them and a pattern split was most of its reading time.
std::optional<std::vector<double>> numbers(const QString& s, int separators, size_t count)
{
    std::vector<double> v;
    const qsizetype n = s.size();
    qsizetype start = 0;
    auto take = [&](qsizetype end) {
        const auto value = number(QStringView(s).mid(start, end - start));
        if (!value || v.size() >= count)
            return false;
        v.push_back(*value);
        return true;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s[i];
        const bool comma = (separators & Commas) && c == QLatin1Char(',');
        const bool by = (separators & By) && (c == QLatin1Char('x')) && (i == 0 || !isWordChar(s[i - 1])) &&
                        (i + 1 == n || !isWordChar(s[i + 1]));
        if (comma || by) {
            if (!take(i))
                return std::nullopt;
            start = i + 1;
        }
    }
    if (!take(n) || v.size() != count)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<QPointF> point(const QString& s)
{
    const auto v = numbers(s, Commas, 2);
    if (!v || std::abs((*v)[0]) > maxCoordinate || std::abs((*v)[1]) > maxCoordinate)
        return std::nullopt;
    return QPointF((*v)[0], (*v)[1]);
}

std::optional<QRectF> rect(const QString& s)
{
    // "left, top, width x height"
    const auto v = numbers(s, Commas | By, 4);
    if (!v || (*v)[2] <= 0 || (*v)[3] <= 0 || !std::all_of(v->begin(), v->end(), [](double n) { return std::abs(n) <= maxCoordinate; }))
        return std::nullopt;
    return QRectF((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
}

std::optional<QSizeF> size(const QString& s)
{
    const auto v = numbers(s, By, 2);
    if (!v || (*v)[0] <= 0 || (*v)[1] <= 0 || (*v)[0] > maxCoordinate || (*v)[1] > maxCoordinate)
        return std::nullopt;
    return QSizeF((*v)[0], (*v)[1]);
}

std::optional<QColor> colour(const QString& s)
{
    static const QHash<QString, QColor> named{
        {QStringLiteral("yellow"), QColor(255, 255, 0)},   {QStringLiteral("orange"), QColor(255, 128, 0)},
        {QStringLiteral("cyan"), QColor(128, 255, 255)},   {QStringLiteral("green"), QColor(0, 255, 0)},
        {QStringLiteral("white"), QColor(255, 255, 255)},  {QStringLiteral("black"), QColor(0, 0, 0)},
    };
    const QString key = s.trimmed().toLower();
    if (named.contains(key))
        return named.value(key);
    const auto v = numbers(s, Commas, 3);
    if (!v)
        return std::nullopt;
    for (double c : *v)
        if (c < 0 || c > 255 || c != static_cast<int>(c))
            return std::nullopt;
    return QColor(static_cast<int>((*v)[0]), static_cast<int>((*v)[1]), static_cast<int>((*v)[2]));
}

QString fileNameProblem(const QString& name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    if (name.size() > 60)
        return QStringLiteral("\"%1\" is too long: a name becomes a file name, at most 60 letters").arg(name.left(60));
    for (QChar c : name)
        if (forbidden.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("\"%1\" becomes a file name, which can't hold \\ / : * ? \" < > |").arg(name);
    if (name.trimmed() != name || name.startsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char('.')))
        return QStringLiteral("\"%1\" becomes a file name, which can't start with a dot or a space or end with one")
            .arg(name);
    // The program's own worksheet list, and the names Windows keeps for devices.
    static const QRegularExpression reserved(QStringLiteral("^(track|con|prn|aux|nul|com[0-9]|lpt[0-9])$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        return QStringLiteral("\"%1\" is the name of one of Corvana's own files").arg(name);
    return {};
}

bool isPictureName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("\\.(svg|jpe?g|png|bmp|gif)$"), QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

} // namespace content
