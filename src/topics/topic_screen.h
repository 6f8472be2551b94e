// The teachers' topic screen: every topic Corvana found, where it comes from and whether it is
// ready, with the mistakes of one that is not; and the ways to add, mend and share topics.
#pragma once

#include "content/topic_sources.h"

#include "shell/screen_frame.h"

class QPlainTextEdit;
class QTableWidget;

class TopicScreen : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "teacherTopics";
    // Label3(i): the buttons, two rows along the bottom.
    enum Button { CheckAgain = 0, OpenFolder, NewTopic, MendCopy, ImportTopic, ExportTopic, Exit };

    explicit TopicScreen(App& app);
    void load() override;
    // The table, the chosen topic's details, then the buttons.
    void arrangeKeyboardOrder() override;

    // Lists the topics of the program's reports again, keeping the chosen one.
    void refresh();
    // Chooses the topic of that folder and origin in the list; false when it is not listed.
    bool choose(const QString& folder, TopicOrigin origin);
    // The topic chosen in the list, or nullptr.
    const TopicReport* chosen() const;

    void buttonClicked(int index);
    void checkAgain();
    void openFolder();
    void newTopic();
    void mendCopy();
    void importTopic();
    void exportTopic();

    QTableWidget* table() const { return table_; }
    QPlainTextEdit* details() const { return details_; }

protected:
    void escapePressed() override;

private:
    void showDetails();
    // Reads the folders again and chooses the topic of folder in the teacher's own folder.
    const TopicReport* reloadAndChoose(const QString& folder);
    // Folder names already in use: every listed topic's and every folder in the teacher's.
    QStringList takenFolders();
    void tell(const QString& text);

    QTableWidget* table_;
    QPlainTextEdit* details_;
    QLabel* note_;
    QList<TopicReport> shown_; // the rows of the table
};

// Opens the topic screen over the screen in front (the menu asks for the teachers' PIN first).
void openTopicScreen(App& app);
