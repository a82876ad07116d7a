#include "app/ScriptedSwitch.h"

#include "app/modCore.h"
#include "base/NumberText.h"
#include "base/Words.h"
#include "registry/RegistryError.h"
#include "resources/WordIds.h"

namespace {
// "\\PC07: error 53: The network path was not found."
std::wstring unreachable(const std::wstring& machine, const RegistryError& error) {
  return word(IDS_MACHINE_ERROR, {machine, decimalText(error.number()), error.description()});
}

// "/?": the help goes where a script's words go; started where no one reads those (a shortcut),
// a box shows it.
int showHelp(TextOutput& output, MessagePresenter& boxes) {
  const std::vector<std::wstring> lines = commandLineHelp();
  if (output.reachesSomeone()) {
    for (const std::wstring& line : lines) output.writeLine(line);
  } else {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    boxes.show(nullptr, text, kApplicationTitle, kInformationStyle);
  }
  return kExitDone;
}
}  // namespace

int runScriptedSwitch(const CommandLine& command, RegistryPlatform& registry, TextOutput& output,
                      MessagePresenter& boxes) {
  if (command.action == CommandLine::Action::Help) return showHelp(output, boxes);
  if (command.action == CommandLine::Action::NotUnderstood || command.action == CommandLine::Action::Window) {
    const std::wstring problem = command.problem.empty() ? word(IDS_NO_ACTION_GIVEN) : command.problem;
    if (output.reachesSomeone()) {
      output.writeLine(problem);
      output.writeLine(commandLineUsage());
    } else {
      // Started from a shortcut or Explorer: no console to tell, so a person is shown why.
      boxes.show(nullptr, problem + L"\r\n\r\n" + commandLineUsage(), kApplicationTitle, kExclamationStyle);
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
      output.writeLine(word(mode == Restore ? IDS_ALREADY_RESTORED : IDS_ALREADY_REMOVED));
      return kExitDone;
    default:
      // The words of the box the window would show.
      output.writeLine(core.boxFor(mode, outcome.kind).prompt);
      return outcome.kind == SwitchOutcome::Done ? kExitDone : kExitRefused;
  }
}
