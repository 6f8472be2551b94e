// Which multiple-choice questions a worksheet can take, shared by the readers whose formats
// give answers marks (GIFT and Moodle XML).
#pragma once

#include "question_exchange.h"

namespace exchange {

struct MarkedAnswer {
    QString text;
    double percent = 0; // the share of the marks this answer earns, 100 for a right one
};

// Takes the question when it has four answers of which exactly one earns full marks; others
// are left out with the reason. Part marks on other answers are noted in result as skipped.
inline void judgeChoices(ImportResult& result, int line, const QString& text, const QList<MarkedAnswer>& answers)
{
    int full = 0, part = 0, correct = 0;
    for (int i = 0; i < answers.size(); ++i) {
        if (answers[i].percent >= 99.99) {
            ++full;
            correct = i + 1;
        } else if (answers[i].percent > 0) {
            ++part;
        }
    }
    QString reason;
    if (answers.size() != 4)
        reason = answers.size() == 1 ? QStringLiteral("it has 1 answer, not 4")
                                     : QStringLiteral("it has %1 answers, not 4").arg(answers.size());
    else if (full > 1 || (full == 0 && part > 1))
        reason = QStringLiteral("it has several right answers");
    else if (full == 0)
        reason = QStringLiteral("none of its answers earns full marks");
    if (!reason.isEmpty()) {
        result.leftOut << LeftOut{line, text, reason};
        return;
    }
    if (part > 0)
        result.skip(QStringLiteral("Part marks for answers that are not the right one"), line);
    ImportedQuestion q;
    q.line = line;
    q.text = text;
    for (int k = 0; k < 4; ++k)
        q.options[k] = answers[k].text;
    q.correct = correct;
    result.taken << q;
}

} // namespace exchange
