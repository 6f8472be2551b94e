#include "activity_screen.h"

#include "quiz/results.h"

#include <QMouseEvent>
#include <QPainter>

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
    setObjectName(frame::itemName(QStringLiteral("Label2"), index));
    setTextColour(this, yellow);
    // It paints every pixel itself, so moving it never needs what lies beneath repainted
    // inside it: this keeps dragging cheap.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
}

void AnswerLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0));
    p.setPen(QColor(0, 0, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(font());
    p.setPen(yellow);
    p.drawText(rect().adjusted(captionPadding, captionTop, -captionPadding, 0),
               static_cast<int>(alignment()) | Qt::TextSingleLine, text());
}

void AnswerLabel::mousePressEvent(QMouseEvent* e)
{
    // Accepting the press keeps the pointer's moves and release coming here while a button
    // is held, wherever the pointer goes.
    e->accept();
}

void AnswerLabel::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    emit pointerMoved(index_, e->position(), e->buttons());
}

void AnswerLabel::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    emit released(index_);
}

// ---------------------------------------------------------------- OutlineBox

OutlineBox::OutlineBox(QWidget* parent, const QString& name) : QLabel(parent)
{
    setObjectName(name);
    setTextColour(this, yellow);
}

void OutlineBox::setFilled(bool on)
{
    filled_ = on;
    update();
}

void OutlineBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (filled_)
        p.fillRect(rect(), QColor(0, 0, 0));
    p.setPen(QColor(0, 0, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!text().isEmpty()) {
        p.setFont(font());
        p.setPen(yellow);
        p.drawText(rect().adjusted(captionPadding, captionTop, -captionPadding, 0),
                   static_cast<int>(alignment()) | Qt::TextSingleLine, text());
    }
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
    p.setPen(QPen(yellow, 3, Qt::SolidLine, Qt::RoundCap));
    for (const LineRow& line : lines_)
        p.drawLine(QPointF(twips::toPixels(line.from.x()), twips::toPixels(line.from.y())),
                   QPointF(twips::toPixels(line.to.x()), twips::toPixels(line.to.y())));
}

// ---------------------------------------------------------------- ActivityScreen

ActivityScreen::ActivityScreen(App& app, const ActivityLayout& layout)
    : Screen(app, QString::fromUtf8(layout.name)), layout_(layout),
      engine_(std::make_unique<Engine>(layout.itemSpecs()))
{
    if (layout_.picture)
        picture_ = addPicture(QStringLiteral("Image1(0)"),
                              {layout_.pictureTopLeft.x(), layout_.pictureTopLeft.y(), 0, 0}, PictureItem::AutoSize);

    const QFont labelFont = makeFont(layout_.labelFont);
    for (int i = 0; i < layout_.count(); ++i) {
        const ItemRow& row = layout_.items[static_cast<std::size_t>(i)];
        // Design state: the caption is kept with the target box until load.
        auto* target = new OutlineBox(this, frame::itemName(QStringLiteral("Label1"), i));
        target->setText(QString::fromUtf8(row.caption));
        target->setFont(labelFont);
        target->setAlignment(layout_.labelAlign);
        place(target, {row.targetLeft, row.targetTop, layout_.labelWidth, layout_.labelHeight});
        targets_.push_back(target);

        auto* home = new OutlineBox(this, frame::itemName(QStringLiteral("Label4"), i));
        home->setFilled(false);
        place(home, {row.homeLeft, row.homeTop, layout_.labelWidth, layout_.labelHeight});
        homes_.push_back(home);

        auto* answer = new AnswerLabel(this, i);
        answer->setFont(labelFont);
        answer->setAlignment(layout_.labelAlign);
        place(answer, {row.homeLeft, row.homeTop, layout_.labelWidth, layout_.labelHeight});
        connect(answer, &AnswerLabel::pointerMoved, this, &ActivityScreen::labelPointerMoved);
        connect(answer, &AnswerLabel::released, this, &ActivityScreen::labelReleased);
        answers_.push_back(answer);
    }

    for (const TextRow& row : layout_.texts) {
        QLabel* text = addLabel(QString::fromUtf8(row.name), row.rect, QString::fromUtf8(row.text), row.font,
                                row.colour, row.align);
        // A text that wraps to one line more than its box holds would lose that line; it
        // grows downwards instead (the instruction of the sorting screen needs this).
        const int needed = text->heightForWidth(text->width());
        if (needed > text->height())
            text->resize(text->width(), needed);
    }

    if (!layout_.lines.empty()) {
        auto* lines = new PointerLines(this, layout_.lines);
        place(lines, {0, 0, frame::screenWidth, frame::screenHeight});
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
}

void ActivityScreen::stackInDrawingOrder()
{
    for (auto it = layout_.drawingOrder.rbegin(); it != layout_.drawingOrder.rend(); ++it)
        if (QWidget* w = item(QString::fromUtf8(*it)))
            w->raise();
}

void ActivityScreen::load()
{
    setUpScreen();
    if (layout_.background)
        setBackgroundColour(*layout_.background);
    state().results.resultOutOf = layout_.count();
    if (picture_)
        setPicture(picture_, QString::fromUtf8(layout_.picture));
    for (int i = 0; i < layout_.count(); ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        answers_[k]->setText(targets_[k]->text());
        targets_[k]->setText(QString());
        targets_[k]->setFilled(false);
        homes_[k]->setGeometry(answers_[k]->geometry());
    }
    engine_ = std::make_unique<Engine>(layout_.itemSpecs());
}

void ActivityScreen::setTitle(const QString& title)
{
    if (auto* label = item<QLabel>(QStringLiteral("Label6")))
        label->setText(title);
}

QRect ActivityScreen::labelPixelRect(int i) const
{
    const Box& b = engine_->label(i);
    return twips::rect(b.left, b.top, b.width, b.height);
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
    const float x = static_cast<float>(twips::fromPixels(position.x()));
    const float y = static_cast<float>(twips::fromPixels(position.y()));
    if (engine_->drag(index, x, y, engineButtons(buttons)))
        placeLabel(index);
}

void ActivityScreen::labelReleased(int index)
{
    const int snaps = engine_->drop(index);
    placeLabel(index);
    for (int s = 0; s < snaps; ++s)
        playSound(thudSound);
    if (engine_->checkScoreVisible())
        checkScore_->show();
}

void ActivityScreen::buttonClicked(int index)
{
    App& a = app(); // Exit discards this screen; the click sound still plays
    a.state.results.resultScore = 0;
    switch (index) {
    case exitButton:
        screens().close(*this);
        break;
    case startAgainButton:
        engine_->startAgain();
        for (int i = 0; i < layout_.count(); ++i)
            placeLabel(i);
        checkScore_->hide();
        break;
    case checkScoreButton:
        a.state.results.resultScore = engine_->score();
        openResultsScreen(a);
        break;
    default:
        break;
    }
    playThroughGate(a, frame::clickSound);
}

} // namespace activity
