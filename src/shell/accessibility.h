// What screen readers are told about the program's own items: every button label, picture,
// activity label and box has a role and a name (Qt's own widgets already have theirs).
#pragma once

#include <QAccessible>
#include <QString>

class Picture;
class QObject;
class QWidget;

// Implemented by items whose widget class alone would tell a screen reader the wrong thing
// (a label that is really a button, a picture that is really a page of text).
class AccessibleItem {
public:
    virtual ~AccessibleItem() = default;
    virtual QAccessible::Role readerRole() const = 0;
    virtual QString readerName() const = 0;
    virtual QString readerDescription() const { return {}; }
    // Whether the item can be pressed like a button, and what pressing it does.
    virtual bool readerPressable() const { return false; }
    virtual void readerPress() {}
    virtual void readerState(QAccessible::State&) const {}
};

// Implemented by the program's windows: the name a screen reader announces for the window,
// which is the screen's own title rather than the caption every window shares.
class AccessibleWindow {
public:
    virtual ~AccessibleWindow() = default;
    virtual QString readerTitle() const = 0;
};

// Keeps an item out of what screen readers are told (an item that exists but is never shown).
void hideFromReaders(QWidget* w);
bool isHiddenFromReaders(const QObject* o);

// Makes Qt's accessibility ask AccessibleItem widgets for their role and name, and
// AccessibleWindow windows for theirs. Idempotent.
void installAccessibility();

// What a picture shows, in words, judged by the file it came from; for a page of text, the
// page's heading.
QString describePicture(const QString& source, const Picture& picture);
