// Fuzz target: a topic shared as one ZIP file, read entirely in memory and checked before
// anything is written. Whatever the bytes, what the reader lets through stays inside one
// topic folder and within the limits.
#include "content/content_text.h"
#include "content/topic_archive.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto read = topicfiles::readArchive(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!read.ok()) {
        if (!read.topic.files.isEmpty())
            std::abort(); // a refusal hands nothing on to be written
        return 0;
    }
    if (!content::fileNameProblem(read.topic.folder).isEmpty() || !read.topic.file(QStringLiteral("topic.txt")))
        std::abort();
    qint64 total = 0;
    if (read.topic.files.size() > topicfiles::maxFiles)
        std::abort();
    for (const auto& [name, bytes] : read.topic.files) {
        if (!content::fileNameProblem(name).isEmpty() || bytes.size() > topicfiles::maxFileBytes)
            std::abort();
        total += bytes.size();
    }
    if (total > topicfiles::maxTotalBytes)
        std::abort();
    return 0;
}
