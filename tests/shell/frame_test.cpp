#include "shell/animation_frames.h"
#include "shell/screen_frame.h"

#include "test_app.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

TEST(FrameNames, BrainFramesAlwaysHaveTwoDigitsAndWrapAtAHundred)
{
    EXPECT_EQ(animation_frames::brain(0), "brainsm\\brainn00.jpg");
    EXPECT_EQ(animation_frames::brain(7), "brainsm\\brainn07.jpg");
    EXPECT_EQ(animation_frames::brain(10), "brainsm\\brainn10.jpg");
    EXPECT_EQ(animation_frames::brain(99), "brainsm\\brainn99.jpg");
    EXPECT_EQ(animation_frames::next(98, animation_frames::brainCount), 99);
    EXPECT_EQ(animation_frames::next(99, animation_frames::brainCount), 0);
}

TEST(FrameNames, SkullAndLogoFramesHaveFixedWidths)
{
    EXPECT_EQ(animation_frames::skull(0), "skull\\hells000.jpg");
    EXPECT_EQ(animation_frames::skull(99), "skull\\hells099.jpg");
    EXPECT_EQ(animation_frames::skull(100), "skull\\hells100.jpg");
    EXPECT_EQ(animation_frames::skull(199), "skull\\hells199.jpg");
    EXPECT_EQ(animation_frames::logo(9), "logo\\talv0009.gif");
    EXPECT_EQ(animation_frames::logo(19), "logo\\talv0019.gif");
    EXPECT_EQ(animation_frames::next(199, animation_frames::skullCount), 0);
}

TEST(ScreenFrame, CentringOnA1024By768DisplayPutsAStandardScreenAt1680_1260)
{
    const QPointF p = ui::centredTopLeft(QSizeF(15360, 11520), QSizeF(12000, 9000));
    EXPECT_EQ(p, QPointF(1680, 1260));
    // A display smaller than the screen: negative, overlapping both edges evenly.
    EXPECT_EQ(ui::centredTopLeft(QSizeF(9000, 6000), QSizeF(12000, 9000)), QPointF(-1500, -1500));
}

TEST(ScreenFrame, TwipsConvertAtFifteenToThePixel)
{
    EXPECT_EQ(display::rect(120, 7920, 3075, 495), QRect(8, 528, 205, 33));
    EXPECT_EQ(display::toPixels(12000), 800);
    EXPECT_EQ(twips::pointsToPixels(12), 16);
}

namespace {

class Plain : public Screen {
public:
    static constexpr const char* kName = "plain";
    explicit Plain(App& app) : Screen(app, kName) {}
    void load() override
    {
        setUpScreen();
        loads++;
    }
    int loads = 0;
};

} // namespace

TEST(ScreenFrame, AScreenWithoutPicture1IsSetUpCompletely)
{
    TestApp t;
    auto& s = t.screens.touch<Plain>();
    EXPECT_EQ(s.loads, 1);
    EXPECT_EQ(s.backgroundColour(), QColor(39, 63, 137));
    EXPECT_EQ(s.windowTitle(), "Corvana");
    EXPECT_EQ(s.size(), QSize(800, 600));
}

TEST(ScreenFrame, TouchLoadsOnceAndCloseDiscardsTheScreen)
{
    TestApp t;
    Plain* first = &t.screens.touch<Plain>();
    EXPECT_EQ(&t.screens.touch<Plain>(), first);
    EXPECT_EQ(first->loads, 1);
    t.screens.close(*first);
    EXPECT_FALSE(t.screens.isLoaded("plain"));
    TestApp::settle();
    Plain& second = t.screens.touch<Plain>();
    EXPECT_EQ(second.loads, 1);
}

TEST(ScreenFrame, SoundGatePlaysOnlyWhileSoundIsOn)
{
    TestApp t;
    playThroughGate(t.app, "wav\\click.wav"); // no value yet: off
    t.state.soundOn = 0;
    playThroughGate(t.app, "wav\\click.wav");
    t.state.soundOn = 1;
    playThroughGate(t.app, "wav\\click.wav");
    EXPECT_EQ(t.sound.played, QStringList({"wav\\click.wav"}));
}

TEST(ButtonLabel, ClicksOnlyOnALeftPressAndReleaseInsideWhileEnabled)
{
    TestApp t;
    auto& s = t.screens.touch<Plain>();
    ButtonLabel* b = s.addButton("Label3", 2, {0, 0, 1500, 495}, "Exit", {"Tahoma", 15.75, true});
    int clicks = 0;
    QObject::connect(b, &ButtonLabel::clicked, [&](int index) {
        EXPECT_EQ(index, 2);
        ++clicks;
    });
    QTest::mouseClick(b, Qt::LeftButton);
    QTest::mouseClick(b, Qt::RightButton);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(500, 5)); // let go outside
    b->setEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->objectName(), "Label3(2)");
}

TEST(ClickRule, LeftPressLetGoInsideOrAClickKeyWithoutRepeats)
{
    QWidget item;
    item.resize(100, 40);
    const QPointF inside(50, 20), outside(150, 20);
    auto mouse = [](QEvent::Type type, QPointF at, Qt::MouseButton button) {
        return QMouseEvent(type, at, at, button, button, Qt::NoModifier);
    };
    struct Case {
        const char* what;
        QEvent::Type press;
        Qt::MouseButton button;
        QPointF releasedAt;
        bool clicks;
    };
    const Case cases[] = {
        {"left inside", QEvent::MouseButtonPress, Qt::LeftButton, inside, true},
        {"left let go outside", QEvent::MouseButtonPress, Qt::LeftButton, outside, false},
        {"right", QEvent::MouseButtonPress, Qt::RightButton, inside, false},
        {"double click's second press", QEvent::MouseButtonDblClick, Qt::LeftButton, inside, false},
    };
    for (const Case& c : cases) {
        ClickRule rule;
        const QMouseEvent press = mouse(c.press, inside, c.button);
        rule.press(&press);
        const QMouseEvent release = mouse(QEvent::MouseButtonRelease, c.releasedAt, c.button);
        EXPECT_EQ(rule.release(&release, &item), c.clicks) << c.what;
        EXPECT_FALSE(rule.release(&release, &item)) << c.what; // a release without a press
    }

    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
        const bool clickKey = key != Qt::Key_A;
        for (bool repeat : {false, true}) {
            QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat);
            e.ignore();
            int clicks = 0;
            EXPECT_EQ(ClickRule::key(&e, [&] { ++clicks; }), clickKey) << key;
            EXPECT_EQ(e.isAccepted(), clickKey) << key; // a held click key's repeats go no further
            EXPECT_EQ(clicks, clickKey && !repeat ? 1 : 0) << key << repeat;
        }
    }
}
