#include "record_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QUrl>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include <unistd.h>

namespace records {

namespace {

const QString driver = QStringLiteral("QSQLITE");
const QString databaseName = QStringLiteral("records.sqlite");
const QString settingsName = QStringLiteral("class-settings.ini");
const QString fileSuffix = QStringLiteral(".sqlite");

QString uniqueConnection(const QString& purpose)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("records-%1-%2-%3").arg(purpose).arg(::getpid()).arg(++counter);
}

// Each step takes a database from the version before it to its own.
const QList<QStringList> upgrades = {
    // 1: the records and the questions answered wrongly.
    {QStringLiteral("CREATE TABLE records(id TEXT PRIMARY KEY, machine TEXT NOT NULL, pupil TEXT NOT NULL,"
                    " kind TEXT NOT NULL, title TEXT NOT NULL, score INTEGER NOT NULL, out_of INTEGER NOT NULL,"
                    " started TEXT NOT NULL, ended TEXT NOT NULL)"),
     QStringLiteral("CREATE TABLE wrong_answers(record_id TEXT NOT NULL, question INTEGER NOT NULL,"
                    " chosen INTEGER NOT NULL, PRIMARY KEY(record_id, question))")},
    // 2: what has been handed to the class folder, and pupils found quickly.
    {QStringLiteral("CREATE TABLE counters(name TEXT PRIMARY KEY, value INTEGER NOT NULL)"),
     QStringLiteral("INSERT INTO counters VALUES('changes', 1), ('handed_over', 0)"),
     QStringLiteral("CREATE INDEX records_by_pupil ON records(pupil)")},
};

QString kindName(TaskKind k)
{
    switch (k) {
    case TaskKind::TopicQuiz:
        return QStringLiteral("topic quiz");
    case TaskKind::Worksheet:
        return QStringLiteral("worksheet");
    case TaskKind::Activity:
        return QStringLiteral("activity");
    }
    return {};
}

TaskKind kindFromName(const QString& s)
{
    if (s == QLatin1String("worksheet"))
        return TaskKind::Worksheet;
    if (s == QLatin1String("activity"))
        return TaskKind::Activity;
    return TaskKind::TopicQuiz;
}

QString timeText(const QDateTime& t) { return t.toUTC().toString(Qt::ISODateWithMs); }
// Read back in UTC: a year of records is read each time the teacher's screen opens, and the
// general parser and the time zone would take most of that time. Shown in local time.
QDateTime timeFrom(const QString& s)
{
    // "2026-03-14T09:00:00.000Z", as timeText writes it.
    auto number = [&s](int from, int length) {
        int n = 0;
        for (int i = from; i < from + length; ++i) {
            const int d = s[i].unicode() - '0';
            if (d < 0 || d > 9)
                return -1;
            n = n * 10 + d;
        }
        return n;
    };
    if (s.size() == 24 && s[4] == QLatin1Char('-') && s[10] == QLatin1Char('T') && s[19] == QLatin1Char('.') &&
        s[23] == QLatin1Char('Z')) {
        const QDate date(number(0, 4), number(5, 2), number(8, 2));
        const int h = number(11, 2), m = number(14, 2), sec = number(17, 2), ms = number(20, 3);
        if (date.isValid() && h >= 0 && h < 24 && m >= 0 && m < 60 && sec >= 0 && sec < 60 && ms >= 0)
            return QDateTime::fromMSecsSinceEpoch(
                (date.toJulianDay() - 2440588) * 86400000LL + ((h * 60LL + m) * 60 + sec) * 1000 + ms, Qt::UTC);
    }
    return QDateTime::fromString(s, Qt::ISODateWithMs);
}

bool exec(QSqlQuery& q, const QString& sql) { return q.exec(sql); }

int counter(QSqlDatabase& db, const char* name)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT value FROM counters WHERE name = ?"));
    q.addBindValue(QString::fromLatin1(name));
    return q.exec() && q.next() ? q.value(0).toInt() : -1;
}

bool bumpChanges(QSqlDatabase& db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("UPDATE counters SET value = value + 1 WHERE name = 'changes'"));
}

// A connection closed and forgotten when it goes out of scope.
struct ReadOnlyConnection {
    explicit ReadOnlyConnection(const QString& path) : name(uniqueConnection(QStringLiteral("read")))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        // Files in the class folder are only ever replaced whole, never changed in place, so
        // they can be read without locks, which network shares do not keep reliably.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
        db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?immutable=1"));
        opened = QFileInfo::exists(path) && db.open();
    }
    ~ReadOnlyConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    QString name;
    bool opened = false;
};

