// The paged reader "teacher": read-only pages one at a time, a print copy of each held
// invisibly for Print, and the maker's logo animation for the acknowledgments page.
#pragma once

#include "reader_pages.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

class ReadAloud;

class PagedReader : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "teacher";
    enum Action { Print = 0, Exit = 1, NextPage = 2, PreviousPage = 3 };

    explicit PagedReader(App& app);
    void load() override;

    // The caller places the first page: the copy shown and the copy printed.
    void setPage(const QString& screenCopy, const QString& printCopy);
    // The acknowledgments page: its own background, the still logo and the logo animation,
    // with no page label and no paging whatever the last page set was.
    void showAsAcknowledgments();

    PictureItem* image() const { return image_; }
    PictureItem* printImage() const { return printImage_; }
    ReadAloud* readAloud() const { return readAloud_; }

    // What the button does; also reached by tests. This screen plays no sounds.
    void buttonAction(int index);

private:
    void showPage();
    void showPageLabel();
    void applyPaging(const reader::Paging& p);
    void tick();

    PictureItem* image_;
    PictureItem* printImage_;
    ReadAloud* readAloud_;
    QLabel* pageLabel_;
    ButtonLabel* nextButton_;
    ButtonLabel* previousButton_;
    PictureItem* logo_;
    PictureItem* stillLogo_;
    QTimer* timer_;
};

// Loads the reader afresh for a new page set: a reader still open (its window moved aside,
// say) is closed first, since its load handler is what reads the page count.
PagedReader& touchFreshReader(App& app);
