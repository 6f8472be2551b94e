// The paged reader and the three reading pages of the main menu.
#include "topics_helpers.h"

#include "menu/main_menu.h"
#include "topics/guide_screen.h"
#include "topics/paged_reader.h"
#include "topics/topic_hub.h"

#include "test_topics.h"
#include "test_app.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct ReaderTest : ::testing::Test {
    TestApp t{fixtureDataDir()};
    MainMenu& menu = t.screens.touch<MainMenu>();

    PagedReader& bonesNotes()
    {
        menu.entryAction(11);
        findHub(t, "bones")->buttonAction(TopicHub::TeachersNotes);
        return *t.screens.find<PagedReader>();
    }
    QLabel* pageLabel(Screen& s) { return s.item<QLabel>("Label1"); }
    ButtonLabel* next(Screen& s) { return s.button("Label3", 2); }
    ButtonLabel* previous(Screen& s) { return s.button("Label3", 3); }
    void tick(Screen& s, int times = 1)
    {
        auto* timer = s.findChild<QTimer*>("Timer1");
        for (int i = 0; i < times; ++i)
            QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    }
};

} // namespace

TEST_F(ReaderTest, LayoutOfTheReader)
{
    auto& r = bonesNotes();
    EXPECT_EQ(r.objectName(), "teacher");
    EXPECT_EQ(r.image()->pos(), QPoint(display::toPixels(120), 0));
    EXPECT_TRUE(r.printImage()->isHidden());
    EXPECT_EQ(pageLabel(r)->geometry(), display::rect(4200, 7920, 2295, 495));
    EXPECT_EQ(pageLabel(r)->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(r.button("Label3", 0)->text(), "Print");
    EXPECT_EQ(r.button("Label3", 0)->geometry(), display::rect(10680, 120, 1125, 495));
    EXPECT_EQ(r.button("Label3", 1)->text(), "Exit");
    EXPECT_EQ(next(r)->text(), "Next Page");
    EXPECT_EQ(previous(r)->text(), "Previous Page");
    EXPECT_EQ(r.item<PictureItem>("Picture1")->geometry(), display::rect(9000, 3840, 1800, 1800));
    EXPECT_TRUE(r.item<PictureItem>("Picture1")->isHidden());
    EXPECT_EQ(r.item<PictureItem>("Picture2")->background(), QColor(128, 128, 255));
    EXPECT_EQ(r.findChild<QTimer*>("Timer1")->interval(), 25);
    EXPECT_FALSE(r.findChild<QTimer*>("Timer1")->isActive());
}

TEST_F(ReaderTest, TwoPageSetPagesWithLabelAndButtons)
{
    auto& r = bonesNotes();
    EXPECT_EQ(pageLabel(r)->text(), "Page 1 of 2");
    EXPECT_FALSE(previous(r)->isEnabled());
    EXPECT_TRUE(next(r)->isEnabled());

    r.buttonAction(PagedReader::NextPage);
    EXPECT_EQ(r.handOff().readerPage, 2);
    EXPECT_EQ(pageLabel(r)->text(), "Page 2 of 2");
    EXPECT_FALSE(next(r)->isEnabled());
    EXPECT_TRUE(previous(r)->isEnabled());
    EXPECT_EQ(r.image()->source(), "wmf\\bonesb.wmf");
    EXPECT_EQ(r.printImage()->source(), "wmf2\\bonesb.wmf");

    r.buttonAction(PagedReader::PreviousPage);
    EXPECT_EQ(pageLabel(r)->text(), "Page 1 of 2");
    EXPECT_TRUE(next(r)->isEnabled());
    EXPECT_FALSE(previous(r)->isEnabled());
    EXPECT_EQ(r.image()->source(), "wmf\\bonesa.wmf");
    EXPECT_EQ(r.printImage()->source(), "wmf2\\bonesa.wmf");
    EXPECT_TRUE(t.sound.played.isEmpty()); // the reader is silent
}

TEST_F(ReaderTest, ButtonsStayHighlightedWithoutHoverHandling)
{
    auto& r = bonesNotes();
    moveMouseAtTwips(&r, 11900, 8700);
    moveMouseOver(next(r));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(r.button("Label3", i)->isHighlighted()) << i;
}

TEST_F(ReaderTest, ExitUncoversTheHub)
{
    auto& r = bonesNotes();
    r.buttonAction(PagedReader::Exit);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded("teacher"));
    EXPECT_TRUE(t.screens.isLoaded("bones"));
}

