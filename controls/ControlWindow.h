#pragma once
#include <windows.h>

#include "controls/AccessibleObject.h"

// What a window class of the program is made of; registered on its first use.
struct WindowClass {
  const wchar_t* name;
  UINT style = 0;
  int iconId = 0;     // resource of the class icon; 0: none
  int iconSize = 32;  // pixels of the large icon
  HBRUSH background = nullptr;
};

// What a control that shows what lies beneath it sends its parent before drawing itself: the
// parent draws the siblings beneath into the DC (wParam, in the control's coordinates; lParam is
// the control). Windows' own transparency of siblings is not dependable under every system.
constexpr UINT kPaintBeneathMessage = WM_APP + 1;

// Base of every window of the program, top-level and child: its class registered once per
// process, `this` stored at WM_NCCREATE, every later message forwarded to handleMessage.
// No C++ exception leaves the window procedure: one thrown while the window is being created
// fails the creation (CreateWindowEx returns null, createWindow throws); any other is reported
// to the debugger output and the message gets the default handling.
class ControlWindow {
 public:
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;
  virtual ~ControlWindow();

  // The window; nullptr once it is destroyed (with its parent, for instance).
  HWND hwnd() const { return hwnd_; }
  // The program's window object behind a window handle; nullptr for any other window.
  static ControlWindow* fromHandle(HWND window);
  // Whether focus rectangles are hidden, as the window was last told (WM_UPDATEUISTATE): Wine
  // keeps no UI state of its own (WM_QUERYUISTATE answers 0 whatever it was told).
  bool focusCuesHidden() const { return focusCuesHidden_; }
  // What changes a focus rectangle: the focus, or whether focus cues are shown.
  static bool changesFocusCue(UINT message) {
    return message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_UPDATEUISTATE;
  }
  // A top-level window's own keyboard handling of a message for it or one of its controls
  // (a form's tab order, Enter, arrows), before it is dispatched; true if handled.
  virtual bool translateKeyboard(MSG& message) {
    (void)message;
    return false;
  }
  // What the control is to a screen reader, asked at each of its calls; a role of 0 (every
  // top-level window) leaves the whole answer to the system's standard object.
  virtual AccessibleDescription describe() const { return {}; }

 protected:
  ControlWindow() = default;

  // Registers the class on its first use and creates the window (a child when `style` has
  // WS_CHILD, else owned by `parent`); throws SystemError when either fails.
  void createWindow(const WindowClass& windowClass, HWND parent, int id, DWORD style, DWORD exStyle,
                    const RECT& pixels, const wchar_t* text = L"");
  // Derived destructors call this first, so the window's last messages still reach their own
  // handlers rather than a half-destroyed object.
  void destroyWindow();

  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The window is gone (WM_NCDESTROY); hwnd() is already null.
  virtual void windowDestroyed() {}
  // DefWindowProc; but a child without a frame or scroll bars has no non-client area, and its
  // WM_NCPAINT ends here (the default would get, and give back, a device context for nothing);
  // and a control that describes itself answers WM_GETOBJECT for its client area.
  LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void noteUiState(WORD action, WORD flags);

  HWND hwnd_ = nullptr;
  bool focusCuesHidden_ = false;
  AccessibleServer accessible_;
};
