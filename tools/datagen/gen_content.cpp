// The topics of content/: descriptions, activities, question sets, pages and pictures.
#include "content_build.h"
#include "generator.h"

CORVANA_GENERATOR(content)
{
    if (!datagen::contentRoot().isEmpty())
        contentbuild::build(datagen::contentRoot(), out, datagen::contentTopics());
}
