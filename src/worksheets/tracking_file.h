// The worksheet tracking file: a count line, then one worksheet title per line.
#pragma once

#include "state/worksheet_list.h"

#include <QString>
#include <QStringList>

#include <array>

class TextInput;

// Reads the count, then that many titles, each stored as soon as it is read. Throws
// ReadFailure when the count is not a whole number or negative, when titles are missing,
// or when a 1001st title would be stored (after slots 1..1000 are filled).
// titlesStored, when given, is -1 until the count has been read, then the titles stored.
void readWorksheetList(TextInput& file, WorksheetList& list, int* titlesStored = nullptr);

// Opens, reads and closes the file at absolutePath; false when any step failed. The file is
// always closed again, so the loader, wizard and catalogue can open files afterwards.
bool readWorksheetListFile(const QString& absolutePath, WorksheetList& list, int* titlesStored = nullptr);

// The file's lines: the count written as a number field (" N "), then titles 1..count. A
// title that the field reader would split or trim (a comma, a line break, spaces at either
// end) is written in double quotes, so that it reads back as it was.
QStringList trackingFileLines(const WorksheetList& list, int count);

// The relative path that every screen uses for the tracking file.
inline const QString trackingFilePath = QStringLiteral("multiple/track.txt");
