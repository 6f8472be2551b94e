// The SQLite records: whole records, schema upgrades, the class folder shared by several
// machines, and what a full disk or a killed program leaves behind.
#include "records/record_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <csignal>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using records::SqliteRecords;

namespace {

QDateTime at(int minute) { return QDateTime(QDate(2026, 3, 14), QTime(10, minute)); }

FinishedTask quiz(const QString& title, int score, int minute = 0)
{
    FinishedTask t{TaskKind::TopicQuiz, title, score, 10, at(minute), at(minute + 5), {}};
    for (int q = 1; q <= 10 - score; ++q)
        t.wrong << WrongAnswer{q, q % 5};
    return t;
}

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs SQL on a database file outside the program, as an older program or a checker would.
struct RawDatabase {
    explicit RawDatabase(const QString& path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
    }
    ~RawDatabase()
    {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    QVariant value(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(name, false));
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    bool exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(name, false));
        return q.exec(sql);
    }
    QString name = QStringLiteral("raw-%1").arg(quintptr(this));
};

// Every record holds exactly the wrong answers its score leaves, so a half-written one shows.
void expectWholeRecords(const QList<TaskRecord>& all)
{
    for (const TaskRecord& r : all)
        EXPECT_EQ(r.task.wrong.size(), r.task.outOf - r.task.score) << r.task.title.toStdString();
}

struct Classroom {
    QTemporaryDir pc1Home, pc2Home, folderRoot;
    QString folder() const { return folderRoot.filePath(QStringLiteral("class")); }
    void joinClass(SqliteRecords& machine, const QString& f) const
    {
        ClassSettings s = machine.settings();
        s.classFolder = f;
        ASSERT_TRUE(machine.saveSettings(s));
    }
    QStringList filesInFolder() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
};

} // namespace

TEST(RecordStore, KeepsEveryFieldAndTheRecordsOutliveTheProgram)
{
    QTemporaryDir home;
    FinishedTask sheet{TaskKind::Worksheet, QStringLiteral("Bones, \"big\" and small"), 7, 10, at(1), at(9),
                       {{2, 1}, {5, 0}, {9, 4}}};
    FinishedTask activity{TaskKind::Activity, QStringLiteral("Bones: Labelling Activity"), 6, 7, at(10), at(12), {}};
    {
        SqliteRecords r(home.path(), QString(), QStringLiteral("pc1"));
        EXPECT_TRUE(r.record(quiz(QStringLiteral("The Heart"), 10)));
        r.setPupil(QStringLiteral("Zoë"));
        EXPECT_TRUE(r.record(sheet));
        EXPECT_TRUE(r.record(activity));
    }
    SqliteRecords again(home.path(), QString(), QStringLiteral("pc1"));
    const QList<TaskRecord> all = again.readAll();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[0].pupil, QString());
    EXPECT_EQ(all[0].task.title, "The Heart");
    EXPECT_TRUE(all[0].task.wrong.isEmpty());
    EXPECT_EQ(all[1].pupil, QStringLiteral("Zoë"));
    EXPECT_EQ(all[1].machine, "pc1");
    EXPECT_EQ(all[1].task.kind, TaskKind::Worksheet);
    EXPECT_EQ(all[1].task.title, sheet.title);
    EXPECT_EQ(all[1].task.score, 7);
    EXPECT_EQ(all[1].task.outOf, 10);
    EXPECT_EQ(all[1].task.started, at(1));
    EXPECT_EQ(all[1].task.ended, at(9));
    EXPECT_EQ(all[1].task.wrong, sheet.wrong);
    EXPECT_EQ(all[2].task.kind, TaskKind::Activity);
    EXPECT_EQ(all[2].task.outOf, 7);
    EXPECT_EQ(QSet<QString>({all[0].id, all[1].id, all[2].id}).size(), 3);
    EXPECT_EQ(RawDatabase(again.databasePath()).value(QStringLiteral("PRAGMA user_version")).toInt(),
              records::schemaVersion);
}

