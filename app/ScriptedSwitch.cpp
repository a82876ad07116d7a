#include "app/ScriptedSwitch.h"

#include "app/modCore.h"
#include "base/NumberText.h"
#include "base/Words.h"
#include "registry/RegistryError.h"
#include "resources/WordIds.h"

namespace {
// "\\PC07: error 53: The network path was not found.", or the key the account may not read.
std::wstring noAnswer(const std::wstring& where, const RegistryError& error) {
  return word(IDS_MACHINE_ERROR, {where, decimalText(error.number()), error.description()});
}

// Lines go where a script's words go; started where no one reads those (a shortcut), a box
// shows them, unless nobody could see it either (a scheduled task run with no one logged on).
void tell(const std::vector<std::wstring>& lines, const wchar_t* separator, UINT style, TextOutput& output,
          MessagePresenter& boxes) {
  if (output.reachesSomeone()) {
    for (const std::wstring& line : lines) output.writeLine(line);
  } else if (boxes.seenBySomeone()) {
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? L"" : separator) + lines[i];
    boxes.show(nullptr, text, kApplicationTitle, style);
  }
}
}  // namespace

int runScriptedSwitch(const CommandLine& command, RegistryPlatform& registry, TextOutput& output,
                      MessagePresenter& boxes) {
  if (command.action == CommandLine::Action::Help) {
    tell(commandLineHelp(), L"\r\n", kInformationStyle, output, boxes);
    return kExitDone;
  }
  if (command.action == CommandLine::Action::NotUnderstood || command.action == CommandLine::Action::Window) {
    const std::wstring problem = command.problem.empty() ? word(IDS_NO_ACTION_GIVEN) : command.problem;
    tell({problem, commandLineUsage()}, L"\r\n\r\n", kExclamationStyle, output, boxes);
    return kExitNotUnderstood;
  }
  const modCore core(registry, boxes, command.machine);
  if (command.action == CommandLine::Action::Status) {
    HandlerReading view;
    try {
      view = core.ExplorersView();
    } catch (const RegistryError& error) {
      output.writeLine(noAnswer(command.machine, error));
      return kExitRefused;
    }
    // A key that can't be read is neither: a detection rule must not read it as compliant.
    if (view.kind == HandlerReading::Unreadable) {
      output.writeLine(noAnswer(view.where, *view.error));
      return kExitRefused;
    }
    const bool present = view.kind == HandlerReading::Handler;
    output.writeLine(present ? L"present" : L"absent");
    return present ? kExitDone : kExitAbsent;
  }
  const int mode = command.action == CommandLine::Action::Restore ? Restore : Remove;
  const SwitchOutcome outcome = core.ChangeAVIPreviewMode(mode);
  switch (outcome.kind) {
    case SwitchOutcome::NotReached:
      output.writeLine(noAnswer(outcome.where, *outcome.error));
      return kExitRefused;
    case SwitchOutcome::AlreadySo:
      output.writeLine(word(mode == Restore ? IDS_ALREADY_RESTORED : IDS_ALREADY_REMOVED));
      return kExitDone;
    default:
      // The words of the box the window would show, and the key that could not be read.
      output.writeLine(core.boxFor(mode, outcome).prompt);
      if (!outcome.where.empty() && outcome.error) output.writeLine(noAnswer(outcome.where, *outcome.error));
      return outcome.kind == SwitchOutcome::Done ? kExitDone : kExitRefused;
  }
}
