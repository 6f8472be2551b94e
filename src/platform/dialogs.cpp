#include "dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QWidget* topWindow() { return QApplication::activeWindow(); }

// Where a teacher's files usually are: the documents folder, else the home folder.
QString startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

QString QtDialogs::openFile(const QString& caption, const QString& filters)
{
    return QFileDialog::getOpenFileName(topWindow(), caption, startFolder(), filters);
}

QString QtDialogs::saveFile(const QString& caption, const QString& suggestedName, const QString& filters,
                            QString* chosenFilter)
{
    return QFileDialog::getSaveFileName(topWindow(), caption, QDir(startFolder()).filePath(suggestedName), filters,
                                        chosenFilter);
}

QString QtDialogs::askText(const QString& question, const QString& suggested)
{
    bool ok = false;
    const QString text = QInputDialog::getText(topWindow(), QStringLiteral("Corvana"), question, QLineEdit::Normal,
                                               suggested, &ok);
    return ok ? text : QString();
}

int QtDialogs::choose(const QString& question, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Corvana"), question, QMessageBox::Cancel, topWindow());
    QList<QAbstractButton*> buttons;
    for (const QString& c : choices)
        buttons << box.addButton(c, QMessageBox::AcceptRole);
    if (!buttons.isEmpty())
        box.setDefaultButton(static_cast<QPushButton*>(buttons.first()));
    box.exec();
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

QList<int> QtDialogs::pickItems(const QString& caption, const QStringList& items, int most)
{
    QDialog dialog(topWindow());
    dialog.setWindowTitle(QStringLiteral("Corvana"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(caption, &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* list = new QListWidget(&dialog);
    list->setAccessibleName(caption);
    for (const QString& item : items) {
        auto* row = new QListWidgetItem(item, list);
        row->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        row->setCheckState(Qt::Unchecked);
    }
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // No more than `most` ticks: a further tick is taken back at once.
    QObject::connect(list, &QListWidget::itemChanged, &dialog, [list, most](QListWidgetItem* changed) {
        int ticked = 0;
        for (int i = 0; i < list->count(); ++i)
            ticked += list->item(i)->checkState() == Qt::Checked ? 1 : 0;
        if (ticked > most)
            changed->setCheckState(Qt::Unchecked);
    });
    dialog.resize(640, 480);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QList<int> picked;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            picked << i;
    return picked;
}

bool QtDialogs::showFolder(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
