// Paths as the system hands them to the host (portable): the system's ANSI bytes, kept unchanged.
#pragma once

#include <string>

namespace orv {

// The folder part of path, without a trailing backslash: up to the last ':' or '\' (D:\Music for
// D:\Music\a.mp3, D: for D:\a.mp3 and D:a.mp3, empty for a.mp3).
std::string FolderOf(const std::string& path);

}  // namespace orv
