// GIFT, Moodle's question text format. A question is a block of lines ended by a blank line:
//   [::name::] [[format]] text { answers } [text after, for a missing-word question]
// Answers: "=right" and "~wrong", each with an optional weight "%50%" after its mark and
// feedback after "#"; "####" starts the general feedback. {T}/{F} is true/false, {#...}
// numerical, {} an essay, all "=" answers a short answer ("=a -> b" matching). Lines that
// start with "//" are comments; "$CATEGORY: path" names the category of what follows.
// A backslash makes ~ = # { } : plain characters, and "\n" is a line break.
#include "choice_rules.h"
#include "question_exchange.h"

namespace exchange {
namespace {

// One character of a question block: where it came from, and whether a backslash made it a
// plain character.
struct Tok {
    QChar c;
    bool plain = false;
    int line = 0;
};
using Toks = QList<Tok>;

bool isOp(const Tok& t, char c) { return !t.plain && t.c == QLatin1Char(c); }
bool isOpAt(const Toks& t, qsizetype i, char c) { return i < t.size() && isOp(t[i], c); }

QString text(const Toks& toks, qsizetype from, qsizetype to)
{
    QString s;
    for (qsizetype i = from; i < to && i < toks.size(); ++i)
        s += toks[i].c;
    return s;
}

qsizetype skipSpace(const Toks& t, qsizetype i)
{
    while (i < t.size() && !t[i].plain && t[i].c.isSpace())
        ++i;
    return i;
}

qsizetype find(const Toks& t, char c, qsizetype from)
{
    for (qsizetype i = from; i < t.size(); ++i)
        if (isOp(t[i], c))
            return i;
    return -1;
}

qsizetype findPair(const Toks& t, char c, qsizetype from)
{
    for (qsizetype i = from; i + 1 < t.size(); ++i)
        if (isOp(t[i], c) && isOp(t[i + 1], c))
            return i;
    return -1;
}

const QString specials = QStringLiteral("~=#{}:");

Toks tokens(const QList<QPair<QString, int>>& lines)
{
    Toks toks;
    for (qsizetype l = 0; l < lines.size(); ++l) {
        const QString& s = lines[l].first;
        const int number = lines[l].second;
        if (l > 0)
            toks << Tok{QLatin1Char('\n'), false, number};
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
                if (specials.contains(s[i + 1])) {
                    toks << Tok{s[i + 1], true, number};
                    ++i;
                    continue;
                }
                if (s[i + 1] == QLatin1Char('n')) {
                    toks << Tok{QLatin1Char('\n'), true, number};
                    ++i;
                    continue;
                }
            }
            toks << Tok{s[i], false, number};
        }
    }
    return toks;
}

QString error(int line, const QString& what) { return QStringLiteral("Line %1: %2.").arg(line).arg(what); }

class GiftReader {
public:
    explicit GiftReader(ImportResult& r) : r_(r) {}

