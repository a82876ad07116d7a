#include "app/ConsoleOutput.h"

#include <windows.h>

#include "base/WinHandles.h"
#include "base/Words.h"

namespace {
bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != FALSE;
}

// A file, a pipe, a device such as NUL, or a console that answers.
bool isUsable(HANDLE handle) {
  return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

class StartingConsole final : public TextOutput {
 public:
  StartingConsole() {
    open();
    // A raster font shows the console's code page alone, and a redirection is read in it. With
    // neither, the words go to a box, which shows every language.
    if (target_) speakOnConsole(codePage_);
  }
  bool reachesSomeone() override { return target_ != nullptr; }
  void writeLine(const std::wstring& line) override {
    if (!reachesSomeone()) return;
    const std::wstring text = line + L"\r\n";
    DWORD written = 0;
    if (isConsole(target_)) {
      WriteConsoleW(target_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      return;
    }
    // A script reads a redirection in its console's code page.
    const int size = WideCharToMultiByte(codePage_, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0) return;
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage_, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    WriteFile(target_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }

 private:
  void open() {
    // Taken before attaching, which may hand out the console's own handles instead of the
    // starter's redirection. A handle of the parent's console works only once attached.
    const HANDLE given = GetStdHandle(STD_OUTPUT_HANDLE);
    AttachConsole(ATTACH_PARENT_PROCESS);  // refused when there is none, or one is attached already
    const UINT consolePage = GetConsoleOutputCP();
    codePage_ = consolePage ? consolePage : GetOEMCP();
    if (isUsable(given)) {
      target_ = given;
      return;
    }
    const HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) console_.reset(console);
    target_ = console_.get();
  }

  HANDLE target_ = nullptr;
  UniqueFile console_;
  UINT codePage_ = CP_OEMCP;
};
}  // namespace

TextOutput& startingConsole() {
  static StartingConsole console;
  return console;
}