TEST(RecordStore, AnOlderDatabaseIsUpgradedInPlaceAndANewerOneIsLeftAlone)
{
    QTemporaryDir home;
    const QString path = QDir(home.path()).filePath(QStringLiteral("records.sqlite"));
    {
        // As the first version of the records wrote it.
        RawDatabase old(path);
        ASSERT_TRUE(old.exec(QStringLiteral(
            "CREATE TABLE records(id TEXT PRIMARY KEY, machine TEXT NOT NULL, pupil TEXT NOT NULL, kind TEXT NOT NULL,"
            " title TEXT NOT NULL, score INTEGER NOT NULL, out_of INTEGER NOT NULL, started TEXT NOT NULL,"
            " ended TEXT NOT NULL)")));
        ASSERT_TRUE(old.exec(QStringLiteral("CREATE TABLE wrong_answers(record_id TEXT NOT NULL, question INTEGER "
                                            "NOT NULL, chosen INTEGER NOT NULL, PRIMARY KEY(record_id, question))")));
        ASSERT_TRUE(old.exec(QStringLiteral("INSERT INTO records VALUES('old-1', 'pc1', 'Amy', 'topic quiz', 'Bones',"
                                            " 9, 10, '2025-01-01T10:00:00.000Z', '2025-01-01T10:05:00.000Z')")));
        ASSERT_TRUE(old.exec(QStringLiteral("INSERT INTO wrong_answers VALUES('old-1', 4, 2)")));
        ASSERT_TRUE(old.exec(QStringLiteral("PRAGMA user_version = 1")));
    }
    {
        SqliteRecords r(home.path(), QString(), QStringLiteral("pc1"));
        EXPECT_TRUE(r.record(quiz(QStringLiteral("Blood"), 8)));
        const QList<TaskRecord> all = r.readAll();
        ASSERT_EQ(all.size(), 2);
        EXPECT_EQ(all[0].id, "old-1");
        EXPECT_EQ(all[0].pupil, "Amy");
        EXPECT_EQ(all[0].task.wrong, (QList<WrongAnswer>{{4, 2}}));
    }
    EXPECT_EQ(RawDatabase(path).value(QStringLiteral("PRAGMA user_version")).toInt(), records::schemaVersion);

    // A database from a newer program is read by nobody here and never written.
    RawDatabase(path).exec(QStringLiteral("PRAGMA user_version = 99"));
    const QByteArray before = bytes(path);
    SqliteRecords r(home.path(), QString(), QStringLiteral("pc1"));
    EXPECT_FALSE(r.record(quiz(QStringLiteral("Blood"), 8)));
    EXPECT_FALSE(r.forget(QStringLiteral("Amy")));
    EXPECT_EQ(bytes(path), before);
}

TEST(RecordStore, EachMachineWritesOnlyItsOwnFileAndTheTeacherSeesAllOfThemOnce)
{
    Classroom room;
    QDir().mkpath(room.folder());
    SqliteRecords pc1(room.pc1Home.path(), QString(), QStringLiteral("pc1"));
    SqliteRecords pc2(room.pc2Home.path(), QString(), QStringLiteral("pc2"));
    room.joinClass(pc1, room.folder());
    room.joinClass(pc2, room.folder());
    pc1.setPupil(QStringLiteral("Amy"));
    pc2.setPupil(QStringLiteral("Ben"));
    ASSERT_TRUE(pc1.record(quiz(QStringLiteral("Bones"), 9, 1)));
    ASSERT_TRUE(pc2.record(quiz(QStringLiteral("Bones"), 6, 2)));
    ASSERT_TRUE(pc1.record(quiz(QStringLiteral("Blood"), 10, 3)));
    EXPECT_EQ(room.filesInFolder(), QStringList({"pc1.sqlite", "pc2.sqlite"})); // nothing half-made left

    const QByteArray pc2File = bytes(QDir(room.folder()).filePath(QStringLiteral("pc2.sqlite")));
    for (SqliteRecords* teacher : {&pc1, &pc2}) {
        const QList<TaskRecord> all = teacher->readAll();
        ASSERT_EQ(all.size(), 3);
        EXPECT_EQ(all[0].pupil, "Amy");
        EXPECT_EQ(all[1].pupil, "Ben");
        EXPECT_EQ(all[1].machine, "pc2");
        EXPECT_EQ(all[2].task.title, "Blood");
        expectWholeRecords(all);
    }
    EXPECT_EQ(bytes(QDir(room.folder()).filePath(QStringLiteral("pc2.sqlite"))), pc2File); // read, never written

    // A damaged file is left out, named, and left as it is.
    const QString junk = QDir(room.folder()).filePath(QStringLiteral("pc9.sqlite"));
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a database at all");
    }
    EXPECT_EQ(pc1.readAll().size(), 3);
    EXPECT_EQ(pc1.unreadableFiles(), QStringList({"pc9.sqlite"}));
    EXPECT_EQ(bytes(junk), "not a database at all");
    QFile::remove(junk);
    EXPECT_EQ(pc1.readAll().size(), 3);
    EXPECT_TRUE(pc1.unreadableFiles().isEmpty());

    // Forgetting a pupil here deletes them here and in this machine's file, never in another's.
    pc2.setPupil(QStringLiteral("Amy"));
    ASSERT_TRUE(pc2.record(quiz(QStringLiteral("Teeth"), 5, 4)));
    ASSERT_TRUE(pc1.forget(QStringLiteral("Amy")));
    EXPECT_FALSE(bytes(pc1.databasePath()).contains("Amy")); // not even in the file's free space
    EXPECT_FALSE(bytes(pc1.classFilePath()).contains("Amy"));
    bool ok = false;
    EXPECT_TRUE(records::readDatabase(QDir(room.folder()).filePath(QStringLiteral("pc1.sqlite")), &ok).isEmpty());
    EXPECT_TRUE(ok);
    const QList<TaskRecord> left = pc1.readAll();
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[0].pupil, "Ben");
    EXPECT_EQ(left[1].pupil, "Amy");
    EXPECT_EQ(left[1].machine, "pc2");
}

