// Printouts that become PDF files because the machine has no printer: where they go, what
// they are called, and how a pupil is told.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace printouts {

// "Corvana" in the user's documents folder, where a teacher looks for them.
QString defaultFolder();

// A document's name from its parts, e.g. {"Certificate", name, date}: the parts that are not
// empty joined by " - ", with every character a file name cannot hold replaced.
QString documentName(const QStringList& parts);
// The date, and the date with the time, as they stand in a document's name.
QString date(const QDateTime& when);
QString dateAndTime(const QDateTime& when);

// Told to the pupil instead of "... is now printing." when the page was saved as a PDF:
// that it is kept for the teacher, and in which folder. what: "certificate", "worksheet"...
// printersWithoutDefault: printers are installed but none is the default, which the message
// says instead of "There is no printer here".
QString savedForTeacherMessage(const QString& what, const QString& pdfPath, bool printersWithoutDefault = false);

} // namespace printouts
