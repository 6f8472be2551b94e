#include "shipped_content.h"

#include "test_app.h"

#include "platform/data_folder.h"

#include <cstdio>

const TopicCatalogue& shippedTopics()
{
    static const TopicCatalogue catalogue = [] {
        const DataFolder files(testDataDir(), QString());
        TopicCatalogue c = TopicCatalogue::load(files);
        for (const QString& e : c.errors())
            std::fprintf(stderr, "shipped content: %s\n", qPrintable(e));
        return c;
    }();
    return catalogue;
}
