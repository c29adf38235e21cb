// The Command push button's behaviour, free of any window system: its state, its members and
// saved properties, the state table driven by mouse, focus and the pointer poll, and the plan of
// how one look is drawn (frame pieces in twips, gradient colours). The Win32 window in
// command_button.h feeds it messages and carries out the drawing it asks for.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <variant>

#include "twips.h"

namespace orv::button {

// The six state pictures, 64 x 25 pixels each. Pressed and Disable are looks, not states.
enum class Picture : uint8_t { Normal, Disable, HighLight, HighLightSelect, Selected, Pressed };
const char* PictureName(Picture);

// Values of ButtonState (0 until Initialize).
enum : uint8_t { StateNone = 0, StateNormal = 1, StateHighLight = 2, StateSelected = 3, StateHighLightSelect = 4 };

// Mouse buttons as the notifications carry them.
enum : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// Booleans of the control are 16-bit: True is -1, False is 0.
constexpr int16_t True = -1;
constexpr int16_t False = 0;

// A font object: face name (UTF-8), size in points, weight, style and character set.
struct CaptionFont {
  std::string Name;
  double Size = 9.75;
  int16_t Weight = 400;
  bool Italic = false;
  bool Underline = false;
  bool Strikethrough = false;
  int16_t Charset = 128;
  bool operator==(const CaptionFont& o) const;
  bool operator!=(const CaptionFont& o) const { return !(*this == o); }
};

// "ＭＳ Ｐゴシック" 9.75 point, weight 400, character set 128: the control's design font.
CaptionFont DesignFont();

// The windowless caption label LblMsg. Positions in twips, relative to the control.
struct CaptionLabel {
  std::string Caption = "Command";  // UTF-8
  CaptionFont Font = DesignFont();
  uint32_t ForeColor = 0;  // &H00BBGGRR, or &H800000nn for a system colour
  bool Enabled = true;     // false: drawn in the system's disabled-text style
  float Left = 0, Top = 90, Width = 1635, Height = 195;
};

// State of one control instance; all zero on creation.
struct CommandState {
  uint8_t ButtonState = 0;
  int16_t MouseIsDown = False;
  int16_t HighlightGradient = False;
  int16_t EnabledFlag = False;
  uint8_t FirstRun = 0;
};

// Saved properties of one instance: names compared without regard to letter case, values stored
// as text (numbers in decimal, Booleans as -1 or 0) or as a font object. A value equal to its
// default is not stored.
class PropertyBag {
 public:
  using Value = std::variant<std::string, CaptionFont>;
  void Write(const std::string& name, Value value);
  const Value* Find(const std::string& name) const;
  bool Has(const std::string& name) const { return Find(name) != nullptr; }
  size_t Size() const { return values_.size(); }

 private:
  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::map<std::string, Value, NoCase> values_;
};

// What the control asks of its window: the Win32 edge implements this, tests record it.
class CommandSurface {
 public:
  virtual ~CommandSurface() = default;
  // Current width and height in twips.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Clear the retained image, fill it with the gradient in the given direction, copy the eight
  // frame pieces of the picture and refresh (steps 3-6 of PaintState).
  virtual void DrawLook(Picture picture, bool highlightGradient) = 0;
  // The caption label's text, font, colour, enabling or position changed: show it again.
  virtual void LabelChanged() = 0;
  // The background style changed (1 opaque, 0 transparent).
  virtual void BackStyleChanged() = 0;
  // Start the pointer poll with the given interval.
  virtual void StartPoll(unsigned milliseconds) = 0;
  // A property changed ("Visible", "FontColour", "Enabled", "Caption", "Font"); matters only to
  // a designing container.
  virtual void PropertyChanged(const char* name) = 0;
};

// One Command control: members, saved properties and notification handlers.
class Command {
 public:
  explicit Command(CommandSurface& surface) : surface_(surface) {}

  // Members.
  void Initialize();
  uint8_t Visible();
  void Visible(uint8_t New_Visible);
  uint32_t FontColour();
  void FontColour(uint32_t New_FontColour);
  int16_t Enabled();
  void Enabled(int16_t New_Enabled);
  const std::string& Caption() const { return lbl_.Caption; }
  void Caption(const std::string& New_Caption);
  // The label's own font object: a change through this reference takes effect at the next
  // showing of the label (call FontChanged to show it at once).
  CaptionFont& Font() { return lbl_.Font; }
  void Font(const CaptionFont& New_Font);
  void FontChanged() { surface_.LabelChanged(); }

  // Saved properties (ambient: the container's font).
  void ReadProperties(const PropertyBag& bag, const CaptionFont& ambient);
  void WriteProperties(PropertyBag& bag, const CaptionFont& ambient);

  // Notifications. The caption label has no window of its own: its mouse notifications are the
  // surface's. MouseUp returns true when Click is to be raised; the caller raises it last, since
  // a Click handler may destroy the control.
  void GotFocus();
  void LostFocus();
  void MouseDown(int button);
  void MouseMove(int button);
  bool MouseUp(int button);
  void PollTick(bool pointerOverControl);
  void Resize();

  const CommandState& State() const { return st_; }
  const CaptionLabel& LblMsg() const { return lbl_; }
  int16_t BackStyle() const { return backStyle_; }
  bool PollRunning() const { return pollRunning_; }

 private:
  void PaintState(Picture picture);
  void ResetHover();
  void ApplyEnabled();
  void ShowNormal();

  CommandSurface& surface_;
  CommandState st_;
  CaptionLabel lbl_;
  int16_t backStyle_ = 1;
  bool pollRunning_ = false;
};

// --- Drawing plan -------------------------------------------------------------------------------

struct TwipRect {
  int16_t X, Y, W, H;
};
struct FramePiece {
  TwipRect Dest, Src;
};

// The eight frame pieces for a control of W x H twips, in drawing order.
std::array<FramePiece, 8> PaintPlan(int16_t W, int16_t H);

// Top of the caption label in twips for a control H twips high: centred, 10 twips above middle.
float CaptionTop(int16_t H, float labelHeight);

// One gradient colour: 16-bit channels with the colour in the high byte.
struct GradientColour {
  uint16_t Red, Green, Blue;
};

// A colour text "&Hrrggbb" read with its digits in red-green-blue order ("&HC6C5D7" is red C6).
GradientColour ColourFromText(const std::string& text);

// The gradient's two points: point 0 at (0, 0), point 1 at the surface's last pixel, coloured
// white and lavender (swapped when highlightGradient), and the rectangle (upper-left 1,
// lower-right 0).
struct GradientVertex {
  int32_t X, Y;
  GradientColour Colour;
};
struct GradientPlan {
  std::array<GradientVertex, 2> Vertices;
  uint32_t UpperLeft, LowerRight;
};
GradientPlan PlanGradient(bool highlightGradient, int widthPixels, int heightPixels);

}  // namespace orv::button
