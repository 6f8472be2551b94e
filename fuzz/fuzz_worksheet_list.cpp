// Fuzz target: the worksheet list (tracking file) reader on the bytes of a file.
#include "platform/text_file.h"
#include "worksheets/tracking_file.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TextInput file(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    WorksheetList list;
    try {
        readWorksheetList(file, list);
        // A list that reads has no more titles than it has slots for.
        if (list.count < 0 || list.count > WorksheetList::maxTitles)
            std::abort();
    } catch (const ReadFailure&) {
    }
    return 0;
}
