// The copies of topic folders a teacher makes ("New Topic", "Mend a Copy"): a free folder name
// and a new title for a copy, before it is written.
#pragma once

#include "content/topic_archive.h"

#include <QStringList>

namespace topicfiles {

// Gives a topic a new title: the "title:" (and any "menu caption:") line of topic.txt and the
// first line of its question set, which must match. Returns what stood in the way, or empty.
QString retitle(TopicFiles& topic, const QString& title);

// A folder name for a title ("Liver and Kidneys" gives "liver-and-kidneys"), not one of taken.
QString folderNameFor(const QString& title, const QStringList& taken);

} // namespace topicfiles
