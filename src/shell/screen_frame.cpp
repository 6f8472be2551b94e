#include "screen_frame.h"

#include "accessibility.h"

#include "platform/sound.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QProxyStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include <limits>

namespace {
const char* const twipsProperty = "corvanaTwips";
const char* const pointsProperty = "corvanaPoints";
} // namespace

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

void place(QWidget* w, QRectF r)
{
    w->setProperty(twipsProperty, r);
    w->setGeometry(twips::rect(r.left(), r.top(), r.width(), r.height()));
}

QRectF placedAt(const QWidget* w) { return w->property(twipsProperty).toRectF(); }

namespace {

// The focus mark shows once the keyboard is in use and hides again at the next click or
// touch, so a pupil with a mouse never sees a band that means nothing to them.
bool keyboardMode = false;

// Qt's own items on the screens (text boxes, tick boxes, push buttons, a question read out)
// get the same band as the program's own items, which draw it themselves, over whatever faint
// mark their style draws.
bool needsFocusBand(const QObject* o)
{
    if (dynamic_cast<const AccessibleItem*>(o) || o->inherits("OptionButton"))
        return false;
    return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QAbstractButton*>(o) || qobject_cast<const QLabel*>(o);
}

class FocusVisibility : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && watched->isWidgetType() && needsFocusBand(watched)) {
            auto* w = static_cast<QWidget*>(watched);
            if (keyboardMode && w->hasFocus() && qobject_cast<Screen*>(w->window())) {
                // The item paints itself first; the band goes on top, within the same paint.
                static_cast<QObject*>(w)->event(e);
                QPainter p(w);
                paintFocusRing(p, w->rect(), w->palette().color(w->backgroundRole()).lightness() > 150);
                return true;
            }
        }
        bool on = keyboardMode;
        if (e->type() == QEvent::KeyPress)
            on = true;
        else if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::TouchBegin)
            on = false;
        if (on != keyboardMode) {
            keyboardMode = on;
            if (QWidget* f = QApplication::focusWidget())
                f->update();
        }
        return QObject::eventFilter(watched, e);
    }
};

} // namespace

bool showsFocus(const QWidget* w)
{
    static FocusVisibility* watcher = nullptr;
    if (!watcher && qApp) {
        watcher = new FocusVisibility;
        watcher->setParent(qApp);
        qApp->installEventFilter(watcher);
    }
    return keyboardMode && w->hasFocus();
}

void paintFocusRing(QPainter& p, const QRect& r, bool onPale)
{
    // Three pixels at 96 dpi, growing with the display.
    const int band = std::max(2, static_cast<int>(std::lround(3 * twips::scale())));
    const QColor bandColour = onPale ? QColor(0, 0, 0) : QColor(255, 255, 255);
    const QColor edgeColour = onPale ? QColor(255, 255, 255) : QColor(0, 0, 0);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    QPen edge(edgeColour);
    edge.setWidth(1);
    edge.setJoinStyle(Qt::MiterJoin);
    p.setPen(edge);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    QPen white(bandColour);
    white.setWidth(band);
    white.setJoinStyle(Qt::MiterJoin);
    p.setPen(white);
    const int half = 1 + band / 2;
    p.drawRect(r.adjusted(half, half, -half - (band % 2 == 0 ? 0 : 1), -half - (band % 2 == 0 ? 0 : 1)));
    p.setPen(edge);
    p.drawRect(r.adjusted(band + 1, band + 1, -band - 2, -band - 2));
    p.restore();
}

int lineWidth(double pixelsAt96Dpi)
{
    return std::max(1, static_cast<int>(std::lround(pixelsAt96Dpi * twips::scale())));
}

void paintBorder(QPainter& p, const QRect& r, const QColor& colour)
{
    const int w = std::min({lineWidth(1), r.width() / 2, r.height() / 2});
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), colour);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), colour);
    p.fillRect(QRect(r.left(), r.top(), w, r.height()), colour);
    p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), colour);
}

