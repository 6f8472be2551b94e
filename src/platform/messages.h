// Modal message boxes, behind an interface so tests can answer them.
#pragma once

#include <QString>

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A box with one OK button; returns when it is dismissed.
    virtual void ok(const QString& text, const QString& title = QString()) = 0;
    // A box with OK and Cancel; true for OK.
    virtual bool okCancel(const QString& text, const QString& title = QString()) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void ok(const QString& text, const QString& title = QString()) override;
    bool okCancel(const QString& text, const QString& title = QString()) override;
};
