#include "activity_screen.h"

#include "platform/records.h"
#include "quiz/results.h"
#include "shell/keyboard_focus.h"
#include "shell/read_aloud.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTouchEvent>

#include <algorithm>

namespace activity {

namespace {

// Padding between a label's border and its caption, in pixels.
constexpr int captionPadding = 3;
constexpr int captionTop = 2;

unsigned engineButtons(Qt::MouseButtons buttons)
{
    unsigned b = 0;
    if (buttons & Qt::LeftButton)
        b |= LeftButton;
    if (buttons & Qt::RightButton)
        b |= RightButton;
    if (buttons & ~(Qt::LeftButton | Qt::RightButton))
        b |= MiddleButton;
    return b;
}

float toTwips(qreal pixels) { return static_cast<float>(display::fromPixels(pixels)); }

void setTextColour(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

} // namespace

// ---------------------------------------------------------------- AnswerLabel

AnswerLabel::AnswerLabel(QWidget* parent, int index) : QLabel(parent), index_(index)
{
    setObjectName(ui::itemName(QStringLiteral("Label2"), index));
    setTextColour(this, yellow);
    // It paints every pixel itself, so moving it never needs what lies beneath repainted
    // inside it: this keeps dragging cheap.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A finger on a touch screen or whiteboard drags it as the mouse does.
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::OpenHandCursor);
}

void AnswerLabel::setHeld(bool on)
{
    if (held_ == on)
        return;
    held_ = on;
    setCursor(on ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
    update();
}

void AnswerLabel::setWhere(const QString& where)
{
    if (where_ == where)
        return;
    where_ = where;
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void AnswerLabel::readerState(QAccessible::State& s) const
{
    s.checkable = true;
    s.checked = held_;
}

void AnswerLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Held, it is drawn in reversed colours, yellow with black words, with a white band.
    const QColor fill = held_ ? yellow : QColor(0, 0, 0);
    p.fillRect(rect(), fill);
    ui::paintBorder(p, rect(), QColor(0, 0, 0));
    p.setFont(font());
    p.setPen(held_ ? QColor(0, 0, 0) : yellow);
    p.drawText(rect().adjusted(captionPadding, captionTop, -captionPadding, 0),
               static_cast<int>(alignment()) | Qt::TextSingleLine, text());
    if (held_ || ui::showsFocus(this))
        ui::paintFocusRing(p, rect());
}

bool AnswerLabel::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
        auto* touch = static_cast<QTouchEvent*>(e);
        e->accept();
        if (touch->points().isEmpty())
            return true;
        // The first finger moves the label; any others are ignored.
        const QEventPoint& finger = touch->points().first();
        if (e->type() == QEvent::TouchBegin)
            pointerPress(finger.globalPosition());
        else if (e->type() == QEvent::TouchUpdate)
            pointerMove(finger.position(), finger.globalPosition(), Qt::LeftButton);
        else
            pointerRelease(finger.position());
        return true;
    }
    default:
        return QLabel::event(e);
    }
}

void AnswerLabel::pointerPress(QPointF globalPosition)
{
    pressedAt_ = globalPosition;
    dragging_ = false;
}

void AnswerLabel::pointerMove(QPointF position, QPointF globalPosition, Qt::MouseButtons buttons)
{
    if (!dragging_ && pressedAt_) {
        const QPointF way = globalPosition - *pressedAt_;
        if (std::abs(way.x()) + std::abs(way.y()) < QApplication::startDragDistance() * std::max(1.0, display::scale()))
            return;
    }
    dragging_ = true;
    emit pointerMoved(index_, position, buttons);
}

void AnswerLabel::pointerRelease(QPointF position)
{
    const bool tap = pressedAt_ && !dragging_;
    pressedAt_.reset();
    dragging_ = false;
    if (tap)
        emit tapped(index_, position);
    else
        emit released(index_);
}

void AnswerLabel::mousePressEvent(QMouseEvent* e)
{
    // Accepting the press keeps the pointer's moves and release coming here while a button
    // is held, wherever the pointer goes.
    e->accept();
    // Only the left button picks up, and the second press of a double click is no new tap.
    if (!pressedAt_ && e->button() == Qt::LeftButton && e->type() != QEvent::MouseButtonDblClick)
        pointerPress(e->globalPosition());
}

