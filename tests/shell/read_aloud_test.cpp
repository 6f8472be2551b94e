// "Read to me" on every kind of screen that has it: what would be said, in order, and which
// words are marked while they are said. The speech engine is the recording double.
#include "shell/read_aloud.h"

#include "activities/activity_screen.h"
#include "platform/speech.h"
#include "platform/spoken_text.h"
#include "quiz/open_quiz.h"
#include "quiz/quiz_screen.h"
#include "quiz/results.h"
#include "quiz/results_screen.h"
#include "topics/paged_reader.h"
#include "topics/topic_hub.h"

#include "test_topics.h"
#include "test_app.h"

#include <QApplication>
#include <QFile>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QRect pixels(const QRectF& twipsRect)
{
    return display::rect(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height());
}

// Says everything queued, one text at a time as the engine reports each said.
void listenToTheEnd(TestApp& t)
{
    for (int guard = 0; guard < 500 && t.speech.finish(); ++guard) {
    }
}

void pressKey(QWidget* w) { QTest::keyClick(w, Qt::Key_F5); }

// The bands on the screen that show, in screen pixels.
QList<QRect> visibleBands(Screen& s)
{
    QList<QRect> out;
    for (QWidget* b : s.findChildren<QWidget*>(QStringLiteral("ReadingBand")))
        if (!b->isHidden())
            out << b->geometry();
    return out;
}

// One band, inside the text's box and beneath it, no taller than its words need.
void expectBandBehindWords(Screen& s, QLabel* text)
{
    const QList<QRect> bands = visibleBands(s);
    ASSERT_EQ(bands.size(), 1);
    EXPECT_TRUE(text->geometry().adjusted(-4, -2, 4, 2).contains(bands[0])) << text->objectName().toStdString();
    const int lines = QFontMetrics(text->font()).boundingRect(text->contentsRect(), Qt::TextWordWrap, text->text()).height();
    EXPECT_LE(bands[0].height(), lines + 4);
    EXPECT_TRUE(bands[0].contains(text->geometry().center().x(), bands[0].center().y()));
    const QList<QWidget*> siblings = s.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_LT(siblings.indexOf(s.findChildren<QWidget*>(QStringLiteral("ReadingBand")).first()), siblings.indexOf(text));
}

} // namespace

