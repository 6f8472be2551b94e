#include "shell/backdrop.h"
#include "shell/animation_frames.h"
#include "menu/main_menu.h"
#include "menu/title_screen.h"

#include "test_app.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void fire(QObject* screen, const char* timer)
{
    auto* t = screen->findChild<QTimer*>(timer);
    ASSERT_NE(t, nullptr);
    QMetaObject::invokeMethod(t, "timeout");
}

bool timerOn(QObject* screen, const char* timer)
{
    auto* t = screen->findChild<QTimer*>(timer);
    return t && t->isActive();
}

TitleScreen& start(TestApp& t)
{
    auto& title = t.screens.touch<TitleScreen>();
    t.screens.show(title);
    return title;
}

MainMenu& toMenu(TestApp& t)
{
    QTest::mouseClick(t.screens.find<TitleScreen>()->item<QPushButton>("Command1"), Qt::LeftButton);
    TestApp::settle();
    MainMenu* menu = t.screens.find<MainMenu>();
    EXPECT_NE(menu, nullptr);
    return *menu;
}

QString picture(const Screen& s, const char* name) { return s.item<PictureItem>(name)->source(); }

} // namespace

TEST(TitleScreen, StartsInFrontOfTheBackdropAnimatingFromFrameZero)
{
    TestApp t;
    TitleScreen& title = start(t);
    Backdrop* grey = t.screens.find<Backdrop>();
    ASSERT_NE(grey, nullptr);
    EXPECT_TRUE(grey->isVisible());
    EXPECT_EQ(grey->backgroundColour(), QColor(48, 133, 214));
    EXPECT_FALSE(title.loadFailed());
    EXPECT_EQ(title.size(), QSize(364, 438));
    EXPECT_EQ(title.windowTitle(), " ");
    EXPECT_EQ(title.animFrame(), 0);
    EXPECT_EQ(picture(title, "Picture1"), "brainsm\\brainn00.jpg");
    EXPECT_EQ(title.item<QPushButton>("Command1")->text(), "OK");
    EXPECT_TRUE(timerOn(&title, "Timer1"));
    EXPECT_EQ(title.findChild<QTimer*>("Timer1")->interval(), 75);
}

TEST(TitleScreen, AnimationStepsThroughFramesAndWrapsAfter99)
{
    TestApp t;
    TitleScreen& title = start(t);
    fire(&title, "Timer1");
    EXPECT_EQ(picture(title, "Picture1"), "brainsm\\brainn01.jpg");
    for (int i = 1; i < 98; ++i)
        fire(&title, "Timer1");
    fire(&title, "Timer1");
    EXPECT_EQ(picture(title, "Picture1"), "brainsm\\brainn99.jpg");
    fire(&title, "Timer1");
    EXPECT_EQ(picture(title, "Picture1"), "brainsm\\brainn00.jpg");
}

TEST(TitleScreen, MissingFirstFrameFallsBackToAStandardScreenWithoutAnimation)
{
    QTemporaryDir empty;
    TestApp t(empty.path());
    TitleScreen& title = start(t);
    EXPECT_TRUE(title.loadFailed());
    EXPECT_EQ(title.size(), QSize(800, 600));
    EXPECT_EQ(title.backgroundColour(), QColor(39, 63, 137));
    EXPECT_EQ(title.windowTitle(), "Corvana");
    EXPECT_FALSE(timerOn(&title, "Timer1"));
    // The title box sits in front of every other item.
    QWidget* topmost = nullptr;
    for (QObject* child : title.children())
        if (child->isWidgetType())
            topmost = static_cast<QWidget*>(child);
    ASSERT_NE(topmost, nullptr);
    EXPECT_EQ(topmost->objectName(), "Frame1");
}