double fittingScale(QSizeF display, bool fullScreen)
{
    const double designWidth = screenWidth / twips::perPixel;
    const double designHeight = screenHeight / twips::perPixel;
    if (display.width() <= 0 || display.height() <= 0)
        return 1.0;
    const double fit = std::min(display.width() / designWidth, display.height() / designHeight);
    return fullScreen ? fit : std::min(1.0, fit);
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

QFont makeDesignFont(const FontSpec& spec)
{
    QFont font = makeFont(spec);
    font.setPixelSize(twips::pointsToDesignPixels(spec.points));
    return font;
}

void setItemFont(QWidget* w, const FontSpec& spec)
{
    w->setProperty(pointsProperty, spec.points);
    w->setFont(makeFont(spec));
}

// ---------------------------------------------------------------- the scaled style

namespace {

// The style's own drawings (the dots of option buttons, tick boxes, frames of text boxes)
// grow with the display like the texts beside them.
class ScaledStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_RadioButtonLabelSpacing:
        case PM_CheckBoxLabelSpacing:
        case PM_DefaultFrameWidth:
        case PM_ButtonMargin:
            return static_cast<int>(std::lround(base * twips::scale()));
        default:
            return base;
        }
    }
};

} // namespace

void frame::installScaledStyle()
{
    if (!dynamic_cast<ScaledStyle*>(QApplication::style()))
        QApplication::setStyle(new ScaledStyle);
}

// ---------------------------------------------------------------- ButtonLabel

ButtonLabel::ButtonLabel(QWidget* parent, const QString& array, int index) : QLabel(parent), index_(index)
{
    setObjectName(frame::itemName(array, index));
    setAlignment(Qt::AlignCenter);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab and the arrow keys; a mouse click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, frame::captionColour);
    setPalette(p);
}

void ButtonLabel::click()
{
    if (isEnabled() && isVisible())
        emit clicked(index_);
}

void ButtonLabel::keyPressEvent(QKeyEvent* e)
{
    if (!ClickRule::key(e, [this] { click(); }))
        QLabel::keyPressEvent(e);
}

QString ButtonLabel::readerName() const
{
    QString name = text();
    name.remove(QStringLiteral("<<")).remove(QStringLiteral(">>"));
    return name.simplified();
}

void ButtonLabel::focusInEvent(QFocusEvent* e)
{
    // Highlighting is the mouse's: the keyboard's cue is the focus band, so a window coming
    // back to the front never lights up a button the mouse is nowhere near.
    update();
    QLabel::focusInEvent(e);
}

void ButtonLabel::focusOutEvent(QFocusEvent* e)
{
    update();
    QLabel::focusOutEvent(e);
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
    frame::paintBorder(p, rect(), QColor(0, 0, 0));
    p.setFont(font());
    p.setPen(isEnabled() ? frame::captionColour : QColor(150, 150, 150));
    p.drawText(rect().adjusted(2, 0, -2, 0), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
    if (frame::showsFocus(this))
        frame::paintFocusRing(p, rect());
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
    clicks_.press(e);
    e->accept();
}

void ButtonLabel::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = clicks_.release(e, this);
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
    drawn_ = QPixmap();
    if (mode_ == AutoSize && !picture.isNull())
        resize(picture.sizePixels());
    update();
}

void PictureItem::clear()
{
    picture_ = Picture();
    source_.clear();
    drawn_ = QPixmap();
    update();
}

