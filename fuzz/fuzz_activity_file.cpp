// Fuzz target: an activity's content file, as a teacher's copy of a topic may hold it.
#include "content/activity_file.h"
#include "platform/cp1252.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = cp1252::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    std::optional<ContentError> error;
    const auto file = activity::parseActivityFile(text, QStringLiteral("activity.txt"), QStringLiteral("topics\\t"), error);
    if (file.has_value() == error.has_value())
        std::abort(); // either a description or a mistake, never both or neither
    if (file) {
        // What the screen is built from stays within the limits the reader promises.
        const activity::ActivityLayout& a = file->layout;
        if (a.items.size() > content::maxItems || a.texts.size() > content::maxItems || a.lines.size() > content::maxItems)
            std::abort();
        if (!std::isfinite(a.labelWidth) || !std::isfinite(a.labelHeight) || a.labelWidth <= 0)
            std::abort();
        for (const activity::ItemRow& row : a.items)
            if (row.caption.isEmpty() || !std::isfinite(row.homeLeft) || !std::isfinite(row.targetTop))
                std::abort();
    } else if (error->line < 0 || error->toString().isEmpty()) {
        std::abort();
    }
    return 0;
}
