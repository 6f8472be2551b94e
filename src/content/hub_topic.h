// What makes one topic hub different from another: its title, picture, files, page sets and
// the screens of its activities. Read from the topic's content file; the screens read
// everything from here.
#pragma once

#include "platform/screen_design.h"

#include <QPointF>
#include <QString>

#include <vector>

// One activity behind a button of the hub.
struct HubActivity {
    QString screen;  // the activity's screen name
    QString caption; // the button's caption, which also names the task ("Labelling Activity")

    friend bool operator==(const HubActivity&, const HubActivity&) = default;
};

// One page set as the hub hands it to the paged reader.
struct HubPages {
    int pageCount = 1;
    QString pageSet;    // file-name stem the reader pages with
    QString screenCopy; // first page, shown
    QString printCopy;  // first page, printed

    friend bool operator==(const HubPages&, const HubPages&) = default;
};

struct HubTopic {
    QString screen;          // the hub's screen name
    QString title;           // Label1, and the title handed to the activities
    QString questionSetFile; // read for Multiple Choice
    QString quizPicture;     // the quiz screen's small picture
    std::vector<HubActivity> activities; // in the order of their buttons
    HubPages keyFacts;
    HubPages teachersNotes;

    int menuEntry = -1;  // its place on the main menu's first page; -1: a page of more topics
    QString menuCaption; // the menu entry's caption (the title unless set)
    // The hub's picture: a still picture at its own size, or a looping animation (one of
    // the two is set).
    QString picture;             // relative path of a still picture
    QString animation;           // "skull"
    bool pictureCentred = false; // left centres the picture across the screen
    QPointF pictureTopLeft;      // left (unless centred) and top, twips

    friend bool operator==(const HubTopic&, const HubTopic&) = default;
};

namespace hubs {

// The hub's still picture is centred across the standard screen; a picture wider than the
// screen gets a negative left and overlaps both edges evenly.
inline double centredLeft(double pictureWidthTwips) { return (design::screenWidth - pictureWidthTwips) / 2; }

// The page set's first page: a one-page set is named without a letter.
HubPages pagesOf(const QString& pageSet, int pageCount);

} // namespace hubs
