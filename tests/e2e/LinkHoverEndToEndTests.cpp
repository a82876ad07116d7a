// The maker link under the real pointer: it takes its highlight colour when the pointer enters and
// its link colour again soon after the pointer leaves (read from the screen's pixels).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "app/ControlIds.h"
#include "tests/e2e/Driver.h"

namespace {
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kHighlightColour = RGB(0, 0, 175);

// Glyph cores carry the exact text colour, whatever the anti-aliasing does at their edges.
int pixelsOf(HWND window, COLORREF colour) {
  RECT area;
  GetWindowRect(window, &area);
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += GetPixel(screen, x, y) == colour;
  }
  ReleaseDC(nullptr, screen);
  return count;
}

void movePointer(int x, int y) {
  SetCursorPos(x, y);
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
}

TEST(LinkHoverEndToEnd, HighlightsUnderThePointerAndRestoresSoonAfterItLeaves) {
  driver::Program program;
  HWND main = program.mainWindow();
  ASSERT_NE(main, nullptr);
  HWND link = driver::findControl(main, kIdMakerLink);
  ASSERT_NE(link, nullptr);
  movePointer(5, 5);
  ASSERT_TRUE(driver::waitFor([&] { return pixelsOf(link, kLinkColour) > 20; }));
  EXPECT_EQ(pixelsOf(link, kHighlightColour), 0);

  RECT area;
  GetWindowRect(link, &area);
  for (int x = area.left + 4; x < area.left + 12; x += 2) movePointer(x, (area.top + area.bottom) / 2);
  ASSERT_TRUE(driver::waitFor([&] { return pixelsOf(link, kHighlightColour) > 20; }));
  EXPECT_EQ(pixelsOf(link, kLinkColour), 0);

  const auto left = std::chrono::steady_clock::now();
  movePointer(area.right + 40, area.bottom + 40);
  ASSERT_TRUE(driver::waitFor([&] { return pixelsOf(link, kLinkColour) > 20; }));
  const auto restoredAfter =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - left).count();
  std::printf("link colour back %lld ms after the pointer left (check period 50 ms)\n",
              static_cast<long long>(restoredAfter));
  // One check period plus the tick's delivery and the pixel reads on a busy machine.
  EXPECT_LT(restoredAfter, 1500);
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program.waitForExit());
}
}  // namespace
