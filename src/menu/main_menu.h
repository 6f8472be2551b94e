// The main menu: topics and teacher tools, the brain animation and the sound switch.
#pragma once

#include "shell/screen_frame.h"
#include "state/app_state.h"

#include <vector>

class QRadioButton;
struct TopicFile;

class MainMenu : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "intro0";
    static constexpr int entryCount = 23;
    explicit MainMenu(App& app);
    void load() override;
    void arrangeKeyboardOrder() override;

    PictureItem* image() const { return image_; }
    QString shownPicture() const override { return image_->source(); }
    int brainFrame() const { return brainFrame_; }
    // What the entry does, before its click sound; also reached by tests.
    void entryAction(int index);

    // Reads the program's topics again: the captions of the topic entries and the pages of
    // more topics, for topics without a place of their own among the entries. Runs at load.
    void updateTopics();
    // The menu's pages: 0 holds the entries; pages from 1 list the more topics, sixteen
    // to a page. Only the topic columns change from page to page.
    int page() const { return page_; }
    int pageCount() const;
    void showPage(int page);
    static constexpr int topicsPerPage = 16;

protected:
    void escapePressed() override;
    // Topics read again while the menu stood behind another screen show when it comes back.
    bool event(QEvent* e) override;

private:
    void readWorksheetList();
    void tick();
    void entryClicked(int index);
    void pageEntryClicked(int slot);
    void turnClicked(int which);

    PictureItem* image_;
    QRadioButton* soundOnOption_;
    QRadioButton* soundOffOption_;
    QTimer* readTimer_;
    QTimer* animationTimer_;
    int brainFrame_ = 0; // the brain animation's frame, 0..99

    // The pages of more topics.
    QList<ButtonLabel*> firstPageOnly_; // the topic columns' entries of page 0
    QList<ButtonLabel*> pageEntries_;   // Label4(0..15): the topics of a later page
    ButtonLabel* moreTopics_;           // Label5(0): the next page
    ButtonLabel* back_;                 // Label5(1): the page before
    QLabel* pageHeading_;               // Label6: which page this is
    std::shared_ptr<const TopicCatalogue> shownTopics_; // keeps the listed topics alive
    std::vector<const TopicFile*> moreTopicFiles_;
    int page_ = 0;
};
