// Writes every generated media file of Corvana into the folder given as the argument.
// Usage: datagen OUTPUT_FOLDER [--content CONTENT_FOLDER] [--topic NAME]... [GENERATOR_NAME...]
#include "generator.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // fonts and painting need a GUI application
    if (argc < 2) {
        std::fprintf(stderr, "usage: datagen OUTPUT_FOLDER [--content FOLDER] [--topic NAME]... [GENERATOR...]\n");
        return 2;
    }
    const datagen::Output out(QString::fromLocal8Bit(argv[1]));
    QStringList only;
    for (int i = 2; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if ((arg == QLatin1String("--content") || arg == QLatin1String("--topic")) && i + 1 < argc) {
            const QString value = QString::fromLocal8Bit(argv[++i]);
            if (arg == QLatin1String("--content"))
                datagen::contentRoot() = value;
            else
                datagen::contentTopics() << value;
        } else {
            only << arg;
        }
    }
    int failures = 0;
    for (const auto& g : datagen::generators()) {
        if (!only.isEmpty() && !only.contains(QString::fromLatin1(g.name)))
            continue;
        try {
            g.run(out);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "datagen: %s failed: %s\n", g.name, e.what());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
