// Topics made of content folders: a new topic needs no code, a mistake in one stops the build
// naming its file and line, and the shipped topics are complete.
#include "content_build.h"

#include "activities/activity_screen.h"
#include "menu/main_menu.h"
#include "topics/paged_reader.h"
#include "topics/topic_hub.h"
#include "worksheets/question_set.h"

#include "shipped_content.h"
#include "test_app.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using Files = std::map<QString, QByteArray>;

QByteArray questionSet(const QString& title)
{
    QStringList lines{title, QStringLiteral(" ")};
    for (int q = 1; q <= 10; ++q) {
        lines << QStringLiteral("Which part is number %1?").arg(q);
        for (int k = 1; k <= 4; ++k)
            lines << QStringLiteral("Part %1%2").arg(q).arg(QChar(u'a' + k - 1));
        lines << QString::number((q - 1) % 4 + 1) << QStringLiteral(" ");
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

// A small topic as a teacher might write it: its own pictures, pages, questions and activities.
Files lungsTopic()
{
    return {
        {"topic.txt", "title: Lungs\nmenu entry: 5\nhub picture: lungs.svg at centre, 840\n"
                      "quiz picture: lungs.svg\nquestions: questions.txt\nkey facts: key-facts.md\n"
                      "teacher's notes: notes.md\nlabelling activity: labelling.txt\n"
                      "ordering activity: sorting.txt\nordering button: Sorting Activity\n"},
        {"lungs.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='200' viewBox='0 0 200 200'>"
                      "<rect id='left' x='20' y='20' width='60' height='100' fill='#e88'/>"
                      "<rect id='right' x='120' y='20' width='60' height='100' fill='#e88'/>"
                      "<text x='100' y='180' font-family='Arial' font-size='16'>lungs</text></svg>"},
        {"key-facts.md", "# Key Facts: Lungs\n\n![Two lungs](lungs.svg \"0/6600\")\n\n<!-- screen column -->\n\n"
                         "- You have two lungs.\n- **Air**: goes in and out.\n"},
        {"notes.md", "# Teacher's Notes: Lungs (1 of 2)\n\n## Aims\n\nBreathing.\n\n"
                     "# Teacher's Notes: Lungs (2 of 2)\n\n- More.\n"},
        {"questions.txt", questionSet(QStringLiteral("Lungs"))},
        {"labelling.txt", "screen: lungslab\npicture: lungs.svg at 6000, 600\nlabel size: 1485 x 375\n"
                          "scoring: by item\n"
                          "item: Left lung | home 480, 3000 | target 3600, 1440\n"
                          "item: Right lung | home 480, 3600 | target 3600, 2400\n"
                          "line: 5100, 1620 - 6750, 1650 | to left\n"
                          "line: 5100, 2580 - 8250, 1650 | to right\n"
                          "text Label6: 0, 120, 4785 x 825 | Times New Roman 24 | yellow | centre |\n"},
        {"sorting.txt", "screen: lungsort\nlabel size: 1845 x 375\nscoring: by group\n"
                        "item: Air | home 600, 6600 | target 3120, 3240 | group in\n"
                        "item: Smoke | home 3000, 6600 | target 6960, 3240 | group out\n"
                        "text Label6: 0, 120, 3465 x 1305 | Times New Roman 27.75 | yellow | centre |\n"},
    };
}

void writeTopic(const QString& root, const QString& folder, const Files& files)
{
    QDir().mkpath(root + QLatin1Char('/') + folder);
    for (const auto& [name, bytes] : files) {
        QFile f(root + QLatin1Char('/') + folder + QLatin1Char('/') + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
}

void drag(activity::ActivityScreen& s, int i, float left, float top)
{
    activity::AnswerLabel* label = s.answerLabel(i);
    const QPoint pointer(twips::toPixels(left + s.layout().labelWidth / 2),
                         twips::toPixels(top + s.layout().labelHeight / 2));
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
    QTest::mouseMove(label, label->mapFrom(&s, pointer));
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, label->mapFrom(&s, pointer));
}

} // namespace

TEST(TopicContent, ATopicFolderMadeOutsideTheCodeWorksFromMenuToActivities)
{
    QTemporaryDir content, data;
    writeTopic(content.path(), QStringLiteral("lungs"), lungsTopic());
    contentbuild::build(content.path(), datagen::Output(data.path()));

    TestApp t(data.path());
    ASSERT_TRUE(t.state.topics->errors().isEmpty()) << t.state.topics->errors().join('\n').toStdString();
    EXPECT_EQ(t.state.topicTitles, QStringList{"Lungs"});
    auto& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    menu.entryAction(5);
    auto* hub = qobject_cast<TopicHub*>(t.screens.find(QStringLiteral("lungs")));
    ASSERT_NE(hub, nullptr);
    EXPECT_EQ(hub->item<QLabel>("Label1")->text(), "Lungs");
    EXPECT_EQ(hub->button("label3", TopicHub::Ordering)->text(), "Sorting Activity");
    // The SVG picture at its own size, centred: 200 units are 3000 twips.
    EXPECT_EQ(hub->image()->picture().sizeTwips(), QSizeF(3000, 3000));
    EXPECT_EQ(hub->image()->pos(), QPoint(twips::toPixels(4500), twips::toPixels(840)));

    hub->buttonAction(TopicHub::TeachersNotes);
    auto* reader = t.screens.find<PagedReader>();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(t.state.reader.readerPageCount, 2);
    EXPECT_FALSE(reader->printImage()->picture().isNull());
    t.screens.close(*reader);

    hub->buttonAction(TopicHub::MultipleChoice);
    ASSERT_TRUE(t.screens.isLoaded("multiple"));
    EXPECT_EQ(t.state.currentSet.question(10).options[4], "Part 10d");
    t.screens.close(*t.screens.find("multiple"));

    hub->buttonAction(TopicHub::Labelling);
    auto* lab = qobject_cast<activity::ActivityScreen*>(t.screens.find(QStringLiteral("lungslab")));
    ASSERT_NE(lab, nullptr);
    EXPECT_EQ(lab->item<QLabel>("Label6")->text(), "Lungs");
    drag(*lab, 0, 3600, 2400); // each in the other's box
    drag(*lab, 1, 3600, 1440);
    EXPECT_EQ(lab->engine().score(), 0);
    drag(*lab, 0, 3600, 1440);
    drag(*lab, 1, 3600, 2400);
    EXPECT_EQ(lab->engine().score(), 2);
    t.screens.close(*lab);

    hub->buttonAction(TopicHub::Ordering);
    auto* sort = qobject_cast<activity::ActivityScreen*>(t.screens.find(QStringLiteral("lungsort")));
    ASSERT_NE(sort, nullptr);
    EXPECT_EQ(sort->layout().count(), 2);
    drag(*sort, 0, 3120, 3240);
    drag(*sort, 1, 6960, 3240);
    EXPECT_EQ(sort->engine().score(), 2);
    EXPECT_TRUE(t.messages.shown.isEmpty());
}

TEST(TopicContent, AMistakeStopsTheBuildNamingItsFileAndLine)
{
    struct Case {
        const char* file;
        std::function<void(QByteArray&)> change;
        const char* expected;
    };
    const Case cases[] = {
        {"key-facts.md", [](QByteArray& b) { b.replace("lungs.svg", "missing.svg"); }, "key-facts.md:3: "},
        {"questions.txt", [](QByteArray& b) { b.chop(b.size() - b.lastIndexOf("\r\n", b.size() - 3) - 2); },
         "questions.txt:72: "},
        {"questions.txt", [](QByteArray& b) { b.replace("\r\n1\r\n", "\r\n5\r\n"); }, "questions.txt:8: "},
        {"questions.txt", [](QByteArray& b) { b.replace("Part 1a", "Part 1, a"); }, "questions.txt:4: "},
        {"labelling.txt", [](QByteArray& b) { b.replace("target 3600, 2400", "target 11000, 2400"); },
         "labelling.txt:6: "},
        {"labelling.txt", [](QByteArray& b) { b.replace("| home 480, 3600 | target 3600, 2400", "| home 480, 3600"); },
         "labelling.txt:6: "},
        {"labelling.txt", [](QByteArray& b) { b.replace("8250, 1650 | to right", "7500, 1650 | to right"); },
         "labelling.txt:8: "},
        {"labelling.txt", [](QByteArray& b) { b.replace("to right", "to middle"); }, "labelling.txt:8: "},
        {"labelling.txt", [](QByteArray& b) { b.replace("scoring: by item\n", "scoring: by item\nwhere: the top\n"); },
         "labelling.txt:5: "},
        {"topic.txt", [](QByteArray& b) { b.replace("menu entry: 5", "menu entry: 11"); }, "topic.txt:2: "},
        {"topic.txt", [](QByteArray& b) { b.replace("menu entry: 5", "menu entry: 16"); }, "topic.txt:2: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        QTemporaryDir content, data;
        Files files = lungsTopic();
        c.change(files[QString::fromLatin1(c.file)]);
        writeTopic(content.path(), QStringLiteral("lungs"), files);
        // A second topic already holds menu entry 11.
        Files other = lungsTopic();
        other["topic.txt"].replace("title: Lungs", "title: Other").replace("menu entry: 5", "menu entry: 11");
        other["labelling.txt"].replace("lungslab", "otherlab");
        other["sorting.txt"].replace("lungsort", "othersort");
        other["questions.txt"] = questionSet(QStringLiteral("Other"));
        writeTopic(content.path(), QStringLiteral("a-other"), other);
        try {
            contentbuild::build(content.path(), datagen::Output(data.path()));
            ADD_FAILURE() << "the build went on";
        } catch (const contentbuild::ContentFailure& e) {
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(QString::fromLatin1(c.file) + QLatin1Char(':')))
                << e.what();
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(QLatin1String(c.expected))) << e.what();
        }
    }
}

TEST(TopicContent, ShippedTopicsAreCompleteAndTheirAnswersSpreadOverAToD)
{
    const TopicCatalogue& topics = shippedTopics();
    EXPECT_TRUE(topics.errors().isEmpty()) << topics.errors().join('\n').toStdString();
    for (const auto& topic : topics.topics()) {
        SCOPED_TRACE(topic->folderName.toStdString());
        QuestionSet set;
        ASSERT_TRUE(loadQuestionSetFile(DataFolder(testDataDir(), QString()).resolve(
                                            QString::fromUtf8(topic->hub.questionSetFile)),
                                        set));
        EXPECT_EQ(set.title, QString::fromUtf8(topic->hub.title));
        int answers[5] = {};
        for (int q = 1; q <= 10; ++q) {
            ++answers[correctOption(set.question(q))];
            for (int k = 1; k <= 4; ++k)
                for (int other = k + 1; other <= 4; ++other)
                    EXPECT_NE(set.question(q).options[k], set.question(q).options[other]) << "question " << q;
        }
        for (int k = 1; k <= 4; ++k)
            EXPECT_GE(answers[k], 2) << "answer " << char('A' + k - 1);
        // Every box of a labelling picture says where it points, for pupils who cannot see it.
        for (const ContentError& w : topic->labelling.warnings)
            ADD_FAILURE() << qPrintable(w.toString());
        EXPECT_TRUE(topic->ordering.warnings.empty());
        // Every activity can be completed: no two items share a home box.
        for (const auto* a : {&topic->labelling.layout, &topic->ordering.layout})
            for (size_t i = 0; i < a->items.size(); ++i)
                for (size_t j = i + 1; j < a->items.size(); ++j)
                    EXPECT_FALSE(a->items[i].homeLeft == a->items[j].homeLeft &&
                                 a->items[i].homeTop == a->items[j].homeTop)
                        << a->name << " items " << i << " and " << j;
    }
}
