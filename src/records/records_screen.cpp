#include "records_screen.h"

#include "class_settings_screen.h"
#include "teacher_pin.h"

#include "platform/messages.h"
#include "platform/printer.h"
#include "platform/printouts.h"
#include "platform/records.h"
#include "shell/list_table.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QSaveFile>
#include <QTableWidget>

using namespace records;

namespace {

const QColor yellow(255, 255, 0);
const FontSpec buttonFont{"Tahoma", 12, true};
const FontSpec tableFont{"Tahoma", 10};
const QString buttonArray = QStringLiteral("Label3");
const QString allPupils = QStringLiteral("All pupils");

struct ButtonRow {
    const char* caption;
    QRectF twips;
};
// The grid's buttons; the other views reuse the first and the last.
const ButtonRow buttons[] = {
    {"Pupil's History", {120, 7920, 1995, 495}}, {"Questions", {2190, 7920, 1995, 495}},
    {"Export CSV", {4260, 7920, 1995, 495}},     {"Print Summary", {6330, 7920, 1995, 495}},
    {"Settings", {8400, 7920, 1995, 495}},       {"Exit", {10560, 7920, 1245, 495}},
};

QColor bandColour(Band b)
{
    switch (b) {
    case Band::High:
        return ui::goodCell;
    case Band::Middle:
        return ui::fairCell;
    case Band::Low:
        return ui::poorCell;
    case Band::NotDone:
        break;
    }
    return QColor(255, 255, 255);
}

QString bandWords(Band b)
{
    switch (b) {
    case Band::High:
        return QStringLiteral("good");
    case Band::Middle:
        return QStringLiteral("fair");
    case Band::Low:
        return QStringLiteral("needs help");
    case Band::NotDone:
        break;
    }
    return QStringLiteral("not done");
}

QString duration(const FinishedTask& t)
{
    const qint64 s = t.started.secsTo(t.ended);
    if (s < 0 || !t.started.isValid())
        return {};
    return QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60);
}

} // namespace

ClassRecordsScreen::ClassRecordsScreen(App& app)
    : Screen(app, QString::fromLatin1(kName)), exportFolder_(printouts::defaultFolder())
{
    title_ = addLabel(QStringLiteral("Label1"), {0, 120, 12000, 780}, QStringLiteral("Class Records"),
                      {"Tahoma", 24, true}, yellow, Qt::AlignHCenter | Qt::AlignTop);
    title_->setTextFormat(Qt::PlainText);
    classChoice_ = new QComboBox(this);
    classChoice_->setObjectName(QStringLiteral("Combo1"));
    classChoice_->setAccessibleName(QStringLiteral("Class"));
    display::setItemFont(classChoice_, {"Tahoma", 12});
    place(classChoice_, {120, 960, 3000, 405});
    connect(classChoice_, &QComboBox::currentIndexChanged, this, [this] {
        if (view_ == View::Grid)
            fillGrid();
    });
    note_ = addLabel(QStringLiteral("Label2"), {3300, 960, 8580, 435}, QString(), {"Tahoma", 9.75}, yellow,
                     Qt::AlignLeft | Qt::AlignVCenter);
    note_->setWordWrap(true);

    table_ = ui::addListTable(this, QStringLiteral("Grid1"), QStringLiteral("Class records"), tableFont);
    place(table_, {120, 1560, 11760, 6180});

    QList<ButtonLabel*> hover;
    for (int i = 0; i < int(std::size(buttons)); ++i) {
        ButtonLabel* b =
            addButton(buttonArray, i, buttons[i].twips, QString::fromLatin1(buttons[i].caption), buttonFont);
        connect(b, &ButtonLabel::clicked, this, &ClassRecordsScreen::buttonClicked);
        hover << b;
    }
    setHoverButtons(hover);
}

void ClassRecordsScreen::arrangeKeyboardOrder()
{
    QList<QWidget*> order{classChoice_, table_};
    for (int i = 0; i < int(std::size(buttons)); ++i)
        order << button(buttonArray, i);
    chainKeyboardOrder(order);
}

void ClassRecordsScreen::load()
{
    setUpScreen();
    refresh();
}

