#include "topic_file.h"

#include "reader_pages.h"

#include <QRegularExpression>

namespace hubs {

HubPages pagesOf(const QString& pageSet, int pageCount)
{
    const QString screen = pageCount == 1 ? QStringLiteral("wmf\\%1.wmf").arg(pageSet) : reader::screenCopy(pageSet, 1);
    const QString print = pageCount == 1 ? QStringLiteral("wmf2\\%1.wmf").arg(pageSet) : reader::printCopy(pageSet, 1);
    return {pageCount, content::intern(pageSet), content::intern(screen), content::intern(print)};
}

} // namespace hubs

namespace topics {

bool isTopicEntry(int entry) { return entry >= 0 && entry <= 15 && entry != 14; }

namespace {

QString siblingName(const QString& fileName, const QString& name)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? name : fileName.left(slash + 1) + name;
}

// A file of the topic's own folder: a plain name, no folders.
bool plainFileName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9 ._-]*$"));
    return re.match(name).hasMatch() && !name.contains(QStringLiteral(".."));
}

} // namespace

std::optional<TopicFile> parseTopicFile(const QString& text, const QString& fileName, const QString& folderName,
                                        const ReadTopicFile& read, std::optional<ContentError>& error)
{
    auto fail = [&](int line, const QString& message) -> std::optional<TopicFile> {
        if (!error)
            error = ContentError{fileName, line, message};
        return std::nullopt;
    };
    const std::vector<KeyedLine> lines = readKeyedLines(text, fileName, error);
    if (error)
        return std::nullopt;

    const QString mediaFolder = QStringLiteral("topics\\") + folderName;
    TopicFile t;
    t.folderName = folderName;
    HubTopic& h = t.hub;
    h = HubTopic{};
    h.screen = content::intern(folderName);
    QString keyFactsSet, notesSet;
    int keyFactsCount = 1, notesCount = 1;
    int pictureLine = 0;

    for (const KeyedLine& k : lines) {
        const QString& v = k.value;
        auto needFile = [&](QString& into) -> bool {
            if (!plainFileName(v)) {
                fail(k.line, QStringLiteral("\"%1\" must name a file of this topic's folder").arg(v));
                return false;
            }
            into = v;
            return true;
        };
        if (k.key == QLatin1String("title")) {
            if (v.isEmpty())
                return fail(k.line, QStringLiteral("the title is empty"));
            h.title = content::intern(v);
        } else if (k.key == QLatin1String("menu entry")) {
            bool ok = false;
            const int entry = v.toInt(&ok);
            if (!ok || !isTopicEntry(entry))
                return fail(k.line, QStringLiteral("menu entry %1 is not a topic's place on the main menu (0 to 15, not 14)")
                                        .arg(v));
            h.menuEntry = entry;
            t.menuEntryLine = k.line;
        } else if (k.key == QLatin1String("hub screen")) {
            static const QRegularExpression re(QStringLiteral("^[a-z][a-z0-9_]*$"));
            if (!re.match(v).hasMatch())
                return fail(k.line, QStringLiteral("a screen name is small letters and digits"));
            h.screen = content::intern(v);
        } else if (k.key == QLatin1String("hub picture") || k.key == QLatin1String("hub animation")) {
            const qsizetype at = v.lastIndexOf(QLatin1String(" at "), -1, Qt::CaseInsensitive);
            if (at <= 0)
                return fail(k.line, QStringLiteral("write \"NAME at left, top\" (left may be \"centre\")"));
            const QString name = v.left(at).trimmed();
            QString where = v.mid(at + 4).trimmed();
            static const QRegularExpression centre(QStringLiteral("^(centre|center)\\s*,"),
                                                   QRegularExpression::CaseInsensitiveOption);
            h.pictureCentred = centre.match(where).hasMatch();
            if (h.pictureCentred)
                where.replace(centre, QStringLiteral("0,"));
            const auto p = content::point(where);
            if (!p)
                return fail(k.line, QStringLiteral("write \"NAME at left, top\" (left may be \"centre\")"));
            h.pictureTopLeft = *p;
            if (k.key == QLatin1String("hub animation")) {
                if (name != QLatin1String("skull"))
                    return fail(k.line, QStringLiteral("the only animation is \"skull\""));
                h.animation = "skull";
                h.picture = nullptr;
            } else {
                h.picture = content::intern(activity::mediaPath(name, mediaFolder));
                h.animation = nullptr;
            }
            pictureLine = k.line;
        } else if (k.key == QLatin1String("quiz picture")) {
            h.quizPicture = content::intern(activity::mediaPath(v, mediaFolder));
        } else if (k.key == QLatin1String("questions")) {
            if (!needFile(t.questionsFile))
                return std::nullopt;
        } else if (k.key == QLatin1String("key facts")) {
            if (!needFile(t.keyFactsFile))
                return std::nullopt;
        } else if (k.key == QLatin1String("teacher's notes")) {
            if (!needFile(t.notesFile))
                return std::nullopt;
        } else if (k.key == QLatin1String("labelling activity")) {
            if (!needFile(t.labellingFile))
                return std::nullopt;
        } else if (k.key == QLatin1String("ordering activity")) {
            if (!needFile(t.orderingFile))
                return std::nullopt;
        } else if (k.key == QLatin1String("labelling button")) {
            h.labellingCaption = content::intern(v);
        } else if (k.key == QLatin1String("ordering button")) {
            h.orderingCaption = content::intern(v);
        } else if (k.key == QLatin1String("key facts pages")) {
            keyFactsSet = v;
        } else if (k.key == QLatin1String("teacher's notes pages")) {
            notesSet = v;
        } else if (k.key == QLatin1String("key facts page count") || k.key == QLatin1String("teacher's notes page count")) {
            bool ok = false;
            const int n = v.toInt(&ok);
            if (!ok || n < 1 || n > 3)
                return fail(k.line, QStringLiteral("a page set has 1 to 3 pages"));
            (k.key.startsWith(QLatin1String("key")) ? keyFactsCount : notesCount) = n;
        } else {
            return fail(k.line, QStringLiteral("unknown setting \"%1\"").arg(k.name));
        }
    }

    struct Required {
        bool present;
        const char* what;
    };
    for (const Required& r : {Required{h.title != nullptr, "title"}, Required{h.menuEntry >= 0, "menu entry"},
                              Required{h.picture || h.animation, "hub picture"},
                              Required{h.quizPicture != nullptr, "quiz picture"},
                              Required{!t.questionsFile.isEmpty(), "questions"},
                              Required{!t.keyFactsFile.isEmpty(), "key facts"},
                              Required{!t.notesFile.isEmpty(), "teacher's notes"},
                              Required{!t.labellingFile.isEmpty(), "labelling activity"},
                              Required{!t.orderingFile.isEmpty(), "ordering activity"}})
        if (!r.present)
            return fail(0, QStringLiteral("the topic needs \"%1:\"").arg(QString::fromLatin1(r.what)));
    Q_UNUSED(pictureLine);

    const QString title = QString::fromUtf8(h.title);
    h.questionSetFile = content::intern(QStringLiteral("multiple\\%1.txt").arg(title));
    if (keyFactsSet.isEmpty())
        keyFactsSet = QStringLiteral("key ") + title.toLower();
    if (notesSet.isEmpty())
        notesSet = title.toLower();
    h.keyFacts = hubs::pagesOf(keyFactsSet, keyFactsCount);
    h.teachersNotes = hubs::pagesOf(notesSet, notesCount);

    auto readActivity = [&](const QString& name, activity::ActivityFile& into) -> bool {
        const QString shownName = siblingName(fileName, name);
        const std::optional<QString> body = read(name);
        if (!body) {
            fail(0, QStringLiteral("the activity file \"%1\" is missing").arg(name));
            return false;
        }
        auto parsed = activity::parseActivityFile(*body, shownName, mediaFolder, error);
        if (!parsed)
            return false;
        into = std::move(*parsed);
        return true;
    };
    if (!readActivity(t.labellingFile, t.labelling) || !readActivity(t.orderingFile, t.ordering))
        return std::nullopt;
    if (qstrcmp(t.labelling.layout.name, t.ordering.layout.name) == 0)
        return fail(0, QStringLiteral("both activities use the screen name \"%1\"")
                           .arg(QString::fromUtf8(t.labelling.layout.name)));
    h.labellingScreen = t.labelling.layout.name;
    h.orderingScreen = t.ordering.layout.name;
    return t;
}

} // namespace topics
