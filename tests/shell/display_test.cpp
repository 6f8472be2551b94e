// The frame on any display and from the keyboard: fitting the picture to the display, laying
// every screen out again when the scale changes, and reaching every button without a mouse.
#include "shell/backdrop.h"
#include "menu/main_menu.h"
#include "shell/screen_frame.h"
#include "shell/keyboard_focus.h"

#include "test_app.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct DisplayScale {
    explicit DisplayScale(double s) { display::setScale(s); }
    ~DisplayScale() { display::setScale(1.0); }
};

class Panel : public Screen {
public:
    static constexpr const char* kName = "panel";
    explicit Panel(App& app) : Screen(app, kName)
    {
        // Three across the top, one below the middle one, an Exit at the bottom right.
        for (int i = 0; i < 3; ++i)
            addButton("Label3", i, {600.0 + 3600 * i, 600, 3000, 495}, QStringLiteral("Top %1").arg(i),
                      {"Tahoma", 15.75, true});
        addButton("Label3", 3, {4200, 3000, 3000, 495}, "Middle", {"Tahoma", 15.75, true});
        addButton("Label3", 4, {10560, 7920, 1245, 495}, "Exit", {"Tahoma", 15.75, true});
        addLabel("Label1", {0, 6000, 12000, 900}, "A heading", {"Times New Roman", 24}, QColor(255, 255, 0));
        picture = addPicture("Image1", {600, 1500, 0, 0}, PictureItem::AutoSize);
        for (int i = 0; i < 5; ++i)
            connect(button("Label3", i), &ButtonLabel::clicked, [this](int index) { clicks << index; });
    }
    void load() override
    {
        setUpScreen();
        setPicture(picture, QStringLiteral("Images\\skullsm2.jpg"));
    }
    PictureItem* picture;
    QList<int> clicks;
};

} // namespace

TEST(Display, TheStandardScreenFillsEachClassroomDisplayKeepingItsShape)
{
    // Full screen: as large as fits, 4:3, letterboxed on wide displays.
    EXPECT_DOUBLE_EQ(display::fittingScale(QSizeF(1024, 768), true), 1.28);
    EXPECT_DOUBLE_EQ(display::fittingScale(QSizeF(1366, 768), true), 1.28);
    EXPECT_DOUBLE_EQ(display::fittingScale(QSizeF(1920, 1080), true), 1.8);
    EXPECT_DOUBLE_EQ(display::fittingScale(QSizeF(3840, 2160), true), 3.6);
    // In a window: 96 dpi, smaller only when the display cannot hold 800 x 600.
    EXPECT_DOUBLE_EQ(display::fittingScale(QSizeF(1920, 1040), false), 1.0);
    EXPECT_DOUBLE_EQ(display::fittingScale(QSizeF(640, 480), false), 0.8);

    DisplayScale scale(1.8);
    EXPECT_EQ(display::toPixels(12000), 1440);
    EXPECT_EQ(display::toPixels(9000), 1080);
    EXPECT_EQ(twips::pointsToPixels(12), 29);          // 16 pixels at 96 dpi, times 1.8
    EXPECT_EQ(twips::pointsToDesignPixels(12), 16);    // measuring stays at 96 dpi
    EXPECT_DOUBLE_EQ(display::fromPixels(1440), 12000);
}

