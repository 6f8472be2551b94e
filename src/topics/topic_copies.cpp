#include "topic_copies.h"

#include "pages/content_build.h"

#include "content/content_text.h"
#include "platform/cp1252.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace topicfiles {

namespace {

// A text file's lines, each with its own line end, so that rewriting one keeps the others.
QStringList linesWithEnds(const QString& text)
{
    QStringList lines;
    static const QRegularExpression end(QStringLiteral("\r\n|\r|\n"));
    qsizetype from = 0;
    for (auto it = end.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        lines << text.mid(from, m.capturedEnd() - from);
        from = m.capturedEnd();
    }
    if (from < text.size())
        lines << text.mid(from);
    return lines;
}

QString lineEnd(const QString& line)
{
    qsizetype n = line.size();
    while (n > 0 && (line[n - 1] == QLatin1Char('\r') || line[n - 1] == QLatin1Char('\n')))
        --n;
    return line.mid(n);
}

} // namespace

QString retitle(TopicFiles& topic, const QString& title)
{
    if (QString p = content::fileNameProblem(title); !p.isEmpty())
        return p;
    if (title.isEmpty())
        return QStringLiteral("a topic needs a title");
    if (!cp1252::canEncode(title))
        return QStringLiteral("\"%1\" holds a letter Corvana's files can't hold (use plain letters)").arg(title);
    std::pair<QString, QByteArray>* topicTxt = nullptr;
    for (auto& f : topic.files)
        if (f.first == QLatin1String("topic.txt"))
            topicTxt = &f;
    if (!topicTxt)
        return QStringLiteral("the topic has no topic.txt");
    QStringList lines = linesWithEnds(contentbuild::decodeText(topicTxt->second));
    static const QRegularExpression setting(QStringLiteral("^\\s*(title|menu caption|questions)\\s*:\\s*(.*?)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString questions;
    bool titled = false;
    for (QString& line : lines) {
        const QString end = lineEnd(line);
        const auto m = setting.match(line.left(line.size() - end.size()));
        if (!m.hasMatch())
            continue;
        const QString key = m.captured(1).toLower();
        if (key == QLatin1String("questions")) {
            questions = m.captured(2);
        } else {
            line = key + QStringLiteral(": ") + title + end;
            titled = titled || key == QLatin1String("title");
        }
    }
    if (!titled)
        lines.prepend(QStringLiteral("title: ") + title + QStringLiteral("\r\n"));
    topicTxt->second = cp1252::encode(lines.join(QString()));
    // The question set's first line is its title, with every comma written as '&'.
    for (auto& f : topic.files) {
        if (questions.isEmpty() || f.first != questions)
            continue;
        QStringList q = linesWithEnds(contentbuild::decodeText(f.second));
        const QString firstLine = QString(title).replace(QLatin1Char(','), QLatin1Char('&'));
        if (q.isEmpty())
            q << firstLine + QStringLiteral("\r\n");
        else
            q[0] = firstLine + lineEnd(q[0]);
        f.second = cp1252::encode(q.join(QString()));
    }
    return {};
}

QString folderNameFor(const QString& title, const QStringList& taken)
{
    QString base;
    for (QChar c : title.normalized(QString::NormalizationForm_KD).toLower()) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            base += c;
        else if (c.isSpace() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            if (!base.isEmpty() && !base.endsWith(QLatin1Char('-')))
                base += QLatin1Char('-');
    }
    base = base.left(40);
    while (base.endsWith(QLatin1Char('-')))
        base.chop(1);
    if (base.isEmpty() || !content::fileNameProblem(base).isEmpty())
        base = QStringLiteral("new-topic");
    const auto isTaken = [&](const QString& name) { return taken.contains(name, Qt::CaseInsensitive); };
    QString name = base;
    for (int n = 2; isTaken(name); ++n)
        name = base + QLatin1Char('-') + QString::number(n);
    return name;
}


} // namespace topicfiles
