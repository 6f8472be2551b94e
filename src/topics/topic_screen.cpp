#include "topic_screen.h"

#include "topic_copies.h"
#include "topic_loading.h"

#include "content/topic_archive.h"
#include "platform/dialogs.h"
#include "platform/messages.h"
#include "shell/list_table.h"
#include "state/app_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTableWidget>

namespace {

const QColor yellow(255, 255, 0);
const FontSpec buttonFont{"Tahoma", 12, true};
const QString buttonArray = QStringLiteral("Label3");

struct ButtonRow {
    const char* caption;
    QRectF twips;
};
// Two rows along the bottom: the list's own work above, sharing and Exit below.
const ButtonRow buttons[] = {
    {"Check Again", {120, 7320, 2520, 495}},         {"Open Folder", {2760, 7320, 2520, 495}},
    {"New Topic", {5400, 7320, 2520, 495}},          {"Mend a Copy", {8040, 7320, 2520, 495}},
    {"Import Topic\u2026", {120, 7920, 2520, 495}},  {"Export Topic\u2026", {2760, 7920, 2520, 495}},
    {"Exit", {10560, 7920, 1245, 495}},
};
enum Column { TitleColumn, FromColumn, StateColumn, FolderColumn, ColumnCount };

QString originWord(TopicOrigin o)
{
    switch (o) {
    case TopicOrigin::Shipped:
        return QStringLiteral("shipped");
    case TopicOrigin::School:
        return QStringLiteral("school");
    case TopicOrigin::Mine:
        break;
    }
    return QStringLiteral("mine");
}

QString stateWords(const TopicReport& r)
{
    if (!r.ready())
        return r.mistakes.size() == 1 ? QStringLiteral("1 mistake")
                                      : QStringLiteral("%1 mistakes").arg(r.mistakes.size());
    if (r.replaced)
        return QStringLiteral("replaced by a copy");
    if (r.replacesShipped)
        return QStringLiteral("ready, in place of the shipped one");
    return QStringLiteral("ready");
}

// Green for ready, red for mistakes; grey when out of use.
QColor stateColour(const TopicReport& r)
{
    if (!r.ready())
        return ui::poorCell;
    return r.replaced ? ui::idleCell : ui::goodCell;
}

QString shownPath(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

TopicScreen::TopicScreen(App& app) : Screen(app, QString::fromLatin1(kName))
{
    addLabel(QStringLiteral("Label1"), {0, 120, ui::screenWidth, 780}, QStringLiteral("Topics"),
             {"Tahoma", 24, true}, yellow, Qt::AlignHCenter | Qt::AlignTop);
    note_ = addLabel(QStringLiteral("Label2"), {120, 840, 11760, 540}, QString(), {"Tahoma", 9.75}, yellow,
                     Qt::AlignLeft | Qt::AlignVCenter);
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);

    table_ = ui::addListTable(this, QStringLiteral("Grid1"), QStringLiteral("Topics"), {"Tahoma", 10});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    place(table_, {120, 1440, 11760, 3600});
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { showDetails(); });

    addLabel(QStringLiteral("Label4"), {120, 5130, 11760, 300}, QStringLiteral("The chosen topic:"),
             {"Tahoma", 9.75, true}, yellow, Qt::AlignLeft | Qt::AlignVCenter);
    details_ = new QPlainTextEdit(this);
    details_->setObjectName(QStringLiteral("Text1"));
    details_->setAccessibleName(QStringLiteral("The chosen topic"));
    details_->setReadOnly(true);
    details_->setTabChangesFocus(true);
    details_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    details_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    display::setItemFont(details_, {"Tahoma", 10});
    place(details_, {120, 5460, 11760, 1740});

    QList<ButtonLabel*> hover;
    for (int i = 0; i < int(std::size(buttons)); ++i) {
        ButtonLabel* b =
            addButton(buttonArray, i, buttons[i].twips, QString::fromUtf8(buttons[i].caption), buttonFont);
        connect(b, &ButtonLabel::clicked, this, &TopicScreen::buttonClicked);
        hover << b;
    }
    setHoverButtons(hover);
    setReaderTitle(QStringLiteral("Topics"));
}