    // One question block; false (with r_.error set) when the file cannot be read.
    bool question(const Toks& t)
    {
        qsizetype i = skipSpace(t, 0);
        if (i >= t.size())
            return true;
        const int line = t[i].line;
        QString name;
        if (isOpAt(t, i, ':') && isOpAt(t, i + 1, ':')) {
            const qsizetype end = findPair(t, ':', i + 2);
            if (end < 0) {
                r_.refuse(error(line, QStringLiteral("the question name that starts here is not closed with ::")));
                return false;
            }
            name = text(t, i + 2, end).trimmed();
            r_.skip(QStringLiteral("Question names"), line);
            i = skipSpace(t, end + 2);
        }
        bool html = false;
        if (isOpAt(t, i, '[')) {
            static const QStringList formats = {QStringLiteral("[html]"), QStringLiteral("[moodle]"),
                                                QStringLiteral("[plain]"), QStringLiteral("[markdown]")};
            const QString ahead = text(t, i, i + 10).toLower();
            for (const QString& f : formats)
                if (ahead.startsWith(f)) {
                    html = f == QLatin1String("[html]");
                    i += f.size();
                    break;
                }
        }
        const qsizetype open = find(t, '{', i);
        const qsizetype strayClose = find(t, '}', i);
        if (open < 0) {
            if (strayClose >= 0) {
                r_.refuse(error(t[strayClose].line, QStringLiteral("a } closes answers that were never opened")));
                return false;
            }
            const QString words = clean(text(t, i, t.size()), html, line);
            r_.leftOut << LeftOut{line, words.isEmpty() ? name : words,
                                  QStringLiteral("it has no answers (a description, not a question)")};
            return true;
        }
        if (strayClose >= 0 && strayClose < open) {
            r_.refuse(error(t[strayClose].line, QStringLiteral("a } closes answers that were never opened")));
            return false;
        }
        const qsizetype close = find(t, '}', open + 1);
        const qsizetype nested = find(t, '{', open + 1);
        if (close < 0) {
            r_.refuse(error(t[open].line, QStringLiteral("the answers that start here with { are not closed with }")));
            return false;
        }
        if (nested >= 0 && nested < close) {
            r_.refuse(error(t[nested].line, QStringLiteral("a { stands inside answers that are not closed yet")));
            return false;
        }
        const qsizetype strayAfter = find(t, '}', close + 1);
        const qsizetype secondOpen = find(t, '{', close + 1);
        if (strayAfter >= 0 && (secondOpen < 0 || strayAfter < secondOpen)) {
            r_.refuse(error(t[strayAfter].line, QStringLiteral("a } closes answers that were never opened")));
            return false;
        }
        const QString before = text(t, i, open);
        const QString after = secondOpen >= 0 ? text(t, close + 1, secondOpen) : text(t, close + 1, t.size());
        QString questionText = after.trimmed().isEmpty() ? before : before + QStringLiteral("_____") + after;
        questionText = clean(questionText, html, line);
        const QString shown = questionText.isEmpty() ? name : questionText;
        if (secondOpen >= 0) {
            r_.leftOut << LeftOut{line, shown, QStringLiteral("it has more than one set of answers")};
            return true;
        }
        answers(Toks(t.mid(open + 1, close - open - 1)), line, shown, questionText, html);
        return true;
    }

private:
    QString clean(const QString& s, bool html, int line)
    {
        if (!html)
            return s.trimmed();
        bool dropped = false;
        const QString out = htmlToText(s, &dropped);
        if (dropped)
            r_.skip(QStringLiteral("Formatting and pictures"), line);
        return out;
    }

    void answers(Toks a, int line, const QString& shown, const QString& questionText, bool html)
    {
        for (qsizetype g = 0; g + 3 < a.size(); ++g) {
            if (isOp(a[g], '#') && isOp(a[g + 1], '#') && isOp(a[g + 2], '#') && isOp(a[g + 3], '#')) {
                r_.skip(QStringLiteral("General feedback"), a[g].line);
                a = a.mid(0, g);
                break;
            }
        }
        const qsizetype first = skipSpace(a, 0);
        if (first >= a.size()) {
            r_.leftOut << LeftOut{line, shown, QStringLiteral("it is an essay question")};
            return;
        }
        if (isOp(a[first], '#')) {
            r_.leftOut << LeftOut{line, shown, QStringLiteral("it is a numerical question")};
            return;
        }
        const qsizetype hash = find(a, '#', first);
        const QString plain = text(a, first, hash < 0 ? a.size() : hash).trimmed().toUpper();
        if (plain == QLatin1String("T") || plain == QLatin1String("F") || plain == QLatin1String("TRUE") ||
            plain == QLatin1String("FALSE")) {
            r_.leftOut << LeftOut{line, shown, QStringLiteral("it is a true/false question")};
            return;
        }
        if (!isOp(a[first], '=') && !isOp(a[first], '~')) {
            r_.leftOut << LeftOut{line, shown, QStringLiteral("its answers do not start with = or ~")};
            return;
        }
        QList<MarkedAnswer> marked;
        bool anyWrong = false, arrow = false, weights = false;
        qsizetype i = first;
        while (i < a.size()) {
            const bool right = isOp(a[i], '=');
            anyWrong = anyWrong || !right;
            qsizetype end = i + 1;
            while (end < a.size() && !isOp(a[end], '=') && !isOp(a[end], '~'))
                ++end;
            Toks one = a.mid(i + 1, end - i - 1);
            MarkedAnswer m;
            m.percent = right ? 100 : 0;
            // A weight stands right after the mark: %50% or %-100%.
            if (!one.isEmpty() && isOp(one[0], '%')) {
                qsizetype p = 1;
                QString number;
                while (p < one.size() && (one[p].c.isDigit() || one[p].c == QLatin1Char('.') ||
                                          (p == 1 && one[p].c == QLatin1Char('-'))))
                    number += one[p++].c;
                bool ok = false;
                const double w = number.toDouble(&ok);
                if (ok && p < one.size() && isOp(one[p], '%')) {
                    m.percent = w;
                    weights = true;
                    one = one.mid(p + 1);
                }
            }
            const qsizetype feedback = find(one, '#', 0);
            if (feedback >= 0) {
                r_.skip(QStringLiteral("Feedback"), one[feedback].line);
                one = one.mid(0, feedback);
            }
            m.text = clean(text(one, 0, one.size()), html, line);
            arrow = arrow || (right && m.text.contains(QLatin1String("->")));
            marked << m;
            i = end;
        }
        if (!anyWrong) {
            r_.leftOut << LeftOut{line, shown,
                                  arrow ? QStringLiteral("it is a matching question")
                                        : QStringLiteral("it is a short-answer question")};
            return;
        }
        if (weights)
            r_.skip(QStringLiteral("Answer weights"), line);
        judgeChoices(r_, line, questionText, marked);
    }

