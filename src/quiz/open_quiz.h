// How the topic hubs and the worksheet catalogue start a quiz over the current question set.
#pragma once

#include <QString>

struct App;

// With the set already in currentSet: touches the quiz screen (its load shows question 1),
// gives it the small picture at picturePath and the product title, and shows it on top.
void openQuiz(App& app, const QString& picturePath);