TEST(ReadAloud, EachScreenSaysItsWordsInOrderAndMarksTheOneBeingSaid)
{
    TestApp t{fixtureDataDir()};
    t.state.soundOn = 1;

    // ---- A Key Facts page: title, then the bullets in the order the page file has them,
    // each sentence marked over the words the page draws.
    touchHub(t, "bones").buttonAction(TopicHub::KeyFacts);
    PagedReader& reader = *t.screens.find<PagedReader>();
    ReadAloud& pageReading = *reader.readAloud();
    ASSERT_FALSE(pageReading.button()->isHidden());
    EXPECT_EQ(pageReading.button()->readerName(), "Read to me (F5)");
    EXPECT_EQ(pageReading.button()->geometry(), pixels(readaloud::buttonPlace));

    pressKey(&reader);
    ASSERT_TRUE(pageReading.isReading());
    const QImage page = reader.image()->grab().toImage();
    const QPoint pageAt = reader.image()->pos();
    int sentences = 0;
    for (; pageReading.isReading() && sentences < 500; t.speech.finish()) {
        ++sentences;
        const QList<QRect> bands = visibleBands(reader);
        ASSERT_FALSE(bands.isEmpty()) << t.speech.said.last().toStdString();
        for (const QRect& band : bands) {
            // Behind the page's words: beneath the picture, over letters drawn light on blue.
            const QRect inPage = band.translated(-pageAt);
            ASSERT_TRUE(page.rect().contains(inPage.adjusted(4, 0, -4, 0))) << t.speech.said.last().toStdString();
            int ink = 0;
            for (int y = inPage.top(); y <= inPage.bottom(); ++y)
                for (int x = std::max(0, inPage.left()); x <= std::min(page.width() - 1, inPage.right()); ++x)
                    ink += qAlpha(page.pixel(x, y)) > 128 && qGreen(page.pixel(x, y)) > 200;
            EXPECT_GT(ink, inPage.width() / 4) << t.speech.said.last().toStdString();
        }
    }
    EXPECT_TRUE(visibleBands(reader).isEmpty());

    QFile markdown(QStringLiteral(CORVANA_SOURCE_DIR) + QStringLiteral("/tests/support/fixtures/bones/key-facts.md"));
    ASSERT_TRUE(markdown.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(markdown.readAll()).split(QLatin1Char('\n'));
    const QString heard = t.speech.said.join(QLatin1Char(' '));
    EXPECT_EQ(t.speech.said.size(), sentences);
    EXPECT_EQ(t.speech.said.first(), lines.filter(QRegularExpression("^# ")).first().mid(2).trimmed());
    qsizetype from = 0;
    for (const QString& line : lines.filter(QRegularExpression("^- "))) {
        const qsizetype at = heard.indexOf(line.mid(2).trimmed(), from);
        EXPECT_GE(at, from) << "not heard in order: " << line.toStdString();
        from = std::max(from, at);
    }
    EXPECT_FALSE(t.speech.said.contains(QStringLiteral("Print")));

    // Pressing again stops at once; so does turning the page.
    pressKey(&reader);
    ASSERT_TRUE(pageReading.isReading());
    const int stops = t.speech.stops;
    QTest::mouseClick(pageReading.button(), Qt::LeftButton);
    EXPECT_FALSE(pageReading.isReading());
    EXPECT_GT(t.speech.stops, stops);
    EXPECT_TRUE(visibleBands(reader).isEmpty());
    EXPECT_FALSE(t.speech.finish());
    t.screens.close(reader);

    // ---- The quiz: the question, then the four answers with their numbers; an answer that
    // paints its own background takes the band's colour while it is said.
    QuestionSet set;
    set.title = QStringLiteral("Set");
    for (int q = 1; q <= 10; ++q) {
        set.question(q).text = QStringLiteral("Which bone is %1? It is a long one.").arg(q);
        for (int k = 1; k <= 4; ++k)
            set.question(q).options[k] = QStringLiteral("Bone %1%2").arg(q).arg(QChar('a' + k - 1));
        set.question(q).correct = QStringLiteral("1");
    }
    t.state.currentSet = set;
    openQuiz(t.app, QStringLiteral("images\\vitruvius2sm.jpg"));
    QuizScreen& quiz = *t.screens.find<QuizScreen>();
    t.speech.said.clear();
    QTest::mouseClick(quiz.readAloud()->button(), Qt::LeftButton);
    expectBandBehindWords(quiz, quiz.item<QLabel>("Label2"));
    ASSERT_TRUE(t.speech.finish());
    ASSERT_TRUE(t.speech.finish());
    EXPECT_EQ(quiz.option(1)->palette().color(QPalette::Window), readaloud::bandColour);
    ASSERT_TRUE(t.speech.finish());
    EXPECT_EQ(quiz.option(1)->palette().color(QPalette::Window), ui::frameColour);
    EXPECT_EQ(quiz.option(2)->palette().color(QPalette::Window), readaloud::bandColour);
    listenToTheEnd(t);
    EXPECT_EQ(t.speech.said, QStringList({"Which bone is 1?", "It is a long one.", "1, Bone 1a", "2, Bone 1b",
                                          "3, Bone 1c", "4, Bone 1d"}));
    EXPECT_EQ(quiz.option(4)->palette().color(QPalette::Window), ui::frameColour);
    // A new question ends the reading of the last one.
    pressKey(&quiz);
    QTest::mouseClick(quiz.button("Label3", 1), Qt::LeftButton);
    EXPECT_FALSE(quiz.readAloud()->isReading());
    EXPECT_TRUE(visibleBands(quiz).isEmpty());
    t.screens.close(quiz);

    // ---- An activity: its instruction on asking; a label as it is picked up, dragged or
    // reached with the keyboard, with the band following the label.
    openActivity(t.app, QStringLiteral("boneslab"), QStringLiteral("Bones"));
    auto& activity = *qobject_cast<activity::ActivityScreen*>(t.screens.find(QStringLiteral("boneslab")));
    t.speech.said.clear();
    pressKey(&activity);
    listenToTheEnd(t);
    EXPECT_EQ(t.speech.said, QStringList{activity.item<QLabel>("Label7")->text()});

    activity::AnswerLabel* skull = activity.answerLabel(1);
    QTest::keyClick(skull, Qt::Key_Return); // picks it up
    EXPECT_EQ(t.speech.said.last(), skull->text());
    EXPECT_EQ(visibleBands(activity), QList<QRect>{skull->geometry().adjusted(-4, -2, 4, 2)});
    QTest::keyClick(&activity, Qt::Key_Escape); // puts it back
    t.speech.finish();

    const QPoint grip = skull->rect().center();
    QTest::mousePress(skull, Qt::LeftButton, {}, grip);
    QTest::mouseMove(skull, grip + QPoint(40, 30));
    QTest::mouseMove(skull, grip + QPoint(80, 60));
    EXPECT_EQ(t.speech.said.count(skull->text()), 2);
    EXPECT_EQ(visibleBands(activity), QList<QRect>{skull->geometry().adjusted(-4, -2, 4, 2)});
    QTest::mouseRelease(skull, Qt::LeftButton, {}, grip + QPoint(80, 60));
    t.speech.finish();

    activity::AnswerLabel* humerus = activity.answerLabel(0);
    for (int i = 0; i < 60 && QApplication::focusWidget() != humerus; ++i) {
        TestApp::settle();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &activity, Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), humerus);
    EXPECT_EQ(t.speech.said.last(), humerus->text());

    // ---- The results screen: the message and the lines shown with it.
    ResultHandOff result;
    result.resultScore = 3;
    result.resultOutOf = activity.layout().count();
    t.speech.said.clear();
    activity.readAloud()->stop();
    openResultsScreen(t.app, result);
    ResultsScreen& results = *t.screens.find<ResultsScreen>();
    pressKey(&results);
    expectBandBehindWords(results, results.item<QLabel>("Label1"));
    listenToTheEnd(t);
    QStringList expected{results.item<QLabel>("Label1")->text(), results.item<QLabel>("Label6")->text()};
    EXPECT_EQ(t.speech.said, expected);
    EXPECT_FALSE(activity.readAloud()->isReading());
}

