#include "teacher_pin.h"

#include "pin.h"

#include "platform/messages.h"
#include "platform/records.h"

#include <QLineEdit>

namespace {
const QColor yellow(255, 255, 0);
const FontSpec buttonFont{"Tahoma", 15.75, true};
enum Button { Ok = 0, Exit = 1 };
} // namespace

TeacherPin::TeacherPin(App& app) : Screen(app, QString::fromLatin1(kName))
{
    addLabel(QStringLiteral("Label1"), {0, 120, 12000, 900}, QStringLiteral("Teachers Only"), {"Tahoma", 36, true},
             yellow, Qt::AlignHCenter | Qt::AlignTop);
    QLabel* prompt = addLabel(QStringLiteral("Label2"), {0, 2880, 12000, 615}, QStringLiteral("Type the teachers' PIN:"),
                              {"Times New Roman", 24}, yellow, Qt::AlignHCenter | Qt::AlignTop);
    pinBox_ = new QLineEdit(this);
    pinBox_->setObjectName(QStringLiteral("Text1"));
    pinBox_->setEchoMode(QLineEdit::Password);
    pinBox_->setMaxLength(32);
    pinBox_->setAccessibleName(QStringLiteral("Teachers' PIN"));
    display::setItemFont(pinBox_, {"Times New Roman", 24});
    place(pinBox_, {4200, 3600, 3600, 615});
    prompt->setBuddy(pinBox_);
    connect(pinBox_, &QLineEdit::returnPressed, this, [this] { buttonClicked(Ok); });
    ButtonLabel* ok = addButton(QStringLiteral("Label3"), Ok, {4200, 4680, 1665, 495}, QStringLiteral("OK"), buttonFont);
    ButtonLabel* exit =
        addButton(QStringLiteral("Label3"), Exit, {10560, 7920, 1245, 495}, QStringLiteral("Exit"), buttonFont);
    for (ButtonLabel* b : {ok, exit})
        connect(b, &ButtonLabel::clicked, this, &TeacherPin::buttonClicked);
    setHoverButtons({ok, exit});
}

void TeacherPin::load() { setUpScreen(); }

void TeacherPin::buttonClicked(int index)
{
    App& a = app();
    playThroughGate(a, ui::clickSound);
    if (index == Exit) {
        screens().close(*this);
        return;
    }
    check();
}

void TeacherPin::check()
{
    App& a = app();
    const QString typed = pinBox_->text();
    pinBox_->clear();
    if (!records::pinMatches(typed, services().records.settings().pinHash)) {
        services().messages.ok(wrongPinMessage);
        pinBox_->setFocus();
        return;
    }
    auto open = std::move(onPass_);
    screens().close(*this);
    if (open)
        open(a);
}

QWidget* TeacherPin::firstFocus() const { return pinBox_; }

void withTeacherPin(App& app, std::function<void(App&)> open)
{
    if (app.services.records.settings().pinHash.isEmpty()) {
        open(app);
        return;
    }
    auto& pin = app.screens.touch<TeacherPin>();
    pin.setOnPass(std::move(open));
    app.screens.show(pin);
    pin.pinBox()->setFocus();
}
