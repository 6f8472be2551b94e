#include "read_aloud.h"

#include "keyboard_focus.h"

#include "platform/data_folder.h"
#include "platform/speech.h"
#include "platform/spoken_text.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace readaloud {

namespace {
// Bands reach a little past the words, so that the first and last letters sit inside them.
constexpr double pageMargin = 45;
constexpr double itemMargin = 60;

QRectF twipsOf(const QWidget* item)
{
    const QRect g = item->geometry();
    return QRectF(display::fromPixels(g.x()), display::fromPixels(g.y()), display::fromPixels(g.width()),
                  display::fromPixels(g.height()));
}

// The screen keeps only one reader at a time: a new reading ends any other.
QPointer<ReadAloud> reading;
} // namespace

QList<Part> itemParts(QWidget* item, const QString& text)
{
    QList<Part> out;
    if (!item || item->isHidden())
        return out;
    const QString words = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
    QRectF where = twipsOf(item);
    // A plain text's band covers its words, not the whole box it may share with its
    // neighbours; anything else (an answer, a label to drag) is marked whole.
    if (auto* label = qobject_cast<QLabel*>(item); label && label->metaObject() == &QLabel::staticMetaObject) {
        const int flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect words = QFontMetrics(label->font()).boundingRect(label->contentsRect(), flags, label->text());
        where = QRectF(where.topLeft() + QPointF(display::fromPixels(words.x()), display::fromPixels(words.y())),
                       QSizeF(display::fromPixels(words.width()), display::fromPixels(words.height())));
    }
    where.adjust(-itemMargin, -itemMargin / 2, itemMargin, itemMargin / 2);
    for (const spoken::Span& s : spoken::sentences(words))
        out << Part{words.mid(s.start, s.length), {where}, item};
    return out;
}

QList<Part> pageParts(const DataFolder& files, PictureItem* page)
{
    QList<Part> out;
    if (!page || page->picture().isNull())
        return out;
    QFile f(files.resolve(spoken::sideFileOf(page->source())));
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QRectF at = twipsOf(page);
    for (const spoken::Sentence& s : spoken::read(f.readAll())) {
        Part p{s.text, {}, page};
        for (const QRect& r : s.marks)
            p.marks << QRectF(r).translated(at.topLeft()).adjusted(-pageMargin, 0, pageMargin, 0);
        out << p;
    }
    return out;
}

} // namespace readaloud

// ---------------------------------------------------------------- the button

ReadAloudButton::ReadAloudButton(QWidget* parent) : ButtonLabel(parent, QStringLiteral("ReadAloud"), 0)
{
    setObjectName(QStringLiteral("ReadAloud"));
    setText(readaloud::caption);
    setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
}

QString ReadAloudButton::readerName() const { return readaloud::caption + QStringLiteral(" (F5)"); }

void ReadAloudButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (isHighlighted())
        p.fillRect(rect(), highlightColour());
    ui::paintBorder(p, rect(), QColor(0, 0, 0));
    const QColor ink = isEnabled() ? ui::captionColour : QColor(150, 150, 150);

    // The speaker sign: a small box, its cone, and two waves of sound.
    const double h = height() * 0.56;
    const double x = height() * 0.3, cy = height() / 2.0;
    QPainterPath speaker;
    speaker.moveTo(x, cy - h * 0.18);
    speaker.lineTo(x + h * 0.25, cy - h * 0.18);
    speaker.lineTo(x + h * 0.58, cy - h * 0.5);
    speaker.lineTo(x + h * 0.58, cy + h * 0.5);
    speaker.lineTo(x + h * 0.25, cy + h * 0.18);
    speaker.lineTo(x, cy + h * 0.18);
    speaker.closeSubpath();
    p.fillPath(speaker, ink);
    p.setPen(QPen(ink, std::max(1.0, h * 0.1), Qt::SolidLine, Qt::RoundCap));
    for (int wave = 1; wave <= 2; ++wave) {
        const double r = h * (0.25 + 0.22 * wave);
        p.drawArc(QRectF(x + h * 0.5 - r, cy - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }

    p.setFont(font());
    p.setPen(ink);
    const int textLeft = static_cast<int>(x + h * 1.35 + height() * 0.2);
    p.drawText(rect().adjusted(textLeft, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
    if (ui::showsFocus(this))
        ui::paintFocusRing(p, rect());
}

// ---------------------------------------------------------------- the reader

ReadAloud::ReadAloud(Screen& screen, Source source, QRectF place)
    : QObject(&screen), screen_(screen), app_(screen.app()), source_(std::move(source)), button_(new ReadAloudButton(&screen))
{
    display::setItemFont(button_, readaloud::buttonFont);
    screen.place(button_, place);
    button_->setHoverHighlights(false);
    connect(button_, &ButtonLabel::clicked, this, [this] { toggle(); });
    screen.installEventFilter(this);
    showOrHide();
}

ReadAloud::~ReadAloud()
{
    if (reading_)
        app_.services.speech.stop();
}

bool ReadAloud::canSpeak() const
{
    return app_.soundSwitch.soundOn == 1 && app_.services.speech.available();
}

void ReadAloud::showOrHide()
{
    const bool can = canSpeak();
    button_->setVisible(can);
    if (!can && reading_)
        stop();
}

void ReadAloud::toggle()
{
    if (reading_) {
        stop();
        return;
    }
    readNow(source_());
}

void ReadAloud::readNow(const QList<readaloud::Part>& parts)
{
    showOrHide();
    if (!canSpeak())
        return;
    if (readaloud::reading && readaloud::reading != this)
        readaloud::reading->stop();
    stop();
    parts_ = parts;
    next_ = 0;
    reading_ = true;
    readaloud::reading = this;
    sayNext();
}

void ReadAloud::stop()
{
    ++generation_;
    if (reading_)
        app_.services.speech.stop();
    reading_ = false;
    parts_.clear();
    mark(nullptr);
}

void ReadAloud::sayNext()
{
    if (next_ >= parts_.size()) {
        reading_ = false;
        parts_.clear();
        mark(nullptr);
        return;
    }
    const readaloud::Part& part = parts_[next_];
    mark(&part);
    const int generation = generation_;
    app_.services.speech.say(part.text, [this, generation] {
        if (generation != generation_)
            return;
        ++next_;
        sayNext();
    });
}

void ReadAloud::mark(const readaloud::Part* part)
{
    if (filled_)
        filled_->setPalette(filledPalette_);
    filled_ = nullptr;
    marked_.clear();
    for (QWidget* b : bands_)
        b->hide();
    markedUnder_ = nullptr;
    if (!part)
        return;
    QWidget* under = part->under.data();
    if (under) {
        markedUnder_ = under;
        markedAt_ = under->pos();
        under->installEventFilter(this);
    }
    if (under && under->autoFillBackground()) {
        // An item that paints its own background would hide a band beneath it: it takes the
        // band's colour while it is read.
        filled_ = under;
        filledPalette_ = under->palette();
        QPalette p = filledPalette_;
        p.setColor(QPalette::Window, readaloud::bandColour);
        p.setColor(QPalette::Button, readaloud::bandColour);
        under->setPalette(p);
    }
    for (int i = 0; i < part->marks.size(); ++i) {
        if (i >= bands_.size()) {
            auto* band = new QWidget(&screen_);
            band->setObjectName(QStringLiteral("ReadingBand"));
            band->setAttribute(Qt::WA_TransparentForMouseEvents);
            band->setAutoFillBackground(true);
            QPalette p = band->palette();
            p.setColor(QPalette::Window, readaloud::bandColour);
            band->setPalette(p);
            bands_ << band;
        }
        QWidget* band = bands_[i];
        screen_.place(band, part->marks[i]);
        if (under)
            band->stackUnder(under);
        band->show();
        marked_ << part->marks[i];
    }
}

QList<QRectF> ReadAloud::marked() const { return marked_; }

void ReadAloud::readOnKeyboardFocus(QWidget* item, std::function<QString()> words)
{
    focusWords_.insert(item, std::move(words));
    item->installEventFilter(this);
}

bool ReadAloud::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == &screen_) {
        if (e->type() == QEvent::Show) {
            showOrHide();
        } else if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == readaloud::key && !k->isAutoRepeat() &&
                !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
                if (!button_->isHidden())
                    toggle();
                return true;
            }
        }
    } else if (e->type() == QEvent::Move && watched == markedUnder_) {
        const QPoint moved = markedUnder_->pos() - markedAt_;
        markedAt_ = markedUnder_->pos();
        const QPointF by(display::fromPixels(moved.x()), display::fromPixels(moved.y()));
        for (int i = 0; i < marked_.size(); ++i) {
            marked_[i].translate(by);
            screen_.place(bands_[i], marked_[i]);
        }
    } else if (e->type() == QEvent::FocusIn) {
        // Only when the pupil moves the keyboard there, not when a screen opens with it there.
        const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
        auto* item = qobject_cast<QWidget*>(watched);
        if (item && (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason))
            if (auto it = focusWords_.find(item); it != focusWords_.end())
                readNow(readaloud::itemParts(item, it.value()()));
    }
    return QObject::eventFilter(watched, e);
}
