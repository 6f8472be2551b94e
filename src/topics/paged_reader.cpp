#include "paged_reader.h"

#include "print_page.h"
#include "reader_layout.h"

#include "shell/animation_frames.h"
#include "shell/read_aloud.h"

#include <QTimer>

namespace {
const QColor acknowledgmentsBackground(49, 130, 212);
const QColor stillLogoBackground(128, 128, 255);
} // namespace

PagedReader::PagedReader(App& app, const ReaderHandOff& pages)
    : Screen(app, QString::fromLatin1(kName)), reader_(pages)
{
    reader::addPageItems(*this, image_, printImage_);
    pageLabel_ = reader::addPageLabel(*this, QString());
    const QList<ButtonLabel*> buttons = reader::addButtons(*this);
    for (ButtonLabel* b : buttons) {
        b->setHoverHighlights(false); // no hover handling: they stay highlighted
        connect(b, &ButtonLabel::clicked, this, &PagedReader::buttonAction);
    }
    nextButton_ = buttons[NextPage];
    previousButton_ = buttons[PreviousPage];

    logo_ = addPicture(QStringLiteral("Picture1"), {9000, 3840, 1800, 1800}, PictureItem::Clip);
    logo_->hide();
    stillLogo_ = addPicture(QStringLiteral("Picture2"), {9030, 5760, 1800, 1335}, PictureItem::Clip);
    stillLogo_->setBackground(stillLogoBackground);
    stillLogo_->hide();

    timer_ = addTimer(QStringLiteral("Timer1"), 25);
    connect(timer_, &QTimer::timeout, this, &PagedReader::tick);
    readAloud_ = new ReadAloud(*this, [this] { return readaloud::pageParts(services().files, image_); });
}

void PagedReader::load()
{
    setUpScreen();
    if (reader_.readerPageCount == 1) {
        pageLabel_->hide();
        nextButton_->hide();
        previousButton_->hide();
    }
    reader_.readerPage = 1;
    showPageLabel();
}

void PagedReader::setPage(const QString& screenCopy, const QString& printCopy)
{
    readAloud_->stop();
    setPicture(image_, screenCopy);
    setPicture(printImage_, printCopy);
}

void PagedReader::showAsAcknowledgments()
{
    pageLabel_->hide();
    nextButton_->hide();
    previousButton_->hide();
    setPicture(image_, QStringLiteral("wmf\\acknowledgments.wmf"));
    setPicture(stillLogo_, QStringLiteral("logo\\talvory2.bmp"));
    setPicture(printImage_, QStringLiteral("wmf2\\acknowledgments.wmf"));
    setBackgroundColour(acknowledgmentsBackground);
    timer_->start();
}

void PagedReader::buttonAction(int index)
{
    const ReaderHandOff& reader = reader_;
    const reader::Paging now{reader.readerPage, nextButton_->isEnabled(), previousButton_->isEnabled()};
    switch (index) {
    case Print:
        reader::printPage(services().printer, services().messages, printImage_->picture(),
                          reader::pageName(printImage_->source()));
        break;
    case Exit:
        screens().close(*this);
        break;
    case NextPage:
        applyPaging(reader::next(now, reader.readerPageCount));
        break;
    case PreviousPage:
        applyPaging(reader::previous(now, reader.readerPageCount));
        break;
    default:
        break;
    }
}

void PagedReader::applyPaging(const reader::Paging& p)
{
    reader_.readerPage = p.page;
    nextButton_->setEnabled(p.nextEnabled);
    previousButton_->setEnabled(p.previousEnabled);
    showPage();
}

void PagedReader::showPage()
{
    const ReaderHandOff& reader = reader_;
    const QString screenCopy = reader::screenCopy(reader.readerPageSet, reader.readerPage);
    if (screenCopy.isEmpty()) {
        // Sets are at most three pages long: beyond that there is no file to show.
        image_->clear();
        printImage_->clear();
    } else {
        setPage(screenCopy, reader::printCopy(reader.readerPageSet, reader.readerPage));
    }
    showPageLabel();
}

void PagedReader::showPageLabel()
{
    pageLabel_->setText(reader::pageLabel(reader_.readerPage, reader_.readerPageCount));
}

void PagedReader::tick()
{
    state().logoFrame = animation_frames::next(state().logoFrame, animation_frames::logoCount);
    setPicture(logo_, animation_frames::logo(state().logoFrame));
    logo_->show();
    stillLogo_->show();
}

PagedReader& touchFreshReader(App& app, const ReaderHandOff& pages)
{
    if (PagedReader* open = app.screens.find<PagedReader>())
        app.screens.close(*open);
    return app.screens.touchNamed<PagedReader>(QString::fromLatin1(PagedReader::kName),
                                               [&] { return new PagedReader(app, pages); });
}
