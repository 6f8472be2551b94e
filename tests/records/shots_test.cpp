// Pictures of the class-records screens for a person to look at. Written only when
// CORVANA_SHOTS_DIR names a folder.
#include "menu/main_menu.h"
#include "records/class_settings_screen.h"
#include "records/record_store.h"
#include "records/records_screen.h"
#include "records/who_are_you.h"
#include "platform/system_printer.h"

#include "test_app.h"

#include <QDir>
#include <QComboBox>
#include <QTableWidget>

#include <gtest/gtest.h>

TEST(RecordsShots, WhoAreYouGridHistoryQuestionsAndSettings)
{
    const QString dir = qEnvironmentVariable("CORVANA_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "set CORVANA_SHOTS_DIR to write screenshots";
    QDir().mkpath(dir);
    TestApp t;
    t.records.classSettings.classMode = true;
    t.records.classSettings.classes =
        records::parseClassList(QStringLiteral("Class 3B:\nAmy Adams\nBen Brown\nCal Chen\nDee Das\nEve Evans\n"
                                               "Finn Ford\nGita Gill\nHal Hughes\nIvy Ito\nJon Jones\nKim Khan\n"));
    const QStringList pupils = t.records.classSettings.classes[0].pupils;
    const QStringList tasks = {"Bones", "The Heart", "Heart, \"lungs\" and blood"};
    QDateTime when(QDate(2026, 3, 14), QTime(9, 0));
    for (int p = 0; p < 6; ++p)
        for (int k = 0; k < 3; ++k)
            for (int attempt = 0; attempt <= (p + k) % 2; ++attempt) {
                const int score = (p * 3 + k * 5 + attempt * 4) % 11;
                FinishedTask task{k == 2 ? TaskKind::Worksheet : TaskKind::TopicQuiz, tasks[k], score, 10, when,
                                  when.addSecs(240 + 30 * p), {}};
                for (int q = 1; q <= 10 - score; ++q)
                    task.wrong << WrongAnswer{(q * 3 + p) % 10 + 1, (q + p + attempt) % 5};
                t.records.stored << TaskRecord{QStringLiteral("x%1").arg(t.records.stored.size()), "pc1", pupils[p],
                                               task};
                when = when.addSecs(3600);
            }
    t.records.stored << TaskRecord{"y1", "pc2", pupils[1],
                                   FinishedTask{TaskKind::Activity, "Bones: Labelling Activity", 7, 7, when,
                                                when.addSecs(100), {}}};

    auto& menu = t.screens.touch<MainMenu>();
    t.screens.show(menu);
    EXPECT_TRUE(menu.grab().save(dir + QStringLiteral("/main_menu.png")));
    t.screens.close(menu);

    auto& who = t.screens.touch<WhoAreYou>();
    t.screens.show(who);
    EXPECT_TRUE(who.grab().save(dir + QStringLiteral("/who_are_you.png")));
    t.screens.close(who);

    auto& screen = t.screens.touch<ClassRecordsScreen>();
    t.screens.show(screen);
    screen.classChoice()->setCurrentIndex(1);
    screen.table()->setCurrentCell(1, 0);
    EXPECT_TRUE(screen.grab().save(dir + QStringLiteral("/records_grid.png")));
    screen.showHistory(pupils[1]);
    EXPECT_TRUE(screen.grab().save(dir + QStringLiteral("/records_history.png")));
    screen.showGrid();
    screen.showQuestions(records::TaskId{TaskKind::TopicQuiz, "The Heart"});
    EXPECT_TRUE(screen.grab().save(dir + QStringLiteral("/records_questions.png")));
    screen.showGrid();
    screen.classChoice()->setCurrentIndex(0);
    screen.setExportFolder(dir);
    EXPECT_FALSE(screen.exportCsv().isEmpty());
    // The class summary as the teacher's printer, or its PDF fallback, gets it.
    const std::unique_ptr<Printer> pdf = makeSystemPrinter(dir);
    Services paper{t.files, t.sound, t.pictures, t.messages, *pdf, t.random, t.speech, t.records, [] {}, t.dialogs};
    Screens onPaper;
    App paperApp{t.state, paper, onPaper, t.state};
    onPaper.attach(&paperApp);
    auto& summary = onPaper.touch<ClassRecordsScreen>();
    summary.classChoice()->setCurrentIndex(1);
    summary.buttonClicked(ClassRecordsScreen::PrintSummary);
    onPaper.close(summary);
    auto& settings = t.screens.touch<ClassSettingsScreen>();
    t.screens.show(settings);
    EXPECT_TRUE(settings.grab().save(dir + QStringLiteral("/class_settings.png")));
}
