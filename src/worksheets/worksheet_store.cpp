#include "worksheet_store.h"

#include "platform/cp1252.h"
#include "platform/data_folder.h"
#include "platform/messages.h"
#include "platform/text_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>

#include <algorithm>

#include <cerrno>
#include <csignal>

namespace worksheet_text {

QString reservedTitle(const QString& title)
{
    return QStringLiteral("The title \"%1\" is the name of one of Corvana's own files."
                          "\nPlease choose another title for your worksheet.")
        .arg(title);
}

QString deleteQuestion(const QString& title)
{
    return QStringLiteral("Are you sure that you want to delete the worksheet ") + title + QStringLiteral("?");
}

QString cannotKeep(const QString& box, const QString& text)
{
    if (!text.trimmed().startsWith(QLatin1Char('"')))
        return QStringLiteral("%1 holds a character that a worksheet cannot keep.\nPlease change %1.").arg(box);
    return QStringLiteral("%1 starts with a double quote (\"), which a worksheet cannot keep at the start of a "
                          "text.\nPlease change %1, for example by putting a word before the quote.")
        .arg(box);
}

QString listDamaged(const QString& problem)
{
    return QStringLiteral("The list of worksheets cannot be read: %1.\n\n"
                          "Corvana can make a new list from the worksheets saved on this computer. "
                          "The damaged list will be kept beside it under another name.\n\n"
                          "Make a new list now?")
        .arg(problem);
}

QString listRebuilt(int titles, const QString& keptAs)
{
    QString text = titles == 1 ? QStringLiteral("A new list of worksheets has been made. It holds 1 worksheet.")
                               : QStringLiteral("A new list of worksheets has been made. It holds %1 worksheets.")
                                     .arg(titles);
    if (!keptAs.isEmpty())
        text += QStringLiteral("\nThe damaged list has been kept as \"%1\".").arg(keptAs);
    return text;
}

QString filesLeftOut(const QStringList& names)
{
    QStringList shown;
    for (const QString& name : names)
        shown << QStringLiteral("\"%1\"").arg(name);
    return QStringLiteral("\nThese files were left out, as the list can't hold their names: %1.").arg(shown.join(QStringLiteral(", ")));
}

} // namespace worksheet_text

