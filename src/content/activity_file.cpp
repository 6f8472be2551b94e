#include "activity_file.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace activity {

namespace {

// "Tahoma 12 bold", "Times New Roman 24"
std::optional<FontSpec> parseFont(const QString& s)
{
    QStringList words = s.simplified().split(QLatin1Char(' '));
    bool bold = false;
    if (!words.isEmpty() && words.last().compare(QLatin1String("bold"), Qt::CaseInsensitive) == 0) {
        bold = true;
        words.removeLast();
    }
    if (words.size() < 2)
        return std::nullopt;
    const auto points = content::number(words.takeLast());
    const char* family = fontFamily(words.join(QLatin1Char(' ')));
    if (!points || *points <= 0 || *points > 72 || !family)
        return std::nullopt;
    return FontSpec{family, *points, bold};
}

std::optional<Qt::Alignment> parseTextAlign(const QString& s)
{
    const QString a = s.toLower();
    if (a == QLatin1String("left"))
        return Qt::AlignLeft | Qt::AlignTop;
    if (a == QLatin1String("centre") || a == QLatin1String("center"))
        return Qt::AlignHCenter | Qt::AlignTop;
    if (a == QLatin1String("right"))
        return Qt::AlignRight | Qt::AlignTop;
    return std::nullopt;
}

// "Label7", "Label5(2)": the names items go by.
bool validItemName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9]*(\\([0-9]+\\))?$"));
    return re.match(name).hasMatch();
}

// "home 1440, 4200" -> the point after the word.
std::optional<QPointF> taggedPoint(const QString& part, const char* tag)
{
    const QString t = QString::fromLatin1(tag);
    if (!part.startsWith(t + QLatin1Char(' '), Qt::CaseInsensitive))
        return std::nullopt;
    return content::point(part.mid(t.size() + 1));
}

QString itemName(const QString& array, int index) { return QStringLiteral("%1(%2)").arg(array).arg(index); }

const QString fontMistake = QStringLiteral("a font is Tahoma, Times New Roman or Arial, a size and maybe \"bold\"");
const QString colourMistake = QStringLiteral("a colour is a name or \"r, g, b\"");
const QString pictureKinds = QStringLiteral("a picture is an .svg, .jpg, .png, .bmp or .gif file");

QString tooMany(const char* what)
{
    return QStringLiteral("an activity has at most %1 %2").arg(content::maxItems).arg(QLatin1String(what));
}

// What the settings build up before the file's checks as a whole.
struct Draft {
    ActivityFile file;
    QString mediaFolder;
    bool byGroup = false, scoringGiven = false, orderGiven = false;
    QHash<QString, int> groupNumbers;
    std::vector<int> itemLines;
    int nextLineIndex = 0;
};

QString readScreen(Draft& d, const KeyedLine& k)
{
    static const QRegularExpression re(QStringLiteral("^[a-z][a-z0-9_]*$"));
    if (!re.match(k.value).hasMatch())
        return QStringLiteral("a screen name is small letters and digits, like \"heartlab\"");
    d.file.layout.name = k.value;
    return {};
}

QString readBackground(Draft& d, const KeyedLine& k)
{
    const auto c = content::colour(k.value);
    if (!c)
        return colourMistake;
    d.file.layout.background = *c;
    return {};
}

QString readPicture(Draft& d, const KeyedLine& k)
{
    const QString& v = k.value;
    const qsizetype at = v.lastIndexOf(QLatin1String(" at "), -1, Qt::CaseInsensitive);
    const auto where = at > 0 ? content::point(v.mid(at + 4)) : std::nullopt;
    if (!where)
        return QStringLiteral("write the picture as \"name at left, top\"");
    if (!content::isPictureName(v.left(at).trimmed()))
        return pictureKinds;
    d.file.layout.picture = mediaPath(v.left(at).trimmed(), d.mediaFolder);
    d.file.layout.pictureTopLeft = *where;
    d.file.pictureLine = k.line;
    return {};
}

QString readLabelSize(Draft& d, const KeyedLine& k)
{
    const auto s = content::size(k.value);
    if (!s)
        return QStringLiteral("write the size as \"width x height\"");
    d.file.layout.labelWidth = static_cast<float>(s->width());
    d.file.layout.labelHeight = static_cast<float>(s->height());
    return {};
}

QString readLabelFont(Draft& d, const KeyedLine& k)
{
    const auto f = parseFont(k.value);
    if (!f)
        return fontMistake;
    d.file.layout.labelFont = *f;
    return {};
}

QString readLabelAlign(Draft& d, const KeyedLine& k)
{
    const QString al = k.value.toLower();
    if (al == QLatin1String("centre") || al == QLatin1String("center"))
        d.file.layout.labelAlign = Qt::AlignCenter;
    else if (al == QLatin1String("left"))
        d.file.layout.labelAlign = Qt::AlignLeft | Qt::AlignTop;
    else
        return QStringLiteral("label align is \"centre\" or \"left\"");
    return {};
}

