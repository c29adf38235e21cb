// The start-up module's state; see startup_state.h.
#include "startup_state.h"

namespace Lumenfall_B {
int32_t ApiResult = 0;
std::optional<int32_t> CursorCount;
}  // namespace Lumenfall_B
