#include "tracking_file.h"

#include "platform/text_file.h"

void readWorksheetList(TextInput& file, WorksheetList& list, int* titlesStored)
{
    if (titlesStored)
        *titlesStored = -1;
    const int n = fieldToInt(readfield(file));
    if (n < 0)
        throw ReadFailure("negative worksheet count");
    list.count = n;
    if (titlesStored)
        *titlesStored = 0;
    for (int i = 1; i <= n; ++i) {
        list.store(i, readfield(file));
        if (titlesStored)
            *titlesStored = i;
    }
}

bool readWorksheetListFile(const QString& absolutePath, WorksheetList& list, int* titlesStored)
{
    if (titlesStored)
        *titlesStored = -1;
    TextInput file;
    if (absolutePath.isEmpty() || !file.open(absolutePath))
        return false;
    try {
        readWorksheetList(file, list, titlesStored);
    } catch (const ReadFailure&) {
        file.close();
        return false;
    }
    file.close();
    return true;
}

namespace {

QString listField(const QString& title)
{
    const bool splits = title.contains(QLatin1Char(',')) || title.contains(QLatin1Char('\r'))
                        || title.contains(QLatin1Char('\n'));
    const bool trimmed = title.startsWith(QLatin1Char(' ')) || title.endsWith(QLatin1Char(' '));
    // A title with a double quote of its own cannot be quoted; the check after writing
    // refuses it rather than letting it read back otherwise.
    return splits || trimmed ? QLatin1Char('"') + title + QLatin1Char('"') : title;
}

} // namespace

QStringList trackingFileLines(const WorksheetList& list, int count)
{
    QStringList lines;
    lines << QStringLiteral(" %1 ").arg(count);
    for (int i = 1; i <= count && i <= WorksheetList::maxTitles; ++i)
        lines << listField(list.titles[i]);
    return lines;
}