void TopicScreen::arrangeKeyboardOrder()
{
    QList<QWidget*> order{table_, details_};
    for (int i = 0; i < int(std::size(buttons)); ++i)
        order << button(buttonArray, i);
    chainKeyboardOrder(order);
}

void TopicScreen::load()
{
    setUpScreen();
    refresh();
}

void TopicScreen::refresh()
{
    const TopicReport* was = chosen();
    const QString folder = was ? was->folder : QString();
    const TopicOrigin origin = was ? was->origin : TopicOrigin::Shipped;

    const QString mine = state().topicFolders.mine;
    note_->setText(QStringLiteral("Every topic Corvana found: where it comes from and whether it is ready. A topic "
                                  "with mistakes stays off the menu until they are mended. Your own topics are "
                                  "kept in %1")
                       .arg(mine.isEmpty() ? QStringLiteral("no folder (none is known)") : shownPath(mine)));

    shown_ = state().topicReports;
    const QSignalBlocker quiet(table_);
    table_->clear();
    table_->setColumnCount(ColumnCount);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Topic"), QStringLiteral("From"), QStringLiteral("State"), QStringLiteral("Folder")});
    table_->setRowCount(int(shown_.size()));
    for (int row = 0; row < shown_.size(); ++row) {
        const TopicReport& r = shown_[row];
        table_->setItem(row, TitleColumn, ui::listCell(r.title.isEmpty() ? r.folder : r.title));
        table_->setItem(row, FromColumn, ui::listCell(originWord(r.origin)));
        QTableWidgetItem* st = ui::listCell(stateWords(r));
        st->setBackground(stateColour(r));
        st->setForeground(QColor(0, 0, 0));
        table_->setItem(row, StateColumn, st);
        table_->setItem(row, FolderColumn, ui::listCell(r.folder));
    }
    const int widths[] = {3900, 1200, 3300, 3000};
    for (int c = 0; c < ColumnCount; ++c)
        table_->setColumnWidth(c, display::toPixels(widths[c]));
    table_->horizontalHeader()->setStretchLastSection(true);
    if (!choose(folder, origin) && !shown_.isEmpty())
        table_->setCurrentCell(0, 0);
    showDetails();
}

bool TopicScreen::choose(const QString& folder, TopicOrigin origin)
{
    for (int row = 0; row < shown_.size(); ++row)
        if (shown_[row].folder == folder && shown_[row].origin == origin) {
            table_->setCurrentCell(row, 0);
            table_->scrollToItem(table_->item(row, 0));
            return true;
        }
    return false;
}

const TopicReport* TopicScreen::chosen() const
{
    const int row = table_->currentRow();
    return row >= 0 && row < shown_.size() ? &shown_[row] : nullptr;
}

void TopicScreen::showDetails()
{
    const TopicReport* r = chosen();
    if (!r) {
        details_->setPlainText(shown_.isEmpty() ? QStringLiteral("No topics were found.") : QString());
        return;
    }
    const QString title = r->title.isEmpty() ? r->folder : r->title;
    QStringList lines;
    if (!r->ready()) {
        lines << QStringLiteral("\"%1\" has these mistakes. Mend them in its files, then press Check Again:").arg(title);
        lines << r->mistakes;
    } else if (r->replaced) {
        lines << QStringLiteral("\"%1\" is replaced on this computer by a copy of the same folder name, \"%2\": remove "
                                "the copy to bring this one back.")
                     .arg(title, r->folder);
    } else if (r->replacesShipped) {
        lines << QStringLiteral("\"%1\" is ready. On this computer it takes the place of the shipped topic of the same "
                                "folder name.")
                     .arg(title);
    } else {
        lines << QStringLiteral("\"%1\" is ready.").arg(title);
    }
    if (!r->path.isEmpty())
        lines << QStringLiteral("Its files are in %1").arg(shownPath(r->path));
    details_->setPlainText(lines.join(QLatin1Char('\n')));
}

void TopicScreen::buttonClicked(int index)
{
    App& a = app();
    playThroughGate(a, ui::clickSound);
    switch (index) {
    case CheckAgain:
        checkAgain();
        break;
    case OpenFolder:
        openFolder();
        break;
    case NewTopic:
        newTopic();
        break;
    case MendCopy:
        mendCopy();
        break;
    case ImportTopic:
        importTopic();
        break;
    case ExportTopic:
        exportTopic();
        break;
    case Exit:
        screens().close(*this);
        break;
    default:
        break;
    }
}

