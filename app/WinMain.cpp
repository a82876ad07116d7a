#include <windows.h>

#include <exception>

#include "app/Form.h"
#include "app/wMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  wMain window;
  try {
    window.show(showCommand);
  } catch (const std::exception&) {
    MessageBoxA(nullptr, "The window could not be created.", "Orvandel", MB_OK | MB_ICONERROR);
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
