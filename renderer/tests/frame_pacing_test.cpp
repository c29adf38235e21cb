// Frame pacing and the ring's speed on a fake clock: a loop like the renderer's drives the pacer
// against fake displays whose swaps wait for the refresh, return at once, or return at once for
// the first frames and wait later.
#include <gtest/gtest.h>

#include <cmath>

#include "frame_pacing.h"
#include "scene/blossom_ring.h"

namespace {

struct FakeDisplay {
  double drawSeconds;  // drawing one frame
  double vsyncHertz;   // the swap waits for the next refresh at this rate; 0: it returns at once
  int queuedFrames;    // swaps that return at once before the swaps begin to wait
};

struct LoopResult {
  double fps;            // after the first second (the pacer judges the first frames first)
  int waits;             // times the loop waited before a frame
  double ringDegrees;    // how far ring entry 0 turned, unwrapped
  double seconds;        // the whole run
};

// The renderer's loop on a fake clock for 1 + `seconds`: wait when the pacer says so (each wait ends
// `oversleep` late, as real timers do), then advance the ring, draw, swap.
LoopResult RunLoop(int reportedHertz, FakeDisplay display, double seconds, double oversleep = 0.0003) {
  FramePacer pacer(reportedHertz);
  InitBlossomRing();
  LoopResult run = {0.0, 0, 0.0, 0.0};
  double now = 0.0;
  int swaps = 0;
  int frames = 0;  // ended after the first second
  while (now < seconds + 1.0) {
    const double wait = pacer.WaitBefore(now);
    if (wait > 0.0) {
      now += wait + oversleep;
      ++run.waits;
      continue;
    }
    const float before = BlossomRing[0].angle;
    AdvanceBlossomRing(pacer.FrameStarts(now));
    run.ringDegrees += std::fmod(BlossomRing[0].angle - before + 360.0f, 360.0f);
    now += display.drawSeconds;
    if (display.vsyncHertz > 0.0 && swaps++ >= display.queuedFrames) {
      now = std::ceil(now * display.vsyncHertz - 1e-9) / display.vsyncHertz;  // the next refresh
    }
    pacer.FrameEnds(now);
    if (now >= 1.0) ++frames;
  }
  run.fps = frames / (now - 1.0);
  run.seconds = now;
  return run;
}

TEST(FramePacing, RefreshPeriodTakes60HertzForTheDefaultRates) {
  EXPECT_DOUBLE_EQ(RefreshPeriod(0), 1.0 / 60);
  EXPECT_DOUBLE_EQ(RefreshPeriod(1), 1.0 / 60);
  EXPECT_DOUBLE_EQ(RefreshPeriod(2), 1.0 / 2);
  EXPECT_DOUBLE_EQ(RefreshPeriod(59), 1.0 / 59);
  EXPECT_DOUBLE_EQ(RefreshPeriod(144), 1.0 / 144);
}

TEST(FramePacing, SwapsThatWaitAreNeverWaitedFor) {
  struct Case {
    const char* what;
    int reported;
    FakeDisplay display;
    double fps;
  };
  const Case cases[] = {
      {"60 Hz", 60, {0.004, 60.0, 0}, 60.0},
      {"59 Hz reported, real 59.94 Hz", 59, {0.004, 59.94, 0}, 59.94},
      {"60 Hz reported, real 59.94 Hz", 60, {0.004, 59.94, 0}, 59.94},
      {"144 Hz", 144, {0.004, 144.0, 0}, 144.0},
      {"slow frames of 12 ms on 59.94 Hz reported as 59", 59, {0.012, 59.94, 0}, 59.94},
      {"three queued swaps return at once, then they wait", 60, {0.004, 60.0, 3}, 60.0},
      // Slower than the display: nothing to pace.
      {"frames of 25 ms with swaps that return at once", 60, {0.025, 0.0, 0}, 40.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LoopResult run = RunLoop(c.reported, c.display, 10.0);
    EXPECT_EQ(run.waits, 0);
    EXPECT_NEAR(run.fps, c.fps, c.fps * 0.005);
  }
}

TEST(FramePacing, SwapsThatReturnAtOnceArePacedToTheRefresh) {
  struct Case {
    const char* what;
    int reported;
    double drawSeconds;
    double oversleep;
    double fps;
  };
  const Case cases[] = {
      {"60 Hz, 3.7 ms frames", 60, 0.0037, 0.0003, 60.0},
      {"60 Hz, waits that end 1 ms late", 60, 0.0037, 0.001, 60.0},
      {"75 Hz, 9 ms frames", 75, 0.009, 0.0003, 75.0},
      {"rate reported as 0", 0, 0.0037, 0.0003, 60.0},
      {"rate reported as 1", 1, 0.0037, 0.0003, 60.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LoopResult run = RunLoop(c.reported, {c.drawSeconds, 0.0, 0}, 10.0, c.oversleep);
    // Never faster than the display; not slower either, although every wait ends late.
    EXPECT_LE(run.fps, c.fps * 1.002);
    EXPECT_GE(run.fps, c.fps * 0.99);
    // Nearly every frame waited (the first few are judged first).
    EXPECT_GE(run.waits, static_cast<int>(run.fps * 10.0) - 2 * kPacingFrames);
  }
}

TEST(FramePacing, ALateFrameIsNotFollowedByABurst) {
  FramePacer pacer(60);
  double now = 0.0;
  for (int k = 0; k < 20; ++k) {  // quick frames: the pacer paces
    now += pacer.WaitBefore(now);
    pacer.FrameStarts(now);
    now += 0.002;
    pacer.FrameEnds(now);
  }
  ASSERT_TRUE(pacer.pacing());
  now += 0.2;  // one frame held up for 200 ms (the system was busy)
  now += pacer.WaitBefore(now);
  pacer.FrameStarts(now);
  pacer.FrameEnds(now + 0.002);
  // The next frame still waits out a period after the late one, not the twelve periods missed.
  EXPECT_NEAR(pacer.WaitBefore(now + 0.002), 1.0 / 60 - 0.002, 1e-9);
}

TEST(FramePacing, FramesDrawnWithoutWaitingDoNotPushTheNextOneAway) {
  FramePacer pacer(60);
  double now = 0.0;
  for (int k = 0; k < 20; ++k) {
    now += pacer.WaitBefore(now);
    pacer.FrameStarts(now);
    now += 0.002;
    pacer.FrameEnds(now);
  }
  ASSERT_TRUE(pacer.pacing());
  for (int k = 0; k < 100; ++k) {  // a loop that draws without asking, as fast as it can
    pacer.FrameStarts(now);
    now += 0.002;
    pacer.FrameEnds(now);
  }
  EXPECT_LE(pacer.WaitBefore(now), 1.0 / 60);
}

TEST(FramePacing, ADisplayChangeJudgesTheSwapsAnewAtTheNewRate) {
  FramePacer pacer(60);
  double now = 0.0;
  auto quickFrames = [&](int count) {
    for (int k = 0; k < count; ++k) {
      now += pacer.WaitBefore(now);
      pacer.FrameStarts(now);
      now += 0.002;
      pacer.FrameEnds(now);
    }
  };
  quickFrames(20);
  ASSERT_TRUE(pacer.pacing());
  pacer.SetReportedRate(120);
  EXPECT_FALSE(pacer.pacing());
  EXPECT_DOUBLE_EQ(pacer.period(), 1.0 / 120);
  quickFrames(kPacingFrames);
  EXPECT_TRUE(pacer.pacing());
  EXPECT_NEAR(pacer.WaitBefore(now), 1.0 / 120 - 0.002, 1e-9);
}

// The ring turns 12 degrees a second whatever the frame rate; at 60 frames a second exactly 0.2
// degrees a frame.
TEST(RingSpeed, TwelveDegreesASecondAtAnyFrameRate) {
  struct Case {
    const char* what;
    int reported;
    FakeDisplay display;
  };
  const Case cases[] = {
      {"paced 60 Hz with swaps that return at once", 60, {0.0037, 0.0, 0}},
      {"270 fps: no vsync, a display reporting 1000 Hz", 1000, {0.0037, 0.0, 0}},
      {"144 Hz vsync", 144, {0.004, 144.0, 0}},
      {"30 fps: slow frames", 60, {0.033, 0.0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LoopResult run = RunLoop(c.reported, c.display, 29.0);
    EXPECT_NEAR(run.ringDegrees, 12.0 * run.seconds, 0.5);  // a full turn in 30 s
  }
}

TEST(RingSpeed, StepsOfOneSixtiethWrapBelow360) {
  InitBlossomRing();
  BlossomRing[1].angle = 359.9f;
  BlossomRing[2].angle = 359.8f;
  BlossomRing[3].angle = 10.0f;
  AdvanceBlossomRing(1.0 / 60.0);
  EXPECT_EQ(BlossomRing[0].angle, 0.2f);  // exactly the 0.2 degrees a frame of a 60 Hz run
  EXPECT_NEAR(BlossomRing[1].angle, 0.1f, 1e-4);
  EXPECT_EQ(BlossomRing[2].angle, 0.0f);
  AdvanceBlossomRing(95.0);  // a long pause: 1140 degrees, three turns and 60 degrees
  EXPECT_NEAR(BlossomRing[3].angle, 10.2f + 60.0f, 1e-3);
  for (const BlossomEntry& e : BlossomRing) {
    EXPECT_GE(e.angle, 0.0f);
    EXPECT_LT(e.angle, 360.0f);
  }
}

}  // namespace