void ClassRecordsScreen::refresh()
{
    const QString chosen = classChoice_->currentText();
    const ClassSettings s = services().records.settings();
    {
        const QSignalBlocker quiet(classChoice_);
        classChoice_->clear();
        classChoice_->addItem(allPupils);
        for (const ClassList& c : s.classes)
            classChoice_->addItem(c.name);
        classChoice_->setCurrentIndex(std::max(0, classChoice_->findText(chosen)));
    }
    all_ = services().records.readAll();
    showGrid();
}

QString ClassRecordsScreen::chosenClassName() const
{
    return classChoice_->currentIndex() > 0 ? classChoice_->currentText() : QString();
}

QStringList ClassRecordsScreen::chosenPupils()
{
    const QString name = chosenClassName();
    for (const ClassList& c : services().records.settings().classes)
        if (!name.isEmpty() && c.name == name)
            return c.pupils;
    return {};
}

void ClassRecordsScreen::setButtons(const QStringList& captions)
{
    for (int i = 0; i < int(std::size(buttons)); ++i) {
        ButtonLabel* b = button(buttonArray, i);
        const QString caption = i < captions.size() ? captions[i] : QString();
        b->setText(caption);
        b->setVisible(!caption.isEmpty());
    }
}

void ClassRecordsScreen::showGrid()
{
    view_ = View::Grid;
    QStringList captions;
    for (const ButtonRow& b : buttons)
        captions << QString::fromLatin1(b.caption);
    setButtons(captions);
    classChoice_->show();
    fillGrid();
}

void ClassRecordsScreen::fillGrid()
{
    title_->setText(chosenClassName().isEmpty() ? QStringLiteral("Class Records")
                                                : QStringLiteral("Class Records: ") + chosenClassName());
    note_->setText(QStringLiteral("Each box: the best score, and the latest when it differs. Green: 8 in 10 or "
                                  "better; amber: half or better; red: less than half."));
    const QStringList pupils = chosenPupils();
    if (pupils.isEmpty()) {
        shown_ = all_;
    } else {
        shown_.clear();
        for (const TaskRecord& r : all_)
            if (pupils.contains(r.pupil))
                shown_ << r;
    }
    grid_ = makeGrid(shown_, pupils);

    table_->setUpdatesEnabled(false);
    table_->clear();
    table_->setRowCount(int(grid_.pupils.size()));
    table_->setColumnCount(int(grid_.tasks.size()));
    QStringList rowNames;
    for (const QString& p : grid_.pupils)
        rowNames << pupilLabel(p);
    QStringList columnNames;
    for (const TaskId& t : grid_.tasks)
        columnNames << t.title;
    table_->setVerticalHeaderLabels(rowNames);
    table_->setHorizontalHeaderLabels(columnNames);
    for (int c = 0; c < grid_.tasks.size(); ++c)
        table_->horizontalHeaderItem(c)->setToolTip(kindLabel(grid_.tasks[c].kind) + QStringLiteral(": ") +
                                                    grid_.tasks[c].title);
    for (int p = 0; p < grid_.pupils.size(); ++p)
        for (int t = 0; t < grid_.tasks.size(); ++t) {
            const Cell& c = grid_.cells[p][t];
            const Band b = c.attempts ? band(c.best, c.bestOutOf) : Band::NotDone;
            QTableWidgetItem* item = ui::listCell(cellText(c));
            item->setBackground(bandColour(b));
            item->setForeground(QColor(0, 0, 0));
            // Screen readers hear the colour's meaning too.
            item->setData(Qt::AccessibleDescriptionRole, bandWords(b));
            table_->setItem(p, t, item);
        }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setDefaultSectionSize(display::toPixels(2100));
    table_->setUpdatesEnabled(true);
    if (grid_.pupils.isEmpty())
        note_->setText(QStringLiteral("No tasks have been recorded yet."));
    // A damaged file leaves records out: the teacher must know which machine's.
    const QStringList unreadable = services().records.unreadableFiles();
    if (!unreadable.isEmpty())
        note_->setText(QStringLiteral("Not shown: the records in %1 in the class folder, which cannot be read.")
                           .arg(unreadable.join(QStringLiteral(", "))));
}

