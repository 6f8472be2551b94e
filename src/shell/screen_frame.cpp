#include "screen_frame.h"

#include "display_scale.h"
#include "keyboard_focus.h"

#include "platform/sound.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

void playThroughGate(App& app, const QString& wavePath)
{
    if (app.soundSwitch.soundOn == 1)
        app.services.sound.playWave(wavePath);
}

// ---------------------------------------------------------------- Screen

Screen::Screen(App& app, const QString& name) : QWidget(nullptr), app_(app)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlags(ui::windowedFlags);
    setMouseTracking(true);
    setAutoFillBackground(true);
    installAccessibility();
    ui::watchKeyboard();
    display::scaleWindowFont(this);
}

QString Screen::readerTitle() const
{
    if (!readerTitle_.isEmpty())
        return readerTitle_;
    // The heading: the largest words shown, the highest of them if several are as large.
    const QLabel* best = nullptr;
    for (const QLabel* l : findChildren<QLabel*>()) {
        if (qobject_cast<const ButtonLabel*>(l) || l->text().trimmed().isEmpty() || !l->isVisibleTo(this))
            continue;
        if (dynamic_cast<const AccessibleItem*>(l))
            continue;
        const int size = l->font().pixelSize() > 0 ? l->font().pixelSize() : qRound(l->font().pointSizeF() * 2);
        const int bestSize =
            best ? (best->font().pixelSize() > 0 ? best->font().pixelSize() : qRound(best->font().pointSizeF() * 2)) : -1;
        if (size > bestSize || (size == bestSize && l->mapTo(this, QPoint()).y() < best->mapTo(this, QPoint()).y()))
            best = l;
    }
    return best ? best->text().simplified() : windowTitle();
}

void Screen::setBackgroundColour(const QColor& c)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
}

QColor Screen::backgroundColour() const { return palette().color(QPalette::Window); }

void Screen::setUpScreen()
{
    setBackgroundColour(ui::frameColour);
    setWindowTitle(ui::productTitle);
    // From here on nothing can stop the set-up.
    if (auto* picture = item<PictureItem>(QStringLiteral("Picture1")))
        picture->setBackground(ui::frameColour);
    designSize_ = QSizeF(ui::screenWidth, ui::screenHeight);
    fitWindowFrame();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    centreOnDisplay();
    QGuiApplication::restoreOverrideCursor();
}

void Screen::fitWindowFrame()
{
    // Filling the display, a standard screen has no frame: a caption bar would push its
    // bottom edge off the display. (A caption hint would bring the frame back.)
    const bool frameless = screens().isFullScreen() && designSize_ == QSizeF(ui::screenWidth, ui::screenHeight);
    const Qt::WindowFlags flags = frameless ? Qt::Window | Qt::FramelessWindowHint : ui::windowedFlags;
    if (flags != windowFlags())
        setWindowFlags(flags);
}

void Screen::centreOnDisplay()
{
    setFixedSize(display::toPixels(designSize_.width()), display::toPixels(designSize_.height()));
    QSizeF displayTwips = designSize_;
    QPointF origin;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        displayTwips = QSizeF(display::fromPixels(s->geometry().width()), display::fromPixels(s->geometry().height()));
        origin = s->geometry().topLeft();
    }
    const QPointF topLeft = ui::centredTopLeft(displayTwips, designSize_);
    move(QPoint(display::toPixels(topLeft.x()), display::toPixels(topLeft.y())) + origin.toPoint());
}

void Screen::rescale()
{
    // Every item placed in twips goes back to its place at the new scale; fonts follow.
    const double ratio = display::scale() / laidOutAt_;
    display::replaceItems(this, ratio);
    reloadPictures();
    display::rescaleFonts(this, ratio);
    laidOutAt_ = display::scale();
    if (minimumWidth() == maximumWidth()) { // sized by the frame, not by the window system
        fitWindowFrame();
        centreOnDisplay();
    }
    rescaled();
    update();
}

void Screen::reloadPictures()
{
    for (PictureItem* picture : findChildren<PictureItem*>()) {
        if (picture->isWindow())
            continue;
        if (!picture->source().isEmpty())
            setPicture(picture, picture->source());
        if (picture->mode() == PictureItem::AutoSize && !picture->picture().isNull())
            picture->resize(picture->picture().sizePixels());
    }
}

