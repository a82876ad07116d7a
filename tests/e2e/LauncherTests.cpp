// LaunchDocument against the real shell of the Wine prefix: the http and https open commands
// point at url_recorder.exe, which writes down the command line the shell gave it.
#include <gtest/gtest.h>
#include <objbase.h>
#include <tlhelp32.h>

#include <thread>

#include "base/WinHandles.h"
#include "controls/modShellExecute.h"
#include "scripts/driver/Driver.h"
#include "tests/e2e/BrowserStandIn.h"

namespace {
const std::string kRecorder = driver::ownFolder() + "url_recorder.exe";

// Ends every program this process started, as a watchdog does when a wait went on too long.
void endStartedPrograms() {
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
    UniqueProcess child(entry.th32ParentProcessID == GetCurrentProcessId()
                            ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID) : nullptr);
    if (child) TerminateProcess(child.get(), 1);
  }
}

// A launch that waits for the started program, on this thread as in the program; if that program
// has not ended within the limit, it is ended and the launch reported as hung, so a test fails in
// seconds instead of hanging the suite.
bool launchAndWaitEnded(const std::wstring& target, DWORD limitMs) {
  UniqueFile returned(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  bool hung = false;
  std::thread watchdog([&] {
    if (WaitForSingleObject(returned.get(), limitMs) == WAIT_TIMEOUT) hung = true, endStartedPrograms();
  });
  LaunchDocument(target, L"", nullptr, SW_SHOWNORMAL, L"", true);
  SetEvent(returned.get());
  watchdog.join();
  return !hung;
}

TEST(Launcher, TheShellReceivesAddressesAndParametersUnchanged) {
  BrowserStandIn browser;
  LaunchDocument(L"http://www.tesquinesolutions.example/index.php?id=orvandel", L"", nullptr, SW_SHOWNORMAL, L"", false);
  ASSERT_TRUE(driver::waitFor([&] { return browser.commandLines().size() == 1; }));
  // The shell was asked from a single-threaded apartment, which it requires (nothing before the
  // first launch in this process made one): the thread can no longer join the multithreaded one.
  const HRESULT joined = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(joined)) CoUninitialize();
  EXPECT_EQ(joined, RPC_E_CHANGED_MODE);
  LaunchDocument(L"https://www.tesquinesolutions.example/?from=orvandel", L"", nullptr, SW_SHOWNORMAL, L"", false);
  ASSERT_TRUE(driver::waitFor([&] { return browser.commandLines().size() == 2; }));
  const std::wstring program(kRecorder.begin(), kRecorder.end());
  LaunchDocument(program, L"first second", nullptr, SW_SHOWNORMAL, L"C:\\windows", true);
  LaunchDocument(program, L"", nullptr, SW_SHOWNORMAL, L"", true);
  const std::string quoted = "\"" + kRecorder + "\"";
  EXPECT_EQ(browser.commandLines(),
            (std::vector<std::string>{quoted + " \"http://www.tesquinesolutions.example/index.php?id=orvandel\"",
                                      quoted + " \"https://www.tesquinesolutions.example/?from=orvandel\"",
                                      quoted + " first second", quoted}));
}

TEST(Launcher, WaitingReturnsOnlyAfterTheStartedProgramEnded) {
  BrowserStandIn browser("--sleep 1500 ");
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(launchAndWaitEnded(L"http://www.tesquinesolutions.example/index.php?id=donation", 30000))
      << "the program the shell started did not end; the prefix's http open command is now: "
      << driver::classesDefault("http\\shell\\open\\command");
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  // The recorder writes its line after its sleep, just before it ends.
  EXPECT_EQ(browser.addresses(), std::vector<std::string>{"http://www.tesquinesolutions.example/index.php?id=donation"});
  browser.forget();  // without the wait the call is back long before
  LaunchDocument(L"http://www.tesquinesolutions.example/", L"", nullptr, SW_SHOWNORMAL, L"", false);
  EXPECT_TRUE(browser.commandLines().empty());
  EXPECT_TRUE(driver::waitFor([&] { return browser.commandLines().size() == 1; }));  // done before the command is put back
}
}  // namespace