TEST(TitleScreen, ExitOnTheFirstStartIsSilentAndEndsTheProgram)
{
    TestApp t;
    TitleScreen& title = start(t);
    QTest::mouseClick(title.item<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_EQ(t.programEnded, 1);
    EXPECT_TRUE(t.sound.played.isEmpty());
}

TEST(TitleScreen, OkOpensTheMenuClosesItselfAndClicks)
{
    TestApp t;
    start(t);
    MainMenu& menu = toMenu(t);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(t.screens.isLoaded("Titlefrm"));
    EXPECT_EQ(t.sound.played, QStringList({"wav\\click.wav"}));
}

TEST(TitleScreen, MenuExitBringsItBackWithCancelAndCancelReturnsToTheSameMenu)
{
    TestApp t;
    start(t);
    MainMenu& menu = toMenu(t);
    QTest::mouseClick(menu.item<QRadioButton>("Option2"), Qt::LeftButton); // sound off
    for (int round = 0; round < 2; ++round) {
        menu.entryAction(16);
        TitleScreen* title = t.screens.find<TitleScreen>();
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->item<QPushButton>("Command1")->text(), "Cancel");
        EXPECT_EQ(title->animFrame(), 0);
        EXPECT_EQ(picture(*title, "Picture1"), "brainsm\\brainn00.jpg");
        for (int i = 0; i < 50; ++i) // the next round starts again from frame 0
            fire(title, "Timer1");
        QTest::mouseClick(title->item<QPushButton>("Command1"), Qt::LeftButton);
        TestApp::settle();
        EXPECT_EQ(t.screens.find<MainMenu>(), &menu); // the same menu, not a fresh one
    }
    EXPECT_EQ(t.state.soundOn, 0);
    EXPECT_TRUE(menu.item<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(t.sound.played, QStringList({"wav\\click.wav"})); // only the first OK
}

TEST(MainMenu, LoadSwitchesSoundOnAndReadsTheWorksheetListOnce)
{
    TestApp t;
    t.writeUserFile("multiple/track.txt", " 2 \r\nTeeth\r\nMy Bones\r\n");
    t.state.soundOn = 0;
    MainMenu& menu = t.screens.touch<MainMenu>();
    EXPECT_EQ(t.state.soundOn, 1);
    EXPECT_EQ(menu.brainFrame(), 0);
    EXPECT_TRUE(menu.item<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(menu.item<QRadioButton>("Option2")->palette().color(QPalette::Window), QColor(39, 63, 137));
    EXPECT_EQ(picture(menu, "Image1"), "brainsm\\brainn00.jpg");
    EXPECT_TRUE(timerOn(&menu, "Timer1"));
    EXPECT_FALSE(timerOn(&menu, "Timer2"));
    fire(&menu, "Timer1");
    EXPECT_FALSE(timerOn(&menu, "Timer1"));
    EXPECT_TRUE(timerOn(&menu, "Timer2"));
    EXPECT_EQ(t.state.worksheetList.count, 2);
    EXPECT_EQ(t.state.worksheetList.titles[2], "My Bones");
    fire(&menu, "Timer2");
    EXPECT_EQ(picture(menu, "Image1"), "brainsm\\brainn01.jpg");
}

TEST(MainMenu, TheShippedListOfNoWorksheetsStartsTheAnimation)
{
    TestApp t;
    MainMenu& menu = t.screens.touch<MainMenu>();
    fire(&menu, "Timer1");
    EXPECT_EQ(t.state.worksheetList.count, 0);
    EXPECT_TRUE(timerOn(&menu, "Timer2"));
}

TEST(MainMenu, AnUnreadableListStopsOnlyTheReadingAndKeepsWhatWasRead)
{
    for (const QByteArray& bad : {QByteArray(" 3 \r\nA\r\nB\r\n"), QByteArray("lots\r\n"), QByteArray("-1\r\n"),
                                   QByteArray(" 1001 \r\n") + QByteArray("T\r\n").repeated(1001)}) {
        TestApp t;
        t.writeUserFile("multiple/track.txt", bad);
        MainMenu& menu = t.screens.touch<MainMenu>();
        fire(&menu, "Timer1");
        EXPECT_FALSE(timerOn(&menu, "Timer1"));
        EXPECT_FALSE(timerOn(&menu, "Timer2")) << bad.left(10).constData();
        if (bad.startsWith(" 3")) {
            EXPECT_EQ(t.state.worksheetList.titles[2], "B");
        }
        // The file was released: it can be replaced at once.
        t.writeUserFile("multiple/track.txt", " 0 \r\n");
        EXPECT_EQ(t.readUserFile("multiple/track.txt"), QByteArray(" 0 \r\n"));
    }
}

TEST(MainMenu, AMissingListLeavesTheMenuWorkingWithAStillPicture)
{
    QTemporaryDir noData;
    TestApp t(noData.path());
    MainMenu& menu = t.screens.touch<MainMenu>();
    fire(&menu, "Timer1");
    EXPECT_FALSE(timerOn(&menu, "Timer2"));
    QTest::mouseClick(menu.button("Label2", 1), Qt::LeftButton);
    EXPECT_EQ(t.sound.played, QStringList({"wav\\click.wav"}));
}

TEST(MainMenu, EntriesAreWhereTheLayoutPutsThemAndFourteenIsNeverShown)
{
    TestApp t;
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    EXPECT_EQ(menu.button("Label2", 0)->text(), "Parts of the Body");
    EXPECT_EQ(menu.button("Label2", 0)->geometry(), display::rect(120, 2760, 3075, 375));
    EXPECT_EQ(menu.button("Label2", 17)->highlightColour(), QColor(0, 0, 128));
    EXPECT_EQ(menu.button("Label2", 16)->geometry(), display::rect(10560, 7920, 1245, 495));
    EXPECT_FALSE(menu.button("Label2", 14)->isVisible());
    for (int i = 0; i < MainMenu::entryCount; ++i)
        EXPECT_TRUE(menu.button("Label2", i)->isHighlighted()) << i;
}

TEST(MainMenu, HoverHighlightsUntilTheMouseCrossesTheBackground)
{
    TestApp t;
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    ButtonLabel* a = menu.button("Label2", 0);
    ButtonLabel* b = menu.button("Label2", 4);
    QTest::mouseMove(&menu, QPoint(790, 590)); // background, bottom right corner
    EXPECT_FALSE(a->isHighlighted());
    QTest::mouseMove(a, QPoint(10, 10));
    QTest::mouseMove(b, QPoint(10, 10));
    EXPECT_TRUE(a->isHighlighted());
    EXPECT_TRUE(b->isHighlighted());
    // Over the picture nothing changes.
    QTest::mouseMove(menu.item<PictureItem>("Image1"), QPoint(20, 20));
    EXPECT_TRUE(a->isHighlighted());
    QTest::mouseMove(&menu, QPoint(790, 590));
    EXPECT_FALSE(a->isHighlighted());
    EXPECT_FALSE(b->isHighlighted());
}

TEST(MainMenu, SoundSwitchGatesTheClicksAtOnce)
{
    TestApp t;
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    QTest::mouseClick(menu.item<QRadioButton>("Option2"), Qt::LeftButton);
    EXPECT_EQ(t.state.soundOn, 0);
    QTest::mouseClick(menu.button("Label2", 2), Qt::LeftButton);
    EXPECT_TRUE(t.sound.played.isEmpty());
    QTest::mouseClick(menu.item<QRadioButton>("Option1"), Qt::LeftButton);
    QTest::mouseClick(menu.button("Label2", 2), Qt::LeftButton);
    EXPECT_EQ(t.sound.played, QStringList({"wav\\click.wav"}));
}

TEST(Screens, ClosingTheLastScreenInFrontOfTheBackdropEndsTheProgram)
{
    TestApp t;
    start(t);
    MainMenu& menu = toMenu(t);
    EXPECT_EQ(t.programEnded, 0);
    menu.close(); // the window system's close
    EXPECT_EQ(t.programEnded, 1);
    EXPECT_TRUE(t.screens.loadedNames().isEmpty());
}

TEST(Screens, WhateverTheWindowSystemClosesThePupilHasAWayOn)
{
    TestApp t;
    start(t);
    MainMenu& menu = toMenu(t);
    // The title screen brought back by Exit, closed by the window system: the menu it hid
    // behind the backdrop comes to the front again.
    menu.entryAction(16);
    TitleScreen* title = t.screens.find<TitleScreen>();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(t.screens.front(), title);
    title->close();
    TestApp::settle();
    EXPECT_FALSE(t.screens.isLoaded("Titlefrm"));
    EXPECT_EQ(t.screens.front(), &menu);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(t.programEnded, 0);

    // The backdrop stays whatever the window system does.
    Backdrop* grey = t.screens.find<Backdrop>();
    ASSERT_NE(grey, nullptr);
    grey->close();
    EXPECT_TRUE(t.screens.isLoaded("Grey"));
    EXPECT_TRUE(grey->isVisible());
    EXPECT_EQ(t.programEnded, 0);

    // Even without it, closing the last screen ends the program: it never runs on unseen.
    t.screens.close(*grey);
    EXPECT_EQ(t.programEnded, 0);
    menu.close();
    EXPECT_EQ(t.programEnded, 1);
    EXPECT_TRUE(t.screens.loadedNames().isEmpty());
}
