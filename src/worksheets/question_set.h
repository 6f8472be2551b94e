// A question set: a title and ten four-option questions, kept in 8-bit text files.
#pragma once

#include "state/question_set_data.h"

#include <QString>
#include <QStringList>

#include <array>

class TextInput;


// Commas cannot stand in a field, so texts are stored with "&" in their place.
QString encodeCommas(const QString& text);
QString decodeCommas(const QString& text);

// Whether a text comes back from a question-set file as typed, apart from what the format
// always does to it (spaces at either end dropped, "&" read as a comma). One that starts with
// a double quote, breaks the line or holds a character the code page lacks does not.
bool formatCarries(const QString& text);
// A text as a question-set file gives it back.
QString storedForm(const QString& text);
// Whether a set read back from a file is the one that was written: every text in its stored
// form, every correct digit the same.
bool readsBackAs(const QuestionSet& back, const QuestionSet& written);

// Reads one question set from an open file into currentSet, storing each field as soon as
// it is read. Throws ReadFailure at the first missing field, or when a correct-option field
// is not "1".."4" (that field is not stored); the fields read before stay stored.
void loadquestions(TextInput& file, QuestionSet& currentSet);

// The 72 lines of a question-set file, without line ends.
QStringList questionSetLines(const QuestionSet& set);

// Opens, loads and closes a question-set file; false (file closed) when any step fails.
bool loadQuestionSetFile(const QString& absolutePath, QuestionSet& currentSet);
