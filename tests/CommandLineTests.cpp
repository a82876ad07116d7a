// The switch run from a script: what a command line asks for, and what each action then prints,
// answers as its exit code and leaves in the registry, on this computer and on another one.
#include <gtest/gtest.h>

#include "app/ScriptedSwitch.h"
#include "base/AnsiText.h"
#include "scripts/driver/HandlerKey.h"
#include "tests/MemoryRegistry.h"
#include "tests/TestSupport.h"

namespace {
using handler::kClassIdStored;
constexpr const char* kHandlerKey = handler::kPath;
const std::wstring kRemoved = L"AVI Previewing has been successfully removed.";
const std::wstring kRestored = L"AVI Previewing has been successfully restored.";
const std::wstring kRemoveFailed =
    L"AVI Previewing wasn't disabled.\r\n\r\nThere was an error while trying to remove the AVI Previewing\r\n"
    L"feature. Do you have administrator priviledges?";
const std::wstring kRestoreFailed =
    L"AVI Previewing wasn't restored.\r\n\r\nThere was an error while trying to restore the AVI Previewing\r\n"
    L"feature. Do you have administrator priviledges?";
using Action = CommandLine::Action;
using Args = std::vector<std::wstring>;

TEST(CommandLine, ReadsEachActionAndComputerAndRefusesAnythingElse) {
  const struct {
    Args given;
    Action action;
    std::wstring machine;
  } cases[] = {
      {{}, Action::Window, L""},
      {{L"/status"}, Action::Status, L""},
      {{L"-REMOVE"}, Action::Remove, L""},
      {{L"/Restore", L"/machine", L"pc7"}, Action::Restore, L"\\\\pc7"},
      {{L"-Machine", L"\\\\pc7", L"-status"}, Action::Status, L"\\\\pc7"},
      // Names the registry object's own rule would take for this computer stay another one.
      {{L"/status", L"/machine", L"ab"}, Action::Status, L"\\\\ab"},
      // No switch at all: a file dropped on the program, a shortcut's argument.
      {{L"status"}, Action::Window, L""},
      {{L""}, Action::Window, L""},
      {{L"C:\\Videos\\clip one.avi", L"two.avi"}, Action::Window, L""},
      {{L"clip.avi", L"/status"}, Action::NotUnderstood, L""},
      {{L"/stat"}, Action::NotUnderstood, L""},
      {{L"/"}, Action::NotUnderstood, L""},
      {{L"/?"}, Action::NotUnderstood, L""},
      {{L"/status", L"/remove"}, Action::NotUnderstood, L""},
      {{L"/status", L"extra"}, Action::NotUnderstood, L""},
      {{L"/machine", L"pc7"}, Action::NotUnderstood, L""},
      {{L"/status", L"/machine"}, Action::NotUnderstood, L""},
      {{L"/status", L"/machine", L""}, Action::NotUnderstood, L""},
      {{L"/status", L"/machine", L"\\\\"}, Action::NotUnderstood, L""},
      {{L"/machine", L"/remove"}, Action::NotUnderstood, L""},
      {{L"/status", L"/machine", L"a1", L"/machine", L"b2"}, Action::NotUnderstood, L""},
  };
  for (const auto& c : cases) {
    std::wstring joined;
    for (const auto& word : c.given) joined += L"[" + word + L"]";
    const CommandLine command = parseCommandLine(c.given);
    EXPECT_EQ(command.action, c.action) << toAnsi(joined);
    EXPECT_EQ(command.machine, c.machine) << toAnsi(joined);
    EXPECT_EQ(command.problem.empty(), c.action != Action::NotUnderstood) << toAnsi(joined);
  }
}

struct Lines final : TextOutput {
  std::wstring text;
  bool console = true;
  void writeLine(const std::wstring& line) override { text += line + L"\n"; }
  bool reachesSomeone() override { return console; }
};

enum class Fault { None, RefusedDelete, RefusedWrite, LostAfterFirstCall };

TEST(ScriptedSwitch, EachActionTellsItsOutcomeInWordsAndExitCode) {
  const std::string remoteKey = std::string("SOFTWARE\\Classes\\") + kHandlerKey;
  const std::wstring usage = std::wstring(L"Not understood: /now\n") + kCommandLineUsage + L"\n";
  // PC9 is no computer the registry reaches; what follows is the system's own words.
  const std::wstring unreachable = L"\\\\PC9: error 53: ";
  const struct {
    Args given;
    Fault fault;
    bool before;
    int exit;
    std::wstring printed;  // the whole output, or its start when it ends in ": "
    bool after;
  } cases[] = {
      {{L"/status"}, Fault::None, true, 0, L"present\n", true},
      {{L"/status"}, Fault::None, false, 3, L"absent\n", false},
      {{L"/remove"}, Fault::None, true, 0, kRemoved + L"\n", false},
      {{L"/remove"}, Fault::None, false, 0, L"AVI Previewing is already removed: nothing changed.\n", false},
      {{L"/restore"}, Fault::None, false, 0, kRestored + L"\n", true},
      {{L"/restore"}, Fault::None, true, 0, L"AVI Previewing is already restored: nothing changed.\n", true},
      {{L"/remove"}, Fault::RefusedDelete, true, 1, kRemoveFailed + L"\n", true},
      {{L"/restore"}, Fault::RefusedWrite, false, 1, kRestoreFailed + L"\n", false},
      {{L"/remove", L"/now"}, Fault::None, true, 2, usage, true},
      {{L"/status", L"/machine", L"PC7"}, Fault::None, true, 0, L"present\n", true},
      {{L"/remove", L"/machine", L"PC7"}, Fault::None, true, 0, kRemoved + L"\n", false},
      {{L"/restore", L"/machine", L"PC7"}, Fault::None, false, 0, kRestored + L"\n", true},
      {{L"/restore", L"/machine", L"PC7"}, Fault::RefusedWrite, false, 1, kRestoreFailed + L"\n", false},
      {{L"/status", L"/machine", L"PC9"}, Fault::None, true, 1, unreachable, true},
      {{L"/remove", L"/machine", L"PC7"}, Fault::LostAfterFirstCall, true, 1, kRemoveFailed + L"\n", true},
  };
  for (const auto& c : cases) {
    const CommandLine command = parseCommandLine(c.given);
    // The handler key where the command addresses it; the same key in the other place (here for
    // a remote command, the machine-wide classes for a local one) is never touched.
    const bool remote = !command.machine.empty();
    const HKEY root = remote ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT;
    const HKEY otherRoot = remote ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE;
    const std::string path = remote ? remoteKey : kHandlerKey, otherPath = remote ? kHandlerKey : remoteKey;
    std::string trace = "ran";
    for (const auto& word : c.given) trace += " " + toAnsi(word);
    SCOPED_TRACE(trace);

    MemoryRegistry registry;
    const std::vector<BYTE> classId(kClassIdStored.begin(), kClassIdStored.end());
    if (c.before) registry.putValue(root, path, "", REG_SZ, classId);
    registry.putValue(otherRoot, otherPath, "", REG_SZ, classId);
    registry.addReachableMachine("\\\\PC7");
    int connects = 0;
    registry.setHook([&](MemoryRegistry::Op op, const std::string&) -> LONG {
      if (op == MemoryRegistry::Op::Connect && ++connects > 1 && c.fault == Fault::LostAfterFirstCall) {
        return ERROR_BAD_NETPATH;
      }
      if (op == MemoryRegistry::Op::DeleteKey && c.fault == Fault::RefusedDelete) return ERROR_ACCESS_DENIED;
      if (op == MemoryRegistry::Op::SetValue && c.fault == Fault::RefusedWrite) return ERROR_ACCESS_DENIED;
      return ERROR_SUCCESS;
    });

    Lines output;
    testing_support::RecordingPresenter boxes;
    EXPECT_EQ(runScriptedSwitch(command, registry, output, boxes), c.exit);
    EXPECT_TRUE(boxes.shown.empty());
    const bool startOnly = c.printed.size() > 2 && c.printed.compare(c.printed.size() - 2, 2, L": ") == 0;
    EXPECT_EQ(startOnly ? output.text.substr(0, c.printed.size()) : output.text, c.printed) << toAnsi(output.text);
    if (startOnly) {
      EXPECT_GT(output.text.size(), c.printed.size() + 1);  // the description follows
    }

    EXPECT_EQ(registry.keyExists(root, path), c.after);
    if (c.after) {
      const auto value = registry.value(root, path, "");
      ASSERT_TRUE(value);
      EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
      EXPECT_EQ(std::string(value->data.begin(), value->data.end()), kClassIdStored);
    }
    EXPECT_TRUE(registry.value(otherRoot, otherPath, ""));
    EXPECT_EQ(registry.openHandles(), 0u);
  }
}
// Started from a shortcut with a switch it does not know, the program has no console to write
// to: a person still sees why it did nothing, and a script still gets its exit code.
TEST(ScriptedSwitch, ACommandLineNotUnderstoodWithNowhereToWriteIsShownInABox) {
  MemoryRegistry registry;
  Lines nowhere;
  nowhere.console = false;
  testing_support::RecordingPresenter boxes;
  EXPECT_EQ(runScriptedSwitch(parseCommandLine({L"/now"}), registry, nowhere, boxes), kExitNotUnderstood);
  EXPECT_TRUE(nowhere.text.empty());
  const testing_support::Shown box{std::wstring(L"Not understood: /now\r\n\r\n") + kCommandLineUsage, L"Orvandel", 48};
  EXPECT_EQ(boxes.shown, std::vector<testing_support::Shown>{box});
}
}  // namespace
