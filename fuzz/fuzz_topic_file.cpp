// Fuzz target: a topic's content file and the activity files it names. The input holds
// the texts parted by form feeds: topic.txt, then each activity file in the order read.
#include "content/topic_file.h"
#include "platform/cp1252.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = cp1252::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QStringList parts = text.split(QLatin1Char('\f'));
    int reads = 0;
    const ReadTopicFile read = [&](const QString&) -> std::optional<QString> {
        const int i = ++reads;
        if (i >= parts.size())
            return std::nullopt;
        return parts[i];
    };
    std::optional<ContentError> error;
    const auto topic = topics::parseTopicFile(parts[0], QStringLiteral("t/topic.txt"), QStringLiteral("t"), read, error);
    if (topic.has_value() == error.has_value())
        std::abort();
    if (topic) {
        // Names that become file names hold no folder parts.
        for (const QString& name : {topic->hub.title, topic->hub.keyFacts.pageSet, topic->hub.teachersNotes.pageSet})
            if (!content::fileNameProblem(name).isEmpty())
                std::abort();
        if (topics::clash(*topic, *topic).isEmpty())
            std::abort(); // a topic always clashes with itself
    }
    return 0;
}