namespace {

QString numbered(const QString& text, int q) { return text + QLatin1Char(' ') + QString::number(q); }

// Names of the files in "multiple" that come with the program.
const QStringList reservedNames = {QStringLiteral("track"), QStringLiteral("Parts of the Body"),
                                   QStringLiteral("Bones")};

bool isReservedName(const QString& title)
{
    for (const QString& name : reservedNames)
        if (title.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool isListed(const WorksheetList& list, const QString& title)
{
    const int n = std::min(list.count, WorksheetList::maxTitles);
    for (int i = 1; i <= n; ++i)
        if (list.titles[i] == title)
            return true;
    return false;
}

} // namespace

bool isStorableCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
        return false;
    return cp1252::canEncode(c);
}

QString worksheetTitle(const QString& typed) { return typed.trimmed(); }

QString titleProblem(const QString& title, const QStringList& topicTitles)
{
    // "&" is how a worksheet file stores a comma, so it reads back as one: a title holding it
    // would come back from editing as a title with a comma, which could not be saved again.
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|,&");
    for (QChar c : title) {
        if (forbidden.contains(c))
            return worksheet_text::badTitleCharacter;
        if (!isStorableCharacter(c))
            return worksheet_text::unusableTitleCharacter;
    }
    // A worksheet named like a topic would take the place of the topic's own question set.
    for (const QString& name : reservedNames + topicTitles)
        if (title.compare(name, Qt::CaseInsensitive) == 0)
            return worksheet_text::reservedTitle(title);
    return {};
}

namespace {

// The first box, in the order of the Tab key, whose text a worksheet file cannot keep.
QString firstTextProblem(const WorksheetEntries& e)
{
    for (int q = 1; q <= WorksheetEntries::questionCount; ++q) {
        const QString question = QStringLiteral("Question %1").arg(q);
        if (!formatCarries(e.questions[q - 1]))
            return worksheet_text::cannotKeep(question, e.questions[q - 1]);
        for (int k = 1; k <= 4; ++k) {
            const QString& option = e.options[4 * (q - 1) + (k - 1)];
            if (!formatCarries(option))
                return worksheet_text::cannotKeep(
                    QStringLiteral("Answer %1 of %2").arg(QChar(u'A' + k - 1)).arg(question), option);
        }
    }
    return {};
}

} // namespace

QString checkEntries(const WorksheetEntries& e, const QStringList& topicTitles)
{
    const QString title = worksheetTitle(e.title);
    if (title.isEmpty())
        return worksheet_text::noTitle;
    if (const QString problem = titleProblem(title, topicTitles); !problem.isEmpty())
        return problem;
    // A box of spaces would be saved blank.
    for (int q = 1; q <= WorksheetEntries::questionCount; ++q) {
        if (e.questions[q - 1].trimmed().isEmpty())
            return numbered(worksheet_text::notCompleted, q);
        int ticks = 0;
        for (int k = 1; k <= 4; ++k) {
            const int i = 4 * (q - 1) + (k - 1);
            if (e.options[i].trimmed().isEmpty())
                return numbered(worksheet_text::notCompleted, q);
            if (e.ticked[i])
                ++ticks;
        }
        if (ticks == 0)
            return numbered(worksheet_text::notTicked, q);
        if (ticks > 1)
            return numbered(worksheet_text::tickedTwice, q);
    }
    return firstTextProblem(e);
}

QuestionSet toQuestionSet(const WorksheetEntries& e)
{
    QuestionSet set;
    set.title = worksheetTitle(e.title);
    for (int q = 1; q <= WorksheetEntries::questionCount; ++q) {
        Question& question = set.question(q);
        question.text = e.questions[q - 1];
        for (int k = 1; k <= 4; ++k) {
            const int i = 4 * (q - 1) + (k - 1);
            question.options[k] = e.options[i];
            if (e.ticked[i] && question.correct.isEmpty())
                question.correct = QString::number(k);
        }
    }
    return set;
}

WorksheetEntries toEntries(const QuestionSet& set)
{
    WorksheetEntries e;
    e.title = set.title;
    for (int q = 1; q <= WorksheetEntries::questionCount; ++q) {
        const Question& question = set.question(q);
        e.questions[q - 1] = question.text;
        const int correct = correctOption(question);
        for (int k = 1; k <= 4; ++k) {
            const int i = 4 * (q - 1) + (k - 1);
            e.options[i] = question.options[k];
            e.ticked[i] = k == correct;
        }
    }
    return e;
}

QString worksheetPath(const QString& title) { return QStringLiteral("multiple/") + title + QStringLiteral(".txt"); }

namespace {

// What is wrong with a list that failed to read, in words for a teacher.
QString listProblem(const QString& path, int count, int titlesRead)
{
    if (titlesRead < 0)
        return QFileInfo(path).size() == 0 ? QStringLiteral("the file is empty")
                                           : QStringLiteral("its first line does not give the number of worksheets");
    if (count > WorksheetList::maxTitles)
        return QStringLiteral("it says it holds %1 worksheets, more than the %2 it can hold")
            .arg(count)
            .arg(WorksheetList::maxTitles);
    return QStringLiteral("it says it holds %1 worksheets, but only %2 of them could be read")
        .arg(count)
        .arg(titlesRead);
}

// Held across reading, changing and writing the list, so that another copy of the program
// saving at the same moment waits instead of writing a list that lacks this one's title.
class ListLock {
public:
    explicit ListLock(const DataFolder& files)
        : path_(files.writablePath(QStringLiteral("multiple/.track.lock"))), lock_(path_)
    {
        if (path_.isEmpty())
            return;
        clearIfStale();
        // Another copy holds the lock only while it writes two small files.
        locked_ = lock_.tryLock(5000);
    }
    bool locked() const { return locked_; }
    // Temporary files found while the lock is held belong to a save that was stopped.
    void tidy() const { removeStaleTemporaries(QFileInfo(path_).absolutePath()); }

private:
    // A lock left by a program that is gone, or an empty lock file, would otherwise block
    // every save until it is old enough to count as stale.
    void clearIfStale()
    {
        QFile f(path_);
        if (!f.open(QIODevice::ReadOnly))
            return;
        QByteArray held = f.read(4096);
        if (held.isEmpty()) {
            // Another copy may have just made it and not yet written its number.
            QThread::msleep(50);
            held = f.readAll();
        }
        const QList<QByteArray> lines = held.split('\n');
        bool ok = false;
        const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
        const QString host = QString::fromUtf8(lines.value(2).trimmed());
        const bool here = host.isEmpty() || host == QSysInfo::machineHostName();
        const bool gone = ok && pid > 0 && here && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        if (!ok || gone)
            QFile::remove(path_);
    }

