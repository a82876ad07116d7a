// The switch behind the main window, against the in-memory registry, with the real window.
#include <gtest/gtest.h>

#include <vector>

#include "app/ControlIds.h"
#include "app/modWinXP.h"
#include "app/wMain.h"
#include "tests/MemoryRegistry.h"
#include "tests/SwitchDoubles.h"

namespace {
const char kHandlerKey[] = "SystemFileAssociations\\.avi\\shellex\\PropertyHandler";
const std::string kClassId = "{87D62D94-71B3-4b9a-9489-5FE6850DC73E}";

using switchtest::RecordingPresenter;

class MainWindow : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  RecordingPresenter messages;
  std::unique_ptr<wMain> window;

  void installHandler() {
    std::vector<BYTE> data(kClassId.begin(), kClassId.end());
    data.push_back(0);
    registry.putValue(HKEY_CLASSES_ROOT, kHandlerKey, "", REG_SZ, data);
  }
  void open() {
    window = std::make_unique<wMain>(AppServices{registry, messages, false});
    window->show(SW_SHOWNOACTIVATE);
  }
  HWND item(int id) const {
    // Controls sit in frames and panels: search the whole tree.
    struct Search { int id; HWND found; } search{id, nullptr};
    EnumChildWindows(window->hwnd(), [](HWND child, LPARAM param) CALLBACK {
      auto* s = reinterpret_cast<Search*>(param);
      if (GetDlgCtrlID(child) == s->id) s->found = child;
      return s->found ? FALSE : TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  bool checked(int id) const { return SendMessageW(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }
  COLORREF noteColour(int id) const {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(window->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(item(id)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
  }
  void expectOffers(PreviewMode mode) {
    const bool remove = mode == Remove;
    EXPECT_EQ(enabled(kIdOptionRemove), remove);
    EXPECT_EQ(checked(kIdOptionRemove), remove);
    EXPECT_EQ(enabled(kIdFrameRemove), remove);
    EXPECT_EQ(enabled(kIdRemoveInfo), remove);
    EXPECT_EQ(enabled(kIdOptionRestore), !remove);
    EXPECT_EQ(checked(kIdOptionRestore), !remove);
    EXPECT_EQ(enabled(kIdFrameRestore), !remove);
    EXPECT_EQ(enabled(kIdRestoreInfo), !remove);
    // The restart notes are never disabled: the available panel's is dark red, the other grey.
    EXPECT_TRUE(enabled(kIdRemoveRestartNote) && enabled(kIdRestoreRestartNote));
    EXPECT_EQ(noteColour(kIdRemoveRestartNote), remove ? RGB(128, 0, 0) : RGB(128, 128, 128));
    EXPECT_EQ(noteColour(kIdRestoreRestartNote), remove ? RGB(128, 128, 128) : RGB(128, 0, 0));
  }
  void pressStart() { SendMessageW(item(kIdStart), BM_CLICK, 0, 0); }
  void refuse(MemoryRegistry::Op refused) {
    registry.setHook([=](MemoryRegistry::Op op, const std::string&) {
      return op == refused ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    });
  }
};

using switchtest::kRemoveFailed;
using switchtest::kRestoreFailed;

TEST_F(MainWindow, OpensOfferingTheChangeTheRegistryAllows) {
  installHandler();
  open();
  expectOffers(Remove);
  EXPECT_EQ(GetFocus(), item(kIdStart));
  window.reset();

  registry.removeKeyTree(HKEY_CLASSES_ROOT, kHandlerKey);
  open();
  expectOffers(Restore);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(registry.openHandles(), 0u);
}

TEST_F(MainWindow, StartRemovesThenRestoresAndReportsEach) {
  installHandler();
  open();
  pressStart();
  EXPECT_FALSE(registry.keyExists(HKEY_CLASSES_ROOT, kHandlerKey));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].prompt, L"AVI Previewing has been successfully removed.");
  EXPECT_EQ(messages.shown[0].caption, L"Success!");
  EXPECT_EQ(messages.shown[0].style, 64u);
  expectOffers(Restore);

  pressStart();
  auto stored = registry.value(HKEY_CLASSES_ROOT, kHandlerKey, "");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(stored->data.begin(), stored->data.end()), kClassId + '\0');
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].prompt, L"AVI Previewing has been successfully restored.");
  EXPECT_EQ(messages.shown[1].style, 64u);
  expectOffers(Remove);  // found through the path without the trailing backslash
  EXPECT_EQ(registry.openHandles(), 0u);
}

TEST_F(MainWindow, RefusedChangesWarnAndLeaveTheWindowAsItWas) {
  installHandler();
  open();
  refuse(MemoryRegistry::Op::DeleteKey);
  pressStart();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].prompt, kRemoveFailed);
  EXPECT_EQ(messages.shown[0].caption, L"Orvandel");
  EXPECT_EQ(messages.shown[0].style, 48u);
  EXPECT_TRUE(registry.keyExists(HKEY_CLASSES_ROOT, kHandlerKey));
  expectOffers(Remove);

  registry.setHook(nullptr);
  registry.removeKeyTree(HKEY_CLASSES_ROOT, "SystemFileAssociations");
  window.reset();
  open();
  refuse(MemoryRegistry::Op::Create);
  pressStart();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].prompt, kRestoreFailed);
  EXPECT_EQ(messages.shown[1].style, 48u);
  expectOffers(Restore);
}

