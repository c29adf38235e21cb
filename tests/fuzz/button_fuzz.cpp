// Feeds the Command button random sequences of mouse, focus, poll, resize and member events.
// Checks after every event: the state stays within 0 to 4, Click comes exactly when the release
// finds the control enabled (True) and not in state 3, and a disabled control never changes its
// look or its state through mouse, focus or poll events. (Only False, 0, disables the handlers; any other value other than True, -1,
// lets them act but never raises Click.)
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "command_logic.h"

namespace {

using namespace orv::button;

class CountingSurface : public CommandSurface {
 public:
  int width = 1215, height = 375;
  int looks = 0;
  int Width() const override { return width; }
  int Height() const override { return height; }
  void DrawLook(Picture, bool) override { ++looks; }
  void LabelChanged() override {}
  void BackStyleChanged() override {}
  void StartPoll(unsigned) override {}
  void PropertyChanged(const char*) override {}
};

int AnyButton(FuzzedDataProvider& in) {
  static constexpr int kButtons[] = {LeftButton, RightButton, MiddleButton};
  return in.PickValueInArray(kButtons);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  CountingSurface surface;
  Command button(surface);
  if (in.ConsumeBool()) button.Initialize();

  while (in.remaining_bytes() > 0) {
    const CommandState before = button.State();
    const int looksBefore = surface.looks;
    const bool disabled = before.EnabledFlag == False;
    bool redraw = false;  // member writes and resizing redraw the look on purpose
    bool release = false, click = false;
    switch (in.ConsumeIntegralInRange(0, 10)) {
      case 0: button.GotFocus(); break;
      case 1: button.LostFocus(); break;
      case 2: button.MouseDown(AnyButton(in)); break;
      case 3: button.MouseMove(AnyButton(in)); break;
      case 4: click = button.MouseUp(AnyButton(in)); release = true; break;
      case 5: button.PollTick(in.ConsumeBool()); break;
      case 6:
        surface.width = in.ConsumeIntegralInRange(0, 5000);
        surface.height = in.ConsumeIntegralInRange(0, 2000);
        button.Resize();
        redraw = true;
        break;
      case 7: button.Enabled(in.ConsumeIntegral<int16_t>()); redraw = true; break;
      case 8: button.Initialize(); redraw = true; break;
      case 9: button.Visible(in.ConsumeIntegral<uint8_t>()); redraw = true; break;
      case 10: button.Caption(in.ConsumeRandomLengthString(20)); redraw = true; break;
    }
    const CommandState& after = button.State();
    if (after.ButtonState > 4) std::abort();
    const bool clickDue = release && before.EnabledFlag == True && before.ButtonState != 3;
    if (click != clickDue) std::abort();
    if (disabled && !redraw &&
        (after.ButtonState != before.ButtonState || surface.looks != looksBefore))
      std::abort();
  }
  return 0;
}
