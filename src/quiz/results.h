// The result hand-off: what a finished task tells the results screen.
#pragma once

#include <QString>

struct ResultHandOff {
    int resultScore = 0;       // correct answers or correctly placed labels
    int resultOutOf = 0;       // questions or labels of the task
    QString certificateTitle;  // task title for the certificate; set only by the quiz
};

struct App;

// Shows a freshly loaded results screen modeless on top; its load reads the hand-off.
void openResultsScreen(App& app);
