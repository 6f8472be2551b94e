// The dialogs a teacher answers beyond OK and Cancel: choosing a file to read or to write,
// typing a name, choosing one of a few ways on, and ticking some items of a list; and showing a
// folder in the desktop's file manager. Behind an interface so that tests can answer them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A file to read; filters as "GIFT (*.txt *.gift);;CSV (*.csv)". Empty when cancelled.
    virtual QString openFile(const QString& caption, const QString& filters) = 0;
    // A file to write, starting from suggestedName; chosenFilter gets the filter picked.
    // Empty when cancelled.
    virtual QString saveFile(const QString& caption, const QString& suggestedName, const QString& filters,
                             QString* chosenFilter) = 0;
    // A line of text, starting from suggested; empty when cancelled.
    virtual QString askText(const QString& question, const QString& suggested) = 0;
    // One of the choices, by index; -1 when cancelled.
    virtual int choose(const QString& question, const QStringList& choices) = 0;
    // Up to `most` of the items, by index in the order of the list; empty when cancelled.
    virtual QList<int> pickItems(const QString& caption, const QStringList& items, int most) = 0;
    // Opens an existing folder in the desktop's file manager; false when none could show it.
    virtual bool showFolder(const QString& path) = 0;
};

class QtDialogs : public Dialogs {
public:
    QString openFile(const QString& caption, const QString& filters) override;
    QString saveFile(const QString& caption, const QString& suggestedName, const QString& filters,
                     QString* chosenFilter) override;
    QString askText(const QString& question, const QString& suggested) override;
    int choose(const QString& question, const QStringList& choices) override;
    QList<int> pickItems(const QString& caption, const QStringList& items, int most) override;
    bool showFolder(const QString& path) override;
};
