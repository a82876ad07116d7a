// The main window sitting idle with the pointer away from its link costs nothing: it reads no
// registry and runs no timer.
#include <gtest/gtest.h>

#include <chrono>

#include "app/ControlIds.h"
#include "app/wMain.h"
#include "tests/MemoryRegistry.h"
#include "tests/SwitchDoubles.h"

namespace {
class FarPointer final : public PointerSource {
 public:
  bool cursorPos(POINT& position) override {
    position = {-1000, -1000};
    return true;
  }
  bool windowRect(HWND window, RECT& rect) override { return GetWindowRect(window, &rect) != FALSE; }
};

// Delivers messages for a while; how many of them were timer ticks.
int timerTicksWhilePumping(std::chrono::milliseconds period) {
  int ticks = 0;
  const auto deadline = std::chrono::steady_clock::now() + period;
  while (std::chrono::steady_clock::now() < deadline) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ticks += message.message == WM_TIMER;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return ticks;
}

TEST(MainWindowIdle, ReadsNoRegistryAndRunsNoTimer) {
  MemoryRegistry registry;
  registry.putKey(HKEY_CLASSES_ROOT, switchtest::kHandlerKey);
  switchtest::RecordingPresenter messages;
  FarPointer pointer;
  SetCursorPos(0, 0);  // the real one away from the window too
  wMain window(AppServices{registry, messages, false, shellDocumentLauncher(), &pointer});
  window.show(SW_SHOWNOACTIVATE);
  UpdateWindow(window.hwnd());
  timerTicksWhilePumping(std::chrono::milliseconds(50));  // what showing it left to do

  const size_t calls = registry.calls();
  EXPECT_GT(calls, 0u);  // it did read the state when it opened
  EXPECT_EQ(timerTicksWhilePumping(std::chrono::milliseconds(300)), 0);
  EXPECT_EQ(registry.calls(), calls);

  // The same watch sees a timer once there is one: the pointer entering the link starts its check.
  HWND link = GetDlgItem(window.hwnd(), kIdMakerLink);
  ASSERT_NE(link, nullptr);
  RECT area;
  GetClientRect(link, &area);
  SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(area.right / 2, area.bottom / 2));
  EXPECT_GT(timerTicksWhilePumping(std::chrono::milliseconds(300)), 0);
  EXPECT_EQ(registry.calls(), calls);
}
}  // namespace
