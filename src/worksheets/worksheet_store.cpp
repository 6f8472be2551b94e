#include "worksheet_store.h"

#include "platform/cp1252.h"
#include "platform/data_folder.h"
#include "platform/text_file.h"

#include <algorithm>

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

} // namespace worksheet_text

namespace {

QString numbered(const QString& text, int q) { return text + QLatin1Char(' ') + QString::number(q); }

// Names of the files in "multiple" that come with the program.
const QStringList reservedNames = {QStringLiteral("track"), QStringLiteral("Parts of the Body"),
                                   QStringLiteral("Bones")};

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

QString checkEntries(const WorksheetEntries& e, const QStringList& topicTitles)
{
    const QString title = worksheetTitle(e.title);
    if (title.isEmpty())
        return worksheet_text::noTitle;
    if (const QString problem = titleProblem(title, topicTitles); !problem.isEmpty())
        return problem;
    for (int q = 1; q <= WorksheetEntries::questionCount; ++q) {
        if (e.questions[q - 1].isEmpty())
            return numbered(worksheet_text::notCompleted, q);
        int ticks = 0;
        for (int k = 1; k <= 4; ++k) {
            const int i = 4 * (q - 1) + (k - 1);
            if (e.options[i].isEmpty())
                return numbered(worksheet_text::notCompleted, q);
            if (e.ticked[i])
                ++ticks;
        }
        if (ticks == 0)
            return numbered(worksheet_text::notTicked, q);
        if (ticks > 1)
            return numbered(worksheet_text::tickedTwice, q);
    }
    return {};
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

ListRead readTrackingFile(const DataFolder& files, WorksheetList& list)
{
    const QString path = files.resolve(trackingFilePath);
    if (path.isEmpty())
        return ListRead::Missing;
    return readWorksheetListFile(path, list) ? ListRead::Read : ListRead::Unreadable;
}

bool saveWorksheet(const DataFolder& files, const WorksheetEntries& entries, WorksheetList& list)
{
    const QString title = worksheetTitle(entries.title);
    if (title.isEmpty() || !titleProblem(title).isEmpty())
        return false;

    // The list is read before anything is written: an unreadable tracking file is never
    // replaced, and a worksheet that could not be listed is not saved at all.
    switch (readTrackingFile(files, list)) {
    case ListRead::Unreadable:
        return false;
    case ListRead::Missing:
        list.count = 0; // created below holding the new title
        break;
    case ListRead::Read:
        break;
    }
    const bool listed = isListed(list, title);
    if (!listed && list.count >= WorksheetList::maxTitles)
        return false;

    const QString path = files.writablePath(worksheetPath(title));
    if (path.isEmpty() || !writeLinesAtomically(path, questionSetLines(toQuestionSet(entries))))
        return false;
    if (listed)
        return true;

    // The in-memory count keeps the value read; only the file gains the title.
    list.titles[list.count + 1] = title;
    const QString trackPath = files.writablePath(trackingFilePath);
    return !trackPath.isEmpty() && writeLinesAtomically(trackPath, trackingFileLines(list, list.count + 1));
}

Removal removeWorksheetTitle(const DataFolder& files, const QString& title, WorksheetList& list)
{
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
    const QString trackPath = files.writablePath(trackingFilePath);
    if (trackPath.isEmpty() || !writeLinesAtomically(trackPath, trackingFileLines(shorter, n - 1)))
        return Removal::Failed;
    list = shorter;
    list.count = n - 1;
    return Removal::Removed;
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