TEST(RecordStore, AnUnreachableFolderKeepsRecordsHereUntilItReturnsAndHandsThemOverOnce)
{
    Classroom room;
    SqliteRecords pc1(room.pc1Home.path(), QString(), QStringLiteral("pc1"));
    room.joinClass(pc1, room.folder()); // not there yet: the share is down
    ASSERT_TRUE(pc1.record(quiz(QStringLiteral("Bones"), 9, 1)));
    ASSERT_TRUE(pc1.record(quiz(QStringLiteral("Blood"), 4, 2)));
    EXPECT_FALSE(pc1.handOver());
    EXPECT_EQ(pc1.readAll().size(), 2);

    QDir().mkpath(room.folder());
    SqliteRecords pc2(room.pc2Home.path(), QString(), QStringLiteral("pc2"));
    room.joinClass(pc2, room.folder());
    EXPECT_TRUE(pc2.readAll().isEmpty());
    ASSERT_TRUE(pc1.record(quiz(QStringLiteral("Teeth"), 7, 3))); // the next record carries all three
    EXPECT_TRUE(pc1.handOver());
    EXPECT_TRUE(pc1.handOver());
    const QList<TaskRecord> seen = pc2.readAll();
    ASSERT_EQ(seen.size(), 3);
    EXPECT_EQ(QSet<QString>({seen[0].id, seen[1].id, seen[2].id}).size(), 3);
    EXPECT_EQ(room.filesInFolder(), QStringList({"pc1.sqlite", "pc2.sqlite"}));

    // The school's folder from the system-wide file stands unless the teacher names another.
    QTemporaryDir etc;
    const QString schoolFile = etc.filePath(QStringLiteral("Corvana.ini"));
    QSettings(schoolFile, QSettings::IniFormat).setValue(QStringLiteral("class/folder"), room.folder());
    QTemporaryDir pc3Home;
    SqliteRecords pc3(pc3Home.path(), schoolFile, QStringLiteral("pc3"));
    EXPECT_EQ(pc3.settings().schoolFolder, room.folder());
    EXPECT_EQ(pc3.classFilePath(), QDir(room.folder()).filePath(QStringLiteral("pc3.sqlite")));
    EXPECT_EQ(pc3.readAll().size(), 3);

    // The teacher's own settings come back in the next run; a file name of its own is kept.
    ClassSettings own = pc3.settings();
    own.classMode = true;
    own.classes = records::parseClassList(QStringLiteral("3B:\nAmy\nBen\n4C:\nCal\n"));
    own.pinHash = QStringLiteral("pbkdf2-sha256$1$c2FsdA==$a2V5");
    ASSERT_TRUE(pc3.saveSettings(own));
    SqliteRecords first(pc3Home.path(), schoolFile);
    SqliteRecords next(pc3Home.path(), schoolFile);
    EXPECT_TRUE(next.settings().classMode);
    EXPECT_EQ(next.settings().classes, own.classes);
    EXPECT_EQ(next.settings().pinHash, own.pinHash);
    EXPECT_EQ(next.settings().folder(), room.folder());
    EXPECT_EQ(first.machine(), next.machine());
    EXPECT_TRUE(next.machine().startsWith(records::machineName() + QLatin1Char('-')));
}

