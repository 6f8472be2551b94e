#include "title_screen.h"

#include "shell/backdrop.h"
#include "shell/animation_frames.h"
#include "main_menu.h"
#include "records/who_are_you.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

// Window client area, twips.
constexpr double titleWidth = 5460;
constexpr double titleHeight = 6570;
const QColor titleGrey(192, 192, 192);

struct TextItem {
    const char* name;
    double left, top, width, height;
    const char* text;
    FontSpec font;
    QColor colour;
};

// Positions are relative to Frame1.
const TextItem texts[] = {
    {"Label4", 60, 360, 5355, 1065, "Corvana", {"Times New Roman", 24, true}, QColor(255, 0, 0)},
    {"Label1", 360, 4980, 4695, 375, "Learning about the human body", {"Times New Roman", 14.25}, QColor(0, 0, 255)},
    {"Label5", 480, 5310, 4455, 375, "for pupils aged 7 to 11", {"Times New Roman", 12}, QColor(0, 0, 255)},
    {"Label3", 480, 5640, 4455, 375, "and their teachers", {"Times New Roman", 12}, QColor(0, 0, 255)},
    {"Label2", 0, 6420, 5415, 255, "Corvana \xa9 Talvory Publishing Ltd. All rights reserved.", {"Arial", 8.25},
     QColor(0, 128, 0)},
};

} // namespace

TitleScreen::TitleScreen(App& app) : Screen(app, QString::fromLatin1(kName))
{
    setWindowTitle(QStringLiteral(" "));
    setBackgroundColour(titleGrey);
    setDesignSize(QSizeF(titleWidth, titleHeight));
    setFixedSize(display::toPixels(titleWidth), display::toPixels(titleHeight));

    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setFrameShape(QFrame::Box);
    frame_->setFrameShadow(QFrame::Sunken);
    frame_->setAutoFillBackground(true);
    QPalette fp = frame_->palette();
    fp.setColor(QPalette::Window, fp.color(QPalette::Button));
    frame_->setPalette(fp);
    place(frame_, {0, -90, 5480, 6660});

    for (const TextItem& t : texts) {
        auto* label = new QLabel(QString::fromLatin1(t.text), frame_);
        label->setObjectName(QString::fromLatin1(t.name));
        display::setItemFont(label, t.font);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, t.colour);
        label->setPalette(p);
        place(label, {t.left, t.top, t.width, t.height});
    }

    picture_ = new PictureItem(frame_, QStringLiteral("Picture1"), PictureItem::Clip);
    place(picture_, {300, 1200, 4800, 3600});

    auto makeButton = [this](const char* name, const char* caption, double left) {
        auto* b = new QPushButton(QString::fromLatin1(caption), frame_);
        b->setObjectName(QString::fromLatin1(name));
        QPalette p = b->palette();
        p.setColor(QPalette::Button, titleGrey);
        b->setPalette(p);
        place(b, {left, 6000, 1335, 375});
        return b;
    };
    QPushButton* ok = makeButton("Command1", "OK", 1320);
    QPushButton* exit = makeButton("Command2", "Exit", 2760);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TitleScreen::okOrCancel);
    connect(exit, &QPushButton::clicked, this, &TitleScreen::exitProgram);

    timer_ = addTimer(QStringLiteral("Timer1"), 75);
    connect(timer_, &QTimer::timeout, this, &TitleScreen::tick);
}

void TitleScreen::load()
{
    // Normal path: centred at its own size, in front of the backdrop, animating.
    centreOnDisplay();
    animFrame_ = 0;
    screens().show(screens().touch<Backdrop>());
    if (!setPicture(picture_, animation_frames::brain(0))) {
        // Failure path: a plain standard screen with the title box in front, no animation.
        loadFailed_ = true;
        setUpScreen();
        frame_->raise();
        return;
    }
    timer_->start();
}

void TitleScreen::showEvent(QShowEvent* e)
{
    Screen::showEvent(e);
    // Shown in the same turn of the event loop in which its load raised the backdrop, the
    // window could stay unpainted under X without a window manager. Once the window system
    // has had that turn, it comes to the front again and paints at once.
    QTimer::singleShot(0, this, [this] {
        if (screens().find(objectName()) == this && isVisible()) {
            screens().show(*this);
            repaint();
        }
    });
}

void TitleScreen::tick()
{
    animFrame_ = animation_frames::next(animFrame_, animation_frames::brainCount);
    setPicture(picture_, animation_frames::brain(animFrame_));
}

void TitleScreen::okOrCancel()
{
    App& a = app();
    // In class mode a fresh start asks the pupil's name before the menu.
    if (cancelOffered_ || !offerWhoAreYou(a))
        screens().show(screens().touch<MainMenu>());
    screens().close(*this);
    playThroughGate(a, ui::clickSound);
}

void TitleScreen::exitProgram()
{
    playSound(ui::clickSound);
    services().endProgram();
}

void TitleScreen::offerCancel()
{
    cancelOffered_ = true;
    if (auto* ok = item<QPushButton>(QStringLiteral("Command1")))
        ok->setText(QStringLiteral("Cancel"));
}
