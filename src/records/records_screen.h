// The teacher's view of the class records: pupils down the side and tasks across, a pupil's
// history, and for a quiz the questions most often answered wrongly; export and print.
#pragma once

#include "class_report.h"

#include "shell/screen_frame.h"

class QComboBox;
class QTableWidget;

class ClassRecordsScreen : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "records";
    enum class View { Grid, History, Questions };
    // Label3(i): what each button does in the grid view.
    enum Button { History = 0, Questions = 1, ExportCsv = 2, PrintSummary = 3, Settings = 4, Exit = 5 };

    explicit ClassRecordsScreen(App& app);
    void load() override;

    // Reads every record again and shows the grid for the class chosen in the list.
    void refresh();
    void buttonClicked(int index);
    // The views, for the buttons and for tests.
    void showGrid();
    void showHistory(const QString& pupil);
    void showQuestions(const records::TaskId& task);
    // Where exported CSV files go; the teacher's documents folder unless told otherwise.
    void setExportFolder(const QString& folder) { exportFolder_ = folder; }
    // Writes the CSV of the records shown; the file's path, or empty when it failed.
    QString exportCsv();
    void printSummary();
    // The class, the table, then the buttons along the bottom.
    void arrangeKeyboardOrder() override;

    View view() const { return view_; }
    QTableWidget* table() const { return table_; }
    QComboBox* classChoice() const { return classChoice_; }
    const records::ClassGrid& grid() const { return grid_; }
    const QList<TaskRecord>& shownRecords() const { return shown_; }

protected:
    void escapePressed() override;

private:
    void fillGrid();
    void setButtons(const QStringList& captions);
    QStringList chosenPupils();
    QString chosenClassName() const;
    void forgetPupil();

    QComboBox* classChoice_;
    QTableWidget* table_;
    QLabel* title_;
    QLabel* note_;
    QList<TaskRecord> all_;
    QList<TaskRecord> shown_; // the chosen class's records
    records::ClassGrid grid_;
    View view_ = View::Grid;
    QString historyPupil_;
    QString exportFolder_;
};

// Opens the class records, first asking for the teachers' PIN when one is set.
void openClassRecords(App& app);
