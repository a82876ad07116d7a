#pragma once
#include <windows.h>

// A click as people make one: a press and a release of the left button on the same control.
// The press captures the mouse, so the release is seen wherever it happens; released outside,
// or with the capture taken away meanwhile, it is no click. With CS_DBLCLKS the second press of
// a double click arrives as WM_LBUTTONDBLCLK, which starts nothing: a double click is one click.
class ClickTracker {
 public:
  void press(HWND window) {
    SetCapture(window);
    pressed_ = true;
  }
  // True when this release completes a click on `window` (lParam: the release's client point).
  bool release(HWND window, LPARAM lParam) {
    const bool wasPressed = pressed_ && GetCapture() == window;
    pressed_ = false;
    if (GetCapture() == window) ReleaseCapture();
    RECT client;
    GetClientRect(window, &client);
    const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return wasPressed && PtInRect(&client, at);
  }
  void cancel() { pressed_ = false; }  // WM_CAPTURECHANGED

  // The mouse messages of a control that reports its clicks to its parent: true when handled.
  bool handle(HWND window, UINT message, LPARAM lParam);

 private:
  bool pressed_ = false;
};

// WM_GETDLGCODE of a control that Enter clicks: the key reaches it, not the dialog's default button.
inline LRESULT dialogCodeWantingEnter(LPARAM lParam) {
  const MSG* key = reinterpret_cast<const MSG*>(lParam);
  return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? DLGC_WANTALLKEYS : 0;
}

// Tells a control's parent about a click, as a notifying static control does.
inline void notifyClicked(HWND control) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

inline bool ClickTracker::handle(HWND window, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      press(window);
      return true;
    case WM_LBUTTONUP:
      if (release(window, lParam)) notifyClicked(window);
      return true;
    case WM_CAPTURECHANGED:
      cancel();
      return true;
    default:
      return false;
  }
}
