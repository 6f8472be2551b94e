// The generated pictures and animation frames: present under the names the screens ask for,
// decodable at the sizes the layouts expect, blending into their boxes, looping smoothly,
// and the same bytes on every run.
#include "platform/data_folder.h"
#include "platform/pictures.h"
#include "shell/animation_frames.h"
#include "test_app.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <vector>

namespace {

const QColor kScreenBlue(39, 63, 137);

QString onDisk(const QString& relative)
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return testDataDir() + QLatin1Char('/') + rel;
}

struct Decoded {
    QImage image;
    QByteArray format;
};

// Reads a file by its exact on-disk name, as a case-sensitive file system would.
Decoded decode(const QString& relative)
{
    QImageReader reader(onDisk(relative));
    reader.setDecideFormatFromContent(true);
    Decoded d;
    d.format = reader.format();
    d.image = reader.read().convertToFormat(QImage::Format_RGB32);
    return d;
}

// Mean absolute difference per colour channel, 0..255.
double difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(la[x]) - qRed(lb[x])) + std::abs(qGreen(la[x]) - qGreen(lb[x]))
                   + std::abs(qBlue(la[x]) - qBlue(lb[x]));
    }
    return sum / (3.0 * a.width() * a.height());
}

int colourDistance(QRgb c, const QColor& want)
{
    return std::max({std::abs(qRed(c) - want.red()), std::abs(qGreen(c) - want.green()),
                     std::abs(qBlue(c) - want.blue())});
}

// The largest distance from `want` of any pixel on the picture's outer edge.
int worstEdge(const QImage& img, const QColor& want)
{
    int worst = 0;
    for (int x = 0; x < img.width(); ++x)
        worst = std::max({worst, colourDistance(img.pixel(x, 0), want),
                          colourDistance(img.pixel(x, img.height() - 1), want)});
    for (int y = 0; y < img.height(); ++y)
        worst = std::max({worst, colourDistance(img.pixel(0, y), want),
                          colourDistance(img.pixel(img.width() - 1, y), want)});
    return worst;
}

struct Animation {
    const char* what;
    std::function<QString(int)> name;
    int count;
    QSize size;
    QByteArray format;
};

std::vector<Animation> animations()
{
    return {
        {"brain", animation_frames::brain, animation_frames::brainCount, {320, 240}, "jpeg"},
        {"skull", animation_frames::skull, animation_frames::skullCount, {360, 400}, "jpeg"},
        {"logo", animation_frames::logo, animation_frames::logoCount, {120, 120}, "gif"},
    };
}

std::vector<QImage> loadAll(const Animation& a)
{
    std::vector<QImage> frames;
    for (int i = 0; i < a.count; ++i) {
        const Decoded d = decode(a.name(i));
        EXPECT_EQ(d.format, a.format) << a.name(i).toStdString();
        EXPECT_EQ(d.image.size(), a.size) << a.name(i).toStdString();
        frames.push_back(d.image);
    }
    return frames;
}

} // namespace

TEST(Pictures, AnimationFramesExistUnderTheScreensNamesAtTheirSizes)
{
    DataFolder files(testDataDir(), QString());
    for (const auto& a : animations()) {
        for (int i = 0; i < a.count; ++i) {
            // The exact spelling on disk, so nothing depends on case-insensitive lookup.
            EXPECT_TRUE(QFileInfo::exists(onDisk(a.name(i)))) << a.name(i).toStdString();
            EXPECT_FALSE(files.resolve(a.name(i)).isEmpty()) << a.name(i).toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(onDisk(a.name(a.count)))) << a.what << ": one frame too many";
        const std::vector<QImage> frames = loadAll(a);
        ASSERT_EQ(int(frames.size()), a.count);
        for (const auto& f : frames)
            ASSERT_FALSE(f.isNull()) << a.what;
    }
}

TEST(Pictures, AnimationsMoveEveryFrameAndLoopWithoutAJump)
{
    for (const auto& a : animations()) {
        const std::vector<QImage> frames = loadAll(a);
        ASSERT_EQ(int(frames.size()), a.count);
        std::vector<double> steps;
        for (int i = 0; i + 1 < a.count; ++i) {
            steps.push_back(difference(frames[size_t(i)], frames[size_t(i) + 1]));
            EXPECT_GT(steps.back(), 0.05) << a.what << ": frame " << i << " equals the next";
        }
        std::vector<double> sorted = steps;
        std::sort(sorted.begin(), sorted.end());
        const double typical = sorted[sorted.size() / 2];
        const double wrap = difference(frames.back(), frames.front());
        // The step from the last frame back to the first is an ordinary step.
        EXPECT_LE(wrap, 1.5 * typical) << a.what << ": the loop jumps";
        EXPECT_GT(wrap, 0.05) << a.what << ": the last frame repeats the first, a stutter";
        // ...and the animation does go somewhere in between.
        double farthest = 0;
        for (const auto& f : frames)
            farthest = std::max(farthest, difference(f, frames.front()));
        EXPECT_GT(farthest, 3 * wrap) << a.what << ": hardly moves";
    }
}

