// Pictures of the four screens for a person to look at: fresh, half-way through a drag, and
// solved. Written only when CORVANA_SHOTS_DIR names a folder.
#include "test_topics.h"
#include "activities/activity_screen.h"
#include "activities/open_activity.h"

#include "test_app.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace activity;

TEST(ActivityShots, FreshMidDragAndSolved)
{
    const QString dir = qEnvironmentVariable("CORVANA_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "set CORVANA_SHOTS_DIR to write screenshots";
    QDir().mkpath(dir);
    TestApp t{fixtureDataDir()};
    const std::pair<const ActivityLayout*, const char*> screens[] = {
        {&boneslab, "Bones"}, {&partslab, "Parts of the Body"}, {&partsord, "Parts of the Body"}, {&bonesord, "Bones"}};
    for (const auto& [layout, title] : screens) {
        openActivity(t.app, layout->name, QString::fromLatin1(title));
        auto* s = qobject_cast<ActivityScreen*>(t.screens.find(layout->name));
        ASSERT_NE(s, nullptr);
        const QString stem = dir + QLatin1Char('/') + layout->name;
        EXPECT_TRUE(s->grab().save(stem + QStringLiteral("_fresh.png")));

        // Every label into its own box, the last one held half-way over the screen.
        for (int i = 0; i < layout->count(); ++i) {
            AnswerLabel* label = s->answerLabel(i);
            const ItemRow& row = layout->items[static_cast<size_t>(i)];
            const QPoint pointer(display::toPixels(row.targetLeft + layout->labelWidth / 2),
                                 display::toPixels(row.targetTop + layout->labelHeight / 2));
            QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
            if (i == 0) {
                const QPoint halfway = (label->geometry().center() + pointer) / 2;
                QTest::mouseMove(label, label->mapFrom(s, halfway));
                EXPECT_TRUE(s->grab().save(stem + QStringLiteral("_dragging.png")));
            }
            QTest::mouseMove(label, label->mapFrom(s, pointer));
            QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, label->mapFrom(s, pointer));
        }
        EXPECT_EQ(s->engine().score(), layout->count());
        EXPECT_TRUE(s->grab().save(stem + QStringLiteral("_solved.png")));
    }
}
