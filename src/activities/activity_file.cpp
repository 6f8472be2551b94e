#include "activity_file.h"

#include <QHash>
#include <QRegularExpression>

namespace activity {

namespace {

const char* knownFamily(const QString& family)
{
    for (const char* f : {"Tahoma", "Times New Roman", "Arial"})
        if (family.compare(QLatin1String(f), Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

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
    const char* family = knownFamily(words.join(QLatin1Char(' ')));
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

} // namespace

QString mediaPath(const QString& name, const QString& mediaFolder)
{
    if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')) || mediaFolder.isEmpty())
        return name;
    return mediaFolder + QLatin1Char('\\') + name;
}

std::vector<const char*> defaultDrawingOrder(const ActivityLayout& layout)
{
    std::vector<const char*> order;
    auto add = [&](const QString& name) { order.push_back(content::intern(name)); };
    for (int i = layout.count() - 1; i >= 0; --i)
        add(frame::itemName(QStringLiteral("Label2"), i));
    for (int i = layout.count() - 1; i >= 0; --i)
        add(frame::itemName(QStringLiteral("Label4"), i));
    if (!layout.lines.empty())
        add(QStringLiteral("Line1"));
    for (const TextRow& t : layout.texts)
        add(QString::fromUtf8(t.name));
    for (int i = 2; i >= 0; --i)
        add(frame::itemName(QStringLiteral("Label3"), i));
    for (int i = layout.count() - 1; i >= 0; --i)
        add(frame::itemName(QStringLiteral("Label1"), i));
    if (layout.picture)
        add(QStringLiteral("Image1(0)"));
    return order;
}

std::optional<ActivityFile> parseActivityFile(const QString& text, const QString& fileName, const QString& mediaFolder,
                                              std::optional<ContentError>& error)
{
    auto fail = [&](int line, const QString& message) -> std::optional<ActivityFile> {
        if (!error)
            error = ContentError{fileName, line, message};
        return std::nullopt;
    };

    const std::vector<KeyedLine> lines = readKeyedLines(text, fileName, error);
    if (error)
        return std::nullopt;

    ActivityFile file;
    ActivityLayout& a = file.layout;
    a.name = nullptr;
    a.labelWidth = 0;
    a.labelHeight = 0;
    a.labelFont = {"Tahoma", 12, true};
    a.labelAlign = Qt::AlignCenter;
    bool byGroup = false, scoringGiven = false, orderGiven = false;
    QHash<QString, int> groupNumbers;
    std::vector<int> itemLines, groupLines;
    QStringList groupNames;
    int nextLineIndex = 0;

    for (const KeyedLine& k : lines) {
        const QString& v = k.value;
        if (k.key == QLatin1String("screen")) {
            static const QRegularExpression re(QStringLiteral("^[a-z][a-z0-9_]*$"));
            if (!re.match(v).hasMatch())
                return fail(k.line, QStringLiteral("a screen name is small letters and digits, like \"heartlab\""));
            a.name = content::intern(v);
        } else if (k.key == QLatin1String("background")) {
            const auto c = content::colour(v);
            if (!c)
                return fail(k.line, QStringLiteral("a colour is a name or \"r, g, b\""));
            a.background = *c;
        } else if (k.key == QLatin1String("picture")) {
            const qsizetype at = v.lastIndexOf(QLatin1String(" at "), -1, Qt::CaseInsensitive);
            const auto where = at > 0 ? content::point(v.mid(at + 4)) : std::nullopt;
            if (!where)
                return fail(k.line, QStringLiteral("write the picture as \"name at left, top\""));
            a.picture = content::intern(mediaPath(v.left(at).trimmed(), mediaFolder));
            a.pictureTopLeft = *where;
            file.pictureLine = k.line;
        } else if (k.key == QLatin1String("label size")) {
            const auto s = content::size(v);
            if (!s)
                return fail(k.line, QStringLiteral("write the size as \"width x height\""));
            a.labelWidth = static_cast<float>(s->width());
            a.labelHeight = static_cast<float>(s->height());
        } else if (k.key == QLatin1String("label font")) {
            const auto f = parseFont(v);
            if (!f)
                return fail(k.line, QStringLiteral("a font is Tahoma, Times New Roman or Arial, a size and maybe \"bold\""));
            a.labelFont = *f;
        } else if (k.key == QLatin1String("label align")) {
            const QString al = v.toLower();
            if (al == QLatin1String("centre") || al == QLatin1String("center"))
                a.labelAlign = Qt::AlignCenter;
            else if (al == QLatin1String("left"))
                a.labelAlign = Qt::AlignLeft | Qt::AlignTop;
            else
                return fail(k.line, QStringLiteral("label align is \"centre\" or \"left\""));
        } else if (k.key == QLatin1String("scoring")) {
            const QString s = v.toLower();
            if (s == QLatin1String("by item"))
                byGroup = false;
            else if (s == QLatin1String("by group"))
                byGroup = true;
            else
                return fail(k.line, QStringLiteral("scoring is \"by item\" or \"by group\""));
            scoringGiven = true;
        } else if (k.key == QLatin1String("item")) {
            const QStringList parts = splitParts(v);
            if (parts.size() < 3 || parts[0].isEmpty())
                return fail(k.line, QStringLiteral("write an item as \"caption | home left, top | target left, top\""));
            const auto home = taggedPoint(parts[1], "home");
            const auto target = taggedPoint(parts[2], "target");
            if (!home || !target)
                return fail(k.line, QStringLiteral("an item needs \"home left, top\" and \"target left, top\""));
            ItemRow row{content::intern(parts[0]), static_cast<float>(home->x()), static_cast<float>(home->y()),
                        static_cast<float>(target->x()), static_cast<float>(target->y()), -1};
            if (parts.size() > 3) {
                if (parts.size() > 4 || !parts[3].startsWith(QLatin1String("group "), Qt::CaseInsensitive))
                    return fail(k.line, QStringLiteral("after the target, only \"group NAME\" may follow"));
                const QString g = parts[3].mid(6).trimmed();
                if (!groupNumbers.contains(g)) {
                    groupNumbers.insert(g, static_cast<int>(groupNumbers.size()));
                    groupNames << g;
                }
                row.group = groupNumbers.value(g);
            }
            a.items.push_back(row);
            itemLines.push_back(k.line);
        } else if (k.key == QLatin1String("where")) {
            // Belongs to the item above it.
            if (a.items.empty())
                return fail(k.line, QStringLiteral("\"where:\" describes the item above it; write it under an item"));
            if (v.isEmpty())
                return fail(k.line, QStringLiteral("say where the box's pointer goes, like \"where: the organ between "
                                                   "the two lungs\""));
            if (a.items.back().where)
                return fail(k.line, QStringLiteral("this item already has a \"where:\""));
            a.items.back().where = content::intern(v);
        } else if (k.key == QLatin1String("line") || k.key.startsWith(QLatin1String("line "))) {
            int index = nextLineIndex;
            if (k.key != QLatin1String("line")) {
                bool ok = false;
                index = k.key.mid(5).toInt(&ok);
                if (!ok || index < 0)
                    return fail(k.line, QStringLiteral("a numbered line is written \"line 3: ...\""));
            }
            nextLineIndex = index + 1;
            const QStringList parts = splitParts(v);
            static const QRegularExpression dash(QStringLiteral("\\s+-\\s+"));
            const QStringList ends = parts[0].split(dash);
            const auto from = ends.size() == 2 ? content::point(ends[0]) : std::nullopt;
            const auto to = ends.size() == 2 ? content::point(ends[1]) : std::nullopt;
            if (!from || !to)
                return fail(k.line, QStringLiteral("write a line as \"x1, y1 - x2, y2\""));
            a.lines.push_back({index, *from, *to});
            if (parts.size() > 1) {
                if (parts.size() > 2 || !parts[1].startsWith(QLatin1String("to "), Qt::CaseInsensitive))
                    return fail(k.line, QStringLiteral("after the line, only \"to PART\" may follow"));
                file.lineTargets.push_back({index, parts[1].mid(3).trimmed(), k.line});
            }
        } else if (k.key.startsWith(QLatin1String("text "))) {
            const QString name = k.name.mid(5).trimmed();
            if (!validItemName(name))
                return fail(k.line, QStringLiteral("\"%1\" is not an item name like Label7 or Label5(2)").arg(name));
            QStringList parts = splitParts(v);
            if (parts.size() < 5)
                return fail(k.line, QStringLiteral("write a text as \"left, top, width x height | font | colour | "
                                                   "align | text\""));
            const auto r = content::rect(parts[0]);
            const auto f = parseFont(parts[1]);
            const auto c = content::colour(parts[2]);
            const auto al = parseTextAlign(parts[3]);
            if (!r)
                return fail(k.line, QStringLiteral("the text's place is \"left, top, width x height\""));
            if (!f)
                return fail(k.line, QStringLiteral("a font is Tahoma, Times New Roman or Arial, a size and maybe \"bold\""));
            if (!c)
                return fail(k.line, QStringLiteral("a colour is a name or \"r, g, b\""));
            if (!al)
                return fail(k.line, QStringLiteral("align is \"left\", \"centre\" or \"right\""));
            const QString words = QStringList(parts.mid(4)).join(QStringLiteral(" | "));
            a.texts.push_back({content::intern(name), content::intern(words), *r, *f, *c, *al});
        } else if (k.key == QLatin1String("drawing order")) {
            for (const QString& n : v.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                a.drawingOrder.push_back(content::intern(n));
            orderGiven = true;
        } else {
            return fail(k.line, QStringLiteral("unknown setting \"%1\"").arg(k.name));
        }
    }

    if (!a.name)
        return fail(0, QStringLiteral("the activity needs a \"screen:\" name"));
    if (a.labelWidth <= 0)
        return fail(0, QStringLiteral("the activity needs a \"label size:\""));
    if (a.items.empty())
        return fail(0, QStringLiteral("the activity has no items"));
    if (!scoringGiven)
        return fail(0, QStringLiteral("the activity needs \"scoring: by item\" or \"scoring: by group\""));
    for (size_t i = 0; i < a.items.size(); ++i) {
        const bool grouped = a.items[i].group >= 0;
        if (byGroup && !grouped)
            return fail(itemLines[i], QStringLiteral("scoring by group: this item needs \"| group NAME\""));
        if (!byGroup && grouped)
            return fail(itemLines[i], QStringLiteral("a group is only used with \"scoring: by group\""));
    }
    const bool hasTitle = std::any_of(a.texts.begin(), a.texts.end(),
                                      [](const TextRow& t) { return qstrcmp(t.name, "Label6") == 0; });
    if (!hasTitle)
        return fail(0, QStringLiteral("the activity needs its title line, \"text Label6: ...\""));
    // Whole boxes on the screen: a label that belongs off-screen could never be placed.
    const QRectF screen(0, 0, frame::screenWidth, frame::screenHeight);
    for (size_t i = 0; i < a.items.size(); ++i) {
        const ItemRow& row = a.items[i];
        if (!screen.contains(QRectF(row.targetLeft, row.targetTop, a.labelWidth, a.labelHeight)))
            return fail(itemLines[i], QStringLiteral("the target box of \"%1\" lies off the screen")
                                          .arg(QString::fromUtf8(row.caption)));
        if (!screen.contains(QRectF(row.homeLeft, row.homeTop, a.labelWidth, a.labelHeight)))
            return fail(itemLines[i], QStringLiteral("the home box of \"%1\" lies off the screen")
                                          .arg(QString::fromUtf8(row.caption)));
    }
    if (!orderGiven)
        a.drawingOrder = defaultDrawingOrder(a);
    // Boxes that point at a picture mean nothing to a pupil who cannot see it without words.
    if (a.picture && !a.lines.empty())
        for (size_t i = 0; i < a.items.size(); ++i)
            if (!a.items[i].where)
                file.warnings.push_back({fileName, itemLines[i],
                                         QStringLiteral("the box of \"%1\" has no \"where:\" saying where its pointer "
                                                        "goes, for pupils who cannot see the picture")
                                             .arg(QString::fromUtf8(a.items[i].caption))});
    return file;
}

} // namespace activity