void ClassRecordsScreen::showHistory(const QString& pupil)
{
    view_ = View::History;
    historyPupil_ = pupil;
    title_->setText(pupilLabel(pupil) + QStringLiteral(": History"));
    note_->setText(QStringLiteral("Every task this pupil finished, the newest first."));
    classChoice_->hide();
    setButtons({QStringLiteral("Forget Pupil"), {}, {}, {}, {}, QStringLiteral("Back")});
    const QList<TaskRecord> lines = history(all_, pupil);
    table_->clear();
    table_->setRowCount(int(lines.size()));
    const QStringList headings = {QStringLiteral("Finished"), QStringLiteral("Task"), QStringLiteral("Kind"),
                                  QStringLiteral("Score"), QStringLiteral("Time taken"),
                                  QStringLiteral("Wrong answers (question: option chosen)")};
    table_->setColumnCount(int(headings.size()));
    table_->setHorizontalHeaderLabels(headings);
    for (int i = 0; i < lines.size(); ++i) {
        const FinishedTask& t = lines[i].task;
        QStringList wrong;
        for (const WrongAnswer& w : t.wrong)
            wrong << QStringLiteral("%1: %2").arg(w.question).arg(optionLabel(w.chosen));
        const QStringList cells = {t.ended.toLocalTime().toString(QStringLiteral("d MMM yyyy HH:mm")), t.title, kindLabel(t.kind),
                                   QStringLiteral("%1/%2").arg(t.score).arg(t.outOf), duration(t),
                                   wrong.join(QStringLiteral(", "))};
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = ui::listCell(cells[c]);
            if (c == 3) {
                item->setBackground(bandColour(band(t.score, t.outOf)));
                item->setForeground(QColor(0, 0, 0));
            }
            table_->setItem(i, c, item);
        }
    }
    table_->resizeColumnsToContents();
}

void ClassRecordsScreen::showQuestions(const TaskId& task)
{
    view_ = View::Questions;
    title_->setText(QStringLiteral("Questions: ") + task.title);
    note_->setText(QStringLiteral("For each question: how many pupils got it wrong in their latest try, and the "
                                  "wrong answer chosen most often."));
    classChoice_->hide();
    setButtons({{}, {}, {}, {}, {}, QStringLiteral("Back")});
    const QList<QuestionLine> lines = questionAnalysis(shown_, task);
    table_->clear();
    table_->setRowCount(int(lines.size()));
    const QStringList headings = {QStringLiteral("Question"), QStringLiteral("Got it wrong"),
                                  QStringLiteral("Wrong answer chosen most")};
    table_->setColumnCount(int(headings.size()));
    table_->setHorizontalHeaderLabels(headings);
    for (int i = 0; i < lines.size(); ++i) {
        const QuestionLine& q = lines[i];
        const QString common = q.commonWrong < 0 ? QString()
                                                 : QStringLiteral("%1 (%2 %3)")
                                                       .arg(optionLabel(q.commonWrong))
                                                       .arg(q.commonWrongCount)
                                                       .arg(q.commonWrongCount == 1 ? QStringLiteral("pupil")
                                                                                    : QStringLiteral("pupils"));
        const QStringList cells = {QStringLiteral("Question %1").arg(q.question), wrongShareText(q), common};
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = ui::listCell(cells[c]);
            if (c == 1) {
                // Coloured by how many got it right.
                item->setBackground(bandColour(band(q.pupils - q.wrongPupils, q.pupils)));
                item->setForeground(QColor(0, 0, 0));
            }
            table_->setItem(i, c, item);
        }
    }
    table_->horizontalHeader()->setDefaultSectionSize(display::toPixels(3600));
    for (int c = 0; c < 3; ++c)
        table_->setColumnWidth(c, display::toPixels(3600));
}

void ClassRecordsScreen::buttonClicked(int index)
{
    App& a = app();
    playThroughGate(a, ui::clickSound);
    if (view_ != View::Grid) {
        if (index == Exit)
            showGrid();
        else if (index == History && view_ == View::History)
            forgetPupil();
        return;
    }
    const int row = table_->currentRow();
    const int column = table_->currentColumn();
    switch (index) {
    case History:
        if (row < 0 || row >= grid_.pupils.size())
            services().messages.ok(QStringLiteral("Choose a pupil in the table first."));
        else
            showHistory(grid_.pupils[row]);
        break;
    case Questions:
        if (column < 0 || column >= grid_.tasks.size() || grid_.tasks[column].kind == TaskKind::Activity)
            services().messages.ok(QStringLiteral("Choose a quiz or a worksheet in the table first."));
        else
            showQuestions(grid_.tasks[column]);
        break;
    case ExportCsv: {
        const QString path = exportCsv();
        services().messages.ok(path.isEmpty()
                                   ? QStringLiteral("The class records could not be saved in \"%1\".").arg(exportFolder_)
                                   : QStringLiteral("The class records have been saved for a spreadsheet as:\n%1")
                                         .arg(QDir::toNativeSeparators(path)));
        break;
    }
    case PrintSummary:
        printSummary();
        break;
    case Settings: {
        auto& settings = screens().touch<ClassSettingsScreen>();
        screens().show(settings);
        break;
    }
    case Exit:
        screens().close(*this);
        break;
    default:
        break;
    }
}

