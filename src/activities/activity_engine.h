// The drag-and-drop rules shared by every activity screen, without any widgets: where a
// dragged label goes, where it snaps when let go, when "Check Score" appears, and the score.
// Positions are twips in single precision, as the screens' layouts give them; every
// comparison is exact, so the arithmetic must stay in float.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace activity {

struct Box {
    float left = 0, top = 0, width = 0, height = 0;
};

// Mouse buttons as reported with a pointer move.
enum MouseButton : unsigned { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// Which kind of box a label is put down on.
enum class BoxKind { Target, Home };

// What one click-to-place step changed, for the screen to show.
struct Step {
    int settled = -1;         // the label put down or let go where it lies: it moves, its thuds play; -1: none
    int snaps = 0;            // snaps of that label, one thud each
    bool heldChanged = false; // a label was picked up, or the held one is held no longer
};

// One activity item: answer label i, its target box (its correct place) and its home box
// (where it starts). Items of one group are interchangeable for scoring; a negative group
// means the label scores only in its own target box. Labels with the same caption look the
// same to a pupil, so they are interchangeable too, whatever the scoring.
struct ItemSpec {
    Box start;  // the answer label's starting rectangle, also its home box
    Box target;
    int group = -1;
    std::string caption = {}; // empty: like no other item
};

class Engine {
public:
    explicit Engine(const std::vector<ItemSpec>& items);

    int count() const { return static_cast<int>(labels_.size()); }
    const Box& label(int i) const { return labels_.at(static_cast<std::size_t>(i)); }
    const Box& target(int i) const { return targets_.at(static_cast<std::size_t>(i)); }
    const Box& home(int i) const { return homes_.at(static_cast<std::size_t>(i)); }
    bool checkScoreVisible() const { return checkScoreVisible_; }

    // The pointer moved over label i at (x, y) twips from the label's top-left with the given
    // buttons held. With the left button alone the label is centred on the pointer (no grab
    // offset, no limit to the screen). Returns whether the label moved.
    bool drag(int i, float x, float y, unsigned buttons);

    // A mouse button was released over label k. It snaps into each box whose zone holds its
    // top-left corner, targets before homes at each index, lowest index first. Returns the
    // number of snaps (one thud each). Shows "Check Score" once every label sits on a target
    // box; never hides it.
    int drop(int k);

    // Every label back on its home box; "Check Score" hidden; nothing held.
    void startAgain();

    // Click to place, for pupils who cannot drag: a label is picked up (by a click, a tap or
    // the keyboard) and then put down where the next click points, with the same snapping
    // and counting as a drop there.
    int held() const { return held_; } // the label picked up, or -1
    void pickUp(int i);
    // The held label stays where it is, no longer held (Escape, a button, a drag elsewhere).
    Step putBack();
    // Puts the held label down with its top-left corner at (left, top), as if let go there.
    // Returns the number of snaps, as drop() does; 0 when nothing is held.
    int putDownAt(float left, float top);
    // Puts it down centred on a point, as a drag that ends with the pointer there would.
    int putDownCentredOn(float x, float y);

    // The events of the screen, each one step of picking up, putting back and putting down.
    // Points are twips from the screen's top-left.
    // A drag of label k ends: a label held meanwhile is put back, and k drops where it is.
    Step endDrag(int k);
    // A click or tap on label k: with another label held, that one goes down centred on the
    // pointer; otherwise k drops where it lies and is picked up, or put back if it was held.
    Step tapLabel(int k, float x, float y);
    // Enter or Space on label k: picks it up, or puts it back if it was held; with another
    // label held, that one goes onto k's place.
    Step chooseLabel(int k);
    // A click or Enter on box i puts the held label into it.
    Step chooseBox(BoxKind kind, int i);
    // A click anywhere else puts the held label down centred there.
    Step clickAt(float x, float y);

    // The target box (or home box) whose top-left corner label i's equals, lowest index
    // first; -1 when there is none.
    int targetHolding(int i) const;
    int homeHolding(int i) const;

    // Labels on their own target box, or on any target box of their group, or of an item with
    // the same caption. Without groups a target box scores at most once, so two identical
    // labels stacked in one box leave the other box unscored.
    int score() const;

    // Pairs (label, target box) with exactly equal top-left corners.
    int labelsOnTargets() const;

    // Whether a label's top-left corner at (left, top) lies in the box's snap zone: the box
    // extended by half its width to the left and half its height upwards, bounds open.
    static bool inSnapZone(const Box& box, float left, float top);

    // Places label i without any rule (used to restore or set up a position).
    void setLabelPosition(int i, float left, float top);

private:
    bool snapInto(Box& label, const Box& box);
    Step putHeldDownAt(float left, float top);

    std::vector<Box> labels_;
    std::vector<Box> targets_;
    std::vector<Box> homes_;
    std::vector<int> groups_;
    std::vector<std::string> captions_;
    bool checkScoreVisible_ = false;
    int held_ = -1;
};

} // namespace activity
