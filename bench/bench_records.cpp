// A year of class records: 30 machines' files in a class folder, 30 pupils, 9,000 records.
// The teacher's records screen must open in under 200 ms and the CSV export take under 1 s.
#include "bench_main.h"
#include "platform/fonts.h"
#include "records/record_store.h"
#include "records/records_screen.h"

#include "test_app.h"

#include <QApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUuid>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int machines = 30;
constexpr int pupils = 30;
constexpr int recordsPerMachine = 300;

const QStringList topics = {"Parts of the Body", "Our Senses", "A Good Diet", "The Digestive System", "Teeth",
                            "Respiration", "Blood", "The Heart", "The Brain", "Bones"};

// One machine's year: recorded by the program, its rows put in at once so that setting up
// takes seconds, then handed over to the class folder as the program does.
void fillMachine(const QString& home, const QString& folder, int m)
{
    records::SqliteRecords machine(home, QString(), QStringLiteral("pc%1").arg(m, 2, 10, QLatin1Char('0')));
    ClassSettings s = machine.settings();
    s.classFolder = folder;
    machine.saveSettings(s);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(machine.databasePath());
        db.open();
        db.transaction();
        QSqlQuery r(db), w(db);
        r.prepare(QStringLiteral("INSERT INTO records VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        w.prepare(QStringLiteral("INSERT INTO wrong_answers VALUES(?, ?, ?)"));
        const QDateTime start(QDate(2025, 9, 1), QTime(9, 0));
        for (int i = 0; i < recordsPerMachine; ++i) {
            const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
            const bool activity = i % 4 == 3;
            const int outOf = activity ? 7 : 10;
            const int score = (i * 7 + m) % (outOf + 1);
            const QDateTime begun = start.addSecs(3600LL * (i * machines + m));
            r.addBindValue(id);
            r.addBindValue(machine.machine());
            r.addBindValue(QStringLiteral("Pupil %1").arg((i + m) % pupils + 1));
            r.addBindValue(activity ? QStringLiteral("activity") : QStringLiteral("topic quiz"));
            r.addBindValue(activity ? topics[i % 10] + QStringLiteral(": Labelling Activity") : topics[i % 10]);
            r.addBindValue(score);
            r.addBindValue(outOf);
            r.addBindValue(begun.toUTC().toString(Qt::ISODateWithMs));
            r.addBindValue(begun.addSecs(400).toUTC().toString(Qt::ISODateWithMs));
            r.exec();
            if (activity)
                continue;
            for (int q = 1; q <= outOf - score; ++q) {
                w.addBindValue(id);
                w.addBindValue((q * 3 + i) % 10 + 1);
                w.addBindValue(q % 5);
                w.exec();
            }
        }
        QSqlQuery(db).exec(QStringLiteral("UPDATE counters SET value = value + 1 WHERE name = 'changes'"));
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    machine.handOver();
}

struct Classroom {
    Classroom()
    {
        const QString folder = root.filePath(QStringLiteral("class"));
        QDir().mkpath(folder);
        for (int m = 1; m <= machines; ++m)
            fillMachine(root.filePath(QStringLiteral("pc%1").arg(m)), folder, m);
        teacher = std::make_unique<records::SqliteRecords>(root.filePath(QStringLiteral("teacher")), QString(),
                                                           QStringLiteral("teacher"));
        ClassSettings s = teacher->settings();
        s.classFolder = folder;
        teacher->saveSettings(s);
        services = std::make_unique<Services>(Services{t.files, t.sound, t.pictures, t.messages, t.printer, t.random,
                                                       t.speech, *teacher, [] {}, t.dialogs});
        app = std::make_unique<App>(App{t.state, *services, screens, t.state});
        screens.attach(app.get());
    }
    QTemporaryDir root;
    TestApp t;
    std::unique_ptr<records::SqliteRecords> teacher;
    std::unique_ptr<Services> services;
    Screens screens;
    std::unique_ptr<App> app;
};

// Made once and kept to the end: it must not outlive the application.
Classroom& classroom()
{
    static Classroom* c = new Classroom;
    return *c;
}

// From the teacher's click to the grid filled: every machine's file read and merged.
void BM_RecordsScreenOpens(benchmark::State& state)
{
    Classroom& c = classroom();
    for (auto _ : state) {
        auto& screen = c.screens.touch<ClassRecordsScreen>();
        c.screens.show(screen);
        benchmark::DoNotOptimize(screen.table()->rowCount());
        state.PauseTiming();
        if (screen.table()->rowCount() != pupils || screen.shownRecords().size() != machines * recordsPerMachine)
            state.SkipWithError("not every record was shown");
        c.screens.close(screen);
        TestApp::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecordsScreenOpens)->Unit(benchmark::kMillisecond)->Iterations(10);

// The export of all 9,000 records as CSV, written to a file.
void BM_CsvExport(benchmark::State& state)
{
    Classroom& c = classroom();
    QTemporaryDir out;
    auto& screen = c.screens.touch<ClassRecordsScreen>();
    screen.setExportFolder(out.path());
    for (auto _ : state) {
        screen.refresh();
        if (screen.exportCsv().isEmpty())
            state.SkipWithError("the export failed");
    }
    c.screens.close(screen);
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
