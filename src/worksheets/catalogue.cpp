#include "catalogue.h"

#include "wizard.h"
#include "worksheet_store.h"

#include "platform/messages.h"
#include "quiz/open_quiz.h"
#include "shell/animation_frames.h"

#include <QCheckBox>

namespace {

const QColor yellow(255, 255, 0);
const QColor red(255, 0, 0);
const QString entryArray = QStringLiteral("Label2");

QCheckBox* makeTick(Screen* screen, const QString& name, QRectF twipsRect, const QString& caption,
                    const QColor& colour)
{
    auto* tick = new QCheckBox(caption, screen);
    tick->setObjectName(name);
    display::setItemFont(tick, {"Tahoma", 12, true});
    QPalette p = tick->palette();
    p.setColor(QPalette::WindowText, colour);
    tick->setPalette(p);
    screen->place(tick, twipsRect);
    return tick;
}

} // namespace

Catalogue::Catalogue(App& app) : Screen(app, QString::fromLatin1(kName))
{
    addLabel(QStringLiteral("Label1"), {0, 0, ui::screenWidth, 780}, QStringLiteral("Worksheets Catalogue"), {"Tahoma", 24, true},
             yellow, Qt::AlignHCenter | Qt::AlignTop);
    check1_ = makeTick(this, QStringLiteral("Check1"), {120, 120, 2535, 375}, QStringLiteral("Edit Worksheet"), yellow);
    check2_ = makeTick(this, QStringLiteral("Check2"), {9240, 120, 2535, 375}, QStringLiteral("Delete Worksheet"), red);
    // At most one mode at a time; unticking changes nothing else.
    connect(check1_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            check2_->setChecked(false);
            setExporting(false);
        }
    });
    connect(check2_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            check1_->setChecked(false);
            setExporting(false);
        }
    });

    QList<ButtonLabel*> hover;
    for (int i = 1; i <= entryCount; ++i) {
        const bool left = i <= 12;
        const double top = 720 + 600 * (left ? i - 1 : i - 13);
        const double width = (i == 7 || i == 15) ? 5685 : 5715;
        ButtonLabel* b = addButton(entryArray, i, {left ? 120.0 : 6120.0, top, width, 375}, QString(),
                                   {"Tahoma", 12, true});
        b->hide();
        entries_[i] = b;
    }
    entries_[0] = addButton(entryArray, 0, {10560, 7920, 1245, 495}, QStringLiteral("Exit"), {"Tahoma", 18, true});
    for (ButtonLabel* b : entries_) {
        connect(b, &ButtonLabel::clicked, this, &Catalogue::entryClicked);
        hover << b;
    }
    // Below the page buttons, in the list's own look.
    importButton_ = addButton(QStringLiteral("Label5"), 0, {2640, 8520, 3195, 375}, catalogue_text::importCaption, {"Tahoma", 12, true});
    exportButton_ = addButton(QStringLiteral("Label5"), 1, {6000, 8520, 3195, 375}, catalogue_text::exportCaption, {"Tahoma", 12, true});
    connect(importButton_, &ButtonLabel::clicked, this, &Catalogue::importQuestions);
    connect(exportButton_, &ButtonLabel::clicked, this, &Catalogue::exportClicked);
    hover << importButton_ << exportButton_;
    setHoverButtons(hover);

    pageLabel_ = addLabel(QStringLiteral("Label4"), {120, 7920, 1995, 495}, QStringLiteral("Page 1"),
                          {"Tahoma", 15.75, true}, QColor(0, 0, 255), Qt::AlignCenter);
    pageLabel_->setFrameShape(QFrame::Box);
    pageLabel_->setLineWidth(1);
    pageLabel_->setAutoFillBackground(true);
    QPalette pp = pageLabel_->palette();
    pp.setColor(QPalette::Window, QColor(255, 255, 255));
    pp.setColor(QPalette::WindowText, QColor(0, 0, 255));
    pageLabel_->setPalette(pp);

    // The page buttons have no hover handling: they stay highlighted while shown.
    previous_ = addButton(QStringLiteral("Label3"), 0, {2640, 7920, 3195, 495}, QStringLiteral("<< Previous Page"),
                          {"Tahoma", 15.75, true});
    next_ = addButton(QStringLiteral("Label3"), 1, {6000, 7920, 3195, 495}, QStringLiteral("Next Page >>"),
                      {"Tahoma", 15.75, true});
    for (ButtonLabel* b : {previous_, next_}) {
        b->setHoverHighlights(false);
        b->hide();
        connect(b, &ButtonLabel::clicked, this, &Catalogue::pageClicked);
    }
}

