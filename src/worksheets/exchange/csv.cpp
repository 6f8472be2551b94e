// CSV as spreadsheet programs save it: cells separated by commas (or by semicolons or tabs,
// as some settings save them), a cell holding a separator, a quote or a line break in double
// quotes with each quote doubled. The first row names the columns: Question, Option A to
// Option D and Correct (the right option's letter, its number or its text).
#include "question_exchange.h"

#include <QRegularExpression>

namespace exchange {
namespace {

struct Row {
    int line = 0;
    QStringList cells;
};

// Splits the text into rows; error set (naming the line) when a quoted cell is not closed.
QList<Row> rows(const QString& text, QChar separator, QString& error)
{
    QList<Row> out;
    Row row;
    QString cell;
    int line = 1;
    row.line = 1;
    bool quoted = false, wasQuoted = false;
    int quoteLine = 0;
    auto endCell = [&] {
        row.cells << cell;
        cell.clear();
        wasQuoted = false;
    };
    auto endRow = [&] {
        endCell();
        out << row;
        row = Row{};
        row.line = line;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
                continue;
            }
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                continue; // a line break inside a cell is one line break
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
                ++line;
                cell += QLatin1Char('\n');
                continue;
            }
            cell += c;
            continue;
        }
        if (c == QLatin1Char('"') && cell.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            quoteLine = line;
            continue;
        }
        if (c == separator) {
            endCell();
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++line;
            endRow();
            continue;
        }
        cell += c;
    }
    if (quoted) {
        error = QStringLiteral("Line %1: a quoted cell that starts here is not closed with a double quote.").arg(quoteLine);
        return {};
    }
    if (!cell.isEmpty() || !row.cells.isEmpty())
        endRow();
    return out;
}

// The separator of the header row: the one of comma, semicolon and tab that it holds most of
// outside quotes.
QChar separatorOf(const QString& text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            break;
        else if (!quoted && c == QLatin1Char(','))
            ++commas;
        else if (!quoted && c == QLatin1Char(';'))
            ++semicolons;
        else if (!quoted && c == QLatin1Char('\t'))
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return QLatin1Char(';');
    if (tabs > commas)
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

QString key(const QString& header)
{
    QString k;
    for (QChar c : header.toLower())
        if (c.isLetterOrNumber())
            k += c;
    return k;
}

// The option a header names, 0 for A, or -1: "Option A", "Answer B", "Choice 3", "C".
int optionColumn(const QString& k)
{
    for (const char* stem : {"option", "answer", "choice", ""}) {
        const QString s = QLatin1String(stem);
        if (!k.startsWith(s) || k.size() != s.size() + 1)
            continue;
        const QChar last = k.back();
        if (last >= QLatin1Char('a') && last <= QLatin1Char('z') && (!s.isEmpty() || last <= QLatin1Char('h')))
            return last.unicode() - 'a';
        if (last >= QLatin1Char('1') && last <= QLatin1Char('9'))
            return last.unicode() - '1';
    }
    return -1;
}

bool isQuestionColumn(const QString& k) { return k == QLatin1String("question") || k == QLatin1String("questiontext"); }
bool isCorrectColumn(const QString& k)
{
    return k == QLatin1String("correct") || k == QLatin1String("correctanswer") || k == QLatin1String("correctoption") ||
           k == QLatin1String("answer") || k == QLatin1String("rightanswer") || k == QLatin1String("key");
}

QString cellAt(const QStringList& cells, int column) { return column >= 0 && column < cells.size() ? cells[column] : QString(); }

} // namespace

