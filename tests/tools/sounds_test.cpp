// The generated sound effects: valid PCM files the program finds by its own paths, at
// gentle and matched levels, of fitting lengths, sounding like their names, and the same
// bytes every time they are generated.
#include "test_app.h"

#include "platform/data_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

enum class Use { Interface, Celebration };

struct Expected {
    const char* path;
    Use use;
    double maxSecs;
};

const Expected kSounds[] = {
    {"wav\\click.wav", Use::Interface, 0.1},     {"wav\\typekey.wav", Use::Interface, 0.2},
    {"wav\\thud3.wav", Use::Interface, 0.4},     {"wav\\fanf2.wav", Use::Celebration, 3},
    {"wav\\fanf3.wav", Use::Celebration, 3},     {"wav\\crowd.wav", Use::Celebration, 3},
    {"wav\\cheer2.wav", Use::Celebration, 3},    {"wav\\klaxon.wav", Use::Celebration, 3},
    {"wav\\flute.wav", Use::Celebration, 3},     {"wav\\gong.wav", Use::Celebration, 3},
    {"wav\\clap2.wav", Use::Celebration, 3},     {"wav\\drumroll.wav", Use::Celebration, 3},
    {"wav\\laser2.wav", Use::Celebration, 3},    {"wav\\whizz.wav", Use::Celebration, 3},
    {"wav\\clap3.wav", Use::Celebration, 3},     {"wav\\clown.wav", Use::Celebration, 3},
};

struct Wave {
    int rate = 0;
    std::vector<double> samples; // -1 .. 1
    double secs() const { return static_cast<double>(samples.size()) / rate; }
};

quint32 le32(const QByteArray& b, int at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
           quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}

quint16 le16(const QByteArray& b, int at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

// Reads a RIFF/WAVE file chunk by chunk; fails the test on anything a player could choke on.
std::optional<Wave> parseWave(const QByteArray& b, const QString& name)
{
    const std::string n = name.toStdString();
    if (b.size() < 44 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") {
        ADD_FAILURE() << n << ": not a RIFF/WAVE file";
        return std::nullopt;
    }
    EXPECT_EQ(le32(b, 4), quint32(b.size() - 8)) << n << ": RIFF size";
    Wave w;
    bool haveFormat = false;
    for (int at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const quint32 size = le32(b, at + 4);
        const int body = at + 8;
        if (id == "fmt ") {
            EXPECT_GE(size, 16u) << n;
            EXPECT_EQ(le16(b, body), 1) << n << ": PCM";
            EXPECT_EQ(le16(b, body + 2), 1) << n << ": mono";
            w.rate = static_cast<int>(le32(b, body + 4));
            EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << n << ": rate " << w.rate;
            EXPECT_EQ(le32(b, body + 8), quint32(w.rate * 2)) << n << ": byte rate";
            EXPECT_EQ(le16(b, body + 12), 2) << n << ": block align";
            EXPECT_EQ(le16(b, body + 14), 16) << n << ": bits";
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || body + qint64(size) != b.size() || size % 2 != 0) {
                ADD_FAILURE() << n << ": data chunk of " << size << " bytes does not fill the "
                              << b.size() - body << " bytes after the header";
                return std::nullopt;
            }
            for (quint32 i = 0; i < size; i += 2)
                w.samples.push_back(qint16(le16(b, body + static_cast<int>(i))) / 32768.0);
            return w;
        }
        at = body + static_cast<int>(size) + static_cast<int>(size % 2);
    }
    ADD_FAILURE() << n << ": no data chunk";
    return std::nullopt;
}

double dbfs(double level)
{
    return 20 * std::log10(std::max(level, 1e-9));
}

double peakDb(const std::vector<double>& s, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    double p = 0;
    for (std::size_t i = from; i < std::min(to, s.size()); ++i)
        p = std::max(p, std::abs(s[i]));
    return dbfs(p);
}

