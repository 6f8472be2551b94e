// Questions in the formats teachers already keep them in: Moodle's GIFT text and XML, Aiken
// and spreadsheet CSV. Reading takes the four-option questions with one right answer and says
// why every other question was left out; writing gives a worksheet in each format so that the
// format's own reader takes it back unchanged.
#pragma once

#include "worksheets/worksheet_store.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace exchange {

enum class Format { Gift, MoodleXml, Aiken, Csv };

// The name a teacher knows the format by: "GIFT", "Moodle XML", "Aiken", "CSV".
QString formatName(Format f);

struct ImportedQuestion {
    int line = 0; // where the question starts in the file
    QString text;
    std::array<QString, 4> options;
    int correct = 0; // 1..4
};

struct LeftOut {
    int line = 0;
    QString question; // its text, or its name when it has none
    QString reason;   // e.g. "a true/false question", "it has 3 answers, not 4"
};

struct ImportResult {
    // Not empty when the file cannot be read at all; it names the line.
    QString error;
    QList<ImportedQuestion> taken;
    QList<LeftOut> leftOut;
    // What was read but not kept with the questions taken (feedback, titles, comments...):
    // what it is, and the lines where it stood.
    QMap<QString, QList<int>> skipped;
    // A title the file suggests (its category); empty when it has none.
    QString suggestedTitle;

    bool ok() const { return error.isEmpty(); }
    // Refuses the whole file: nothing read from it is kept.
    void refuse(const QString& why)
    {
        error = why;
        taken.clear();
        leftOut.clear();
        skipped.clear();
    }
    void skip(const QString& what, int line);
};

// Readers. Each takes the file's bytes as they are on disk: UTF-8 (with or without a byte
// order mark) or, failing that, Windows-1252 as older spreadsheet programs save.
ImportResult readGift(const QByteArray& bytes);
ImportResult readMoodleXml(const QByteArray& bytes);
ImportResult readAiken(const QByteArray& bytes);
ImportResult readCsv(const QByteArray& bytes);
ImportResult readQuestions(Format f, const QByteArray& bytes);

// The format of a file: by its name's ending (.gift, .xml, .csv, .aiken) and otherwise by
// what it holds (an XML declaration, "ANSWER:" lines, braces).
Format guessFormat(const QString& fileName, const QByteArray& bytes);

// Writers: the set's title and its ten questions.
QByteArray writeGift(const QuestionSet& set);
QByteArray writeMoodleXml(const QuestionSet& set);
QByteArray writeAiken(const QuestionSet& set);
QByteArray writeCsv(const QuestionSet& set);
QByteArray writeQuestions(Format f, const QuestionSet& set);

// The file name offered for a worksheet exported in a format, e.g. "Bones (GIFT).txt".
QString exportFileName(const QString& title, Format f);
// The title a file's name suggests: its base name without the ending exportFileName adds.
QString titleFromFileName(const QString& fileName);

// The text of an HTML fragment as a browser shows it: tags dropped, entities decoded, runs of
// white space made one space, a paragraph or line break made a line break. dropped, when
// given, is set when anything beyond paragraphs and line breaks (pictures, bold) was left out.
QString htmlToText(const QString& html, bool* dropped = nullptr);
// Bytes of a text file as text: UTF-16 after its byte order mark, UTF-8 when they are valid
// UTF-8, else Windows-1252.
QString decodeTextFile(const QByteArray& bytes);

// The wizard's box sizes, in characters.
inline constexpr int titleBoxLimit = 25;
inline constexpr int questionBoxLimit = 60;
inline constexpr int optionBoxLimit = 30;

// Why a text cannot stand in a worksheet as it is, for a teacher; empty when it can. A line
// break, a leading double quote, a character outside Windows-1252, an "&" (it comes back as a
// comma) and a text longer than the box it goes into.
QString mendReason(const QString& text, int boxLimit);

// Up to ten questions as the wizard's entries, under a title; boxes past them stay empty.
WorksheetEntries toEntries(const QList<ImportedQuestion>& questions, const QString& title);
// The questions in worksheets of ten: "Title 1", "Title 2"... (just the title for one).
QList<WorksheetEntries> intoWorksheets(const QList<ImportedQuestion>& questions, const QString& title);
// Every filled box of the entries whose text needs mending: "Answer B of Question 3: ...".
QStringList textsToMend(const WorksheetEntries& entries);

// For a teacher: how many questions were taken, which were left out and why, and what was
// skipped; at most maxLines lines of left-out questions.
QString importReport(const QString& fileName, const ImportResult& result, int maxLines = 20);

} // namespace exchange
