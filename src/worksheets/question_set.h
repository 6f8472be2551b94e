// A question set: a title and ten four-option questions, kept in 8-bit text files.
#pragma once

#include "state/question_set_data.h"

#include <QString>
#include <QStringList>

#include <array>

class TextInput;

// The correct option as a number 1..4, or 0 when the stored digit is not one of those.
int correctOption(const Question& q);

// Commas cannot stand in a field, so texts are stored with "&" in their place.
QString encodeCommas(const QString& text);
QString decodeCommas(const QString& text);

// Reads one question set from an open file into currentSet, storing each field as soon as
// it is read. Throws ReadFailure at the first missing field, or when a correct-option field
// is not "1".."4" (that field is not stored); the fields read before stay stored.
void loadquestions(TextInput& file, QuestionSet& currentSet);

// The 72 lines of a question-set file, without line ends.
QStringList questionSetLines(const QuestionSet& set);

// Opens, loads and closes a question-set file; false (file closed) when any step fails.
bool loadQuestionSetFile(const QString& absolutePath, QuestionSet& currentSet);