void TopicScreen::escapePressed() { screens().close(*this); }

void TopicScreen::tell(const QString& text) { services().messages.ok(text); }

void TopicScreen::checkAgain()
{
    reloadTopics(app());
    refresh();
}

const TopicReport* TopicScreen::reloadAndChoose(const QString& folder)
{
    reloadTopics(app());
    refresh();
    return choose(folder, TopicOrigin::Mine) ? chosen() : nullptr;
}

QStringList TopicScreen::takenFolders()
{
    QStringList taken;
    for (const TopicReport& r : std::as_const(shown_))
        taken << r.folder;
    const QString mine = state().topicFolders.mine;
    if (!mine.isEmpty())
        taken << QDir(mine).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    return taken;
}

void TopicScreen::openFolder()
{
    const QString mine = state().topicFolders.mine;
    if (mine.isEmpty() || !QDir().mkpath(mine)) {
        tell(QStringLiteral("Your topics folder could not be made%1.")
                 .arg(mine.isEmpty() ? QString() : QStringLiteral(": ") + shownPath(mine)));
        return;
    }
    if (!services().dialogs.showFolder(mine))
        tell(QStringLiteral("The folder could not be shown. Your topics are kept in:\n%1").arg(shownPath(mine)));
}

void TopicScreen::newTopic()
{
    const TopicFolders& folders = state().topicFolders;
    topicfiles::Read copy = topicfiles::readFolder(folders.templateTopic);
    if (!copy.ok()) {
        tell(QStringLiteral("The template for new topics can't be read: %1.").arg(copy.problem));
        return;
    }
    const QString title = services().dialogs.askText(
        QStringLiteral("The new topic's title (it names the topic on the menu and on its pages):"),
        QStringLiteral("My New Topic")).trimmed();
    if (title.isEmpty())
        return;
    for (const TopicReport& r : std::as_const(shown_))
        if (r.title.compare(title, Qt::CaseInsensitive) == 0) {
            tell(QStringLiteral("There is already a topic called \"%1\": choose another title.").arg(r.title));
            return;
        }
    if (const QString problem = topicfiles::retitle(copy.topic, title); !problem.isEmpty()) {
        tell(QStringLiteral("\"%1\" can't be a topic's title: %2.").arg(title, problem));
        return;
    }
    copy.topic.folder = topicfiles::folderNameFor(title, takenFolders());
    if (const QString problem = topicfiles::install(copy.topic, folders.mine, false); !problem.isEmpty()) {
        tell(QStringLiteral("The new topic could not be made: %1.").arg(problem));
        return;
    }
    reloadAndChoose(copy.topic.folder);
    tell(QStringLiteral("The new topic \"%1\" is in your topics folder as \"%2\". Open Folder shows it: change its "
                        "files with a text editor, then press Check Again.")
             .arg(title, copy.topic.folder));
}

void TopicScreen::mendCopy()
{
    const TopicReport* r = chosen();
    if (!r) {
        tell(QStringLiteral("Choose a topic in the list first."));
        return;
    }
    const TopicReport original = *r;
    const QString title = original.title.isEmpty() ? original.folder : original.title;
    if (original.origin == TopicOrigin::Mine) {
        tell(QStringLiteral("\"%1\" is one of your own topics already: mend it in its folder (Open Folder).").arg(title));
        return;
    }
    for (const TopicReport& other : std::as_const(shown_))
        if (other.origin == TopicOrigin::Mine && other.folder == original.folder) {
            tell(QStringLiteral("Your topics folder already holds a copy of \"%1\" (\"%2\"): mend that one.")
                     .arg(title, original.folder));
            return;
        }
    const topicfiles::Read copy = topicfiles::readFolder(original.path);
    if (!copy.ok()) {
        tell(QStringLiteral("\"%1\" can't be copied: %2.").arg(title, copy.problem));
        return;
    }
    if (const QString problem = topicfiles::install(copy.topic, state().topicFolders.mine, false); !problem.isEmpty()) {
        tell(QStringLiteral("\"%1\" can't be copied: %2.").arg(title, problem));
        return;
    }
    reloadAndChoose(copy.topic.folder);
    tell(QStringLiteral("A copy of \"%1\" is in your topics folder as \"%2\". On this computer it takes the place of "
                        "the %3 one until you remove it. Open Folder shows it: mend its files with a text editor, "
                        "then press Check Again.")
             .arg(title, copy.topic.folder, originWord(original.origin)));
}

