// What every question-importer fuzz target checks, whatever the format.
#pragma once

#include "worksheets/exchange/question_exchange.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

inline int fuzzQuestionReader(exchange::Format format, const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const exchange::ImportResult r = exchange::readQuestions(format, bytes);
    // A refused file says where; a read one takes only whole questions with one right answer.
    if (!r.ok() && !r.error.startsWith(QStringLiteral("Line ")))
        std::abort();
    for (const exchange::ImportedQuestion& q : r.taken)
        if (q.correct < 1 || q.correct > 4 || q.line < 1)
            std::abort();
    // What was taken goes into worksheets, and is written back out, without harm.
    for (const WorksheetEntries& sheet : exchange::intoWorksheets(r.taken, QStringLiteral("Fuzz")))
        exchange::textsToMend(sheet);
    return 0;
}