    const QString path_;
    QLockFile lock_;
    bool locked_ = false;
};

bool writeList(const DataFolder& files, const WorksheetList& list, int count)
{
    const QString path = files.writablePath(trackingFilePath);
    // Whatever is written must read back as this list, title for title.
    auto readsBack = [&list, count](const QString& written) {
        WorksheetList back;
        if (!readWorksheetListFile(written, back) || back.count != count)
            return false;
        for (int i = 1; i <= count; ++i)
            if (back.titles[i] != list.titles[i])
                return false;
        return true;
    };
    return !path.isEmpty() && writeLinesAtomically(path, trackingFileLines(list, count), readsBack);
}

} // namespace

namespace {

// Worksheet titles from the names of the ".txt" files in a folder, in name order.
QStringList titlesInFolder(const QString& folder)
{
    QStringList titles;
    if (folder.isEmpty())
        return titles;
    QDir dir(folder);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        if (name.endsWith(QLatin1String(".txt"))) // the name filter ignores letter case
            titles << name.chopped(4);
    }
    return titles;
}

// A title the list can hold that names a teacher's worksheet, not one of the program's files.
// A file name that is not valid UTF-8 comes back holding U+FFFD, which this refuses too.
bool listable(const QString& title, const QStringList& topicTitles)
{
    return !title.isEmpty() && worksheetTitle(title) == title && titleProblem(title, topicTitles).isEmpty() &&
           formatCarries(title);
}

// Worksheets of the user's folder saved after the list was last written but missing from it:
// left by a save stopped between its two renames. (A removed worksheet's file is older than
// the list that dropped it.)
QStringList unlistedSince(const DataFolder& files, const WorksheetList& list, const QStringList& topicTitles)
{
    QStringList found;
    const QString listPath = files.writablePath(trackingFilePath);
    const QFileInfo listInfo(listPath);
    if (listPath.isEmpty() || !listInfo.isFile())
        return found;
    const QDateTime listed = listInfo.lastModified();
    for (const QString& title : titlesInFolder(listInfo.absolutePath())) {
        if (!listable(title, topicTitles) || isListed(list, title) ||
            QFileInfo(files.writablePath(worksheetPath(title))).lastModified() <= listed)
            continue;
        QuestionSet probe;
        if (loadQuestionSetFile(files.writablePath(worksheetPath(title)), probe))
            found << title;
    }
    return found;
}

} // namespace

ListRead readTrackingFile(const DataFolder& files, WorksheetList& list, QString* problem, int* titlesRead)
{
    const QString path = files.resolve(trackingFilePath);
    if (path.isEmpty())
        return ListRead::Missing;
    int stored = -1;
    const bool read = readWorksheetListFile(path, list, &stored);
    if (titlesRead)
        *titlesRead = stored;
    if (!read && problem)
        *problem = listProblem(path, list.count, stored);
    return read ? ListRead::Read : ListRead::Unreadable;
}

SaveOutcome saveWorksheet(const DataFolder& files, const WorksheetEntries& entries, WorksheetList& list,
                          const QStringList& topicTitles)
{
    SaveOutcome outcome;
    const QString title = worksheetTitle(entries.title);
    if (title.isEmpty() || !titleProblem(title, topicTitles).isEmpty())
        return outcome;
    const ListLock lock(files);
    if (!lock.locked())
        return outcome;
    lock.tidy();

    const QString path = files.writablePath(worksheetPath(title));
    const QuestionSet set = toQuestionSet(entries);
    // Saved means that the file gives back what was typed: checked before it replaces the old.
    auto readsBack = [&set](const QString& written) {
        QuestionSet back;
        return loadQuestionSetFile(written, back) && readsBackAs(back, set);
    };
    auto writeWorksheet = [&] { return !path.isEmpty() && writeLinesAtomically(path, questionSetLines(set), readsBack); };

    // The list is read before anything is written: an unreadable tracking file is never
    // replaced. The worksheet is still kept (the list's rebuild will list it), so the work is
    // not left only on screen.
    switch (readTrackingFile(files, list, &outcome.problem)) {
    case ListRead::Unreadable:
        writeWorksheet();
        outcome.status = SaveOutcome::ListDamaged;
        return outcome;
    case ListRead::Missing:
        list.count = 0; // created below holding the new title
        break;
    case ListRead::Read:
        break;
    }
    const bool listed = isListed(list, title);
    QStringList joining = unlistedSince(files, list, topicTitles);
    joining.removeAll(title);
    if (!listed)
        joining << title;
    if (list.count + joining.size() > WorksheetList::maxTitles || (!joining.isEmpty() && files.writablePath(trackingFilePath).isEmpty()))
        return outcome;

    // The worksheet first, then the list, as the format has it.
    if (!writeWorksheet())
        return outcome;
    if (!joining.isEmpty()) {
        // The in-memory count keeps the value read; only the file gains the titles.
        WorksheetList longer = list;
        for (const QString& t : std::as_const(joining))
            longer.titles[++longer.count] = t;
        if (!writeList(files, longer, longer.count))
            return outcome;
        for (int i = list.count + 1; i <= longer.count; ++i)
            list.titles[i] = longer.titles[i];
    }
    outcome.status = SaveOutcome::Saved;
    return outcome;
}

