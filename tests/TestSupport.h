#pragma once
// What the tests share: recorders standing in for the message box and the shell, one message pump,
// a window to hold controls, the screen's pixels, what a screen reader hears, the registry error.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/Form.h"
#include "app/MessagePresenter.h"
#include "base/WinHandles.h"
#include "controls/HyperLinkServices.h"
#include "controls/modShellExecute.h"
#include "registry/RegistryError.h"
#include "scripts/driver/HandlerKey.h"
#include "tests/MemoryRegistry.h"

// Text as the registry stores it, with its terminator unless told otherwise.
inline std::vector<BYTE> bytesOf(const std::string& text, bool terminated = true) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  if (terminated) bytes.push_back(0);
  return bytes;
}

namespace testing_support {

// What the switch says, word for word.
const std::wstring kRemoved = L"AVI Previewing has been successfully removed.";
const std::wstring kRestored = L"AVI Previewing has been successfully restored.";
const std::wstring kNoRights = L"feature. Do you have administrator priviledges?";
const std::wstring kRemoveFailed =
    L"AVI Previewing wasn't disabled.\r\n\r\nThere was an error while trying to remove the AVI Previewing\r\n" + kNoRights;
const std::wstring kRestoreFailed =
    L"AVI Previewing wasn't restored.\r\n\r\nThere was an error while trying to restore the AVI Previewing\r\n" + kNoRights;

// A message box: its prompt, caption and style.
using Shown = std::tuple<std::wstring, std::wstring, UINT>;
class RecordingPresenter final : public MessagePresenter {
 public:
  std::vector<Shown> shown;
  bool seen = true;
  void show(HWND, const std::wstring& prompt, const std::wstring& caption, UINT style) override {
    shown.emplace_back(prompt, caption, style);
  }
  bool seenBySomeone() override { return seen; }
};

// The pointer where a test puts it: far from every window until then.
class ScriptedPointer final : public PointerSource {
 public:
  POINT at{-1000, -1000};
  bool cursorPos(POINT& position) override { return position = at, true; }
  bool windowRect(HWND window, RECT& rect) override { return GetWindowRect(window, &rect) != FALSE; }
};

// What a document launcher was given: target, parameters, folder, show command, whether it waits;
// `onLaunch` looks at the world as each launch finds it.
using Launch = std::tuple<std::wstring, std::wstring, std::wstring, int32_t, bool>;
class RecordingLauncher final : public DocumentLauncher {
 public:
  std::vector<Launch> launches;
  std::function<void()> onLaunch;
  void launch(const std::wstring& target, const std::wstring& parameters, HWND, int32_t show,
              const std::wstring& directory, bool wait) override {
    launches.emplace_back(target, parameters, directory, show, wait);
    if (onLaunch) onLaunch();
  }
};

// Delivers this thread's messages, through the windows' own keyboard handling as the program's
// loop does, until the condition holds or the time is up; true if it held. With `count`, how many
// messages of the kind `counted` were delivered is added to it.
inline bool pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10),
                      UINT counted = 0, int* count = nullptr) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (count && message.message == counted) ++*count;
      if (Form::preTranslate(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// A shown top-level window to hold controls.
class HostWindow {
 public:
  explicit HostWindow(DWORD style = WS_OVERLAPPEDWINDOW) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Orvandel.TestHost";
    RegisterClassW(&windowClass);  // fails harmlessly once it is registered
    window_.reset(CreateWindowExW(0, windowClass.lpszClassName, L"Control test", style | WS_CLIPCHILDREN, 40, 40, 480,
                                  200, nullptr, nullptr, nullptr, nullptr));
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    pumpUntil([] { return true; });
  }
  HWND hwnd() const { return window_.get(); }

 private:
  UniqueWindow window_;  // destroyed with this (a window a test closed is no window: no harm)
};

// The text colour a label's parent gives it when it is drawn.
inline COLORREF textColourOf(HWND label) {
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

// The colours a window's client rectangle shows on the screen, with how many pixels show each
// (Wine answers GetPixel only on the screen's DC).
inline std::map<COLORREF, int> screenColours(HWND window, const RECT& client) {
  HDC screen = GetDC(nullptr);
  std::map<COLORREF, int> colours;
  for (int y = client.top; y < client.bottom; ++y) {
    for (int x = client.left; x < client.right; ++x) {
      POINT point{x, y};
      ClientToScreen(window, &point);
      ++colours[GetPixel(screen, point.x, point.y)];
    }
  }
  ReleaseDC(nullptr, screen);
  return colours;
}

// How many pixels of a window's client rectangle show exactly that colour on the screen.
inline int countPixels(HWND window, const RECT& client, COLORREF colour) {
  return screenColours(window, client)[colour];
}

// A control's accessible object, asked for as a screen reader asks (the caller releases it).
inline IAccessible* objectOf(HWND window) {
  IAccessible* object = nullptr;
  // __uuidof, not IID_IAccessible: the x86_64 import library names a thunk by that symbol.
  EXPECT_HRESULT_SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&object)));
  return object;
}
const VARIANT kSelf = [] { VARIANT self{}; return self.vt = VT_I4, self; }();  // CHILDID_SELF

