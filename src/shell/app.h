// What every screen is handed: the program's shared values, its services and the other
// screens. The values are the program's own (state/app_state.h); the framework only knows
// the sound switch, which every sound it plays must pass.
#pragma once

#include <QString>

#include <functional>

class DataFolder;
class Dialogs;
class MessageBoxes;
class PictureLoader;
class Printer;
class Random;
class ClassRecords;
class SoundPlayer;
class Speech;
class Screens;
struct AppState;

// The sound switch, the one value the framework itself reads: 1 = sound effects play; it has
// no value until the main menu loads, which counts as off.
struct SoundSwitch {
    int soundOn = 0;
};

struct Services {
    DataFolder& files;
    SoundPlayer& sound; // the backdrop's one sound player
    PictureLoader& pictures;
    MessageBoxes& messages;
    Printer& printer;
    Random& random;
    Speech& speech; // reading aloud, behind the same sound switch
    ClassRecords& records; // who did which task, with what score
    std::function<void()> endProgram; // closes every window and ends the process
    Dialogs& dialogs;                 // choosing files, naming, picking from a list
};

struct App {
    AppState& state;
    Services& services;
    Screens& screens;
    SoundSwitch& soundSwitch; // the same object as state's sound switch
};

// Plays a sound effect only while sound is switched on.
void playThroughGate(App& app, const QString& wavePath);
