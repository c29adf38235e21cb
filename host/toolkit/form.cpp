#include "form.h"

namespace tk {
namespace {

const wchar_t kClassName[] = L"OrvelliaForm";
bool g_busy = false;

ATOM RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, kClassName, &wc)) return 1;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc);
}

int ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: return 1;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return 2;
    default: return 4;
  }
}

}  // namespace

HFONT MakeFont(const wchar_t* face, double points, bool underline, BYTE charset) {
  int height = -static_cast<int>(points * 96.0 / 72.0 + 0.5);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, charset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

void SetBusyPointer(bool busy) {
  g_busy = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

Form::~Form() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (owner_) DestroyWindow(owner_);
  FreeBuffers();
}

bool Form::Create(HINSTANCE instance, const wchar_t* title, DWORD style, DWORD exStyle,
                  int clientWidthTwips, int clientHeightTwips, HICON icon, bool ownedHidden) {
  if (!RegisterFormClass(instance, WindowProc)) return false;
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

int Form::Add(const Element& element) {
  elements_.push_back(element);
  int index = static_cast<int>(elements_.size()) - 1;
  SetText(index, element.text);
  return index;
}

void Form::SetText(int index, const std::wstring& text) {
  Element& e = elements_[index];
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

POINT Form::Origin(int container) const {
  POINT p{0, 0};
  for (int c = container; c >= 0; c = elements_[c].container) {
    p.x += elements_[c].left;
    p.y += elements_[c].top;
  }
  return p;  // twips
}

RECT Form::PixelRect(int index) const {
  const Element& e = elements_[index];
  return PixelRect(e.container, e.left, e.top, e.width, e.height);
}

RECT Form::PixelRect(int container, int left, int top, int width, int height) const {
  POINT o = Origin(container);
  return {Px(o.x + left), Px(o.y + top), Px(o.x + left + width), Px(o.y + top + height)};
}

HWND Form::AddChild(const wchar_t* className, const wchar_t* text, DWORD style, int container,
                    int left, int top, int width, int height, int id) {
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

void Form::DrawElement(HDC dc, const Element& e) const {
  RECT r = PixelRect(static_cast<int>(&e - elements_.data()));
  switch (e.kind) {
    case Element::kPanel:
    case Element::kImage:
      if (e.fill != CLR_INVALID) {
        HBRUSH b = CreateSolidBrush(e.fill);
        FillRect(dc, &r, b);
        DeleteObject(b);
      }
      if (e.picture) {
        BITMAP bm{};
        GetObjectW(e.picture, sizeof bm, &bm);
        HDC src = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(src, e.picture);
        // Unscaled from the top-left corner, cut at the element's edges.
        int w = bm.bmWidth < r.right - r.left ? bm.bmWidth : r.right - r.left;
        int h = bm.bmHeight < r.bottom - r.top ? bm.bmHeight : r.bottom - r.top;
        BitBlt(dc, r.left, r.top, w, h, src, 0, 0, SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
      }
      break;
    case Element::kShape:
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      break;
    case Element::kLabel: {
      RECT text = r;
      if (e.border) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&text, -1, -1);
      }
      HGDIOBJ old = SelectObject(dc, e.font ? e.font : GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, e.textColour);
      UINT format = DT_NOPREFIX | (e.centred ? DT_CENTER : DT_LEFT) |
                    (e.autoSize ? DT_SINGLELINE : DT_WORDBREAK | DT_EDITCONTROL);
      DrawTextW(dc, e.text.c_str(), static_cast<int>(e.text.size()), &text, format);
      SelectObject(dc, old);
      break;
    }
  }
}

void Form::Redraw() {
  if (!backDc_) return;
  BitBlt(backDc_, 0, 0, client_.cx, client_.cy, backgroundDc_, 0, 0, SRCCOPY);
  for (const Element& e : elements_) {
    bool shown = e.visible;
    for (int c = e.container; shown && c >= 0; c = elements_[c].container)
      shown = elements_[c].visible;
    if (shown) DrawElement(backDc_, e);
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Form::Paint(HDC dc) const {
  if (backDc_) BitBlt(dc, 0, 0, client_.cx, client_.cy, backDc_, 0, 0, SRCCOPY);
}

int Form::HitTest(POINT client) const {
  for (int i = static_cast<int>(elements_.size()) - 1; i >= 0; --i) {
    const Element& e = elements_[i];
    if (!e.visible || (!e.mouseDown && !e.click && !e.cursor)) continue;
    RECT r = PixelRect(i);
    if (PtInRect(&r, client)) return i;
  }
  return -1;
}

void Form::OnMouseDown(POINT p, int button) {
  int hit = HitTest(p);
  if (hit < 0) return;
  if (button == 1) {
    pressed_ = hit;
    SetCapture(hwnd_);
  }
  // A copy: the handler may change the element list's pictures and redraw.
  auto handler = elements_[hit].mouseDown;
  if (handler) handler(button);
}

void Form::OnMouseUp(POINT p, int button) {
  if (button != 1 || pressed_ < 0) return;
  int pressed = pressed_;
  pressed_ = -1;
  ReleaseCapture();
  RECT r = PixelRect(pressed);
  auto handler = elements_[pressed].click;
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
  int hit = HitTest(p);
  if (hit < 0 || !elements_[hit].cursor) return false;
  SetCursor(elements_[hit].cursor);
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
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* form = static_cast<Form*>(cs->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
  }
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace tk
