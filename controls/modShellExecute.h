#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

// Opens a file, folder, program or URL through the shell with the verb "open", as a double
// click in Explorer does. `parameters` go to a started program (empty: none); `directory` is its
// working folder (empty: the shell's default); `showCommand` is an SW_* value. With
// `waitForExit` it blocks until the started process has ended (at once when none was started),
// then delivers the window messages that waited meanwhile. It reports nothing: when the target
// can't be opened, the shell shows its own message, owned by `ownerWindow`. Text reaches the
// shell in the system's ANSI code page. The first call puts the thread in a single-threaded COM
// apartment, as the shell requires, for the rest of the program's life.
void LaunchDocument(const std::wstring& target, const std::wstring& parameters, HWND ownerWindow,
                    int32_t showCommand, const std::wstring& directory, bool waitForExit);

// One pass of delivering the window messages waiting in this thread's queue. A quit request
// met on the way is posted again, so the message loop that owns it still ends.
void DeliverPendingMessages();

// The request LaunchDocument gives ShellExecuteExA, its text converted once and held here.
class ShellOpenRequest {
 public:
  ShellOpenRequest(const std::wstring& target, const std::wstring& parameters, HWND ownerWindow,
                   int32_t showCommand, const std::wstring& directory);
  // The record, all zeros but cbSize, fMask (SEE_MASK_NOCLOSEPROCESS), hwnd, lpVerb, lpFile,
  // lpParameters (also when empty), lpDirectory (null when empty) and nShow. Its text points
  // into this object.
  SHELLEXECUTEINFOA record() const;

 private:
  std::string file_, parameters_, directory_;
  HWND ownerWindow_;
  int32_t showCommand_;
};

// How the controls open a document: LaunchDocument in the program, a recorder in tests.
class DocumentLauncher {
 public:
  virtual ~DocumentLauncher() = default;
  virtual void launch(const std::wstring& target, const std::wstring& parameters, HWND ownerWindow,
                      int32_t showCommand, const std::wstring& directory, bool waitForExit) = 0;
};

// The launcher that calls LaunchDocument.
DocumentLauncher& shellDocumentLauncher();
