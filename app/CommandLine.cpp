#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>

#include "base/Words.h"
#include "resources/WordIds.h"

std::wstring commandLineUsage() { return word(IDS_USAGE); }

std::vector<std::wstring> commandLineHelp() {
  std::vector<std::wstring> lines = {word(IDS_HELP_PURPOSE), L"", commandLineUsage(), L""};
  const std::wstring help = word(IDS_HELP);
  for (size_t start = 0, end; start <= help.size(); start = end + 2) {
    end = std::min(help.find(L"\r\n", start), help.size());
    lines.push_back(help.substr(start, end - start));
  }
  return lines;
}

namespace {
struct SwitchAction {
  const wchar_t* name;  // in lower case, without its "/" or "-"
  CommandLine::Action action;
};
constexpr SwitchAction kActions[] = {{L"status", CommandLine::Action::Status},
                                     {L"remove", CommandLine::Action::Remove},
                                     {L"restore", CommandLine::Action::Restore}};

bool isSwitch(const std::wstring& argument) {
  return !argument.empty() && (argument[0] == L'/' || argument[0] == L'-');
}

// The switch's name in lower case, or empty when the argument is no switch.
std::wstring switchName(const std::wstring& argument) {
  if (argument.size() < 2 || !isSwitch(argument)) return {};
  std::wstring name = argument.substr(1);
  for (wchar_t& c : name) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return name;
}

void freeLocal(LPWSTR* memory) { LocalFree(memory); }

CommandLine refused(std::wstring problem) {
  CommandLine command;
  command.action = CommandLine::Action::NotUnderstood;
  command.problem = std::move(problem);
  return command;
}
}  // namespace

CommandLine parseCommandLine(const std::vector<std::wstring>& arguments) {
  CommandLine command;
  // A file dropped on the program, or a shortcut's argument, is no request to run without the
  // window: only switches are.
  if (std::none_of(arguments.begin(), arguments.end(), isSwitch)) return command;
  // Asked for help, the program gives it, whatever else the line holds (as Windows' own tools do).
  if (std::any_of(arguments.begin(), arguments.end(), [](const std::wstring& a) { return switchName(a) == L"?"; })) {
    command.action = CommandLine::Action::Help;
    return command;
  }
  bool haveAction = false, haveMachine = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    const std::wstring name = switchName(argument);
    const auto known = std::find_if(std::begin(kActions), std::end(kActions),
                                    [&](const SwitchAction& a) { return name == a.name; });
    if (known != std::end(kActions)) {
      if (haveAction) return refused(word(IDS_MORE_THAN_ONE_ACTION, {argument}));
      command.action = known->action;
      haveAction = true;
    } else if (name == L"machine") {
      if (haveMachine) return refused(word(IDS_MORE_THAN_ONE, {argument}));
      // A name that starts like a switch is a forgotten name, not a computer.
      const bool named = i + 1 < arguments.size() && !arguments[i + 1].empty() && !isSwitch(arguments[i + 1]);
      std::wstring machine = named ? arguments[++i] : L"";
      // Always with its backslashes: a short name must not be taken for this computer.
      if (machine.compare(0, 2, L"\\\\") != 0) machine = L"\\\\" + machine;
      if (machine.size() < 3) return refused(word(IDS_NEEDS_NAME, {argument}));
      command.machine = machine;
      haveMachine = true;
    } else {
      return refused(word(IDS_NOT_UNDERSTOOD, {argument}));
    }
  }
  if (!haveAction) return refused(word(IDS_NO_ACTION));
  return command;
}

std::vector<std::wstring> programArguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&freeLocal)> words(CommandLineToArgvW(GetCommandLineW(), &count), freeLocal);
  if (!words) return {};
  return std::vector<std::wstring>(words.get() + (count > 0 ? 1 : 0), words.get() + count);
}
