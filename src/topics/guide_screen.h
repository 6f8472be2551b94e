// The teachers' guide "guide": four fixed pages, laid out like the paged reader.
#pragma once

#include "reader_pages.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

class ReadAloud;

class GuideScreen : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "guide";
    enum Action { Print = 0, Exit = 1, NextPage = 2, PreviousPage = 3 };

    explicit GuideScreen(App& app);
    void load() override;

    // The caller places page 1.
    void setPage(const QString& screenCopy, const QString& printCopy);

    PictureItem* image() const { return image_; }
    PictureItem* printImage() const { return printImage_; }
    ReadAloud* readAloud() const { return readAloud_; }
    int readerPage() const { return readerPage_; }

    // What the button does; also reached by tests. This screen plays no sounds.
    void buttonAction(int index);

private:
    void showGuidePage();

    PictureItem* image_;
    PictureItem* printImage_;
    ReadAloud* readAloud_;
    QLabel* pageLabel_;
    QLabel* heading_;
    ButtonLabel* nextButton_;
    ButtonLabel* previousButton_;
    int readerPage_ = 1; // the guide page shown, 1..4
};
