// partslab: label the outer parts of the body.
#include "activity_layout.h"

namespace activity {

const ActivityLayout partslab{
    .name = "partslab",
    .background = frame::frameColour, // set again at load, though the frame gives it already
    .picture = "Images\\partsofthebody2.jpg",
    .pictureTopLeft = {2160, 840},
    .labelWidth = 1245,
    .labelHeight = 375,
    .labelFont = {"Tahoma", 12, true},
    .labelAlign = Qt::AlignCenter,
    .items =
        {
            // caption   home (= start)   target
            {"Leg", 8160, 6600, 1800, 5580},
            {"Foot", 8160, 5400, 600, 6900},
            {"Torso", 8160, 6000, 6660, 2940},
            {"Arm", 9600, 6000, 5760, 660},
            {"Hand", 9600, 5400, 240, 2100},
            {"Head", 9600, 6600, 1800, 1140},
        },
    .texts =
        {
            {"Label7", "Match these labels to the correct parts of the body.", {7440, 4440, 4065, 945},
             {"Tahoma", 15.75, true}, yellow, Qt::AlignHCenter | Qt::AlignTop},
            {"Label6", "", {0, 120, 3945, 825}, {"Times New Roman", 24}, yellow, Qt::AlignHCenter | Qt::AlignTop},
        },
    .lines =
        {
            // There is no Line1(0) on this screen.
            {1, {3120, 1320}, {4920, 1320}}, // Head
            {2, {1920, 7080}, {3600, 7080}}, // Foot
            {3, {5760, 3120}, {6600, 3120}}, // Torso
            {4, {1560, 2280}, {2520, 2280}}, // Hand
            {5, {6360, 1080}, {6360, 2040}}, // Arm
            {6, {3120, 5760}, {4200, 5760}}, // Leg
        },
    .drawingOrder =
        {
            "Label2(5)", "Label2(4)", "Label2(3)", "Label2(2)", "Label2(1)", "Label2(0)",
            "Label4(5)", "Label4(4)", "Label4(3)", "Label4(2)", "Label4(1)", "Label4(0)",
            "Line1",
            "Label7", "Label6", "Label3(2)", "Label3(1)", "Label3(0)",
            "Label1(5)", "Label1(4)", "Label1(3)", "Label1(2)", "Label1(1)", "Label1(0)",
            "Image1(0)",
        },
};

} // namespace activity