TEST_F(MainWindow, OnlyTheAvailablePanelSelectsItsMode) {
  installHandler();
  open();
  SendMessageW(item(kIdPanelRestore), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 5));
  SendMessageW(item(kIdPanelRestore), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  EXPECT_TRUE(checked(kIdOptionRemove));
  EXPECT_FALSE(checked(kIdOptionRestore));
  SendMessageW(item(kIdOptionRemove), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(item(kIdPanelRemove), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 5));
  SendMessageW(item(kIdPanelRemove), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  EXPECT_TRUE(checked(kIdOptionRemove));
}

TEST_F(MainWindow, TabWalksTheTableOrderPastDisabledControls) {
  installHandler();
  open();
  SetForegroundWindow(window->hwnd());
  SetFocus(item(kIdStart));
  std::vector<HWND> visited;
  for (int i = 0; i < 6; ++i) {
    MSG tab = {GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    ASSERT_TRUE(Form::preTranslate(tab));
    visited.push_back(GetFocus());
  }
  // Start, Close, the maker link, the Remove panel, its option; the Restore ones are disabled.
  std::vector<HWND> cycle = {item(kIdClose)};
  if (HWND link = item(kIdMakerLink)) cycle.push_back(link);
  for (HWND next : {item(kIdPanelRemove), item(kIdOptionRemove), item(kIdStart)}) cycle.push_back(next);
  for (size_t i = 0; i < visited.size(); ++i) EXPECT_EQ(visited[i], cycle[i % cycle.size()]) << i;
}

TEST_F(MainWindow, HasAFixedBorderAndHoldsTheShellLibraryUntilUnload) {
  open();
  const LONG style = GetWindowLongW(window->hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT client;
  GetClientRect(window->hwnd(), &client);
  EXPECT_EQ(client.right, window->scale().x(6060));
  EXPECT_GE(client.bottom, window->scale().y(5055));  // taller only where a wider font needs room
  EXPECT_NE(window->shellLibrary(), nullptr);
  SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);  // the title bar's close button
  EXPECT_EQ(window->hwnd(), nullptr);
  EXPECT_EQ(window->shellLibrary(), nullptr);

  open();
  SendMessageW(item(kIdClose), BM_CLICK, 0, 0);
  EXPECT_EQ(window->hwnd(), nullptr);
  EXPECT_EQ(window->shellLibrary(), nullptr);
}

TEST_F(MainWindow, ControlsStackAsTheTableListsThem) {
  open();
  const FormSpec spec = wMain::layout();
  std::vector<std::wstring> expected;
  for (const ControlSpec& c : spec.controls) {
    if (c.container.empty() && window->control(c.name)) expected.push_back(c.name);
  }
  std::vector<std::wstring> stacked;
  for (HWND child = GetWindow(window->hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    for (const ControlSpec& c : spec.controls) {
      if (window->control(c.name) == child) stacked.push_back(c.name);
    }
  }
  EXPECT_EQ(stacked, expected);
}
}  // namespace
