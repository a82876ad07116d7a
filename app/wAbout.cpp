#include "app/wAbout.h"

#include "app/ControlIds.h"
#include "app/ProgramVersion.h"
#include "resources/ResourceIds.h"

const wchar_t wAbout::kProgramPage[] = L"http://www.tesquinesolutions.example/index.php?id=orvandel";
const wchar_t wAbout::kDonationPage[] = L"http://www.tesquinesolutions.example/index.php?id=donation";
const wchar_t wAbout::kForumPage[] = L"http://www.tesquinesolutions.example/index.php?id=forum";
const wchar_t wAbout::kHomePage[] = L"http://www.tesquinesolutions.example/?from=orvandel";

namespace {
PropertyBag linkProperties(int extentX, const wchar_t* caption, const wchar_t* url) {
  return PropertyBag{{L"_extentx", Variant::longValue(extentX)}, {L"_extenty", Variant::longValue(318)},
                     {L"caption", Variant::text(caption)}, {L"url", Variant::text(url)},
                     {L"tooltiptext", Variant::text(L"")}, {L"hilightcolour", Variant::longValue(0x00AF0000)}};
}
}  // namespace

FormSpec wAbout::layout() {
  using K = ControlKind;
  const wchar_t* panel = L"picAntiFlicker(1)";
  FormSpec form{L"Orvandel.wAbout", L"About", 6030, 3030, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                IDI_ORVANDEL, 16, {}};
  auto& c = form.controls;
  // In reading order (see the main window's); the pictures that act on a click are named after
  // what they do.
  c.push_back({K::Image, L"imgStar", L"", 405, 360, 720, 720, L"Orvandel web page", -1, kHandPointer | kClickable});
  c.back().pictureId = IDP_LOGO;
  c.back().id = kIdAboutLogo;
  c.push_back({K::Frame, L"fraMain", L"", 1560, -75, 4455, 3090, L"", 0});
  c.push_back({K::Panel, panel, L"fraMain", 75, 150, 4320, 2880, L"Orvandel", 1});
  c.back().font = FontSpec{L"MS Sans Serif", 8.25};
  c.push_back({K::Label, L"labTitle", panel, 15, 15, 4350, 210, L"Orvandel", 2,
               kCentred | kBold | kHandPointer | kClickable});
  c.back().font = FontSpec{L"Tahoma", 9};
  c.back().id = kIdAboutTitle;
  c.push_back({K::Label, L"labHVersion", panel, 120, 330, 630, 195, L"Version", 3, kAutoSize | kBold});
  c.push_back({K::Label, L"labVersion", panel, 855, 330, 330, 195, L"1.01", 4, kAutoSize});
  c.push_back({K::Label, L"labHBuild", panel, 3180, 330, 405, 195, L"Build", 5, kAutoSize | kBold});
  c.push_back({K::Label, L"labBuild", panel, 3705, 330, 390, 195, L"#101", 6, kAutoSize});
  c.push_back({K::Label, L"labHDate", panel, 135, 570, 405, 195, L"Date", 7, kAutoSize | kBold});
  c.push_back({K::Label, L"labDate", panel, 855, 570, 1680, 195, L"30th September, 2004.", 8, kAutoSize});
  c.push_back({K::Label, L"labDisclaimer", panel, 225, 1005, 3915, 690,
               L"Neither Tesquine Solutions or Halbrecht takes any re- sponsibility for any direct or indirect damage "
               L"that this software may cause to either your PC or software.", 9, kWordWrap});
  c.push_back({K::HyperLink, L"lnkWebiste", panel, 465, 1710, 1530, 180, L"", 12});
  c.back().properties = linkProperties(2699, L"Tesquine Solutions", kHomePage);
  c.push_back({K::HyperLink, L"lnkForum", panel, 2490, 1710, 1110, 180, L"", 13});
  c.back().properties = linkProperties(1958, L"Visit the Forum", kForumPage);
  c.push_back({K::Rule, L"MultiRule1", panel, 495, 2010, 3105, 90});
  c.back().properties = PropertyBag{{L"_extentx", Variant::longValue(5477)}, {L"_extenty", Variant::longValue(159)},
                                    {L"orientation", Variant::longValue(0)}};
  c.push_back({K::Image, L"imgDonate", panel, 480, 2265, 930, 465, L"Make a donation", -1, kHandPointer | kClickable});
  c.back().pictureId = IDP_DONATE;
  c.back().id = kIdDonateLogo;
  c.push_back({K::Label, L"labDonate", panel, 1560, 2205, 2715, 600,
               L"If you like this program, then please consider making a donation by clicking on the logo. Thanks!",
               10, kWordWrap | kHandPointer | kClickable});
  c.back().id = kIdDonateText;
  // Beneath: what has no text, drawn by the window.
  c.push_back({K::Label, L"Label1", L"", 120, 120, 1260, 1260, L"", 11});
  c.back().backColour = RGB(255, 255, 255);
  c.push_back({K::Image, L"Image1", L"", 15, 15, 1485, 3000, L"", -1, kStretch});
  c.back().pictureId = IDP_BANNER;
  return form;
}

void wAbout::showModal(HWND owner) { runModal(owner); }

void wAbout::Form_Load() {
  const ProgramVersion version = ProgramVersion::ofThisProgram();
  setCaption(L"labVersion", versionText(version));
  setCaption(L"labBuild", buildText(version));
}

void wAbout::controlClicked(int id) {
  // The title and the logo open the program's page; the donation logo and its text the donation page.
  static const std::pair<int, const wchar_t*> kPages[] = {
      {kIdAboutTitle, kProgramPage}, {kIdAboutLogo, kProgramPage},
      {kIdDonateLogo, kDonationPage}, {kIdDonateText, kDonationPage},
  };
  for (const auto& [control, page] : kPages) {
    if (control == id) return openPage(page);
  }
}

void wAbout::openPage(const wchar_t* page) {
  services_.launcher.launch(page, L"", hwnd(), SW_SHOWNORMAL, L"", false);
}
