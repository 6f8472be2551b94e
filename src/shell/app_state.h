// The program-wide values that screens hand to one another, and the services they use.
#pragma once

#include "quiz/results.h"
#include "worksheets/question_set.h"
#include "worksheets/tracking_file.h"

#include <QString>

#include <functional>

class DataFolder;
class MessageBoxes;
class PictureLoader;
class Printer;
class Random;
class SoundPlayer;

// What the paged reader shows; set by its opener before the reader loads.
struct ReaderHandOff {
    int readerPage = 0;       // page shown, 1..readerPageCount (the guide uses it too)
    int readerPageCount = 0;  // pages in the set, 1..3
    QString readerPageSet;    // the set's file-name stem, e.g. "bones"
};

struct AppState {
    int soundOn = 0; // 1 = effects play; it has no value until the main menu loads: off
    QuestionSet currentSet;
    WorksheetList worksheetList;
    ResultHandOff results;
    ReaderHandOff reader;
    int animFrame = 0;  // title screen and bones hub animation
    int brainFrame = 0; // main menu animation
    int logoFrame = 0;  // reader's logo animation; never reset
};

struct Services {
    DataFolder& files;
    SoundPlayer& sound; // the backdrop's one sound player
    PictureLoader& pictures;
    MessageBoxes& messages;
    Printer& printer;
    Random& random;
    std::function<void()> endProgram; // closes every window and ends the process
};

class Screens;

// Everything a screen is handed: state, services and the other screens.
struct App {
    AppState& state;
    Services& services;
    Screens& screens;
};

// Plays a sound effect only while sound is switched on.
void playThroughGate(App& app, const QString& wavePath);