QList<TaskRecord> readFrom(QSqlDatabase db, bool* ok)
{
    QList<TaskRecord> out;
    QHash<QString, int> byId;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, machine, pupil, kind, title, score, out_of, started, ended FROM records"))) {
        *ok = false;
        return {};
    }
    while (q.next()) {
        TaskRecord r;
        r.id = q.value(0).toString();
        r.machine = q.value(1).toString();
        r.pupil = q.value(2).toString();
        r.task.kind = kindFromName(q.value(3).toString());
        r.task.title = q.value(4).toString();
        r.task.score = q.value(5).toInt();
        r.task.outOf = q.value(6).toInt();
        r.task.started = timeFrom(q.value(7).toString());
        r.task.ended = timeFrom(q.value(8).toString());
        byId.insert(r.id, int(out.size()));
        out << r;
    }
    QSqlQuery w(db);
    w.setForwardOnly(true);
    if (!w.exec(QStringLiteral("SELECT record_id, question, chosen FROM wrong_answers ORDER BY record_id, question"))) {
        *ok = false;
        return {};
    }
    while (w.next()) {
        const auto it = byId.constFind(w.value(0).toString());
        if (it != byId.constEnd())
            out[*it].task.wrong << WrongAnswer{w.value(1).toInt(), w.value(2).toInt()};
    }
    *ok = true;
    return out;
}

bool syncFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    return ::fsync(f.handle()) == 0;
}

// A null text would be bound as SQL NULL; "no name" is an empty name.
QVariant text(const QString& s) { return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s); }

QString sqlText(const QString& s) { return QLatin1Char('\'') + QString(s).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''); }

} // namespace

QString machineName()
{
    QString name;
    for (const QChar c : QSysInfo::machineHostName())
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.'))
            name += c;
    return name.isEmpty() ? QStringLiteral("computer") : name;
}

QList<ClassList> parseClassList(const QString& text)
{
    QList<ClassList> classes;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (line.endsWith(QLatin1Char(':'))) {
            classes << ClassList{line.chopped(1).trimmed(), {}};
            continue;
        }
        if (classes.isEmpty())
            classes << ClassList{QStringLiteral("Class"), {}};
        if (!classes.last().pupils.contains(line))
            classes.last().pupils << line;
    }
    return classes;
}

QString classListText(const QList<ClassList>& classes)
{
    QString text;
    for (const ClassList& c : classes) {
        text += c.name + QStringLiteral(":\n");
        for (const QString& p : c.pupils)
            text += p + QLatin1Char('\n');
    }
    return text;
}

bool upgradeSchema(const QString& connectionName)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return false;
    const int version = q.value(0).toInt();
    if (version == schemaVersion)
        return true;
    if (version > schemaVersion)
        return false;
    if (!db.transaction())
        return false;
    bool ok = true;
    for (int v = version; ok && v < schemaVersion; ++v)
        for (const QString& sql : upgrades[v])
            ok = ok && exec(q, sql);
    ok = ok && q.exec(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion));
    if (ok && db.commit())
        return true;
    db.rollback();
    return false;
}

QList<TaskRecord> readDatabase(const QString& path, bool* ok)
{
    bool read = false;
    QList<TaskRecord> out;
    {
        ReadOnlyConnection c(path);
        if (c.opened)
            out = readFrom(QSqlDatabase::database(c.name, false), &read);
    }
    if (ok)
        *ok = read;
    return out;
}

SqliteRecords::SqliteRecords(const QString& userRoot, const QString& schoolSettings, const QString& machine)
    : connection_(uniqueConnection(QStringLiteral("local"))), userRoot_(userRoot), machine_(machine)
{
    QSettings school(schoolSettings, QSettings::IniFormat);
    settings_.schoolFolder = school.value(QStringLiteral("class/folder")).toString();
    QSettings own(QDir(userRoot_).filePath(settingsName), QSettings::IniFormat);
    settings_.classMode = own.value(QStringLiteral("class/mode"), false).toBool();
    settings_.classes = parseClassList(own.value(QStringLiteral("class/list")).toString());
    settings_.classFolder = own.value(QStringLiteral("class/folder")).toString();
    settings_.pinHash = own.value(QStringLiteral("teacher/pin")).toString();
    if (machine_.isEmpty()) {
        QString suffix = own.value(QStringLiteral("records/file")).toString();
        if (suffix.isEmpty()) {
            suffix = QUuid::createUuid().toString(QUuid::Id128).left(8);
            own.setValue(QStringLiteral("records/file"), suffix);
        }
        machine_ = machineName() + QLatin1Char('-') + suffix;
    }
}

SqliteRecords::~SqliteRecords()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QString SqliteRecords::databasePath() const { return QDir(userRoot_).filePath(databaseName); }

QString SqliteRecords::classFilePath() const
{
    const QString folder = settings_.folder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(machine_ + fileSuffix);
}

bool SqliteRecords::saveSettings(const ClassSettings& s)
{
    QSettings own(QDir(userRoot_).filePath(settingsName), QSettings::IniFormat);
    own.setValue(QStringLiteral("class/mode"), s.classMode);
    own.setValue(QStringLiteral("class/list"), classListText(s.classes));
    own.setValue(QStringLiteral("class/folder"), s.classFolder);
    own.setValue(QStringLiteral("teacher/pin"), s.pinHash);
    own.sync();
    if (own.status() != QSettings::NoError)
        return false;
    const QString school = settings_.schoolFolder;
    settings_ = s;
    settings_.schoolFolder = school;
    handOver();
    return true;
}

