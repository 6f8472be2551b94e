// The design every screen and every content file is written against: the standard screen in
// twips and the fonts of the layouts. Plain values, so that both the content descriptions and
// the screens that show them can use them.
#pragma once

#include <cstring>

namespace design {
inline constexpr double screenWidth = 12000; // twips
inline constexpr double screenHeight = 9000;
} // namespace design

struct FontSpec {
    const char* family; // "Tahoma", "Times New Roman", "Arial"
    double points;
    bool bold = false;

    friend bool operator==(const FontSpec& a, const FontSpec& b)
    {
        return (a.family == b.family || (a.family && b.family && std::strcmp(a.family, b.family) == 0)) &&
               a.points == b.points && a.bold == b.bold;
    }
};
