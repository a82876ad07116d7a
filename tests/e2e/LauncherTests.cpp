// LaunchDocument against the real shell of the Wine prefix: the http and https open commands
// point at url_recorder.exe, which writes down the command line the shell gave it.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "controls/modShellExecute.h"
#include "tests/e2e/Driver.h"

namespace {
const std::string kRecorder = "url_recorder.exe";

std::string logPath() { return driver::ownFolder() + "url_recorder.log"; }

std::vector<std::string> loggedLines() {
  std::ifstream log(logPath());
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

// One protocol's open command, set for the life of this object and then put back as it was
// (or removed, with the keys this created).
class ProtocolCommand {
 public:
  ProtocolCommand(const std::string& protocol, const std::string& command) : protocol_(protocol) {
    HKEY key = nullptr;
    existed_ = RegOpenKeyExA(HKEY_CLASSES_ROOT, protocol.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (existed_) RegCloseKey(key);
    previous_ = readCommand();
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
      RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
      RegCloseKey(key);
    }
  }
  ~ProtocolCommand() {
    if (!existed_) {
      for (const std::string& sub : {path(), protocol_ + "\\shell\\open", protocol_ + "\\shell", protocol_}) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, sub.c_str());
      }
      return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path().c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (previous_) {
      RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_->c_str()),
                     static_cast<DWORD>(previous_->size() + 1));
    } else {
      RegDeleteValueA(key, "");
    }
    RegCloseKey(key);
  }
  ProtocolCommand(const ProtocolCommand&) = delete;
  ProtocolCommand& operator=(const ProtocolCommand&) = delete;

 private:
  std::string path() const { return protocol_ + "\\shell\\open\\command"; }
  std::optional<std::string> readCommand() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path().c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    char data[2048] = {};
    DWORD size = sizeof data - 1, type = 0;
    const LONG result = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return std::string(data);
  }

  std::string protocol_;
  bool existed_ = false;
  std::optional<std::string> previous_;
};

class Launcher : public ::testing::Test {
 protected:
  void SetUp() override { DeleteFileA(logPath().c_str()); }
  void TearDown() override { DeleteFileA(logPath().c_str()); }

  static std::string recorderCommand(const std::string& options = "") {
    return "\"" + driver::ownFolder() + kRecorder + "\" " + options + "\"%1\"";
  }
  static bool waitForLines(size_t count) {
    return driver::waitFor([&] { return loggedLines().size() >= count; });
  }
};

TEST_F(Launcher, WebAddressesReachTheRegisteredBrowserUnchanged) {
  ProtocolCommand http("http", recorderCommand());
  ProtocolCommand https("https", recorderCommand());
  LaunchDocument(L"http://www.tesquinesolutions.example/index.php?id=orvandel", L"", nullptr, SW_SHOWNORMAL, L"",
                 false);
  ASSERT_TRUE(waitForLines(1));
  LaunchDocument(L"https://www.tesquinesolutions.example/?from=orvandel", L"", nullptr, SW_SHOWNORMAL, L"", false);
  ASSERT_TRUE(waitForLines(2));
  const std::string recorder = "\"" + driver::ownFolder() + kRecorder + "\" ";
  EXPECT_EQ(loggedLines(), (std::vector<std::string>{
                               recorder + "\"http://www.tesquinesolutions.example/index.php?id=orvandel\"",
                               recorder + "\"https://www.tesquinesolutions.example/?from=orvandel\""}));
}

TEST_F(Launcher, WaitingReturnsOnlyAfterTheStartedProgramEnded) {
  ProtocolCommand http("http", recorderCommand("--sleep 1500 "));
  const auto start = std::chrono::steady_clock::now();
  LaunchDocument(L"http://www.tesquinesolutions.example/index.php?id=donation", L"", nullptr, SW_SHOWNORMAL, L"",
                 true);
  const auto waited = std::chrono::steady_clock::now() - start;
  // The recorder writes its line after its sleep, just before it ends: no polling needed.
  const std::vector<std::string> lines = loggedLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("index.php?id=donation"), std::string::npos) << lines[0];
  EXPECT_GE(waited, std::chrono::milliseconds(1500));

  // Without the wait the call is back long before the started program ends.
  DeleteFileA(logPath().c_str());
  LaunchDocument(L"http://www.tesquinesolutions.example/", L"", nullptr, SW_SHOWNORMAL, L"", false);
  EXPECT_TRUE(loggedLines().empty());
  EXPECT_TRUE(waitForLines(1));  // let it finish before the command is put back
}

TEST_F(Launcher, ParametersGoToAStartedProgramAndNoneWhenEmpty) {
  const std::string folder = driver::ownFolder();
  const std::wstring recorder = std::wstring(folder.begin(), folder.end()) + L"url_recorder.exe";
  LaunchDocument(recorder, L"first second", nullptr, SW_SHOWNORMAL, L"C:\\windows", true);
  LaunchDocument(recorder, L"", nullptr, SW_SHOWNORMAL, L"", true);
  const std::vector<std::string> lines = loggedLines();
  ASSERT_EQ(lines.size(), 2u);
  const std::string program = "\"" + folder + kRecorder + "\"";
  EXPECT_EQ(lines[0], program + " first second");
  EXPECT_EQ(lines[1].substr(0, lines[1].find_last_not_of(' ') + 1), program);  // no parameters
}

// The shell reports the failure itself, in its own message box; the call then simply returns.
TEST_F(Launcher, ATargetTheShellCannotOpenStillReturns) {
  bool boxSeen = false;
  std::thread answerer([&] {
    HWND box = nullptr;
    boxSeen = driver::waitFor([&] { return (box = driver::findTopWindow(GetCurrentProcessId(), "#32770", "")) != nullptr; },
                              std::chrono::seconds(20));
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  LaunchDocument(L"C:\\no such folder\\missing.orvandel", L"", nullptr, SW_SHOWNORMAL, L"", true);
  answerer.join();
  EXPECT_TRUE(boxSeen);
  EXPECT_TRUE(loggedLines().empty());
}
}  // namespace
