// A topic hub: the topic's title and picture, and button labels leading to its pages, its
// quiz, its activities, and back to the main menu. One screen serves every topic from the
// topic's description.
#pragma once

#include "content/topic_file.h"

#include "shell/screen_frame.h"
#include "state/app_state.h"

class TopicHub : public Screen {
    Q_OBJECT
public:
    // Buttons label3(0) to label3(5); the first two activities keep the places of the first
    // topics' labelling and ordering buttons, and further ones follow from label3(6).
    enum Action { MultipleChoice = 0, Labelling = 1, Exit = 2, Ordering = 3, KeyFacts = 4, TeachersNotes = 5 };
    // The button of the topic's activity n (0 first), and the activity behind a button (-1: none).
    static int activityButton(int n);
    static int activityAt(int button);

    // The topic must outlive the screen.
    TopicHub(App& app, const TopicFile& topic);
    void load() override;

    const HubTopic& topic() const { return topic_.hub; }
    PictureItem* image() const { return image_; }
    int animFrame() const { return animFrame_; }

    // What the button does, before its click sound; also reached by tests.
    void buttonAction(int index);

private:
    void addBottomButtons();
    void placePicture();
    void buttonClicked(int index);
    void openQuizOnTopic();
    void openPages(const HubPages& pages);
    void tick();

    const TopicFile& topic_;
    PictureItem* image_;
    QTimer* timer_ = nullptr; // the animation, on hubs that have one
    int animFrame_ = 0;       // its frame
};

// Opens the hub of a topic over the screen beneath (the menu stays open under it).
void openTopicHub(App& app, const TopicFile& topic);