TEST(RecordStore, AFullDiskRefusesTheRecordAndKeepsEveryEarlierOneWhole)
{
    Classroom room;
    QDir().mkpath(room.folder());
    {
        SqliteRecords r(room.pc1Home.path(), QString(), QStringLiteral("pc1"));
        room.joinClass(r, room.folder());
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(r.record(quiz(QStringLiteral("Before %1").arg(i), i % 11)));
    }
    const QString local = QDir(room.pc1Home.path()).filePath(QStringLiteral("records.sqlite"));
    const qint64 size = QFileInfo(local).size();

    // A child whose files may grow only a little past the database's size, as on a disk that
    // fills up: long titles make the database outgrow it within a few records.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        close(pipeEnds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(size + 16384), rlim_t(size + 16384)};
        setrlimit(RLIMIT_FSIZE, &limit);
        SqliteRecords r(room.pc1Home.path(), QString(), QStringLiteral("pc1"));
        int kept = 0, refused = 0;
        for (int i = 0; i < 200; ++i) {
            if (r.record(quiz(QStringLiteral("Full %1 ").arg(i) + QString(2000, QLatin1Char('x')), i % 11)))
                ++kept;
            else
                ++refused;
        }
        const int counts[2] = {kept, refused};
        [[maybe_unused]] auto n = write(pipeEnds[1], counts, sizeof counts);
        _exit(0);
    }
    close(pipeEnds[1]);
    int counts[2] = {-1, -1};
    ASSERT_EQ(read(pipeEnds[0], counts, sizeof counts), ssize_t(sizeof counts));
    close(pipeEnds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_GT(counts[1], 0) << "the disk never filled";

    EXPECT_EQ(RawDatabase(local).value(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
    SqliteRecords after(room.pc1Home.path(), QString(), QStringLiteral("pc1"));
    const QList<TaskRecord> all = after.readAll();
    EXPECT_EQ(all.size(), 20 + counts[0]); // every record reported kept is there, and no other
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(all[i].task.title, QStringLiteral("Before %1").arg(i));
    expectWholeRecords(all);
    // The class folder holds a whole copy, older perhaps, and nothing half-written.
    bool ok = false;
    const QList<TaskRecord> copy = records::readDatabase(after.classFilePath(), &ok);
    EXPECT_TRUE(ok);
    EXPECT_GE(copy.size(), 20);
    expectWholeRecords(copy);
    // With room again, the next record goes in and the copy catches up.
    ASSERT_TRUE(after.record(quiz(QStringLiteral("After"), 3)));
    EXPECT_EQ(records::readDatabase(after.classFilePath()).size(), 21 + counts[0]);
    EXPECT_EQ(room.filesInFolder(), QStringList({"pc1.sqlite"}));
}

TEST(RecordStore, AProgramKilledWhileRecordingLosesNoRecordItReportedAndLeavesNoHalfOne)
{
    Classroom room;
    QDir().mkpath(room.folder());
    {
        SqliteRecords r(room.pc1Home.path(), QString(), QStringLiteral("pc1"));
        room.joinClass(r, room.folder());
    }
    int reportedTotal = 0;
    for (int round = 0; round < 3; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            close(pipeEnds[0]);
            SqliteRecords r(room.pc1Home.path(), QString(), QStringLiteral("pc1"));
            for (int i = 0;; ++i)
                if (r.record(quiz(QStringLiteral("Round %1 task %2").arg(round).arg(i), i % 11)))
                    [[maybe_unused]] auto n = write(pipeEnds[1], "+", 1);
        }
        close(pipeEnds[1]);
        // Killed at a different moment each round: somewhere in a transaction or a hand-over.
        int reported = 0;
        char c;
        pollfd ready{pipeEnds[0], POLLIN, 0};
        while (reported < 15 + 7 * round && poll(&ready, 1, 20000) == 1 && read(pipeEnds[0], &c, 1) == 1)
            ++reported;
        kill(child, SIGKILL);
        EXPECT_EQ(reported, 15 + 7 * round) << "the child stopped recording";
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        while (read(pipeEnds[0], &c, 1) == 1)
            ++reported;
        close(pipeEnds[0]);
        reportedTotal += reported;

        SqliteRecords after(room.pc1Home.path(), QString(), QStringLiteral("pc1"));
        const QList<TaskRecord> all = after.readAll();
        EXPECT_GE(all.size(), reportedTotal);
        EXPECT_LE(all.size(), reportedTotal + 1); // at most the one committed as it died
        expectWholeRecords(all);
        reportedTotal = int(all.size());
        bool ok = false;
        expectWholeRecords(records::readDatabase(after.classFilePath(), &ok));
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(RawDatabase(QDir(room.pc1Home.path()).filePath(QStringLiteral("records.sqlite")))
                  .value(QStringLiteral("PRAGMA integrity_check"))
                  .toString(),
              "ok");
    for (const QString& f : room.filesInFolder())
        EXPECT_FALSE(f.endsWith(QLatin1String(".sqlite")) && f != QLatin1String("pc1.sqlite")) << f.toStdString();
}
