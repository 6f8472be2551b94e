#include "main_menu.h"

#include "shell/animation_frames.h"
#include "shell/option_button.h"
#include "menu_routes.h"
#include "title_screen.h"

#include "platform/data_folder.h"
#include "records/teacher_pin.h"
#include "topics/topic_screen.h"
#include "topics/topic_catalogue.h"
#include "topics/topic_hub.h"
#include "worksheets/tracking_file.h"

#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>

namespace {

struct Entry {
    const char* caption;
    double left, top, width, height;
    double points;
    QColor highlight;
};

const QColor black(0, 0, 0);
const QColor navy(0, 0, 128);

// Index order is the click handler's: the entries' places on the screen are their own.
const Entry entries[MainMenu::entryCount] = {
    {"Parts of the Body", 120, 2760, 3075, 375, 12, black},
    {"Our Senses", 120, 3480, 3075, 375, 12, black},
    {"A Good Diet", 120, 5640, 3075, 375, 12, black},
    {"The Digestive System", 120, 4920, 3075, 375, 12, black},
    {"Teeth", 120, 4200, 3075, 375, 12, black},
    {"Respiration", 3360, 4200, 3075, 375, 12, black},
    {"Blood", 3360, 4920, 3075, 375, 12, black},
    {"The Heart", 120, 6360, 3075, 375, 12, black},
    {"The Brain", 3360, 5640, 3075, 375, 12, black},
    {"Reproduction", 3360, 2760, 3075, 375, 12, black},
    {"Growth", 3360, 3480, 3075, 375, 12, black},
    {"Bones", 120, 7080, 3075, 375, 12, black},
    {"Muscles", 3360, 2040, 3075, 375, 12, black},
    {"Skin", 3360, 6360, 3075, 375, 12, black},
    {"Liver and Kidneys", 4680, 7680, 3075, 375, 12, black}, // exists, never shown
    {"Healthy Living", 3360, 7080, 3075, 375, 12, black},
    {"Exit", 10560, 7920, 1245, 495, 18, black},
    {"Multiple Choice Wizard", 6960, 5760, 4635, 495, 18, navy},
    {"Worksheet Catalogue", 6960, 6600, 4635, 495, 18, navy},
    {"Acknowledgments", 120, 7920, 3075, 495, 14.25, navy},
    {"Teachers' Guide", 120, 1080, 3075, 495, 14.25, navy},
    {"Introduction", 120, 2040, 3075, 375, 12, black},
    {"Class Records", 6960, 7440, 3480, 495, 18, navy}, // under the teachers' tools, clear of Exit
};

constexpr int hiddenEntry = 14;
constexpr int exitEntry = 16;

// The topic columns' own entries besides the topics: only the first page has them.
bool inTopicColumns(int entry) { return entry <= 15 || entry == 19 || entry == 20 || entry == 21; }

// A later page lists its topics down the two topic columns, on the entries' rows, and turns
// with the row below them: "Back" on the left, "More Topics" on the right.
constexpr double columnLefts[] = {120, 3360};
constexpr double firstRowTop = 2040, rowPitch = 720, turnRowTop = 7800;
constexpr double entryWidth = 3075, entryHeight = 375, entryPoints = 12;

} // namespace