QString readScoring(Draft& d, const KeyedLine& k)
{
    const QString s = k.value.toLower();
    if (s == QLatin1String("by item"))
        d.byGroup = false;
    else if (s == QLatin1String("by group"))
        d.byGroup = true;
    else
        return QStringLiteral("scoring is \"by item\" or \"by group\"");
    d.scoringGiven = true;
    return {};
}

QString readItem(Draft& d, const KeyedLine& k)
{
    if (d.file.layout.items.size() >= content::maxItems)
        return tooMany("items");
    const QStringList parts = splitParts(k.value);
    if (parts.size() < 3 || parts[0].isEmpty())
        return QStringLiteral("write an item as \"caption | home left, top | target left, top\"");
    const auto home = taggedPoint(parts[1], "home");
    const auto target = taggedPoint(parts[2], "target");
    if (!home || !target)
        return QStringLiteral("an item needs \"home left, top\" and \"target left, top\"");
    ItemRow row{parts[0], static_cast<float>(home->x()), static_cast<float>(home->y()),
                static_cast<float>(target->x()), static_cast<float>(target->y()), -1};
    if (parts.size() > 3) {
        if (parts.size() > 4 || !parts[3].startsWith(QLatin1String("group "), Qt::CaseInsensitive))
            return QStringLiteral("after the target, only \"group NAME\" may follow");
        const QString g = parts[3].mid(6).trimmed();
        if (!d.groupNumbers.contains(g))
            d.groupNumbers.insert(g, static_cast<int>(d.groupNumbers.size()));
        row.group = d.groupNumbers.value(g);
    }
    d.file.layout.items.push_back(row);
    d.itemLines.push_back(k.line);
    return {};
}

// Belongs to the item above it.
QString readWhere(Draft& d, const KeyedLine& k)
{
    if (d.file.layout.items.empty())
        return QStringLiteral("\"where:\" describes the item above it; write it under an item");
    if (k.value.isEmpty())
        return QStringLiteral("say where the box's pointer goes, like \"where: the organ between the two lungs\"");
    if (!d.file.layout.items.back().where.isEmpty())
        return QStringLiteral("this item already has a \"where:\"");
    d.file.layout.items.back().where = k.value;
    return {};
}

// "line: ..." takes the next index; "line 3: ..." names its own.
QString readLine(Draft& d, const KeyedLine& k)
{
    int index = d.nextLineIndex;
    if (k.key != QLatin1String("line")) {
        if (!k.key.startsWith(QLatin1String("line ")))
            return QStringLiteral("unknown setting \"%1\"").arg(k.name);
        bool ok = false;
        index = k.key.mid(5).toInt(&ok);
        if (!ok || index < 0)
            return QStringLiteral("a numbered line is written \"line 3: ...\"");
    }
    if (index > content::maxLineIndex)
        return QStringLiteral("pointer lines are numbered 0 to %1").arg(content::maxLineIndex);
    if (d.file.layout.lines.size() >= content::maxItems)
        return tooMany("pointer lines");
    d.nextLineIndex = index + 1;
    const QStringList parts = splitParts(k.value);
    static const QRegularExpression dash(QStringLiteral("\\s+-\\s+"));
    const QStringList ends = parts[0].split(dash);
    const auto from = ends.size() == 2 ? content::point(ends[0]) : std::nullopt;
    const auto to = ends.size() == 2 ? content::point(ends[1]) : std::nullopt;
    if (!from || !to)
        return QStringLiteral("write a line as \"x1, y1 - x2, y2\"");
    d.file.layout.lines.push_back({index, *from, *to});
    if (parts.size() > 1) {
        if (parts.size() > 2 || !parts[1].startsWith(QLatin1String("to "), Qt::CaseInsensitive))
            return QStringLiteral("after the line, only \"to PART\" may follow");
        d.file.lineTargets.push_back({index, parts[1].mid(3).trimmed(), k.line});
    }
    return {};
}

QString readText(Draft& d, const KeyedLine& k)
{
    const QString name = k.name.mid(5).trimmed();
    if (!validItemName(name))
        return QStringLiteral("\"%1\" is not an item name like Label7 or Label5(2)").arg(name);
    if (d.file.layout.texts.size() >= content::maxItems)
        return tooMany("texts");
    const QStringList parts = splitParts(k.value);
    if (parts.size() < 5)
        return QStringLiteral("write a text as \"left, top, width x height | font | colour | align | text\"");
    const auto r = content::rect(parts[0]);
    const auto f = parseFont(parts[1]);
    const auto c = content::colour(parts[2]);
    const auto al = parseTextAlign(parts[3]);
    if (!r)
        return QStringLiteral("the text's place is \"left, top, width x height\"");
    if (!f)
        return fontMistake;
    if (!c)
        return colourMistake;
    if (!al)
        return QStringLiteral("align is \"left\", \"centre\" or \"right\"");
    const QString words = QStringList(parts.mid(4)).join(QStringLiteral(" | "));
    d.file.layout.texts.push_back({name, words, *r, *f, *c, *al});
    return {};
}

QString readDrawingOrder(Draft& d, const KeyedLine& k)
{
    d.file.layout.drawingOrder += k.value.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (d.file.layout.drawingOrder.size() > 6 * content::maxItems)
        return QStringLiteral("the drawing order names more items than an activity has");
    d.orderGiven = true;
    return {};
}

