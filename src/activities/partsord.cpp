// partsord: sort parts of the body into those you can see and those you cannot.
#include "activity_layout.h"

namespace activity {

namespace {
constexpr int cannotSee = 0; // group A: target boxes in the right-hand column
constexpr int canSee = 1;    // group B: target boxes in the left-hand column
} // namespace

const ActivityLayout partsord{
    .name = "partsord",
    .background = std::nullopt,
    .picture = nullptr,
    .pictureTopLeft = {},
    .labelWidth = 1845,
    .labelHeight = 375,
    .labelFont = {"Tahoma", 11.25, true},
    .labelAlign = Qt::AlignCenter,
    .items =
        {
            // caption   home (= start)   target       group
            {"Liver", 3120, 7320, 6960, 4440, cannotSee},
            {"Kidney", 1200, 7320, 6960, 3840, cannotSee},
            {"Heart", 5040, 7320, 6960, 3240, cannotSee},
            {"Brain", 5040, 6840, 6960, 5040, cannotSee},
            {"Lung", 8880, 6840, 6960, 5640, cannotSee},
            {"Arm", 6960, 7320, 3120, 3840, canSee},
            {"Mouth", 3120, 6840, 3120, 4440, canSee},
            {"Thumb", 6960, 6840, 3120, 5040, canSee},
            {"Leg", 8880, 7320, 3120, 3240, canSee},
            {"Eye", 1200, 6840, 3120, 5640, canSee},
        },
    .texts =
        {
            {"Label7",
             "Put these parts of the body into two groups: one for those parts that you can see and one for "
             "those that you can't see.",
             {4200, 0, 7545, 1905}, {"Times New Roman", 24}, QColor(255, 128, 0), Qt::AlignHCenter | Qt::AlignTop},
            {"Label5(0)", "Parts of the body that you can see.", {2520, 2160, 3345, 1065}, {"Times New Roman", 20.25},
             yellow, Qt::AlignHCenter | Qt::AlignTop},
            {"Label5(2)", "Parts of the body that you can't see", {6360, 2160, 3225, 1035},
             {"Times New Roman", 20.25}, yellow, Qt::AlignHCenter | Qt::AlignTop},
            {"Label8", "Drag the labels into the correct boxes.", {120, 7860, 2505, 585}, {"Tahoma", 12, true},
             QColor(128, 255, 255), Qt::AlignLeft | Qt::AlignTop},
            {"Label6", "", {0, 120, 3465, 1305}, {"Times New Roman", 27.75}, yellow, Qt::AlignHCenter | Qt::AlignTop},
        },
    .lines = {},
    // Answer labels 0 to 7 pass beneath the column headings while dragged.
    .drawingOrder =
        {
            "Label2(9)", "Label2(8)", "Label4(9)", "Label4(8)", "Label8", "Label5(2)", "Label5(0)",
            "Label2(7)", "Label2(6)", "Label4(7)", "Label4(6)", "Label6", "Label3(2)", "Label3(1)",
            "Label2(5)", "Label2(4)", "Label2(3)", "Label2(2)", "Label2(1)", "Label2(0)",
            "Label4(0)", "Label3(0)",
            "Label4(5)", "Label4(4)", "Label4(3)", "Label4(2)", "Label4(1)",
            "Label1(9)", "Label1(8)", "Label1(7)", "Label1(6)", "Label1(5)",
            "Label1(4)", "Label1(3)", "Label1(2)", "Label1(1)", "Label1(0)",
            "Label7",
        },
};

} // namespace activity
