#include "command_logic.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace orv::button {

namespace {

// Compares ASCII letters without regard to case (property names, True/False).
int CompareNoCase(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int x = std::tolower(static_cast<unsigned char>(a[i])), y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

constexpr const char* kWhite = "&HFFFFFF";
constexpr const char* kLavender = "&HC6C5D7";

// A stored number: optional blanks, an optional sign and decimal digits, or True/False.
std::optional<long long> ParseInteger(const std::string& text) {
  size_t b = text.find_first_not_of(' ');
  size_t e = text.find_last_not_of(' ');
  if (b == std::string::npos) return std::nullopt;
  std::string t = text.substr(b, e - b + 1);
  if (CompareNoCase(t, "True") == 0) return -1;
  if (CompareNoCase(t, "False") == 0) return 0;
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  if (i == t.size() || t.size() - i > 12) return std::nullopt;
  for (size_t k = i; k < t.size(); ++k)
    if (!std::isdigit(static_cast<unsigned char>(t[k]))) return std::nullopt;
  return std::strtoll(t.c_str(), nullptr, 10);
}

std::optional<long long> ReadInteger(const PropertyBag& bag, const char* name, long long def,
                                     long long lo, long long hi) {
  const PropertyBag::Value* v = bag.Find(name);
  if (!v) return def;
  const std::string* text = std::get_if<std::string>(v);
  if (!text) return std::nullopt;
  std::optional<long long> n = ParseInteger(*text);
  if (!n || *n < lo || *n > hi) return std::nullopt;
  return n;
}

void WriteInteger(PropertyBag& bag, const char* name, long long value, long long def) {
  if (value != def) bag.Write(name, std::to_string(value));
}

}  // namespace

const char* PictureName(Picture p) {
  switch (p) {
    case Picture::Normal: return "Normal";
    case Picture::Disable: return "Disable";
    case Picture::HighLight: return "HighLight";
    case Picture::HighLightSelect: return "HighLightSelect";
    case Picture::Selected: return "Selected";
    case Picture::Pressed: return "Pressed";
  }
  return "?";
}

bool CaptionFont::operator==(const CaptionFont& o) const {
  return Name == o.Name && Size == o.Size && Weight == o.Weight && Italic == o.Italic &&
         Underline == o.Underline && Strikethrough == o.Strikethrough && Charset == o.Charset;
}

CaptionFont DesignFont() {
  CaptionFont f;
  f.Name = "ＭＳ Ｐゴシック";
  return f;
}

// --- Property bag -------------------------------------------------------------------------------

bool PropertyBag::NoCase::operator()(const std::string& a, const std::string& b) const {
  return CompareNoCase(a, b) < 0;
}

void PropertyBag::Write(const std::string& name, Value value) { values_[name] = std::move(value); }

const PropertyBag::Value* PropertyBag::Find(const std::string& name) const {
  auto it = values_.find(name);
  return it == values_.end() ? nullptr : &it->second;
}

// --- Members ------------------------------------------------------------------------------------

// Enters the Normal state and starts the 100 ms pointer poll; draws nothing.
void Command::Initialize() {
  st_.ButtonState = StateNormal;
  pollRunning_ = true;
  surface_.StartPoll(100);
}

// Background style: 0 transparent, otherwise opaque (read back as 255, redrawn Normal).
uint8_t Command::Visible() {
  if (backStyle_ == 0) return 0;
  ShowNormal();
  return 255;
}

void Command::Visible(uint8_t New_Visible) {
  backStyle_ = New_Visible != 0 ? 1 : 0;
  surface_.BackStyleChanged();
  if (backStyle_) ShowNormal();
  surface_.PropertyChanged("Visible");
}

uint32_t Command::FontColour() {
  uint32_t colour = lbl_.ForeColor;
  ShowNormal();
  return colour;
}

void Command::FontColour(uint32_t New_FontColour) {
  lbl_.ForeColor = New_FontColour;
  surface_.LabelChanged();
  ShowNormal();
  surface_.PropertyChanged("FontColour");
}

// The first read of a never-saved instance enables it; every read redraws by EnabledFlag.
int16_t Command::Enabled() {
  if (st_.FirstRun == 0) {
    ShowNormal();
    st_.FirstRun = 1;
    st_.EnabledFlag = True;
  }
  int16_t result = st_.EnabledFlag;
  ApplyEnabled();
  return result;
}

void Command::Enabled(int16_t New_Enabled) {
  st_.EnabledFlag = New_Enabled;
  surface_.PropertyChanged("Enabled");
  ApplyEnabled();
}

// The new text shows at the label's present position; the next drawing re-centres it.
void Command::Caption(const std::string& New_Caption) {
  lbl_.Caption = New_Caption;
  surface_.PropertyChanged("Caption");
  surface_.LabelChanged();
}

void Command::Font(const CaptionFont& New_Font) {
  lbl_.Font = New_Font;
  surface_.PropertyChanged("Font");
  surface_.LabelChanged();
}

// --- Saved properties ---------------------------------------------------------------------------

// A missing property takes its reading default; one that does not convert leaves its field.
void Command::ReadProperties(const PropertyBag& bag, const CaptionFont& ambient) {
  if (auto v = ReadInteger(bag, "Enabled", True, -32768, 32767)) st_.EnabledFlag = *v ? True : False;

  if (const PropertyBag::Value* v = bag.Find("Caption")) {
    if (const std::string* text = std::get_if<std::string>(v)) lbl_.Caption = *text;
  } else {
    lbl_.Caption = "Command1";
  }

  if (const PropertyBag::Value* v = bag.Find("Font")) {
    if (const CaptionFont* font = std::get_if<CaptionFont>(v)) lbl_.Font.Name = font->Name;
  } else {
    lbl_.Font.Name = ambient.Name;
  }

  if (auto v = ReadInteger(bag, "FirstRun", 1, 0, 255)) st_.FirstRun = static_cast<uint8_t>(*v);
  if (auto v = ReadInteger(bag, "FontColour", 0, INT32_MIN, INT32_MAX))
    lbl_.ForeColor = static_cast<uint32_t>(*v);
  // The background style has only the values 0 and 1.
  if (auto v = ReadInteger(bag, "Visible", 1, 0, 1)) backStyle_ = static_cast<int16_t>(*v);
  surface_.BackStyleChanged();
  surface_.LabelChanged();
  ShowNormal();
}

// Writes into a fresh bag; values equal to their writing defaults are left out.
void Command::WriteProperties(PropertyBag& bag, const CaptionFont& ambient) {
  WriteInteger(bag, "Enabled", st_.EnabledFlag, True);
  if (lbl_.Caption != "Command") bag.Write("Caption", lbl_.Caption);
  WriteInteger(bag, "FirstRun", st_.FirstRun, 1);
  if (lbl_.Font != ambient) bag.Write("Font", lbl_.Font);
  WriteInteger(bag, "FontColour", static_cast<int32_t>(lbl_.ForeColor), 0);
  WriteInteger(bag, "Visible", backStyle_, 1);
  ShowNormal();
}

// --- State table --------------------------------------------------------------------------------

void Command::GotFocus() {
  if (!st_.EnabledFlag) return;
  if (st_.ButtonState != StateHighLight) {
    st_.ButtonState = StateSelected;
    PaintState(Picture::Selected);
  } else {
    st_.ButtonState = StateHighLightSelect;
    PaintState(Picture::Pressed);
  }
}

void Command::LostFocus() {
  if (!st_.EnabledFlag) return;
  if (st_.ButtonState != StateNormal) {
    st_.ButtonState = StateNormal;
    PaintState(Picture::Normal);
  }
}

void Command::MouseDown(int button) {
  if (!st_.EnabledFlag) return;
  if (button == LeftButton) {
    st_.MouseIsDown = True;
    PaintState(Picture::Pressed);
  }
}

void Command::MouseMove(int /*button*/) {
  if (!st_.EnabledFlag) return;
  if (st_.ButtonState == StateNormal) {
    st_.ButtonState = StateHighLight;
    PaintState(Picture::HighLight);
  } else if (st_.ButtonState == StateSelected && !st_.MouseIsDown) {
    st_.ButtonState = StateHighLightSelect;
    PaintState(Picture::HighLightSelect);
  }
}

// Any button's release raises Click unless the control holds the focus without the pointer.
bool Command::MouseUp(int button) {
  if (!st_.EnabledFlag) return false;
  if (button == LeftButton) {
    st_.MouseIsDown = False;
    if (st_.ButtonState == StateHighLight)
      PaintState(Picture::Normal);
    else if (st_.ButtonState == StateHighLightSelect)
      PaintState(Picture::HighLightSelect);
  }
  return st_.EnabledFlag == True && st_.ButtonState != StateSelected;
}

// The hover look ends on the first tick at which the pointer is not over the control's window.
void Command::PollTick(bool pointerOverControl) {
  if (!st_.EnabledFlag) return;
  if (!pointerOverControl) ResetHover();
}

void Command::Resize() { ApplyEnabled(); }

// --- Redraw procedures --------------------------------------------------------------------------

void Command::ResetHover() {
  if (!st_.EnabledFlag) return;
  if (st_.ButtonState == StateHighLight) {
    st_.ButtonState = StateNormal;
    PaintState(Picture::Normal);
  } else if (st_.ButtonState == StateHighLightSelect) {
    st_.ButtonState = StateSelected;
    PaintState(Picture::Selected);
  }
}

void Command::ApplyEnabled() {
  if (st_.EnabledFlag) {
    PaintState(Picture::Normal);
    lbl_.Enabled = true;
  } else {
    PaintState(Picture::Disable);
    lbl_.Enabled = false;
  }
  surface_.LabelChanged();
}

void Command::ShowNormal() {
  if (!st_.EnabledFlag) return;
  lbl_.Enabled = true;
  if (st_.FirstRun == 0) lbl_.ForeColor = 0;
  surface_.LabelChanged();
  PaintState(Picture::Normal);
}

// Draws one look at the present size and re-centres the caption. The gradient's direction
// follows the state; in states 0 and 4 it stays as it was last drawn.
void Command::PaintState(Picture picture) {
  if (st_.ButtonState == StateNormal || st_.ButtonState == StateSelected)
    st_.HighlightGradient = False;
  else if (st_.ButtonState == StateHighLight)
    st_.HighlightGradient = True;
  surface_.DrawLook(picture, st_.HighlightGradient != False);
  lbl_.Top = CaptionTop(static_cast<int16_t>(surface_.Height()), lbl_.Height);
  lbl_.Left = 0;
  lbl_.Width = static_cast<float>(surface_.Width());
  surface_.LabelChanged();
}

// --- Drawing plan -------------------------------------------------------------------------------

std::array<FramePiece, 8> PaintPlan(int16_t W, int16_t H) {
  const int16_t w = static_cast<int16_t>(W - 120), h = static_cast<int16_t>(H - 120);
  const int16_t r = static_cast<int16_t>(W - 60), b = static_cast<int16_t>(H - 60);
  return {{
      {{1, 1, 60, 60}, {0, 0, 60, 60}},        // top-left corner
      {{60, 1, w, 60}, {60, 1, 840, 60}},      // top edge
      {{r, 1, 60, 60}, {900, 1, 60, 60}},      // top-right corner
      {{r, 60, 60, h}, {900, 60, 60, 255}},    // right edge
      {{r, b, 60, 60}, {900, 315, 60, 60}},    // bottom-right corner
      {{60, b, w, 60}, {60, 315, 840, 60}},    // bottom edge
      {{1, b, 60, 60}, {0, 315, 60, 60}},      // bottom-left corner
      {{1, 60, 60, h}, {1, 60, 60, 255}},      // left edge
  }};
}

float CaptionTop(int16_t H, float labelHeight) { return (H - labelHeight - 20.0f) / 2.0f; }

// The text is turned into a number and back into hexadecimal digits; digits 1-2, 3-4 and 5-6
// are red, green and blue, each placed in the high byte of a 16-bit channel.
GradientColour ColourFromText(const std::string& text) {
  std::string digits = text;
  if (digits.size() >= 2 && digits[0] == '&' && (digits[1] == 'H' || digits[1] == 'h')) digits.erase(0, 2);
  unsigned long value = std::strtoul(digits.c_str(), nullptr, 16);
  char hex[16];
  std::snprintf(hex, sizeof hex, "%lX", value);
  std::string h = hex;
  auto channel = [&](size_t pos) -> uint16_t {
    std::string two = pos < h.size() ? h.substr(pos, 2) : std::string();
    return static_cast<uint16_t>(std::strtoul((two + "00").c_str(), nullptr, 16));
  };
  return {channel(0), channel(2), channel(4)};
}

GradientPlan PlanGradient(bool highlightGradient, int widthPixels, int heightPixels) {
  GradientColour c0 = ColourFromText(highlightGradient ? kLavender : kWhite);
  GradientColour c1 = ColourFromText(highlightGradient ? kWhite : kLavender);
  return {{{{0, 0, c0}, {widthPixels - 1, heightPixels - 1, c1}}}, 1, 0};
}

}  // namespace orv::button