// What a screen reader hears of a control: role, name, states, default action.
struct Heard { LONG role = 0; std::wstring name; LONG states = 0; std::wstring action; };
inline Heard hear(HWND window) {
  Heard heard;
  IAccessible* object = objectOf(window);
  if (!object) return heard;
  VARIANT value{};
  if (SUCCEEDED(object->get_accRole(kSelf, &value))) heard.role = value.lVal;
  if (SUCCEEDED(object->get_accState(kSelf, &value))) heard.states = value.lVal;
  for (auto [get, text] : {std::pair{&IAccessible::get_accName, &heard.name}, {&IAccessible::get_accDefaultAction, &heard.action}}) {
    BSTR got = nullptr;
    if ((object->*get)(kSelf, &got) == S_OK && got) *text = got;
    SysFreeString(got);
  }
  object->Release();
  return heard;
}

// The handler's stores in the in-memory registry, by letter: u the user's classes, c the
// computer's, w the copy of the computer's that 64-bit Windows XP and Vista show 32-bit programs;
// in capitals, the key there without the class identifier (left so by a broken uninstaller).
inline std::pair<HKEY, std::string> handlerStore(char letter) {
  letter = static_cast<char>(tolower(letter));
  return {letter == 'u' ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, letter == 'w' ? handler::kInRedirectedClasses : handler::kInClasses};
}
inline const std::vector<BYTE> kHandlerClassId(handler::kClassIdStored.begin(), handler::kClassIdStored.end());
inline void putHandler(MemoryRegistry& registry, const std::string& stores) {
  for (char s : stores) {
    const auto [root, path] = handlerStore(s);
    isupper(s) ? registry.putKey(root, path) : registry.putValue(root, path, "", REG_SZ, kHandlerClassId);
  }
}
// The stores holding the key, as putHandler takes them.
inline std::string handlerStores(const MemoryRegistry& registry) {
  std::string held;
  for (char letter : {'u', 'c', 'w'}) {
    const auto [root, path] = handlerStore(letter);
    const auto value = registry.value(root, path, "");
    const bool classId = value && value->type == REG_SZ && value->data == kHandlerClassId;
    if (classId || registry.keyExists(root, path)) held += classId ? letter : static_cast<char>(toupper(letter));
  }
  return held;
}

// The error of that kind (the registry's unless told) an operation raises; none fails the test.
template <typename Error = RegistryError, typename F>
Error errorOf(F&& operation) {
  try {
    operation();
  } catch (const Error& error) {
    return error;
  }
  ADD_FAILURE() << "no error raised";
  return Error(0, {});
}

}  // namespace testing_support
