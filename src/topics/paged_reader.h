// The paged reader "teacher": read-only pages one at a time, a print copy of each held
// invisibly for Print, and the maker's logo animation for the acknowledgments page.
#pragma once

#include "reader_pages.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

class ReadAloud;

// What the paged reader shows, handed to it by its opener when it is made.
struct ReaderHandOff {
    int readerPage = 0;       // page shown, 1..readerPageCount; the reader starts at 1
    int readerPageCount = 0;  // pages in the set, 1..3; none for the acknowledgments
    QString readerPageSet;    // the set's file-name stem, e.g. "bones"
};

class PagedReader : public Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "teacher";
    enum Action { Print = 0, Exit = 1, NextPage = 2, PreviousPage = 3 };

    explicit PagedReader(App& app, const ReaderHandOff& pages = {});
    void load() override;

    const ReaderHandOff& handOff() const { return reader_; }

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
    ReaderHandOff reader_;
};

// A freshly loaded reader on the given pages: one still open (its window moved aside, say)
// is closed first, so that no paging, background or logo of the last opening stays behind.
PagedReader& touchFreshReader(App& app, const ReaderHandOff& pages = {});
