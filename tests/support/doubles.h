// Recording stand-ins for the services, so tests see every sound, message and printed line.
#pragma once

#include "platform/dialogs.h"
#include "platform/messages.h"
#include "platform/printer.h"
#include "platform/random.h"
#include "platform/records.h"
#include "platform/sound.h"
#include "platform/speech.h"

#include <QColor>
#include <QSizeF>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

class RecordingSoundPlayer : public SoundPlayer {
public:
    void playWave(const QString& relativePath) override { played << relativePath; }
    QStringList played;
};

// Keeps what would be said. Nothing is said until finish() says the current text has been
// heard, as a real engine reports it.
class RecordingSpeech : public Speech {
public:
    bool available() override { return engine; }
    void say(const QString& text, std::function<void()> done) override
    {
        said << text;
        pending_ = std::move(done);
    }
    void stop() override
    {
        ++stops;
        pending_ = nullptr;
    }
    // The current text has been said; false when nothing was being said.
    bool finish()
    {
        auto done = std::exchange(pending_, nullptr);
        if (done)
            done();
        return static_cast<bool>(done);
    }
    bool engine = true; // false: no speech engine installed
    QStringList said;
    int stops = 0;

private:
    std::function<void()> pending_;
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
        bool withCancel;
    };
    void ok(const QString& text, const QString& title = QString()) override { shown.push_back({text, title, false}); }
    bool okCancel(const QString& text, const QString& title = QString()) override
    {
        shown.push_back({text, title, true});
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    QStringList texts() const
    {
        QStringList t;
        for (const auto& s : shown)
            t << s.text;
        return t;
    }
    QList<Shown> shown;
    std::deque<bool> answers; // for okCancel; OK when empty
};

// Answers every dialog from queues set by the test (cancelled when a queue is empty) and
// keeps what was asked.
class RecordingDialogs : public Dialogs {
public:
    QString openFile(const QString& caption, const QString&) override { return next(files, caption); }
    QString saveFile(const QString& caption, const QString& suggestedName, const QString& filters,
                     QString* chosenFilter) override
    {
        suggested << suggestedName;
        if (chosenFilter)
            *chosenFilter = filterAnswers.empty() ? filters.section(QStringLiteral(";;"), 0, 0) : take(filterAnswers);
        return next(files, caption);
    }
    QString askText(const QString& question, const QString& suggestion) override
    {
        suggested << suggestion;
        return next(texts, question);
    }
    int choose(const QString& question, const QStringList& choices) override
    {
        asked << question + QStringLiteral(" [") + choices.join(QStringLiteral(" | ")) + QLatin1Char(']');
        return choices.empty() || choiceAnswers.empty() ? -1 : take(choiceAnswers);
    }
    QList<int> pickItems(const QString& caption, const QStringList& items, int most) override
    {
        asked << caption;
        offered = items;
        QList<int> picked = pickAnswers.empty() ? QList<int>{} : take(pickAnswers);
        return picked.mid(0, most);
    }
    bool showFolder(const QString& path) override
    {
        shownFolders << path;
        return folderShows;
    }

    std::deque<QString> files, texts, filterAnswers;
    std::deque<int> choiceAnswers;
    std::deque<QList<int>> pickAnswers;
    QStringList asked, suggested, offered;
    QStringList shownFolders;
    bool folderShows = true; // false: no file manager

private:
    template <class T> static T take(std::deque<T>& q)
    {
        T v = q.front();
        q.pop_front();
        return v;
    }
    QString next(std::deque<QString>& q, const QString& caption)
    {
        asked << caption;
        return q.empty() ? QString() : take(q);
    }
};

class FixedRandom : public Random {
public:
    void reseedFromClock() override { ++reseeds; }
    int below(int k) override { return k > 0 ? value % k : 0; }
    int value = 0;
    int reseeds = 0;
};

// Keeps every printer operation with the font, colour and position in force for it.
// Text widths and line heights come from the real fonts at 1440 dots per inch, so one unit
// is one twip, as on a real page.
class RecordingPrinter : public Printer {
public:
    enum class Kind { Text, Line, Picture, DrawWidth, EndDoc };
    struct Op {
        Kind kind = Kind::Text;
        QString text;     // Text; Picture: unused
        QString font;
        double points = 0;
        QColor colour;
        double x = 0, y = 0, x2 = 0, y2 = 0;
        bool endLine = true;
        int drawWidth = 0;
        QSizeF pictureSize; // twips
    };

    RecordingPrinter(double width = 11506, double height = 16438) : width_(width), height_(height) {}

    void setDocumentName(const QString& name) override { documentName = name; }
    void setFont(const QString& family, double points) override { check(); font_ = family; points_ = points; }
    void setColor(const QColor& c) override { check(); colour_ = c; }
    double pageWidth() override { check(); return width_; }
    double pageHeight() override { check(); return height_; }
    double textWidth(const QString& text) override;
    double lineHeight();
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double x) override { check(); x_ = x; }
    void setCurrentY(double y) override { check(); y_ = y; }
    void print(const QString& text, bool endLine = true) override;
    void drawPicture(const Picture& picture, double x, double y) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void setDrawWidth(int width) override;
    PrintResult endDoc() override;
    void abandon() override { ++abandoned; x_ = y_ = 0; }

    QList<Op> ops;
    QList<QList<Op>> documents; // each ended document's operations
    int abandoned = 0;
    int failAfter = -1;         // throw PrintFailure once this many operations have passed
    QString pdfPath;            // returned by endDoc: set to pretend there is no printer
    bool printersWithoutDefault = false; // ... or printers but none set as the default
    QString documentName;       // the last name given

    QStringList texts() const; // every printed text of the current and ended documents

private:
    void check();
    Op current(Kind kind, double x, double y) const;
    double width_, height_;
    QString font_ = QStringLiteral("Times New Roman");
    double points_ = 12;
    QColor colour_ = QColor(0, 0, 0);
    double x_ = 0, y_ = 0;
    int count_ = 0;
};

// Keeps records in memory: every finished task reported, and what the teacher's screens read.
class RecordingRecords : public ClassRecords {
public:
    QString pupil() const override { return pupilName; }
    void setPupil(const QString& name) override { pupilName = name; }
    ClassSettings settings() const override { return classSettings; }
    bool saveSettings(const ClassSettings& s) override
    {
        if (failSaves)
            return false;
        classSettings = s;
        ++saves;
        return true;
    }
    bool record(const FinishedTask& task) override
    {
        finished << task;
        stored << TaskRecord{QStringLiteral("r%1").arg(stored.size()), QStringLiteral("here"), pupilName, task};
        return true;
    }
    QList<TaskRecord> readAll() override { return stored; }
    QStringList unreadableFiles() const override { return unreadable; }
    bool forget(const QString& name) override
    {
        forgotten << name;
        stored.removeIf([&](const TaskRecord& r) { return r.pupil == name; });
        return true;
    }

    QString pupilName;
    ClassSettings classSettings;
    QList<FinishedTask> finished; // as the tasks reported them
    QList<TaskRecord> stored;     // what readAll gives: the recorded ones and any a test adds
    QStringList forgotten;
    QStringList unreadable;
    int saves = 0;
    bool failSaves = false;
};