void Screen::playSound(const QString& wavePath) { playThroughGate(app_, wavePath); }

bool Screen::setPicture(PictureItem* target, const QString& path)
{
    if (!target)
        return false;
    const Picture picture = services().pictures.load(path);
    target->setPicture(picture, path);
    return !picture.isNull();
}

void Screen::place(QWidget* w, QRectF r) { display::place(w, r); }

QLabel* Screen::addLabel(const QString& name, QRectF r, const QString& text, const FontSpec& font,
                         const QColor& colour, Qt::Alignment align)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    display::setItemFont(label, font);
    label->setAlignment(align);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    place(label, r);
    return label;
}

ButtonLabel* Screen::addButton(const QString& array, int index, QRectF r, const QString& caption,
                               const FontSpec& font, const QColor& highlight)
{
    auto* b = new ButtonLabel(this, array, index);
    b->setText(caption);
    display::setItemFont(b, font);
    b->setHighlightColour(highlight);
    place(b, r);
    return b;
}

PictureItem* Screen::addPicture(const QString& name, QRectF r, PictureItem::Mode mode)
{
    auto* p = new PictureItem(this, name, mode);
    place(p, r);
    return p;
}

QTimer* Screen::addTimer(const QString& name, int intervalMs)
{
    auto* t = new QTimer(this);
    t->setObjectName(name);
    t->setInterval(intervalMs);
    return t;
}

void Screen::mouseMoveEvent(QMouseEvent* e)
{
    // Moves over items that do not handle the mouse arrive here too; only the bare
    // background counts.
    if (!childAt(e->position().toPoint()))
        backgroundMouseMove();
}

void Screen::backgroundMouseMove()
{
    for (ButtonLabel* b : hoverButtons_)
        b->setHighlighted(false);
}

void Screen::unload()
{
    for (QTimer* t : findChildren<QTimer*>())
        t->stop();
}

QWidget* Screen::firstFocus() const
{
    // The item the screen's own load focused, or else the first in the keyboard's order.
    if (QWidget* f = focusWidget(); f && f->isVisible())
        return f;
    return ui::firstFocusable(this, firstInOrder_ ? firstInOrder_.data() : nextInFocusChain());
}

void Screen::loaded()
{
    display::fixSystemFonts(this);
    arrangeKeyboardOrder();
}

void Screen::arrangeKeyboardOrder() { chainKeyboardOrder(ui::readingOrder(this)); }

void Screen::chainKeyboardOrder(const QList<QWidget*>& items)
{
    for (int k = 1; k < items.size(); ++k)
        QWidget::setTabOrder(items[k - 1], items[k]);
    // The chain is a ring that need not start where the window's does.
    firstInOrder_ = items.isEmpty() ? nullptr : items.first();
}

void Screen::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (key == Qt::Key_F11 || (key == Qt::Key_F && (e->modifiers() & Qt::ControlModifier))) {
        e->accept();
        screens().toggleFullScreen();
        return;
    }
    if (key == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        escapePressed();
        return;
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && moveFocusTowards(key)) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Screen::escapePressed()
{
    // The screen's own Exit: the button captioned so, as the pupil sees it.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled())
            continue;
        if (auto* b = qobject_cast<ButtonLabel*>(w); b && b->text() == QLatin1String("Exit")) {
            b->click();
            return;
        }
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->text() == QLatin1String("Exit")) {
            b->click();
            return;
        }
    }
}

bool Screen::moveFocusTowards(int key)
{
    QWidget* from = QApplication::focusWidget();
    if (!from || from->window() != this)
        from = firstFocus();
    QWidget* to = from ? ui::nearestTowards(this, from, key) : nullptr;
    if (!to)
        return false;
    to->setFocus(Qt::TabFocusReason);
    return true;
}

void Screen::closeEvent(QCloseEvent* e)
{
    // The window system's close (Alt+F4) unloads the screen like its own Exit would.
    if (screens().find(objectName()) == this) {
        e->ignore();
        screens().close(*this);
    } else {
        e->accept();
    }
}

// ---------------------------------------------------------------- Screens

Screen* Screens::touch(const QString& name)
{
    if (Screen* open = find(name))
        return open;
    const auto make = makers_.find(name);
    if (make == makers_.end())
        return nullptr;
    Screen* screen = (*make)(*app_);
    open_.insert(screen->objectName(), screen);
    screen->load();
    screen->loaded();
    return screen;
}

