// A topic as the program holds it once read, written out and read back without parsing. Each
// built topic in the cache keeps one, so that a start with nothing changed reads one small file
// per topic instead of its description and every activity file again.
#pragma once

#include "topic_file.h"

#include <QDataStream>

#include <optional>

namespace topics {

void pack(QDataStream& out, const TopicFile& topic);
// nullopt when the bytes are not a whole topic written by pack(): a damaged or foreign file is
// read no further than its own length and never allocates more than it holds.
std::optional<TopicFile> unpack(QDataStream& in);

} // namespace topics
