// The program-wide values that screens hand to one another.
#pragma once

#include "question_set_data.h"
#include "worksheet_list.h"

#include "shell/app.h"

#include <QString>
#include <QStringList>

#include <memory>

class TopicCatalogue;

// What the paged reader shows; set by its opener before the reader loads.
struct ReaderHandOff {
    int readerPage = 0;       // page shown, 1..readerPageCount (the guide uses it too)
    int readerPageCount = 0;  // pages in the set, 1..3
    QString readerPageSet;    // the set's file-name stem, e.g. "bones"
};

// The result hand-off: what a finished task tells the results screen. Written whole when the
// task is scored and handed to that task's results screen as a value, so two tasks open at
// once never mix their scores.
struct ResultHandOff {
    int resultScore = 0;       // correct answers or correctly placed labels
    int resultOutOf = 0;       // questions or labels of the task
    QString certificateTitle;  // task title for the certificate; set only by the quiz
};

// soundOn comes from the framework's part.
struct AppState : FrameState {
    QuestionSet currentSet;
    WorksheetList worksheetList;
    ResultHandOff results; // the task scored last, as it was handed to its results screen
    ReaderHandOff reader;
    int animFrame = 0;  // title screen and bones hub animation
    int brainFrame = 0; // main menu animation
    int logoFrame = 0;  // reader's logo animation; never reset
    // The topics read from the content folders at start.
    std::shared_ptr<const TopicCatalogue> topics;
    // Their titles, which name their question sets: no worksheet may take one.
    QStringList topicTitles;
};
