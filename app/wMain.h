#pragma once
#include "app/AppServices.h"
#include "app/Form.h"
#include "app/modCore.h"

// The main window: the two mode panels of the switch, Start and Close, the maker link.
class wMain final : public Form, private PreviewModeView {
 public:
  explicit wMain(AppServices services = {});
  ~wMain() override;

  // Creates and loads the window, shows it centred on the screen with the focus on Start.
  void show(int showCommand = SW_SHOWNORMAL);

  static FormSpec layout(LANGID language = programLanguage());
  // "shell32.dll", held loaded from the window's initialisation to its unload.
  HMODULE shellLibrary() const { return hShell32_.get(); }

 private:
  void Form_Initialize();
  void Form_Load() override;
  void Form_Unload() override;
  HWND initialFocus() override { return control(L"cmdStart"); }
  void controlClicked(int id) override;
  void linkClicked(int id, int16_t Button) override;
  void lnkTesquineSolutions_Click();
  void cmdStart_Click();
  void picContainer_Click(int Index);

  // How the switch shows its state.
  void enableOption(PreviewMode mode, bool enabled) override;
  void enableFrame(PreviewMode mode, bool enabled) override;
  void enableInfo(PreviewMode mode, bool enabled) override;
  void setRestartNoteColour(PreviewMode mode, DesignColour colour) override;
  void selectOption(PreviewMode mode) override;
  HWND messageOwner() const override { return hwnd(); }

  AppServices services_;
  modCore core_;
  UniqueModule hShell32_;
  bool unloaded_ = false;
};
