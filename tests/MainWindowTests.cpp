// The main window and the switch behind it, on the in-memory registry: what the window offers,
// and what Start changes, reports and offers next under every failure and every change by
// another program that the registry can inject, one at each call Start makes.
#include <algorithm>

#include "app/ControlIds.h"
#include "app/wMain.h"
#include "scripts/driver/Driver.h"
#include "tests/MemoryRegistry.h"
#include "tests/TestSupport.h"

namespace {
using namespace testing_support;
using Op = MemoryRegistry::Op;

const Shown kRemovedBox{kRemoved, L"Success!", MB_ICONINFORMATION}, kRestoredBox{kRestored, L"Success!", MB_ICONINFORMATION};
const Shown kRemoveFailedBox{kRemoveFailed, L"Orvandel", MB_ICONEXCLAMATION};
const Shown kRestoreFailedBox{kRestoreFailed, L"Orvandel", MB_ICONEXCLAMATION};

class MainWindow : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  RecordingPresenter messages;
  std::unique_ptr<wMain> window;
  std::string offeredAfter, stateAfter;  // after the last startAndCheck
  std::string registryOffersAfter() const { return stateAfter.empty() ? "Restore" : "Remove"; }

  void install() { putHandler(registry, "c"); }  // in the computer's classes
  void arrange(bool present) {
    registry.putKey(HKEY_CLASSES_ROOT, "SystemFileAssociations\\.avi\\shellex");
    if (present) install();
  }
  void open(PointerSource* pointer = nullptr) {
    window = std::make_unique<wMain>(AppServices{registry, messages, false, shellDocumentLauncher(), pointer});
    window->show(SW_SHOWNOACTIVATE);
  }
  HWND item(int id) const { return driver::findControl(window->hwnd(), id); }  // in frames and panels too
  bool checked(int id) const { return SendMessageW(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // The one change the window offers, or "mixed" when its parts disagree: the option selected
  // and enabled with its frame and text, its restart note dark red; the other's parts disabled
  // and its note grey (never disabled).
  std::string offered() const {
    auto part = [&](int option, int frame, int info, int note) {
      return std::to_string(checked(option)) + std::to_string(IsWindowEnabled(item(option))) +
             std::to_string(IsWindowEnabled(item(frame))) + std::to_string(IsWindowEnabled(item(info))) +
             (IsWindowEnabled(item(note)) && textColourOf(item(note)) == RGB(128, 0, 0) ? "red" : "") +
             (IsWindowEnabled(item(note)) && textColourOf(item(note)) == RGB(128, 128, 128) ? "grey" : "");
    };
    const std::string parts = part(kIdOptionRemove, kIdFrameRemove, kIdRemoveInfo, kIdRemoveRestartNote) + " " +
                              part(kIdOptionRestore, kIdFrameRestore, kIdRestoreInfo, kIdRestoreRestartNote);
    return parts == "1111red 0000grey" ? "Remove" : parts == "0000grey 1111red" ? "Restore" : "mixed: " + parts;
  }
  std::string state() const { return handlerStores(registry); }
  void pressStart() { SendMessageW(item(kIdStart), BM_CLICK, 0, 0); }

  // One Start in a window opened on the key present or absent, the hook set after opening. Every
  // Start shows one box and leaves no handle open; with failures alone the success box comes only
  // when the change was made, and a failure leaves the key as it was (or, a change whose reading
  // back was refused, as asked).
  void startAndCheck(bool present, const MemoryRegistry::Hook& hook, const std::string& what, bool othersChangeIt) {
    SCOPED_TRACE(what);
    messages.shown.clear();
    arrange(present);
    const std::string before = state();
    open();
    registry.setHook(hook);
    pressStart();
    registry.setHook(nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    const bool succeeded = std::get<1>(messages.shown[0]) == L"Success!";
    EXPECT_EQ(messages.shown[0], present ? (succeeded ? kRemovedBox : kRemoveFailedBox)
                                         : (succeeded ? kRestoredBox : kRestoreFailedBox));
    const std::string changed = present ? "" : "c";
    EXPECT_TRUE(othersChangeIt || state() == changed || (!succeeded && state() == before)) << state();
    EXPECT_EQ(registry.openHandles(), 0u);
    offeredAfter = offered();
    stateAfter = state();
    window.reset();
    registry.removeKeyTree(HKEY_CLASSES_ROOT, "SystemFileAssociations");
  }
  // The calls (all but closing) that Start makes when nothing fails.
  size_t callsOfStart(bool present) {
    size_t calls = 0;
    startAndCheck(present, [&](Op, const std::string&) { return ++calls, LONG(ERROR_SUCCESS); }, "counting", false);
    EXPECT_EQ(stateAfter, present ? "" : "c");
    EXPECT_EQ(offeredAfter, present ? "Restore" : "Remove");  // found through the path without the trailing backslash
    return calls;
  }
};

TEST_F(MainWindow, EachCallOfStartFailingOrAnotherProgramChangingTheKeyThereOrBoth) {
  for (bool present : {true, false}) {
    // Changing it at the first call is changing it between the window's reading and Start.
    for (size_t at = 0, calls = callsOfStart(present); at < calls; ++at) {
      for (LONG code : {LONG(ERROR_ACCESS_DENIED), LONG(ERROR_FILE_NOT_FOUND), LONG(ERROR_SUCCESS)}) {
        const bool changing = code == ERROR_SUCCESS;
        size_t call = 0;
        // A failure in the reading after the box: the computer's key or value reading as missing is
        // no handler; a key that can't be read may register one, so Remove is offered, which may
        // still take it.
        const char* finalReading = nullptr;
        startAndCheck(present, [&](Op, const std::string& path) -> LONG {
          if (call++ != at) return ERROR_SUCCESS;
          if (changing) present ? registry.removeKeyTree(HKEY_CLASSES_ROOT, handler::kPath) : install();
          const bool computers = path.rfind("HKEY_LOCAL_MACHINE", 0) == 0;
          if (!changing && !messages.shown.empty() && (code == ERROR_ACCESS_DENIED || computers)) {
            finalReading = code == ERROR_ACCESS_DENIED ? "Remove" : "Restore";
          }
          return code;
        }, (present ? "remove, call " : "restore, call ") + std::to_string(at) + (changing ? " changes" : " fails"), changing);
        EXPECT_EQ(offeredAfter, finalReading ? finalReading : registryOffersAfter()) << "call " << at;
      }
    }
  }
  // A restore whose write fails takes away only a key it made: one that another program made and
  // filled in the meantime stays as that program left it.
  startAndCheck(false, [&](Op op, const std::string&) -> LONG {
    if (op == Op::Create && !registry.keyExists(HKEY_CLASSES_ROOT, handler::kPath)) install();
    return op == Op::SetValue ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
  }, "filled meanwhile", true);
  EXPECT_EQ(stateAfter, "c");
  EXPECT_EQ(offeredAfter, "Remove");
}

// A failure of any kind (memory running out in the first reading, say) is a refusal with its box;
// the window still offers what it did.
TEST_F(MainWindow, AFailureOfAnyKindIsARefusalWithItsBox) {
  for (bool present : {true, false}) {
    startAndCheck(present, [](Op, const std::string&) -> LONG { throw std::bad_alloc(); }, "memory", false);
    EXPECT_EQ(offeredAfter, present ? "Remove" : "Restore");
  }
}

TEST_F(MainWindow, OnlyTheAvailablePanelSelectsAndTabAndShiftTabWalkTheOrderSkippingTheDisabled) {
  arrange(true);
  open();
  EXPECT_EQ(GetFocus(), item(kIdStart));  // where the window opens with it
  SendMessageW(item(kIdPanelRestore), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 5));
  SendMessageW(item(kIdPanelRestore), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  EXPECT_EQ(offered(), "Remove");
  SendMessageW(item(kIdOptionRemove), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(item(kIdPanelRemove), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 5));
  SendMessageW(item(kIdPanelRemove), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  EXPECT_TRUE(checked(kIdOptionRemove));

  // Tab walks the order round from Start and Shift+Tab back: Start, Close, the maker link, the
  // Remove panel, its option; the Restore ones are disabled, and then the whole order.
  const auto walk = [&](std::vector<int> order) {
    BYTE keys[256] = {};
    for (bool backwards : {false, true}) {
      keys[VK_SHIFT] = backwards ? 0x80 : 0;
      SetKeyboardState(keys);
      if (backwards) std::reverse(order.begin() + 1, order.end());
      SetFocus(item(order[0]));
      for (size_t i = 1; i <= order.size(); ++i) {
        MSG tab = {GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        ASSERT_TRUE(Form::preTranslate(tab));
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), order[i % order.size()]) << (backwards ? "Shift+Tab " : "Tab ") << i;
      }
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  };
  walk({kIdStart, kIdClose, kIdMakerLink, kIdPanelRemove, kIdOptionRemove});
  EnableWindow(item(kIdFrameRestore), TRUE);
  EnableWindow(item(kIdOptionRestore), TRUE);
  walk({kIdStart, kIdClose, kIdMakerLink, kIdPanelRemove, kIdPanelRestore, kIdOptionRemove, kIdOptionRestore});
}

// Idle with the pointer away from its link, the window reads no registry and runs no timer.
TEST_F(MainWindow, IdleCostsNothing) {
  ScriptedPointer pointer;
  SetCursorPos(0, 0);  // the real one away from the window too
  arrange(true);
  open(&pointer);
  pumpUntil([] { return false; }, std::chrono::milliseconds(50));  // what showing it left to do
  int calls = 0, ticks = 0;
  registry.setHook([&](Op, const std::string&) { return ++calls, LONG(ERROR_SUCCESS); });
  pumpUntil([] { return false; }, std::chrono::milliseconds(300), WM_TIMER, &ticks);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(calls, 0);
}
}  // namespace
