#pragma once
// For the control tests: a shown top-level window to hold controls, pumping with a deadline, and
// reading the screen (Wine answers GetPixel only on the screen's DC, a little after drawing).
#include <windows.h>

#include <chrono>
#include <functional>

namespace controltest {

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
void pumpPending();
// The screen colour at a point of a window's client area, and how many pixels of a client
// rectangle show exactly that colour.
COLORREF screenPixel(HWND window, int x, int y);
int countPixels(HWND window, const RECT& client, COLORREF colour);

}  // namespace controltest
