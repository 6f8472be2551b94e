// Class records: who did which task, with what score. Tasks report a finished task here; the
// teacher's screens read every record of the class back. Behind an interface so tests can
// keep records in memory.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

enum class TaskKind { TopicQuiz, Worksheet, Activity };

// A question answered wrongly: its number (1..10) and the option chosen (1..4; 0 = none).
struct WrongAnswer {
    int question = 0;
    int chosen = 0;
    friend bool operator==(const WrongAnswer&, const WrongAnswer&) = default;
};

// What a task knows when its results screen appears.
struct FinishedTask {
    TaskKind kind = TaskKind::TopicQuiz;
    QString title;
    int score = 0;
    int outOf = 0;
    QDateTime started;
    QDateTime ended;
    QList<WrongAnswer> wrong; // quizzes only, in question order
};

// A record as kept: the task, who did it and where.
struct TaskRecord {
    QString id;      // unique across every machine of the class
    QString machine; // the computer that recorded it
    QString pupil;   // empty: no name
    FinishedTask task;
};

// One class of the teacher's list.
struct ClassList {
    QString name;
    QStringList pupils;
    friend bool operator==(const ClassList&, const ClassList&) = default;
};

struct ClassSettings {
    bool classMode = false;   // pupils say who they are after the title screen
    QList<ClassList> classes;
    QString classFolder;      // the teacher's choice of class folder; empty: the school's
    QString schoolFolder;     // named in the system-wide settings file; read only here
    QString pinHash;          // the teachers' PIN as a salted hash; empty: no PIN

    QString folder() const { return classFolder.isEmpty() ? schoolFolder : classFolder; }
};

class ClassRecords {
public:
    virtual ~ClassRecords() = default;

    // The pupil at this machine, as chosen on "Who are you?"; empty when nobody has said.
    virtual QString pupil() const = 0;
    virtual void setPupil(const QString& name) = 0;

    virtual ClassSettings settings() const = 0;
    // False when the settings could not be kept.
    virtual bool saveSettings(const ClassSettings& settings) = 0;

    // Keeps a finished task for the current pupil, whole or not at all; false when it could not.
    virtual bool record(const FinishedTask& task) = 0;
    // Every record of the class: this machine's and every machine's in the class folder, each
    // once, oldest first. Nothing is written.
    virtual QList<TaskRecord> readAll() = 0;
    // The files of the class folder that the last readAll could not read, by name.
    virtual QStringList unreadableFiles() const { return {}; }
    // Deletes every record of the pupil on this machine and in this machine's class-folder
    // file; false when it could not.
    virtual bool forget(const QString& pupil) = 0;
};