void Catalogue::load()
{
    setUpScreen();
    // A missing list still opens the catalogue with the list held before. A damaged one is
    // offered for making anew; refused, the catalogue shows what this read gave and never
    // titles left from an earlier read.
    WorksheetList& worksheets = state().worksheetList;
    QString problem;
    int titlesRead = -1;
    if (readTrackingFile(services().files, worksheets, &problem, &titlesRead) == ListRead::Unreadable &&
        !offerListRebuild(services().files, services().messages, problem, worksheets, state().topicTitles))
        worksheets.count = std::max(titlesRead, 0);
    for (QCheckBox* tick : {check1_, check2_}) {
        // A tick box fills with its button colour unless told to use the window's.
        tick->setBackgroundRole(QPalette::Window);
        tick->setAutoFillBackground(true);
        QPalette p = tick->palette();
        p.setColor(QPalette::Window, ui::frameColour);
        tick->setPalette(p);
    }
    currentPage_ = 0;
    setExporting(false);
    for (int i = 1; i <= entryCount; ++i) {
        entries_[i]->hide();
        display::setItemFont(entries_[i], {"Tahoma", 12, true});
    }
    const WorksheetList& list = state().worksheetList;
    if (catalogue_paging::hasNextPage(list, 0))
        next_->show();
    const int last = catalogue_paging::entriesOnPage(list, 0);
    for (int i = 1; i <= last; ++i) {
        entries_[i]->setText(catalogue_paging::titleAt(list, 0, i));
        entries_[i]->show();
    }
}

void Catalogue::workpage()
{
    const int p = currentPage_;
    const WorksheetList& list = state().worksheetList;
    for (int i = 1; i <= entryCount; ++i) {
        entries_[i]->clear();
        entries_[i]->hide();
    }
    previous_->setVisible(p != 0);
    // Paging reaches the last page that holds titles, however long the list.
    next_->setVisible(catalogue_paging::hasNextPage(list, p));
    pageLabel_->setText(QStringLiteral("Page ") + QString::number(p + 1));
    const int last = catalogue_paging::entriesOnPage(list, p);
    for (int i = 1; i <= last; ++i) {
        entries_[i]->setText(catalogue_paging::titleAt(list, p, i));
        entries_[i]->show();
    }
}

void Catalogue::showEntries()
{
    // After a removal: the page's entries only; page buttons and page number stay.
    const WorksheetList& list = state().worksheetList;
    for (int i = 1; i <= entryCount; ++i) {
        entries_[i]->hide();
        entries_[i]->setText(catalogue_paging::titleAt(list, currentPage_, i));
    }
    const int shown = catalogue_paging::entriesOnPage(list, currentPage_);
    for (int i = 1; i <= shown; ++i)
        entries_[i]->show();
}

void Catalogue::editworksheet()
{
    auto& wizard = screens().touch<Wizard>();
    wizard.fill(toEntries(state().currentSet));
    screens().show(wizard);
}

bool Catalogue::delworksheet()
{
    return removeWorksheetTitle(services().files, titleToDelete_, state().worksheetList) != Removal::Failed;
}

void Catalogue::pageClicked(int index)
{
    App& a = app();
    currentPage_ += index == 0 ? -1 : 1;
    currentPage_ = std::max(currentPage_, 0);
    workpage();
    playThroughGate(a, ui::clickSound);
}

void Catalogue::entryClicked(int index)
{
    App& a = app();
    // Here the click sounds before the action.
    playThroughGate(a, ui::clickSound);
    if (index == 0) {
        if (Screen* menu = screens().touch(ui::mainMenuScreen))
            screens().show(*menu);
        screens().close(*this);
        return;
    }
    if (index < 1 || index > entryCount)
        return;

    const QString title = entries_[index]->text();
    // A damaged worksheet can be neither opened nor edited; removing its title from the list
    // needs nothing but the title, so delete mode goes on to its question.
    const bool loaded = loadWorksheet(services().files, title, state().currentSet);
    if (!loaded && !check2_->isChecked()) {
        setExporting(false);
        services().messages.ok(worksheet_text::corrupted);
        return;
    }
    if (exporting_) {
        setExporting(false);
        exportWorksheet(title);
        return;
    }
    if (check1_->isChecked()) {
        editworksheet();
        return;
    }
    if (check2_->isChecked()) {
        if (!services().messages.okCancel(worksheet_text::deleteQuestion(title), QString()))
            return;
        titleToDelete_ = title;
        if (!delworksheet()) {
            services().messages.ok(worksheet_text::corrupted);
            return;
        }
        showEntries();
        return;
    }
    // Open as a quiz, with the brain frame the menu shows; the menu is loaded unseen when the
    // catalogue was reached from it and it has closed.
    const Screen* menu = screens().touch(ui::mainMenuScreen);
    openQuiz(a, menu ? menu->shownPicture() : animation_frames::brain(0));
}