TEST(Pictures, StillPicturesHaveTheSizesTheirScreensNeed)
{
    struct Still {
        const char* path;
        QByteArray format;
        QSize size;
    };
    const Still stills[] = {
        {"Images\\skullsm2.jpg", "jpeg", {57, 41}},
        {"Images\\vitruvius2sm.jpg", "jpeg", {57, 41}},
        {"Images\\vitruvius2.jpg", "jpeg", {440, 440}},
        {"logo\\talvory2.bmp", "bmp", {120, 89}},
    };
    for (const auto& s : stills) {
        const Decoded d = decode(QString::fromLatin1(s.path));
        EXPECT_EQ(d.format, s.format) << s.path;
        EXPECT_EQ(d.image.size(), s.size) << s.path;
    }

    // The hubs and quiz ask for some of these with a lowercase folder; one folder serves both.
    DataFolder files(testDataDir(), QString());
    EXPECT_FALSE(files.resolve(QStringLiteral("images\\skullsm2.jpg")).isEmpty());
    EXPECT_FALSE(files.resolve(QStringLiteral("images\\vitruvius2sm.jpg")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(testDataDir() + QStringLiteral("/images")));

    // The layouts: the parts hub puts the figure at top 840 between its title and its
    // buttons at 7920; the bones hub puts the skull at top 1500 above the same buttons.
    TestApp t;
    const QSizeF figure = t.pictures.load(QStringLiteral("Images\\vitruvius2.jpg")).sizeTwips();
    EXPECT_LE(840 + figure.height(), 7920);
    EXPECT_LE(figure.width(), 12000);
    const QSizeF skull = t.pictures.load(animation_frames::skull(0)).sizeTwips();
    EXPECT_LE(1500 + skull.height(), 7920);
    EXPECT_LE(720 + skull.width(), 12000);
    EXPECT_EQ(t.pictures.load(animation_frames::brain(0)).sizeTwips(), QSizeF(4800, 3600));
    EXPECT_EQ(t.pictures.load(animation_frames::logo(0)).sizeTwips(), QSizeF(1800, 1800));
    EXPECT_EQ(t.pictures.load(QStringLiteral("logo\\talvory2.bmp")).sizeTwips(), QSizeF(1800, 1335));
}

TEST(Pictures, PicturesBlendIntoTheBoxesTheyAreShownIn)
{
    // Skull frames and the logo sit straight on the blue screen; the brain is stretched
    // over it on the main menu. JPEG may wander a few levels, GIF and BMP must be exact.
    for (int i : {0, 57, 123, 199})
        EXPECT_LE(worstEdge(decode(animation_frames::skull(i)).image, kScreenBlue), 8) << "skull " << i;
    for (int i : {0, 33, 99}) {
        const QImage brain = decode(animation_frames::brain(i)).image;
        // Corners and the middle of each edge: the glow has faded back to the screen's blue.
        for (QPoint p : {QPoint(0, 0), QPoint(319, 0), QPoint(0, 239), QPoint(319, 239), QPoint(160, 0),
                         QPoint(160, 239), QPoint(0, 120), QPoint(319, 120)})
            EXPECT_LE(colourDistance(brain.pixel(p), kScreenBlue), 10) << "brain " << i;
    }
    for (int i = 0; i < animation_frames::logoCount; ++i)
        EXPECT_EQ(worstEdge(decode(animation_frames::logo(i)).image, kScreenBlue), 0) << "logo " << i;
    EXPECT_EQ(worstEdge(decode(QStringLiteral("logo\\talvory2.bmp")).image, QColor(128, 128, 255)), 0);
    // At 57 x 41 px, JPEG's coarse colour blocks ring a little near the skull's crown.
    EXPECT_LE(worstEdge(decode(QStringLiteral("Images\\skullsm2.jpg")).image, kScreenBlue), 24);
    const QImage figure = decode(QStringLiteral("Images\\vitruvius2.jpg")).image;
    EXPECT_LE(colourDistance(figure.pixel(0, 0), kScreenBlue), 8);
    EXPECT_LE(colourDistance(figure.pixel(439, 439), kScreenBlue), 8);
}

TEST(Pictures, LogoFramesUseARealPaletteDrawnFromThePicture)
{
    // A GIF holds at most 256 colours; a palette built from the picture keeps its gold and
    // its soft edges rather than a handful of flat shades.
    for (int i : {0, 7, 19}) {
        const QImage img = decode(animation_frames::logo(i)).image;
        std::set<QRgb> colours;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                colours.insert(img.pixel(x, y));
        EXPECT_LE(colours.size(), 256u);
        EXPECT_GT(colours.size(), 100u) << "frame " << i;
        // The medallion's face beside the letter is gold: strong red and green, less blue.
        const QRgb face = img.pixel(36, 60);
        EXPECT_GT(qRed(face), 200) << "frame " << i;
        EXPECT_GT(qGreen(face), 150) << "frame " << i;
        EXPECT_GT(qRed(face) - qBlue(face), 40) << "frame " << i;
    }
}

TEST(Pictures, FramesStaySmallOnDisk)
{
    // Hundreds of frames ship with the program and are decoded as they play.
    struct Budget {
        Animation a;
        qint64 maxBytes;
    };
    const auto all = animations();
    const Budget budgets[] = {{all[0], 20 * 1024}, {all[1], 32 * 1024}, {all[2], 16 * 1024}};
    for (const auto& b : budgets) {
        qint64 total = 0;
        for (int i = 0; i < b.a.count; ++i) {
            const qint64 size = QFileInfo(onDisk(b.a.name(i))).size();
            EXPECT_LE(size, b.maxBytes) << b.a.name(i).toStdString();
            total += size;
        }
        EXPECT_LE(total, b.maxBytes * b.a.count * 3 / 4) << b.a.what;
    }
}

namespace {

// Share of the pixels in rect that pass the test.
double share(const QImage& img, const QRect& rect, const std::function<bool(QRgb)>& test)
{
    int hits = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            hits += test(img.pixel(x, y)) ? 1 : 0;
    return double(hits) / (rect.width() * rect.height());
}

bool pinkish(QRgb c) { return qRed(c) > 180 && qRed(c) > qGreen(c) + 40 && qBlue(c) > qGreen(c); }
bool boneWhite(QRgb c) { return qRed(c) > 190 && qGreen(c) > 180 && qBlue(c) > 140 && qRed(c) >= qBlue(c); }
bool parchment(QRgb c) { return qRed(c) > 200 && qGreen(c) > 170 && qBlue(c) < qGreen(c); }
bool brownInk(QRgb c) { return qRed(c) < 170 && qRed(c) > qBlue(c) + 30; }
bool navy(QRgb c) { return qBlue(c) > qRed(c) + 50 && qRed(c) < 90; }

} // namespace

TEST(Pictures, PicturesShowTheirSubject)
{
    // Guards against blank, black or wrongly coloured output: each picture is mostly what
    // it should be where it should be.
    for (int i : {0, 50, 99}) {
        const QImage brain = decode(animation_frames::brain(i)).image;
        EXPECT_GT(share(brain, QRect(100, 60, 120, 80), pinkish), 0.6) << "brain " << i;
    }
    for (int i : {0, 100, 150}) {
        const QImage skull = decode(animation_frames::skull(i)).image;
        EXPECT_GT(share(skull, QRect(100, 40, 160, 80), boneWhite), 0.7) << "skull " << i;
    }
    const QImage figure = decode(QStringLiteral("Images\\vitruvius2.jpg")).image;
    const QRect sheet(20, 20, 400, 400);
    const double paper = share(figure, sheet, parchment), ink = share(figure, sheet, brownInk);
    EXPECT_GT(paper, 0.6);
    EXPECT_GT(ink, 0.01); // the circle, the square and the figure's outline
    EXPECT_LT(ink, 0.2);
    const QImage icon = decode(QStringLiteral("Images\\skullsm2.jpg")).image;
    EXPECT_GT(share(icon, QRect(20, 4, 17, 8), boneWhite), 0.7);
    const QImage small = decode(QStringLiteral("Images\\vitruvius2sm.jpg")).image;
    EXPECT_GT(share(small, QRect(2, 2, 53, 37), parchment), 0.4);
    // The still logo carries the name under the medallion in dark blue letters.
    const QImage still = decode(QStringLiteral("logo\\talvory2.bmp")).image;
    EXPECT_GT(share(still, QRect(10, 64, 100, 20), navy), 0.1);
    EXPECT_GT(share(still, QRect(40, 10, 40, 40), [](QRgb c) { return qRed(c) > 200 && qBlue(c) < 150; }), 0.2);
}

TEST(Pictures, GenerationIsDeterministic)
{
    // Run the generator again into a fresh folder and compare with the build's output.
    const QString datagen = QFileInfo(testDataDir()).absolutePath() + QStringLiteral("/datagen");
    ASSERT_TRUE(QFileInfo::exists(datagen)) << datagen.toStdString();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run.setProcessEnvironment(env);
    run.start(datagen, {out.path(), QStringLiteral("brain_frames"), QStringLiteral("skull_frames"),
                        QStringLiteral("vitruvius"), QStringLiteral("logo")});
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    int compared = 0;
    QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(out.path()).relativeFilePath(path);
        QFile fresh(path), built(testDataDir() + QLatin1Char('/') + relative);
        ASSERT_TRUE(fresh.open(QIODevice::ReadOnly));
        ASSERT_TRUE(built.open(QIODevice::ReadOnly)) << relative.toStdString();
        EXPECT_TRUE(fresh.readAll() == built.readAll()) << relative.toStdString() << " differs";
        ++compared;
    }
    EXPECT_EQ(compared, animation_frames::brainCount + animation_frames::skullCount + animation_frames::logoCount + 4);
}

