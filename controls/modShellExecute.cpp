#include "controls/modShellExecute.h"

#include <objbase.h>

#include "base/WinHandles.h"
#include "base/AnsiText.h"

#ifndef _WIN64
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the published 32-bit SHELLEXECUTEINFOA layout");
#endif

namespace {
const char kVerb[] = "open";

// ShellExecuteEx may hand a request to a shell extension, which is a COM object: the calling
// thread must be in a single-threaded apartment first. Nothing else here needs COM, so ole32 is
// loaded at the first launch rather than at start-up, and the apartment is left when the program
// ends (on the user-interface thread, the only one that launches).
class ShellApartment {
 public:
  static void enter() { static ShellApartment apartment; }
  ShellApartment(const ShellApartment&) = delete;
  ShellApartment& operator=(const ShellApartment&) = delete;

 private:
  using Initialise = HRESULT(WINAPI*)(LPVOID, DWORD);
  using Uninitialise = void(WINAPI*)();

  ShellApartment() : ole32_(LoadLibraryA("ole32.dll")) {
    const auto initialise = libraryFunction<Initialise>(ole32_.get(), "CoInitializeEx");
    uninitialise_ = libraryFunction<Uninitialise>(ole32_.get(), "CoUninitialize");
    // S_FALSE (already in one) is entered too, and left as often; a thread already in the
    // multithreaded apartment (RPC_E_CHANGED_MODE) stays where it is.
    entered_ = initialise && uninitialise_ &&
               SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~ShellApartment() {
    if (entered_) uninitialise_();
  }

  UniqueModule ole32_;  // released after the apartment is left
  Uninitialise uninitialise_ = nullptr;
  bool entered_ = false;
};

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
  ShellApartment::enter();
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
