// The switch run from a script: what a command line asks for.
#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "registry/AnsiText.h"

namespace {
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
      {{L"/status", L"/machine", L"x"}, Action::Status, L"\\\\x"},
      {{L"status"}, Action::NotUnderstood, L""},
      {{L"/stat"}, Action::NotUnderstood, L""},
      {{L"/"}, Action::NotUnderstood, L""},
      {{L""}, Action::NotUnderstood, L""},
      {{L"/?"}, Action::NotUnderstood, L""},
      {{L"/status", L"/remove"}, Action::NotUnderstood, L""},
      {{L"/restore", L"/restore"}, Action::NotUnderstood, L""},
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
}  // namespace
