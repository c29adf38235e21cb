// Frame pacing: the renderer never draws more frames per second than the display shows. Portable:
// times are seconds on any steady clock, handed in by the loop.
//
// The buffer swap is asked to wait for the display (swap interval 1), but many systems ignore
// that: virtual machines, remote desktops, software OpenGL, drivers with vsync forced off. So the
// pacer judges the swaps by how long the frames take, over several frames (a swap may return at
// once while the driver queues frames, and block later), and only where frames come faster than
// the display refreshes does it make the loop wait out the rest of each refresh period. A swap
// that does wait makes every frame last a full period, and then the pacer never waits: it never
// fights a working vsync.
#pragma once

// Frames judged at a time.
constexpr int kPacingFrames = 8;
// How much faster than the reported refresh a frame may come and still count as waited for by
// the display. Systems round rates down: a 59.94 Hz display is reported as 59 Hz, and its frames
// come 1.6 % sooner than 1/59 s.
constexpr double kRefreshTolerance = 0.03;

// The refresh period of a display that reports `hertz`; 60 Hz where it reports 0 or 1 (the
// hardware's default rate).
double RefreshPeriod(int hertz);

class FramePacer {
 public:
  explicit FramePacer(int reportedHertz = 0);

  // Seconds the loop should wait before it draws the next frame; 0 to draw now.
  double WaitBefore(double now) const;
  // A frame starts drawing at `now`. Returns the seconds since the previous frame started (0 for
  // the first), by which the animation advances.
  double FrameStarts(double now);
  // The frame (drawing and swap) ended at `now`.
  void FrameEnds(double now);
  // The display changed: its reported rate is now `reportedHertz`, and the swaps are judged anew.
  void SetReportedRate(int reportedHertz);

  bool pacing() const { return pacing_; }
  double period() const { return period_; }

 private:
  double period_;
  bool started_ = false;
  bool pacing_ = false;
  double lastStart_ = 0.0;
  double nextStart_ = 0.0;           // when pacing: the earliest start of the next frame
  double frameTimes_[kPacingFrames] = {};
  int framesSeen_ = 0;
};
