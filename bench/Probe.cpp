// Linked into a copy of a window program (never into the shipped one): records, with the
// performance counter, when the program's code is entered, which DLLs load afterwards, when each
// window is created and shown, when each paints, when the top-level windows handle WM_CREATE and
// WM_COMMAND, and when every other message begins and ends. At exit it writes them to PROGRAM.exe.probe beside the program, one
// "ticks event" line each after a "frequency N" line; the bench timers read that file.
// Nothing here changes what the program does: every message goes on to the window's own procedure.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace {
struct Event {
  LONGLONG ticks;
  char what[88];
};

constexpr LONG kMaxEvents = 16384;
Event events[kMaxEvents];
LONG eventCount = 0;
std::unordered_map<HWND, WNDPROC>* originals = nullptr;  // made at entry; never freed (outlives every window)
HHOOK cbtHook = nullptr;

void note(const char* format, ...) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const LONG slot = InterlockedIncrement(&eventCount) - 1;
  if (slot >= kMaxEvents) return;
  events[slot].ticks = now.QuadPart;
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(events[slot].what, sizeof events[slot].what, format, arguments);
  va_end(arguments);
}

// "class#id" for a child, "class" for a top-level window.
void nameOf(HWND window, char* name, int size) {
  char cls[48] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) {
    std::snprintf(name, size, "%s#%d", cls, GetDlgCtrlID(window));
  } else {
    std::snprintf(name, size, "%s", cls);
  }
}

LRESULT CALLBACK watched(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = originals->find(window);
  if (found == originals->end()) return DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC original = found->second;
  const bool topLevel = !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);
  const bool timed = message == WM_PAINT || (topLevel && (message == WM_CREATE || message == WM_COMMAND));
  char name[64] = {};
  if (timed || message == WM_SHOWWINDOW || message == WM_NCDESTROY) nameOf(window, name, sizeof name);
  const char* what = message == WM_PAINT ? "paint" : message == WM_CREATE ? "wm_create" : "command";
  if (timed) note("%s-begin %p %s", what, static_cast<void*>(window), name);
  if (message == WM_SHOWWINDOW && wParam) note("show %p %s", static_cast<void*>(window), name);
  if (message == WM_NCDESTROY) {
    note("destroyed %p %s", static_cast<void*>(window), name);
    originals->erase(found);
  }
  // Every other message, begun and ended: what the program does between the steps above.
  const bool other = !timed;
  if (other) note("msg-begin %p %04x", static_cast<void*>(window), message);
  const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
  if (timed) note("%s-end %p %s", what, static_cast<void*>(window), name);
  if (other) note("msg-end %p %04x", static_cast<void*>(window), message);
  return result;
}

LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    char cls[48] = {};
    GetClassNameA(window, cls, sizeof cls);
    note("create %p %s#%d", static_cast<void*>(window), cls,
         (create->style & WS_CHILD) ? static_cast<int>(reinterpret_cast<INT_PTR>(create->hMenu)) : 0);
    const WNDPROC original =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watched)));
    if (original) (*originals)[window] = original;
  }
  return CallNextHookEx(cbtHook, code, wParam, lParam);
}

// The loader's notice of a DLL loaded or unloaded after entry.
struct CountedText {
  USHORT length, capacity;  // bytes
  const wchar_t* text;
};
struct DllNotice {
  ULONG flags;
  const CountedText* fullName;
  const CountedText* baseName;
  void* base;
  ULONG imageSize;
};
using DllNotified = void(CALLBACK*)(ULONG reason, const DllNotice* notice, void* context);
using RegisterDllNotification = LONG(NTAPI*)(ULONG flags, DllNotified callback, void* context, void** cookie);

void CALLBACK onDll(ULONG reason, const DllNotice* notice, void*) {
  if (reason != 1 || !notice->baseName) return;  // 1: loaded
  char name[64] = {};
  WideCharToMultiByte(CP_ACP, 0, notice->baseName->text, notice->baseName->length / 2, name, sizeof name - 1,
                      nullptr, nullptr);
  note("dll %s %lu", name, notice->imageSize);
}

void writeEvents() {
  if (cbtHook) UnhookWindowsHookEx(cbtHook);
  char path[MAX_PATH + 8] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::strcat(path, ".probe");
  FILE* out = std::fopen(path, "w");
  if (!out) return;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::fprintf(out, "frequency %lld\n", frequency.QuadPart);
  const LONG count = eventCount < kMaxEvents ? eventCount : kMaxEvents;
  for (LONG i = 0; i < count; ++i) std::fprintf(out, "%lld %s\n", events[i].ticks, events[i].what);
  // Every module the process has at its end, with its image size.
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
    std::fprintf(out, "module %s %lu\n", module.szModule, module.modBaseSize);
  }
  CloseHandle(snapshot);
  std::fclose(out);
}

__attribute__((constructor)) void atEntry() {
  note("entry");
  originals = new std::unordered_map<HWND, WNDPROC>;
  cbtHook = SetWindowsHookExW(WH_CBT, onCbt, nullptr, GetCurrentThreadId());
  if (auto registerNotification = reinterpret_cast<RegisterDllNotification>(
          reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "LdrRegisterDllNotification")))) {
    void* cookie = nullptr;
    registerNotification(0, onDll, nullptr, &cookie);
  }
  std::atexit(writeEvents);
}
}  // namespace
