#include "sound.h"

#include "data_folder.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer(const DataFolder& files) : files_(files) {}

QtSoundPlayer::~QtSoundPlayer() { qDeleteAll(effects_); }

void QtSoundPlayer::playWave(const QString& relativePath)
{
    // With no output device QSoundEffect would "play" for ever in silence; skip the work.
    if (QMediaDevices::defaultAudioOutput().isNull())
        return;
    auto it = effects_.find(relativePath);
    if (it == effects_.end()) {
        QSoundEffect* effect = nullptr;
        const QString path = files_.resolve(relativePath);
        if (!path.isEmpty()) {
            effect = new QSoundEffect;
            effect->setSource(QUrl::fromLocalFile(path));
        }
        it = effects_.insert(relativePath, effect);
    }
    QSoundEffect* effect = it.value();
    if (!effect || effect->status() == QSoundEffect::Error)
        return;
    if (effect->isPlaying())
        effect->stop();
    effect->play();
}
