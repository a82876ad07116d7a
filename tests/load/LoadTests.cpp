// Long runs: ten thousand removes and restores through the switch on the real registry, and the
// About window opened and closed five hundred times. Every operation right, and the process ends
// with the kernel handles, GDI objects and windows it had after the first rounds.
#include <gtest/gtest.h>
#include <windows.h>


#include "app/wAbout.h"
#include "tests/ProcessResources.h"
#include "tests/SwitchDoubles.h"

namespace {
using namespace switchtest;

using resources::Counts;

void pumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// The counts follow what the process holds: one more event, brush and window are each seen.
TEST(ProcessResources, AreCountedOnThisSystem) {
  // With its first window a thread also gets the windows and handles that go with one (Wine: an
  // input method window); they stay while it has a window.
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  pumpPending();
  const Counts before = Counts::now();
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, host, nullptr, nullptr, nullptr);
  const Counts during = Counts::now();
  CloseHandle(event);
  DeleteObject(brush);
  DestroyWindow(window);
  pumpPending();
  const Counts after = Counts::now();
  DestroyWindow(host);
  EXPECT_EQ(during.handles, before.handles + 1);
  EXPECT_EQ(during.gdi, before.gdi + 1);
  EXPECT_EQ(during.windows, before.windows + 1);
  EXPECT_EQ(after.handles, before.handles);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.windows, before.windows);
}

bool handlerKeyReadable() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHandlerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string handlerValue() {
  char data[128] = {};
  DWORD type = 0, size = sizeof data;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHandlerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "";
  const LONG read = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return read == ERROR_SUCCESS && type == REG_SZ ? std::string(data, size) : "";
}

// The real handler key, shared with the end-to-end tests (hence RUN_SERIAL): put back as found.
class SwitchOnTheRealRegistry : public ::testing::Test {
 protected:
  void SetUp() override { wasThere_ = handlerKeyReadable(); }
  void TearDown() override {
    if (wasThere_ != handlerKeyReadable()) {
      RecordingPresenter quiet;
      RecordingView view;
      modCore(systemRegistry(), quiet).ApplyAVIPreviewMode(wasThere_ ? Restore : Remove, view);
    }
  }

 private:
  bool wasThere_ = false;
};

TEST_F(SwitchOnTheRealRegistry, TenThousandRemovesAndRestores) {
  RecordingPresenter messages;
  RecordingView view;
  const modCore core(systemRegistry(), messages);
  if (!handlerKeyReadable()) core.ApplyAVIPreviewMode(Restore, view);
  ASSERT_TRUE(handlerKeyReadable());

  Counts settled{};
  for (int round = 0; round < 10000; ++round) {
    const PreviewMode mode = round % 2 == 0 ? Remove : Restore;
    messages.shown.clear();
    core.ApplyAVIPreviewMode(mode, view);
    ASSERT_EQ(messages.shown.size(), 1u) << round;
    ASSERT_EQ(messages.shown[0].prompt, mode == Remove ? kRemoved : kRestored) << round;
    ASSERT_EQ(handlerKeyReadable(), mode == Restore) << round;
    if (mode == Restore) {
      ASSERT_EQ(handlerValue(), kClassIdStored) << round;
    }
    ASSERT_EQ(view.offered(), mode == Restore ? Remove : Restore) << round;  // what the registry now says
    if (round == 99) settled = Counts::now();
  }
  const Counts end = Counts::now();
  EXPECT_EQ(end.handles, settled.handles);
  EXPECT_EQ(end.gdi, settled.gdi);
  EXPECT_EQ(end.windows, settled.windows);
}

// Closes the modal window once its loop has run (timer messages come after painting).
HWND aboutOwner = nullptr;
void CALLBACK closeAbout(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND about = GetLastActivePopup(aboutOwner);
  if (about != aboutOwner) PostMessageW(about, WM_CLOSE, 0, 0);
}

TEST(AboutWindowLoad, FiveHundredOpensAndCloses) {
  aboutOwner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  Counts settled{};
  for (int round = 0; round < 500; ++round) {
    {
      wAbout about;
      SetTimer(nullptr, 0, 1, closeAbout);
      about.showModal(aboutOwner);
      ASSERT_EQ(about.hwnd(), nullptr) << round;
    }
    ASSERT_TRUE(IsWindowEnabled(aboutOwner)) << round;
    if (round == 9) settled = Counts::now();
  }
  const Counts end = Counts::now();
  DestroyWindow(aboutOwner);
  EXPECT_EQ(end.handles, settled.handles);
  EXPECT_EQ(end.gdi, settled.gdi);
  EXPECT_EQ(end.windows, settled.windows);
}
}  // namespace
