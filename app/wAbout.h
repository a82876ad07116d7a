#pragma once
#include "app/AppServices.h"
#include "app/Form.h"

// The About window: version, build and date, the disclaimer, the maker's links. Shown modally
// over its owner and unloaded when closed; made anew each time.
class wAbout final : public Form {
 public:
  explicit wAbout(AppServices services = {}) : Form(loadedLayout(services.language), services.scale), services_(services) {
    setLinkServices(services_.linkServices());
  }

  // Shows the window over its owner and returns when the user has closed it.
  void showModal(HWND owner);

  static FormSpec layout(LANGID language = programLanguage());
  static const wchar_t kProgramPage[];
  static const wchar_t kDonationPage[];
  static const wchar_t kForumPage[];
  static const wchar_t kHomePage[];

 private:
  // The layout with the texts the window loads with: placed with them, no label moves once made.
  static FormSpec loadedLayout(LANGID language);
  void Form_Load() override;
  HWND initialFocus() override { return control(L"picAntiFlicker(1)"); }
  void controlClicked(int id) override;
  void openPage(const wchar_t* page);

  AppServices services_;
};
