#include "guide_screen.h"

#include "print_page.h"
#include "reader_layout.h"

#include "shell/read_aloud.h"

GuideScreen::GuideScreen(App& app) : Screen(app, QString::fromLatin1(kName))
{
    reader::addPageItems(*this, image_, printImage_);
    pageLabel_ = reader::addPageLabel(*this, guide::pageLabel(1));
    heading_ = addLabel(QStringLiteral("Label2"), {0, 120, 11775, 615}, QString(), {"Tahoma", 14.25},
                        ui::captionColour, Qt::AlignHCenter | Qt::AlignTop);
    // Made after the heading, which spans the top of the screen, so Print stays on top of it.
    const QList<ButtonLabel*> buttons = reader::addButtons(*this);
    for (ButtonLabel* b : buttons) {
        // The mouse over the background turns the buttons plain, and nothing highlights
        // them again while the guide is open.
        b->setHoverHighlights(false);
        connect(b, &ButtonLabel::clicked, this, &GuideScreen::buttonAction);
    }
    setHoverButtons(buttons);
    nextButton_ = buttons[NextPage];
    previousButton_ = buttons[PreviousPage];
    readAloud_ = new ReadAloud(*this, [this] { return readaloud::pageParts(services().files, image_); });
}

void GuideScreen::load() { setUpScreen(); }

void GuideScreen::setPage(const QString& screenCopy, const QString& printCopy)
{
    readAloud_->stop();
    setPicture(image_, screenCopy);
    setPicture(printImage_, printCopy);
}

void GuideScreen::buttonAction(int index)
{
    int& page = readerPage_;
    switch (index) {
    case Print:
        reader::printPage(services().printer, services().messages, printImage_->picture(),
                          QStringLiteral("Teachers' Guide - page %1").arg(readerPage_));
        break;
    case Exit:
        screens().close(*this);
        break;
    case NextPage:
        ++page;
        showGuidePage();
        break;
    case PreviousPage:
        --page;
        showGuidePage();
        break;
    default:
        break;
    }
}

void GuideScreen::showGuidePage()
{
    const int page = readerPage_;
    heading_->setText(QString());
    if (const guide::Page* entry = guide::page(page))
        setPage(QString::fromLatin1(entry->screenCopy), QString::fromLatin1(entry->printCopy));
    const reader::Paging after =
        guide::show({page, nextButton_->isEnabled(), previousButton_->isEnabled()}, page);
    nextButton_->setEnabled(after.nextEnabled);
    previousButton_->setEnabled(after.previousEnabled);
    pageLabel_->setText(guide::pageLabel(page));
}
