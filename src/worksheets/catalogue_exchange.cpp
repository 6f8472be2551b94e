// The catalogue's way in and out for questions kept by other programs: importing a file of
// questions into worksheets, and exporting a worksheet in another program's format.
#include "catalogue.h"

#include "wizard.h"
#include "worksheet_store.h"

#include "platform/data_folder.h"
#include "platform/dialogs.h"
#include "platform/messages.h"
#include "shell/animation_frames.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace exchange;

static_assert(Wizard::titleLimit == titleBoxLimit && Wizard::questionLimit == questionBoxLimit &&
                  Wizard::optionLimit == optionBoxLimit,
              "the texts to mend are measured against the wizard's boxes");

namespace {

const QString importFilters =
    QStringLiteral("Question files (*.txt *.gift *.xml *.csv *.aiken);;GIFT (*.txt *.gift);;Moodle XML (*.xml);;"
                   "Aiken (*.txt *.aiken);;CSV (*.csv);;All files (*)");
const QList<Format> exportFormats = {Format::Gift, Format::MoodleXml, Format::Aiken, Format::Csv};
// No question file comes near this; a larger one is not read into memory.
constexpr qint64 largestFile = 32 * 1024 * 1024;

QString filterFor(Format f)
{
    switch (f) {
    case Format::Gift: return QStringLiteral("GIFT (*.txt *.gift)");
    case Format::MoodleXml: return QStringLiteral("Moodle XML (*.xml)");
    case Format::Aiken: return QStringLiteral("Aiken (*.txt)");
    case Format::Csv: return QStringLiteral("CSV (*.csv)");
    }
    return {};
}

// The boxes whose text would not come back from the exported file as it is in the worksheet.
QStringList notReadBack(Format f, const QuestionSet& set, const QByteArray& written)
{
    const ImportResult back = readQuestions(f, written);
    if (!back.ok() || back.taken.size() != 10)
        return {QStringLiteral("the whole worksheet")};
    QStringList boxes;
    for (int q = 1; q <= 10; ++q) {
        const Question& question = set.question(q);
        const ImportedQuestion& b = back.taken[q - 1];
        if (b.text != question.text)
            boxes << QStringLiteral("Question %1").arg(q);
        for (int k = 1; k <= 4; ++k)
            if (b.options[k - 1] != question.options[k])
                boxes << QStringLiteral("Answer %1 of Question %2").arg(QChar(u'A' + k - 1)).arg(q);
        if (b.correct != correctOption(question))
            boxes << QStringLiteral("the right answer of Question %1").arg(q);
    }
    return boxes;
}

} // namespace

void Catalogue::setExporting(bool on)
{
    exporting_ = on;
    exportButton_->setText(on ? catalogue_text::exportingCaption : catalogue_text::exportCaption);
    // While a worksheet is being chosen the button stays highlighted.
    exportButton_->setHoverHighlights(!on);
    if (on)
        exportButton_->setHighlighted(true);
    QList<ButtonLabel*> hover = hoverButtons();
    hover.removeAll(exportButton_);
    if (!on)
        hover << exportButton_;
    setHoverButtons(hover);
}

void Catalogue::exportClicked()
{
    App& a = app();
    if (!exporting_) {
        check1_->setChecked(false);
        check2_->setChecked(false);
    }
    setExporting(!exporting_);
    playThroughGate(a, ui::clickSound);
}

