// Feeds arbitrary command lines to the host's command-line rules. Besides "never crashes", it
// checks that the mode always follows the mode letter, that the arguments are a tail of the
// command line, and that a preview handle written in decimal is read back exactly.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int32_t handle = in.ConsumeIntegral<int32_t>();
  const std::string line = in.ConsumeRemainingBytesAsString();

  const std::string args = orv::ArgumentsOf(line);
  if (args.size() > line.size() || line.compare(line.size() - args.size(), args.size(), args) != 0)
    std::abort();  // the arguments are what follows the program name

  const char letter = orv::ModeLetterOf(args);
  const orv::Mode mode = orv::ModeOf(args);
  const orv::Mode expected = letter == 'P'   ? orv::Mode::Preview
                             : letter == 'C' ? orv::Mode::Settings
                             : letter == 'S' ? orv::Mode::Saver
                             : args.empty()  ? orv::Mode::SaverCursorVisible
                                             : orv::Mode::End;
  if (mode != expected) std::abort();
  (void)orv::PreviewHandleOf(args);

  for (const char* prefix : {"/p ", "/P:", "-p\t"}) {
    const auto read = orv::PreviewHandleOf(prefix + std::to_string(handle));
    if (!read || *read != handle) std::abort();
  }
  return 0;
}
