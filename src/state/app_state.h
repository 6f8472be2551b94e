// The program-wide values: the sound switch, the question set the quiz and the worksheet tools
// work on, the worksheet list, the topics and their titles.
#pragma once

#include "question_set_data.h"
#include "worksheet_list.h"

#include "content/topic_sources.h"
#include "shell/app.h"

#include <QString>
#include <QStringList>

#include <memory>

class TopicCatalogue;

// soundOn comes from the framework's sound switch.
struct AppState : SoundSwitch {
    QuestionSet currentSet;
    WorksheetList worksheetList;
    // The reader's logo animation: it runs on from where the last opening stopped, so it
    // outlives every reader screen.
    int logoFrame = 0;
    // The topics read from the content folders at start.
    std::shared_ptr<const TopicCatalogue> topics;
    // Their titles, which name their question sets: no worksheet may take one.
    QStringList topicTitles;
    // The folders they were read from, and what became of every topic folder there.
    TopicFolders topicFolders;
    QList<TopicReport> topicReports;
};
