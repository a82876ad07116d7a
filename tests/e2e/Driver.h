#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Drives the real program from outside, as an automation tool would: finds its windows and
// controls, reads their state, presses buttons and answers message boxes.
namespace driver {

// Polls until the condition holds or the time is up; the machine may be busy, so be generous.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(20));

// The folder of this program, where orvandel.exe and url_recorder.exe are built too.
std::string ownFolder();

// A started orvandel.exe, ended (if still running) when this goes.
class Program {
 public:
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HANDLE process() const { return process_; }
  DWORD id() const { return id_; }
  bool running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
  bool waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;
  // The main window once it is shown (nullptr after the time-out).
  HWND mainWindow() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// A visible top-level window of the process with that class and caption (caption may be empty).
HWND findTopWindow(DWORD processId, const char* className, const char* caption);
// A control anywhere below a window, by its identifier.
HWND findControl(HWND window, int id);
std::string windowText(HWND window);
// A control anywhere below a window by its class and exact text (nullptr when there is none).
HWND findByText(HWND window, const char* className, const std::string& text);
// Moves the real pointer to the middle of a window and clicks there with that button.
void clickCentre(HWND window, DWORD downFlag = MOUSEEVENTF_LEFTDOWN, DWORD upFlag = MOUSEEVENTF_LEFTUP);

// Points the prefix's http and https open commands at url_recorder.exe for the life of this
// object and reads what the shell handed it.
class BrowserStandIn {
 public:
  BrowserStandIn();
  ~BrowserStandIn();
  BrowserStandIn(const BrowserStandIn&) = delete;
  BrowserStandIn& operator=(const BrowserStandIn&) = delete;
  // The addresses received so far, in order (the command lines' last argument).
  std::vector<std::string> addresses() const;
  bool waitForAddresses(size_t count) const;
};
bool isChecked(HWND button);
// Presses a button the way a click would, without waiting for what the press opens.
void press(HWND button);

// A message box of the process: its caption, its text, and OK.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string caption;
  std::string text;
};
MessageBoxSeen waitForMessageBox(DWORD processId);
void answer(const MessageBoxSeen& box);

// The handler key's default value, or nothing.
struct HandlerValue {
  bool keyExists = false;
  bool valueExists = false;
  DWORD type = 0;
  std::string data;  // all stored bytes, the terminator included
};
HandlerValue readHandler();
void installHandler();
void removeHandler();

}  // namespace driver
