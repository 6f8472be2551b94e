// The design every screen and every content file is written against: the standard screen in
// twips and the fonts of the layouts. Plain values, so that both the content descriptions and
// the screens that show them can use them.
#pragma once

namespace design {
inline constexpr double screenWidth = 12000; // twips
inline constexpr double screenHeight = 9000;
} // namespace design

struct FontSpec {
    const char* family; // "Tahoma", "Times New Roman", "Arial"
    double points;
    bool bold = false;
};
