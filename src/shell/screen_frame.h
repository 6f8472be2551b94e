// The screen frame: the base of every screen (the standard window, its items, the sound
// gate) and the registry that opens and closes screens. The items live in files of their own:
// button_label.h, picture_item.h, option_button.h; the focus mark and arrow keys in
// keyboard_focus.h; every twips-to-pixel conversion and font size in display_scale.h.
#pragma once

#include "accessibility.h"
#include "app.h"
#include "button_label.h"
#include "display_scale.h"
#include "picture_item.h"
#include "ui.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QTimer;

// Base of every screen: a top-level window found by its name, holding named items.
class Screen : public QWidget, public AccessibleWindow {
    Q_OBJECT
public:
    Screen(App& app, const QString& name);

    // What screen readers call the window: the screen's own title. Unless a screen sets one,
    // its heading (the largest text it shows); the caption is the same on every window.
    QString readerTitle() const override;
    void setReaderTitle(const QString& title) { readerTitle_ = title; }

    // The load handler; runs when the screen is first touched. Standard screens call
    // setUpScreen() first.
    virtual void load() {}

    // Colours, captions, sizes and centres a standard screen.
    void setUpScreen();
    // The window's size in twips (a standard screen's unless told otherwise), and its place
    // centred on the display at the display scale.
    void setDesignSize(QSizeF twipsSize) { designSize_ = twipsSize; }
    QSizeF designSize() const { return designSize_; }
    void centreOnDisplay();
    // Standard screens go without a window frame while the picture fills the display.
    void fitWindowFrame();

    // Lays every item out again at the current display scale; screens with items placed by
    // their own rules re-place them in rescaled().
    void rescale();

    template <class T = QWidget> T* item(const QString& name) const
    {
        return findChild<T*>(name);
    }
    ButtonLabel* button(const QString& array, int index) const
    {
        return item<ButtonLabel>(ui::itemName(array, index));
    }

    // The sound gate.
    void playSound(const QString& wavePath);

    // Loads a picture by relative path into an item; false when it could not be loaded.
    bool setPicture(PictureItem* item, const QString& path);

    // Item builders: positions and sizes in twips.
    QLabel* addLabel(const QString& name, QRectF twipsRect, const QString& text, const FontSpec& font,
                     const QColor& colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
    ButtonLabel* addButton(const QString& array, int index, QRectF twipsRect, const QString& caption,
                           const FontSpec& font, const QColor& highlight = ui::defaultHighlight);
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

    // The picture the screen shows now in its main picture item, for a screen that opens a
    // task with the same picture (the catalogue's quiz takes the menu's brain frame); most
    // screens have none.
    virtual QString shownPicture() const { return QString(); }

    // Called by the registry when the screen is unloaded.
    virtual void unload();

    // The item the keyboard goes to first when the screen comes to the front.
    virtual QWidget* firstFocus() const;
    // Sets the order in which Tab visits the items: by default in reading order, top to
    // bottom and left to right. Run once the screen has loaded.
    virtual void arrangeKeyboardOrder();
    // Run by the registry once the load handler has run: the keyboard's order, and fonts
    // for items that would otherwise keep the system's size at every scale.
    void loaded();
    // Chains Tab through the items in the order given; the first is where the keyboard starts.
    void chainKeyboardOrder(const QList<QWidget*>& items);

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    // The mouse over the screen itself, not over any item.
    virtual void backgroundMouseMove();
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    // Escape: what the screen's Exit does.
    virtual void escapePressed();
    virtual void rescaled() {}

    // Moves the keyboard focus to the nearest item in the arrow's direction.
    bool moveFocusTowards(int key);

private:
    // Pictures loaded afresh at the display scale, sharper where a larger copy serves it.
    void reloadPictures();

    App& app_;
    QList<ButtonLabel*> hoverButtons_;
    QSizeF designSize_{ui::screenWidth, ui::screenHeight};
    double laidOutAt_ = display::scale(); // the display scale the items were last laid out at
    QPointer<QWidget> firstInOrder_;
    QString readerTitle_;
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
        screen->loaded();
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
        screen->loaded();
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

    // Full screen: the picture fitted to the display, keeping its 4:3 shape; otherwise a
    // window at 96 dpi. Changing it lays every open screen out again.
    bool isFullScreen() const { return fullScreen_; }
    void setFullScreen(bool on);
    void toggleFullScreen() { setFullScreen(!fullScreen_); }

    // The screen shown last that is still open: the one in front.
    Screen* front() const;

private:
    void bringToFront(Screen& screen);
    // Lays every open screen out again at the display scale, and shows again those shown.
    void rescaleAll();
    // Makes the front screen the active window with its focus on a visible item, once the
    // window system has shown it again.
    void restoreKeyboard();

    App* app_ = nullptr;
    QHash<QString, QPointer<Screen>> open_;
    QList<QPointer<Screen>> stacking_; // shown screens, the front one last
    QHash<QString, std::function<Screen*(App&)>> makers_;
    bool backdropShown_ = false;
    bool ending_ = false;
    bool fullScreen_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true); // for calls that come later
};
