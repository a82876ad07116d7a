#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "controls/ScreenScale.h"

class DocumentLauncher;

// Where the hyperlink's hover check reads the pointer and its own window rectangle, both in
// screen pixels: GetCursorPos/GetWindowRect in the program, a scripted source in tests.
class PointerSource {
 public:
  virtual ~PointerSource() = default;
  virtual bool cursorPos(POINT& position) = 0;
  virtual bool windowRect(HWND window, RECT& rect) = 0;
};

PointerSource& systemPointer();

// The folder of the program's executable file: no trailing backslash, except a drive root
// ("C:\Tools", "C:\").
std::wstring executableFolder();

// What a hyperlink talks to outside itself, chosen when it is created; the defaults are the
// real ones. Objects given here must outlive the link.
struct HyperLinkServices {
  DocumentLauncher* launcher = nullptr;   // nullptr: the shell (LaunchDocument)
  PointerSource* pointer = nullptr;       // nullptr: GetCursorPos and GetWindowRect
  std::optional<std::wstring> appFolder;  // nothing: executableFolder()
  // The scale its window is laid out with, which its font then takes; nothing: the screen's.
  std::optional<ScreenScale> scale;
};
