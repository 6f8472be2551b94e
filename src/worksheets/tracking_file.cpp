#include "tracking_file.h"

#include "platform/text_file.h"

void readWorksheetList(TextInput& file, WorksheetList& list)
{
    const int n = fieldToInt(readfield(file));
    if (n < 0)
        throw ReadFailure("negative worksheet count");
    list.count = n;
    for (int i = 1; i <= n; ++i)
        list.store(i, readfield(file));
}

bool readWorksheetListFile(const QString& absolutePath, WorksheetList& list)
{
    TextInput file;
    if (absolutePath.isEmpty() || !file.open(absolutePath))
        return false;
    try {
        readWorksheetList(file, list);
    } catch (const ReadFailure&) {
        file.close();
        return false;
    }
    file.close();
    return true;
}

QStringList trackingFileLines(const WorksheetList& list, int count)
{
    QStringList lines;
    lines << QStringLiteral(" %1 ").arg(count);
    for (int i = 1; i <= count && i <= WorksheetList::maxTitles; ++i)
        lines << list.titles[i];
    return lines;
}
