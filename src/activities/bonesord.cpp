// bonesord: finish six sentences about bones.
#include "activity_layout.h"

namespace activity {

namespace {
const FontSpec beginningFont{"Tahoma", 15, true};
const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
} // namespace

const ActivityLayout bonesord{
    .name = "bonesord",
    .background = std::nullopt,
    .picture = nullptr,
    .pictureTopLeft = {},
    .labelWidth = 5595,
    .labelHeight = 495,
    .labelFont = {"Tahoma", 15, true},
    .labelAlign = Qt::AlignLeft | Qt::AlignTop, // level with the sentence beginnings beside the boxes
    // Rows from the top hold items 1, 3, 0, 4, 2, 5; target boxes end the sentence begun on
    // their row, just right of x = 5640.
    .items =
        {
            // caption                               home (= start)   target
            {"calcium.", 6120, 6600, 5640, 1890},                     // row 3
            {"206 bones.", 6120, 7200, 5640, 450},                    // row 1
            {"stirrup bone in the ear.", 240, 7200, 5640, 3330},      // row 5
            {"but many join together as we grow.", 6120, 6000, 5640, 1170}, // row 2
            {"the femur or thigh bone.", 240, 6600, 5640, 2610},      // row 4
            {"stirrup bone in the ear.", 240, 6030, 5640, 4050},      // row 6
        },
    .texts =
        {
            {"Label5(0)", "Adult humans have", {720, 480, 4815, 495}, beginningFont, yellow, right},
            {"Label5(1)", "Humans are born with 300 bones", {360, 1200, 5175, 495}, beginningFont, yellow, right},
            {"Label5(2)", "Bones contain a lot of", {360, 1920, 5175, 495}, beginningFont, yellow, right},
            {"Label5(3)", "The longest bone in our bodies is", {120, 2640, 5415, 495}, beginningFont, yellow, right},
            {"Label5(4)", "The smallest bone is the", {360, 3360, 5175, 495}, beginningFont, yellow, right},
            {"Label5(5)", "The smallest bone is the", {360, 4080, 5175, 495}, beginningFont, yellow, right},
            {"Label8", "How much do you know about your bones? Finish the sentences above.", {1920, 4800, 7995, 945},
             {"Times New Roman", 20.25}, QColor(0, 255, 0), Qt::AlignHCenter | Qt::AlignTop},
            {"Label9", "Drag the labels into the correct boxes.", {360, 7800, 2625, 705}, {"Tahoma", 11.25, true},
             QColor(128, 255, 255), Qt::AlignHCenter | Qt::AlignTop},
            {"Label6", "", {120, 120, 1785, 1185}, {"Times New Roman", 24}, yellow, Qt::AlignHCenter | Qt::AlignTop},
        },
    .lines = {},
    .drawingOrder =
        {
            "Label2(5)", "Label2(4)", "Label2(3)", "Label2(2)", "Label2(1)", "Label2(0)",
            "Label1(5)", "Label4(5)",
            "Label5(5)", "Label5(4)", "Label5(3)", "Label5(2)", "Label5(1)", "Label5(0)",
            "Label4(0)", "Label4(4)", "Label4(3)", "Label4(2)", "Label4(1)",
            "Label9", "Label6", "Label3(2)", "Label3(1)", "Label3(0)", "Label8",
            "Label1(0)", "Label1(1)", "Label1(2)", "Label1(3)", "Label1(4)",
        },
};

} // namespace activity
