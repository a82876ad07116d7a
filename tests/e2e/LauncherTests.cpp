// LaunchDocument against the real shell of the Wine prefix: the http and https open commands
// point at url_recorder.exe, which writes down the command line the shell gave it.
#include <gtest/gtest.h>

#include "controls/modShellExecute.h"
#include "scripts/driver/Driver.h"
#include "tests/e2e/BrowserStandIn.h"

namespace {
const std::string kRecorder = driver::ownFolder() + "url_recorder.exe";

TEST(Launcher, TheShellReceivesAddressesAndParametersUnchanged) {
  BrowserStandIn browser;
  LaunchDocument(L"http://www.tesquinesolutions.example/index.php?id=orvandel", L"", nullptr, SW_SHOWNORMAL, L"", false);
  ASSERT_TRUE(driver::waitFor([&] { return browser.commandLines().size() == 1; }));
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
  LaunchDocument(L"http://www.tesquinesolutions.example/index.php?id=donation", L"", nullptr, SW_SHOWNORMAL, L"", true);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  // The recorder writes its line after its sleep, just before it ends.
  EXPECT_EQ(browser.addresses(), std::vector<std::string>{"http://www.tesquinesolutions.example/index.php?id=donation"});
  browser.forget();  // without the wait the call is back long before
  LaunchDocument(L"http://www.tesquinesolutions.example/", L"", nullptr, SW_SHOWNORMAL, L"", false);
  EXPECT_TRUE(browser.commandLines().empty());
  EXPECT_TRUE(driver::waitFor([&] { return browser.commandLines().size() == 1; }));  // done before the command is put back
}
}  // namespace
