#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>

const wchar_t kCommandLineUsage[] = L"Usage: orvandel.exe /status | /remove | /restore [/machine NAME]";

namespace {
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
  bool haveAction = false, haveMachine = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    const std::wstring name = switchName(argument);
    CommandLine::Action action = CommandLine::Action::NotUnderstood;
    if (name == L"status") action = CommandLine::Action::Status;
    if (name == L"remove") action = CommandLine::Action::Remove;
    if (name == L"restore") action = CommandLine::Action::Restore;
    if (action != CommandLine::Action::NotUnderstood) {
      if (haveAction) return refused(L"More than one action: " + argument);
      command.action = action;
      haveAction = true;
    } else if (name == L"machine") {
      if (haveMachine) return refused(L"More than one " + argument);
      // A name that starts like a switch is a forgotten name, not a computer.
      const bool named = i + 1 < arguments.size() && !arguments[i + 1].empty() && !isSwitch(arguments[i + 1]);
      std::wstring machine = named ? arguments[++i] : L"";
      // Always with its backslashes: a short name must not be taken for this computer.
      if (machine.compare(0, 2, L"\\\\") != 0) machine = L"\\\\" + machine;
      if (machine.size() < 3) return refused(argument + L" needs a computer's name");
      command.machine = machine;
      haveMachine = true;
    } else {
      return refused(L"Not understood: " + argument);
    }
  }
  if (!haveAction) return refused(L"No action: /status, /remove or /restore");
  return command;
}

std::vector<std::wstring> programArguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&freeLocal)> words(CommandLineToArgvW(GetCommandLineW(), &count), freeLocal);
  if (!words) return {};
  return std::vector<std::wstring>(words.get() + (count > 0 ? 1 : 0), words.get() + count);
}
