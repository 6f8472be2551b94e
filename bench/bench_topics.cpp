// Start-up to the title screen with topics read at run time: the shipped topics alone (as a
// school without its own topics starts), and with 40 more in the teacher's folder, once with
// their built files in the cache and once with an empty cache.
#include "bench_main.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

constexpr int extraTopics = 40;

// Copies of a shipped topic with their own titles and screen names and no menu entry: they go
// on the menu's further pages.
void writeExtraTopics(const QString& mine)
{
    const QString source = QStringLiteral(CORVANA_CONTENT_DIR "/parts-of-the-body");
    for (int n = 1; n <= extraTopics; ++n) {
        const QString folder = QStringLiteral("%1/extra-%2").arg(mine).arg(n);
        QDir().mkpath(folder);
        const QString title = QStringLiteral("Extra Topic %1").arg(n);
        for (const QString& name : QDir(source).entryList(QDir::Files)) {
            QFile in(source + QLatin1Char('/') + name);
            in.open(QIODevice::ReadOnly);
            QString text = QString::fromLatin1(in.readAll());
            if (name == QLatin1String("topic.txt")) {
                text.replace(QRegularExpression(QStringLiteral("(?m)^title:.*$")), QStringLiteral("title: ") + title);
                text.replace(QRegularExpression(QStringLiteral("(?m)^hub screen:.*$")),
                             QStringLiteral("hub screen: extra%1").arg(n));
                text.remove(QRegularExpression(QStringLiteral("(?m)^menu entry:.*$")));
            } else if (name == QLatin1String("questions.txt")) {
                text.replace(QRegularExpression(QStringLiteral("^[^\r\n]*")), title);
            }
            text.replace(QRegularExpression(QStringLiteral("(?m)^screen: *(\\w+)")),
                         QStringLiteral("screen: x%1\\1").arg(n));
            QFile out(folder + QLatin1Char('/') + name);
            out.open(QIODevice::WriteOnly);
            out.write(text.toLatin1());
        }
    }
}

struct Home {
    QTemporaryDir dir;
    QString data() const { return dir.filePath(QStringLiteral("data")); }
    QString cache() const { return dir.filePath(QStringLiteral("cache")); }
};

// One start to the title screen with the home's folders; the seconds until the title is up, not
// until the process has also torn everything down again.
double startOnce(const Home& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home.data());
    env.insert("XDG_CACHE_HOME", home.cache());
    env.remove("CORVANA_SCHOOL_TOPICS");
    return ::startOnce(env).toTitle;
}

void BM_StartShippedTopicsOnly(benchmark::State& state)
{
    Home home;
    startOnce(home);
    for (auto _ : state)
        state.SetIterationTime(startOnce(home));
}
BENCHMARK(BM_StartShippedTopicsOnly)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Taken in turn with starts of the shipped topics only, so that a machine that slows down or
// speeds up meanwhile affects both alike: "ratio" is the median warm start over the median
// shipped-only start.
void BM_StartWith40TopicsWarmCache(benchmark::State& state)
{
    Home home, plain;
    writeExtraTopics(home.data() + QStringLiteral("/corvana/topics"));
    startOnce(home);
    startOnce(plain);
    std::vector<double> warm, shipped;
    for (auto _ : state) {
        shipped.push_back(startOnce(plain));
        warm.push_back(startOnce(home));
        state.SetIterationTime(warm.back());
    }
    state.counters["shipped_only_ms"] = median(shipped) * 1e3;
    state.counters["ratio"] = median(warm) / median(shipped);
    state.counters["cache_entries"] = QDir(home.cache() + QStringLiteral("/corvana/topics")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}
BENCHMARK(BM_StartWith40TopicsWarmCache)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_StartWith40TopicsColdCache(benchmark::State& state)
{
    Home home;
    writeExtraTopics(home.data() + QStringLiteral("/corvana/topics"));
    for (auto _ : state) {
        QDir(home.cache()).removeRecursively();
        state.SetIterationTime(startOnce(home));
    }
}
BENCHMARK(BM_StartWith40TopicsColdCache)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
