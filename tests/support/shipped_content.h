// The shipped topics' descriptions, read once from the build's data folder: for the checks
// that every shipped topic must pass.
#pragma once

#include "topics/topic_catalogue.h"

const TopicCatalogue& shippedTopics();