constexpr content::Setting<Draft> settings[] = {
    {"screen", false, readScreen},
    {"background", false, readBackground},
    {"picture", false, readPicture},
    {"label size", false, readLabelSize},
    {"label font", false, readLabelFont},
    {"label align", false, readLabelAlign},
    {"scoring", false, readScoring},
    {"item", false, readItem},
    {"where", false, readWhere},
    {"line", true, readLine},
    {"text ", true, readText},
    {"drawing order", false, readDrawingOrder},
};

// The checks of the file as a whole, once every line is read.
bool checkWhole(Draft& d, const content::Report& report)
{
    const ActivityLayout& a = d.file.layout;
    if (a.name.isEmpty())
        return report.fail(0, QStringLiteral("the activity needs a \"screen:\" name"));
    if (a.labelWidth <= 0)
        return report.fail(0, QStringLiteral("the activity needs a \"label size:\""));
    if (a.items.empty())
        return report.fail(0, QStringLiteral("the activity has no items"));
    if (!d.scoringGiven)
        return report.fail(0, QStringLiteral("the activity needs \"scoring: by item\" or \"scoring: by group\""));
    for (size_t i = 0; i < a.items.size(); ++i) {
        const bool grouped = a.items[i].group >= 0;
        if (d.byGroup && !grouped)
            return report.fail(d.itemLines[i], QStringLiteral("scoring by group: this item needs \"| group NAME\""));
        if (!d.byGroup && grouped)
            return report.fail(d.itemLines[i], QStringLiteral("a group is only used with \"scoring: by group\""));
    }
    const bool hasTitle = std::any_of(a.texts.begin(), a.texts.end(),
                                      [](const TextRow& t) { return t.name == QLatin1String("Label6"); });
    if (!hasTitle)
        return report.fail(0, QStringLiteral("the activity needs its title line, \"text Label6: ...\""));
    // Whole boxes on the screen: a label that belongs off-screen could never be placed.
    const QRectF screen(0, 0, design::screenWidth, design::screenHeight);
    for (size_t i = 0; i < a.items.size(); ++i) {
        const ItemRow& row = a.items[i];
        if (!screen.contains(QRectF(row.targetLeft, row.targetTop, a.labelWidth, a.labelHeight)))
            return report.fail(d.itemLines[i],
                               QStringLiteral("the target box of \"%1\" lies off the screen").arg(row.caption));
        if (!screen.contains(QRectF(row.homeLeft, row.homeTop, a.labelWidth, a.labelHeight)))
            return report.fail(d.itemLines[i], QStringLiteral("the home box of \"%1\" lies off the screen").arg(row.caption));
    }
    return true;
}

} // namespace

const char* fontFamily(const QString& family)
{
    for (const char* f : {"Tahoma", "Times New Roman", "Arial"})
        if (family.compare(QLatin1String(f), Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

QString mediaPath(const QString& name, const QString& mediaFolder)
{
    if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')) || mediaFolder.isEmpty())
        return name;
    return mediaFolder + QLatin1Char('\\') + name;
}

QStringList defaultDrawingOrder(const ActivityLayout& layout)
{
    QStringList order;
    for (int i = layout.count() - 1; i >= 0; --i)
        order << itemName(QStringLiteral("Label2"), i);
    for (int i = layout.count() - 1; i >= 0; --i)
        order << itemName(QStringLiteral("Label4"), i);
    if (!layout.lines.empty())
        order << QStringLiteral("Line1");
    for (const TextRow& t : layout.texts)
        order << t.name;
    for (int i = 2; i >= 0; --i)
        order << itemName(QStringLiteral("Label3"), i);
    for (int i = layout.count() - 1; i >= 0; --i)
        order << itemName(QStringLiteral("Label1"), i);
    if (!layout.picture.isEmpty())
        order << QStringLiteral("Image1(0)");
    return order;
}

std::optional<ActivityFile> parseActivityFile(const QString& text, const QString& fileName, const QString& mediaFolder,
                                              std::optional<ContentError>& error)
{
    const content::Report report(fileName, error);
    Draft d;
    d.mediaFolder = mediaFolder;
    if (!content::readSettings<Draft>(text, report, settings, d, error) || !checkWhole(d, report))
        return std::nullopt;
    if (!d.orderGiven)
        d.file.layout.drawingOrder = defaultDrawingOrder(d.file.layout);
    // Boxes that point at a picture mean nothing to a pupil who cannot see it without words.
    const ActivityLayout& a = d.file.layout;
    if (!a.picture.isEmpty() && !a.lines.empty())
        for (size_t i = 0; i < a.items.size(); ++i)
            if (a.items[i].where.isEmpty())
                d.file.warnings.push_back({fileName, d.itemLines[i],
                                           QStringLiteral("the box of \"%1\" has no \"where:\" saying where its "
                                                          "pointer goes, for pupils who cannot see the picture")
                                               .arg(a.items[i].caption)});
    return std::move(d.file);
}

} // namespace activity
