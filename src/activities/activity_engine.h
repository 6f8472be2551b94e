// The drag-and-drop rules shared by every activity screen, without any widgets: where a
// dragged label goes, where it snaps when let go, when "Check Score" appears, and the score.
// Positions are twips in single precision, as the screens' layouts give them; every
// comparison is exact, so the arithmetic must stay in float.
#pragma once

#include <cstddef>
#include <vector>

namespace activity {

struct Box {
    float left = 0, top = 0, width = 0, height = 0;
};

// Mouse buttons as reported with a pointer move.
enum MouseButton : unsigned { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// One activity item: answer label i, its target box (its correct place) and its home box
// (where it starts). Items of one group are interchangeable for scoring; a negative group
// means the label scores only in its own target box.
struct ItemSpec {
    Box start;  // the answer label's starting rectangle, also its home box
    Box target;
    int group = -1;
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

    // Every label back on its home box; "Check Score" hidden.
    void startAgain();

    // Labels on their own target box, or on any target box of their group.
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

    std::vector<Box> labels_;
    std::vector<Box> targets_;
    std::vector<Box> homes_;
    std::vector<int> groups_;
    bool checkScoreVisible_ = false;
};

} // namespace activity
