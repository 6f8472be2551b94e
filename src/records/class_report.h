// What the teacher's screens make of the class's records, without widgets: the grid of pupils
// and tasks, a pupil's history, the questions most often answered wrongly, the CSV export and
// the lines of the printed summary.
#pragma once

#include "platform/records.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace records {

inline const QString noName = QStringLiteral("no name");

// How a pupil is named on the teacher's screens.
QString pupilLabel(const QString& pupil);
QString kindLabel(TaskKind kind);

struct TaskId {
    TaskKind kind = TaskKind::TopicQuiz;
    QString title;
    friend bool operator==(const TaskId&, const TaskId&) = default;
};
TaskId taskOf(const TaskRecord& r);

// One pupil's results in one task.
struct Cell {
    int attempts = 0; // 0: never done
    int best = 0;
    int latest = 0;
    int outOf = 0;    // of the latest attempt
    int bestOutOf = 0;
};

// How a score reads at a glance.
enum class Band { NotDone, Low, Middle, High };
Band band(int score, int outOf); // High: 80% or more; Middle: 50% or more; Low below
// "8/10 (latest 6/10)", or "8/10" when the best is the latest.
QString cellText(const Cell& c);

struct ClassGrid {
    QStringList pupils;   // rows
    QList<TaskId> tasks;  // columns, in the order first done
    QList<QList<Cell>> cells; // [pupil][task]
};
// pupils: those to show, in this order, even without records (a class's list); empty: every
// pupil with records, in alphabetical order, "no name" last.
ClassGrid makeGrid(const QList<TaskRecord>& all, const QStringList& pupils = {});

// A pupil's records, newest first.
QList<TaskRecord> history(const QList<TaskRecord>& all, const QString& pupil);

// A quiz question: how many pupils' latest attempts got it wrong, and the wrong option chosen
// most often there (1..4; 0 = left unanswered; -1 when nobody got it wrong).
struct QuestionLine {
    int question = 0;
    int pupils = 0;
    int wrongPupils = 0;
    int commonWrong = -1;
    int commonWrongCount = 0;
};
QList<QuestionLine> questionAnalysis(const QList<TaskRecord>& all, const TaskId& task, int questionCount = 10);
// "B", or "no answer".
QString optionLabel(int chosen);
// "3 of 5 pupils (60%)".
QString wrongShareText(const QuestionLine& q);

// Every record, one a row, with a header row: UTF-8 (with the byte-order mark spreadsheets
// look for), CR LF line ends, fields quoted where they hold a comma, a quote or a line break.
QByteArray toCsv(const QList<TaskRecord>& all);
QString csvField(const QString& text);

// The printed class summary: one line a pupil, then one a task.
struct SummaryLine {
    QStringList columns;
    bool heading = false;
};
QList<SummaryLine> summaryLines(const QList<TaskRecord>& all, const QStringList& pupils = {});

} // namespace records
