#pragma once
#include <cmath>

// The program's own controls measure their insides in twips at the fixed 15 twips per pixel,
// whatever the screen's resolution: a rule's second line, 20 twips from the first, then always
// lands on the next pixel row or column. (Window positions use the real DPI: that is the host's.)
constexpr float kControlTwipsPerPixel = 15.0f;

// The pixel row or column that holds a coordinate given in the control's twips.
inline int controlPixel(float twips) { return static_cast<int>(std::floor(twips / kControlTwipsPerPixel)); }
inline float controlTwips(int pixels) { return static_cast<float>(pixels) * kControlTwipsPerPixel; }
