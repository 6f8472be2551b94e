#include "class_report.h"

#include <QCollator>

#include <algorithm>
#include <cmath>

namespace records {

namespace {

QString taskKey(const TaskId& t) { return QString::number(int(t.kind)) + QChar(0x1f) + t.title; }

int percent(int score, int outOf) { return outOf > 0 ? int(std::lround(100.0 * score / outOf)) : 0; }

QString timeText(const QDateTime& t) { return t.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

} // namespace

QString pupilLabel(const QString& pupil) { return pupil.isEmpty() ? noName : pupil; }

QString kindLabel(TaskKind kind)
{
    switch (kind) {
    case TaskKind::TopicQuiz:
        return QStringLiteral("Topic quiz");
    case TaskKind::Worksheet:
        return QStringLiteral("Worksheet");
    case TaskKind::Activity:
        return QStringLiteral("Activity");
    }
    return {};
}

TaskId taskOf(const TaskRecord& r) { return {r.task.kind, r.task.title}; }

Band band(int score, int outOf)
{
    if (outOf <= 0)
        return Band::NotDone;
    if (score * 10 >= outOf * 8)
        return Band::High;
    if (score * 2 >= outOf)
        return Band::Middle;
    return Band::Low;
}

QString cellText(const Cell& c)
{
    if (c.attempts == 0)
        return {};
    const QString best = QStringLiteral("%1/%2").arg(c.best).arg(c.bestOutOf);
    if (c.attempts == 1 || (c.latest == c.best && c.outOf == c.bestOutOf))
        return best;
    return QStringLiteral("%1 (latest %2/%3)").arg(best).arg(c.latest).arg(c.outOf);
}

ClassGrid makeGrid(const QList<TaskRecord>& all, const QStringList& pupils)
{
    ClassGrid g;
    QHash<QString, int> rows;
    if (!pupils.isEmpty()) {
        g.pupils = pupils;
    } else {
        QStringList named;
        bool anonymous = false;
        for (const TaskRecord& r : all) {
            if (r.pupil.isEmpty())
                anonymous = true;
            else if (!rows.contains(r.pupil)) {
                rows.insert(r.pupil, 0);
                named << r.pupil;
            }
        }
        QCollator byName;
        byName.setCaseSensitivity(Qt::CaseInsensitive);
        byName.setNumericMode(true);
        std::sort(named.begin(), named.end(), byName);
        g.pupils = named;
        if (anonymous)
            g.pupils << QString();
        rows.clear();
    }
    for (int i = 0; i < g.pupils.size(); ++i)
        rows.insert(g.pupils[i], i);
    g.cells.resize(g.pupils.size());

    QHash<QString, int> columns;
    for (const TaskRecord& r : all) {
        const auto row = rows.constFind(r.pupil);
        if (row == rows.constEnd())
            continue;
        const TaskId t = taskOf(r);
        const QString key = taskKey(t);
        auto col = columns.constFind(key);
        if (col == columns.constEnd()) {
            col = columns.insert(key, int(g.tasks.size()));
            g.tasks << t;
            for (auto& line : g.cells)
                line.append(Cell{});
        }
        Cell& c = g.cells[*row][*col];
        if (c.attempts == 0 || r.task.score * c.bestOutOf > c.best * r.task.outOf) {
            c.best = r.task.score;
            c.bestOutOf = r.task.outOf;
        }
        ++c.attempts;
        c.latest = r.task.score;
        c.outOf = r.task.outOf;
    }
    return g;
}

QList<TaskRecord> history(const QList<TaskRecord>& all, const QString& pupil)
{
    QList<TaskRecord> out;
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        if (it->pupil == pupil)
            out << *it;
    return out;
}

QList<QuestionLine> questionAnalysis(const QList<TaskRecord>& all, const TaskId& task, int questionCount)
{
    // Each pupil's latest attempt stands for them; records come oldest first.
    QHash<QString, const TaskRecord*> latest;
    for (const TaskRecord& r : all)
        if (taskOf(r) == task)
            latest.insert(r.pupil, &r);
    QList<QuestionLine> lines;
    for (int q = 1; q <= questionCount; ++q) {
        QuestionLine line;
        line.question = q;
        line.pupils = int(latest.size());
        int chosen[5] = {};
        for (const TaskRecord* r : latest)
            for (const WrongAnswer& w : r->task.wrong)
                if (w.question == q) {
                    ++line.wrongPupils;
                    if (w.chosen >= 0 && w.chosen <= 4)
                        ++chosen[w.chosen];
                }
        // The options first, then no answer: ties go to the earlier option.
        for (int o : {1, 2, 3, 4, 0})
            if (chosen[o] > line.commonWrongCount) {
                line.commonWrongCount = chosen[o];
                line.commonWrong = o;
            }
        lines << line;
    }
    return lines;
}

QString optionLabel(int chosen)
{
    if (chosen >= 1 && chosen <= 4)
        return QString(QChar(QLatin1Char('A').unicode() + chosen - 1));
    return QStringLiteral("no answer");
}

QString wrongShareText(const QuestionLine& q)
{
    if (q.pupils == 0)
        return {};
    return QStringLiteral("%1 of %2 %3 (%4%)")
        .arg(q.wrongPupils)
        .arg(q.pupils)
        .arg(q.pupils == 1 ? QStringLiteral("pupil") : QStringLiteral("pupils"))
        .arg(percent(q.wrongPupils, q.pupils));
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QByteArray toCsv(const QList<TaskRecord>& all)
{
    QString out;
    out.reserve(all.size() * 120);
    auto row = [&out](const QStringList& fields) {
        for (int i = 0; i < fields.size(); ++i) {
            if (i)
                out += QLatin1Char(',');
            out += csvField(fields[i]);
        }
        out += QStringLiteral("\r\n");
    };
    row({QStringLiteral("Pupil"), QStringLiteral("Task kind"), QStringLiteral("Task"), QStringLiteral("Score"),
         QStringLiteral("Out of"), QStringLiteral("Started"), QStringLiteral("Ended"),
         QStringLiteral("Wrong answers (question: option chosen)"), QStringLiteral("Computer")});
    for (const TaskRecord& r : all) {
        QStringList wrong;
        for (const WrongAnswer& w : r.task.wrong)
            wrong << QStringLiteral("%1: %2").arg(w.question).arg(optionLabel(w.chosen));
        row({pupilLabel(r.pupil), kindLabel(r.task.kind), r.task.title, QString::number(r.task.score),
             QString::number(r.task.outOf), timeText(r.task.started), timeText(r.task.ended),
             wrong.join(QStringLiteral("; ")), r.machine});
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

QList<SummaryLine> summaryLines(const QList<TaskRecord>& all, const QStringList& pupils)
{
    const ClassGrid g = makeGrid(all, pupils);
    QList<SummaryLine> lines;
    lines << SummaryLine{{QStringLiteral("Pupil"), QStringLiteral("Tasks done"), QStringLiteral("Full marks"),
                          QStringLiteral("Average best")},
                         true};
    for (int p = 0; p < g.pupils.size(); ++p) {
        int done = 0, full = 0, sum = 0;
        for (const Cell& c : g.cells[p]) {
            if (c.attempts == 0)
                continue;
            ++done;
            full += c.best == c.bestOutOf ? 1 : 0;
            sum += percent(c.best, c.bestOutOf);
        }
        lines << SummaryLine{{pupilLabel(g.pupils[p]), QString::number(done), QString::number(full),
                              done ? QStringLiteral("%1%").arg(sum / done) : QStringLiteral("-")}};
    }
    lines << SummaryLine{{QStringLiteral("Task"), QStringLiteral("Pupils"), QStringLiteral("Average best"),
                          QStringLiteral("Most often wrong")},
                         true};
    for (int t = 0; t < g.tasks.size(); ++t) {
        int done = 0, sum = 0;
        for (int p = 0; p < g.pupils.size(); ++p) {
            const Cell& c = g.cells[p][t];
            if (c.attempts == 0)
                continue;
            ++done;
            sum += percent(c.best, c.bestOutOf);
        }
        QString weakest;
        if (g.tasks[t].kind != TaskKind::Activity) {
            QuestionLine worst;
            for (const QuestionLine& q : questionAnalysis(all, g.tasks[t]))
                if (q.wrongPupils > worst.wrongPupils)
                    worst = q;
            if (worst.wrongPupils > 0)
                weakest = QStringLiteral("Question %1 (%2)").arg(worst.question).arg(wrongShareText(worst));
        }
        lines << SummaryLine{{g.tasks[t].title, QString::number(done),
                              done ? QStringLiteral("%1%").arg(sum / done) : QStringLiteral("-"), weakest}};
    }
    return lines;
}

} // namespace records
