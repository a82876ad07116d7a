#include "scripts/driver/Driver.h"

#include <shlwapi.h>

#include <thread>

#include "base/WinHandles.h"
#include "scripts/driver/HandlerKey.h"

namespace driver {

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
  const std::string file(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return file.substr(0, file.find_last_of('\\') + 1);
}

Program::Program(const std::string& arguments, const std::string& path, const std::string& nativeFirst) {
  if (!nativeFirst.empty()) {
    overridesKey_ = "Software\\Wine\\AppDefaults\\" + path.substr(path.find_last_of('\\') + 1);
    if (SHSetValueA(HKEY_CURRENT_USER, (overridesKey_ + "\\DllOverrides").c_str(), nativeFirst.c_str(), REG_SZ,
                    "native,builtin", sizeof "native,builtin") != ERROR_SUCCESS) {
      return;  // not started: a test would otherwise pass without the DLL ever being offered
    }
  }
  std::string command = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  // As Explorer starts it: no console, no standard handles passed on.
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

DWORD Program::exitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

Program::~Program() {
  if (!overridesKey_.empty()) SHDeleteKeyA(HKEY_CURRENT_USER, overridesKey_.c_str());
  if (!process_) return;
  if (running()) TerminateProcess(process_, 1), WaitForSingleObject(process_, 5000);
  CloseHandle(process_);
}

HWND Program::mainWindow() const {
  HWND found = nullptr;
  waitFor([&] { return (found = findTopWindow(id_, "Orvandel.wMain", "Orvandel")) != nullptr; });
  return found;
}

Scripted runScripted(const std::string& arguments) {
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherited, 1 << 16)) return {};
  UniqueFile reader(readEnd), writer(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  PROCESS_INFORMATION info = {};
  std::string command = "\"" + ownFolder() + "orvandel.exe\" " + arguments;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) return {};
  UniqueProcess process(info.hProcess), thread(info.hThread);
  writer.reset();  // the pipe ends when the program's end of it closes
  Scripted result;
  if (WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 0xFFFF);
    return result;
  }
  GetExitCodeProcess(info.hProcess, &result.exit);
  // All it wrote is in the pipe now; what waits is read without waiting for the pipe's end, which
  // another process of the system (a console host) may still hold.
  char buffer[4096];
  DWORD waiting = 0, read = 0;
  while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
         ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    result.output.append(buffer, read);
  }
  return result;
}

namespace {
// The first window among those enumerated that the test accepts.
template <typename Test>
HWND firstWindow(HWND parent, Test test) {
  struct Search { Test* test; HWND found; } search{&test, nullptr};
  const WNDENUMPROC visit = [](HWND window, LPARAM param) CALLBACK -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    if ((*s->test)(window)) s->found = window;
    return s->found ? FALSE : TRUE;
  };
  if (parent) EnumChildWindows(parent, visit, reinterpret_cast<LPARAM>(&search));
  else EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool hasClass(HWND window, const char* className) {
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  return lstrcmpiA(cls, className) == 0;
}
}  // namespace

HWND findTopWindow(DWORD processId, const char* className, const char* caption) {
  return firstWindow(nullptr, [&](HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == processId && IsWindowVisible(window) && hasClass(window, className) &&
           (!*caption || windowText(window) == caption);
  });
}

HWND findControl(HWND window, int id) {
  return firstWindow(window, [&](HWND child) { return GetDlgCtrlID(child) == id; });
}

HWND findByText(HWND window, const char* className, const std::string& text) {
  return firstWindow(window, [&](HWND child) { return hasClass(child, className) && windowText(child) == text; });
}

