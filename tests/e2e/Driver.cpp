#include "tests/e2e/Driver.h"

#include <thread>

namespace driver {
namespace {
const char kHandlerPath[] = "SystemFileAssociations\\.avi\\shellex\\PropertyHandler";
const char kClassId[] = "{87D62D94-71B3-4b9a-9489-5FE6850DC73E}";
}  // namespace

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string ownFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

Program::Program() {
  std::string command = "\"" + ownFolder() + "orvandel.exe\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

Program::~Program() {
  if (!process_) return;
  if (running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool Program::waitForExit(std::chrono::milliseconds timeout) const {
  return WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

HWND Program::mainWindow() const {
  HWND found = nullptr;
  waitFor([&] { return (found = findTopWindow(id_, "Orvandel.wMain", "Orvandel")) != nullptr; });
  return found;
}

HWND findTopWindow(DWORD processId, const char* className, const char* caption) {
  struct Search { DWORD pid; const char* cls; const char* caption; HWND found; } search{processId, className, caption, nullptr};
  EnumWindows([](HWND window, LPARAM param) CALLBACK -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (pid == s->pid && IsWindowVisible(window) && lstrcmpA(cls, s->cls) == 0 &&
        (!*s->caption || windowText(window) == s->caption)) {
      s->found = window;
      return FALSE;
    }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND findControl(HWND window, int id) {
  struct Search { int id; HWND found; } search{id, nullptr};
  EnumChildWindows(window, [](HWND child, LPARAM param) CALLBACK -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    if (GetDlgCtrlID(child) == s->id) s->found = child;
    return s->found ? FALSE : TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string windowText(HWND window) {
  char text[1024] = {};
  // Through the message, so it works across processes for controls too.
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

HWND findByText(HWND window, const char* className, const std::string& text) {
  struct Search { const char* cls; const std::string* text; HWND found; } search{className, &text, nullptr};
  EnumChildWindows(window, [](HWND child, LPARAM param) CALLBACK -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, s->cls) == 0 && windowText(child) == *s->text) s->found = child;
    return s->found ? FALSE : TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void clickCentre(HWND window, DWORD downFlag, DWORD upFlag) {
  RECT area;
  GetWindowRect(window, &area);
  const POINT target{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  SetCursorPos(target.x, target.y);
  waitFor([&] {
    POINT now;
    return GetCursorPos(&now) && now.x == target.x && now.y == target.y;
  }, std::chrono::seconds(5));
  // Every event carries the position itself: a button event taken at the pointer's previous
  // place would click whatever was there.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(target.x, 65535, width - 1);
    input.mi.dy = MulDiv(target.y, 65535, height - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = downFlag | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = upFlag | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, inputs, sizeof(INPUT));
}

namespace {
std::string recorderLog() { return ownFolder() + "url_recorder.log"; }

void setOpenCommand(const char* scheme, const std::string& command) {
  const std::string path = std::string(scheme) + "\\shell\\open\\command";
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);
  }
}
}  // namespace

BrowserStandIn::BrowserStandIn() {
  DeleteFileA(recorderLog().c_str());
  const std::string command = "\"" + ownFolder() + "url_recorder.exe\" \"%1\"";
  setOpenCommand("http", command);
  setOpenCommand("https", command);
}

BrowserStandIn::~BrowserStandIn() {
  // Wine's own browser hand-off again, as a fresh prefix has it.
  setOpenCommand("http", "\"C:\\windows\\system32\\winebrowser.exe\" -nohome \"%1\"");
  setOpenCommand("https", "\"C:\\windows\\system32\\winebrowser.exe\" -nohome \"%1\"");
}

std::vector<std::string> BrowserStandIn::addresses() const {
  std::vector<std::string> found;
  HANDLE file = CreateFileA(recorderLog().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return found;
  std::string content(1 << 16, '\0');
  DWORD read = 0;
  ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
  CloseHandle(file);
  content.resize(read);
  size_t start = 0;
  for (size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // The address is the last argument, in the quotes the open command put around it.
    const size_t close = line.find_last_of('"');
    const size_t open = close == std::string::npos || close == 0 ? std::string::npos : line.find_last_of('"', close - 1);
    found.push_back(open == std::string::npos ? line : line.substr(open + 1, close - open - 1));
  }
  return found;
}

bool BrowserStandIn::waitForAddresses(size_t count) const {
  return waitFor([&] { return addresses().size() >= count; });
}

bool isChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

MessageBoxSeen waitForMessageBox(DWORD processId) {
  MessageBoxSeen box;
  waitFor([&] { return (box.window = findTopWindow(processId, "#32770", "")) != nullptr; });
  if (!box.window) return box;
  box.caption = windowText(box.window);
  waitFor([&] { return !(box.text = windowText(GetDlgItem(box.window, 0xFFFF))).empty(); }, std::chrono::seconds(5));
  return box;
}

void answer(const MessageBoxSeen& box) {
  if (HWND ok = GetDlgItem(box.window, IDOK)) {
    PostMessageA(ok, BM_CLICK, 0, 0);
  } else {
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
  }
  waitFor([&] { return !IsWindow(box.window); });
}

HandlerValue readHandler() {
  HandlerValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHandlerPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return value;
  value.keyExists = true;
  char data[256] = {};
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, "", nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
    value.valueExists = true;
    value.data.assign(data, size);
  }
  RegCloseKey(key);
  return value;
}

void installHandler() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kHandlerPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(kClassId), sizeof kClassId);
    RegCloseKey(key);
  }
}

void removeHandler() { RegDeleteKeyA(HKEY_CLASSES_ROOT, kHandlerPath); }

}  // namespace driver