QString PictureItem::description() const { return describePicture(source_, picture_); }

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
    const QSize size = mode_ == Stretch ? this->size() : picture_.sizePixels();
    if (size.isEmpty())
        return;
    // Drawn once at the display's own resolution (vector pictures sharp, photographs scaled
    // smoothly) and then only copied, so repaints while a label is dragged stay cheap.
    const qreal ratio = devicePixelRatioF();
    const QSize device(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
    if (drawn_.size() != device) {
        QImage canvas(device, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        {
            QPainter c(&canvas);
            c.setRenderHint(QPainter::Antialiasing);
            c.setRenderHint(QPainter::TextAntialiasing);
            c.setRenderHint(QPainter::SmoothPixmapTransform);
            picture_.draw(c, QRectF(QPointF(0, 0), QSizeF(device)));
        }
        drawn_ = QPixmap::fromImage(std::move(canvas));
        drawn_.setDevicePixelRatio(ratio);
    }
    p.drawPixmap(QPointF(0, 0), drawn_);
}

// ---------------------------------------------------------------- OptionButton

OptionButton::OptionButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

bool OptionButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void OptionButton::paintEvent(QPaintEvent* e)
{
    QRadioButton::paintEvent(e);
    if (frame::showsFocus(this)) {
        // Around the words, beside the dot: the band never hides which answer is chosen.
        QStyleOptionButton option;
        initStyleOption(&option);
        const QRect dot = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
        QPainter p(this);
        frame::paintFocusRing(p, QRect(QPoint(std::min(dot.right() + 2, width() - 1), 0), rect().bottomRight()));
    }
}

// ---------------------------------------------------------------- Screen

Screen::Screen(App& app, const QString& name) : QWidget(nullptr), app_(app)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlags(frame::windowedFlags);
    setMouseTracking(true);
    setAutoFillBackground(true);
    installAccessibility();
    frame::showsFocus(this); // starts watching for the keyboard
    scaleDefaultFont();
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

void Screen::scaleDefaultFont()
{
    // Items without a font of their own (the title screen's push buttons, tick boxes) take
    // the screen's; it grows with the display like every other text.
    if (property(pointsProperty).isValid())
        return;
    QFont f = QApplication::font();
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * twips::scale());
    else if (f.pixelSize() > 0)
        f.setPixelSize(std::max(1, qRound(f.pixelSize() * twips::scale())));
    setFont(f);
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
    designSize_ = QSizeF(frame::screenWidth, frame::screenHeight);
    fitWindowFrame();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    centreOnDisplay();
    QGuiApplication::restoreOverrideCursor();
}

void Screen::fitWindowFrame()
{
    // Filling the display, a standard screen has no frame: a caption bar would push its
    // bottom edge off the display. (A caption hint would bring the frame back.)
    const bool frameless = screens().isFullScreen() && designSize_ == QSizeF(frame::screenWidth, frame::screenHeight);
    const Qt::WindowFlags flags = frameless ? Qt::Window | Qt::FramelessWindowHint : frame::windowedFlags;
    if (flags != windowFlags())
        setWindowFlags(flags);
}

void Screen::centreOnDisplay()
{
    setFixedSize(twips::toPixels(designSize_.width()), twips::toPixels(designSize_.height()));
    QSizeF display = designSize_;
    QPointF origin;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        display = QSizeF(twips::fromPixels(s->geometry().width()), twips::fromPixels(s->geometry().height()));
        origin = s->geometry().topLeft();
    }
    const QPointF topLeft = frame::centredTopLeft(display, designSize_);
    move(QPoint(twips::toPixels(topLeft.x()), twips::toPixels(topLeft.y())) + origin.toPoint());
}

void Screen::rescale()
{
    // Every item placed in twips goes back to its place at the new scale; fonts follow.
    const double ratio = twips::scale() / laidOutAt_;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->isWindow())
            continue;
        const QRectF r = frame::placedAt(w);
        if (!r.isNull())
            w->setGeometry(twips::rect(r.left(), r.top(), r.width(), r.height()));
        else if (ratio > 0 && ratio != 1)
            w->setGeometry(QRect(QPoint(qRound(w->x() * ratio), qRound(w->y() * ratio)),
                                 QSize(qRound(w->width() * ratio), qRound(w->height() * ratio))));
        if (auto* picture = qobject_cast<PictureItem*>(w)) {
            // A picture is loaded afresh: a sharper copy may serve the new scale.
            if (!picture->source().isEmpty())
                setPicture(picture, picture->source());
            if (picture->mode() == PictureItem::AutoSize && !picture->picture().isNull())
                picture->resize(picture->picture().sizePixels());
        }
    }
    scaleDefaultFont();
    QList<QWidget*> all = findChildren<QWidget*>();
    all << this;
    for (QWidget* w : all) {
        const QVariant points = w->property(pointsProperty);
        // A font set in pixels by other means follows in proportion.
        if (!points.isValid() && (w == this || !w->testAttribute(Qt::WA_SetFont) || ratio <= 0 || ratio == 1))
            continue;
        QFont f = w->font();
        if (points.isValid())
            f.setPixelSize(twips::pointsToPixels(points.toDouble()));
        else if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, qRound(f.pixelSize() * ratio)));
        else
            f.setPointSizeF(f.pointSizeF() * ratio);
        w->setFont(f);
    }
    laidOutAt_ = twips::scale();
    if (minimumWidth() == maximumWidth()) { // sized by the frame, not by the window system
        fitWindowFrame();
        centreOnDisplay();
    }
    rescaled();
    update();
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

