#include "controls/modShellExecute.h"

#include "base/WinHandles.h"
#include "base/AnsiText.h"
#include "controls/ComApartment.h"

#ifndef _WIN64
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the published 32-bit SHELLEXECUTEINFOA layout");
#endif

namespace {
const char kVerb[] = "open";

class ShellLauncher final : public DocumentLauncher {
 public:
  void launch(const std::wstring& target, const std::wstring& parameters, HWND ownerWindow, int32_t showCommand,
              const std::wstring& directory, bool waitForExit) override {
    LaunchDocument(target, parameters, ownerWindow, showCommand, directory, waitForExit);
  }
};
}  // namespace

ShellOpenRequest::ShellOpenRequest(const std::wstring& target, const std::wstring& parameters, HWND ownerWindow,
                                   int32_t showCommand, const std::wstring& directory)
    : file_(toAnsi(target)),
      parameters_(toAnsi(parameters)),
      directory_(toAnsi(directory)),
      ownerWindow_(ownerWindow),
      showCommand_(showCommand) {}

SHELLEXECUTEINFOA ShellOpenRequest::record() const {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  // Only this flag: the shell hands back the process, and shows its own error messages.
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = ownerWindow_;
  info.lpVerb = kVerb;
  info.lpFile = file_.c_str();
  info.lpParameters = parameters_.c_str();
  info.lpDirectory = directory_.empty() ? nullptr : directory_.c_str();
  info.nShow = showCommand_;
  return info;
}

void LaunchDocument(const std::wstring& target, const std::wstring& parameters, HWND ownerWindow,
                    int32_t showCommand, const std::wstring& directory, bool waitForExit) {
  const ShellOpenRequest request(target, parameters, ownerWindow, showCommand, directory);
  SHELLEXECUTEINFOA info = request.record();
  // The request may go to a shell extension, a COM object.
  enterSingleThreadedApartment();
  ShellExecuteExA(&info);  // failures are the shell's to report
  // The process handle serves only the wait; it is released on every path.
  const UniqueProcess process(info.hProcess);
  if (!waitForExit) return;
  WaitForSingleObject(process.get(), INFINITE);  // no process: fails, and so returns at once
  DeliverPendingMessages();
}

void DeliverPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

DocumentLauncher& shellDocumentLauncher() {
  static ShellLauncher launcher;
  return launcher;
}