ImportResult readCsv(const QByteArray& bytes)
{
    ImportResult r;
    const QString text = decodeTextFile(bytes);
    if (text.contains(QChar(0))) {
        r.error = QStringLiteral("Line %1: this is not a text file.").arg(text.left(text.indexOf(QChar(0))).count(QLatin1Char('\n')) + 1);
        return r;
    }
    const QList<Row> all = rows(text, separatorOf(text), r.error);
    if (!r.ok())
        return r;
    qsizetype first = 0;
    while (first < all.size() && all[first].cells.join(QString()).trimmed().isEmpty())
        ++first;
    if (first == all.size()) {
        r.error = QStringLiteral("Line 1: the file is empty; its first row must name the columns.");
        return r;
    }
    const Row& header = all[first];
    int question = -1, correct = -1;
    QList<int> options; // column of option A, B, ...
    for (int c = 0; c < header.cells.size(); ++c) {
        const QString k = key(header.cells[c]);
        const int option = optionColumn(k);
        if (isQuestionColumn(k) && question < 0)
            question = c;
        else if (isCorrectColumn(k) && correct < 0)
            correct = c;
        else if (option >= 0) {
            while (options.size() <= option)
                options << -1;
            if (options[option] < 0)
                options[option] = c;
        } else if (!k.isEmpty()) {
            r.skip(QStringLiteral("The column \"%1\"").arg(header.cells[c].trimmed()), header.line);
        }
    }
    QStringList missing;
    if (question < 0)
        missing << QStringLiteral("Question");
    for (int k = 0; k < 4; ++k)
        if (k >= options.size() || options[k] < 0)
            missing << QStringLiteral("Option %1").arg(QChar(u'A' + k));
    if (correct < 0)
        missing << QStringLiteral("Correct");
    if (!missing.isEmpty()) {
        r.error = QStringLiteral("Line %1: the first row must name the columns Question, Option A, Option B, Option C, "
                                 "Option D and Correct; it lacks %2.")
                      .arg(header.line)
                      .arg(missing.join(QStringLiteral(", ")));
        return r;
    }
    for (qsizetype n = first + 1; n < all.size(); ++n) {
        const Row& row = all[n];
        if (row.cells.join(QString()).trimmed().isEmpty())
            continue;
        const QString q = cellAt(row.cells, question).trimmed();
        QList<QPair<int, QString>> given; // option letter index, text
        for (int k = 0; k < options.size(); ++k) {
            const QString o = cellAt(row.cells, options[k]).trimmed();
            if (options[k] >= 0 && !o.isEmpty())
                given << qMakePair(k, o);
        }
        const QString right = cellAt(row.cells, correct).trimmed();
        QList<int> rightIndex; // into given
        int named = 0;
        if (right.size() == 1 && right[0].isLetter()) {
            named = 1;
            for (int i = 0; i < given.size(); ++i)
                if (given[i].first == right[0].toUpper().unicode() - 'A')
                    rightIndex << i;
        } else if (right.size() == 1 && right[0] >= QLatin1Char('1') && right[0] <= QLatin1Char('9')) {
            named = 1;
            for (int i = 0; i < given.size(); ++i)
                if (given[i].first == right[0].unicode() - '1')
                    rightIndex << i;
        } else if (!right.isEmpty()) {
            for (int i = 0; i < given.size(); ++i)
                if (given[i].second == right)
                    rightIndex << i;
            named = rightIndex.isEmpty() ? 0 : 1;
            // "A, C" or "B and D": more than one letter.
            if (rightIndex.isEmpty()) {
                const QStringList parts = right.split(QRegularExpression(QStringLiteral("[\\s,;/&+]+|\\band\\b")),
                                                      Qt::SkipEmptyParts);
                int letters = 0;
                for (const QString& p : parts)
                    letters += (p.size() == 1 && p[0].isLetterOrNumber()) ? 1 : 0;
                if (letters > 1 && letters == parts.size())
                    named = letters;
            }
        }
        QString reason;
        if (q.isEmpty())
            reason = QStringLiteral("it has no question text");
        else if (given.size() != 4)
            reason = given.size() == 1 ? QStringLiteral("it has 1 answer, not 4")
                                       : QStringLiteral("it has %1 answers, not 4").arg(given.size());
        else if (named > 1)
            reason = QStringLiteral("it has several right answers");
        else if (right.isEmpty())
            reason = QStringLiteral("it names no right answer");
        else if (rightIndex.size() != 1)
            reason = QStringLiteral("its right answer \"%1\" is none of its answers").arg(right);
        if (!reason.isEmpty()) {
            r.leftOut << LeftOut{row.line, q, reason};
            continue;
        }
        ImportedQuestion taken;
        taken.line = row.line;
        taken.text = q;
        for (int k = 0; k < 4; ++k)
            taken.options[k] = given[k].second;
        taken.correct = rightIndex.first() + 1;
        r.taken << taken;
    }
    return r;
}

namespace {
QString quoted(const QString& cell)
{
    QString s = cell;
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}
} // namespace

QByteArray writeCsv(const QuestionSet& set)
{
    QString out = QStringLiteral("Question,Option A,Option B,Option C,Option D,Correct\r\n");
    for (int q = 1; q <= 10; ++q) {
        const Question& question = set.question(q);
        QStringList cells{quoted(question.text)};
        for (int k = 1; k <= 4; ++k)
            cells << quoted(question.options[k]);
        cells << QString(QChar(u'A' + std::max(correctOption(question), 1) - 1));
        out += cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    // The byte order mark tells spreadsheet programs the file is UTF-8.
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace exchange