void AnswerLabel::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    pointerMove(e->position(), e->globalPosition(), e->buttons());
}

void AnswerLabel::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    // Every release drops, whichever button is let go.
    pointerRelease(e->position());
}

void AnswerLabel::keyPressEvent(QKeyEvent* e)
{
    if (!ClickRule::key(e, [this] { emit activated(index_); }))
        QLabel::keyPressEvent(e);
}

// ---------------------------------------------------------------- OutlineBox

OutlineBox::OutlineBox(QWidget* parent, const QString& name) : QLabel(parent)
{
    setObjectName(name);
    setTextColour(this, yellow);
    setFocusPolicy(Qt::TabFocus);
}

void OutlineBox::setFilled(bool on)
{
    filled_ = on;
    update();
}

void OutlineBox::setReaderTexts(const QString& name, const QString& holds)
{
    readerName_ = name;
    if (holds_ == holds)
        return;
    holds_ = holds;
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void OutlineBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (filled_)
        p.fillRect(rect(), QColor(0, 0, 0));
    ui::paintBorder(p, rect(), QColor(0, 0, 0));
    if (!text().isEmpty()) {
        p.setFont(font());
        p.setPen(yellow);
        p.drawText(rect().adjusted(captionPadding, captionTop, -captionPadding, 0),
                   static_cast<int>(alignment()) | Qt::TextSingleLine, text());
    }
    if (ui::showsFocus(this))
        ui::paintFocusRing(p, rect());
}

void OutlineBox::mousePressEvent(QMouseEvent* e)
{
    clicks_.press(e);
    e->accept();
}

void OutlineBox::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = clicks_.release(e, this);
    e->accept();
    if (click)
        emit activated();
}

void OutlineBox::keyPressEvent(QKeyEvent* e)
{
    if (!ClickRule::key(e, [this] { emit activated(); }))
        QLabel::keyPressEvent(e);
}

// ---------------------------------------------------------------- PointerLines