double rmsDb(const std::vector<double>& s, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    to = std::min(to, s.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += s[i] * s[i];
    return dbfs(std::sqrt(sum / std::max<std::size_t>(1, to - from)));
}

// Sign changes per second: a rough measure of pitch for a tone.
double crossingRate(const Wave& w, double fromSecs, double toSecs)
{
    const auto from = static_cast<std::size_t>(fromSecs * w.rate);
    const auto to = std::min(w.samples.size(), static_cast<std::size_t>(toSecs * w.rate));
    int changes = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        changes += (w.samples[i - 1] < 0) != (w.samples[i] < 0);
    return changes / (toSecs - fromSecs);
}

// Centre of gravity of the spectrum of a short stretch (Hann window, plain DFT).
double centroid(const Wave& w, double atSecs)
{
    constexpr int n = 512;
    const auto from = static_cast<std::size_t>(atSecs * w.rate);
    double weighted = 0, total = 0;
    for (int k = 1; k < n / 2; ++k) {
        double re = 0, im = 0;
        for (int i = 0; i < n && from + i < w.samples.size(); ++i) {
            const double x = w.samples[from + i] * (0.5 - 0.5 * std::cos(2 * M_PI * i / n));
            re += x * std::cos(2 * M_PI * k * i / n);
            im -= x * std::sin(2 * M_PI * k * i / n);
        }
        const double power = re * re + im * im;
        weighted += power * k * w.rate / n;
        total += power;
    }
    return total > 0 ? weighted / total : 0;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class GeneratedSounds : public ::testing::Test {
protected:
    // Found the way the program finds them: relative path with backslashes.
    Wave load(const char* relative)
    {
        const QString path = files_.resolve(QString::fromLatin1(relative));
        EXPECT_FALSE(path.isEmpty()) << relative << " is missing";
        const auto w = parseWave(readAll(path), QString::fromLatin1(relative));
        return w ? *w : Wave{};
    }

    QTemporaryDir user_;
    DataFolder files_{testDataDir(), user_.path()};
};

TEST_F(GeneratedSounds, AreMonoSixteenBitPcmOfFittingLengths)
{
    for (const Expected& e : kSounds) {
        SCOPED_TRACE(e.path);
        const Wave w = load(e.path);
        ASSERT_GT(w.rate, 0);
        EXPECT_LE(w.secs(), e.maxSecs);
        EXPECT_GE(w.secs(), e.use == Use::Celebration ? 1.0 : 0.02);
    }
}

TEST_F(GeneratedSounds, LevelsAreGentleMatchedAndFreeOfPops)
{
    for (const Expected& e : kSounds) {
        SCOPED_TRACE(e.path);
        const Wave w = load(e.path);
        ASSERT_FALSE(w.samples.empty());
        const double peak = peakDb(w.samples), rms = rmsDb(w.samples);
        EXPECT_LE(peak, -3.0);
        if (e.use == Use::Celebration) {
            EXPECT_GE(rms, -20.0);
            EXPECT_LE(rms, -14.0);
        } else {
            // Heard after every click: clearly quieter than any celebration.
            EXPECT_LE(peak, -6.0);
            EXPECT_LE(rms, -22.0);
        }
        // Faded at both ends: the first and last few milliseconds are near silence.
        const std::size_t edge = w.rate / 1000;
        EXPECT_LT(peakDb(w.samples, 0, 2), -40.0);
        EXPECT_LT(peakDb(w.samples, w.samples.size() - edge), -40.0);
    }
}

TEST_F(GeneratedSounds, SoundLikeTheirNames)
{
    // The laser's first zap falls in pitch.
    const Wave laser = load("wav\\laser2.wav");
    EXPECT_GT(centroid(laser, 0.01), 2 * centroid(laser, 0.15));

    // The drum roll ends in a hit: its loudest moment lies in the last part.
    const Wave roll = load("wav\\drumroll.wav");
    const std::size_t window = roll.rate / 20;
    std::size_t loudest = 0;
    double best = -200;
    for (std::size_t at = 0; at + window <= roll.samples.size(); at += window / 2) {
        const double r = rmsDb(roll.samples, at, at + window);
        if (r > best) {
            best = r;
            loudest = at;
        }
    }
    EXPECT_GT(static_cast<double>(loudest) / roll.samples.size(), 0.55);

    // The gong rings on, fading, to the end.
    const Wave gong = load("wav\\gong.wav");
    const std::size_t second = gong.rate;
    const double first = rmsDb(gong.samples, 0, second);
    const double late = rmsDb(gong.samples, 2 * second, 2 * second + second / 2);
    EXPECT_GT(first, late + 6);
    EXPECT_GT(late, first - 30);

    // The whizz rises to its highest pitch in the middle and falls again.
    const Wave whizz = load("wav\\whizz.wav");
    const double mid = whizz.secs() / 2;
    EXPECT_GT(crossingRate(whizz, mid - 0.1, mid + 0.1), 2 * crossingRate(whizz, 0.05, 0.25));
    EXPECT_GT(crossingRate(whizz, mid - 0.1, mid + 0.1),
              1.5 * crossingRate(whizz, whizz.secs() - 0.3, whizz.secs() - 0.1));
}

TEST_F(GeneratedSounds, RegeneratingGivesTheSameBytes)
{
    const QString datagen = QDir(testDataDir()).absoluteFilePath(QStringLiteral("../datagen"));
    ASSERT_TRUE(QFile::exists(datagen)) << datagen.toStdString();
    QTemporaryDir out;
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run.setProcessEnvironment(env);
    run.start(datagen, {out.path(), QStringLiteral("sounds")});
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    for (const Expected& e : kSounds) {
        SCOPED_TRACE(e.path);
        const QString rel = QString::fromLatin1(e.path).replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QByteArray again = readAll(out.path() + QLatin1Char('/') + rel);
        ASSERT_FALSE(again.isEmpty());
        EXPECT_TRUE(again == readAll(files_.resolve(rel)));
    }
}

} // namespace
