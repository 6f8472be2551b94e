// The rules behind the wizard and the catalogue, without widgets: checking a teacher's
// entries, saving a worksheet and listing its title, removing a title, and paging the list.
#pragma once

#include "question_set.h"
#include "tracking_file.h"

#include <QString>

#include <array>

class DataFolder;

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
ListRead readTrackingFile(const DataFolder& files, WorksheetList& list);

// Saves a worksheet whose entries passed checkEntries, then lists its title if it is new.
// The list is read first, so a save that could not be listed (an unreadable tracking file,
// or 1000 titles already) writes nothing. A missing tracking file is created holding the
// title. Files are replaced atomically. False on any failure.
bool saveWorksheet(const DataFolder& files, const WorksheetEntries& entries, WorksheetList& list);

enum class Removal { Removed, NotListed, Failed };
// Removes the last title equal to `title` from the tracking file; the worksheet file stays.
// A title no longer listed removes nothing. Failed (file unchanged) when the list cannot be
// read or written.
Removal removeWorksheetTitle(const DataFolder& files, const QString& title, WorksheetList& list);

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