MainMenu::MainMenu(App& app) : Screen(app, QString::fromLatin1(kName))
{
    addLabel(QStringLiteral("Label1"), {0, 120, ui::screenWidth, 900}, ui::productTitle, {"Tahoma", 32.25, true},
             QColor(255, 0, 0), Qt::AlignHCenter | Qt::AlignTop);
    image_ = addPicture(QStringLiteral("Image1"), {6900, 1680, 4800, 3600}, PictureItem::Stretch);

    auto makeOption = [this](const char* name, const char* text, double top) {
        auto* o = new OptionButton(QString::fromLatin1(text), this);
        o->setObjectName(QString::fromLatin1(name));
        display::setItemFont(o, {"Tahoma", 9.75, true});
        QPalette p = o->palette();
        p.setColor(QPalette::WindowText, ui::captionColour);
        o->setPalette(p);
        o->setFocusPolicy(Qt::TabFocus); // the keyboard reaches it; a click leaves the focus be
        place(o, {10440, top, 1455, 255});
        return o;
    };
    soundOnOption_ = makeOption("Option1", "Sound On", 120);
    soundOffOption_ = makeOption("Option2", "Sound Off", 480);
    soundOnOption_->setChecked(true);
    connect(soundOnOption_, &QRadioButton::clicked, this, [this] { state().soundOn = 1; });
    connect(soundOffOption_, &QRadioButton::clicked, this, [this] { state().soundOn = 0; });

    QList<ButtonLabel*> buttons;
    for (int i = 0; i < entryCount; ++i) {
        const Entry& e = entries[i];
        ButtonLabel* b = addButton(QStringLiteral("Label2"), i, {e.left, e.top, e.width, e.height},
                                   QString::fromLatin1(e.caption), {"Tahoma", e.points, true}, e.highlight);
        b->setVisible(i != hiddenEntry);
        if (i == hiddenEntry)
            hideFromReaders(b); // it exists but is never shown: nothing to tell a pupil about
        else if (inTopicColumns(i))
            firstPageOnly_ << b;
        connect(b, &ButtonLabel::clicked, this, &MainMenu::entryClicked);
        buttons << b;
    }
    // The teachers' topic screen: top of the teachers' column, level with the Teachers' Guide,
    // where the column has room for a button above the brain picture.
    ButtonLabel* topicTools = addButton(QStringLiteral("TopicTools"), 0, {8520, 1080, 3075, 495},
                                        QStringLiteral("Manage Topics"), {"Tahoma", 14.25, true}, navy);
    connect(topicTools, &ButtonLabel::clicked, this, [this] {
        App& a = this->app();
        withTeacherPin(a, openTopicScreen);
        playThroughGate(a, ui::clickSound);
    });
    buttons << topicTools;

    // The pages of more topics, in the topic entries' style.
    const FontSpec entryFont{"Tahoma", entryPoints, true};
    for (int slot = 0; slot < topicsPerPage; ++slot) {
        const int rows = topicsPerPage / 2;
        ButtonLabel* b = addButton(QStringLiteral("Label4"), slot,
                                   {columnLefts[slot / rows], firstRowTop + rowPitch * (slot % rows), entryWidth,
                                    entryHeight},
                                   QString(), entryFont);
        b->hide();
        connect(b, &ButtonLabel::clicked, this, &MainMenu::pageEntryClicked);
        pageEntries_ << b;
        buttons << b;
    }
    moreTopics_ = addButton(QStringLiteral("Label5"), 0, {columnLefts[1], turnRowTop, entryWidth, entryHeight},
                            QStringLiteral("More Topics"), entryFont);
    back_ = addButton(QStringLiteral("Label5"), 1, {columnLefts[0], turnRowTop, entryWidth, entryHeight},
                      QStringLiteral("Back"), entryFont);
    for (ButtonLabel* b : {moreTopics_, back_}) {
        b->hide();
        connect(b, &ButtonLabel::clicked, this, &MainMenu::turnClicked);
        buttons << b;
    }
    pageHeading_ = addLabel(QStringLiteral("Label6"), {120, 1080, 6240, 495}, QString(), {"Tahoma", 14.25, true},
                            ui::captionColour, Qt::AlignLeft | Qt::AlignVCenter);
    pageHeading_->hide();
    setHoverButtons(buttons);
    setReaderTitle(QStringLiteral("Corvana main menu"));

    addLabel(QStringLiteral("Label3"), {0, 8280, ui::screenWidth, 375},
             QStringLiteral("Corvana \u00a9 Talvory Publishing Ltd"),
             {"Tahoma", 9.75}, ui::captionColour, Qt::AlignHCenter | Qt::AlignTop);

    readTimer_ = addTimer(QStringLiteral("Timer1"), 1);
    animationTimer_ = addTimer(QStringLiteral("Timer2"), 75);
    connect(readTimer_, &QTimer::timeout, this, &MainMenu::readWorksheetList);
    connect(animationTimer_, &QTimer::timeout, this, &MainMenu::tick);
}

void MainMenu::arrangeKeyboardOrder()
{
    // Down each column of entries in turn, as the menu reads, then the sound switch and Exit.
    QList<QWidget*> items;
    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() & Qt::TabFocus)
            items << w;
    std::stable_sort(items.begin(), items.end(), [](QWidget* a, QWidget* b) {
        return a->x() != b->x() ? a->x() < b->x() : a->y() < b->y();
    });
    chainKeyboardOrder(items);
}