bool SqliteRecords::open()
{
    if (opened_)
        return true;
    if (!QDir().mkpath(userRoot_))
        return false;
    QSqlDatabase db = QSqlDatabase::contains(connection_) ? QSqlDatabase::database(connection_, false)
                                                          : QSqlDatabase::addDatabase(driver, connection_);
    db.setDatabaseName(databasePath());
    if (!db.open())
        return false;
    QSqlQuery q(db);
    // A finished transaction is on the disk before the pupil sees the results.
    q.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    // A forgotten pupil's records are overwritten, not merely unlinked inside the file.
    q.exec(QStringLiteral("PRAGMA secure_delete = ON"));
    if (!upgradeSchema(connection_)) {
        db.close();
        return false;
    }
    opened_ = true;
    return true;
}

bool SqliteRecords::record(const FinishedTask& task)
{
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction())
        return false;
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO records VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& v : {text(id), text(machine_), text(pupil_), text(kindName(task.kind)),
                              text(task.title), QVariant(task.score), QVariant(task.outOf),
                              QVariant(timeText(task.started)), QVariant(timeText(task.ended))})
        q.addBindValue(v);
    bool ok = q.exec();
    QSqlQuery w(db);
    w.prepare(QStringLiteral("INSERT INTO wrong_answers VALUES(?, ?, ?)"));
    for (const WrongAnswer& a : task.wrong) {
        if (!ok)
            break;
        w.addBindValue(id);
        w.addBindValue(a.question);
        w.addBindValue(a.chosen);
        ok = w.exec();
    }
    ok = ok && bumpChanges(db);
    if (!ok || !db.commit()) {
        db.rollback();
        return false;
    }
    handOver();
    return true;
}

bool SqliteRecords::forget(const QString& pupil)
{
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction())
        return false;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM wrong_answers WHERE record_id IN (SELECT id FROM records WHERE pupil = ?)"));
    q.addBindValue(text(pupil));
    bool ok = q.exec();
    QSqlQuery r(db);
    r.prepare(QStringLiteral("DELETE FROM records WHERE pupil = ?"));
    r.addBindValue(text(pupil));
    ok = ok && r.exec() && bumpChanges(db);
    if (!ok || !db.commit()) {
        db.rollback();
        return false;
    }
    handOver();
    return true;
}

bool SqliteRecords::handOver()
{
    const QString target = classFilePath();
    if (target.isEmpty())
        return true;
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const int changes = counter(db, "changes");
    if (changes == counter(db, "handed_over") && QFileInfo::exists(target))
        return true;
    if (!QFileInfo(settings_.folder()).isDir())
        return false; // unreachable: the records wait here
    // The copy is made beside the file and renamed over it, so a reader sees the old file or
    // the new one, never half of either.
    const QString partial = QDir(settings_.folder()).filePath(QLatin1Char('.') + machine_ + QStringLiteral(".partial"));
    QFile::remove(partial);
    QSqlQuery q(db);
    const bool copied = q.exec(QStringLiteral("VACUUM INTO ") + sqlText(partial)) && syncFile(partial) &&
                        std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) == 0;
    if (!copied) {
        QFile::remove(partial);
        return false;
    }
    QSqlQuery u(db);
    u.prepare(QStringLiteral("UPDATE counters SET value = ? WHERE name = 'handed_over'"));
    u.addBindValue(changes);
    u.exec();
    return true;
}

QList<TaskRecord> SqliteRecords::readAll()
{
    QList<TaskRecord> all;
    QSet<QString> seen;
    auto take = [&](const QList<TaskRecord>& some) {
        for (const TaskRecord& r : some)
            if (!seen.contains(r.id)) {
                seen.insert(r.id);
                all << r;
            }
    };
    unreadable_.clear();
    bool localRead = false;
    if (open()) {
        handOver();
        take(readFrom(QSqlDatabase::database(connection_, false), &localRead));
    }
    const QString folder = settings_.folder();
    if (!folder.isEmpty()) {
        const QStringList files =
            QDir(folder).entryList({QLatin1Char('*') + fileSuffix}, QDir::Files | QDir::Readable, QDir::Name);
        // This machine's own file is a copy of what was just read, or an older one that may
        // still hold a pupil forgotten since.
        for (const QString& f : files) {
            if (localRead && f == machine_ + fileSuffix)
                continue;
            bool ok = false;
            take(readDatabase(QDir(folder).filePath(f), &ok));
            if (!ok)
                unreadable_ << f;
        }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const TaskRecord& a, const TaskRecord& b) { return a.task.ended < b.task.ended; });
    return all;
}

} // namespace records