void ClassRecordsScreen::escapePressed()
{
    if (view_ != View::Grid)
        showGrid();
    else
        screens().close(*this);
}

void ClassRecordsScreen::forgetPupil()
{
    const QString who = pupilLabel(historyPupil_);
    if (!services().messages.okCancel(
            QStringLiteral("Forget %1? Every record of %1 on this computer is deleted, here and in this computer's "
                           "file in the class folder. This cannot be undone.")
                .arg(who)))
        return;
    if (!services().records.forget(historyPupil_)) {
        services().messages.ok(QStringLiteral("The records of %1 could not be deleted.").arg(who));
        return;
    }
    all_ = services().records.readAll();
    showGrid();
}

QString ClassRecordsScreen::exportCsv()
{
    const QString name =
        printouts::documentName({QStringLiteral("Class Records"), chosenClassName(),
                                 printouts::dateAndTime(QDateTime::currentDateTime())}) +
        QStringLiteral(".csv");
    if (!QDir().mkpath(exportFolder_))
        return {};
    const QString path = QDir(exportFolder_).filePath(name);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(toCsv(shown_)) < 0 || !f.commit())
        return {};
    return path;
}

void ClassRecordsScreen::printSummary()
{
    Printer& p = services().printer;
    const QList<SummaryLine> lines = summaryLines(shown_, chosenPupils());
    PrintResult result;
    try {
        p.setDocumentName(printouts::documentName({QStringLiteral("Class Summary"), chosenClassName(),
                                                   printouts::date(QDateTime::currentDateTime())}));
        const double w = p.pageWidth();
        const double h = p.pageHeight();
        p.setColor(QColor(0, 0, 0));
        p.setFont(QStringLiteral("Arial"), 16);
        p.print(chosenClassName().isEmpty() ? QStringLiteral("Class Records") : QStringLiteral("Class Records: ") +
                                                                                     chosenClassName());
        p.setFont(QStringLiteral("Arial"), 10);
        p.print(QDateTime::currentDateTime().toString(QStringLiteral("d MMMM yyyy")));
        p.print(QStringLiteral(" "));
        const double columns[] = {0, 0.40, 0.52, 0.64};
        const double lineRoom = 600; // the last line and the note that more did not fit
        for (int i = 0; i < lines.size(); ++i) {
            if (p.currentY() > h - lineRoom) {
                p.setColor(QColor(0, 0, 0));
                p.print(QStringLiteral("... and %1 more lines: export the CSV for everything.").arg(lines.size() - i));
                break;
            }
            const SummaryLine& l = lines[i];
            if (l.heading && i > 0)
                p.print(QStringLiteral(" "));
            p.setColor(l.heading ? QColor(0, 0, 128) : QColor(0, 0, 0));
            for (int c = 0; c < l.columns.size() && c < 4; ++c) {
                const double right = c + 1 < 4 ? columns[c + 1] * w - 120 : w;
                QString text = l.columns[c];
                while (!text.isEmpty() && columns[c] * w + p.textWidth(text) > right)
                    text.chop(1);
                p.setCurrentX(columns[c] * w);
                p.print(text, c + 1 == l.columns.size());
            }
        }
        result = p.endDoc();
    } catch (const PrintFailure&) {
        p.abandon();
        services().messages.ok(QStringLiteral("There was a problem printing to your printer."));
        return;
    }
    services().messages.ok(result.pdfPath.isEmpty()
                               ? QStringLiteral("The class summary is now printing.")
                               : QStringLiteral("There is no printer here, so the class summary has been saved as:\n%1")
                                     .arg(QDir::toNativeSeparators(result.pdfPath)));
}

void openClassRecords(App& app)
{
    withTeacherPin(app, [](App& a) {
        auto& screen = a.screens.touch<ClassRecordsScreen>();
        a.screens.show(screen);
    });
}
