#include "app/wMain.h"

#include <iterator>

#include "app/ControlIds.h"
#include "app/modWinXP.h"
#include "app/wAbout.h"
#include "base/SystemLibrary.h"
#include "controls/AccessibleObject.h"
#include "controls/Containers.h"
#include "resources/ResourceIds.h"
#include "resources/WordIds.h"

const wchar_t kMakerSite[] = L"http://www.tesquinesolutions.example/";

namespace {
const wchar_t* const kOption[] = {L"optMode(0)", L"optMode(1)"};
const wchar_t* const kFrame[] = {L"fraRemoveAVIPreview", L"fraRestoreAVIPreview"};
const wchar_t* const kPanel[] = {L"picContainer(0)", L"picContainer(1)"};
const wchar_t* const kInfo[] = {L"labRemoveInfo", L"labRestoreInfo"};
const wchar_t* const kRestartNote[] = {L"labRemoveRestartPC", L"labRestoreRestartPC"};
const wchar_t* const kModeName[] = {wordText(IDS_MODE_REMOVE), wordText(IDS_MODE_RESTORE)};
const wchar_t* const kFrameCaption[] = {wordText(IDS_FRAME_REMOVE), wordText(IDS_FRAME_RESTORE)};
const wchar_t* const kRestartText = wordText(IDS_RESTART_NOTE);

// What a click on each control does.
struct ClickRoute {
  int id;
  void (*handler)(wMain& window);
};
}  // namespace

FormSpec wMain::layout(LANGID language) {
  using K = ControlKind;
  using P = StoredProperty;
  static const StoredProperty kHeaderRule[] = {{L"_extentx", P::Long, 15266}, {L"_extenty", P::Long, 132},
                                               {L"orientation", P::Long, 0}};
  static const StoredProperty kFooterRule[] = {{L"_extentx", P::Long, 11536}, {L"_extenty", P::Long, 132},
                                               {L"orientation", P::Long, 0}};
  static const StoredProperty kMakerLink[] = {
      {L"_extentx", P::Long, 2223}, {L"_extenty", P::Long, 318}, {L"caption", P::Text, 0, L"Tesquine Solutions"},
      {L"url", P::Text, 0, kMakerSite}, {L"overrideclick", P::Boolean, 1}, {L"tooltiptext", P::Text, 0, L""},
      {L"hilightcolour", P::Long, 0x00AF0000}};
  constexpr DesignColour kNone = kSchemeColour, kDarkRed{RGB(128, 0, 0), ColourRole::FaceText};
  // Listed in reading order, which is also the order assistive technology reads the windows in;
  // an option comes before the frame whose edge it sits on, so it stays above it. The options'
  // and panels' names are their frames' captions: the frame draws the caption, and an option's
  // own is clipped away beside its button. Last, beneath the texts: what has no text of its own,
  // drawn by the window.
  static const ControlRow kControls[] = {
      {K::Label, L"Label1", L"", 1230, 150, 1635, 195, L"Orvandel", 4, kAutoSize | kTransparent | kBold, 0,
       kTextOnBand, kWhiteBand},
      {K::Label, L"labBody", L"", 1215, 375, 4695, 600,
       wordText(IDS_MAIN_BODY), 5, kWordWrap | kTransparent, 0,
       kTextOnBand, kWhiteBand},
      {K::Rule, L"MultiRule1", L"", -1305, 1140, 8655, 75, L"", -1, kNoFlags, 0, kNone, kNone, 0, L"", {}, kHeaderRule,
       std::size(kHeaderRule)},
      {K::OptionButton, L"optMode(0)", L"", 300, 1290, 195, 195, kModeName[Remove], 10, kSelected, kIdOptionRemove},
      {K::Frame, L"fraRemoveAVIPreview", L"", 150, 1275, 5760, 1440, kFrameCaption[Remove], 3, kNoFlags, kIdFrameRemove},
      {K::Panel, L"picContainer(0)", L"fraRemoveAVIPreview", 60, 195, 5625, 1200, kModeName[Remove], 8, kNoFlags,
       kIdPanelRemove},
      {K::Label, L"labRemoveInfo", L"picContainer(0)", 90, 45, 5490, 645,
       wordText(IDS_REMOVE_INFO), 12, kWordWrap, kIdRemoveInfo},
      {K::Label, L"labRemoveRestartPC", L"picContainer(0)", 555, 795, 4590, 195, kRestartText, 15, kAutoSize,
       kIdRemoveRestartNote, kDarkRed},
      {K::OptionButton, L"optMode(1)", L"", 300, 2865, 210, 195, kModeName[Restore], 11, kNoFlags, kIdOptionRestore},
      {K::Frame, L"fraRestoreAVIPreview", L"", 150, 2850, 5760, 1440, kFrameCaption[Restore], 7, kNoFlags,
       kIdFrameRestore},
      {K::Panel, L"picContainer(1)", L"fraRestoreAVIPreview", 75, 180, 5625, 1200, kModeName[Restore], 9, kNoFlags,
       kIdPanelRestore},
      {K::Label, L"labRestoreInfo", L"picContainer(1)", 75, 75, 5490, 660,
       wordText(IDS_RESTORE_INFO), 13, kWordWrap, kIdRestoreInfo},
      {K::Label, L"labRestoreRestartPC", L"picContainer(1)", 540, 810, 4590, 195, kRestartText, 14, kAutoSize,
       kIdRestoreRestartNote, kDarkRed},
      {K::Rule, L"MultiRule2", L"", -330, 4440, 6540, 75, L"", -1, kNoFlags, 0, kNone, kNone, 0, L"", {}, kFooterRule,
       std::size(kFooterRule)},
      {K::Image, L"imgTesquine", L"", 180, 4635, 300, 240, L"Tesquine Solutions", -1, kNoFlags, 0, kNone, kNone,
       IDP_MAKER_SMALL, L"Tesquine Solutions"},
      {K::HyperLink, L"lnkTesquineSolutions", L"", 555, 4665, 1260, 180, L"", 6, kNoFlags, kIdMakerLink, kNone, kNone,
       0, L"", {}, kMakerLink, std::size(kMakerLink)},
      {K::CommandButton, L"cmdStart", L"", 2955, 4560, 1485, 405, wordText(IDS_START), 0, kNoFlags, kIdStart},
      {K::CommandButton, L"cmdClose", L"", 4485, 4560, 1485, 405, wordText(IDS_CLOSE), 2, kNoFlags, kIdClose},
      {K::Image, L"imgLogoFaded", L"", 4515, -285, 1440, 1440, L"", -1, kWatermark, 0, kNone, kNone, IDP_LOGO_FADED},
      {K::Image, L"Image1", L"", 285, 210, 720, 720, L"", -1, kNoFlags, 0, kNone, kNone, IDP_LOGO},
      {K::Label, L"labBkg", L"", -2445, -645, 11010, 1785, L"", 1, kNoFlags, 0, kNone, kWhiteBand},
  };
  return FormSpec{L"Orvandel.wMain", L"Orvandel", 6060, 5055,
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, IDI_ORVANDEL, 32,
                  controlsOf(kControls, language)};
}

