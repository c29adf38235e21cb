// A small window toolkit for the host's forms: a top-level window laid out in twips that keeps a
// persistent back-buffer, and draws and hit-tests its own windowless elements (picture panels,
// labels, images, rectangle outlines). Real child windows (a combo box, the Command button) sit on
// top at twip positions inside a panel or the form.
//
// Elements are addressed by typed handles: Add(Label{...}) gives a Ref<Label>, and Get of that
// handle gives the label back; a panel's handle is also a container for the elements added later.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "twips.h"

namespace tk {

// Where an element or child window stands: the form itself, or a panel element added earlier.
struct Container {
  int panel = -1;  // the panel's place in the form, -1 for the form
};
inline constexpr Container kOnForm{};

// What every windowless element has. Positions are twips relative to its container.
struct ElementBase {
  Container container;
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  // Mouse: the cursor shown over the element, and its handlers (button 1 left, 2 right, 4 middle).
  HCURSOR cursor = nullptr;
  std::function<void(int button)> mouseDown;
  std::function<void()> click;  // a press and release of the left button on the element
};

// A picture panel: a fill colour (CLR_INVALID for none) under a picture drawn unscaled from the
// top-left corner (not owned); it contains the elements placed in it.
struct Panel : ElementBase {
  HBITMAP picture = nullptr;
  COLORREF fill = CLR_INVALID;
};
// A label: text drawn with a transparent background, optionally centred and framed.
struct Label : ElementBase {
  std::wstring text;
  HFONT font = nullptr;
  COLORREF textColour = RGB(0, 0, 0);
  bool centred = false;
  bool border = false;    // a thin sunken frame
  bool autoSize = false;  // the width follows the text (one line); the height stays
};
// An image: a picture drawn unscaled from the top-left corner, cut at the element's edges.
struct Image : ElementBase {
  HBITMAP picture = nullptr;
};
// A rectangle outline in black.
struct Shape : ElementBase {};

// Any element of a form, as the hit test finds it; found() is false for none.
struct ElementRef {
  int index = -1;
  bool found() const { return index >= 0; }
  bool operator==(const ElementRef& o) const { return index == o.index; }
  bool operator!=(const ElementRef& o) const { return index != o.index; }
};
// An element of a known kind.
template <class Kind>
struct Ref : ElementRef {};
// A panel's handle is where further elements stand.
inline Container In(Ref<Panel> panel) { return Container{panel.index}; }

class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  ~Form();

  // Creates the window, hidden, with a client area of the given twips. Set onResize and
  // onUnload before: onResize first runs inside Create. With ownedHidden the window is owned by a
  // hidden window of its own, which keeps it out of the task bar with a normal title bar.
  bool Create(HINSTANCE instance, const wchar_t* title, DWORD style, DWORD exStyle,
              int clientWidthTwips, int clientHeightTwips, HICON icon, bool ownedHidden = false);

  template <class Kind>
  Ref<Kind> Add(const Kind& element) {
    elements_.emplace_back(element);
    Ref<Kind> ref;
    ref.index = static_cast<int>(elements_.size()) - 1;
    if constexpr (std::is_same_v<Kind, Label>) SetText(ref, element.text);
    return ref;
  }
  template <class Kind>
  Kind& Get(Ref<Kind> ref) { return std::get<Kind>(elements_[ref.index]); }
  // Sets a label's text; an auto-sized label takes the width of the new text.
  void SetText(Ref<Label> label, const std::wstring& text);
  // The element's rectangle in client pixels.
  RECT PixelRect(ElementRef element) const;
  // A rectangle at twips inside a container, in client pixels.
  RECT PixelRect(Container container, int left, int top, int width, int height) const;
  // A child window at twips inside a container.
  HWND AddChild(const wchar_t* className, const wchar_t* text, DWORD style, Container container,
                int left, int top, int width, int height, int id = 0);

  // The persistent background image that onResize paints into (client size, kept across repaints).
  HDC Background() const { return backgroundDc_; }
  SIZE ClientPixels() const { return client_; }
  // Composes background and elements into the back-buffer and repaints the window from it.
  void Redraw();
  // Draws the composed picture into any device context (the window, or a memory DC in tests).
  void Paint(HDC dc) const;
  // Closes the window: onUnload runs, then the window is destroyed.
  void Close();
  // Shows the window and runs its messages until it has been destroyed.
  void RunModal();

  HWND hwnd() const { return hwnd_; }
  // Element under a client pixel, topmost first, among visible elements with a handler or cursor.
  ElementRef HitTest(POINT client) const;

  std::function<void()> onResize;
  std::function<void()> onUnload;

 private:
  using Element = std::variant<Panel, Label, Image, Shape>;
  static const ElementBase& Base(const Element& e);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnSize();
  void OnMouseDown(POINT p, int button);
  void OnMouseUp(POINT p, int button);
  bool OnSetCursor();
  POINT Origin(Container container) const;
  void DrawElement(HDC dc, int index) const;
  void FreeBuffers();

  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;  // the hidden owner, when there is one
  SIZE client_{0, 0};
  std::vector<Element> elements_;
  HDC backgroundDc_ = nullptr, backDc_ = nullptr;
  HBITMAP background_ = nullptr, back_ = nullptr;
  HGDIOBJ oldBackground_ = nullptr, oldBack_ = nullptr;
  int pressed_ = -1;
};

// The application-wide mouse pointer: the hourglass while busy, else each window's own cursor.
void SetBusyPointer(bool busy);

// A font in points at 96 dots per inch (the host's fixed scale).
HFONT MakeFont(const wchar_t* face, double points, bool underline, BYTE charset);

}  // namespace tk
