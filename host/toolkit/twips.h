// Twips, the unit of the host's window layouts: 1/1440 inch, 15 twips to a pixel at 96 dots per
// inch. The host's windows are DPI-unaware, so this ratio is fixed.
#pragma once

#include <cmath>

namespace tk {

constexpr int kTwipsPerPixel = 15;

inline int Px(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double Twips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

}  // namespace tk
