// The running saver's watch on the renderer.
#include "watch.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(RunningSaver, WatchWaitsForAStartingRenderer) {
  using P = RendererProcess;
  struct Case { bool window, seen; P process; bool ends; } cases[] = {
      {false, false, P::Running, false},  // still starting: keep waiting
      {false, true, P::Running, true},    // its window has gone
      {false, false, P::Exited, true},    // ended without a window
      {false, false, P::NotStarted, true},
      {true, false, P::NotStarted, false},  // any renderer window keeps the host running
      {true, true, P::Exited, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.ends, WatchEndsSaver(c.window, c.seen, c.process))
        << c.window << c.seen << static_cast<int>(c.process);
}

}  // namespace
}  // namespace orv
