#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "scripts/driver/HandlerKey.h"

// Drives the real program from outside, as an automation tool would: finds its windows and
// controls, reads their state, presses buttons and answers message boxes; sets up the handler
// key. Shared by the end-to-end tests, the screenshot steps and the bench.
namespace driver {

// Polls until the condition holds or the time is up; the machine may be busy, so be generous.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(20));

// The folder of this program, where orvandel.exe and url_recorder.exe are built too.
std::string ownFolder();

// A started orvandel.exe (with these arguments), as Explorer starts it, without a console; ended
// (if still running) when this goes. `path` starts another copy of it. A DLL named in `nativeFirst`
// ("oleacc") is looked for as Windows looks for it, beside the program before the system's copy:
// Wine's per-program DllOverrides for the copy's file name, set while this lives (Wine prefers its
// own copy otherwise, and takes WINEDLLOVERRIDES from its own start, not from a parent's setting).
class Program {
 public:
  explicit Program(const std::string& arguments = "", const std::string& path = ownFolder() + "orvandel.exe",
                   const std::string& nativeFirst = "");
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HANDLE process() const { return process_; }
  DWORD id() const { return id_; }
  bool running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
  bool waitForExit() const { return WaitForSingleObject(process_, 20000) == WAIT_OBJECT_0; }
  DWORD exitCode() const;
  // The main window once it is shown (nullptr after the time-out).
  HWND mainWindow() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  std::string overridesKey_;
};

// orvandel.exe run as a script runs it (with these arguments), its output into a pipe: the exit
// code (0xFFFF when it could not start or was still running after the time-out, a window shown,
// say, and ended) and what it wrote.
struct Scripted {
  DWORD exit = 0xFFFF;
  std::string output;
};
Scripted runScripted(const std::string& arguments);

// A visible top-level window of the process with that class and caption (caption may be empty).
HWND findTopWindow(DWORD processId, const char* className, const char* caption);
// A control anywhere below a window, by its identifier, or by its class and exact text.
HWND findControl(HWND window, int id);
HWND findByText(HWND window, const char* className, const std::string& text);
std::string windowText(HWND window);
bool isChecked(HWND button);
// Presses a button the way a click would, without waiting for what the press opens.
void press(HWND button);
// Moves the real pointer there; clicks the middle of a window with the real pointer.
void movePointer(int x, int y);
void clickCentre(HWND window);

// A message box of the process: its caption, its text, and OK.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string caption, text;
};
MessageBoxSeen waitForMessageBox(DWORD processId);
void answer(const MessageBoxSeen& box);

// The handler key as one store holds it (HKEY_LOCAL_MACHINE: the computer's classes,
// HKEY_CURRENT_USER: the user's), in words: "no key", "a key that can't be read", "a key without
// its value", or "type N: " and every stored byte, the terminator included.
std::string handlerState(HKEY store = HKEY_LOCAL_MACHINE);
// With another default value (another handler's identifier), or with none (nullptr): the key
// alone, as a broken uninstaller may leave it.
void installHandler(HKEY store = HKEY_LOCAL_MACHINE, const char* classId = handler::kClassId);
void removeHandler(HKEY store = HKEY_LOCAL_MACHINE);
// Gives the computer's key a subkey (held) or takes it away: a real refusal of its deletion.
bool holdHandler(bool held);
// Gives a key a DACL that denies everyone reading and changing it (querying and setting values,
// making subkeys), as a policy or another program may, or one that allows all; the system's
// result. Wine keeps it while its server runs.
LONG lockKey(HKEY root, const std::string& path, bool locked);
// Which stores hold the key with its class identifier: u the user's, c the computer's; ? for a
// store holding it otherwise.
std::string handlerStores();

// The default value of a key below HKEY_CLASSES_ROOT (empty when it has none), and setting it.
std::string classesDefault(const std::string& path);
void setClassesDefault(const std::string& path, const std::string& text);

}  // namespace driver