TEST(ReadAloud, NothingShowsOrIsSaidWithSoundOffOrWithoutAnEngine)
{
    for (const bool engine : {true, false}) {
        TestApp t{fixtureDataDir()};
        t.state.soundOn = engine ? 0 : 1;
        t.speech.engine = engine;
        touchHub(t, "bones").buttonAction(TopicHub::KeyFacts);
        PagedReader& reader = *t.screens.find<PagedReader>();
        EXPECT_TRUE(reader.readAloud()->button()->isHidden());
        pressKey(&reader);
        openActivity(t.app, QStringLiteral("boneslab"), QStringLiteral("Bones"));
        auto& activity = *qobject_cast<activity::ActivityScreen*>(t.screens.find(QStringLiteral("boneslab")));
        EXPECT_TRUE(activity.readAloud()->button()->isHidden());
        QTest::keyClick(activity.answerLabel(0), Qt::Key_Return);
        EXPECT_TRUE(t.speech.said.isEmpty());
        EXPECT_TRUE(visibleBands(activity).isEmpty());
    }
}

TEST(ReadAloud, SentencesPageWordFilesAndTheReadingSpeed)
{
    QStringList split;
    const QString text = QStringLiteral("  Bones are alive!  They grow. Is 1.5 m tall? Yes  ");
    for (const spoken::Span& s : spoken::sentences(text))
        split << text.mid(s.start, s.length);
    EXPECT_EQ(split, QStringList({"Bones are alive!", "They grow.", "Is 1.5 m tall?", "Yes"}));

    // Words with a tab or a character outside ASCII come back whole; broken lines are left out.
    const QList<spoken::Sentence> page{{QStringLiteral("Caf\u00e9\tcolumn"), {QRect(1, 2, 3, 4), QRect(5, 6, 7, 8)}},
                                       {QStringLiteral("Two."), {QRect(0, 0, 10, 10)}}};
    const QByteArray file = spoken::write(page) + "12 x 3 4\tbroken\r\nno tab\r\n";
    EXPECT_TRUE(file.contains("\r\n"));
    const QList<spoken::Sentence> back = spoken::read(file);
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0].text, QStringLiteral("Caf\u00e9 column"));
    EXPECT_EQ(back[0].marks, page[0].marks);
    EXPECT_EQ(back[1].text, "Two.");
    EXPECT_EQ(spoken::sideFileOf(QStringLiteral("wmf\\bonesa.wmf")), "wmf\\bonesa.txt");

    EXPECT_EQ(speech::speedFrom("# slower for the little ones\r\nspeed: -6\r\n"), -6);
    EXPECT_EQ(speech::speedFrom("Speed : 25\r\n"), 10);
    EXPECT_EQ(speech::speedFrom("speed: fast\r\n"), speech::defaultSpeed);
    EXPECT_EQ(speech::speedFrom(""), speech::defaultSpeed);
}
