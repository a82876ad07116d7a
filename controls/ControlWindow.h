#pragma once
#include <windows.h>

// Base of the program's own child controls: a window class registered once per process, `this`
// stored at WM_NCCREATE, every later message forwarded to handleMessage. No C++ exception leaves
// the window procedure: it is reported to the debugger output and the message gets the default
// handling.
class ControlWindow {
 public:
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;
  virtual ~ControlWindow();

  // The control's window; nullptr once it is destroyed (with its parent, for instance).
  HWND hwnd() const { return hwnd_; }

 protected:
  ControlWindow() = default;

  // Registers the class on its first use and creates the hidden child window; throws
  // std::system_error when either fails.
  void createWindow(const wchar_t* className, UINT classStyle, HWND parent, int id, DWORD style,
                    const RECT& pixels, const wchar_t* text = L"");
  // Derived destructors call this first, so the window's last messages still reach their own
  // handlers rather than a half-destroyed object.
  void destroyWindow();

  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};
