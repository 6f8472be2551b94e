#include "question_set.h"

#include "platform/cp1252.h"
#include "platform/text_file.h"

QString encodeCommas(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char(','), QLatin1Char('&'));
    return out;
}

QString decodeCommas(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1Char(','));
    return out;
}

bool formatCarries(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    if (start < text.size() && text[start] == QLatin1Char('"'))
        return false; // the reader would take it for a quoted field
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')) && cp1252::canEncode(text)
           && text.size() < TextInput::maxFieldBytes;
}

QString storedForm(const QString& text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return decodeCommas(text.mid(start, end - start));
}

bool readsBackAs(const QuestionSet& back, const QuestionSet& written)
{
    if (back.title != storedForm(written.title))
        return false;
    for (int q = 1; q <= 10; ++q) {
        const Question& b = back.question(q);
        const Question& w = written.question(q);
        if (b.text != storedForm(w.text) || b.correct != w.correct)
            return false;
        for (int k = 1; k <= 4; ++k)
            if (b.options[k] != storedForm(w.options[k]))
                return false;
    }
    return true;
}

void loadquestions(TextInput& file, QuestionSet& currentSet)
{
    currentSet.title = decodeCommas(readfield(file));
    readfield(file); // separator
    for (int q = 1; q <= 10; ++q) {
        Question& question = currentSet.question(q);
        for (int f = 0; f <= 4; ++f) {
            const QString text = decodeCommas(readfield(file));
            if (f == 0)
                question.text = text;
            else
                question.options[f] = text;
        }
        const QString correct = readfield(file);
        // A digit outside 1..4 would make the quiz or the editor pick an option that does
        // not exist: such a set is refused like a short one.
        Question probe;
        probe.correct = correct;
        if (correctOption(probe) == 0)
            throw ReadFailure("correct option is not 1 to 4");
        question.correct = correct;
        readfield(file); // separator
    }
}

QStringList questionSetLines(const QuestionSet& set)
{
    QStringList lines;
    lines << encodeCommas(set.title) << QStringLiteral(" ");
    for (int q = 1; q <= 10; ++q) {
        const Question& question = set.question(q);
        lines << encodeCommas(question.text);
        for (int k = 1; k <= 4; ++k)
            lines << encodeCommas(question.options[k]);
        lines << question.correct << QStringLiteral(" ");
    }
    return lines;
}

bool loadQuestionSetFile(const QString& absolutePath, QuestionSet& currentSet)
{
    TextInput file;
    if (absolutePath.isEmpty() || !file.open(absolutePath))
        return false;
    try {
        loadquestions(file, currentSet);
    } catch (const ReadFailure&) {
        file.close();
        return false;
    }
    file.close();
    return true;
}
