// The worksheet catalogue: the teachers' worksheets 24 to a page, each opened as a quiz,
// edited in the wizard or removed from the list, as the two tick boxes choose.
#pragma once

#include "shell/screen_frame.h"
#include "state/app_state.h"
#include "worksheets/exchange/question_exchange.h"

class QCheckBox;

namespace catalogue_text {
inline const QString importCaption = QStringLiteral("Import Questions\u2026");
inline const QString exportCaption = QStringLiteral("Export Worksheet\u2026");
inline const QString exportingCaption = QStringLiteral("Choose a worksheet\u2026");
} // namespace catalogue_text

class Catalogue : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "worksheets";
    static constexpr int entryCount = 24;

    explicit Catalogue(App& app);
    void load() override;

    void workpage();
    void editworksheet();
    // Removes titleToDelete from the list; false when the list could not be read or written.
    bool delworksheet();

    // Clicks: Label2(0) is Exit, Label2(1..24) the titles; Label3(0) and (1) turn the page.
    void entryClicked(int index);
    void pageClicked(int index);

    // "Import Questions..." brings questions in from another program's file; "Export
    // Worksheet..." makes the next entry click write that worksheet in another format.
    void importQuestions();
    void exportClicked();
    bool isExporting() const { return exporting_; }
    ButtonLabel* importButton() const { return importButton_; }
    ButtonLabel* exportButton() const { return exportButton_; }

    int currentPage() const { return currentPage_; }
    ButtonLabel* entry(int i) const { return entries_.at(i); }
    QCheckBox* check1() const { return check1_; }
    QCheckBox* check2() const { return check2_; }

private:
    void showEntries();
    void setExporting(bool on);
    void exportWorksheet(const QString& title);
    void openImported(const WorksheetEntries& entries);
    void makeSeveral(const QList<exchange::ImportedQuestion>& questions, QString suggestion);

    QCheckBox* check1_;
    QCheckBox* check2_;
    std::array<ButtonLabel*, entryCount + 1> entries_{};
    ButtonLabel* previous_;
    ButtonLabel* next_;
    QLabel* pageLabel_;
    int currentPage_ = 0;
    QString titleToDelete_;
    ButtonLabel* importButton_;
    ButtonLabel* exportButton_;
    bool exporting_ = false;
};
