// The topics of content/: descriptions, activities, question sets, pages and pictures.
#include "pages/content_build.h"
#include "generator.h"

CORVANA_GENERATOR(content)
{
    if (!datagen::contentRoot().isEmpty())
        contentbuild::build(datagen::contentRoot(), out.writer(), datagen::contentTopics());
}
