// "Read to me": a button and a key on a screen that read its words aloud a sentence at a time,
// marking the sentence being read with a plain band behind it. Each screen says what it
// reads; pressing again stops. Nothing shows while sound is off or no speech engine is
// installed.
#pragma once

#include "screen_frame.h"

#include <QPointer>

#include <functional>

class DataFolder;

namespace readaloud {

inline constexpr int key = Qt::Key_F5;
inline const QString caption = QStringLiteral("Read to me");
// Dark enough that white, yellow and cyan words stay easy to read on it, and unlike both the
// blue screens and the black labels.
inline const QColor bandColour(110, 0, 110);
// Below the bottom row of buttons, at the right: free on every screen that reads aloud.
inline const QRectF buttonPlace{9405, 8475, 2400, 450};
inline const FontSpec buttonFont{"Tahoma", 12, true};

// One piece read aloud: its words, where it is marked (twips of the screen) and the item the
// band lies beneath.
struct Part {
    QString text;
    QList<QRectF> marks;
    QPointer<QWidget> under;
};

// The sentences of an item's text, each marked by the whole item; none when it is hidden or
// has no words.
QList<Part> itemParts(QWidget* item, const QString& text);
// A page picture's sentences from the words file beside it, placed where the picture lies.
QList<Part> pageParts(const DataFolder& files, PictureItem* page);

} // namespace readaloud

// The button label: a speaker sign beside its caption.
class ReadAloudButton : public ButtonLabel {
    Q_OBJECT
public:
    explicit ReadAloudButton(QWidget* parent);
    QString readerName() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
};

class ReadAloud : public QObject {
    Q_OBJECT
public:
    using Source = std::function<QList<readaloud::Part>()>;
    // Adds the button to the screen; source gives what the screen reads when asked.
    ReadAloud(Screen& screen, Source source, QRectF place = readaloud::buttonPlace);
    ~ReadAloud() override;

    ButtonLabel* button() const { return button_; }
    bool isReading() const { return reading_; }
    // Sound on and a speech engine installed.
    bool canSpeak() const;

    // The button and the key: reads from the start, or stops when already reading.
    void toggle();
    void stop();
    // Reads these parts at once, ending any reading under way (a label just picked up).
    void readNow(const QList<readaloud::Part>& parts);
    // Reads an item's words whenever the keyboard moves to it.
    void readOnKeyboardFocus(QWidget* item, std::function<QString()> words);

    // What is marked now, twips of the screen.
    QList<QRectF> marked() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void showOrHide();
    void sayNext();
    void mark(const readaloud::Part* part);

    Screen& screen_;
    App& app_; // kept apart from the screen, which is already gone when this is destroyed
    Source source_;
    ReadAloudButton* button_;
    QList<readaloud::Part> parts_;
    int next_ = 0;
    bool reading_ = false;
    int generation_ = 0;
    QList<QWidget*> bands_;
    QList<QRectF> marked_;
    QPointer<QWidget> markedUnder_; // the bands follow it when it moves (a label dragged)
    QPoint markedAt_;
    QPointer<QWidget> filled_; // an item that paints its own background, coloured while marked
    QPalette filledPalette_;
    QHash<QWidget*, std::function<QString()>> focusWords_;
};
