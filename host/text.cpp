// Paths as the system hands them to the host; see text.h.
#include "text.h"

namespace orv {

std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of(":\\");
  if (cut == std::string::npos) return "";
  std::string folder = path.substr(0, cut + 1);
  if (folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace orv
