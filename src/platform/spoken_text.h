// Text to be read aloud, a sentence at a time: where sentences end, and the list of a page's
// sentences with the rectangles they cover, kept beside each page picture (a metafile shows
// the words but does not say where its sentences are).
#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>

namespace spoken {

// Where each sentence of a text starts and how long it is, spaces between sentences left out.
// A sentence ends at ".", "!" or "?" followed by a space; the rest of the text is the last.
struct Span {
    qsizetype start = 0;
    qsizetype length = 0;
};
QList<Span> sentences(const QString& text);

// One sentence of a page: its words and the rectangles (one per line it runs over), in the
// page's own twips.
struct Sentence {
    QString text;
    QList<QRect> marks;
};

// The side file of a page, Windows-1252 with CR LF: a line per sentence in reading order,
// "left top width height; ... <tab> words".
QByteArray write(const QList<Sentence>& page);
// Lines that cannot be read are left out.
QList<Sentence> read(const QByteArray& file);

// "wmf\bonesa.wmf" gives "wmf\bonesa.txt": the side file of a page picture.
QString sideFileOf(const QString& pagePicture);

} // namespace spoken
