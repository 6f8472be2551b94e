// The paper worksheet of a question set: header, the quiz's two titles, and the ten questions
// with their options A to D in two columns. The answers are not printed.
#pragma once

#include <QString>

class MessageBoxes;
class Printer;
struct QuestionSet;

namespace worksheet {

inline const QString header =
    QStringLiteral("Verdalis                                                         Talvory Publishing Ltd");
inline const QString printingMessage = QStringLiteral("Your worksheet is now printing.");

// firstTitle and secondTitle: the captions of the quiz's Label5 and Label6.
void layOut(Printer& printer, const QString& firstTitle, const QString& secondTitle, const QuestionSet& set);

bool print(Printer& printer, MessageBoxes& messages, const QString& firstTitle, const QString& secondTitle,
           const QuestionSet& set);

} // namespace worksheet
