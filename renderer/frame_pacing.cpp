#include "frame_pacing.h"

double RefreshPeriod(int hertz) { return 1.0 / (hertz > 1 ? hertz : 60); }

FramePacer::FramePacer(int reportedHertz) : period_(RefreshPeriod(reportedHertz)) {}

double FramePacer::WaitBefore(double now) const {
  if (!pacing_ || now >= nextStart_) return 0.0;
  return nextStart_ - now;
}

double FramePacer::FrameStarts(double now) {
  const double elapsed = started_ ? now - lastStart_ : 0.0;
  // Frames start on a grid of whole periods, so that a wait that ends a little late is made up by
  // the next one and the rate is the display's exactly. A frame that is more than a period late
  // starts a new grid instead of being followed by a burst, and so does one that started before
  // its time (nobody waited for it), so that the grid never runs ahead of the clock.
  if (pacing_ && now >= nextStart_ && now - nextStart_ <= period_) {
    nextStart_ += period_;
  } else {
    nextStart_ = now + period_;
  }
  started_ = true;
  lastStart_ = now;
  return elapsed;
}

void FramePacer::FrameEnds(double now) {
  frameTimes_[framesSeen_ % kPacingFrames] = now - lastStart_;
  ++framesSeen_;
  if (framesSeen_ < kPacingFrames) return;
  // A frame whose swap waited for the display lasts (nearly) a whole period; most of the last
  // frames being shorter means the swaps return at once.
  int quick = 0;
  for (double t : frameTimes_) {
    if (t < period_ * (1.0 - kRefreshTolerance)) ++quick;
  }
  pacing_ = quick > kPacingFrames / 2;
}

void FramePacer::SetReportedRate(int reportedHertz) {
  period_ = RefreshPeriod(reportedHertz);
  pacing_ = false;
  framesSeen_ = 0;
}
