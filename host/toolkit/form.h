// A small window toolkit for the host's forms: a top-level window laid out in twips that keeps a
// persistent back-buffer, and draws and hit-tests its own windowless elements (picture panels,
// labels, images, rectangle outlines). Real child windows (a combo box, the Command button) sit on
// top at twip positions inside a panel or the form.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "twips.h"

namespace tk {

// A windowless element. Positions are twips relative to its container: the form, or a panel
// element that was added earlier.
struct Element {
  enum Kind { kPanel, kLabel, kImage, kShape } kind = kLabel;
  int container = -1;  // index of a panel element, or -1 for the form itself
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  // Labels: text drawn with a transparent background, optionally centred and framed.
  std::wstring text;
  HFONT font = nullptr;
  COLORREF textColour = RGB(0, 0, 0);
  bool centred = false;
  bool border = false;  // a thin sunken frame
  bool autoSize = false;  // the width follows the text (one line); the height stays
  // Panels and images: the picture, drawn unscaled from the top-left corner (not owned).
  HBITMAP picture = nullptr;
  COLORREF fill = CLR_INVALID;  // panels: colour under the picture; CLR_INVALID for none
  // Mouse: the cursor shown over the element, and its handlers (button 1 left, 2 right, 4 middle).
  HCURSOR cursor = nullptr;
  std::function<void(int button)> mouseDown;
  std::function<void()> click;  // a press and release of the left button on the element
};

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

  int Add(const Element& element);
  Element& At(int index) { return elements_[index]; }
  // Sets a label's text; an auto-sized label takes the width of the new text.
  void SetText(int index, const std::wstring& text);
  // The element's rectangle in client pixels.
  RECT PixelRect(int index) const;
  // A rectangle at twips inside a container (-1 the form, or a panel element), in client pixels.
  RECT PixelRect(int container, int left, int top, int width, int height) const;
  // A child window at twips inside a container.
  HWND AddChild(const wchar_t* className, const wchar_t* text, DWORD style, int container, int left,
                int top, int width, int height, int id = 0);

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
  int HitTest(POINT client) const;

  std::function<void()> onResize;
  std::function<void()> onUnload;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnSize();
  void OnMouseDown(POINT p, int button);
  void OnMouseUp(POINT p, int button);
  bool OnSetCursor();
  POINT Origin(int container) const;
  void DrawElement(HDC dc, const Element& e) const;
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
