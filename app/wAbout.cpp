#include "app/wAbout.h"

#include <iterator>

#include "app/ControlIds.h"
#include "app/ProgramVersion.h"
#include "resources/ResourceIds.h"
#include "resources/WordIds.h"

const wchar_t wAbout::kProgramPage[] = L"http://www.tesquinesolutions.example/index.php?id=orvandel";
const wchar_t wAbout::kDonationPage[] = L"http://www.tesquinesolutions.example/index.php?id=donation";
const wchar_t wAbout::kForumPage[] = L"http://www.tesquinesolutions.example/index.php?id=forum";
const wchar_t wAbout::kHomePage[] = L"http://www.tesquinesolutions.example/?from=orvandel";

FormSpec wAbout::layout(LANGID language) {
  using K = ControlKind;
  using P = StoredProperty;
  constexpr const wchar_t* panel = L"picAntiFlicker(1)";
  static const StoredProperty kRule[] = {{L"_extentx", P::Long, 5477}, {L"_extenty", P::Long, 159},
                                         {L"orientation", P::Long, 0}};
  static const StoredProperty kForum[] = {
      {L"_extentx", P::Long, 1958}, {L"_extenty", P::Long, 318}, {L"caption", P::Text, 0, wordText(IDS_FORUM)},
      {L"url", P::Text, 0, kForumPage}, {L"tooltiptext", P::Text, 0, L""}, {L"hilightcolour", P::Long, 0x00AF0000}};
  static const StoredProperty kWebsite[] = {
      {L"_extentx", P::Long, 2699}, {L"_extenty", P::Long, 318}, {L"caption", P::Text, 0, L"Tesquine Solutions"},
      {L"url", P::Text, 0, kHomePage}, {L"tooltiptext", P::Text, 0, L""}, {L"hilightcolour", P::Long, 0x00AF0000}};
  constexpr DesignColour kNone = kSchemeColour;
  constexpr FontSpec kTahoma9{L"Tahoma", 9};
  // In reading order (see the main window's); the pictures that act on a click are named after
  // what they do, and each page's picture is a tab stop after the links (the title and the
  // donation text beside them open the same pages: one stop a page). Last, beneath: what has no
  // text, drawn by the window.
  static const ControlRow kControls[] = {
      {K::Image, L"imgStar", L"", 405, 360, 720, 720, wordText(IDS_PROGRAM_PAGE), 14, kHandPointer | kClickable, kIdAboutLogo,
       kNone, kNone, IDP_LOGO},
      {K::Frame, L"fraMain", L"", 1560, -75, 4455, 3090, L"", 0},
      {K::Panel, panel, L"fraMain", 75, 150, 4320, 2880, L"Orvandel", 1, kNoFlags, 0, kNone, kNone, 0, L"",
       FontSpec{L"MS Sans Serif", 8.25}},
      {K::Label, L"labTitle", panel, 15, 15, 4350, 210, L"Orvandel", 2, kCentred | kBold | kHandPointer | kClickable,
       kIdAboutTitle, kNone, kNone, 0, L"", kTahoma9},
      {K::Label, L"labHVersion", panel, 120, 330, 630, 195, wordText(IDS_VERSION), 3, kAutoSize | kBold},
      {K::Label, L"labVersion", panel, 855, 330, 330, 195, L"1.01", 4, kAutoSize},
      {K::Label, L"labHBuild", panel, 3180, 330, 405, 195, wordText(IDS_BUILD), 5, kAutoSize | kBold},
      {K::Label, L"labBuild", panel, 3705, 330, 390, 195, L"#101", 6, kAutoSize},
      {K::Label, L"labHDate", panel, 135, 570, 405, 195, wordText(IDS_DATE), 7, kAutoSize | kBold},
      {K::Label, L"labDate", panel, 855, 570, 1680, 195, wordText(IDS_DATE_TEXT), 8, kAutoSize},
      {K::Label, L"labDisclaimer", panel, 225, 1005, 3915, 690,
       wordText(IDS_DISCLAIMER), 9, kWordWrap},
      {K::HyperLink, L"lnkWebiste", panel, 465, 1710, 1530, 180, L"", 12, kNoFlags, 0, kNone, kNone, 0, L"", {},
       kWebsite, std::size(kWebsite)},
      {K::HyperLink, L"lnkForum", panel, 2490, 1710, 1110, 180, L"", 13, kNoFlags, 0, kNone, kNone, 0, L"", {}, kForum,
       std::size(kForum)},
      {K::Rule, L"MultiRule1", panel, 495, 2010, 3105, 90, L"", -1, kNoFlags, 0, kNone, kNone, 0, L"", {}, kRule,
       std::size(kRule)},
      {K::Image, L"imgDonate", panel, 480, 2265, 930, 465, wordText(IDS_DONATE_LOGO), 15, kHandPointer | kClickable,
       kIdDonateLogo, kNone, kNone, IDP_DONATE},
      {K::Label, L"labDonate", panel, 1560, 2205, 2715, 600,
       wordText(IDS_DONATE_TEXT), 10,
       kWordWrap | kHandPointer | kClickable, kIdDonateText},
      {K::Label, L"Label1", L"", 120, 120, 1260, 1260, L"", 11, kNoFlags, 0, kNone, kWhiteBand},
      {K::Image, L"Image1", L"", 15, 15, 1485, 3000, L"", -1, kStretch, 0, kNone, kNone, IDP_BANNER},
  };
  return FormSpec{L"Orvandel.wAbout", word(IDS_ABOUT, language), 6030, 3030,
                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, IDI_ORVANDEL, 16, controlsOf(kControls, language)};
}

FormSpec wAbout::loadedLayout(LANGID language) {
  FormSpec spec = layout(language);
  const ProgramVersion version = ProgramVersion::ofThisProgram();
  for (ControlSpec& control : spec.controls) {
    if (control.name == L"labVersion") control.text = versionText(version);
    if (control.name == L"labBuild") control.text = buildText(version);
  }
  return spec;
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
