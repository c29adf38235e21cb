// The running saver's watch on the renderer (portable): when the renderer is taken for ended.
#pragma once

namespace orv {

// The state of the renderer process that the saver started.
enum class RendererProcess { NotStarted, Running, Exited };

// Whether the renderer watch ends the saver: only when no renderer window exists and either one was
// seen before, or the renderer process has ended or could not be started. A renderer that is still
// starting is not taken for ended.
bool WatchEndsSaver(bool windowExists, bool windowSeenBefore, RendererProcess process);

}  // namespace orv
