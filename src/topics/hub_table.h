// What makes one topic hub different from another: its title, picture, files, page sets and
// the screens of its activities. Read from the topic's content file; the screens read
// everything from here.
#pragma once

#include <QPointF>
#include <QString>

// One page set as the hub hands it to the paged reader.
struct HubPages {
    int pageCount;
    const char* pageSet;    // file-name stem the reader pages with
    const char* screenCopy; // first page, shown
    const char* printCopy;  // first page, printed
};

struct HubTopic {
    const char* screen;          // the hub's screen name
    const char* title;           // Label1, and the title handed to the activities
    const char* questionSetFile; // read for Multiple Choice
    const char* quizPicture;     // the quiz screen's small picture
    const char* labellingScreen;
    const char* orderingScreen;
    HubPages keyFacts;
    HubPages teachersNotes;

    int menuEntry = -1;
    // The hub's picture: a still picture at its own size, or a looping animation.
    const char* picture = nullptr;   // relative path of a still picture
    const char* animation = nullptr; // "skull"
    bool pictureCentred = false;     // left centres the picture across the screen
    QPointF pictureTopLeft;          // left (unless centred) and top, twips
    const char* labellingCaption = "Labelling Activity";
    const char* orderingCaption = "Ordering Activity";
};

namespace hubs {

// The hub's still picture is centred across the standard screen; a picture wider than the
// screen gets a negative left and overlaps both edges evenly.
inline double centredLeft(double pictureWidthTwips) { return (12000 - pictureWidthTwips) / 2; }

// The page set's first page: a one-page set is named without a letter.
HubPages pagesOf(const QString& pageSet, int pageCount);

} // namespace hubs
