// Sound effects. The program only ever asks for one thing: play this wave file.
#pragma once

#include <QHash>
#include <QString>

class DataFolder;
class QSoundEffect;

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the wave at a data-folder-relative path and returns at once.
    virtual void playWave(const QString& relativePath) = 0;
};

// Plays through Qt Multimedia. Each effect is decoded once and kept. A new effect does not
// cut off a different one still playing (a click may ring over a fanfare), but asking for
// the same effect again restarts it. Without an audio output, or with a missing or broken
// file, it stays silent.
class QtSoundPlayer : public SoundPlayer {
public:
    explicit QtSoundPlayer(const DataFolder& files);
    ~QtSoundPlayer() override;
    void playWave(const QString& relativePath) override;

private:
    const DataFolder& files_;
    QHash<QString, QSoundEffect*> effects_; // by relative path as asked; nullptr = unplayable
};