    ImportResult& r_;
};

QString escaped(const QString& s)
{
    QString out;
    for (QChar c : s) {
        if (specials.contains(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

} // namespace

ImportResult readGift(const QByteArray& bytes)
{
    ImportResult r;
    const QString all = decodeTextFile(bytes);
    QStringList lines = all.split(QLatin1Char('\n'));
    QList<QPair<QString, int>> block;
    GiftReader reader(r);
    auto flush = [&] {
        bool ok = true;
        if (!block.isEmpty())
            ok = reader.question(tokens(block));
        block.clear();
        return ok;
    };
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int number = static_cast<int>(n + 1);
        if (line.contains(QChar(0))) {
            r.refuse(error(number, QStringLiteral("this is not a text file")));
            return r;
        }
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("//"))) {
            r.skip(QStringLiteral("Comments"), number);
            continue;
        }
        if (trimmed.isEmpty()) {
            if (!flush())
                return r;
            continue;
        }
        if (block.isEmpty() && trimmed.startsWith(QLatin1String("$CATEGORY:"))) {
            const QString path = trimmed.mid(10).trimmed();
            r.suggestedTitle = path.section(QLatin1Char('/'), -1).trimmed();
            r.skip(QStringLiteral("Categories"), number);
            continue;
        }
        block << qMakePair(line, number);
    }
    flush();
    return r;
}

QByteArray writeGift(const QuestionSet& set)
{
    QString out;
    const QString nl = QStringLiteral("\r\n");
    out += QStringLiteral("$CATEGORY: ") + set.title + nl + nl;
    for (int q = 1; q <= 10; ++q) {
        const Question& question = set.question(q);
        // "[" would start a format mark, and HTML is shown as written only in plain text.
        bool plain = question.text.startsWith(QLatin1Char('['));
        for (const QString& s : {question.text, question.options[1], question.options[2], question.options[3],
                                 question.options[4]})
            plain = plain || s.contains(QLatin1Char('<'));
        out += QStringLiteral("::") + escaped(QStringLiteral("%1 %2").arg(set.title).arg(q)) + QStringLiteral("::");
        out += (plain ? QStringLiteral("[plain]") : QString()) + escaped(question.text) + nl + QLatin1Char('{') + nl;
        const int correct = correctOption(question);
        for (int k = 1; k <= 4; ++k) {
            const QString mark = k == correct ? QStringLiteral("=") : QStringLiteral("~");
            // A text that starts like a weight is given its weight in full.
            const QString weight = question.options[k].startsWith(QLatin1Char('%'))
                                       ? (k == correct ? QStringLiteral("%100%") : QStringLiteral("%0%"))
                                       : QString();
            out += QLatin1Char('\t') + mark + weight + escaped(question.options[k]) + nl;
        }
        out += QLatin1Char('}') + nl + nl;
    }
    return out.toUtf8();
}

} // namespace exchange
