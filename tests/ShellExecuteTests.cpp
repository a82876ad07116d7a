// The shell request LaunchDocument builds, and its one pass of pending messages. What the shell
// really does with the request: tests/e2e/LauncherTests.cpp.
#include <gtest/gtest.h>

#include <cstring>

#include "controls/modShellExecute.h"

namespace {
TEST(ShellOpenRequest, HoldsTheOpenVerbAndOnlyTheFieldsGiven) {
  HWND owner = GetDesktopWindow();
  const ShellOpenRequest request(L"http://www.tesquinesolutions.example/index.php?id=forum", L"", owner,
                                 SW_SHOWNORMAL, L"");
  const SHELLEXECUTEINFOA info = request.record();
  EXPECT_EQ(info.cbSize, sizeof(SHELLEXECUTEINFOA));
  EXPECT_EQ(info.fMask, 0x40u);  // SEE_MASK_NOCLOSEPROCESS alone: the shell's own messages stay on
  EXPECT_EQ(info.hwnd, owner);
  EXPECT_STREQ(info.lpVerb, "open");
  EXPECT_STREQ(info.lpFile, "http://www.tesquinesolutions.example/index.php?id=forum");
  ASSERT_NE(info.lpParameters, nullptr);  // empty parameters are passed as empty text
  EXPECT_STREQ(info.lpParameters, "");
  EXPECT_EQ(info.lpDirectory, nullptr);  // no directory: the shell's default
  EXPECT_EQ(info.nShow, SW_SHOWNORMAL);
  EXPECT_EQ(info.hInstApp, nullptr);
  EXPECT_EQ(info.lpIDList, nullptr);
  EXPECT_EQ(info.lpClass, nullptr);
  EXPECT_EQ(info.hProcess, nullptr);

  const ShellOpenRequest withFolder(L"notes.txt", L"-x", nullptr, SW_SHOWMINIMIZED, L"D");
  const SHELLEXECUTEINFOA other = withFolder.record();
  EXPECT_STREQ(other.lpDirectory, "D");  // one character is enough
  EXPECT_STREQ(other.lpParameters, "-x");
  EXPECT_EQ(other.nShow, SW_SHOWMINIMIZED);
}

int delivered = 0;
LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) ++delivered;
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(DeliverPendingMessages, DeliversWhatWaitsAndKeepsAQuitRequest) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = countingProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"Orvandel.TestCounter";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"Orvandel.TestCounter", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  delivered = 0;
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
