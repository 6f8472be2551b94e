// The view of an activity: widgets built from a layout table, driven by the engine.
#pragma once

#include "activity_engine.h"
#include "activity_layout.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

#include <QDateTime>
#include <QLabel>

#include <memory>
#include <optional>
#include <vector>

class ReadAloud;
namespace readaloud {
struct Part;
}

namespace activity {

// A draggable answer label Label2(i): a black box with a border and a bold yellow caption.
// It reports pointer moves and button releases, from a mouse or a finger; the screen decides
// where it goes. A press let go without moving is a tap, which picks the label up.
class AnswerLabel : public QLabel, public AccessibleItem {
    Q_OBJECT
public:
    AnswerLabel(QWidget* parent, int index);
    int index() const { return index_; }

    // Picked up to be put down by the next click: drawn in reversed colours.
    void setHeld(bool on);
    bool isHeld() const { return held_; }
    // Where it lies, in words, for screen readers.
    void setWhere(const QString& where);

    QAccessible::Role readerRole() const override { return QAccessible::Button; }
    QString readerName() const override { return text(); }
    QString readerDescription() const override { return where_; }
    bool readerPressable() const override { return true; }
    void readerPress() override { emit activated(index_); }
    void readerState(QAccessible::State& s) const override;

signals:
    // Position in pixels relative to the label's top-left, with the buttons held.
    void pointerMoved(int index, QPointF position, Qt::MouseButtons buttons);
    void released(int index);
    // Pressed and let go without moving, at a position relative to the label.
    void tapped(int index, QPointF position);
    // Enter or Space, or a screen reader's press.
    void activated(int index);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void pointerPress(QPointF globalPosition);
    void pointerMove(QPointF position, QPointF globalPosition, Qt::MouseButtons buttons);
    void pointerRelease(QPointF position);

    int index_;
    bool held_ = false;
    QString where_;
    // The pointer's way since the press: a drag only once it has gone a little way, so that
    // a shaky click still counts as a click.
    std::optional<QPointF> pressedAt_;
    bool dragging_ = false;
};

// A target or home box: in the design a captioned black box; after load an empty outline.
// Clicked or chosen with Enter while a label is held, it takes that label.
class OutlineBox : public QLabel, public AccessibleItem {
    Q_OBJECT
public:
    OutlineBox(QWidget* parent, const QString& name);
    void setFilled(bool on);
    bool isFilled() const { return filled_; }
    // Its name for screen readers ("Box 3") and what it holds.
    void setReaderTexts(const QString& name, const QString& holds);

    QAccessible::Role readerRole() const override { return QAccessible::Button; }
    QString readerName() const override { return readerName_; }
    QString readerDescription() const override { return holds_; }
    bool readerPressable() const override { return true; }
    void readerPress() override { emit activated(); }

signals:
    void activated();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool filled_ = true;
    ClickRule clicks_;
    QString readerName_;
    QString holds_;
};

// The yellow pointer lines, drawn over the picture and target boxes but under the home boxes
// and answer labels. Mouse events pass through it.
class PointerLines : public QWidget {
    Q_OBJECT
public:
    PointerLines(QWidget* parent, std::vector<LineRow> lines);
    const std::vector<LineRow>& lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::vector<LineRow> lines_;
};

class ActivityScreen : public Screen {
    Q_OBJECT
public:
    ActivityScreen(App& app, const ActivityLayout& layout);

    void load() override;
    // The title line: the opening hub writes its own title here.
    void setTitle(const QString& title);
    // What the class records call this activity, e.g. "Bones: Labelling Activity".
    void setTaskName(const QString& name) { taskName_ = name; }

    const ActivityLayout& layout() const { return layout_; }
    const Engine& engine() const { return *engine_; }
    AnswerLabel* answerLabel(int i) const { return answers_.at(static_cast<size_t>(i)); }
    ReadAloud* readAloud() const { return readAloud_; }

    // The pixel rectangle where label i's twips position puts it.
    QRect labelPixelRect(int i) const;

    // Labels, then target boxes, then home boxes, each in reading order, then the buttons.
    void arrangeKeyboardOrder() override;

public slots:
    void labelPointerMoved(int index, QPointF position, Qt::MouseButtons buttons);
    void labelReleased(int index);
    void buttonClicked(int index);
    // Click to place: a tap or Enter on a label, and a click or Enter on a box.
    void labelTapped(int index, QPointF position);
    void labelActivated(int index);
    void boxActivated(OutlineBox* box);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void escapePressed() override;
    void rescaled() override;

private:
    // Label2(i), Label1(i) and Label4(i), wired to the handlers.
    void addItem(int i);
    // Read to me: the instructions, top to bottom (the title is not one).
    QList<readaloud::Part> instructionParts() const;
    void placeLabel(int i);
    void stackInDrawingOrder();
    void growTexts();
    // Moves the widgets to what a step of the engine changed: the settled label's place, its
    // thuds and "Check Score", then the held mark. Returns whether anything changed.
    bool showStep(const Step& step);
    void markHeld();
    void readLabel(int i);
    void describePlaces();
    void keepFocusInSight(QWidget* from, int placed);

    const ActivityLayout& layout_;
    std::unique_ptr<Engine> engine_;
    std::vector<AnswerLabel*> answers_;
    std::vector<OutlineBox*> targets_;
    std::vector<OutlineBox*> homes_;
    PictureItem* picture_ = nullptr;
    ButtonLabel* checkScore_ = nullptr;
    ReadAloud* readAloud_ = nullptr;
    int dragged_ = -1; // the label being dragged, read aloud as the drag starts
    // Box numbers for screen readers, in reading order (top to bottom, left to right), so
    // they do not give away which label belongs where.
    std::vector<int> targetNumbers_;
    std::vector<int> homeNumbers_;
    QString taskName_;
    QDateTime started_;
};

} // namespace activity