std::string windowText(HWND window) {
  char text[1024] = {};
  // Through the message, so it works across processes for controls too.
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

bool isChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

namespace {
// Every event carries the position itself: a button event taken at the pointer's previous
// place would act on whatever was there.
INPUT mouseInput(POINT at, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}
}  // namespace

void movePointer(int x, int y) {
  SetCursorPos(x, y);
  INPUT move = mouseInput({x, y}, MOUSEEVENTF_MOVE);
  SendInput(1, &move, sizeof move);
}

void clickCentre(HWND window) {
  RECT area;
  GetWindowRect(window, &area);
  const POINT target{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  SetCursorPos(target.x, target.y);
  waitFor([&] {
    POINT now;
    return GetCursorPos(&now) && now.x == target.x && now.y == target.y;
  }, std::chrono::seconds(5));
  INPUT inputs[3] = {mouseInput(target, MOUSEEVENTF_MOVE), mouseInput(target, MOUSEEVENTF_LEFTDOWN),
                     mouseInput(target, MOUSEEVENTF_LEFTUP)};
  SendInput(3, inputs, sizeof(INPUT));
}

MessageBoxSeen waitForMessageBox(DWORD processId) {
  MessageBoxSeen box;
  waitFor([&] { return (box.window = findTopWindow(processId, "#32770", "")) != nullptr; });
  if (!box.window) return box;
  box.caption = windowText(box.window);
  waitFor([&] { return !(box.text = windowText(GetDlgItem(box.window, 0xFFFF))).empty(); }, std::chrono::seconds(5));
  return box;
}

void answer(const MessageBoxSeen& box) {
  if (HWND ok = GetDlgItem(box.window, IDOK)) PostMessageA(ok, BM_CLICK, 0, 0);
  else PostMessageA(box.window, WM_COMMAND, IDOK, 0);
  waitFor([&] { return !IsWindow(box.window); });
}

std::string handlerState(HKEY store) {
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExA(store, handler::kInClasses.c_str(), 0, KEY_QUERY_VALUE, &key);
  if (opened != ERROR_SUCCESS) return opened == ERROR_FILE_NOT_FOUND ? "no key" : "a key that can't be read";
  char data[256] = {};
  DWORD type = 0, size = sizeof data;
  const LONG read = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS) return "a key without its value";
  return "type " + std::to_string(type) + ": " + std::string(data, size);
}

std::string classesDefault(const std::string& path) {
  char data[2048] = {};
  LONG size = sizeof data;
  return RegQueryValueA(HKEY_CLASSES_ROOT, path.c_str(), data, &size) == ERROR_SUCCESS ? data : "";
}

static void setDefault(HKEY root, const std::string& path, const std::string& text) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return;
  RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
}

void setClassesDefault(const std::string& path, const std::string& text) { setDefault(HKEY_CLASSES_ROOT, path, text); }

void installHandler(HKEY store, const char* classId) {
  if (classId) return setDefault(store, handler::kInClasses, classId);
  HKEY key = nullptr;
  if (RegCreateKeyExA(store, handler::kInClasses.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegCloseKey(key);
  }
}

void removeHandler(HKEY store) { RegDeleteKeyA(store, handler::kInClasses.c_str()); }

std::string handlerStores() {
  std::string held;
  for (const auto& [letter, store] : {std::pair{'u', HKEY_CURRENT_USER}, {'c', HKEY_LOCAL_MACHINE}}) {
    const std::string state = handlerState(store);
    if (state != "no key") held += state == "type 1: " + handler::kClassIdStored ? letter : '?';
  }
  return held;
}

bool holdHandler(bool held) {
  const std::string path = handler::kInClasses + "\\Held";
  if (!held) return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()) == ERROR_SUCCESS;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return false;
  RegCloseKey(key);
  return true;
}

LONG lockKey(HKEY root, const std::string& path, bool locked) {
  HKEY key = nullptr;
  if (LONG opened = RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC | KEY_WOW64_64KEY, &key)) return opened;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  alignas(DWORD) BYTE buffer[256];
  auto* acl = reinterpret_cast<PACL>(buffer);
  InitializeAcl(acl, sizeof buffer, ACL_REVISION);
  if (locked) AddAccessDeniedAce(acl, ACL_REVISION, KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone);
  AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
  const LONG result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
  FreeSid(everyone);
  RegCloseKey(key);
  return result;
}

}  // namespace driver
