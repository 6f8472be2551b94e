// Small aids shared by the topic screen tests.
#pragma once

#include "shell/display_scale.h"
#include "worksheets/question_set.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QMouseEvent>
#include <QWidget>

// A mouse move with no button held, delivered straight to the widget.
inline void moveMouseOver(QWidget* w, QPoint local = QPoint(2, 2))
{
    QMouseEvent e(QEvent::MouseMove, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A mouse move over a screen at a point given in twips.
inline void moveMouseAtTwips(QWidget* screen, double x, double y)
{
    moveMouseOver(screen, QPoint(display::toPixels(x), display::toPixels(y)));
}

// A complete question-set file whose title and texts carry the given tag.
inline QByteArray questionSetFile(const QString& tag)
{
    QuestionSet set;
    set.title = tag;
    for (int q = 1; q <= 10; ++q) {
        Question& question = set.question(q);
        question.text = QStringLiteral("%1 question %2").arg(tag).arg(q);
        for (int k = 1; k <= 4; ++k)
            question.options[k] = QStringLiteral("option %1").arg(k);
        question.correct = QString::number(1 + q % 4);
    }
    return questionSetLines(set).join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

// The first `lines` lines of such a file: a set cut short.
inline QByteArray shortQuestionSetFile(const QString& tag, int lines)
{
    const QList<QByteArray> all = questionSetFile(tag).split('\n');
    QByteArray out;
    for (int i = 0; i < lines && i < all.size(); ++i)
        out += all[i] + '\n';
    return out;
}

// Every file and folder below folder, relative to it, sorted: what an import or copy wrote.
inline QStringList filesUnder(const QString& folder)
{
    QStringList names;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
         it.hasNext();)
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}
