// Twips, the unit of the host's window layouts: 1/1440 inch, 15 twips to a pixel at 96 dots per
// inch. The host's windows are DPI-unaware, so this ratio is fixed. Shared by the toolkit, the
// Command button and the settings dialog; portable.
#pragma once

#include <cmath>

namespace tk {

constexpr int kTwipsPerPixel = 15;

// Twips to whole pixels, to the nearest pixel (1 twip lands on 0; whole twips never fall on a
// half pixel).
inline int Px(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double Twips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

// A font's height as the system's font functions take it for a size in points at 96 dots per
// inch: negative (the character height, not the cell), in whole pixels to the nearest.
inline int FontHeight(double points) { return -static_cast<int>(std::lround(points * 96.0 / 72.0)); }

}  // namespace tk