wMain::wMain(AppServices services)
    : Form(layout(services.language), services.scale),
      services_(services),
      core_(services_.registry, services_.messages, {}, services_.language) {
  setLinkServices(services_.linkServices());
  Form_Initialize();
}

wMain::~wMain() {
  if (hwnd()) DestroyWindow(hwnd());
  Form_Unload();  // a window that was never made still lets the library go (once)
}

void wMain::Form_Initialize() {
  hShell32_ = loadSystemLibrary(L"shell32.dll");
  InitCommonControlsXP();
}

void wMain::show(int showCommand) {
  create(nullptr);
  if (!hwnd()) return;
  // A panel selects its mode's option: a screen reader hears it as that option. The table makes
  // these rows panels, so no run-time type check is needed (nor its machinery in the program).
  for (PreviewMode mode : {Remove, Restore}) {
    if (auto* panel = static_cast<PanelControl*>(ControlWindow::fromHandle(control(kPanel[mode])))) {
      panel->selects(control(kOption[mode]));
    }
  }
  ShowWindow(hwnd(), showCommand);
  // Focus first: Start is painted once, with its focus cue, instead of again after the first paint.
  SetFocus(control(L"cmdStart"));
  UpdateWindow(hwnd());
}

void wMain::Form_Load() {
  core_.SyncMainWindow(core_.AVIPreviewKeyExists() ? Remove : Restore, *this);
}

void wMain::Form_Unload() {
  // Close and the title bar's close button both end here, once.
  if (unloaded_) return;
  unloaded_ = true;
  hShell32_.reset();
  if (services_.endProgramOnClose) PostQuitMessage(0);
}

void wMain::controlClicked(int id) {
  static const ClickRoute kRoutes[] = {
      {kIdStart, [](wMain& w) { w.cmdStart_Click(); }},
      {kIdClose, [](wMain& w) { DestroyWindow(w.hwnd()); }},
      {kIdOptionRemove, [](wMain& w) { w.picContainer_Click(Remove); }},
      {kIdPanelRemove, [](wMain& w) { w.picContainer_Click(Remove); }},
      {kIdOptionRestore, [](wMain& w) { w.picContainer_Click(Restore); }},
      {kIdPanelRestore, [](wMain& w) { w.picContainer_Click(Restore); }},
  };
  for (const ClickRoute& route : kRoutes) {
    if (route.id == id) return route.handler(*this);
  }
}

void wMain::linkClicked(int id, int16_t) {
  // The maker link opens nothing itself: any button released over it brings up the About window.
  if (id == kIdMakerLink) lnkTesquineSolutions_Click();
}

void wMain::lnkTesquineSolutions_Click() {
  wAbout about(services_);
  about.showModal(hwnd());
}

void wMain::cmdStart_Click() {
  const bool removeSelected = SendMessageW(control(kOption[Remove]), BM_GETCHECK, 0, 0) == BST_CHECKED;
  core_.ApplyAVIPreviewMode(removeSelected ? Remove : Restore, *this);
}

void wMain::picContainer_Click(int Index) {
  selectOption(Index == Remove ? Remove : Restore);
}

void wMain::enableOption(PreviewMode mode, bool enabled) { EnableWindow(control(kOption[mode]), enabled); }
void wMain::enableFrame(PreviewMode mode, bool enabled) { EnableWindow(control(kFrame[mode]), enabled); }
void wMain::enableInfo(PreviewMode mode, bool enabled) { EnableWindow(control(kInfo[mode]), enabled); }

void wMain::setRestartNoteColour(PreviewMode mode, DesignColour colour) { setTextColour(kRestartNote[mode], colour); }

void wMain::selectOption(PreviewMode mode) {
  SendMessageW(control(kOption[mode]), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(control(kOption[mode == Remove ? Restore : Remove]), BM_SETCHECK, BST_UNCHECKED, 0);
  for (const wchar_t* panel : kPanel) notifyStateChanged(control(panel));  // heard as the options
}
