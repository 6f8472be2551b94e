// Print on the paged reader and the guide: the print copy, 1000 twips in, as one document.
#include "menu/main_menu.h"
#include "topics/guide_screen.h"
#include "topics/paged_reader.h"
#include "topics/topic_hub.h"

#include "test_topics.h"
#include "test_app.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Kind = RecordingPrinter::Kind;

struct PrintTest : ::testing::Test {
    TestApp t{fixtureDataDir()};
    MainMenu& menu = t.screens.touch<MainMenu>();

    PagedReader& bonesNotes()
    {
        menu.entryAction(11);
        findHub(t, "bones")->buttonAction(TopicHub::TeachersNotes);
        return *t.screens.find<PagedReader>();
    }

    // The one document printed: an empty line, the picture at 1000, 1000, the end.
    void expectPagePrinted(const Picture& printCopy)
    {
        ASSERT_EQ(t.printer.documents.size(), 1);
        const auto& doc = t.printer.documents[0];
        ASSERT_EQ(doc.size(), 3);
        EXPECT_EQ(doc[0].kind, Kind::Text);
        EXPECT_EQ(doc[0].text, "");
        EXPECT_TRUE(doc[0].endLine);
        EXPECT_EQ(doc[1].kind, Kind::Picture);
        EXPECT_EQ(doc[1].x, 1000);
        EXPECT_EQ(doc[1].y, 1000);
        EXPECT_EQ(doc[1].pictureSize, printCopy.sizeTwips());
        EXPECT_EQ(doc[2].kind, Kind::EndDoc);
    }
};

} // namespace

TEST_F(PrintTest, ReaderPrintsThePrintCopyOfThePageShown)
{
    auto& r = bonesNotes();
    r.buttonAction(PagedReader::NextPage);
    ASSERT_EQ(r.printImage()->source(), "wmf2\\bonesb.wmf");
    ASSERT_FALSE(r.printImage()->picture().isNull());
    // The two copies differ in size, so the printed size tells them apart.
    ASSERT_NE(r.printImage()->picture().sizeTwips(), r.image()->picture().sizeTwips());

    r.buttonAction(PagedReader::Print);
    expectPagePrinted(r.printImage()->picture());
    EXPECT_TRUE(t.messages.shown.isEmpty());
    EXPECT_TRUE(t.sound.played.isEmpty());
}

TEST_F(PrintTest, GuidePrintsThePrintCopyOfItsPage)
{
    menu.entryAction(20);
    auto& g = *t.screens.find<GuideScreen>();
    g.buttonAction(GuideScreen::NextPage);
    g.buttonAction(GuideScreen::NextPage);
    ASSERT_EQ(g.printImage()->source(), "wmf2\\guide3.wmf");
    g.buttonAction(GuideScreen::Print);
    expectPagePrinted(g.printImage()->picture());
}

TEST_F(PrintTest, FailingPrinterShowsAMessageAndTheReaderCarriesOn)
{
    auto& r = bonesNotes();
    t.printer.failAfter = 1; // the picture fails
    r.buttonAction(PagedReader::Print);
    EXPECT_TRUE(t.printer.documents.isEmpty());
    EXPECT_EQ(t.printer.abandoned, 1);
    ASSERT_EQ(t.messages.shown.size(), 1);
    EXPECT_TRUE(t.messages.shown[0].text.contains("could not be printed"));

    // The next attempt starts a clean document.
    t.printer.failAfter = -1;
    t.printer.ops.clear();
    r.buttonAction(PagedReader::Print);
    expectPagePrinted(r.printImage()->picture());
}

TEST_F(PrintTest, FailureAtTheEndOfTheDocumentIsReportedToo)
{
    menu.entryAction(20);
    t.printer.failAfter = 2; // endDoc fails
    t.screens.find<GuideScreen>()->buttonAction(GuideScreen::Print);
    EXPECT_TRUE(t.printer.documents.isEmpty());
    EXPECT_EQ(t.messages.shown.size(), 1);
    EXPECT_TRUE(t.screens.isLoaded("guide"));
}

TEST_F(PrintTest, PageSavedAsPdfTellsWhere)
{
    t.printer.pdfPath = "/home/teacher/.local/share/corvana/printouts/page.pdf";
    auto& r = bonesNotes();
    r.buttonAction(PagedReader::Print);
    ASSERT_EQ(t.printer.documents.size(), 1);
    ASSERT_EQ(t.messages.shown.size(), 1);
    EXPECT_TRUE(t.messages.shown[0].text.contains(QStringLiteral("the \"printouts\" folder")));
    EXPECT_FALSE(t.messages.shown[0].text.contains(t.printer.pdfPath));
}

TEST(PrintMissingPage, NothingIsPrintedWithoutAPrintCopy)
{
    QTemporaryDir emptyData;
    TestApp t(emptyData.path());
    auto& menu = t.screens.touch<MainMenu>();
    menu.entryAction(21);
    t.screens.find<PagedReader>()->buttonAction(PagedReader::Print);
    EXPECT_TRUE(t.printer.documents.isEmpty());
    EXPECT_TRUE(t.printer.ops.isEmpty());
    EXPECT_EQ(t.messages.shown.size(), 1);
}
