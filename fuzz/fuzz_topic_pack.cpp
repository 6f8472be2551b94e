// Fuzz target: a built topic's packed form as the cache keeps it. Whatever reads back must write
// out and read back the same again, byte for byte.
#include "content/topic_pack.h"

#include <QByteArray>
#include <QIODevice>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QDataStream in(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    const std::optional<TopicFile> topic = topics::unpack(in);
    if (!topic)
        return 0;
    const auto packed = [](const TopicFile& t) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        topics::pack(out, t);
        return bytes;
    };
    const QByteArray again = packed(*topic);
    QDataStream back(again);
    const std::optional<TopicFile> second = topics::unpack(back);
    if (!second || packed(*second) != again)
        std::abort();
    return 0;
}
