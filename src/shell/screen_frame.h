// What every screen shares: the standard window, button labels with hover highlighting,
// picture items, the sound gate, and the registry that opens and closes screens.
#pragma once

#include "accessibility.h"
#include "app.h"
#include "click_rule.h"
#include "platform/pictures.h"
#include "platform/screen_design.h"
#include "platform/twips.h"

#include <QColor>
#include <QPainter>
#include <QHash>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QRadioButton>
#include <QWidget>

#include <functional>
#include <memory>

class QTimer;

namespace frame {
inline const QColor frameColour(39, 63, 137);
inline const QColor backdropColour(48, 133, 214);
inline const QColor captionColour(255, 255, 0);
inline const QColor defaultHighlight(0, 0, 0);
inline constexpr double screenWidth = design::screenWidth; // twips
inline constexpr double screenHeight = design::screenHeight;
inline const QString productTitle = QStringLiteral("Corvana");
inline const QString clickSound = QStringLiteral("wav\\click.wav");
inline const QString mainMenuScreen = QStringLiteral("intro0");
inline const QString titleScreen = QStringLiteral("Titlefrm");
// A screen in a window: a caption and a minimise button, no maximise or close.
inline constexpr Qt::WindowFlags windowedFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;

// Top-left of a window of the given size centred on a display, both in twips, without
// clamping: a window larger than the display overlaps its edges evenly.
QPointF centredTopLeft(QSizeF displayTwips, QSizeF windowTwips);
// "Label2" and 3 give "Label2(3)", the name by which layouts and tests find an item.
QString itemName(const QString& array, int index);

// Places an item at a rectangle in twips of its screen, remembered so that the item follows
// when the display scale changes.
void place(QWidget* w, QRectF twipsRect);
// The twips rectangle an item was placed at; null when it was placed in pixels.
QRectF placedAt(const QWidget* w);

// A line that is the given number of pixels wide at 96 dpi, at the display scale (at least 1).
int lineWidth(double pixelsAt96Dpi);
// The thin single-line border of labels and boxes, inside the rectangle, growing with the scale.
void paintBorder(QPainter& p, const QRect& r, const QColor& colour);

// Makes the style's own drawings (option dots, tick boxes) follow the display scale.
void installScaledStyle();

// Whether an item draws its focus mark: it has the focus and the keyboard is in use.
bool showsFocus(const QWidget* w);
// The keyboard focus mark every focusable item draws: a white band edged in black, which
// shows on the blue screens, on black buttons and on yellow alike; on a white or pale item (a
// text box, a grey push button) the same band in black edged in white.
void paintFocusRing(QPainter& p, const QRect& r, bool onPale = false);
} // namespace frame

// The font at the display scale, for drawing.
QFont makeFont(const FontSpec& spec);
// The font at the design density (96 dpi) whatever the display, for measuring in twips.
QFont makeDesignFont(const FontSpec& spec);
// Gives an item its font and remembers the size, so that it follows the display scale.
void setItemFont(QWidget* w, const FontSpec& spec);

// A label used as a push button: thin border, centred caption, and a highlight colour that
// fills it while it is highlighted. Plain, it lets the screen colour show through.
class ButtonLabel : public QLabel, public AccessibleItem {
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

    // What a click does, for the keyboard and for screen readers.
    void click();

    QAccessible::Role readerRole() const override { return QAccessible::Button; }
    // The caption without the arrows drawn beside some ("Next Question >>" is "Next Question").
    QString readerName() const override;
    bool readerPressable() const override { return isEnabled(); }
    void readerPress() override { click(); }

signals:
    void clicked(int index);
    void hovered(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int index_;
    QColor highlight_ = frame::defaultHighlight;
    bool highlighted_ = true;
    bool hoverHighlights_ = true;
    ClickRule clicks_;
};

// A picture on a screen: stretched to the item, taking the picture's own size, or drawn at
// its own size from the top-left and clipped (a picture box with its own background).
class PictureItem : public QWidget, public AccessibleItem {
    Q_OBJECT
public:
    enum Mode { Stretch, AutoSize, Clip };
    PictureItem(QWidget* parent, const QString& name, Mode mode);

    void setPicture(const Picture& picture, const QString& source);
    void clear();
    const Picture& picture() const { return picture_; }
    const QString& source() const { return source_; } // relative path last set, for tests
    Mode mode() const { return mode_; }
    void setBackground(const QColor& c);
    QColor background() const { return background_; }
    // What the picture shows, in words, for screen readers.
    QString description() const;

    QAccessible::Role readerRole() const override { return QAccessible::Graphic; }
    QString readerName() const override { return description(); }
    QString readerDescription() const override { return picture_.words(); }
    // An empty picture box shows nothing, so there is nothing to read out.
    void readerState(QAccessible::State& s) const override { s.invisible = s.invisible || picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Mode mode_;
    Picture picture_;
    QString source_;
    QColor background_; // invalid: transparent
    // The picture as drawn at the item's size on this display: repaints only copy it.
    QPixmap drawn_;
};

// An option button that reacts across its whole row, not only on its dot and its words: a
// pupil clicking beside a short answer ("206") selects it.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(const QString& text, QWidget* parent);

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* e) override;
};

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
    void scaleDefaultFont();

    App& app_;
    QList<ButtonLabel*> hoverButtons_;
    QSizeF designSize_{frame::screenWidth, frame::screenHeight};
    double laidOutAt_ = twips::scale(); // the display scale the items were last laid out at
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

namespace frame {
// Screen pixels per 96-dpi pixel that fit a standard screen into a display of the given pixel
// size keeping its shape; in a window never more than 1.
double fittingScale(QSizeF displayPixels, bool fullScreen);
} // namespace frame
