#pragma once

#include <QString>

struct App;
class ResultsScreen;

// The result hand-off: what a finished task tells the results screen. Written whole when the
// task is scored and handed to that task's results screen as a value, so two tasks open at
// once never mix their scores.
struct ResultHandOff {
    int resultScore = 0;       // correct answers or correctly placed labels
    int resultOutOf = 0;       // questions or labels of the task
    QString certificateTitle;  // task title for the certificate; set only by the quiz
};

// Shows a freshly loaded results screen for this result, modeless on top.
ResultsScreen& openResultsScreen(App& app, const ResultHandOff& result);
