// The file names of a page set's pages, as the hub hands them to the paged reader.
#pragma once

#include <QString>

namespace reader {

// "a.wmf", "b.wmf", "c.wmf" for pages 1..3; empty for any other page, which has no file.
QString pageEnding(int page);
// "wmf\" + set + ending, and "wmf2\" + set + ending; empty when the page has no file.
QString screenCopy(const QString& pageSet, int page);
QString printCopy(const QString& pageSet, int page);

} // namespace reader
