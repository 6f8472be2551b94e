#include "who_are_you.h"

#include "platform/records.h"

#include <algorithm>
#include <iterator>

namespace {

const QColor yellow(255, 255, 0);
const FontSpec nameFont{"Tahoma", 15.75, true};
const FontSpec buttonFont{"Tahoma", 15.75, true};
constexpr int rows = 9;
constexpr double columnLefts[] = {240, 4200, 8160};
constexpr double nameWidth = 3600;
constexpr double firstTop = 1800;
constexpr double rowPitch = 660;
constexpr double nameHeight = 495;

const QString choiceArray = QStringLiteral("Label3");
const QString pageArray = QStringLiteral("Label4");
enum PageButton { Previous = 0, Next = 1, OtherClass = 2, Exit = 3, NotListed = 4 };

struct PageButtonRow {
    const char* caption;
    QRectF twips;
};
const PageButtonRow pageButtons[] = {
    {"<< Previous", {240, 7920, 2715, 495}},
    {"Next >>", {3120, 7920, 2715, 495}},
    {"Other Class", {6000, 7920, 2715, 495}},
    {"Exit", {10560, 7920, 1245, 495}},
    {"Not on the List", {8760, 1080, 3000, 495}},
};

// The classes that have names in them.
QList<ClassList> classesWithPupils(const ClassSettings& s)
{
    QList<ClassList> out;
    for (const ClassList& c : s.classes)
        if (!c.pupils.isEmpty())
            out << c;
    return out;
}

} // namespace

WhoAreYou::WhoAreYou(App& app) : Screen(app, QString::fromLatin1(kName))
{
    addLabel(QStringLiteral("Label1"), {0, 120, 12000, 900}, QStringLiteral("Who are you?"), {"Tahoma", 36, true},
             yellow, Qt::AlignHCenter | Qt::AlignTop);
    hint_ = addLabel(QStringLiteral("Label2"), {0, 1080, 12000, 495}, QString(), {"Times New Roman", 18}, yellow,
                     Qt::AlignHCenter | Qt::AlignTop);
    QList<ButtonLabel*> hover;
    for (int i = 0; i < perPage; ++i) {
        const double left = columnLefts[i / rows];
        const double top = firstTop + rowPitch * (i % rows);
        ButtonLabel* b = addButton(choiceArray, i, {left, top, nameWidth, nameHeight}, QString(), nameFont);
        b->setTextFormat(Qt::PlainText);
        b->hide();
        connect(b, &ButtonLabel::clicked, this, &WhoAreYou::choiceClicked);
        hover << b;
    }
    for (int i = 0; i < int(std::size(pageButtons)); ++i) {
        ButtonLabel* b = addButton(pageArray, i, pageButtons[i].twips, QString::fromLatin1(pageButtons[i].caption),
                                   buttonFont);
        connect(b, &ButtonLabel::clicked, this, &WhoAreYou::pageClicked);
        hover << b;
    }
    setHoverButtons(hover);
}

void WhoAreYou::load()
{
    setUpScreen();
    classes_ = classesWithPupils(services().records.settings());
    showClass(classes_.size() == 1 ? 0 : -1);
}

void WhoAreYou::showClass(int c)
{
    class_ = c;
    page_ = 0;
    showPage();
}

void WhoAreYou::showPage()
{
    const QStringList choices = [this] {
        if (class_ >= 0 && class_ < classes_.size())
            return classes_[class_].pupils;
        QStringList names;
        for (const ClassList& c : classes_)
            names << c.name;
        return names;
    }();
    hint_->setText(class_ >= 0 ? QStringLiteral("Choose your name.") : QStringLiteral("Choose your class."));
    const int first = page_ * perPage;
    for (int i = 0; i < perPage; ++i) {
        ButtonLabel* b = button(choiceArray, i);
        const bool shown = first + i < choices.size();
        b->setText(shown ? choices[first + i] : QString());
        b->setVisible(shown);
    }
    button(pageArray, Previous)->setVisible(page_ > 0);
    button(pageArray, Next)->setVisible(first + perPage < choices.size());
    button(pageArray, OtherClass)->setVisible(class_ >= 0 && classes_.size() > 1);
    if (ButtonLabel* firstChoice = button(choiceArray, 0); firstChoice->isVisible() && isVisible())
        firstChoice->setFocus();
}

void WhoAreYou::choiceClicked(int index)
{
    App& a = app();
    const ButtonLabel* b = button(choiceArray, index);
    if (!b || b->isHidden())
        return;
    if (class_ < 0) {
        const int c = page_ * perPage + index;
        playThroughGate(a, ui::clickSound);
        showClass(c);
        return;
    }
    services().records.setPupil(b->text());
    if (Screen* menu = screens().touch(ui::mainMenuScreen))
        screens().show(*menu);
    screens().close(*this);
    playThroughGate(a, ui::clickSound);
}

void WhoAreYou::pageClicked(int index)
{
    App& a = app();
    switch (index) {
    case Previous:
        page_ = std::max(page_ - 1, 0);
        showPage();
        break;
    case Next:
        ++page_;
        showPage();
        break;
    case OtherClass:
        showClass(-1);
        break;
    case NotListed: // a visitor, or the teacher: recorded with no name
        services().records.setPupil(QString());
        if (Screen* menu = screens().touch(ui::mainMenuScreen))
            screens().show(*menu);
        screens().close(*this);
        break;
    case Exit:
        // Back to the start, as when Corvana opens.
        if (Screen* title = screens().touch(ui::titleScreen))
            screens().show(*title);
        screens().close(*this);
        break;
    default:
        break;
    }
    playThroughGate(a, ui::clickSound);
}

bool offerWhoAreYou(App& app)
{
    const ClassSettings s = app.services.records.settings();
    if (!s.classMode || classesWithPupils(s).isEmpty())
        return false;
    app.services.records.setPupil(QString());
    app.screens.show(app.screens.touch<WhoAreYou>());
    return true;
}
