#include "app/ScriptedSwitch.h"

#include "app/modCore.h"
#include "base/NumberText.h"
#include "registry/RegistryError.h"

namespace {
const wchar_t kAlreadyRemoved[] = L"AVI Previewing is already removed: nothing changed.";
const wchar_t kAlreadyRestored[] = L"AVI Previewing is already restored: nothing changed.";

// The switch shows the state it reads back on the window's panels; a script has none.
class NoWindow final : public PreviewModeView {
 public:
  void enableOption(PreviewMode, bool) override {}
  void enableFrame(PreviewMode, bool) override {}
  void enableInfo(PreviewMode, bool) override {}
  void setRestartNoteColour(PreviewMode, DesignColour) override {}
  void selectOption(PreviewMode) override {}
  HWND messageOwner() const override { return nullptr; }
};
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
  ConsolePresenter presenter(output);
  const modCore core(registry, presenter, command.machine);
  bool present = false;
  try {
    present = core.AVIPreviewKeyExists();
  } catch (const RegistryError& error) {
    output.writeLine(command.machine + L": error " + decimalText(error.number()) + L": " + error.description());
    return kExitRefused;
  }
  if (command.action == CommandLine::Action::Status) {
    output.writeLine(present ? L"present" : L"absent");
    return present ? kExitDone : kExitAbsent;
  }
  const bool restore = command.action == CommandLine::Action::Restore;
  if (present == restore) {
    output.writeLine(restore ? kAlreadyRestored : kAlreadyRemoved);
    return kExitDone;
  }
  NoWindow window;
  core.ApplyAVIPreviewMode(restore ? Restore : Remove, window);
  return presenter.toldSuccess() ? kExitDone : kExitRefused;
}
