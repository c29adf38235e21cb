// Feeds arbitrary texts to the number rules of the settings file. Checks: a value never leaves the
// 16-bit range, it is the floor of the number the text holds, and every 16-bit value survives the
// trip through the text the dialog writes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "number_text.h"
#include "settings_file.h"
#include "tests/code_page_932.h"
#include "text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int16_t value = in.ConsumeIntegral<int16_t>();
  const char separator = in.ConsumeBool() ? ',' : '.';
  const std::string text = in.ConsumeRemainingBytesAsString();

  const auto number = orv::ParseNumber(text, separator);
  const auto setting = orv::IniNumber(text, separator);
  if (setting) {
    if (!number) std::abort();  // a setting is always a number first
    if (std::floor(*number) != *setting) std::abort();
  } else if (number && std::isfinite(*number) && std::floor(*number) >= -32768 &&
             std::floor(*number) <= 32767) {
    std::abort();  // a number in range is never skipped
  }

  const std::string written = orv::IniNumberText(value);
  const auto back = orv::IniNumber(written, separator);
  if (!back || *back != value) std::abort();
  if ((value >= 0) != (written[0] == ' ')) std::abort();  // one blank before a non-negative number
  // A path's folder is a part of it from its start that ends between two characters.
  static const orv::AnsiCodePage cp932 = CodePage932();
  const std::string folder = orv::FolderOf(text, cp932);
  if (text.compare(0, folder.size(), folder) != 0) std::abort();
  if (!folder.empty() && orv::LastChars(text.substr(0, folder.size()), 1, cp932) !=
                             orv::LastChars(folder, 1, cp932))
    std::abort();
  return 0;
}
