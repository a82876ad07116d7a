#include <windows.h>

#include <exception>

#include "app/CommandLine.h"
#include "app/Form.h"
#include "app/ScriptedSwitch.h"
#include "app/wMain.h"
#include "base/SystemLibrary.h"
#include "resources/WordIds.h"

namespace {
// With arguments the switch runs without a window; whatever goes wrong, never a success.
int runWithoutWindow(const CommandLine& command) {
  try {
    return runScriptedSwitch(command, systemRegistry(), startingConsole(), systemMessageBox());
  } catch (...) {
    return kExitRefused;
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  restrictLibrarySearch();
  const CommandLine command = parseCommandLine(programArguments());
  if (command.action != CommandLine::Action::Window) return runWithoutWindow(command);

  wMain window;
  try {
    window.show(showCommand);
  } catch (const std::exception&) {
    systemMessageBox().show(nullptr, word(IDS_WINDOW_FAILED), kApplicationTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!Form::preTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}
