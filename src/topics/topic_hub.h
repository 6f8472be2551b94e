// The topic hubs: a topic's title and picture, and six button labels leading to its pages,
// its quiz, its two activities, and back to the main menu.
#pragma once

#include "hub_table.h"

#include "shell/screen_frame.h"

class TopicHub : public Screen {
    Q_OBJECT
public:
    static constexpr int buttonCount = 6;
    enum Action { MultipleChoice = 0, Labelling = 1, Exit = 2, Ordering = 3, KeyFacts = 4, TeachersNotes = 5 };

    TopicHub(App& app, const HubTopic& topic);
    const HubTopic& topic() const { return topic_; }
    PictureItem* image() const { return image_; }

    // What the button does, before its click sound; also reached by tests.
    void buttonAction(int index);

protected:
    PictureItem* image_;

private:
    void buttonClicked(int index);
    void openQuizOnTopic();
    void openPages(const HubPages& pages);

    const HubTopic& topic_;
};

// "Parts of the Body": the Vitruvian figure, centred.
class PartsHub : public TopicHub {
    Q_OBJECT
public:
    static constexpr const char* kName = "parts";
    explicit PartsHub(App& app);
    void load() override;
};

// "Bones": a looping skull animation.
class BonesHub : public TopicHub {
    Q_OBJECT
public:
    static constexpr const char* kName = "bones";
    explicit BonesHub(App& app);
    void load() override;

private:
    void tick();
    QTimer* timer_;
};
