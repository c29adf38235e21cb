// The monitor layout on a table of fake layouts: the window's rectangle, each monitor's viewport
// (GL counts from the window's bottom-left), and the pointer rule across monitors.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "monitor_layout.h"

namespace {

struct LayoutCase {
  std::string name;
  ScreenRect virtualScreen;
  std::vector<ScreenRect> monitors;
  ScreenRect window;
  std::vector<Viewport> viewports;
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.name; }

class MonitorLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MonitorLayoutTest, WindowAndViewports) {
  const LayoutCase& c = GetParam();
  const MonitorLayout layout =
      LayoutMonitors(c.virtualScreen, c.monitors.data(), static_cast<int>(c.monitors.size()));
  EXPECT_EQ(layout.window.left, c.window.left);
  EXPECT_EQ(layout.window.top, c.window.top);
  EXPECT_EQ(layout.window.right, c.window.right);
  EXPECT_EQ(layout.window.bottom, c.window.bottom);
  ASSERT_EQ(layout.viewportCount, static_cast<int>(c.viewports.size()));
  for (size_t k = 0; k < c.viewports.size(); ++k) {
    SCOPED_TRACE(k);
    const Viewport& got = layout.viewports[k];
    const Viewport& want = c.viewports[k];
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, MonitorLayoutTest,
    ::testing::Values(
        LayoutCase{"OneMonitor", {0, 0, 1024, 768}, {{0, 0, 1024, 768}}, {0, 0, 1024, 768}, {{0, 0, 1024, 768}}},
        LayoutCase{"TwoSideBySide",
                   {0, 0, 2048, 768},
                   {{0, 0, 1024, 768}, {1024, 0, 2048, 768}},
                   {0, 0, 2048, 768},
                   {{0, 0, 1024, 768}, {1024, 0, 1024, 768}}},
        // A second monitor left of the primary: the window starts at a negative x, and the primary's
        // picture lies right of the second's inside it.
        LayoutCase{"SecondLeftOfPrimary",
                   {-1280, 0, 1920, 1080},
                   {{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}},
                   {-1280, 0, 1920, 1080},
                   {{1280, 0, 1920, 1080}, {0, 56, 1280, 1024}}},
        // Above the primary: GL counts rows from the bottom, so the primary (at the bottom of the
        // window) has y 0 and the upper monitor starts at the primary's height.
        LayoutCase{"SecondAbovePrimary",
                   {0, -768, 1024, 768},
                   {{0, 0, 1024, 768}, {0, -768, 1024, 0}},
                   {0, -768, 1024, 768},
                   {{0, 0, 1024, 768}, {0, 768, 1024, 768}}},
        // Different sizes, left of and above the primary at once; the corner nobody shows is in the
        // window but in no viewport.
        LayoutCase{"DifferentSizesLeftAndAbove",
                   {-800, -600, 1024, 768},
                   {{0, 0, 1024, 768}, {-800, -600, 0, 0}},
                   {-800, -600, 1024, 768},
                   {{800, 0, 1024, 768}, {0, 768, 800, 600}}},
        LayoutCase{"ThreeInARow",
                   {-1024, 0, 2048, 900},
                   {{0, 0, 1024, 768}, {-1024, 0, 0, 768}, {1024, 0, 2048, 900}},
                   {-1024, 0, 2048, 900},
                   {{1024, 132, 1024, 768}, {0, 132, 1024, 768}, {2048, 0, 1024, 900}}},
        // No monitor reported: the whole window is the one picture.
        LayoutCase{"NoMonitorReported", {0, 0, 800, 600}, {}, {0, 0, 800, 600}, {{0, 0, 800, 600}}},
        // No virtual screen reported: the monitors' bounding box.
        LayoutCase{"NoVirtualScreenReported",
                   {0, 0, 0, 0},
                   {{0, 0, 1024, 768}, {-640, 0, 0, 480}},
                   {-640, 0, 1024, 768},
                   {{640, 0, 1024, 768}, {0, 288, 640, 480}}},
        // A monitor partly outside the virtual screen is clipped; an empty one is left out.
        LayoutCase{"ClippedAndEmptyMonitors",
                   {0, 0, 1024, 768},
                   {{0, 0, 1024, 768}, {900, 0, 1200, 768}, {10, 10, 10, 500}},
                   {0, 0, 1024, 768},
                   {{0, 0, 1024, 768}, {900, 0, 124, 768}}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(MonitorLayout, KeepsAtMostTheMaximumOfMonitors) {
  std::vector<ScreenRect> monitors;
  for (int k = 0; k < kMaxMonitors + 4; ++k) monitors.push_back({k * 100, 0, k * 100 + 100, 100});
  const MonitorLayout layout = LayoutMonitors({0, 0, 2000, 100}, monitors.data(), static_cast<int>(monitors.size()));
  EXPECT_EQ(layout.viewportCount, kMaxMonitors);
  EXPECT_EQ(layout.viewports[kMaxMonitors - 1].x, (kMaxMonitors - 1) * 100);
}

// The 50-pixel rule in virtual-screen coordinates, with start and end points on different
// monitors and at negative coordinates.
TEST(PointerRule, MeasuresFromTheStartAcrossMonitors) {
  struct Case {
    const char* what;
    ScreenPoint start, now;
    bool tooFar;
  };
  const Case cases[] = {
      {"50 on each axis on the second monitor", {1500, 400}, {1550, 450}, false},
      {"51 on x on the second monitor", {1500, 400}, {1551, 400}, true},
      {"51 on y upwards", {1500, 400}, {1500, 349}, true},
      {"across the border to the primary, 40 px", {1040, 300}, {1000, 300}, false},
      {"across the border to the primary, 60 px", {1040, 300}, {980, 300}, true},
      {"left monitor at negative x, 50 px", {-20, 100}, {30, 150}, false},
      {"left monitor at negative x, 51 px", {-20, 100}, {-71, 100}, true},
      {"monitor above, from -10 to 41", {500, -10}, {500, 41}, true},
      {"monitor above, from -10 to 40", {500, -10}, {500, 40}, false},
      {"far away on another monitor", {-1000, -700}, {1900, 1000}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointerMovedTooFar(c.start, c.now, 50), c.tooFar) << c.what;
  }
}

}  // namespace
