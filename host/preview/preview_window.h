// Lumenfall_R, the preview window in the system's preview area.
#pragma once

#include <cstdint>
#include <optional>

namespace Lumenfall_B {

// The preview steps: the still picture in a child window of parent, sized to it.
void ShowPreview(std::optional<int32_t> parentHandle);

}  // namespace Lumenfall_B
