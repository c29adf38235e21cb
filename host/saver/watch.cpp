// The running saver's watch on the renderer; see watch.h.
#include "watch.h"

namespace orv {

bool WatchEndsSaver(bool windowExists, bool windowSeenBefore, RendererProcess process) {
  if (windowExists) return false;
  return windowSeenBefore || process != RendererProcess::Running;
}

}  // namespace orv
