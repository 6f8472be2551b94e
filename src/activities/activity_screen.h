// The view of an activity: widgets built from a layout table, driven by the engine.
#pragma once

#include "activity_engine.h"
#include "activity_layout.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

#include <QLabel>

#include <memory>
#include <vector>

namespace activity {

// A draggable answer label Label2(i): a black box with a border and a bold yellow caption.
// It reports pointer moves and button releases; the screen decides where it goes.
class AnswerLabel : public QLabel {
    Q_OBJECT
public:
    AnswerLabel(QWidget* parent, int index);
    int index() const { return index_; }

signals:
    // Position in pixels relative to the label's top-left, with the buttons held.
    void pointerMoved(int index, QPointF position, Qt::MouseButtons buttons);
    void released(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    int index_;
};

// A target or home box: in the design a captioned black box; after load an empty outline.
class OutlineBox : public QLabel {
    Q_OBJECT
public:
    OutlineBox(QWidget* parent, const QString& name);
    void setFilled(bool on);
    bool isFilled() const { return filled_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool filled_ = true;
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

    const ActivityLayout& layout() const { return layout_; }
    const Engine& engine() const { return *engine_; }
    AnswerLabel* answerLabel(int i) const { return answers_.at(static_cast<size_t>(i)); }

    // The pixel rectangle where label i's twips position puts it.
    QRect labelPixelRect(int i) const;

public slots:
    void labelPointerMoved(int index, QPointF position, Qt::MouseButtons buttons);
    void labelReleased(int index);
    void buttonClicked(int index);

private:
    void placeLabel(int i);
    void stackInDrawingOrder();

    const ActivityLayout& layout_;
    std::unique_ptr<Engine> engine_;
    std::vector<AnswerLabel*> answers_;
    std::vector<OutlineBox*> targets_;
    std::vector<OutlineBox*> homes_;
    PictureItem* picture_ = nullptr;
    ButtonLabel* checkScore_ = nullptr;
};

} // namespace activity