TEST_F(ReaderTest, IntroductionAfterATwoPageSetShowsOnePage)
{
    auto& r = bonesNotes();
    r.buttonAction(PagedReader::NextPage);
    r.buttonAction(PagedReader::Exit);
    TestApp::settle();

    menu.entryAction(21);
    auto* intro = t.screens.find<PagedReader>();
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(intro->handOff().readerPageCount, 1);
    EXPECT_EQ(intro->handOff().readerPageSet, "introduction");
    EXPECT_EQ(intro->handOff().readerPage, 1);
    EXPECT_EQ(intro->image()->source(), "wmf\\introduction.wmf");
    EXPECT_EQ(intro->printImage()->source(), "wmf2\\introduction.wmf");
    EXPECT_TRUE(pageLabel(*intro)->isHidden());
    EXPECT_TRUE(next(*intro)->isHidden());
    EXPECT_TRUE(previous(*intro)->isHidden());
    EXPECT_FALSE(intro->button("Label3", 0)->isHidden());
    EXPECT_EQ(intro->backgroundColour(), QColor(39, 63, 137));
}

// ---------------------------------------------------------------- acknowledgments

TEST_F(ReaderTest, AcknowledgmentsVariantHasItsOwnBackgroundAndLogo)
{
    auto& r = bonesNotes(); // a two-page set read last
    r.buttonAction(PagedReader::Exit);
    TestApp::settle();

    menu.entryAction(19);
    auto* ack = t.screens.find<PagedReader>();
    ASSERT_NE(ack, nullptr);
    EXPECT_EQ(ack->backgroundColour(), QColor(49, 130, 212));
    EXPECT_EQ(ack->image()->source(), "wmf\\acknowledgments.wmf");
    EXPECT_EQ(ack->printImage()->source(), "wmf2\\acknowledgments.wmf");
    EXPECT_EQ(ack->item<PictureItem>("Picture2")->source(), "logo\\talvory2.bmp");
    EXPECT_TRUE(pageLabel(*ack)->isHidden());
    EXPECT_TRUE(next(*ack)->isHidden());
    EXPECT_TRUE(previous(*ack)->isHidden());
    // The entry hands the reader no page set; the two pages read last are not its own.
    EXPECT_EQ(ack->handOff().readerPageCount, 0);
    EXPECT_TRUE(ack->handOff().readerPageSet.isEmpty());

    auto* timer = ack->findChild<QTimer*>("Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 25);
    // Both logo boxes appear with the first tick.
    EXPECT_TRUE(ack->item<PictureItem>("Picture1")->isHidden());
    tick(*ack);
    EXPECT_FALSE(ack->item<PictureItem>("Picture1")->isHidden());
    EXPECT_FALSE(ack->item<PictureItem>("Picture2")->isHidden());
    EXPECT_EQ(ack->item<PictureItem>("Picture1")->source(), "logo\\talv0001.gif");
}

TEST_F(ReaderTest, LogoCounterRunsOnAcrossOpeningsAndWraps)
{
    menu.entryAction(19);
    auto* ack = t.screens.find<PagedReader>();
    tick(*ack, 12);
    EXPECT_EQ(ack->item<PictureItem>("Picture1")->source(), "logo\\talv0012.gif");
    ack->buttonAction(PagedReader::Exit);
    TestApp::settle();
    EXPECT_EQ(t.state.logoFrame, 12);

    menu.entryAction(19);
    ack = t.screens.find<PagedReader>();
    tick(*ack, 8);
    EXPECT_EQ(ack->item<PictureItem>("Picture1")->source(), "logo\\talv0000.gif");
    tick(*ack);
    EXPECT_EQ(ack->item<PictureItem>("Picture1")->source(), "logo\\talv0001.gif");
}

TEST_F(ReaderTest, LogoStaysOffOnOtherPages)
{
    menu.entryAction(21);
    auto* intro = t.screens.find<PagedReader>();
    EXPECT_FALSE(intro->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_TRUE(intro->item<PictureItem>("Picture1")->isHidden());
    EXPECT_EQ(intro->item<PictureItem>("Picture1")->background(), QColor(39, 63, 137));
}

// ---------------------------------------------------------------- guide

TEST_F(ReaderTest, GuideOpensOnPageOneOfFour)
{
    // A guide left on page 3 is opened again.
    menu.entryAction(20);
    t.screens.find<GuideScreen>()->buttonAction(GuideScreen::NextPage);
    t.screens.find<GuideScreen>()->buttonAction(GuideScreen::NextPage);
    menu.entryAction(20);
    TestApp::settle();
    auto* g = t.screens.find<GuideScreen>();
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->isVisible());
    EXPECT_EQ(g->readerPage(), 1);
    EXPECT_EQ(pageLabel(*g)->text(), "Page 1 of 4");
    EXPECT_EQ(g->item<QLabel>("Label2")->text(), "");
    EXPECT_EQ(g->item<QLabel>("Label2")->geometry(), display::rect(0, 120, 11775, 615));
    EXPECT_EQ(g->image()->source(), "wmf\\guide1.wmf");
    EXPECT_EQ(g->printImage()->source(), "wmf2\\guide1.wmf");
    EXPECT_TRUE(next(*g)->isEnabled());
    EXPECT_FALSE(previous(*g)->isEnabled());
    // Print lies above the heading line that spans the top.
    const QPoint onPrint = g->button("Label3", 0)->geometry().center();
    EXPECT_EQ(g->childAt(onPrint), g->button("Label3", 0));
}

TEST_F(ReaderTest, GuidePagesThroughItsTable)
{
    menu.entryAction(20);
    auto& g = *t.screens.find<GuideScreen>();
    g.buttonAction(GuideScreen::NextPage);
    EXPECT_EQ(pageLabel(g)->text(), "Page 2 of 4");
    EXPECT_TRUE(previous(g)->isEnabled());
    EXPECT_TRUE(next(g)->isEnabled());
    g.buttonAction(GuideScreen::NextPage);
    g.buttonAction(GuideScreen::NextPage);
    EXPECT_EQ(pageLabel(g)->text(), "Page 4 of 4");
    EXPECT_EQ(g.image()->source(), "wmf\\guide4.wmf");
    EXPECT_FALSE(next(g)->isEnabled());
    EXPECT_TRUE(previous(g)->isEnabled());

    g.buttonAction(GuideScreen::PreviousPage);
    EXPECT_EQ(pageLabel(g)->text(), "Page 3 of 4");
    EXPECT_TRUE(next(g)->isEnabled());
    EXPECT_TRUE(previous(g)->isEnabled());
    EXPECT_EQ(g.printImage()->source(), "wmf2\\guide3.wmf");
    g.buttonAction(GuideScreen::PreviousPage);
    g.buttonAction(GuideScreen::PreviousPage);
    EXPECT_EQ(g.readerPage(), 1);
    EXPECT_FALSE(previous(g)->isEnabled());
    EXPECT_TRUE(next(g)->isEnabled());
    EXPECT_TRUE(t.sound.played.isEmpty());
}

TEST_F(ReaderTest, GuideButtonsTurnPlainAndStayPlain)
{
    menu.entryAction(20);
    auto& g = *t.screens.find<GuideScreen>();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(g.button("Label3", i)->isHighlighted());
    moveMouseAtTwips(&g, 11900, 8700);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(g.button("Label3", i)->isHighlighted()) << i;
    moveMouseOver(g.button("Label3", 0));
    EXPECT_FALSE(g.button("Label3", 0)->isHighlighted());
}

TEST_F(ReaderTest, EachGuideOpeningIsFresh)
{
    menu.entryAction(20);
    auto* g = t.screens.find<GuideScreen>();
    g->buttonAction(GuideScreen::NextPage);
    g->buttonAction(GuideScreen::Exit);
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded("guide"));
    menu.entryAction(20);
    g = t.screens.find<GuideScreen>();
    EXPECT_EQ(pageLabel(*g)->text(), "Page 1 of 4");
    EXPECT_FALSE(previous(*g)->isEnabled());
}

TEST_F(ReaderTest, ReaderStillOpenIsLoadedAfreshForTheNextSet)
{
    menu.entryAction(11);
    auto& bones = *findHub(t, "bones");
    bones.buttonAction(TopicHub::TeachersNotes);
    t.screens.find<PagedReader>()->buttonAction(PagedReader::NextPage);
    // Key Facts pressed while the notes are still open: one page, no paging, page 1.
    bones.buttonAction(TopicHub::KeyFacts);
    TestApp::settle();
    auto* r = t.screens.find<PagedReader>();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->handOff().readerPage, 1);
    EXPECT_TRUE(next(*r)->isHidden());
    EXPECT_TRUE(pageLabel(*r)->isHidden());
    EXPECT_EQ(r->image()->source(), "wmf\\key bones.wmf");
}
