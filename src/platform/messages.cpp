#include "messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QWidget* topWindow()
{
    QWidget* w = QApplication::activeWindow();
    return w ? w : nullptr;
}
} // namespace

void QtMessageBoxes::ok(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? QStringLiteral("Corvana") : title, text,
                    QMessageBox::Ok, topWindow());
    box.exec();
}

bool QtMessageBoxes::okCancel(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, topWindow());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}
