// LaunchDocument against the real shell of the Wine prefix: the http and https open commands
// point at url_recorder.exe, which writes down the command line the shell gave it.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <fstream>
#include <optional>

#include "controls/modShellExecute.h"
#include "tests/e2e/Driver.h"

namespace {
const std::string kRecorder = driver::ownFolder() + "url_recorder.exe";
const std::string kLog = driver::ownFolder() + "url_recorder.log";

std::vector<std::string> loggedLines() {
  std::ifstream log(kLog);
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

// One protocol's open command, set for the life of this object, then put back as it was.
class ProtocolCommand {
 public:
  ProtocolCommand(const std::string& protocol, const std::string& command)
      : protocol_(protocol), path_(protocol + "\\shell\\open\\command") {
    HKEY key = nullptr;
    existed_ = RegOpenKeyExA(HKEY_CLASSES_ROOT, protocol.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (existed_) RegCloseKey(key);
    char data[2048] = {};
    LONG size = sizeof data;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, path_.c_str(), data, &size) == ERROR_SUCCESS) previous_ = data;
    set(command);
  }
  ~ProtocolCommand() {
    if (!existed_) SHDeleteKeyA(HKEY_CLASSES_ROOT, protocol_.c_str());
    else if (previous_) set(*previous_);
    else SHDeleteValueA(HKEY_CLASSES_ROOT, path_.c_str(), "");
  }
 private:
  void set(const std::string& command) {
    RegSetValueA(HKEY_CLASSES_ROOT, path_.c_str(), REG_SZ, command.c_str(), static_cast<DWORD>(command.size()));
  }
  std::string protocol_, path_;
  bool existed_ = false;
  std::optional<std::string> previous_;
};

std::string recorderCommand(const std::string& options = "") { return "\"" + kRecorder + "\" " + options + "\"%1\""; }
bool waitForLines(size_t count) { return driver::waitFor([&] { return loggedLines().size() >= count; }); }

class Launcher : public ::testing::Test {
 protected:
  void SetUp() override { DeleteFileA(kLog.c_str()); }
  void TearDown() override { DeleteFileA(kLog.c_str()); }
};

TEST_F(Launcher, TheShellReceivesAddressesAndParametersUnchanged) {
  ProtocolCommand http("http", recorderCommand()), https("https", recorderCommand());
  LaunchDocument(L"http://www.tesquinesolutions.example/index.php?id=orvandel", L"", nullptr, SW_SHOWNORMAL, L"",
                 false);
  ASSERT_TRUE(waitForLines(1));
  LaunchDocument(L"https://www.tesquinesolutions.example/?from=orvandel", L"", nullptr, SW_SHOWNORMAL, L"", false);
  ASSERT_TRUE(waitForLines(2));
  const std::wstring program(kRecorder.begin(), kRecorder.end());
  LaunchDocument(program, L"first second", nullptr, SW_SHOWNORMAL, L"C:\\windows", true);
  LaunchDocument(program, L"", nullptr, SW_SHOWNORMAL, L"", true);
  std::vector<std::string> lines = loggedLines();
  ASSERT_EQ(lines.size(), 4u);
  lines[3].erase(lines[3].find_last_not_of(' ') + 1);
  const std::string quoted = "\"" + kRecorder + "\"";
  EXPECT_EQ(lines, (std::vector<std::string>{quoted + " \"http://www.tesquinesolutions.example/index.php?id=orvandel\"",
                                             quoted + " \"https://www.tesquinesolutions.example/?from=orvandel\"",
                                             quoted + " first second", quoted}));
}

TEST_F(Launcher, WaitingReturnsOnlyAfterTheStartedProgramEnded) {
  ProtocolCommand http("http", recorderCommand("--sleep 1500 "));
  const auto start = std::chrono::steady_clock::now();
  LaunchDocument(L"http://www.tesquinesolutions.example/index.php?id=donation", L"", nullptr, SW_SHOWNORMAL, L"",
                 true);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  // The recorder writes its line after its sleep, just before it ends.
  const std::vector<std::string> lines = loggedLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("index.php?id=donation"), std::string::npos) << lines[0];

  DeleteFileA(kLog.c_str());  // without the wait the call is back long before
  LaunchDocument(L"http://www.tesquinesolutions.example/", L"", nullptr, SW_SHOWNORMAL, L"", false);
  EXPECT_TRUE(loggedLines().empty());
  EXPECT_TRUE(waitForLines(1));  // let it finish before the command is put back
}
}  // namespace
