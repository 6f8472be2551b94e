// Class records kept in SQLite: one database in the user's data folder, and a copy of it in
// the class folder under this machine's name for the teacher's screens on every machine.
//
// The class folder is usually a network share, where SQLite's locking cannot be trusted, so
// no database there is ever written in place: this machine replaces its own file whole
// (written beside it, then renamed over it), and reads every file there read-only. A machine
// that cannot reach the folder goes on recording locally; the next copy carries everything.
#pragma once

#include "platform/records.h"

#include <QString>

#include <memory>

namespace records {

// The schema version this program writes; older databases are upgraded in place.
inline constexpr int schemaVersion = 2;

// This computer's name as a file name: letters, digits, '-', '_' and '.' only.
QString machineName();

// The class list as a teacher types it: one name a line; a line ending in ':' starts a class
// of that name. Names before the first such line form a class called "Class".
QList<ClassList> parseClassList(const QString& text);
QString classListText(const QList<ClassList>& classes);

class SqliteRecords : public ClassRecords {
public:
    // userRoot: the user's data folder. schoolSettings: the system-wide settings file, which
    // may name the class folder (key "class/folder"). machine: the name of this machine's file in
    // the class folder; by default the computer's name and a number kept with this user's
    // settings, since several users of one computer each keep their own records.
    SqliteRecords(const QString& userRoot, const QString& schoolSettings, const QString& machine = QString());
    ~SqliteRecords() override;

    QString pupil() const override { return pupil_; }
    void setPupil(const QString& name) override { pupil_ = name; }
    ClassSettings settings() const override { return settings_; }
    bool saveSettings(const ClassSettings& settings) override;
    bool record(const FinishedTask& task) override;
    QList<TaskRecord> readAll() override;
    QStringList unreadableFiles() const override { return unreadable_; }
    bool forget(const QString& pupil) override;

    // Brings this machine's file in the class folder up to date when it is behind or missing;
    // true when it is up to date (or there is no class folder).
    bool handOver();

    QString databasePath() const;
    // This machine's file in the class folder; empty without a class folder.
    QString classFilePath() const;
    const QString& machine() const { return machine_; }

private:
    bool open();
    QString connection_;
    QString userRoot_;
    QString machine_;
    QString pupil_;
    ClassSettings settings_;
    QStringList unreadable_;
    bool opened_ = false;
};

// The records in one database file, opened read-only; empty when it cannot be read.
QList<TaskRecord> readDatabase(const QString& path, bool* ok = nullptr);
// Brings a database to the current schema inside one transaction; false when it cannot
// (a newer program's database is left as it is).
bool upgradeSchema(const QString& connectionName);

} // namespace records
