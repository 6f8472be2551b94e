#include "screen_frame.h"

#include "platform/sound.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

void playThroughGate(App& app, const QString& wavePath)
{
    if (app.frame.soundOn == 1)
        app.services.sound.playWave(wavePath);
}

namespace frame {

QPointF centredTopLeft(QSizeF display, QSizeF window)
{
    return QPointF(display.width() / 2 - window.width() / 2, display.height() / 2 - window.height() / 2);
}

QString itemName(const QString& array, int index)
{
    return QStringLiteral("%1(%2)").arg(array).arg(index);
}

} // namespace frame

QFont makeFont(const FontSpec& spec)
{
    QFont font(QString::fromLatin1(spec.family));
    font.setPixelSize(twips::pointsToPixels(spec.points));
    font.setBold(spec.bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// ---------------------------------------------------------------- ButtonLabel

ButtonLabel::ButtonLabel(QWidget* parent, const QString& array, int index) : QLabel(parent), index_(index)
{
    setObjectName(frame::itemName(array, index));
    setAlignment(Qt::AlignCenter);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, frame::captionColour);
    setPalette(p);
}

void ButtonLabel::setHighlightColour(const QColor& c)
{
    highlight_ = c;
    update();
}

void ButtonLabel::setHighlighted(bool on)
{
    if (highlighted_ == on)
        return;
    highlighted_ = on;
    update();
}

void ButtonLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (highlighted_)
        p.fillRect(rect(), highlight_);
    p.setPen(QColor(0, 0, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(font());
    p.setPen(isEnabled() ? frame::captionColour : QColor(150, 150, 150));
    p.drawText(rect().adjusted(2, 0, -2, 0), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
}

void ButtonLabel::mouseMoveEvent(QMouseEvent* e)
{
    if (hoverHighlights_)
        setHighlighted(true);
    emit hovered(index_);
    e->accept();
}

void ButtonLabel::mousePressEvent(QMouseEvent* e)
{
    // The second press of a double click (passed on here by QWidget) is not a second click:
    // a double click on "Next Question >>" must not skip a question, nor print two certificates.
    pressed_ = e->button() == Qt::LeftButton && e->type() != QEvent::MouseButtonDblClick;
    e->accept();
}

void ButtonLabel::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    e->accept();
    if (click && isEnabled())
        emit clicked(index_);
}

// ---------------------------------------------------------------- PictureItem

PictureItem::PictureItem(QWidget* parent, const QString& name, Mode mode) : QWidget(parent), mode_(mode)
{
    setObjectName(name);
}

void PictureItem::setPicture(const Picture& picture, const QString& source)
{
    picture_ = picture;
    source_ = source;
    if (mode_ == AutoSize && !picture.isNull())
        resize(picture.sizePixels());
    update();
}

void PictureItem::clear()
{
    picture_ = Picture();
    source_.clear();
    update();
}

void PictureItem::setBackground(const QColor& c)
{
    background_ = c;
    update();
}

void PictureItem::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (background_.isValid())
        p.fillRect(rect(), background_);
    if (picture_.isNull())
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (mode_ == Stretch)
        picture_.draw(p, QRectF(rect()));
    else
        picture_.draw(p, QRectF(QPointF(0, 0), QSizeF(picture_.sizePixels())));
}

// ---------------------------------------------------------------- Screen

Screen::Screen(App& app, const QString& name) : QWidget(nullptr), app_(app)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
    setMouseTracking(true);
    setAutoFillBackground(true);
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
    setBackgroundColour(frame::frameColour);
    setWindowTitle(frame::productTitle);
    // From here on nothing can stop the set-up.
    if (auto* picture = item<PictureItem>(QStringLiteral("Picture1")))
        picture->setBackground(frame::frameColour);
    setFixedSize(twips::toPixels(frame::screenWidth), twips::toPixels(frame::screenHeight));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QSizeF display(frame::screenWidth, frame::screenHeight);
    if (QScreen* s = QGuiApplication::primaryScreen())
        display = QSizeF(twips::fromPixels(s->geometry().width()), twips::fromPixels(s->geometry().height()));
    const QPointF topLeft = frame::centredTopLeft(display, QSizeF(frame::screenWidth, frame::screenHeight));
    move(twips::toPixels(topLeft.x()), twips::toPixels(topLeft.y()));
    QGuiApplication::restoreOverrideCursor();
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

void Screen::place(QWidget* w, QRectF r)
{
    w->setGeometry(twips::rect(r.left(), r.top(), r.width(), r.height()));
}

QLabel* Screen::addLabel(const QString& name, QRectF r, const QString& text, const FontSpec& font,
                         const QColor& colour, Qt::Alignment align)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(makeFont(font));
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
    b->setFont(makeFont(font));
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
    return screen;
}

void Screens::show(Screen& screen)
{
    screen.show();
    // The headless platform used by tests has no window stacking to change.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        screen.raise();
        screen.activateWindow();
    }
}

void Screens::close(Screen& screen)
{
    const QString name = screen.objectName();
    if (open_.value(name) == &screen)
        open_.remove(name);
    screen.unload();
    screen.hide();
    screen.deleteLater();
    // Left with nothing but the backdrop (a window closed by the window system), a pupil
    // would face an empty blue screen with no way out: end the program instead.
    const QString backdrop = QStringLiteral("Grey");
    if (!ending_ && name != backdrop && open_.size() == 1 && open_.contains(backdrop) && app_)
        app_->services.endProgram();
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