TEST(Display, ChangingTheScaleLaysEveryItemOutAgainAndComesBackExactly)
{
    TestApp t;
    Panel& p = t.screens.touch<Panel>();
    t.screens.show(p);
    QList<QRect> before;
    QList<int> fontsBefore;
    for (QWidget* w : p.findChildren<QWidget*>()) {
        before << w->geometry();
        fontsBefore << w->font().pixelSize();
    }
    const QSize pictureAtOne = p.picture->size();

    {
        DisplayScale scale(2.25);
        p.rescale();
        EXPECT_EQ(p.size(), QSize(1800, 1350));
        EXPECT_EQ(p.button("Label3", 3)->geometry(), QRect(630, 450, 450, 74));
        EXPECT_EQ(p.button("Label3", 3)->font().pixelSize(), twips::pointsToPixels(15.75));
        EXPECT_EQ(p.item<QLabel>("Label1")->font().pixelSize(), 72);
        // The picture keeps its size in twips, so it grows with the screen.
        EXPECT_EQ(p.picture->size(), p.picture->picture().sizePixels());
        EXPECT_NEAR(p.picture->width(), pictureAtOne.width() * 2.25, 1.0);
        EXPECT_EQ(p.picture->description(), QStringLiteral("A small drawing of a skull"));
    }
    p.rescale();
    QList<QRect> after;
    QList<int> fontsAfter;
    for (QWidget* w : p.findChildren<QWidget*>()) {
        after << w->geometry();
        fontsAfter << w->font().pixelSize();
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(fontsAfter, fontsBefore);
    EXPECT_EQ(p.size(), QSize(800, 600));
}

TEST(Display, F11AndCtrlFSwitchBetweenFullScreenAndAWindow)
{
    TestApp t;
    Backdrop& grey = t.screens.touch<Backdrop>();
    t.screens.show(grey);
    Panel& p = t.screens.touch<Panel>();
    t.screens.show(p);
    EXPECT_FALSE(t.screens.isFullScreen());
    // In a window the backdrop is the window the screens lie in.
    EXPECT_EQ(grey.geometry(), p.geometry());

    TestApp::settle();
    p.button("Label3", 3)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(&p, Qt::Key_F11);
    EXPECT_TRUE(t.screens.isFullScreen());
    // The screen in front stays the active window, its focused item keeps the keyboard and
    // shows the band.
    QTest::qWait(80);
    EXPECT_EQ(QApplication::activeWindow(), &p);
    EXPECT_EQ(QApplication::focusWidget(), p.button("Label3", 3));
    EXPECT_TRUE(ui::showsFocus(p.button("Label3", 3)));
    // The headless display measures 800 x 600: full screen fits at 1, covering it exactly.
    const QRect display = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(grey.geometry(), display);
    EXPECT_TRUE(grey.isVisible());
    EXPECT_TRUE(p.isVisible());
    EXPECT_TRUE(p.windowFlags() & Qt::FramelessWindowHint) << std::hex << p.windowFlags().toInt();
    EXPECT_EQ(t.screens.front(), &p);

    QTest::keyClick(&p, Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(t.screens.isFullScreen());
    QTest::qWait(80);
    EXPECT_EQ(QApplication::activeWindow(), &p);
    EXPECT_EQ(QApplication::focusWidget(), p.button("Label3", 3));
    EXPECT_FALSE(p.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.size(), QSize(800, 600));
    display::setScale(1.0);
}

TEST(Keyboard, ButtonLabelsAreReachedWithTabAndArrowsAndActOnEnterOrSpace)
{
    TestApp t;
    Panel& p = t.screens.touch<Panel>();
    t.screens.show(p);
    TestApp::settle();
    ButtonLabel* top0 = p.button("Label3", 0);
    ButtonLabel* top1 = p.button("Label3", 1);
    ButtonLabel* top2 = p.button("Label3", 2);
    ButtonLabel* middle = p.button("Label3", 3);
    ButtonLabel* exit = p.button("Label3", 4);
    // The screen in front has the keyboard, on its first item in reading order.
    EXPECT_EQ(QApplication::focusWidget(), top0);
    // A mouse click leaves the focus where it is.
    QTest::mouseClick(middle, Qt::LeftButton);
    EXPECT_EQ(p.focusWidget(), top0);
    EXPECT_EQ(p.clicks, QList<int>({3}));

    // Tab in reading order; arrows to the nearest item their way, those level with it first.
    QTest::keyClick(top0, Qt::Key_Tab);
    EXPECT_EQ(p.focusWidget(), top1);
    QTest::keyClick(top1, Qt::Key_Down);
    EXPECT_EQ(p.focusWidget(), middle);
    QTest::keyClick(middle, Qt::Key_Down);
    EXPECT_EQ(p.focusWidget(), exit);
    QTest::keyClick(exit, Qt::Key_Up); // the top button above it, not the nearer middle one
    EXPECT_EQ(p.focusWidget(), top2);
    QTest::keyClick(top2, Qt::Key_Left);
    EXPECT_EQ(p.focusWidget(), top1);
    QTest::keyClick(top1, Qt::Key_Left);
    EXPECT_EQ(p.focusWidget(), top0);
    // Nothing further that way: the focus stays.
    QTest::keyClick(top0, Qt::Key_Left);
    EXPECT_EQ(p.focusWidget(), top0);

    // Highlighting stays the mouse's: the focus band is the keyboard's cue, so neither Tab nor
    // the window becoming active again lights a button up. Enter and Space click it, unless
    // it is greyed.
    p.setHoverButtons({top0, top1, top2, middle, exit});
    QTest::mouseMove(&p, QPoint(2, 300));
    EXPECT_FALSE(top1->isHighlighted());
    QTest::keyClick(top0, Qt::Key_Right);
    EXPECT_FALSE(top1->isHighlighted());
    EXPECT_TRUE(ui::showsFocus(top1));
    p.activateWindow();
    EXPECT_FALSE(top1->isHighlighted());
    QTest::keyClick(top1, Qt::Key_Return);
    QTest::keyClick(top1, Qt::Key_Space);
    top1->setEnabled(false);
    QTest::keyClick(top1, Qt::Key_Enter);
    EXPECT_EQ(p.clicks, QList<int>({3, 1, 1}));

    // Escape does what Exit does.
    QTest::keyClick(top1, Qt::Key_Escape);
    EXPECT_EQ(p.clicks.last(), 4);
}

TEST(Keyboard, TheMenuIsWalkedColumnByColumnAndTheSoundSwitchIsReached)
{
    TestApp t;
    MainMenu& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    TestApp::settle();
    QStringList order;
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    for (int i = 0; i < 25; ++i) {
        order << (qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : w->objectName());
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
    }
    EXPECT_EQ(order.mid(0, 4), QStringList({"Teachers' Guide", "Introduction", "Parts of the Body", "Our Senses"}));
    EXPECT_EQ(order.indexOf("Acknowledgments"), 9);
    EXPECT_EQ(order.indexOf("Muscles"), 10);
    EXPECT_EQ(order.indexOf("Worksheet Catalogue"), 19);
    EXPECT_EQ(order.indexOf("Class Records"), 20);
    EXPECT_EQ(order.indexOf("Manage Topics"), 21);
    // The sound switch is one stop, its selected choice, as option buttons go.
    EXPECT_EQ(order.indexOf("Option1"), 22);
    EXPECT_EQ(order.indexOf("Exit"), 23);
    EXPECT_FALSE(order.contains("Liver and Kidneys"));
    EXPECT_EQ(order[24], order[0]); // round again

    // The arrows move within the switch and switch the sound, as a click would.
    auto* soundOn = menu.item<QRadioButton>("Option1");
    soundOn->setFocus();
    QTest::keyClick(soundOn, Qt::Key_Down);
    EXPECT_TRUE(menu.item<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(t.state.soundOn, 0);
}
