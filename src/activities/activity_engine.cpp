#include "activity_engine.h"

namespace activity {

Engine::Engine(const std::vector<ItemSpec>& items)
{
    for (const ItemSpec& item : items) {
        labels_.push_back(item.start);
        homes_.push_back(item.start);
        targets_.push_back(item.target);
        groups_.push_back(item.group);
        captions_.push_back(item.caption);
    }
}

bool Engine::drag(int i, float x, float y, unsigned buttons)
{
    if (buttons != LeftButton)
        return false;
    Box& label = labels_.at(static_cast<std::size_t>(i));
    label.left = label.left + x - label.width / 2;
    label.top = label.top + y - label.height / 2;
    return true;
}

bool Engine::inSnapZone(const Box& box, float left, float top)
{
    return box.left - box.width / 2 < left && left < box.left + box.width && box.top - box.height / 2 < top &&
           top < box.top + box.height;
}

bool Engine::snapInto(Box& label, const Box& box)
{
    if (!inSnapZone(box, label.left, label.top))
        return false;
    label.left = box.left;
    label.top = box.top;
    return true;
}

int Engine::drop(int k)
{
    Box& label = labels_.at(static_cast<std::size_t>(k));
    int snaps = 0;
    for (int i = 0; i < count(); ++i) {
        // The home test sees the position the target test may just have set.
        if (snapInto(label, targets_[static_cast<std::size_t>(i)]))
            ++snaps;
        if (snapInto(label, homes_[static_cast<std::size_t>(i)]))
            ++snaps;
    }
    if (labelsOnTargets() == count())
        checkScoreVisible_ = true;
    return snaps;
}

void Engine::startAgain()
{
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i].left = homes_[i].left;
        labels_[i].top = homes_[i].top;
    }
    checkScoreVisible_ = false;
    held_ = -1;
}

void Engine::pickUp(int i)
{
    if (i >= 0 && i < count())
        held_ = i;
}

int Engine::putDownAt(float left, float top)
{
    if (held_ < 0)
        return 0;
    const int k = held_;
    held_ = -1;
    setLabelPosition(k, left, top);
    return drop(k);
}

int Engine::putDownCentredOn(float x, float y) { return clickAt(x, y).snaps; }

Step Engine::putBack()
{
    const bool wasHeld = held_ >= 0;
    held_ = -1;
    return {-1, 0, wasHeld};
}

Step Engine::putHeldDownAt(float left, float top)
{
    if (held_ < 0)
        return {};
    const int k = held_;
    return {k, putDownAt(left, top), true};
}

Step Engine::endDrag(int k)
{
    Step step = putBack();
    step.settled = k;
    step.snaps = drop(k);
    return step;
}

Step Engine::tapLabel(int k, float x, float y)
{
    if (held_ >= 0 && held_ != k)
        return clickAt(x, y);
    // A click on a label is a drop where it lies, as ever; it also picks the label up, and a
    // second click puts it back.
    const Step step{k, drop(k), true};
    if (held_ == k)
        held_ = -1;
    else
        pickUp(k);
    return step;
}

Step Engine::chooseLabel(int k)
{
    if (held_ < 0) {
        pickUp(k);
        return {-1, 0, held_ >= 0};
    }
    if (held_ == k)
        return putBack();
    const Box& there = label(k);
    return putHeldDownAt(there.left, there.top);
}

Step Engine::chooseBox(BoxKind kind, int i)
{
    const Box& box = kind == BoxKind::Target ? target(i) : home(i);
    return putHeldDownAt(box.left, box.top);
}

Step Engine::clickAt(float x, float y)
{
    if (held_ < 0)
        return {};
    const Box& label = labels_[static_cast<std::size_t>(held_)];
    return putHeldDownAt(x - label.width / 2, y - label.height / 2);
}

namespace {
int holding(const std::vector<Box>& boxes, const Box& label)
{
    for (std::size_t m = 0; m < boxes.size(); ++m)
        if (label.left == boxes[m].left && label.top == boxes[m].top)
            return static_cast<int>(m);
    return -1;
}
} // namespace

int Engine::targetHolding(int i) const { return holding(targets_, label(i)); }

int Engine::homeHolding(int i) const { return holding(homes_, label(i)); }

int Engine::labelsOnTargets() const
{
    int pairs = 0;
    for (const Box& label : labels_)
        for (const Box& box : targets_)
            if (label.left == box.left && label.top == box.top)
                ++pairs;
    return pairs;
}

int Engine::score() const
{
    const auto alike = [this](std::size_t j, std::size_t i) {
        return j == i || (!captions_[i].empty() && captions_[j] == captions_[i]);
    };
    int score = 0;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        const bool grouped = groups_[i] >= 0;
        for (std::size_t j = 0; j < labels_.size(); ++j) {
            const bool accepted = alike(j, i) || (grouped && groups_[j] == groups_[i]);
            if (accepted && labels_[j].left == targets_[i].left && labels_[j].top == targets_[i].top) {
                ++score;
                if (!grouped)
                    break;
            }
        }
    }
    return score;
}

void Engine::setLabelPosition(int i, float left, float top)
{
    Box& label = labels_.at(static_cast<std::size_t>(i));
    label.left = left;
    label.top = top;
}

} // namespace activity