void Screen::place(QWidget* w, QRectF r) { frame::place(w, r); }

QLabel* Screen::addLabel(const QString& name, QRectF r, const QString& text, const FontSpec& font,
                         const QColor& colour, Qt::Alignment align)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    setItemFont(label, font);
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
    setItemFont(b, font);
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
    QWidget* start = firstInOrder_ ? firstInOrder_.data() : nextInFocusChain();
    QWidget* w = start;
    for (int guard = 0; w && guard < 10000; ++guard, w = w->nextInFocusChain()) {
        if (guard > 0 && w == start)
            break;
        if (w != this && w->window() == this && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            return w;
    }
    return nullptr;
}

void Screen::loaded()
{
    // Push buttons and the like without a font of their own take the system's font for their
    // kind, not the screen's; they are given it at the design size so that it scales.
    const QFont system = QApplication::font();
    if (system.pointSizeF() > 0) {
        for (QWidget* w : findChildren<QWidget*>()) {
            if (w->isWindow() || w->testAttribute(Qt::WA_SetFont) ||
                !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)))
                continue;
            QFont f = QApplication::font(w);
            const double points = f.pointSizeF() > 0 ? f.pointSizeF() : system.pointSizeF();
            w->setProperty(pointsProperty, points);
            f.setPixelSize(twips::pointsToPixels(points));
            w->setFont(f);
        }
    }
    arrangeKeyboardOrder();
}

void Screen::arrangeKeyboardOrder()
{
    QList<QWidget*> items;
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->isWindow() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            items << w;
    std::stable_sort(items.begin(), items.end(), [this](QWidget* a, QWidget* b) {
        const QPoint pa = a->mapTo(this, QPoint(0, 0));
        const QPoint pb = b->mapTo(this, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    chainKeyboardOrder(items);
}

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
    if (!from)
        return false;
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    const QRect here(from->mapTo(this, QPoint(0, 0)), from->size());
    // Items level with this one (overlapping it across the direction of travel) come first,
    // then the nearest ahead, counting distance to the side double.
    QWidget* best = nullptr;
    std::pair<bool, double> bestCost{false, std::numeric_limits<double>::max()};
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w == from || !w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) ||
            w->focusProxy())
            continue;
        const QRect there(w->mapTo(this, QPoint(0, 0)), w->size());
        const int along = horizontal ? there.center().x() - here.center().x() : there.center().y() - here.center().y();
        if (forward ? along <= 0 : along >= 0)
            continue;
        double ahead, aside;
        bool level;
        if (horizontal) {
            ahead = forward ? there.left() - here.right() : here.left() - there.right();
            aside = std::abs(there.center().y() - here.center().y());
            level = there.top() <= here.bottom() && here.top() <= there.bottom();
        } else {
            ahead = forward ? there.top() - here.bottom() : here.top() - there.bottom();
            aside = std::abs(there.center().x() - here.center().x());
            level = there.left() <= here.right() && here.left() <= there.right();
        }
        const std::pair<bool, double> cost{!level, std::max(0.0, ahead) + 2 * aside};
        if (!best || cost < bestCost) {
            bestCost = cost;
            best = w;
        }
    }
    if (!best)
        return false;
    best->setFocus(Qt::TabFocusReason);
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
    QScreen* display = QGuiApplication::primaryScreen();
    if (display)
        twips::setScale(frame::fittingScale(on ? display->geometry().size() : display->availableGeometry().size(), on));
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
