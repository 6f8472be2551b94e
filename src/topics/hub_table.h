// What makes one topic hub different from the other: its files, its page sets, the screens
// of its activities. The screens read everything from here.
#pragma once

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
};

namespace hubs {

inline constexpr HubTopic parts = {
    "parts",
    "Parts of the Body",
    "multiple\\Parts of the Body.txt",
    "images\\vitruvius2sm.jpg",
    "partslab",
    "partsord",
    {1, "key parts of the body", "wmf\\key parts of the body.wmf", "wmf2\\key parts of the body.wmf"},
    {1, "parts of the body", "wmf\\parts of the body.wmf", "wmf2\\parts of the body.wmf"},
};

inline constexpr HubTopic bones = {
    "bones",
    "Bones",
    "multiple\\Bones.txt",
    "images\\skullsm2.jpg",
    "boneslab",
    "bonesord",
    {1, "key bones", "wmf\\key bones.wmf", "wmf2\\key bones.wmf"},
    {2, "bones", "wmf\\bonesa.wmf", "wmf2\\bonesa.wmf"},
};

// The hub's still picture is centred across the standard screen; a picture wider than the
// screen gets a negative left and overlaps both edges evenly.
inline double centredLeft(double pictureWidthTwips) { return (12000 - pictureWidthTwips) / 2; }

} // namespace hubs
