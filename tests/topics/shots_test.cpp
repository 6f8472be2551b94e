// Pictures of every topic for a person to look at: its hub, its pages, a quiz question, both
// activities fresh and solved, and the printed Key Facts page as a PDF. Written only when
// CORVANA_SHOTS_DIR names a folder; CORVANA_SHOTS_DATA may name another data folder and
// CORVANA_SHOTS_TOPIC one topic folder.
#include "activities/activity_screen.h"
#include "topics/paged_reader.h"
#include "topics/topic_catalogue.h"
#include "topics/topic_hub.h"

#include "test_app.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void save(QWidget* w, const QString& path) { EXPECT_TRUE(w->grab().save(path)) << path.toStdString(); }

void solve(activity::ActivityScreen& s)
{
    const activity::ActivityLayout& layout = s.layout();
    for (int i = 0; i < layout.count(); ++i) {
        activity::AnswerLabel* label = s.answerLabel(i);
        const activity::ItemRow& row = layout.items[static_cast<size_t>(i)];
        const QPoint pointer(display::toPixels(row.targetLeft + layout.labelWidth / 2),
                             display::toPixels(row.targetTop + layout.labelHeight / 2));
        QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
        QTest::mouseMove(label, label->mapFrom(&s, pointer));
        QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, label->mapFrom(&s, pointer));
    }
    EXPECT_EQ(s.engine().score(), layout.count()) << layout.name.toStdString();
}

// The print copy as the reader prints it: 1000 twips in from the page's corner.
void printToPdf(const Picture& page, const QString& path)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(1200);
    QPainter p(&pdf);
    const double scale = 1200.0 / 1440.0;
    const QSizeF size = page.sizeTwips() * scale;
    page.draw(p, QRectF(1000 * scale, 1000 * scale, size.width(), size.height()));
}

} // namespace

TEST(TopicShots, EveryTopicsScreensAndPrintedPage)
{
    const QString dir = qEnvironmentVariable("CORVANA_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "set CORVANA_SHOTS_DIR to write screenshots";
    QDir().mkpath(dir);
    const QString data = qEnvironmentVariable("CORVANA_SHOTS_DATA", testDataDir());
    const QString only = qEnvironmentVariable("CORVANA_SHOTS_TOPIC");
    TestApp t(data);
    for (const QString& e : t.state.topics->errors())
        ADD_FAILURE() << e.toStdString();
    for (const auto& topic : t.state.topics->topics()) {
        if (!only.isEmpty() && topic->folderName != only)
            continue;
        const QString stem = dir + QLatin1Char('/') + topic->folderName;
        openTopicHub(t.app, *topic);
        auto* hub = qobject_cast<TopicHub*>(t.screens.find(topic->hub.screen));
        ASSERT_NE(hub, nullptr);
        save(hub, stem + QStringLiteral("_hub.png"));

        for (const auto& [action, name] : {std::pair{TopicHub::KeyFacts, "keyfacts"}, {TopicHub::TeachersNotes, "notes"}}) {
            hub->buttonAction(action);
            auto* reader = t.screens.find<PagedReader>();
            ASSERT_NE(reader, nullptr);
            const int pages = reader->handOff().readerPageCount;
            for (int page = 1; page <= pages; ++page) {
                save(reader, stem + QStringLiteral("_%1%2.png").arg(QString::fromLatin1(name)).arg(page));
                if (action == TopicHub::KeyFacts && page == 1)
                    printToPdf(reader->printImage()->picture(), stem + QStringLiteral("_keyfacts_print.pdf"));
                if (page < pages)
                    reader->buttonAction(PagedReader::NextPage);
            }
            t.screens.close(*reader);
        }

        hub->buttonAction(TopicHub::MultipleChoice);
        Screen* quiz = t.screens.find(QStringLiteral("multiple"));
        ASSERT_NE(quiz, nullptr) << topic->folderName.toStdString();
        save(quiz, stem + QStringLiteral("_quiz.png"));
        t.screens.close(*quiz);

        for (const auto& [action, name] : {std::pair{TopicHub::Labelling, "activity1"}, {TopicHub::Ordering, "activity2"}}) {
            hub->buttonAction(action);
            const QString screenName = topic->hub.activities.at(TopicHub::activityAt(action)).screen;
            auto* s = qobject_cast<activity::ActivityScreen*>(t.screens.find(screenName));
            ASSERT_NE(s, nullptr);
            save(s, stem + QStringLiteral("_%1_fresh.png").arg(QString::fromLatin1(name)));
            solve(*s);
            save(s, stem + QStringLiteral("_%1_solved.png").arg(QString::fromLatin1(name)));
            t.screens.close(*s);
        }
        t.screens.close(*hub);
        TestApp::settle();
    }
    if (!only.isEmpty())
        return;
    // The pages about the program, as the reader shows them.
    for (const char* page : {"guide1", "guide2", "guide3", "guide4", "introduction", "acknowledgments"}) {
        const Picture picture = t.pictures.load(QStringLiteral("wmf\\%1.wmf").arg(QString::fromLatin1(page)));
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(ui::frameColour);
        QPainter p(&image);
        picture.draw(p, QRectF(QPointF(8, 0), QSizeF(picture.sizePixels())));
        p.end();
        EXPECT_TRUE(image.save(dir + QStringLiteral("/%1.png").arg(QString::fromLatin1(page))));
    }
}