void Catalogue::exportWorksheet(const QString& title)
{
    Dialogs& dialogs = services().dialogs;
    MessageBoxes& messages = services().messages;
    QStringList names;
    for (Format f : exportFormats)
        names << formatName(f);
    const int chosen = dialogs.choose(
        QStringLiteral("In which format shall the worksheet \"%1\" be exported?").arg(title), names);
    if (chosen < 0 || chosen >= exportFormats.size())
        return;
    const Format f = exportFormats[chosen];
    const QString path = dialogs.saveFile(QStringLiteral("Export Worksheet"), exportFileName(title, f), filterFor(f), nullptr);
    if (path.isEmpty())
        return;
    const QuestionSet& set = state().currentSet;
    const QByteArray bytes = writeQuestions(f, set);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        messages.ok(QStringLiteral("The worksheet could not be exported to %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    QString done = QStringLiteral("The worksheet \"%1\" has been exported as %2 to %3.")
                       .arg(title, formatName(f), QDir::toNativeSeparators(path));
    if (const QStringList boxes = notReadBack(f, set, bytes); !boxes.isEmpty())
        done += QStringLiteral("\n\n%1 cannot hold these texts exactly as they are: %2.")
                    .arg(formatName(f), boxes.join(QStringLiteral(", ")));
    messages.ok(done);
}

void Catalogue::importQuestions()
{
    App& a = app();
    Dialogs& dialogs = services().dialogs;
    MessageBoxes& messages = services().messages;
    setExporting(false);
    const QString path = dialogs.openFile(QStringLiteral("Import Questions"), importFilters);
    if (path.isEmpty()) {
        playThroughGate(a, ui::clickSound);
        return;
    }
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly) || file.size() > largestFile ||
        (bytes = file.readAll()).size() != file.size()) {
        messages.ok(QStringLiteral("The file %1 cannot be read.").arg(name));
        playThroughGate(a, ui::clickSound);
        return;
    }
    const Format f = guessFormat(path, bytes);
    const ImportResult r = readQuestions(f, bytes);
    if (!r.ok()) {
        messages.ok(QStringLiteral("The file %1 cannot be read as %2.\n%3").arg(name, formatName(f), r.error));
    } else if (r.taken.isEmpty()) {
        messages.ok(importReport(name, r) + QStringLiteral("\n\nA worksheet takes only questions with four answers "
                                                          "of which one is right."));
    } else {
        messages.ok(importReport(name, r));
        const QString title = r.suggestedTitle.isEmpty() ? titleFromFileName(path) : r.suggestedTitle;
        QList<ImportedQuestion> questions = r.taken;
        const int ten = WorksheetEntries::questionCount;
        int way = 1;
        if (questions.size() > ten)
            way = dialogs.choose(QStringLiteral("%1 questions were taken, more than the ten of one worksheet.")
                                     .arg(questions.size()),
                                 {QStringLiteral("Make several worksheets"), QStringLiteral("Pick ten questions")});
        if (way == 0) {
            makeSeveral(questions, title);
        } else if (way == 1 && questions.size() > ten) {
            QStringList items;
            for (const ImportedQuestion& q : questions)
                items << QStringLiteral("Line %1: %2").arg(q.line).arg(q.text.simplified());
            const QList<int> picked =
                dialogs.pickItems(QStringLiteral("Tick the ten questions for the worksheet."), items, ten);
            QList<ImportedQuestion> chosen;
            for (int i : picked)
                if (i >= 0 && i < questions.size())
                    chosen << questions[i];
            if (!chosen.isEmpty())
                openImported(toEntries(chosen, title));
        } else if (way == 1) {
            openImported(toEntries(questions, title));
        }
    }
    playThroughGate(a, ui::clickSound);
}

void Catalogue::openImported(const WorksheetEntries& entries)
{
    auto& wizard = screens().touch<Wizard>();
    wizard.fillImported(entries);
    screens().show(wizard);
    const QStringList mend = textsToMend(entries);
    if (!mend.isEmpty())
        services().messages.ok(
            QStringLiteral("These texts cannot stand in a worksheet as they are. They are shown in red: please "
                           "change them before you save the worksheet.\n\n") +
            mend.join(QLatin1Char('\n')));
}

void Catalogue::makeSeveral(const QList<ImportedQuestion>& questions, QString suggestion)
{
    Dialogs& dialogs = services().dialogs;
    MessageBoxes& messages = services().messages;
    DataFolder& files = services().files;
    WorksheetList& list = state().worksheetList;
    QList<WorksheetEntries> sheets;
    for (;;) {
        const QString title = worksheetTitle(dialogs.askText(
            QStringLiteral("What shall the worksheets be called? A title such as \"Bones\" gives \"Bones 1\", "
                           "\"Bones 2\" and so on."),
            suggestion));
        if (title.isEmpty())
            return;
        suggestion = title;
        QString problem = titleProblem(title, state().topicTitles);
        sheets = intoWorksheets(questions, title);
        for (const WorksheetEntries& sheet : sheets) {
            bool listed = false;
            for (int i = 1; i <= catalogue_paging::shownCount(list); ++i)
                listed = listed || list.titles[i].compare(sheet.title, Qt::CaseInsensitive) == 0;
            // A worksheet already saved under one of the titles is never written over.
            if (problem.isEmpty() && (listed || !files.resolve(worksheetPath(sheet.title)).isEmpty()))
                problem = QStringLiteral("There is already a worksheet called \"%1\".\nPlease choose another title.")
                              .arg(sheet.title);
        }
        if (problem.isEmpty())
            break;
        messages.ok(problem);
    }

    QStringList saved, left;
    int toWizard = -1;
    for (int i = 0; i < sheets.size(); ++i) {
        const WorksheetEntries& sheet = sheets[i];
        if (checkEntries(sheet, state().topicTitles).isEmpty() && textsToMend(sheet).isEmpty() &&
            saveWorksheet(files, sheet, list)) {
            saved << sheet.title;
            continue;
        }
        if (toWizard < 0)
            toWizard = i;
        else
            left << sheets[i].title;
    }
    // The saves listed the new titles in the file; the list on screen follows it.
    readTrackingFile(files, list);
    workpage();
    QStringList report;
    if (!saved.isEmpty())
        report << QStringLiteral("Saved: %1.").arg(saved.join(QStringLiteral(", ")));
    if (toWizard >= 0)
        report << QStringLiteral("\"%1\" opens in the wizard to be finished and saved.").arg(sheets[toWizard].title);
    if (!left.isEmpty())
        report << QStringLiteral("Not made yet: %1. Import the file again and pick their questions.")
                      .arg(left.join(QStringLiteral(", ")));
    messages.ok(report.join(QStringLiteral("\n\n")));
    if (toWizard >= 0)
        openImported(sheets[toWizard]);
}