void MainMenu::load()
{
    setUpScreen();
    setPicture(image_, animation_frames::brain(0));
    for (QRadioButton* o : {soundOnOption_, soundOffOption_}) {
        o->setAutoFillBackground(true);
        QPalette p = o->palette();
        p.setColor(QPalette::Window, ui::frameColour);
        p.setColor(QPalette::Button, ui::frameColour);
        o->setPalette(p);
        o->setBackgroundRole(QPalette::Window);
    }
    state().soundOn = 1;
    brainFrame_ = 0;
    updateTopics();
    readTimer_->start();
}

void MainMenu::updateTopics()
{
    shownTopics_ = state().topics;
    const TopicCatalogue* topics = shownTopics_.get();
    for (int i = 0; i < entryCount; ++i)
        if (topics::isTopicEntry(i)) {
            const TopicFile* topic = topics ? topics->byMenuEntry(i) : nullptr;
            button(QStringLiteral("Label2"), i)->setText(topic ? topic->hub.menuCaption
                                                               : QString::fromLatin1(entries[i].caption));
        }
    moreTopicFiles_ = topics ? topics->moreTopics() : std::vector<const TopicFile*>{};
    showPage(std::min(page_, pageCount() - 1));
}

int MainMenu::pageCount() const
{
    return 1 + int((moreTopicFiles_.size() + topicsPerPage - 1) / topicsPerPage);
}

void MainMenu::showPage(int page)
{
    page_ = std::clamp(page, 0, pageCount() - 1);
    const bool first = page_ == 0;
    QWidget* focused = focusWidget(); // hiding it would hand the focus on down the chain
    for (ButtonLabel* b : firstPageOnly_)
        b->setVisible(first);
    for (int slot = 0; slot < topicsPerPage; ++slot) {
        const size_t at = size_t((page_ - 1) * topicsPerPage + slot);
        ButtonLabel* b = pageEntries_[slot];
        const bool shown = !first && at < moreTopicFiles_.size();
        b->setText(shown ? moreTopicFiles_[at]->hub.menuCaption : QString());
        b->setVisible(shown);
    }
    moreTopics_->setVisible(page_ + 1 < pageCount());
    back_->setVisible(!first);
    pageHeading_->setVisible(!first);
    pageHeading_->setText(pageCount() > 2 ? QStringLiteral("More Topics (page %1 of %2)").arg(page_).arg(pageCount() - 1)
                                          : QStringLiteral("More Topics"));
    setReaderTitle(first ? QStringLiteral("Corvana main menu") : QStringLiteral("Corvana main menu: ") + pageHeading_->text());
    // A keyboard user who turned the page stays in the topic columns: on the page's first topic,
    // or back on "More Topics" on the first page.
    if (focused && !focused->isVisible()) {
        QWidget* next = first ? static_cast<QWidget*>(moreTopics_) : pageEntries_[0];
        next->setFocus(Qt::OtherFocusReason);
    }
}

bool MainMenu::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && state().topics != shownTopics_)
        updateTopics();
    return Screen::event(e);
}

void MainMenu::escapePressed()
{
    if (page_ > 0)
        showPage(page_ - 1);
    else
        Screen::escapePressed();
}

void MainMenu::readWorksheetList()
{
    // Runs once: a failed read leaves the list as far as it got and the animation still.
    readTimer_->stop();
    const QString path = services().files.resolve(QStringLiteral("multiple\\track.txt"));
    if (readWorksheetListFile(path, state().worksheetList))
        animationTimer_->start();
}

void MainMenu::tick()
{
    brainFrame_ = animation_frames::next(brainFrame_, animation_frames::brainCount);
    setPicture(image_, animation_frames::brain(brainFrame_));
}

void MainMenu::entryAction(int index)
{
    if (index == hiddenEntry)
        return;
    if (index == exitEntry) {
        // The title screen's load brings the backdrop to the front, hiding this menu.
        auto& title = screens().touch<TitleScreen>();
        title.offerCancel();
        screens().show(title);
        return;
    }
    openMenuEntry(app(), *this, index);
}

void MainMenu::entryClicked(int index)
{
    App& a = app();
    entryAction(index);
    playThroughGate(a, ui::clickSound);
}

void MainMenu::pageEntryClicked(int slot)
{
    App& a = app();
    const size_t at = size_t((page_ - 1) * topicsPerPage + slot);
    if (page_ > 0 && at < moreTopicFiles_.size())
        openTopicHub(a, *moreTopicFiles_[at]);
    playThroughGate(a, ui::clickSound);
}

void MainMenu::turnClicked(int which)
{
    App& a = app();
    showPage(which == 0 ? page_ + 1 : page_ - 1);
    playThroughGate(a, ui::clickSound);
}
