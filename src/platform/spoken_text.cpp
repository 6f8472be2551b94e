#include "spoken_text.h"

#include "cp1252.h"

#include <QStringList>

namespace spoken {

QList<Span> sentences(const QString& text)
{
    QList<Span> out;
    auto add = [&](qsizetype from, qsizetype to) {
        while (from < to && text[from].isSpace())
            ++from;
        while (to > from && text[to - 1].isSpace())
            --to;
        if (to > from)
            out << Span{from, to - from};
    };
    qsizetype start = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        const QChar c = text[i];
        if ((c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?')) && text[i + 1].isSpace()) {
            add(start, i + 1);
            start = i + 1;
        }
    }
    add(start, text.size());
    return out;
}

QByteArray write(const QList<Sentence>& page)
{
    QString out;
    for (const Sentence& s : page) {
        QStringList rects;
        for (const QRect& r : s.marks)
            rects << QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        QString words = s.text;
        words.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        out += rects.join(QStringLiteral("; ")) + QLatin1Char('\t') + words + QStringLiteral("\r\n");
    }
    return cp1252::encode(out);
}

QList<Sentence> read(const QByteArray& file)
{
    QList<Sentence> out;
    const QString text = cp1252::decode(file);
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            continue;
        Sentence s;
        s.text = line.mid(tab + 1).trimmed();
        bool good = !s.text.isEmpty();
        for (const QString& rect : line.left(tab).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList n = rect.simplified().split(QLatin1Char(' '));
            bool ok[4] = {};
            const int v[4] = {n.value(0).toInt(&ok[0]), n.value(1).toInt(&ok[1]), n.value(2).toInt(&ok[2]),
                              n.value(3).toInt(&ok[3])};
            if (n.size() != 4 || !(ok[0] && ok[1] && ok[2] && ok[3]) || v[2] < 0 || v[3] < 0) {
                good = false;
                break;
            }
            s.marks << QRect(v[0], v[1], v[2], v[3]);
        }
        if (good)
            out << s;
    }
    return out;
}

QString sideFileOf(const QString& pagePicture)
{
    const qsizetype dot = pagePicture.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = std::max(pagePicture.lastIndexOf(QLatin1Char('\\')), pagePicture.lastIndexOf(QLatin1Char('/')));
    if (pagePicture.isEmpty())
        return {};
    return (dot > slash ? pagePicture.left(dot) : pagePicture) + QStringLiteral(".txt");
}

} // namespace spoken
