#include "activity_layout.h"

namespace activity {

const ButtonRow buttons[3] = {
    {"Exit", {10560, 7920, 1245, 495}},
    {"Start Again", {3360, 7920, 2565, 495}},
    {"Check Score", {6000, 7920, 2565, 495}},
};

std::vector<ItemSpec> itemSpecs(const ActivityLayout& layout)
{
    std::vector<ItemSpec> specs;
    for (const ItemRow& row : layout.items)
        specs.push_back({Box{row.homeLeft, row.homeTop, layout.labelWidth, layout.labelHeight},
                         Box{row.targetLeft, row.targetTop, layout.labelWidth, layout.labelHeight}, row.group,
                         row.caption.toStdString()});
    return specs;
}

} // namespace activity
