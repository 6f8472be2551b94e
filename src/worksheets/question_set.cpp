#include "question_set.h"

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
