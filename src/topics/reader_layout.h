// Items the paged reader and the guide share: they are laid out alike.
#pragma once

#include "shell/screen_frame.h"
#include "state/app_state.h"

namespace reader {

struct ButtonItem {
    const char* caption;
    double left, top, width, height;
};

// Label3(0..3), index order the click handler's.
inline constexpr ButtonItem buttons[4] = {
    {"Print", 10680, 120, 1125, 495},
    {"Exit", 10680, 7920, 1125, 495},
    {"Next Page", 6720, 7920, 2685, 495},
    {"Previous Page", 1320, 7920, 2685, 495},
};

inline constexpr double pageLeft = 120, pageTop = 0; // Image1
inline const QRectF pageLabelRect{4200, 7920, 2295, 495};
inline const FontSpec buttonFont{"Tahoma", 15.75, true};

// Adds Image1 (the page, beneath everything else) and the hidden Image2 (the print copy).
void addPageItems(Screen& screen, PictureItem*& image, PictureItem*& printImage);
// Label1: white, black text, thin border, centred.
QLabel* addPageLabel(Screen& screen, const QString& text);
// Label3(0..3); Previous Page starts disabled.
QList<ButtonLabel*> addButtons(Screen& screen);

} // namespace reader
