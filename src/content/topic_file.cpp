#include "topic_file.h"

#include "page_names.h"

#include <QRegularExpression>

namespace hubs {

HubPages pagesOf(const QString& pageSet, int pageCount)
{
    const QString screen = pageCount == 1 ? QStringLiteral("wmf\\%1.wmf").arg(pageSet) : reader::screenCopy(pageSet, 1);
    const QString print = pageCount == 1 ? QStringLiteral("wmf2\\%1.wmf").arg(pageSet) : reader::printCopy(pageSet, 1);
    return {pageCount, pageSet, screen, print};
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

const QString pictureMistake = QStringLiteral("write \"NAME at left, top\" (left may be \"centre\")");

// An activity as topic.txt names it, before its file is read.
struct ActivityLine {
    QString file;
    QString caption;
    int line = 0;
};

struct Draft {
    TopicFile t;
    QString mediaFolder;
    QString keyFactsSet, notesSet;
    int keyFactsCount = 1, notesCount = 1;
    std::vector<ActivityLine> listed; // "activity:" lines
    // The older pair of settings, which the first topics were written with: the hub's first and
    // second activity buttons.
    ActivityLine labelling{{}, QStringLiteral("Labelling Activity")};
    ActivityLine ordering{{}, QStringLiteral("Ordering Activity")};
    int pairLine = 0; // the first line of the pair's settings
    int titleLine = 0;
};

// A caption must fit its button: the menu's topic entries hold about 24 letters, the hub's
// activity buttons, in a larger font, about 18 ("Labelling Activity").
constexpr int maxMenuCaption = 24, maxButtonCaption = 18;

QString captionProblem(const QString& caption, int maxLength)
{
    if (caption.isEmpty())
        return QStringLiteral("the caption is empty");
    if (caption.size() > maxLength)
        return QStringLiteral("this caption is longer than %1 letters, so it would not fit its button").arg(maxLength);
    return {};
}

const QString bothForms = QStringLiteral(
    "list the activities either with \"activity:\" lines or with \"labelling activity:\" and "
    "\"ordering activity:\", not both");

QString readTitle(Draft& d, const KeyedLine& k)
{
    if (k.value.isEmpty())
        return QStringLiteral("the title is empty");
    // The title names the topic's question set file.
    if (const QString problem = content::fileNameProblem(k.value); !problem.isEmpty())
        return problem;
    d.t.hub.title = k.value;
    d.titleLine = k.line;
    return {};
}

QString readMenuEntry(Draft& d, const KeyedLine& k)
{
    bool ok = false;
    const int entry = k.value.toInt(&ok);
    if (!ok || !isTopicEntry(entry))
        return QStringLiteral("menu entry %1 is not a topic's place on the main menu (0 to 15, not 14)").arg(k.value);
    d.t.hub.menuEntry = entry;
    d.t.menuEntryLine = k.line;
    return {};
}

QString readMenuCaption(Draft& d, const KeyedLine& k)
{
    if (const QString problem = captionProblem(k.value, maxMenuCaption); !problem.isEmpty())
        return problem;
    d.t.hub.menuCaption = k.value;
    return {};
}

// "activity: heartlab.txt, Labelling Activity": the file and its button's caption, one line
// for each button, in the order of the buttons.
QString readListedActivity(Draft& d, const KeyedLine& k)
{
    const qsizetype comma = k.value.indexOf(QLatin1Char(','));
    if (comma < 0)
        return QStringLiteral("write \"activity: FILE, caption of its button\"");
    const QString file = k.value.left(comma).trimmed(), caption = k.value.mid(comma + 1).trimmed();
    if (!plainFileName(file))
        return QStringLiteral("\"%1\" must name a file of this topic's folder").arg(file);
    if (const QString problem = captionProblem(caption, maxButtonCaption); !problem.isEmpty())
        return problem;
    if (d.pairLine)
        return bothForms;
    if (d.listed.size() >= size_t(maxActivities))
        return QStringLiteral("a topic has at most %1 activities").arg(maxActivities);
    d.listed.push_back({file, caption, k.line});
    return {};
}

// "labelling activity:", "ordering activity:" and their buttons' captions.
template <ActivityLine Draft::*Slot>
QString readPairFile(Draft& d, const KeyedLine& k)
{
    if (!plainFileName(k.value))
        return QStringLiteral("\"%1\" must name a file of this topic's folder").arg(k.value);
    if (!d.listed.empty())
        return bothForms;
    (d.*Slot).file = k.value;
    (d.*Slot).line = k.line;
    if (!d.pairLine)
        d.pairLine = k.line;
    return {};
}

template <ActivityLine Draft::*Slot>
QString readPairCaption(Draft& d, const KeyedLine& k)
{
    if (!d.listed.empty())
        return bothForms;
    if (const QString problem = captionProblem(k.value, maxButtonCaption); !problem.isEmpty())
        return problem;
    (d.*Slot).caption = k.value;
    if (!d.pairLine)
        d.pairLine = k.line;
    return {};
}

QString readHubScreen(Draft& d, const KeyedLine& k)
{
    static const QRegularExpression re(QStringLiteral("^[a-z][a-z0-9_]*$"));
    if (!re.match(k.value).hasMatch())
        return QStringLiteral("a screen name is small letters and digits");
    d.t.hub.screen = k.value;
    return {};
}

// "hub picture: heart.svg at centre, 840" and "hub animation: skull at 1500, 720".
QString readHubPicture(Draft& d, const KeyedLine& k)
{
    HubTopic& h = d.t.hub;
    const QString& v = k.value;
    const qsizetype at = v.lastIndexOf(QLatin1String(" at "), -1, Qt::CaseInsensitive);
    if (at <= 0)
        return pictureMistake;
    const QString name = v.left(at).trimmed();
    QString where = v.mid(at + 4).trimmed();
    static const QRegularExpression centre(QStringLiteral("^(centre|center)\\s*,"), QRegularExpression::CaseInsensitiveOption);
    h.pictureCentred = centre.match(where).hasMatch();
    if (h.pictureCentred)
        where.replace(centre, QStringLiteral("0,"));
    const auto p = content::point(where);
    if (!p)
        return pictureMistake;
    h.pictureTopLeft = *p;
    if (k.key == QLatin1String("hub animation")) {
        if (name != QLatin1String("skull"))
            return QStringLiteral("the only animation is \"skull\"");
        h.animation = QStringLiteral("skull");
        h.picture.clear();
    } else {
        if (!content::isPictureName(name))
            return QStringLiteral("a picture is an .svg, .jpg, .png, .bmp or .gif file");
        h.picture = activity::mediaPath(name, d.mediaFolder);
        h.animation.clear();
    }
    return {};
}

QString readQuizPicture(Draft& d, const KeyedLine& k)
{
    if (!content::isPictureName(k.value))
        return QStringLiteral("a picture is an .svg, .jpg, .png, .bmp or .gif file");
    d.t.hub.quizPicture = activity::mediaPath(k.value, d.mediaFolder);
    return {};
}

// The settings that name a file of the topic's folder.
template <QString TopicFile::*Field>
QString readFile(Draft& d, const KeyedLine& k)
{
    if (!plainFileName(k.value))
        return QStringLiteral("\"%1\" must name a file of this topic's folder").arg(k.value);
    d.t.*Field = k.value;
    return {};
}

template <QString Draft::*Field>
QString readPageSet(Draft& d, const KeyedLine& k)
{
    if (k.value.isEmpty())
        return QStringLiteral("the page set's name is empty");
    if (const QString problem = content::fileNameProblem(k.value); !problem.isEmpty())
        return problem;
    d.*Field = k.value;
    return {};
}

template <int Draft::*Field>
QString readPageCount(Draft& d, const KeyedLine& k)
{
    bool ok = false;
    const int n = k.value.toInt(&ok);
    if (!ok || n < 1 || n > 3)
        return QStringLiteral("a page set has 1 to 3 pages");
    d.*Field = n;
    return {};
}

constexpr content::Setting<Draft> settings[] = {
    {"title", false, readTitle},
    {"menu entry", false, readMenuEntry},
    {"menu caption", false, readMenuCaption},
    {"hub screen", false, readHubScreen},
    {"hub picture", false, readHubPicture},
    {"hub animation", false, readHubPicture},
    {"quiz picture", false, readQuizPicture},
    {"questions", false, readFile<&TopicFile::questionsFile>},
    {"key facts", false, readFile<&TopicFile::keyFactsFile>},
    {"teacher's notes", false, readFile<&TopicFile::notesFile>},
    {"activity", false, readListedActivity},
    {"labelling activity", false, readPairFile<&Draft::labelling>},
    {"ordering activity", false, readPairFile<&Draft::ordering>},
    {"labelling button", false, readPairCaption<&Draft::labelling>},
    {"ordering button", false, readPairCaption<&Draft::ordering>},
    {"key facts pages", false, readPageSet<&Draft::keyFactsSet>},
    {"teacher's notes pages", false, readPageSet<&Draft::notesSet>},
    {"key facts page count", false, readPageCount<&Draft::keyFactsCount>},
    {"teacher's notes page count", false, readPageCount<&Draft::notesCount>},
};

bool checkRequired(const Draft& d, const content::Report& report)
{
    const TopicFile& t = d.t;
    const HubTopic& h = t.hub;
    struct Required {
        bool present;
        const char* what;
    };
    // The older pair comes whole: one of them alone is a half-finished topic.
    const bool pair = d.pairLine != 0;
    for (const Required& r : {Required{!h.title.isEmpty(), "title"},
                              Required{!h.picture.isEmpty() || !h.animation.isEmpty(), "hub picture"},
                              Required{!h.quizPicture.isEmpty(), "quiz picture"},
                              Required{!t.questionsFile.isEmpty(), "questions"},
                              Required{!t.keyFactsFile.isEmpty(), "key facts"},
                              Required{!t.notesFile.isEmpty(), "teacher's notes"},
                              Required{!pair || !d.labelling.file.isEmpty(), "labelling activity"},
                              Required{!pair || !d.ordering.file.isEmpty(), "ordering activity"}})
        if (!r.present)
            return report.fail(0, QStringLiteral("the topic needs \"%1:\"").arg(QString::fromLatin1(r.what)));
    return true;
}

} // namespace

std::optional<TopicFile> parseTopicFile(const QString& text, const QString& fileName, const QString& folderName,
                                        const ReadTopicFile& read, std::optional<ContentError>& error)
{
    const content::Report report(fileName, error);
    Draft d;
    d.mediaFolder = QStringLiteral("topics\\") + folderName;
    d.t.folderName = folderName;
    d.t.hub.screen = folderName;
    if (!content::readSettings<Draft>(text, report, settings, d, error) || !checkRequired(d, report))
        return std::nullopt;

    TopicFile& t = d.t;
    HubTopic& h = t.hub;
    h.questionSetFile = QStringLiteral("multiple\\%1.txt").arg(h.title);
    h.keyFacts = hubs::pagesOf(d.keyFactsSet.isEmpty() ? QStringLiteral("key ") + h.title.toLower() : d.keyFactsSet,
                               d.keyFactsCount);
    h.teachersNotes = hubs::pagesOf(d.notesSet.isEmpty() ? h.title.toLower() : d.notesSet, d.notesCount);
    // The program's own pages share the folders of the topics' pages.
    static const QStringList programPages{QStringLiteral("guide1"), QStringLiteral("guide2"), QStringLiteral("guide3"),
                                          QStringLiteral("guide4"), QStringLiteral("introduction"),
                                          QStringLiteral("acknowledgments")};
    for (const HubPages* set : {&h.keyFacts, &h.teachersNotes})
        if (programPages.contains(set->pageSet, Qt::CaseInsensitive)) {
            report.fail(0, QStringLiteral("the page set \"%1\" is the name of one of Corvana's own pages").arg(set->pageSet));
            return std::nullopt;
        }
    // One name for both would show the notes behind the Key Facts button.
    if (h.keyFacts.pageSet.compare(h.teachersNotes.pageSet, Qt::CaseInsensitive) == 0) {
        report.fail(0, QStringLiteral("the Key Facts and the Teacher's Notes both use the page set \"%1\"")
                           .arg(h.keyFacts.pageSet));
        return std::nullopt;
    }

    const std::vector<ActivityLine> named =
        d.pairLine ? std::vector<ActivityLine>{d.labelling, d.ordering} : d.listed;
    for (const ActivityLine& a : named) {
        const std::optional<QString> body = read(a.file);
        if (!body) {
            report.fail(a.line, QStringLiteral("the activity file \"%1\" is missing").arg(a.file));
            return std::nullopt;
        }
        auto parsed = activity::parseActivityFile(*body, siblingName(fileName, a.file), d.mediaFolder, error);
        if (!parsed)
            return std::nullopt;
        // Each activity is a screen of its own, found by its name.
        const QString& screen = parsed->layout.name;
        if (screen == h.screen) {
            report.fail(a.line, QStringLiteral("the activity \"%1\" uses the hub's screen name \"%2\"").arg(a.file, screen));
            return std::nullopt;
        }
        for (const TopicActivity& other : t.activities)
            if (other.file.layout.name == screen) {
                report.fail(a.line, QStringLiteral("the activities \"%1\" and \"%2\" both use the screen name \"%3\"")
                                        .arg(other.fileName, a.file, screen));
                return std::nullopt;
            }
        h.activities.push_back({screen, a.caption});
        t.activities.push_back({a.file, a.caption, std::move(*parsed)});
    }
    if (h.menuCaption.isEmpty()) {
        if (h.title.size() > maxMenuCaption) {
            report.fail(d.titleLine, QStringLiteral("this title is longer than %1 letters, so it would not fit the menu: "
                                                    "give the menu a shorter \"menu caption:\"")
                                         .arg(maxMenuCaption));
            return std::nullopt;
        }
        h.menuCaption = h.title;
    }
    return std::move(t);
}

QString clash(const TopicFile& a, const TopicFile& b)
{
    if (a.hub.menuEntry >= 0 && a.hub.menuEntry == b.hub.menuEntry)
        return QStringLiteral("topics \"%1\" and \"%2\" both use menu entry %3")
            .arg(a.folderName, b.folderName)
            .arg(b.hub.menuEntry);
    const auto screens = [](const HubTopic& h) {
        QStringList names{h.screen};
        for (const HubActivity& activity : h.activities)
            names << activity.screen;
        return names;
    };
    const QStringList theirs = screens(a.hub);
    for (const QString& name : screens(b.hub))
        if (theirs.contains(name))
            return QStringLiteral("topics \"%1\" and \"%2\" both use the screen name \"%3\"")
                .arg(a.folderName, b.folderName, name);
    if (a.hub.title.compare(b.hub.title, Qt::CaseInsensitive) == 0)
        return QStringLiteral("topics \"%1\" and \"%2\" have the same title").arg(a.folderName, b.folderName);
    for (const QString& set : {b.hub.keyFacts.pageSet, b.hub.teachersNotes.pageSet})
        for (const QString& other : {a.hub.keyFacts.pageSet, a.hub.teachersNotes.pageSet})
            if (set.compare(other, Qt::CaseInsensitive) == 0)
                return QStringLiteral("topics \"%1\" and \"%2\" both use the page set \"%3\"")
                    .arg(a.folderName, b.folderName, set);
    return {};
}

} // namespace topics
