#include "tests/ControlTestSupport.h"

namespace controltest {

HostWindow::HostWindow(DWORD style, int width, int height) {
  static const ATOM atom = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Orvandel.TestHost";
    return RegisterClassExW(&windowClass);
  }();
  (void)atom;
  hwnd_ = CreateWindowExW(0, L"Orvandel.TestHost", L"Control test", style | WS_CLIPCHILDREN, 40, 40, width, height,
                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  pumpPending();
}

HostWindow::~HostWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  pumpPending();
}

bool pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    pumpPending();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);  // wakes on any message
  }
}

void pumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

namespace {
// Wine answers GetPixel only on the screen's DC.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() { ReleaseDC(nullptr, dc_); }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  COLORREF at(HWND window, int x, int y) const {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return GetPixel(dc_, point.x, point.y);
  }

 private:
  HDC dc_;
};
}  // namespace

COLORREF screenPixel(HWND window, int x, int y) { return ScreenDC().at(window, x, y); }

int countPixels(HWND window, const RECT& client, COLORREF colour) {
  const ScreenDC screen;
  int count = 0;
  for (int y = client.top; y < client.bottom; ++y) {
    for (int x = client.left; x < client.right; ++x) count += screen.at(window, x, y) == colour;
  }
  return count;
}

}  // namespace controltest
