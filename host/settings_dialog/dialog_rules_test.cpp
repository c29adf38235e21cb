#include "dialog_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogRules, ModeEnablesItsControlsOnly) {
  struct Case { int mode, selected; bool repeat, file; } cases[] = {
      {0, 0, false, false}, {1, 1, true, false},  {2, 2, false, true},
      {3, -1, false, false}, {-1, -1, false, false}, {32767, -1, false, false},
  };
  for (const auto& c : cases) {
    dialog::ModeLook look = dialog::LookForMode(c.mode);
    EXPECT_EQ(c.selected, look.selected) << c.mode;
    EXPECT_EQ(c.repeat, look.repeatEnabled) << c.mode;
    EXPECT_EQ(c.file, look.fileEnabled) << c.mode;
  }
}

TEST(DialogRules, TrackBoxAndFileTexts) {
  EXPECT_EQ("", dialog::FormatTrack(0));
  EXPECT_EQ("7", dialog::FormatTrack(7));
  EXPECT_EQ("30", dialog::FormatTrack(30));
  EXPECT_EQ("-2", dialog::FormatTrack(-2));
  EXPECT_EQ(" 2", dialog::ValueText(2));
  EXPECT_EQ(" 0", dialog::ValueText(0));
  EXPECT_EQ("-3", dialog::ValueText(-3));
  EXPECT_EQ("-32768", dialog::ValueText(-32768));
}

TEST(DialogRules, TrackTextRoundsHalfToEvenAndFallsBackToZero) {
  struct Case { const char* text; int track; } cases[] = {
      {"5", 5},       {" 12 ", 12},   {"2.5", 2},     {"3.5", 4},      {"-2.5", -2},
      {"2.51", 3},    {"+7", 7},      {".5", 0},      {"1.", 1},       {"32767", 32767},
      {"-32768", -32768}, {"32767.5", 0}, {"40000", 0}, {"-40000", 0}, {"", 0},
      {"   ", 0},     {"abc", 0},     {"5a", 0},      {"0x10", 0},     {"1e2", 0},
      {"inf", 0},     {"-", 0},       {"1 2", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.track, dialog::ParseTrack(c.text)) << '"' << c.text << '"';
}

TEST(DialogRules, WindowSitsCentredWithAThirdOfTheFreeHeightAbove) {
  // 1024 x 768 pixel screen, a 500 x 275 pixel window (15 twips a pixel).
  dialog::Placement p = dialog::PlaceWindow(1024 * 15, 768 * 15, 500 * 15, 275 * 15);
  EXPECT_EQ(3930, p.left);  // (15360 - 7500) / 2
  EXPECT_EQ(2465, p.top);   // 7395 / 3, fraction dropped
  // Fractional sizes are rounded (ties to even) before the division; larger windows go negative
  // and the division truncates toward zero.
  EXPECT_EQ(2, dialog::PlaceWindow(104.5, 0, 100, 0).left);   // 4.5 -> 4 -> 2
  EXPECT_EQ(3, dialog::PlaceWindow(105.5, 0, 100, 0).left);   // 5.5 -> 6 -> 3
  EXPECT_EQ(-1, dialog::PlaceWindow(100, 95, 103, 100).left);  // -3 / 2
  EXPECT_EQ(-1, dialog::PlaceWindow(100, 95, 103, 100).top);   // -5 / 3
}

TEST(DialogRules, GradientIsDarkBlueAtTheEdgesAndLavenderInTheMiddle) {
  const double h = 3690;  // the dialog's client height in twips, 246 pixel rows
  EXPECT_EQ(0, dialog::GradientLevel(0, h));
  EXPECT_EQ(220, dialog::GradientLevel(h / 2, h));
  EXPECT_EQ(0, dialog::GradientLevel(h, h));  // sin(3.142) is slightly negative; |.| keeps 0
  EXPECT_EQ(0, dialog::GradientRowLevel(0, 246, h));
  EXPECT_EQ(220, dialog::GradientRowLevel(123, 246, h));
  EXPECT_EQ(0, dialog::GradientRowLevel(245, 246, h));
  // Rises monotonically to the middle.
  for (int row = 1; row <= 122; ++row)
    EXPECT_LE(dialog::GradientRowLevel(row - 1, 246, h), dialog::GradientRowLevel(row, 246, h));
  EXPECT_EQ(110, dialog::GradientLevel(h / 6, h));  // sin(3.142 / 6) * 220 = 110.01
}

}  // namespace
