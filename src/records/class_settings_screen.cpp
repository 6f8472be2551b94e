#include "class_settings_screen.h"

#include "pin.h"
#include "record_store.h"
#include "records_screen.h"

#include "platform/messages.h"
#include "platform/records.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QColor yellow(255, 255, 0);
const FontSpec labelFont{"Tahoma", 12, true};
const FontSpec noteFont{"Tahoma", 9.75};
const FontSpec boxFont{"Tahoma", 12};
const FontSpec buttonFont{"Tahoma", 15.75, true};
enum Button { Save = 0, Exit = 1 };

QCheckBox* makeTick(Screen* screen, const QString& name, QRectF twips, const QString& caption)
{
    auto* tick = new QCheckBox(caption, screen);
    tick->setObjectName(name);
    display::setItemFont(tick, labelFont);
    QPalette p = tick->palette();
    p.setColor(QPalette::WindowText, yellow);
    p.setColor(QPalette::Window, ui::frameColour);
    tick->setPalette(p);
    tick->setBackgroundRole(QPalette::Window);
    tick->setAutoFillBackground(true);
    screen->place(tick, twips);
    return tick;
}

} // namespace

ClassSettingsScreen::ClassSettingsScreen(App& app) : Screen(app, QString::fromLatin1(kName))
{
    addLabel(QStringLiteral("Label1"), {0, 120, 12000, 780}, QStringLiteral("Class Settings"), {"Tahoma", 24, true},
             yellow, Qt::AlignHCenter | Qt::AlignTop);
    classMode_ = makeTick(this, QStringLiteral("Check1"), {240, 960, 11520, 375},
                          QStringLiteral("Class mode: pupils choose their name when Corvana starts"));

    QLabel* listLabel = addLabel(QStringLiteral("Label2"), {240, 1500, 6600, 615},
                                 QStringLiteral("Class list: one name a line. A line ending in a colon, such as "
                                                "\"Class 3B:\", starts a class."),
                                 noteFont, yellow);
    listLabel->setWordWrap(true);
    classList_ = new QPlainTextEdit(this);
    classList_->setObjectName(QStringLiteral("Text1"));
    classList_->setAccessibleName(QStringLiteral("Class list"));
    classList_->setTabChangesFocus(true);
    display::setItemFont(classList_, boxFont);
    place(classList_, {240, 2160, 6600, 5520});
    listLabel->setBuddy(classList_);

    QLabel* folderLabel = addLabel(QStringLiteral("Label3"), {7080, 1500, 4680, 615},
                                   QStringLiteral("Class folder, shared by the classroom's computers:"), noteFont,
                                   yellow);
    folderLabel->setWordWrap(true);
    folder_ = new QLineEdit(this);
    folder_->setObjectName(QStringLiteral("Text2"));
    folder_->setAccessibleName(QStringLiteral("Class folder"));
    display::setItemFont(folder_, boxFont);
    place(folder_, {7080, 2160, 4680, 405});
    folderLabel->setBuddy(folder_);
    schoolFolder_ = addLabel(QStringLiteral("Label4"), {7080, 2640, 4680, 855}, QString(), noteFont, yellow);
    schoolFolder_->setWordWrap(true);
    schoolFolder_->setTextFormat(Qt::PlainText);

    QLabel* pinLabel = addLabel(QStringLiteral("Label5"), {7080, 3720, 4680, 615},
                                QStringLiteral("New teachers' PIN (empty: keep the one set):"), noteFont, yellow);
    pinLabel->setWordWrap(true);
    pin_ = new QLineEdit(this);
    pin_->setObjectName(QStringLiteral("Text3"));
    pin_->setAccessibleName(QStringLiteral("New teachers' PIN"));
    pin_->setEchoMode(QLineEdit::Password);
    pin_->setMaxLength(32);
    display::setItemFont(pin_, boxFont);
    place(pin_, {7080, 4380, 2400, 405});
    pinLabel->setBuddy(pin_);
    noPin_ = makeTick(this, QStringLiteral("Check2"), {7080, 4920, 4680, 375}, QStringLiteral("No PIN"));

    ButtonLabel* save = addButton(QStringLiteral("Label6"), Save, {8160, 7920, 2235, 495}, QStringLiteral("Save"),
                                  buttonFont);
    ButtonLabel* exit = addButton(QStringLiteral("Label6"), Exit, {10560, 7920, 1245, 495}, QStringLiteral("Exit"),
                                  buttonFont);
    for (ButtonLabel* b : {save, exit})
        connect(b, &ButtonLabel::clicked, this, &ClassSettingsScreen::buttonClicked);
    setHoverButtons({save, exit});
}

void ClassSettingsScreen::load()
{
    setUpScreen();
    const ClassSettings s = services().records.settings();
    classMode_->setChecked(s.classMode);
    classList_->setPlainText(records::classListText(s.classes));
    folder_->setText(s.classFolder);
    schoolFolder_->setText(s.schoolFolder.isEmpty()
                               ? QStringLiteral("Empty: records stay on this computer.")
                               : QStringLiteral("Empty: the school's class folder, %1.")
                                     .arg(QDir::toNativeSeparators(s.schoolFolder)));
    pin_->clear();
    noPin_->setChecked(false);
}

bool ClassSettingsScreen::save()
{
    ClassSettings s = services().records.settings();
    const QString pin = pin_->text();
    if (!noPin_->isChecked() && !pin.isEmpty() && pin.size() < shortestPin) {
        services().messages.ok(QStringLiteral("A PIN needs at least %1 characters.").arg(shortestPin));
        return false;
    }
    s.classMode = classMode_->isChecked();
    s.classes = records::parseClassList(classList_->toPlainText());
    s.classFolder = folder_->text().trimmed();
    if (noPin_->isChecked())
        s.pinHash.clear();
    else if (!pin.isEmpty())
        s.pinHash = records::hashPin(pin);
    if (s.classMode && s.classes.isEmpty()) {
        services().messages.ok(QStringLiteral("Class mode needs a class list: type the pupils' names first."));
        return false;
    }
    if (!s.classFolder.isEmpty() && !QDir(s.classFolder).exists())
        services().messages.ok(QStringLiteral("The class folder \"%1\" cannot be reached now. Records are kept on "
                                              "this computer and handed over when it can.")
                                   .arg(s.classFolder));
    if (!services().records.saveSettings(s)) {
        services().messages.ok(QStringLiteral("The class settings could not be saved."));
        return false;
    }
    pin_->clear();
    services().messages.ok(QStringLiteral("The class settings have been saved."));
    return true;
}

void ClassSettingsScreen::buttonClicked(int index)
{
    App& a = app();
    playThroughGate(a, ui::clickSound);
    if (index == Save) {
        save();
        return;
    }
    if (auto* shown = screens().find<ClassRecordsScreen>())
        shown->refresh();
    screens().close(*this);
}
