#include "app/ScriptedSwitch.h"

#include "app/modCore.h"
#include "base/NumberText.h"
#include "registry/RegistryError.h"

namespace {
const wchar_t kAlreadyRemoved[] = L"AVI Previewing is already removed: nothing changed.";
const wchar_t kAlreadyRestored[] = L"AVI Previewing is already restored: nothing changed.";

// "\\PC07: error 53: The network path was not found."
std::wstring unreachable(const std::wstring& machine, const RegistryError& error) {
  return machine + L": error " + decimalText(error.number()) + L": " + error.description();
}
}  // namespace

int runScriptedSwitch(const CommandLine& command, RegistryPlatform& registry, TextOutput& output,
                      MessagePresenter& boxes) {
  if (command.action == CommandLine::Action::NotUnderstood || command.action == CommandLine::Action::Window) {
    const std::wstring problem = command.problem.empty() ? L"No action given" : command.problem;
    if (output.reachesSomeone()) {
      output.writeLine(problem);
      output.writeLine(kCommandLineUsage);
    } else {
      // Started from a shortcut or Explorer: no console to tell, so a person is shown why.
      boxes.show(nullptr, problem + L"\r\n\r\n" + kCommandLineUsage, kApplicationTitle, kExclamationStyle);
    }
    return kExitNotUnderstood;
  }
  const modCore core(registry, boxes, command.machine);
  if (command.action == CommandLine::Action::Status) {
    try {
      const bool present = core.AVIPreviewKeyExists();
      output.writeLine(present ? L"present" : L"absent");
      return present ? kExitDone : kExitAbsent;
    } catch (const RegistryError& error) {
      output.writeLine(unreachable(command.machine, error));
      return kExitRefused;
    }
  }
  const int mode = command.action == CommandLine::Action::Restore ? Restore : Remove;
  const SwitchOutcome outcome = core.ChangeAVIPreviewMode(mode);
  switch (outcome.kind) {
    case SwitchOutcome::NotReached:
      output.writeLine(unreachable(command.machine, *outcome.error));
      return kExitRefused;
    case SwitchOutcome::AlreadySo:
      output.writeLine(mode == Restore ? kAlreadyRestored : kAlreadyRemoved);
      return kExitDone;
    default:
      // The words of the box the window would show.
      output.writeLine(modCore::boxFor(mode, outcome.kind).prompt);
      return outcome.kind == SwitchOutcome::Done ? kExitDone : kExitRefused;
  }
}