void TopicScreen::importTopic()
{
    const QString path = services().dialogs.openFile(
        QStringLiteral("Import a topic"), topicfiles::archiveFilter + QStringLiteral(";;All files (*)"));
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    // An archive is never much larger than what it unpacks to.
    if (QFileInfo(path).size() > topicfiles::maxTotalBytes + 1024 * 1024) {
        tell(QStringLiteral("\"%1\" can't be imported: it is larger than any topic. Nothing was added.").arg(name));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        tell(QStringLiteral("\"%1\" could not be read.").arg(name));
        return;
    }
    const topicfiles::Read read = topicfiles::readArchive(file.readAll());
    if (!read.ok()) {
        tell(QStringLiteral("\"%1\" can't be imported: %2. Nothing was added.").arg(name, read.problem));
        return;
    }
    const QString mine = state().topicFolders.mine;
    const QString folder = read.topic.folder;
    const bool exists = !mine.isEmpty() && QFileInfo::exists(QDir(mine).filePath(folder));
    if (exists && !services().messages.okCancel(
                      QStringLiteral("Your topics folder already holds a topic \"%1\". Replace it with the one in "
                                     "\"%2\"?")
                          .arg(folder, name)))
        return;
    if (const QString problem = topicfiles::install(read.topic, mine, exists); !problem.isEmpty()) {
        tell(QStringLiteral("\"%1\" could not be imported: %2.").arg(name, problem));
        return;
    }
    // A folder of a shipped topic's name stands in for that topic here.
    QString standsIn;
    for (const TopicReport& r : std::as_const(shown_))
        if (r.folder == folder && r.origin != TopicOrigin::Mine)
            standsIn = QStringLiteral(" On this computer it takes the place of the %1 topic \"%2\" until you remove it.")
                           .arg(originWord(r.origin), r.title);
    const TopicReport* added = reloadAndChoose(folder);
    const QString title = added && !added->title.isEmpty() ? added->title : folder;
    if (added && !added->ready())
        tell(QStringLiteral("The topic \"%1\" has been imported into your topics folder, but it has mistakes, listed "
                            "here: it stays off the menu until they are mended.%2")
                 .arg(title, standsIn));
    else
        tell(QStringLiteral("The topic \"%1\" has been imported into your topics folder.%2").arg(title, standsIn));
}

void TopicScreen::exportTopic()
{
    const TopicReport* r = chosen();
    if (!r) {
        tell(QStringLiteral("Choose a topic in the list first."));
        return;
    }
    const QString title = r->title.isEmpty() ? r->folder : r->title;
    const topicfiles::Packed packed = topicfiles::packFolder(r->path);
    if (!packed.problem.isEmpty()) {
        tell(QStringLiteral("\"%1\" can't be exported: %2.").arg(title, packed.problem));
        return;
    }
    QString path = services().dialogs.saveFile(QStringLiteral("Export a topic"), r->folder + topicfiles::archiveSuffix,
                                               topicfiles::archiveFilter, nullptr);
    if (path.isEmpty())
        return;
    if (!path.endsWith(topicfiles::archiveSuffix, Qt::CaseInsensitive))
        path += topicfiles::archiveSuffix;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(packed.bytes) != packed.bytes.size() || !out.commit()) {
        tell(QStringLiteral("\"%1\" could not be saved as:\n%2").arg(title, shownPath(path)));
        return;
    }
    tell(QStringLiteral("\"%1\" has been saved as:\n%2\nCorvana on another computer takes it in with Import Topic\u2026")
             .arg(title, shownPath(path)));
}

void openTopicScreen(App& app)
{
    auto& screen = app.screens.touch<TopicScreen>();
    app.screens.show(screen);
}
