// Reading aloud. Screens ask for one piece of text at a time and hear when it has been said,
// so they can mark each sentence while it is spoken.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QTextToSpeech;

class Speech {
public:
    virtual ~Speech() = default;
    // Whether anything can be spoken: a speech engine with at least one voice is installed.
    virtual bool available() = 0;
    // Says the text, ending anything still being said. done runs once it has been said; it
    // never runs for speech that was stopped.
    virtual void say(const QString& text, std::function<void()> done) = 0;
    virtual void stop() = 0;
};

namespace speech {
// How fast the program reads, from -10 (slowest) through 0 (the voice's own pace) to 10.
inline constexpr int defaultSpeed = -3; // a little slower than the voice's own pace, for young readers
// The "speed:" line of the speech settings file ("speech.txt"); the default when there is none
// or it cannot be read, and within -10..10 whatever it says.
int speedFrom(const QByteArray& settingsFile);
inline const QString settingsFile = QStringLiteral("speech.txt");
} // namespace speech

// Qt TextToSpeech, preferring speech-dispatcher, then Flite, and a British English voice where
// one is installed. The engine starts on first use; without one, nothing is available and
// nothing is said.
class QtSpeech : public Speech {
public:
    explicit QtSpeech(int speed);
    ~QtSpeech() override;
    bool available() override;
    void say(const QString& text, std::function<void()> done) override;
    void stop() override;

private:
    void start();
    int speed_;
    bool started_ = false;
    bool usable_ = false;
    bool speaking_ = false;
    QTextToSpeech* engine_ = nullptr;
    std::function<void()> done_;
};
