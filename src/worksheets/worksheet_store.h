// The rules behind the wizard and the catalogue, without widgets: checking a teacher's
// entries, saving a worksheet and listing its title, removing a title, and paging the list.
#pragma once

#include "question_set.h"
#include "tracking_file.h"

#include <QString>

#include <array>

class DataFolder;
class MessageBoxes;

// What the wizard's boxes hold, as typed.
struct WorksheetEntries {
    static constexpr int questionCount = 10;
    static constexpr int optionCount = 4 * questionCount;

    QString title;                                 // Text1
    std::array<QString, questionCount> questions;  // Text2(0..9)
    std::array<QString, optionCount> options;      // Text3(0..39): question q, option k at 4(q-1)+(k-1)
    std::array<bool, optionCount> ticked{};        // Check1(0..39)
};

namespace worksheet_text {
inline const QString noTitle = QStringLiteral("You have not chosen a title for your worksheet");
inline const QString notCompleted = QStringLiteral("You have not completed Question");
inline const QString notTicked = QStringLiteral("You have not ticked the correct answer for Question");
inline const QString tickedTwice = QStringLiteral("You have ticked more than one correct answer for Question");
inline const QString saved = QStringLiteral("Your worksheet has been saved.");
inline const QString saveProblem = QStringLiteral("There was a problem saving your worksheet");
inline const QString corrupted = QStringLiteral("This worksheet seems to be corrupted.");
inline const QString badTitleCharacter =
    QStringLiteral("A worksheet title cannot contain any of these characters: \\ / : * ? \" < > | , &"
                   "\nPlease change the title of your worksheet.");
inline const QString unusableTitleCharacter =
    QStringLiteral("The title of your worksheet holds a character that cannot be saved."
                   "\nPlease change the title of your worksheet.");
QString reservedTitle(const QString& title);
QString deleteQuestion(const QString& title);
// A box whose text a worksheet file cannot give back as typed; box names the box, e.g.
// "Question 3" or "Answer B of Question 3".
QString cannotKeep(const QString& box, const QString& text);
// The list of worksheets cannot be read: what is wrong, and the offer to make it anew.
QString listDamaged(const QString& problem);
QString listRebuilt(int titles, const QString& keptAs);
// Added to listRebuilt: the worksheet files whose names a list can't hold.
QString filesLeftOut(const QStringList& names);
inline const QString listNotRebuilt =
    QStringLiteral("A new list of worksheets could not be made. Nothing has been changed.");
} // namespace worksheet_text

// Text that may stand in a worksheet file: no control characters, only what Windows-1252 holds.
bool isStorableCharacter(QChar c);

// The title as it is used for the file name and the list: without surrounding spaces, since
// the field reader drops them and the worksheet could never be found again.
QString worksheetTitle(const QString& typed);

// Why a (trimmed, non-empty) title cannot be used, or an empty text when it can. Refused:
// characters a file name cannot hold on the platforms the program runs on, a comma (the
// tracking file would split the title), an "&" (it reads back as a comma), and the names of
// the program's own files in "multiple" in any letter case, which a save would overwrite.
QString titleProblem(const QString& title, const QStringList& topicTitles = {});

// The wizard's checks in their order; the first failing check's message, or an empty text.
// After the checks of every question, each box is checked for a text that a worksheet file
// cannot give back as typed (one starting with a double quote, for one). topicTitles: the
// topics' titles, which no worksheet may take.
QString checkEntries(const WorksheetEntries& entries, const QStringList& topicTitles = {});

// The question set the entries describe; the correct digit is the first ticked option's.
QuestionSet toQuestionSet(const WorksheetEntries& entries);
// The entries a question set fills in: every box from the set, the correct option ticked.
WorksheetEntries toEntries(const QuestionSet& set);

// Relative paths of a worksheet file and of the tracking file.
QString worksheetPath(const QString& title);

enum class ListRead { Read, Missing, Unreadable };
// Reads the tracking file (the user's copy first, then the shipped one) into list.
// Missing only when neither exists; a failed read leaves in list what it got to.
// problem, when given, says for a teacher what is wrong with an unreadable list; titlesRead
// gets the number of titles this read stored (-1 when not even the count could be read).
ListRead readTrackingFile(const DataFolder& files, WorksheetList& list, QString* problem = nullptr,
                          int* titlesRead = nullptr);

struct SaveOutcome {
    enum Status { Saved, Failed, ListDamaged } status = Failed;
    QString problem; // ListDamaged: what is wrong with the list, for a teacher
    explicit operator bool() const { return status == Saved; }
};

// Saves a worksheet whose entries passed checkEntries, then lists its title if it is new.
// The list is read first, so a save that could not be listed (an unreadable tracking file,
// or 1000 titles already) writes nothing. A missing tracking file is created holding the
// title. Each file is read back before it replaces the old one, and the list is read,
// changed and written under a lock, so that two copies of the program saving at once never
// lose a title. Saved only when both files read back as meant.
// Worksheets left unlisted by a save that was stopped between writing the worksheet and the
// list are listed again. topicTitles: the topics' question sets, never a teacher's.
SaveOutcome saveWorksheet(const DataFolder& files, const WorksheetEntries& entries, WorksheetList& list,
                          const QStringList& topicTitles = {});

enum class Removal { Removed, NotListed, Failed };
// Removes the last title equal to `title` from the tracking file; the worksheet file stays.
// A title no longer listed removes nothing. Failed (file unchanged) when the list cannot be
// read or written.
Removal removeWorksheetTitle(const DataFolder& files, const QString& title, WorksheetList& list);

struct Rebuild {
    bool done = false;
    QString keptAs; // the name the damaged list was kept under, if there was one to keep
    QStringList skipped; // worksheet files left out, as a list can't hold their names
};
// Makes the list anew from the worksheets in the folder: first the titles of the old list
// that can still be read, in their order, then every other worksheet file by name, each
// one only if it loads. The old list is kept beside the new one under another name.
Rebuild rebuildWorksheetList(const DataFolder& files, WorksheetList& list, const QStringList& topicTitles = {});

// Tells a teacher what is wrong with the list and offers to make it anew; true when the
// new list was made (and list holds it).
bool offerListRebuild(const DataFolder& files, MessageBoxes& messages, const QString& problem,
                      WorksheetList& list, const QStringList& topicTitles = {});

// Opens, loads into currentSet and closes the worksheet of that title; false when it is
// missing or damaged.
bool loadWorksheet(const DataFolder& files, const QString& title, QuestionSet& currentSet);

// Paging of the catalogue: 24 titles to a page, page 0 first.
namespace catalogue_paging {
inline constexpr int perPage = 24;
// The number of titles that can be shown: the count, within 0..1000.
int shownCount(const WorksheetList& list);
// Whether a page after page p holds titles.
bool hasNextPage(const WorksheetList& list, int page);
// The title for entry i (1..24) of page p, empty past the list's slots.
QString titleAt(const WorksheetList& list, int page, int entry);
// How many entries page p shows: 0..24.
int entriesOnPage(const WorksheetList& list, int page);
} // namespace catalogue_paging
