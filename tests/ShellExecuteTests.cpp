// The shell request LaunchDocument builds and its one pass of pending messages; what the shell
// really receives: tests/e2e/LauncherTests.cpp.
#include <gtest/gtest.h>

#include "controls/modShellExecute.h"

namespace {
TEST(ShellOpenRequest, HoldsTheOpenVerbAndOnlyTheFieldsGiven) {
  const SHELLEXECUTEINFOA info = ShellOpenRequest(L"http://x.example/", L"", GetDesktopWindow(), SW_SHOWNORMAL, L"").record();
  EXPECT_EQ(info.cbSize, sizeof(SHELLEXECUTEINFOA));
  EXPECT_EQ(info.fMask, 0x40u);  // SEE_MASK_NOCLOSEPROCESS alone: the shell's own messages stay on
  EXPECT_EQ(info.hwnd, GetDesktopWindow());
  EXPECT_STREQ(info.lpVerb, "open");
  EXPECT_STREQ(info.lpParameters, "");   // empty, not absent
  EXPECT_EQ(info.lpDirectory, nullptr);  // the shell's default
  EXPECT_TRUE(!info.hInstApp && !info.lpIDList && !info.lpClass && !info.hProcess);

  const SHELLEXECUTEINFOA other = ShellOpenRequest(L"notes.txt", L"-x", nullptr, SW_SHOWMINIMIZED, L"D").record();
  EXPECT_STREQ(other.lpFile, "notes.txt");
  EXPECT_STREQ(other.lpDirectory, "D");
  EXPECT_EQ(other.nShow, SW_SHOWMINIMIZED);
}

int delivered = 0;

TEST(DeliverPendingMessages, DeliversWhatWaitsAndKeepsAQuitRequest) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) CALLBACK -> LRESULT {
    delivered += message == WM_APP;
    return DefWindowProcW(window, message, wParam, lParam);
  };
  windowClass.lpszClassName = L"Orvandel.TestCounter";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_APP, 0, 0);
  PostMessageW(window, WM_APP, 0, 0);
  PostQuitMessage(3);
  DeliverPendingMessages();
  EXPECT_EQ(delivered, 2);
  MSG quit{};
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // still there for the real loop
  EXPECT_EQ(quit.wParam, 3u);
  DestroyWindow(window);
}
}  // namespace
