// File names of animation frames: the frame number written in decimal after a fixed stem,
// padded so every name of one animation has the same number of digits.
#pragma once

#include <QString>

namespace animation_frames {

// The counter after one tick: n + 1, wrapping to 0 at count.
inline int next(int n, int count) { return n + 1 >= count ? 0 : n + 1; }

QString brain(int n); // "brainsm\brainn00.jpg" .. "brainsm\brainn99.jpg"
QString skull(int n); // "skull\hells000.jpg" .. "skull\hells199.jpg"
QString logo(int n);  // "logo\talv0000.gif" .. "logo\talv0019.gif"

inline constexpr int brainCount = 100;
inline constexpr int skullCount = 200;
inline constexpr int logoCount = 20;

} // namespace animation_frames
