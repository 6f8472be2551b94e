#include "activity_layout.h"

namespace activity {

const ButtonRow buttons[3] = {
    {"Exit", {10560, 7920, 1245, 495}},
    {"Start Again", {3360, 7920, 2565, 495}},
    {"Check Score", {6000, 7920, 2565, 495}},
};

std::vector<ItemSpec> ActivityLayout::itemSpecs() const
{
    std::vector<ItemSpec> specs;
    for (const ItemRow& row : items)
        specs.push_back({Box{row.homeLeft, row.homeTop, labelWidth, labelHeight},
                         Box{row.targetLeft, row.targetTop, labelWidth, labelHeight}, row.group,
                         row.caption ? row.caption : ""});
    return specs;
}

} // namespace activity
