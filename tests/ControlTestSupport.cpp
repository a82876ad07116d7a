#include "tests/ControlTestSupport.h"

namespace controltest {

HostWindow::HostWindow(DWORD style, int width, int height) {
  [[maybe_unused]] static const ATOM atom = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Orvandel.TestHost";
    return RegisterClassExW(&windowClass);
  }();
  hwnd_ = CreateWindowExW(0, L"Orvandel.TestHost", L"Control test", style | WS_CLIPCHILDREN, 40, 40, width, height,
                          nullptr, nullptr, nullptr, nullptr);
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
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void pumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

COLORREF screenPixel(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

int countPixels(HWND window, const RECT& client, COLORREF colour) {
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (int y = client.top; y < client.bottom; ++y) {
    for (int x = client.left; x < client.right; ++x) {
      POINT point{x, y};
      ClientToScreen(window, &point);
      count += GetPixel(screen, point.x, point.y) == colour;
    }
  }
  ReleaseDC(nullptr, screen);
  return count;
}

}  // namespace controltest
