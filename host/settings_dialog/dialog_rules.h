// The settings dialog's decisions, free of the window system: which controls a music mode enables,
// how numbers are shown in the track box and written to the settings file, how the track box's
// text is read back, where the window is placed and the colours of its background gradient.
#pragma once

#include <cstdint>
#include <string>

namespace dialog {

// What a music mode selects: the index of the lit indicator (-1 for none) and the enabled state
// of the track box and of the file button.
struct ModeLook {
  int selected;
  bool repeatEnabled;
  bool fileEnabled;
};

// Mode 0 no music, 1 audio CD, 2 music file; any other value lights nothing and enables nothing.
ModeLook LookForMode(int mode);

// A whole number in the "##" pattern: no leading zeros, 0 as the empty text, -2 as "-2".
std::string FormatTrack(int value);

// A number as the settings file stores it: a leading blank when not negative (" 2"), else "-3".
std::string ValueText(int value);

// The track box's text as a track number: an optional sign, digits and an optional fraction with
// blanks around, rounded to the nearest whole number with ties to the even one. Anything else, and
// a number outside the signed 16-bit range, gives 0.
int16_t ParseTrack(const std::string& text);

// Top-left corner of a window centred across the screen with a third of the free height above it.
// All sizes in twips; each free size is rounded to a whole twip, then divided dropping the fraction.
struct Placement {
  long left;
  long top;
};
Placement PlaceWindow(double screenWidth, double screenHeight, double windowWidth,
                      double windowHeight);

// Grey level of the background gradient at y twips of a client area height twips high: dark at
// the top and bottom, brightest half-way. The row's colour is red b, green b, blue b + 30.
int GradientLevel(double y, double height);

// Grey level of pixel row `row` of `rows`: the first row samples y = 0 and the last y = height,
// so both edges show the gradient's end colour.
int GradientRowLevel(int row, int rows, double height);

}  // namespace dialog