Removal removeWorksheetTitle(const DataFolder& files, const QString& title, WorksheetList& list)
{
    const ListLock lock(files);
    if (!lock.locked())
        return Removal::Failed;
    lock.tidy();
    if (readTrackingFile(files, list) != ListRead::Read)
        return Removal::Failed;
    const int n = list.count;
    int found = 0;
    for (int i = 1; i <= n; ++i)
        if (list.titles[i] == title)
            found = i;
    if (found == 0)
        return Removal::NotListed;

    WorksheetList shorter = list;
    for (int i = found; i < n; ++i)
        shorter.titles[i] = shorter.titles[i + 1];
    if (!writeList(files, shorter, n - 1))
        return Removal::Failed;
    list = shorter;
    list.count = n - 1;
    return Removal::Removed;
}

namespace {

// A free name beside the list for keeping a damaged one.
QString keepingName(const QString& folder)
{
    const QString stem = QStringLiteral("track.txt.damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString name = stem;
    for (int n = 2; QFileInfo::exists(folder + QLatin1Char('/') + name) ||
                    QFileInfo(folder + QLatin1Char('/') + name).isSymLink();
         ++n)
        name = stem + QLatin1Char('-') + QString::number(n);
    return name;
}

} // namespace

Rebuild rebuildWorksheetList(const DataFolder& files, WorksheetList& list, const QStringList& topicTitles)
{
    Rebuild result;
    const ListLock lock(files);
    if (!lock.locked())
        return result;
    lock.tidy();

    // The titles the old list still gives, in its order, then every other worksheet file.
    WorksheetList old;
    int readable = -1;
    const bool whole = readTrackingFile(files, old, nullptr, &readable) == ListRead::Read;
    QStringList candidates;
    for (int i = 1; i <= std::min(readable, WorksheetList::maxTitles); ++i)
        candidates << old.titles[i];
    // Teachers' worksheets are saved in the user's folder; the program's own folder holds only
    // its own files, such as the topics' question sets.
    const QString userFolder = QFileInfo(files.writablePath(trackingFilePath)).absolutePath();
    for (const QString& title : titlesInFolder(userFolder)) {
        if (listable(title, topicTitles))
            candidates << title;
        else if (!isReservedName(title) && !topicTitles.contains(title, Qt::CaseInsensitive))
            result.skipped << title + QStringLiteral(".txt");
    }

    WorksheetList fresh;
    for (const QString& title : std::as_const(candidates)) {
        if (fresh.count >= WorksheetList::maxTitles)
            break;
        if (!listable(title, topicTitles) || isListed(fresh, title))
            continue;
        QuestionSet probe;
        if (!loadWorksheet(files, title, probe))
            continue;
        fresh.titles[++fresh.count] = title;
    }

    // The damaged list stays beside the new one; only the user's own copy can be kept so.
    const QString userList = files.writablePath(trackingFilePath);
    if (!whole && !userList.isEmpty() && QFileInfo(userList).isFile() && !QFileInfo(userList).isSymLink()) {
        const QString kept = keepingName(userFolder);
        if (!QFile::copy(userList, userFolder + QLatin1Char('/') + kept))
            return result;
        result.keptAs = kept;
    }
    if (!writeList(files, fresh, fresh.count))
        return result;
    list = fresh;
    result.done = true;
    return result;
}

bool offerListRebuild(const DataFolder& files, MessageBoxes& messages, const QString& problem, WorksheetList& list,
                      const QStringList& topicTitles)
{
    if (!messages.okCancel(worksheet_text::listDamaged(problem), QString()))
        return false;
    const Rebuild rebuilt = rebuildWorksheetList(files, list, topicTitles);
    QString text = rebuilt.done ? worksheet_text::listRebuilt(list.count, rebuilt.keptAs) : worksheet_text::listNotRebuilt;
    if (rebuilt.done && !rebuilt.skipped.isEmpty())
        text += worksheet_text::filesLeftOut(rebuilt.skipped);
    messages.ok(text);
    return rebuilt.done;
}

bool loadWorksheet(const DataFolder& files, const QString& title, QuestionSet& currentSet)
{
    return loadQuestionSetFile(files.resolve(worksheetPath(title)), currentSet);
}

namespace catalogue_paging {

int shownCount(const WorksheetList& list) { return std::clamp(list.count, 0, WorksheetList::maxTitles); }

bool hasNextPage(const WorksheetList& list, int page) { return shownCount(list) >= page * perPage + perPage + 1; }

QString titleAt(const WorksheetList& list, int page, int entry)
{
    const int slot = page * perPage + entry;
    return slot >= 1 && slot <= WorksheetList::maxTitles ? list.titles[slot] : QString();
}

int entriesOnPage(const WorksheetList& list, int page)
{
    return std::clamp(shownCount(list) - page * perPage, 0, perPage);
}

} // namespace catalogue_paging