PointerLines::PointerLines(QWidget* parent, std::vector<LineRow> lines) : QWidget(parent), lines_(std::move(lines))
{
    setObjectName(QStringLiteral("Line1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PointerLines::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Lines run along whole pixels; without antialiasing they stay crisp 3-pixel bands.
    p.setPen(QPen(yellow, display::lineWidth(3), Qt::SolidLine, Qt::RoundCap));
    for (const LineRow& line : lines_)
        p.drawLine(QPointF(display::toPixels(line.from.x()), display::toPixels(line.from.y())),
                   QPointF(display::toPixels(line.to.x()), display::toPixels(line.to.y())));
}

// ---------------------------------------------------------------- ActivityScreen

ActivityScreen::ActivityScreen(App& app, const ActivityLayout& layout)
    : Screen(app, layout.name), layout_(layout),
      engine_(std::make_unique<Engine>(itemSpecs(layout)))
{
    if (!layout_.picture.isEmpty())
        picture_ = addPicture(QStringLiteral("Image1(0)"),
                              {layout_.pictureTopLeft.x(), layout_.pictureTopLeft.y(), 0, 0}, PictureItem::AutoSize);

    for (int i = 0; i < layout_.count(); ++i)
        addItem(i);

    for (const TextRow& row : layout_.texts)
        addLabel(row.name, row.rect, row.text, row.font, row.colour, row.align);
    growTexts();

    if (!layout_.lines.empty()) {
        auto* lines = new PointerLines(this, layout_.lines);
        place(lines, {0, 0, ui::screenWidth, ui::screenHeight});
    }

    QList<ButtonLabel*> hover;
    for (int i = 0; i < 3; ++i) {
        ButtonLabel* b = addButton(QStringLiteral("Label3"), i, buttons[i].rect, QString::fromLatin1(buttons[i].caption),
                                   buttonFont);
        connect(b, &ButtonLabel::clicked, this, &ActivityScreen::buttonClicked);
        hover << b;
    }
    setHoverButtons(hover);
    checkScore_ = hover[checkScoreButton];
    checkScore_->hide();

    stackInDrawingOrder();
    arrangeKeyboardOrder();

    // Read to me: the instructions; a label is read when it is picked up or the keyboard
    // comes to it.
    readAloud_ = new ReadAloud(*this, [this] { return instructionParts(); });
    for (AnswerLabel* a : answers_)
        readAloud_->readOnKeyboardFocus(a, [a] { return a->text(); });
}

void ActivityScreen::addItem(int i)
{
    const ItemRow& row = layout_.items[static_cast<std::size_t>(i)];
    // Design state: the caption is kept with the target box until load.
    auto* target = new OutlineBox(this, ui::itemName(QStringLiteral("Label1"), i));
    target->setText(row.caption);
    display::setItemFont(target, layout_.labelFont);
    target->setAlignment(layout_.labelAlign);
    place(target, {row.targetLeft, row.targetTop, layout_.labelWidth, layout_.labelHeight});
    targets_.push_back(target);

    auto* home = new OutlineBox(this, ui::itemName(QStringLiteral("Label4"), i));
    home->setFilled(false);
    place(home, {row.homeLeft, row.homeTop, layout_.labelWidth, layout_.labelHeight});
    homes_.push_back(home);

    auto* answer = new AnswerLabel(this, i);
    display::setItemFont(answer, layout_.labelFont);
    answer->setAlignment(layout_.labelAlign);
    place(answer, {row.homeLeft, row.homeTop, layout_.labelWidth, layout_.labelHeight});
    connect(answer, &AnswerLabel::pointerMoved, this, &ActivityScreen::labelPointerMoved);
    connect(answer, &AnswerLabel::released, this, &ActivityScreen::labelReleased);
    connect(answer, &AnswerLabel::tapped, this, &ActivityScreen::labelTapped);
    connect(answer, &AnswerLabel::activated, this, &ActivityScreen::labelActivated);
    connect(target, &OutlineBox::activated, this, [this, target] { boxActivated(target); });
    connect(home, &OutlineBox::activated, this, [this, home] { boxActivated(home); });
    answers_.push_back(answer);
}

QList<readaloud::Part> ActivityScreen::instructionParts() const
{
    std::vector<const TextRow*> rows;
    for (const TextRow& row : layout_.texts)
        if (row.name != QLatin1String("Label6"))
            rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(), [](const TextRow* a, const TextRow* b) {
        return a->rect.top() != b->rect.top() ? a->rect.top() < b->rect.top() : a->rect.left() < b->rect.left();
    });
    QList<readaloud::Part> parts;
    for (const TextRow* row : rows) {
        auto* text = item<QLabel>(row->name);
        parts += readaloud::itemParts(text, text->text());
    }
    return parts;
}

void ActivityScreen::growTexts()
{
    // A text that wraps to one line more than its box holds would lose that line; it grows
    // downwards instead (the instruction of the sorting screen needs this).
    for (const TextRow& row : layout_.texts) {
        QLabel* text = item<QLabel>(row.name);
        const int needed = text->heightForWidth(text->width());
        if (needed > text->height())
            text->resize(text->width(), needed);
    }
}

void ActivityScreen::arrangeKeyboardOrder()
{
    // Labels first, then the target boxes, then the home boxes, each in reading order, then
    // the buttons; never label i next to its own box, which would give the answer away.
    auto readingOrder = [this](bool targets, std::vector<int>& numbers) {
        std::vector<int> order(static_cast<std::size_t>(layout_.count()));
        for (int i = 0; i < layout_.count(); ++i)
            order[static_cast<std::size_t>(i)] = i;
        std::stable_sort(order.begin(), order.end(), [this, targets](int a, int b) {
            const ItemRow& ra = layout_.items[static_cast<std::size_t>(a)];
            const ItemRow& rb = layout_.items[static_cast<std::size_t>(b)];
            const QPointF pa = targets ? QPointF(ra.targetLeft, ra.targetTop) : QPointF(ra.homeLeft, ra.homeTop);
            const QPointF pb = targets ? QPointF(rb.targetLeft, rb.targetTop) : QPointF(rb.homeLeft, rb.homeTop);
            return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
        });
        numbers.assign(order.size(), 0);
        for (std::size_t n = 0; n < order.size(); ++n)
            numbers[static_cast<std::size_t>(order[n])] = static_cast<int>(n) + 1;
        return order;
    };
    const std::vector<int> homes = readingOrder(false, homeNumbers_);
    const std::vector<int> targets = readingOrder(true, targetNumbers_);
    QList<QWidget*> chain;
    for (int i : homes)
        chain << answers_[static_cast<std::size_t>(i)];
    for (int i : targets)
        chain << targets_[static_cast<std::size_t>(i)];
    for (int i : homes)
        chain << homes_[static_cast<std::size_t>(i)];
    for (int b : {startAgainButton, checkScoreButton, exitButton})
        chain << button(QStringLiteral("Label3"), b);
    chainKeyboardOrder(chain);
    describePlaces();
}

void ActivityScreen::describePlaces()
{
    auto labelsOn = [this](bool targets, int box) {
        QStringList captions;
        for (int j = 0; j < layout_.count(); ++j)
            if ((targets ? engine_->targetHolding(j) : engine_->homeHolding(j)) == box)
                captions << answers_[static_cast<std::size_t>(j)]->text();
        return captions.isEmpty() ? QStringLiteral("empty") : QStringLiteral("holds ") + captions.join(QStringLiteral(", "));
    };
    for (int i = 0; i < layout_.count(); ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        // Where the box points, as the topic's author describes it: "Box 1, the organ between
        // the two lungs".
        QString boxName = QStringLiteral("Box %1").arg(targetNumbers_[k]);
        if (const QString& where = layout_.items[k].where; !where.isEmpty())
            boxName += QStringLiteral(", ") + where;
        targets_[k]->setReaderTexts(boxName, labelsOn(true, i));
        homes_[k]->setReaderTexts(QStringLiteral("Starting place %1").arg(homeNumbers_[k]), labelsOn(false, i));
        QString where;
        if (const int m = engine_->targetHolding(i); m >= 0)
            where = QStringLiteral("in box %1").arg(targetNumbers_[static_cast<std::size_t>(m)]);
        else if (const int h = engine_->homeHolding(i); h == i)
            where = QStringLiteral("in its starting place");
        else if (h >= 0)
            where = QStringLiteral("in starting place %1").arg(homeNumbers_[static_cast<std::size_t>(h)]);
        else
            where = QStringLiteral("not in a box");
        if (engine_->held() == i)
            where = QStringLiteral("picked up, ") + where;
        answers_[k]->setWhere(where);
    }
}

void ActivityScreen::rescaled()
{
    growTexts();
    for (int i = 0; i < layout_.count(); ++i) {
        placeLabel(i);
        homes_[static_cast<std::size_t>(i)]->setGeometry(
            display::rect(engine_->home(i).left, engine_->home(i).top, engine_->home(i).width, engine_->home(i).height));
    }
}

void ActivityScreen::stackInDrawingOrder()
{
    for (auto it = layout_.drawingOrder.rbegin(); it != layout_.drawingOrder.rend(); ++it)
        if (QWidget* w = item(*it))
            w->raise();
}

void ActivityScreen::load()
{
    setUpScreen();
    if (layout_.background)
        setBackgroundColour(*layout_.background);
    started_ = QDateTime::currentDateTime();
    if (picture_)
        setPicture(picture_, layout_.picture);
    for (int i = 0; i < layout_.count(); ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        answers_[k]->setText(targets_[k]->text());
        targets_[k]->setText(QString());
        targets_[k]->setFilled(false);
        homes_[k]->setGeometry(answers_[k]->geometry());
    }
    engine_ = std::make_unique<Engine>(itemSpecs(layout_));
    describePlaces();
}

void ActivityScreen::setTitle(const QString& title)
{
    if (auto* label = item<QLabel>(QStringLiteral("Label6")))
        label->setText(title);
}

QRect ActivityScreen::labelPixelRect(int i) const
{
    const Box& b = engine_->label(i);
    return display::rect(b.left, b.top, b.width, b.height);
}

void ActivityScreen::placeLabel(int i)
{
    AnswerLabel* label = answers_.at(static_cast<std::size_t>(i));
    const QPoint to = labelPixelRect(i).topLeft();
    if (label->pos() != to)
        label->move(to);
}

void ActivityScreen::labelPointerMoved(int index, QPointF position, Qt::MouseButtons buttons)
{
    if (engine_->drag(index, toTwips(position.x()), toTwips(position.y()), engineButtons(buttons))) {
        placeLabel(index);
        if (dragged_ != index) {
            dragged_ = index;
            readLabel(index);
        }
    }
}

void ActivityScreen::labelReleased(int index)
{
    dragged_ = -1;
    showStep(engine_->endDrag(index));
}

bool ActivityScreen::showStep(const Step& step)
{
    if (step.settled >= 0) {
        placeLabel(step.settled);
        for (int s = 0; s < step.snaps; ++s)
            playSound(thudSound);
        if (engine_->checkScoreVisible())
            checkScore_->show();
        describePlaces();
    }
    if (step.heldChanged)
        markHeld();
    return step.settled >= 0 || step.heldChanged;
}

void ActivityScreen::markHeld()
{
    for (AnswerLabel* a : answers_) {
        a->setHeld(a->index() == engine_->held());
        if (a->isHeld())
            a->raise(); // above the other labels while it waits to be put down
    }
    if (engine_->held() >= 0)
        readLabel(engine_->held());
    else
        describePlaces(); // no longer "picked up"
}

void ActivityScreen::readLabel(int i)
{
    AnswerLabel* a = answers_.at(static_cast<std::size_t>(i));
    if (readAloud_->canSpeak())
        readAloud_->readNow(readaloud::itemParts(a, a->text()));
    if (engine_->held() < 0)
        stackInDrawingOrder();
    describePlaces();
}

void ActivityScreen::labelTapped(int index, QPointF position)
{
    const QPointF pointer = answers_.at(static_cast<std::size_t>(index))->mapTo(this, position);
    showStep(engine_->tapLabel(index, toTwips(pointer.x()), toTwips(pointer.y())));
}

void ActivityScreen::labelActivated(int index)
{
    const Step step = engine_->chooseLabel(index);
    showStep(step);
    keepFocusInSight(answers_.at(static_cast<std::size_t>(index)), step.settled);
}

void ActivityScreen::boxActivated(OutlineBox* box)
{
    const auto target = std::find(targets_.begin(), targets_.end(), box);
    const Step step = target != targets_.end()
                          ? engine_->chooseBox(BoxKind::Target, static_cast<int>(target - targets_.begin()))
                          : engine_->chooseBox(BoxKind::Home,
                                               static_cast<int>(std::find(homes_.begin(), homes_.end(), box) - homes_.begin()));
    showStep(step);
    keepFocusInSight(box, step.settled);
}

void ActivityScreen::keepFocusInSight(QWidget* from, int placed)
{
    // The label just put down now covers the box (or label) the keyboard chose: the focus
    // goes onto the label, where the pupil can see it and a screen reader says where it lies.
    if (placed >= 0 && from->hasFocus())
        answers_.at(static_cast<std::size_t>(placed))->setFocus(Qt::OtherFocusReason);
}

void ActivityScreen::mouseReleaseEvent(QMouseEvent* e)
{
    // A click on the picture, a text or the bare screen while a label is held puts it down
    // there, as letting go of a drag there would.
    if (e->button() == Qt::LeftButton && showStep(engine_->clickAt(toTwips(e->position().x()), toTwips(e->position().y()))))
        e->accept();
    else
        Screen::mouseReleaseEvent(e);
}

void ActivityScreen::escapePressed()
{
    // Escape first lets go of a held label; only then is it Exit.
    if (!showStep(engine_->putBack()))
        Screen::escapePressed();
}

void ActivityScreen::buttonClicked(int index)
{
    App& a = app(); // Exit discards this screen; the click sound still plays
    if (index != exitButton)
        showStep(engine_->putBack());
    switch (index) {
    case exitButton:
        screens().close(*this);
        break;
    case startAgainButton:
        engine_->startAgain();
        for (int i = 0; i < layout_.count(); ++i)
            placeLabel(i);
        checkScore_->hide();
        describePlaces();
        break;
    case checkScoreButton: {
        // Written whole when scored and handed over: another task open at the same time
        // cannot change what this one's results screen shows.
        const ResultHandOff result{engine_->score(), layout_.count(), QString()};
        a.services.records.record({TaskKind::Activity, taskName_, result.resultScore, result.resultOutOf, started_,
                                   QDateTime::currentDateTime(), {}});
        openResultsScreen(a, result);
        break;
    }
    default:
        break;
    }
    playThroughGate(a, ui::clickSound);
}

} // namespace activity
