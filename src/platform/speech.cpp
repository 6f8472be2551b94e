#include "speech.h"

#include "cp1252.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTextToSpeech>
#include <QVoice>

#include <algorithm>

namespace speech {

int speedFrom(const QByteArray& settingsFile)
{
    static const QRegularExpression line(QStringLiteral("^\\s*speed\\s*:\\s*([-+]?\\d+)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::MultilineOption);
    const QString text = cp1252::decode(settingsFile).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const auto m = line.match(text);
    if (!m.hasMatch())
        return defaultSpeed;
    bool ok = false;
    const int speed = m.captured(1).toInt(&ok);
    return ok ? std::clamp(speed, -10, 10) : defaultSpeed;
}

} // namespace speech

QtSpeech::QtSpeech(int speed) : speed_(std::clamp(speed, -10, 10)) {}

QtSpeech::~QtSpeech() { delete engine_; }

void QtSpeech::start()
{
    if (started_)
        return;
    started_ = true;
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty())
        return;
    QString name = engines.first();
    for (const char* preferred : {"speechd", "flite"})
        if (engines.contains(QLatin1String(preferred))) {
            name = QString::fromLatin1(preferred);
            break;
        }
    engine_ = new QTextToSpeech(name);
    if (engine_->state() == QTextToSpeech::Error || engine_->availableVoices().isEmpty())
        return;
    const QList<QLocale> locales = engine_->availableLocales();
    const auto found = std::find_if(locales.begin(), locales.end(), [&](const QLocale& l) {
        return l.language() == QLocale::English && l.territory() == QLocale::UnitedKingdom;
    });
    if (found != locales.end()) {
        engine_->setLocale(*found);
    } else {
        // No British voice: any English one rather than a voice of another language.
        for (const QLocale& l : locales)
            if (l.language() == QLocale::English) {
                engine_->setLocale(l);
                break;
            }
    }
    engine_->setRate(speed_ / 10.0);
    QObject::connect(engine_, &QTextToSpeech::stateChanged, engine_, [this](QTextToSpeech::State s) {
        if (s == QTextToSpeech::Speaking) {
            speaking_ = true;
        } else if (s == QTextToSpeech::Ready && speaking_) {
            speaking_ = false;
            if (auto done = std::exchange(done_, nullptr))
                done();
        }
    });
    usable_ = true;
}

bool QtSpeech::available()
{
    start();
    return usable_;
}

void QtSpeech::say(const QString& text, std::function<void()> done)
{
    if (!available())
        return;
    stop();
    done_ = std::move(done);
    engine_->say(text);
}

void QtSpeech::stop()
{
    done_ = nullptr;
    if (engine_ && usable_ && engine_->state() == QTextToSpeech::Speaking)
        engine_->stop();
    speaking_ = false;
}
