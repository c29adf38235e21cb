#include "command_button.h"

#include <cmath>

#include "command_button_res.h"
#include "system_library.h"
#include "text_system.h"
#include "twips.h"
#include "window_class.h"

namespace orv::button {

namespace {

constexpr UINT_PTR kPollTimer = 1;

COLORREF ToColorRef(uint32_t colour) {
  // &H800000nn names the system colour nn.
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
  return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

// The six pictures, loaded once from the program's resources; a missing one stays null and its
// frame pieces are left as the gradient drew them.
HBITMAP StatePicture(Picture p) {
  static HBITMAP pictures[6] = {};
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    for (int i = 0; i < 6; ++i)
      pictures[i] = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                    MAKEINTRESOURCEW(IDB_COMMAND_FIRST + i),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  return pictures[static_cast<int>(p)];
}

// One control window: its logic, its retained image and its click handler.
struct CommandWindow final : CommandSurface {
  HWND hwnd = nullptr;
  Command logic{*this};
  HDC imageDC = nullptr;
  HBITMAP image = nullptr;
  HGDIOBJ imageOld = nullptr;
  int widthPx = 0, heightPx = 0;
  std::function<void()> onClick;

  ~CommandWindow() override {
    if (imageDC) {
      SelectObject(imageDC, imageOld);
      DeleteDC(imageDC);
    }
    if (image) DeleteObject(image);
  }

  int Width() const override { return widthPx * tk::kTwipsPerPixel; }
  int Height() const override { return heightPx * tk::kTwipsPerPixel; }

  void DrawLook(Picture picture, bool highlightGradient) override {
    if (!imageDC || widthPx <= 0 || heightPx <= 0) return;
    PaintCommandLook(imageDC, widthPx, heightPx, picture, highlightGradient);
    InvalidateRect(hwnd, nullptr, FALSE);
  }
  void LabelChanged() override { InvalidateRect(hwnd, nullptr, FALSE); }
  void BackStyleChanged() override { InvalidateRect(hwnd, nullptr, FALSE); }
  void StartPoll(unsigned milliseconds) override { SetTimer(hwnd, kPollTimer, milliseconds, nullptr); }
  void PropertyChanged(const char*) override {}  // nothing designs our windows at run time

  // A new retained image of the window's size, cleared to the button face.
  void ResizeImage(int w, int h) {
    if (imageDC) {
      SelectObject(imageDC, imageOld);
      DeleteObject(image);
    } else {
      imageDC = CreateCompatibleDC(nullptr);
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w > 0 ? w : 1;
    bi.bmiHeader.biHeight = -(h > 0 ? h : 1);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    image = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    imageOld = SelectObject(imageDC, image);
    widthPx = w;
    heightPx = h;
    RECT r{0, 0, w, h};
    FillRect(imageDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  }

  // Release of a mouse button: capture ends with the last button; Click is raised last, since
  // its handler may destroy this window.
  LRESULT OnButtonUp(int button, WPARAM keys) {
    if (!(keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hwnd) ReleaseCapture();
    if (logic.MouseUp(button) && onClick) {
      std::function<void()> handler = onClick;
      handler();
    }
    return 0;
  }

  LRESULT OnButtonDown(int button) {
    // A left press gives the control the focus (the other buttons do not), then presses it.
    if (button == LeftButton && logic.State().EnabledFlag && GetFocus() != hwnd) SetFocus(hwnd);
    SetCapture(hwnd);
    logic.MouseDown(button);
    return 0;
  }

  // The 100 ms poll: the hover look ends once the pointer is over any other window.
  void OnPoll() {
    POINT pt{};
    if (!GetCursorPos(&pt)) pt = {0, 0};
    logic.PollTick(WindowFromPoint(pt) == hwnd);
  }

  void OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    Command_Paint(hwnd, dc);
    EndPaint(hwnd, &ps);
  }
};

CommandWindow* StateOf(HWND hwnd) {
  if (!IsCommand(hwnd)) return nullptr;
  return tk::StateOf<CommandWindow>(hwnd);
}

LRESULT OnMessage(CommandWindow& window, UINT msg, WPARAM wp, LPARAM lp) {
  CommandWindow* w = &window;
  HWND hwnd = w->hwnd;
  switch (msg) {
    case WM_SIZE:
      w->ResizeImage(LOWORD(lp), HIWORD(lp));
      w->logic.Resize();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the retained image covers the whole window
    case WM_PAINT:
      w->OnPaint();
      return 0;
    case WM_SETFOCUS:
      w->logic.GotFocus();
      return 0;
    case WM_KILLFOCUS:
      w->logic.LostFocus();
      return 0;
    case WM_LBUTTONDOWN: return w->OnButtonDown(LeftButton);
    case WM_RBUTTONDOWN: return w->OnButtonDown(RightButton);
    case WM_MBUTTONDOWN: return w->OnButtonDown(MiddleButton);
    case WM_LBUTTONUP: return w->OnButtonUp(LeftButton, wp);
    case WM_RBUTTONUP: return w->OnButtonUp(RightButton, wp);
    case WM_MBUTTONUP: return w->OnButtonUp(MiddleButton, wp);
    case WM_MOUSEMOVE: {
      int button = (wp & MK_LBUTTON ? LeftButton : 0) | (wp & MK_RBUTTON ? RightButton : 0) |
                   (wp & MK_MBUTTON ? MiddleButton : 0);
      w->logic.MouseMove(button);
      return 0;
    }
    case WM_TIMER:
      if (wp == kPollTimer) w->OnPoll();
      return 0;
    case WM_NCDESTROY:
      KillTimer(hwnd, kPollTimer);
      tk::DetachState(hwnd);
      delete w;
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

bool RegisterCommandClass(HINSTANCE instance) {
  return tk::RegisterWindowClass(instance, kCommandClass, tk::StateWindowProc<CommandWindow, OnMessage>,
                             LoadCursorW(nullptr, IDC_ARROW));
}

HWND CreateCommand(HWND parent, int id, PixelRect rect, const PropertyBag& saved,
                   const CaptionFont& ambient) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterCommandClass(instance)) return nullptr;
  // The window owns its state from WM_NCCREATE on and frees it on WM_NCDESTROY.
  auto* state = new CommandWindow;
  HWND hwnd = CreateWindowExW(0, kCommandClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.X,
                              rect.Y, rect.W, rect.H, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, state);
  if (!hwnd && !state->hwnd) delete state;  // no message reached the window
  if (CommandWindow* w = StateOf(hwnd)) w->logic.ReadProperties(saved, ambient);
  return hwnd;
}

HWND CreateCommand(HWND parent, int id, PixelRect rect, const std::string& caption,
                   const CaptionFont& font) {
  PropertyBag saved;
  saved.Write("Caption", caption);
  saved.Write("Font", font);
  return CreateCommand(parent, id, rect, saved, DesignFont());
}

bool IsCommand(HWND window) {
  wchar_t name[32];
  return window && GetClassNameW(window, name, 32) && wcscmp(name, kCommandClass) == 0;
}

Command* Command_Logic(HWND command) {
  CommandWindow* w = StateOf(command);
  return w ? &w->logic : nullptr;
}

void Command_Initialize(HWND command) {
  if (Command* c = Command_Logic(command)) c->Initialize();
}
void Command_SetVisible(HWND command, uint8_t visible) {
  if (Command* c = Command_Logic(command)) c->Visible(visible);
}
uint8_t Command_Visible(HWND command) {
  Command* c = Command_Logic(command);
  return c ? c->Visible() : 0;
}
void Command_SetFontColour(HWND command, uint32_t colour) {
  if (Command* c = Command_Logic(command)) c->FontColour(colour);
}
uint32_t Command_FontColour(HWND command) {
  Command* c = Command_Logic(command);
  return c ? c->FontColour() : 0;
}
void Command_SetEnabled(HWND command, bool enabled) {
  if (Command* c = Command_Logic(command)) c->Enabled(enabled ? True : False);
}
bool Command_Enabled(HWND command) {
  Command* c = Command_Logic(command);
  return c && c->Enabled() != False;
}
void Command_SetCaption(HWND command, const std::string& caption) {
  if (Command* c = Command_Logic(command)) c->Caption(caption);
}
std::string Command_Caption(HWND command) {
  Command* c = Command_Logic(command);
  return c ? c->Caption() : std::string();
}
void Command_SetFont(HWND command, const CaptionFont& font) {
  if (Command* c = Command_Logic(command)) c->Font(font);
}
CaptionFont Command_Font(HWND command) {
  Command* c = Command_Logic(command);
  return c ? c->Font() : CaptionFont{};
}
void Command_OnClick(HWND command, std::function<void()> onClick) {
  if (CommandWindow* w = StateOf(command)) w->onClick = std::move(onClick);
}

void Command_Paint(HWND command, HDC dc) {
  CommandWindow* w = StateOf(command);
  if (!w) return;
  RECT client{0, 0, w->widthPx, w->heightPx};
  if (w->logic.BackStyle() != 0) {
    BitBlt(dc, 0, 0, w->widthPx, w->heightPx, w->imageDC, 0, 0, SRCCOPY);
  } else {
    // Transparent: the parent draws what lies beneath the control.
    HWND parent = GetParent(command);
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(parent, GCLP_HBRBACKGROUND));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    POINT origin{0, 0};
    MapWindowPoints(command, parent, &origin, 1);
    POINT old;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
  }
  PaintCommandCaption(dc, w->logic.LblMsg());
}

void PaintCommandLook(HDC dc, int widthPixels, int heightPixels, Picture picture,
                      bool highlightGradient) {
  RECT all{0, 0, widthPixels, heightPixels};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));

  GradientPlan g = PlanGradient(highlightGradient, widthPixels, heightPixels);
  TRIVERTEX v[2];
  for (int i = 0; i < 2; ++i) {
    v[i].x = g.Vertices[i].X;
    v[i].y = g.Vertices[i].Y;
    v[i].Red = g.Vertices[i].Colour.Red;
    v[i].Green = g.Vertices[i].Colour.Green;
    v[i].Blue = g.Vertices[i].Colour.Blue;
    v[i].Alpha = 0;
  }
  GRADIENT_RECT rect{g.UpperLeft, g.LowerRight};
  static auto* gradientFill = orv::SystemFunction<decltype(GradientFill)>("msimg32.dll", "GradientFill");
  if (gradientFill) gradientFill(dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_V);

  HBITMAP bitmap = StatePicture(picture);
  if (!bitmap) return;
  HDC src = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(src, bitmap);
  int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  auto px = tk::Px;
  for (const FramePiece& p : PaintPlan(static_cast<int16_t>(widthPixels * tk::kTwipsPerPixel),
                                       static_cast<int16_t>(heightPixels * tk::kTwipsPerPixel))) {
    StretchBlt(dc, px(p.Dest.X), px(p.Dest.Y), px(p.Dest.W), px(p.Dest.H), src, px(p.Src.X),
               px(p.Src.Y), px(p.Src.W), px(p.Src.H), SRCCOPY);
  }
  SetStretchBltMode(dc, oldMode);
  SelectObject(src, old);
  DeleteDC(src);
}

void PaintCommandCaption(HDC dc, const CaptionLabel& label) {
  if (label.Caption.empty()) return;
  LOGFONTW lf{};
  lf.lfHeight = tk::FontHeight(label.Font.Size);
  lf.lfWeight = label.Font.Weight;
  lf.lfItalic = label.Font.Italic;
  lf.lfUnderline = label.Font.Underline;
  lf.lfStrikeOut = label.Font.Strikethrough;
  lf.lfCharSet = static_cast<BYTE>(label.Font.Charset);
  std::wstring face = WideFromUtf8(label.Font.Name);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ oldFont = SelectObject(dc, font);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColour = GetTextColor(dc);

  auto px = tk::Px;
  RECT r{px(label.Left), px(label.Top), px(label.Left + label.Width), px(label.Top + label.Height)};
  std::wstring text = WideFromUtf8(label.Caption);
  const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
  if (label.Enabled) {
    SetTextColor(dc, ToColorRef(label.ForeColor));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  } else {
    // The system's disabled-text style: a light copy one pixel down-right under grey text.
    RECT lit = r;
    OffsetRect(&lit, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &lit, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  }
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

}  // namespace orv::button