TEST(Pictures, SharperCopiesForLargeDisplaysShowTheSamePictureAtTwiceTheSize)
{
    QStringList pictures = {"Images\\skullsm2.jpg", "Images\\vitruvius2sm.jpg", "Images\\vitruvius2.jpg",
                            "Images\\skeleton.jpg", "Images\\partsofthebody2.jpg", "logo\\talvory2.bmp"};
    for (int i : {0, 37, 99})
        pictures << animation_frames::brain(i);
    for (int i : {0, 123, 199})
        pictures << animation_frames::skull(i);
    for (int i : {0, 19})
        pictures << animation_frames::logo(i);
    for (const QString& path : pictures) {
        SCOPED_TRACE(path.toStdString());
        const QString twice = path.left(path.lastIndexOf('.')) + "@2x" + path.mid(path.lastIndexOf('.'));
        const Decoded one = decode(path), two = decode(twice);
        EXPECT_EQ(two.format, one.format);
        ASSERT_EQ(two.image.size(), one.image.size() * 2);
        // Shrunk to the ordinary size it is the ordinary picture, give or take the smoothing.
        const QImage shrunk = two.image.scaled(one.image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(difference(shrunk, one.image), 12.0);
    }

    // The brain animation fills much of the title and menu screens: it has a copy four times
    // the size as well, which stays sharp on a 3840 x 2160 display (3.6 times the design).
    for (int i : {0, 37, 99}) {
        SCOPED_TRACE(i);
        const QString path = animation_frames::brain(i);
        const Decoded one = decode(path), four = decode(path.left(path.lastIndexOf('.')) + "@4x.jpg");
        ASSERT_EQ(four.image.size(), one.image.size() * 4);
        EXPECT_LT(difference(four.image.scaled(one.image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                             one.image),
                  12.0);
    }

    // Enlarged screens load the sharper copy at the ordinary size in twips; at 96 dpi the
    // ordinary file is read.
    TestApp t;
    const QSizeF ordinary = t.pictures.load("Images\\skeleton.jpg").sizeTwips();
    EXPECT_EQ(t.pictures.load("Images\\skeleton.jpg").image().width(), 208);
    display::setScale(1.8);
    const Picture sharp = t.pictures.load("Images\\skeleton.jpg");
    display::setScale(1.0);
    EXPECT_EQ(sharp.image().width(), 416);
    EXPECT_EQ(sharp.sizeTwips(), ordinary);
    display::setScale(3.6);
    const Picture brain4k = t.pictures.load(animation_frames::brain(5));
    display::setScale(1.8);
    const Picture brainAt18 = t.pictures.load(animation_frames::brain(5));
    display::setScale(1.0);
    EXPECT_EQ(brain4k.image().width(), 1280);
    EXPECT_EQ(brain4k.sizeTwips(), QSizeF(4800, 3600));
    EXPECT_EQ(brainAt18.image().width(), 640);
}
