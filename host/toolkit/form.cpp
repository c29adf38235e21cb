// The host's window toolkit; see form.h.
#include "form.h"

#include "window_class.h"

namespace tk {
namespace {

const wchar_t kClassName[] = L"OrvelliaForm";
bool g_busy = false;

int ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: return 1;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return 2;
    default: return 4;
  }
}

}  // namespace

HFONT MakeFont(const wchar_t* face, double points, bool underline, BYTE charset) {
  return CreateFontW(FontHeight(points), 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, charset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

void SetBusyPointer(bool busy) {
  g_busy = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

Form::~Form() {
  if (hwnd_) {
    DetachState(hwnd_);
    DestroyWindow(hwnd_);
  }
  if (owner_) DestroyWindow(owner_);
  FreeBuffers();
}

bool Form::Create(HINSTANCE instance, const wchar_t* title, DWORD style, DWORD exStyle,
                  int clientWidthTwips, int clientHeightTwips, HICON icon, bool ownedHidden) {
  if (!RegisterWindowClass(instance, kClassName, WindowProc, LoadCursor(nullptr, IDC_ARROW)))
    return false;
  if (ownedHidden)
    owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                             nullptr);
  RECT r{0, 0, Px(clientWidthTwips), Px(clientHeightTwips)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  hwnd_ = CreateWindowExW(exStyle, kClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                          r.right - r.left, r.bottom - r.top, owner_, nullptr, instance, this);
  if (!hwnd_) return false;
  if (icon) {
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  OnSize();
  return true;
}

const ElementBase& Form::Base(const Element& e) {
  return std::visit([](const auto& kind) -> const ElementBase& { return kind; }, e);
}

void Form::SetText(Ref<Label> label, const std::wstring& text) {
  Label& e = Get(label);
  e.text = text;
  if (!e.autoSize || !hwnd_) return;
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, e.font ? e.font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  e.width = static_cast<int>(Twips(extent.cx));
}

POINT Form::Origin(Container container) const {
  POINT p{0, 0};
  for (int c = container.panel; c >= 0; c = Base(elements_[c]).container.panel) {
    p.x += Base(elements_[c]).left;
    p.y += Base(elements_[c]).top;
  }
  return p;  // twips
}

RECT Form::PixelRect(ElementRef element) const {
  const ElementBase& e = Base(elements_[element.index]);
  return PixelRect(e.container, e.left, e.top, e.width, e.height);
}

RECT Form::PixelRect(Container container, int left, int top, int width, int height) const {
  POINT o = Origin(container);
  return {Px(o.x + left), Px(o.y + top), Px(o.x + left + width), Px(o.y + top + height)};
}

HWND Form::AddChild(const wchar_t* className, const wchar_t* text, DWORD style,
                    Container container, int left, int top, int width, int height, int id) {
  RECT r = PixelRect(container, left, top, width, height);
  return CreateWindowExW(0, className, text, style | WS_CHILD, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, hwnd_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)),
                         nullptr);
}

void Form::FreeBuffers() {
  if (backgroundDc_) {
    SelectObject(backgroundDc_, oldBackground_);
    DeleteDC(backgroundDc_);
    DeleteObject(background_);
  }
  if (backDc_) {
    SelectObject(backDc_, oldBack_);
    DeleteDC(backDc_);
    DeleteObject(back_);
  }
  backgroundDc_ = backDc_ = nullptr;
  background_ = back_ = nullptr;
}

void Form::OnSize() {
  RECT r;
  GetClientRect(hwnd_, &r);
  SIZE size{r.right, r.bottom};
  if (size.cx == client_.cx && size.cy == client_.cy && backDc_) return;
  FreeBuffers();
  client_ = size;
  HDC screen = GetDC(hwnd_);
  int w = size.cx > 0 ? size.cx : 1, h = size.cy > 0 ? size.cy : 1;
  backgroundDc_ = CreateCompatibleDC(screen);
  background_ = CreateCompatibleBitmap(screen, w, h);
  oldBackground_ = SelectObject(backgroundDc_, background_);
  backDc_ = CreateCompatibleDC(screen);
  back_ = CreateCompatibleBitmap(screen, w, h);
  oldBack_ = SelectObject(backDc_, back_);
  ReleaseDC(hwnd_, screen);
  // The form's own background colour until the resize handler paints over it.
  RECT all{0, 0, w, h};
  HBRUSH grey = CreateSolidBrush(RGB(0xC0, 0xC0, 0xC0));
  FillRect(backgroundDc_, &all, grey);
  DeleteObject(grey);
  if (onResize) onResize();
  Redraw();
}

void Form::DrawElement(HDC dc, int index) const {
  RECT r = PixelRect(ElementRef{index});
  const Element& element = elements_[index];
  auto drawPicture = [&](COLORREF fill, HBITMAP picture) {
    if (fill != CLR_INVALID) {
      HBRUSH b = CreateSolidBrush(fill);
      FillRect(dc, &r, b);
      DeleteObject(b);
    }
    if (!picture) return;
    BITMAP bm{};
    GetObjectW(picture, sizeof bm, &bm);
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, picture);
    // Unscaled from the top-left corner, cut at the element's edges.
    int w = bm.bmWidth < r.right - r.left ? bm.bmWidth : r.right - r.left;
    int h = bm.bmHeight < r.bottom - r.top ? bm.bmHeight : r.bottom - r.top;
    BitBlt(dc, r.left, r.top, w, h, src, 0, 0, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
  };
  if (const Panel* e = std::get_if<Panel>(&element)) drawPicture(e->fill, e->picture);
  if (const Image* e = std::get_if<Image>(&element)) drawPicture(CLR_INVALID, e->picture);
  if (std::holds_alternative<Shape>(element))
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (const Label* e = std::get_if<Label>(&element)) {
    RECT text = r;
    if (e->border) {
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
      InflateRect(&text, -1, -1);
    }
    HGDIOBJ old = SelectObject(dc, e->font ? e->font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, e->textColour);
    UINT format = DT_NOPREFIX | (e->centred ? DT_CENTER : DT_LEFT) |
                  (e->autoSize ? DT_SINGLELINE : DT_WORDBREAK | DT_EDITCONTROL);
    DrawTextW(dc, e->text.c_str(), static_cast<int>(e->text.size()), &text, format);
    SelectObject(dc, old);
  }
}

void Form::Redraw() {
  if (!backDc_) return;
  BitBlt(backDc_, 0, 0, client_.cx, client_.cy, backgroundDc_, 0, 0, SRCCOPY);
  for (int i = 0; i < static_cast<int>(elements_.size()); ++i) {
    bool shown = Base(elements_[i]).visible;
    for (int c = Base(elements_[i]).container.panel; shown && c >= 0;
         c = Base(elements_[c]).container.panel)
      shown = Base(elements_[c]).visible;
    if (shown) DrawElement(backDc_, i);
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Form::Paint(HDC dc) const {
  if (backDc_) BitBlt(dc, 0, 0, client_.cx, client_.cy, backDc_, 0, 0, SRCCOPY);
}

ElementRef Form::HitTest(POINT client) const {
  for (int i = static_cast<int>(elements_.size()) - 1; i >= 0; --i) {
    const ElementBase& e = Base(elements_[i]);
    if (!e.visible || (!e.mouseDown && !e.click && !e.cursor)) continue;
    RECT r = PixelRect(ElementRef{i});
    if (PtInRect(&r, client)) return ElementRef{i};
  }
  return ElementRef{};
}

void Form::OnMouseDown(POINT p, int button) {
  ElementRef hit = HitTest(p);
  if (!hit.found()) return;
  if (button == 1) {
    pressed_ = hit.index;
    SetCapture(hwnd_);
  }
  // A copy: the handler may change the element list's pictures and redraw.
  auto handler = Base(elements_[hit.index]).mouseDown;
  if (handler) handler(button);
}

void Form::OnMouseUp(POINT p, int button) {
  if (button != 1 || pressed_ < 0) return;
  int pressed = pressed_;
  pressed_ = -1;
  ReleaseCapture();
  RECT r = PixelRect(ElementRef{pressed});
  auto handler = Base(elements_[pressed]).click;
  if (PtInRect(&r, p) && handler) handler();
}

bool Form::OnSetCursor() {
  if (g_busy) {
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    return true;
  }
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  ElementRef hit = HitTest(p);
  if (!hit.found() || !Base(elements_[hit.index]).cursor) return false;
  SetCursor(Base(elements_[hit.index]).cursor);
  return true;
}

void Form::Close() {
  if (!hwnd_) return;
  if (onUnload) onUnload();
  DestroyWindow(hwnd_);
}

void Form::RunModal() {
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  MSG msg;
  while (hwnd_ && IsWindow(hwnd_)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the caller
      break;
    }
    if (IsDialogMessageW(hwnd_, &msg)) continue;  // Tab between the child controls
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Form* form = AttachedState(hwnd, msg, lParam, &Form::hwnd_);
  if (!form) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return form->Handle(msg, wParam, lParam);
}

LRESULT Form::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (msg) {
    case WM_SIZE:
      if (backDc_) OnSize();  // the first size comes from Create, after the handlers are set
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      OnMouseDown(p, ButtonOf(msg));
      return 0;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      OnMouseUp(p, ButtonOf(msg));
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT && OnSetCursor())
        return TRUE;
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_NCDESTROY: {
      HWND hwnd = hwnd_;
      DetachState(hwnd);
      hwnd_ = nullptr;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
  }
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace tk
