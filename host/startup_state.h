// What the start-up module shares with the whole host: its module state (ApiResult, CursorCount),
// the renderer's file name and the window titles by which the host's instances and the renderer
// find each other. Portable: no windows.h.
#pragma once

#include <cstdint>
#include <optional>

namespace Lumenfall_B {
extern int32_t ApiResult;                   // results of system calls nobody acts on
extern std::optional<int32_t> CursorCount;  // display count when Main hid the cursor
}  // namespace Lumenfall_B

namespace orv {

inline constexpr const char* kRendererName = "\\Orvellia.dll";
inline constexpr const char* kMissingRendererText = "Orvellia.dll が同じﾌｫﾙﾀﾞに見つかりません！";
inline constexpr const char* kAppTitle = "Orvellia";

// Window titles by which the host's instances and the renderer find each other.
inline constexpr const char* kSaverTitle = "Lumenfall_Main";
inline constexpr const char* kDialogTitle = "<Orvellia>";
inline constexpr const char* kRendererTitle = "Lumenfall_VC";
inline constexpr const char* kPreviewTitle = "Preview Window";

}  // namespace orv
