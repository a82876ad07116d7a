// The switch run from a script: what a command line asks for, and what each action then prints,
// answers as its exit code and leaves in the registry, on this computer and on another one.
#include <gtest/gtest.h>

#include "app/ScriptedSwitch.h"
#include "app/modCore.h"
#include "base/AnsiText.h"
#include "scripts/driver/HandlerKey.h"
#include "tests/MemoryRegistry.h"
#include "tests/TestSupport.h"

namespace {
using namespace testing_support;
using Action = CommandLine::Action;
using Op = MemoryRegistry::Op;
using Args = std::vector<std::wstring>;

TEST(CommandLine, ReadsEachActionAndComputerAndRefusesAnythingElse) {
  const std::tuple<Args, Action, std::wstring> cases[] = {  // the arguments, what they ask for, the computer
      {{}, Action::Window, L""},
      {{L"/status"}, Action::Status, L""},
      {{L"-REMOVE"}, Action::Remove, L""},
      {{L"/Restore", L"/machine", L"pc7"}, Action::Restore, L"\\\\pc7"},
      {{L"-Machine", L"\\\\pc7", L"-status"}, Action::Status, L"\\\\pc7"},
      // Names the registry object's own rule would take for this computer stay another one.
      {{L"/status", L"/machine", L"ab"}, Action::Status, L"\\\\ab"},
      // No switch at all: a file dropped on the program, a shortcut's argument.
      {{L""}, Action::Window, L""},
      {{L"C:\\Videos\\clip one.avi", L"two.avi"}, Action::Window, L""},
      {{L"clip.avi", L"/status"}, Action::NotUnderstood, L""},
      {{L"/"}, Action::NotUnderstood, L""},
      {{L"/?"}, Action::Help, L""},
      {{L"/remove", L"-?", L"/bogus"}, Action::Help, L""},
      {{L"/status", L"/remove"}, Action::NotUnderstood, L""},
      {{L"/status", L"extra"}, Action::NotUnderstood, L""},
      {{L"/machine", L"pc7"}, Action::NotUnderstood, L""},
      {{L"/status", L"/machine"}, Action::NotUnderstood, L""},
      {{L"/status", L"/machine", L""}, Action::NotUnderstood, L""},
      {{L"/status", L"/machine", L"\\\\"}, Action::NotUnderstood, L""},
      {{L"/machine", L"/remove"}, Action::NotUnderstood, L""},
      {{L"/status", L"/machine", L"a1", L"/machine", L"b2"}, Action::NotUnderstood, L""},
  };
  for (const auto& [given, action, machine] : cases) {
    std::wstring joined;
    for (const auto& word : given) joined += L"[" + word + L"]";
    const CommandLine command = parseCommandLine(given);
    EXPECT_EQ(command.action, action) << toAnsi(joined);
    EXPECT_EQ(command.machine, machine) << toAnsi(joined);
    EXPECT_EQ(command.problem.empty(), action != Action::NotUnderstood) << toAnsi(joined);
  }
}

struct Lines final : TextOutput {
  std::wstring text;
  bool console = true;
  void writeLine(const std::wstring& line) override { text += line + L"\n"; }
  bool reachesSomeone() override { return console; }
};

enum class Fault {
  None, ComputerRefusesDelete, PutBackAfterDelete, RefusedWrite, LostAfterFirstRead, Redirected,
  ComputersLocked, UsersLocked, UsersOtherHandler, UpperCaseClassId,
};
const std::wstring kOtherHandler = L"{5E6AB780-7743-11CF-A12B-00AA004AE837}";

TEST(ScriptedSwitch, EachActionTellsItsOutcomeInWordsAndExitCode) {
  const std::wstring usage = std::wstring(L"Not understood: /now\n") + commandLineUsage() + L"\n";
  const std::wstring locked = fromAnsi(handler::kInClasses) + L": error 5: ";
  // The arguments, the fault, the stores holding the key before (as handlerStores() writes them),
  // the exit code, the whole output (or its start when it ends in ": "), the stores after.
  const std::tuple<Args, Fault, const char*, int, std::wstring, const char*> cases[] = {
      {{L"/status"}, Fault::None, "u", 0, L"present\n", "u"},
      {{L"/status"}, Fault::None, "", 3, L"absent\n", ""},
      {{L"/remove"}, Fault::None, "uc", 0, kRemoved + L"\n", ""},
      {{L"/remove"}, Fault::None, "", 0, L"AVI Previewing is already removed: nothing changed.\n", ""},
      {{L"/restore"}, Fault::None, "", 0, kRestored + L"\n", "c"},
      {{L"/restore"}, Fault::None, "uc", 0, L"AVI Previewing is already restored: nothing changed.\n", "uc"},
      // Explorer reads the user's key where there is one, and the computer's only where there is none.
      {{L"/restore"}, Fault::None, "u", 0, L"AVI Previewing is already restored: nothing changed.\n", "u"},
      {{L"/status"}, Fault::None, "Uc", 3, L"absent\n", "Uc"},
      {{L"/restore"}, Fault::None, "Uc", 0, kRestored + L"\n", "c"},  // the empty user's key was a leftover
      {{L"/status"}, Fault::UsersOtherHandler, "c", 0, L"present\n", "Uc"},
      {{L"/restore"}, Fault::UsersOtherHandler, "c", 1,
       L"AVI Previewing wasn't restored: your own file types (HKEY_CURRENT_USER\\Software\\Classes) name another "
       L"property handler for .avi files, " + kOtherHandler + L", and Explorer loads that one instead. Remove AVI "
       L"Previewing first, then restore it.\n", "Uc"},
      {{L"/remove"}, Fault::UsersOtherHandler, "c", 0, kRemoved + L"\n", ""},
      // COM reads a class identifier in any letter case: nothing to write.
      {{L"/restore"}, Fault::UpperCaseClassId, "c", 0, L"AVI Previewing is already restored: nothing changed.\n", "C"},
      // A key without its class identifier names no handler for Explorer to load.
      {{L"/status"}, Fault::None, "UC", 3, L"absent\n", "UC"},
      {{L"/restore"}, Fault::None, "C", 0, kRestored + L"\n", "c"},
      // A key the account may not read is no answer; it may still be deleted.
      {{L"/status"}, Fault::ComputersLocked, "c", 1, L"HKEY_LOCAL_MACHINE\\" + locked, "c"},
      {{L"/status"}, Fault::UsersLocked, "uc", 1, L"HKEY_CURRENT_USER\\" + locked, "uc"},
      {{L"/restore"}, Fault::ComputersLocked, "C", 1, kRestoreFailed + L"\nHKEY_LOCAL_MACHINE\\" + locked, "C"},
      {{L"/remove"}, Fault::ComputersLocked, "c", 0, kRemoved + L"\n", ""},
      // The user's key goes first; the computer's still there, the removal failed.
      {{L"/remove"}, Fault::ComputerRefusesDelete, "uc", 1, kRemoveFailed + L"\n", "c"},
      {{L"/remove"}, Fault::PutBackAfterDelete, "c", 1, kRemoveFailed + L"\n", "c"},
      {{L"/restore"}, Fault::RefusedWrite, "", 1, kRestoreFailed + L"\n", ""},
      {{L"/remove", L"/now"}, Fault::None, "c", 2, usage, "c"},
      // The 64-bit view Explorer reads, never the copy a 32-bit program is shown.
      {{L"/status"}, Fault::Redirected, "w", 3, L"absent\n", "w"},
      {{L"/remove"}, Fault::Redirected, "cw", 0, kRemoved + L"\n", "w"},
      {{L"/restore"}, Fault::Redirected, "w", 0, kRestored + L"\n", "cw"},
      // Another computer's classes: no user's there.
      {{L"/status", L"/machine", L"PC7"}, Fault::None, "u", 3, L"absent\n", "u"},
      {{L"/remove", L"/machine", L"PC7"}, Fault::Redirected, "ucw", 0, kRemoved + L"\n", "uw"},
      {{L"/restore", L"/machine", L"PC7"}, Fault::None, "u", 0, kRestored + L"\n", "uc"},
      {{L"/restore", L"/machine", L"PC7"}, Fault::RefusedWrite, "", 1, kRestoreFailed + L"\n", ""},
      // PC9 is no computer the registry reaches; what follows is the system's own words.
      {{L"/status", L"/machine", L"PC9"}, Fault::None, "c", 1, L"\\\\PC9: error 53: ", "c"},
      {{L"/remove", L"/machine", L"PC7"}, Fault::LostAfterFirstRead, "c", 1, kRemoveFailed + L"\n", "c"},
  };
  for (const auto& [given, fault, before, code, printed, after] : cases) {
    std::string trace = std::string("ran with ") + before + ":";
    for (const auto& word : given) trace += " " + toAnsi(word);
    SCOPED_TRACE(trace);

    MemoryRegistry registry(fault == Fault::Redirected);
    testing_support::putHandler(registry, before);
    registry.addReachableMachine("\\\\PC7");
    const auto [users, computers] = std::pair{handlerStore('u'), handlerStore('c')};
    if (fault == Fault::UsersOtherHandler) {
      registry.putValue(users.first, users.second, "", REG_SZ, bytesOf(toAnsi(kOtherHandler)));
    }
    if (fault == Fault::UpperCaseClassId) {
      std::string upperCase = toAnsi(modCore::kHandlerClassId);
      CharUpperA(upperCase.data());
      registry.putValue(computers.first, computers.second, "", REG_SZ, bytesOf(upperCase));
    }
    if (fault == Fault::ComputersLocked) registry.lockKey(computers.first, computers.second, true);
    if (fault == Fault::UsersLocked) registry.lockKey(users.first, users.second, true);
    int connects = 0;
    bool deleted = false;
    registry.setHook([&, fault = fault](Op op, const std::string& path) -> LONG {
      if (op == Op::Connect && ++connects > 1 && fault == Fault::LostAfterFirstRead) return ERROR_BAD_NETPATH;
      const bool computers = path.rfind("HKEY_LOCAL_MACHINE", 0) == 0;
      if (op == Op::DeleteKey && fault == Fault::ComputerRefusesDelete && computers) return ERROR_ACCESS_DENIED;
      if (op == Op::SetValue && fault == Fault::RefusedWrite) return ERROR_ACCESS_DENIED;
      if (op == Op::Open && deleted && fault == Fault::PutBackAfterDelete) testing_support::putHandler(registry, "c");
      deleted = deleted || op == Op::DeleteKey;
      return ERROR_SUCCESS;
    });

    Lines output;
    testing_support::RecordingPresenter boxes;
    EXPECT_EQ(runScriptedSwitch(parseCommandLine(given), registry, output, boxes), code);
    EXPECT_TRUE(boxes.shown.empty());
    const bool startOnly = printed.size() > 2 && printed.compare(printed.size() - 2, 2, L": ") == 0;
    EXPECT_EQ(startOnly ? output.text.substr(0, printed.size()) : output.text, printed) << toAnsi(output.text);
    EXPECT_TRUE(!startOnly || output.text.size() > printed.size() + 1);  // the description follows
    EXPECT_EQ(testing_support::handlerStores(registry), after);
    EXPECT_EQ(registry.openHandles(), 0u);
  }
}
// Started from a shortcut with a switch it does not know, or "/?", the program has no console to
// write to: a person still sees why it did nothing, or the help, where anyone can see a box, and a
// script gets its exit code.
// "/?" prints what the program does, its usage, switches and exit codes where a script's words go.
TEST(ScriptedSwitch, ACommandLineNotUnderstoodOrTheHelpWithNowhereToWriteIsShownInABox) {
  MemoryRegistry registry;
  Lines console, nowhere;
  nowhere.console = false;
  testing_support::RecordingPresenter boxes;
  EXPECT_EQ(runScriptedSwitch(parseCommandLine({L"/?"}), registry, console, boxes), kExitDone);
  EXPECT_NE(console.text.find(L"\n" + commandLineUsage() + L"\n"), std::wstring::npos);
  EXPECT_NE(console.text.find(L"\n  4  Ended by a failure it did not foresee: no answer\n"), std::wstring::npos);
  EXPECT_EQ(runScriptedSwitch(parseCommandLine({L"/now"}), registry, nowhere, boxes), kExitNotUnderstood);
  EXPECT_EQ(runScriptedSwitch(parseCommandLine({L"-?"}), registry, nowhere, boxes), kExitDone);
  EXPECT_TRUE(nowhere.text.empty());
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0], testing_support::Shown(L"Not understood: /now\r\n\r\n" + commandLineUsage(), L"Orvandel", 48));
  EXPECT_NE(std::get<0>(boxes.shown[1]).find(L"\r\n" + commandLineUsage() + L"\r\n"), std::wstring::npos);
  // A scheduled task with no one logged on, a service: a box nobody sees would never be answered.
  boxes.seen = false;
  EXPECT_EQ(runScriptedSwitch(parseCommandLine({L"/now"}), registry, nowhere, boxes), kExitNotUnderstood);
  EXPECT_EQ(runScriptedSwitch(parseCommandLine({L"/?"}), registry, nowhere, boxes), kExitDone);
  EXPECT_EQ(boxes.shown.size(), 2u);
}
}  // namespace
