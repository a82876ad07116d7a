#pragma once
// Shared by the control tests: a real top-level window to hold controls, message pumping with a
// deadline, and reading what reached the screen.
#include <windows.h>

#include <chrono>
#include <functional>

namespace controltest {

// A shown top-level window (DefWindowProc does everything: WM_CLOSE destroys it).
class HostWindow {
 public:
  explicit HostWindow(DWORD style = WS_OVERLAPPEDWINDOW, int width = 480, int height = 200);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// Delivers messages until the condition holds or the time is up; true if it held.
bool pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));
// Delivers what is waiting now, painting included.
void pumpPending();

// The colour on screen at a point of a window's client area. Wine shows a window's drawing a
// little after it was made: wait for the expected picture (pumpUntil) before looking closer.
COLORREF screenPixel(HWND window, int x, int y);
// How many pixels of a client rectangle show exactly that colour.
int countPixels(HWND window, const RECT& client, COLORREF colour);

}  // namespace controltest
