// boneslab: label the bones of the skeleton.
#include "activity_layout.h"

namespace activity {

const ActivityLayout boneslab{
    .name = "boneslab",
    .background = QColor(9, 63, 137), // darker than the frame colour
    .picture = "Images\\skeleton.jpg",
    .pictureTopLeft = {6960, -120},
    .labelWidth = 1485,
    .labelHeight = 375,
    .labelFont = {"Tahoma", 12, true},
    .labelAlign = Qt::AlignCenter,
    .items =
        {
            // caption      home (= start)   target
            {"Humerus", 1440, 4200, 10140, 1860},
            {"Skull", 1440, 3000, 4920, 300},
            {"Backbone", 1440, 3600, 4920, 2460},
            {"Pelvis", 1440, 5400, 10140, 3180},
            {"Femur", 1440, 4800, 4920, 4860},
            {"Rib Cage", 1440, 6000, 4920, 1740},
            {"Tibia", 1440, 2400, 4920, 6180},
        },
    .texts =
        {
            {"Label7", "Match these labels to the correct bones.", {480, 1200, 3585, 705}, {"Tahoma", 15.75, true},
             yellow, Qt::AlignHCenter | Qt::AlignTop},
            {"Label6", "", {0, 120, 4785, 825}, {"Times New Roman", 24}, yellow, Qt::AlignHCenter | Qt::AlignTop},
        },
    .lines =
        {
            {0, {6480, 480}, {8160, 480}},   // Skull
            {1, {6480, 1920}, {8040, 1920}}, // Rib Cage
            {2, {6480, 6360}, {8160, 6360}}, // Tibia
            {3, {6480, 2640}, {8400, 2640}}, // Backbone
            {4, {6480, 5040}, {8040, 5040}}, // Femur
            {5, {8880, 3360}, {10080, 3360}}, // Pelvis
            {6, {9300, 2040}, {10080, 2040}}, // Humerus
        },
    .drawingOrder =
        {
            "Label2(6)", "Label2(5)", "Label2(4)", "Label2(3)", "Label2(2)", "Label2(1)", "Label2(0)",
            "Label4(6)", "Label4(5)", "Label4(4)", "Label4(3)", "Label4(2)", "Label4(1)", "Label4(0)",
            "Line1",
            "Label7", "Label6", "Label3(2)", "Label3(1)", "Label3(0)",
            "Label1(6)", "Label1(5)", "Label1(4)", "Label1(3)", "Label1(2)", "Label1(1)", "Label1(0)",
            "Image1(0)",
        },
};

} // namespace activity
