// Shared by the worksheet tests: complete entries, the bytes a saved worksheet must have,
// and tracking files of any length.
#pragma once

#include "platform/cp1252.h"
#include "worksheets/worksheet_store.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace sample {

// Ten complete questions; question q has option (q mod 4) + 1 ticked.
inline WorksheetEntries entries(const QString& title, const QString& flavour = QStringLiteral("x"))
{
    WorksheetEntries e;
    e.title = title;
    for (int q = 1; q <= 10; ++q) {
        e.questions[q - 1] = QStringLiteral("Question %1 %2").arg(q).arg(flavour);
        for (int k = 1; k <= 4; ++k)
            e.options[4 * (q - 1) + (k - 1)] = QStringLiteral("Option %1%2").arg(q).arg(QChar('A' + k - 1));
        e.ticked[4 * (q - 1) + q % 4] = true;
    }
    return e;
}

// The file the wizard must write for entries(title, flavour), spelled out line by line.
inline QByteArray worksheetBytes(const QByteArray& title, const QByteArray& flavour = "x")
{
    QByteArray b = title + "\r\n \r\n";
    for (int q = 1; q <= 10; ++q) {
        const QByteArray n = QByteArray::number(q);
        b += "Question " + n + " " + flavour + "\r\n";
        for (char k : {'A', 'B', 'C', 'D'})
            b += "Option " + n + k + "\r\n";
        b += QByteArray::number(q % 4 + 1) + "\r\n \r\n";
    }
    return b;
}

// A tracking file as the program writes it.
inline QByteArray trackBytes(const QStringList& titles)
{
    QByteArray b = " " + QByteArray::number(titles.size()) + " \r\n";
    for (const QString& t : titles)
        b += cp1252::encode(t) + "\r\n";
    return b;
}

inline QStringList numberedTitles(int n, const QString& stem = QStringLiteral("Sheet"))
{
    QStringList titles;
    for (int i = 1; i <= n; ++i)
        titles << QStringLiteral("%1 %2").arg(stem).arg(i, 4, 10, QLatin1Char('0'));
    return titles;
}

} // namespace sample
