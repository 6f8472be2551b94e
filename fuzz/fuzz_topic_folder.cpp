// Fuzz target: a whole topic folder as the program reads one from a teacher's or school folder
// at run time, checked and built into a cache folder. The input holds the folder's files parted
// by form feeds: topic.txt, questions.txt, key-facts.md, notes.md, labelling.txt, ordering.txt
// and picture.svg.
#include "gui_app.h"
#include "pages/content_build.h"

#include "platform/data_folder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <iterator>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startGuiApplication("fuzz_topic_folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* names[] = {"topic.txt",     "questions.txt", "key-facts.md", "notes.md",
                                  "labelling.txt", "ordering.txt",  "picture.svg"};
    static QTemporaryDir source, cache;
    const QString folder = source.path() + QStringLiteral("/topic");
    QDir(folder).removeRecursively();
    QDir(cache.path()).removeRecursively();
    QDir().mkpath(folder);
    QDir().mkpath(cache.path());
    const QList<QByteArray> parts = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\f');
    for (qsizetype i = 0; i < parts.size() && i < qsizetype(std::size(names)); ++i) {
        QFile f(folder + QLatin1Char('/') + QLatin1String(names[i]));
        if (f.open(QIODevice::WriteOnly))
            f.write(parts[i]);
    }
    int written = 0;
    const contentbuild::WriteFile write = [&](const QString& relative, const QByteArray& bytes) {
        // Every built file lands inside the cache folder.
        const QStringList where = DataFolder::components(relative);
        if (where.isEmpty())
            std::abort();
        const QString path = cache.path() + QLatin1Char('/') + where.join(QLatin1Char('/'));
        QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        ++written;
    };
    // Never throws: every mistake is returned, named in the topic's folder.
    const contentbuild::TopicBuild built = contentbuild::buildTopic(folder, QStringLiteral("topic"), QStringLiteral("topic"), write);
    for (const ContentError& e : built.mistakes)
        if (!e.file.startsWith(QLatin1String("topic/")) || e.message.isEmpty())
            std::abort();
    if (built.mistakes.isEmpty() && (!built.topic || written == 0))
        std::abort();
    return 0;
}