namespace {
const QString backdropName = QStringLiteral("Grey");
}

void Screens::show(Screen& screen)
{
    stacking_.removeAll(&screen);
    stacking_.append(&screen);
    if (screen.objectName() == backdropName)
        backdropShown_ = true;
    screen.show();
    bringToFront(screen);
}

void Screens::bringToFront(Screen& screen)
{
    // The headless platform used by tests has no window stacking to change.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        screen.raise();
    // The keyboard follows the screen in front.
    screen.activateWindow();
    if (QWidget* first = screen.firstFocus(); first && !screen.focusWidget())
        first->setFocus(Qt::ActiveWindowFocusReason);
}

Screen* Screens::front() const
{
    for (auto it = stacking_.crbegin(); it != stacking_.crend(); ++it)
        if (*it && (*it)->isVisible() && open_.value((*it)->objectName()) == *it)
            return *it;
    return nullptr;
}

void Screens::setFullScreen(bool on)
{
    fullScreen_ = on;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        display::setScale(
            display::fittingScale(on ? primary->geometry().size() : primary->availableGeometry().size(), on));
    rescaleAll();
    restoreKeyboard();
    Screen* top = front();
    if (!top)
        return;
    // The window system shows the windows again a little later: the keyboard is checked again
    // then, while it catches up.
    const std::weak_ptr<bool> alive = alive_;
    for (const int ms : {50, 250, 750}) {
        QTimer::singleShot(ms, top, [this, alive] {
            if (!alive.expired() && front() && QApplication::activeWindow() != front())
                restoreKeyboard();
        });
    }
}

void Screens::rescaleAll()
{
    // Window flags change with the mode, which hides a window: show again what was shown, in
    // the order it was stacked.
    QList<QPointer<Screen>> shown;
    for (const auto& s : stacking_)
        if (s && s->isVisible())
            shown << s;
    for (const auto& s : open_)
        if (s)
            s->rescale();
    for (const auto& s : shown)
        if (s) {
            s->show();
            if (QGuiApplication::platformName() != QLatin1String("offscreen"))
                s->raise();
        }
}

void Screens::restoreKeyboard()
{
    Screen* top = front();
    if (!top)
        return;
    // Hiding a window to change its frame makes the widgets forget it was active, while the
    // window system (and Qt's window layer) still give it the keyboard, so no event would ever
    // say it is active again: say so here.
    if (QGuiApplication::focusWindow() && QGuiApplication::focusWindow() == top->windowHandle() &&
        QApplication::activeWindow() != top)
        QApplication::setActiveWindow(top);
    bringToFront(*top);
    QWidget* focus = top->focusWidget();
    if (!focus || !focus->isVisible() || !focus->isEnabled())
        focus = top->firstFocus();
    if (focus)
        focus->setFocus(Qt::ActiveWindowFocusReason);
}

void Screens::close(Screen& screen)
{
    const QString name = screen.objectName();
    if (open_.value(name) == &screen)
        open_.remove(name);
    stacking_.removeAll(&screen);
    screen.unload();
    screen.hide();
    screen.deleteLater();
    if (ending_ || !app_)
        return;
    // Left with nothing but the backdrop (a window closed by the window system), a pupil
    // would face an empty blue screen with no way out; with no screen at all the program
    // would run on unseen: end the program instead.
    const bool onlyBackdrop = open_.isEmpty() || (open_.size() == 1 && open_.contains(backdropName));
    if (name != backdropName && onlyBackdrop && (backdropShown_ || open_.contains(backdropName))) {
        app_->services.endProgram();
        return;
    }
    // A screen left behind the backdrop (the menu, when the title screen it brought back is
    // closed by the window system) comes to the front, so the pupil can go on.
    Screen* top = front();
    if (top && top->objectName() == backdropName) {
        for (auto it = stacking_.crbegin(); it != stacking_.crend(); ++it) {
            if (*it && *it != top && open_.value((*it)->objectName()) == *it) {
                show(**it);
                return;
            }
        }
    }
    if (Screen* visible = front())
        bringToFront(*visible);
}

void Screens::closeAll()
{
    ending_ = true;
    const auto screens = open_.values();
    for (const auto& s : screens)
        if (s)
            close(*s);
    ending_ = false;
}
