#include <windows.h>

#include <exception>

#include "app/CommandLine.h"
#include "app/Form.h"
#include "app/ScriptedSwitch.h"
#include "app/wMain.h"
#include "base/SystemLibrary.h"
#include "resources/WordIds.h"

namespace {
// With arguments the switch runs without a window, for a script that may run unattended: a crash
// ends it without the system's box that would wait for someone, and whatever goes wrong is never
// an answer. The console comes first: its code page decides the language of every word, the
// command line's refusals among them, so the arguments are read again after it.
int runWithoutWindow(const std::vector<std::wstring>& arguments) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  try {
    TextOutput& console = startingConsole();
    return runScriptedSwitch(parseCommandLine(arguments), systemRegistry(), console, systemMessageBox());
  } catch (...) {
    return kExitNoAnswer;
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  restrictLibrarySearch();
  const std::vector<std::wstring> arguments = programArguments();
  if (parseCommandLine(arguments).action != CommandLine::Action::Window) return runWithoutWindow(arguments);

  wMain window;
  try {
    window.show(showCommand);
  } catch (const std::exception&) {
    systemMessageBox().show(nullptr, word(IDS_WINDOW_FAILED), kApplicationTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    if (!Form::preTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  // -1: the loop itself failed, and `message` holds nothing.
  return got == 0 ? static_cast<int>(message.wParam) : kExitNoAnswer;
}
