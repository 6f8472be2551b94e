// Aiken: a question on its line, then its answers, each on a line of its own starting with a
// capital letter and "." or ")", then "ANSWER: " and the right answer's letter.
//   What is the largest bone in the body?
//   A. The skull
//   B) The thigh bone (femur)
//   ...
//   ANSWER: B
// Blank lines between questions are allowed and mean nothing.
#include "question_exchange.h"

namespace exchange {
namespace {

// The letter of an answer line ("A. text", "B) text"), or a null character.
QChar answerLetter(const QString& line)
{
    if (line.size() >= 2 && line[0] >= QLatin1Char('A') && line[0] <= QLatin1Char('Z') &&
        (line[1] == QLatin1Char('.') || line[1] == QLatin1Char(')')) && (line.size() == 2 || line[2].isSpace()))
        return line[0];
    return {};
}

bool isAnswerLine(const QString& line) { return line.startsWith(QLatin1String("ANSWER:")); }

} // namespace

ImportResult readAiken(const QByteArray& bytes)
{
    ImportResult r;
    const QStringList lines = decodeTextFile(bytes).split(QLatin1Char('\n'));
    QStringList question;
    int questionLine = 0;
    QList<QPair<QChar, QString>> answers;
    auto fail = [&r](int line, const QString& what) { r.refuse(QStringLiteral("Line %1: %2.").arg(line).arg(what)); };
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const int number = static_cast<int>(n + 1);
        const QString line = lines[n].trimmed();
        if (lines[n].contains(QChar(0))) {
            fail(number, QStringLiteral("this is not a text file"));
            return r;
        }
        if (line.isEmpty())
            continue;
        const QChar letter = answerLetter(line);
        if (question.isEmpty()) {
            if (!letter.isNull() || isAnswerLine(line)) {
                fail(number, QStringLiteral("an answer stands here without a question before it"));
                return r;
            }
            question << line;
            questionLine = number;
            continue;
        }
        if (!letter.isNull()) {
            answers << qMakePair(letter, line.mid(2).trimmed());
            continue;
        }
        if (isAnswerLine(line)) {
            const QString text = question.join(QLatin1Char('\n'));
            const QString given = line.mid(7).trimmed().toUpper();
            QList<int> right;
            for (QChar c : given)
                if (c.isLetter())
                    for (int i = 0; i < answers.size(); ++i)
                        if (answers[i].first == c)
                            right << i;
            int letters = 0;
            for (QChar c : given)
                letters += c.isLetter() ? 1 : 0;
            QString reason;
            if (answers.size() != 4)
                reason = answers.size() == 1 ? QStringLiteral("it has 1 answer, not 4")
                                             : QStringLiteral("it has %1 answers, not 4").arg(answers.size());
            else if (letters > 1)
                reason = QStringLiteral("it has several right answers");
            else if (right.size() != 1)
                reason = QStringLiteral("its ANSWER: line names none of its answers");
            if (reason.isEmpty()) {
                ImportedQuestion q;
                q.line = questionLine;
                q.text = text;
                for (int k = 0; k < 4; ++k)
                    q.options[k] = answers[k].second;
                q.correct = right.first() + 1;
                r.taken << q;
            } else {
                r.leftOut << LeftOut{questionLine, text, reason};
            }
            question.clear();
            answers.clear();
            continue;
        }
        if (!answers.isEmpty()) {
            fail(questionLine, QStringLiteral("the question that starts here has no ANSWER: line after its answers"));
            return r;
        }
        question << line; // a question may run over several lines
    }
    if (!question.isEmpty())
        fail(questionLine, QStringLiteral("the question that starts here has no ANSWER: line"));
    return r;
}

QByteArray writeAiken(const QuestionSet& set)
{
    QString out;
    const QString nl = QStringLiteral("\r\n");
    for (int q = 1; q <= 10; ++q) {
        const Question& question = set.question(q);
        out += question.text + nl;
        for (int k = 1; k <= 4; ++k)
            out += QChar(u'A' + k - 1) + QStringLiteral(". ") + question.options[k] + nl;
        const int correct = correctOption(question);
        out += QStringLiteral("ANSWER: ") + QChar(u'A' + std::max(correct, 1) - 1) + nl + nl;
    }
    return out.toUtf8();
}

} // namespace exchange
