// What every screen shares: the standard window, button labels with hover highlighting,
// picture items, the sound gate, and the registry that opens and closes screens.
#pragma once

#include "app.h"
#include "platform/pictures.h"
#include "platform/twips.h"

#include <QColor>
#include <QHash>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class QTimer;

namespace frame {
inline const QColor frameColour(39, 63, 137);
inline const QColor backdropColour(48, 133, 214);
inline const QColor captionColour(255, 255, 0);
inline const QColor defaultHighlight(0, 0, 0);
inline constexpr double screenWidth = 12000;  // twips
inline constexpr double screenHeight = 9000;
inline const QString productTitle = QStringLiteral("Corvana");
inline const QString clickSound = QStringLiteral("wav\\click.wav");
inline const QString mainMenuScreen = QStringLiteral("intro0");

// Top-left of a window of the given size centred on a display, both in twips, without
// clamping: a window larger than the display overlaps its edges evenly.
QPointF centredTopLeft(QSizeF displayTwips, QSizeF windowTwips);
// "Label2" and 3 give "Label2(3)", the name by which layouts and tests find an item.
QString itemName(const QString& array, int index);
} // namespace frame

struct FontSpec {
    const char* family; // "Tahoma", "Times New Roman", "Arial"
    double points;
    bool bold = false;
};
QFont makeFont(const FontSpec& spec);

// A label used as a push button: thin border, centred caption, and a highlight colour that
// fills it while it is highlighted. Plain, it lets the screen colour show through.
class ButtonLabel : public QLabel {
    Q_OBJECT
public:
    ButtonLabel(QWidget* parent, const QString& array, int index);

    int index() const { return index_; }
    void setHighlightColour(const QColor& c);
    QColor highlightColour() const { return highlight_; }
    void setHighlighted(bool on);
    bool isHighlighted() const { return highlighted_; }
    // Whether the mouse moving over it highlights it (some screens have no hover handling).
    void setHoverHighlights(bool on) { hoverHighlights_ = on; }

signals:
    void clicked(int index);
    void hovered(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    int index_;
    QColor highlight_ = frame::defaultHighlight;
    bool highlighted_ = true;
    bool hoverHighlights_ = true;
    bool pressed_ = false;
};

// A picture on a screen: stretched to the item, taking the picture's own size, or drawn at
// its own size from the top-left and clipped (a picture box with its own background).
class PictureItem : public QWidget {
    Q_OBJECT
public:
    enum Mode { Stretch, AutoSize, Clip };
    PictureItem(QWidget* parent, const QString& name, Mode mode);

    void setPicture(const Picture& picture, const QString& source);
    void clear();
    const Picture& picture() const { return picture_; }
    const QString& source() const { return source_; } // relative path last set, for tests
    void setBackground(const QColor& c);
    QColor background() const { return background_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Mode mode_;
    Picture picture_;
    QString source_;
    QColor background_; // invalid: transparent
};

// Base of every screen: a top-level window found by its name, holding named items.
class Screen : public QWidget {
    Q_OBJECT
public:
    Screen(App& app, const QString& name);

    // The load handler; runs when the screen is first touched. Standard screens call
    // setUpScreen() first.
    virtual void load() {}

    // Colours, captions, sizes and centres a standard screen.
    void setUpScreen();

    template <class T = QWidget> T* item(const QString& name) const
    {
        return findChild<T*>(name);
    }
    ButtonLabel* button(const QString& array, int index) const
    {
        return item<ButtonLabel>(frame::itemName(array, index));
    }

    // The sound gate.
    void playSound(const QString& wavePath);

    // Loads a picture by relative path into an item; false when it could not be loaded.
    bool setPicture(PictureItem* item, const QString& path);

    // Item builders: positions and sizes in twips.
    QLabel* addLabel(const QString& name, QRectF twipsRect, const QString& text, const FontSpec& font,
                     const QColor& colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
    ButtonLabel* addButton(const QString& array, int index, QRectF twipsRect, const QString& caption,
                           const FontSpec& font, const QColor& highlight = frame::defaultHighlight);
    PictureItem* addPicture(const QString& name, QRectF twipsRect, PictureItem::Mode mode);
    QTimer* addTimer(const QString& name, int intervalMs);
    void place(QWidget* w, QRectF twipsRect);

    // Button labels that the mouse over the background turns plain.
    void setHoverButtons(QList<ButtonLabel*> buttons) { hoverButtons_ = std::move(buttons); }
    const QList<ButtonLabel*>& hoverButtons() const { return hoverButtons_; }

    void setBackgroundColour(const QColor& c);
    QColor backgroundColour() const;

    App& app() { return app_; }
    AppState& state() { return app_.state; }
    Services& services() { return app_.services; }
    Screens& screens() { return app_.screens; }

    // Called by the registry when the screen is unloaded.
    virtual void unload();

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    // The mouse over the screen itself, not over any item.
    virtual void backgroundMouseMove();
    void closeEvent(QCloseEvent* e) override;

private:
    App& app_;
    QList<ButtonLabel*> hoverButtons_;
};

// Opens and closes screens: a screen loads on first touch (its load handler runs before the
// caller changes anything on it), is shown modeless on top, and is discarded when closed.
class Screens {
public:
    void attach(App* app) { app_ = app; }

    template <class T> T& touch()
    {
        if (T* open = find<T>())
            return *open;
        T* screen = new T(*app_);
        open_.insert(screen->objectName(), screen);
        screen->load();
        return *screen;
    }
    // For screens of one class that differ by their data (a topic's hub, an activity): the
    // name finds an open one; otherwise make() builds it and it loads.
    template <class T, class Make> T& touchNamed(const QString& name, Make make)
    {
        if (auto* open = qobject_cast<T*>(find(name)))
            return *open;
        T* screen = make();
        open_.insert(screen->objectName(), screen);
        screen->load();
        return *screen;
    }
    // Screens that other folders open by name, so that a screen can bring back one it does
    // not know (a hub's Exit shows the main menu). The program defines them at start.
    void define(const QString& name, std::function<Screen*(App&)> make) { makers_.insert(name, std::move(make)); }
    // Loads a defined screen (its load handler runs) unless it is open; nullptr when the
    // name was never defined.
    Screen* touch(const QString& name);

    template <class T> T* find() const
    {
        return static_cast<T*>(open_.value(QString::fromLatin1(T::kName)).data());
    }
    Screen* find(const QString& name) const { return open_.value(name).data(); }
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }

    void show(Screen& screen);
    void close(Screen& screen);
    void closeAll();
    QStringList loadedNames() const { return open_.keys(); }

private:
    App* app_ = nullptr;
    QHash<QString, QPointer<Screen>> open_;
    QHash<QString, std::function<Screen*(App&)>> makers_;
    bool ending_ = false;
};
