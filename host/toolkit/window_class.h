// The two things every window of the host does alike: registering its window class, and keeping
// its one state struct attached to the window (GWLP_USERDATA, set on WM_NCCREATE).
#pragma once

#include <windows.h>

namespace tk {

// Registers a window class of this program; a class already registered counts as done.
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc,
                         HCURSOR cursor = nullptr, HBRUSH background = nullptr);

// The state struct attached to a window, or null.
template <class State>
State* StateOf(HWND hwnd) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The state struct of a window. On WM_NCCREATE the struct passed as the creation parameter is
// attached to the window and learns its handle (member `window`); later messages read it back.
// Null before WM_NCCREATE, without a creation parameter, and after DetachState.
template <class State>
State* AttachedState(HWND hwnd, UINT msg, LPARAM lParam, HWND State::*window) {
  if (msg == WM_NCCREATE) {
    auto* state = static_cast<State*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (state) {
      state->*window = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    return state;
  }
  return StateOf<State>(hwnd);
}

// A window procedure for windows whose state struct (with a member `hwnd`) is passed as the
// creation parameter: it attaches the struct and hands it every message from WM_NCCREATE on.
// Messages before it, or without a struct, get the system's default handling.
template <class State, LRESULT (*OnMessage)(State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK StateWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  State* state = AttachedState(hwnd, msg, lParam, &State::hwnd);
  if (!state) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return OnMessage(*state, msg, wParam, lParam);
}

// Detaches the state struct: messages that follow find none.
inline void DetachState(HWND hwnd) { SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); }

}  // namespace tk
