#pragma once
#include "app/MessagePresenter.h"
#include "base/Words.h"
#include "controls/HyperLinkServices.h"
#include "controls/ScreenScale.h"
#include "controls/modShellExecute.h"
#include "registry/RegistryPlatform.h"

// What the windows talk to outside themselves; the program passes the real ones, tests doubles.
struct AppServices {
  RegistryPlatform& registry = systemRegistry();
  MessagePresenter& messages = systemMessageBox();
  bool endProgramOnClose = true;  // the main window's unload ends the message loop
  DocumentLauncher& launcher = shellDocumentLauncher();
  PointerSource* pointer = nullptr;  // nullptr: the real pointer
  ScreenScale scale = ScreenScale::ofScreen();  // the resolution the windows are laid out for
  LANGID language = programLanguage();          // the table the windows take their words from

  // The scale is the one each form is laid out with, which the form gives its links.
  HyperLinkServices linkServices() const { return HyperLinkServices{&launcher, pointer, {}, {}}; }
};

// The maker's web site (a reserved .example host: no link may point at someone's real site).
extern const wchar_t kMakerSite[];
