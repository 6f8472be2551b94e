#include "reader_layout.h"

namespace reader {

void addPageItems(Screen& screen, PictureItem*& image, PictureItem*& printImage)
{
    image = screen.addPicture(QStringLiteral("Image1"), {pageLeft, pageTop, 0, 0}, PictureItem::AutoSize);
    printImage = screen.addPicture(QStringLiteral("Image2"), {0, 0, 0, 0}, PictureItem::AutoSize);
    printImage->hide();
}

QLabel* addPageLabel(Screen& screen, const QString& text)
{
    QLabel* label = screen.addLabel(QStringLiteral("Label1"), pageLabelRect, text, buttonFont, QColor(0, 0, 0),
                                    Qt::AlignCenter);
    label->setWordWrap(false);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, QColor(255, 255, 255));
    label->setPalette(p);
    return label;
}

QList<ButtonLabel*> addButtons(Screen& screen)
{
    QList<ButtonLabel*> all;
    for (int i = 0; i < 4; ++i) {
        const ButtonItem& b = buttons[i];
        all << screen.addButton(QStringLiteral("Label3"), i, {b.left, b.top, b.width, b.height},
                                QString::fromLatin1(b.caption), buttonFont);
    }
    all[3]->setEnabled(false);
    return all;
}

} // namespace reader
