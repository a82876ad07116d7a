// The hyperlink's parts, properties, persistence, layout and painting. Hover and click:
// HyperLinkMouse.cpp.
#include "controls/HyperLink.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

#include "controls/ControlUnits.h"
#include "controls/OleColour.h"
#include "controls/modShellExecute.h"
#include "resources/ResourceIds.h"

namespace {
constexpr OleColour kButtonFace = 0x8000000F;
constexpr OleColour kWhite = 0x00FFFFFF;
constexpr OleColour kLinkBlue = 0x00FF0000;
constexpr OleColour kHilightBlue = 0x00AF0000;
constexpr UINT_PTR kToolId = 1;

const std::pair<const wchar_t*, const wchar_t*> kMemberDescriptions[] = {
    {L"Caption", L"This is the text to display as the actual link."},
    {L"URL", L"This is the URL (it can infact be a file, directory - anything!) that will be executed. See the "
             L"Docs for the list of available Constant values."},
    {L"MinimiseOnClick",
     L"If TRUE, then the form containing the link will be automatically minimised when the link is clicked."},
    {L"CloseOnClick",
     L"If TRUE, then the form containing the link will be automatically closed when the link is clicked."},
    {L"MouseOutCheckDelay", L"The delay in milliseconds between each each to see if the mouse cursor has left the "
                            L"confines of the link (to revert back to the LinkColour)."},
    {L"HilightColour", L"This is the colour of the link when the mouse cursor is hovering over it."},
    {L"LinkColour", L"This is the colour of the link when the mouse cursor isn't hovering over it."},
    {L"Underlined",
     L"If TRUE, then the linktext (Caption) will be underlined, to look like a 'proper' HTML link."},
    {L"ToolTip", L"The text-tip that is displayed when the cursor is held over the link."},
    {L"Refresh", L"Refreshes the control, thus redrawing it."},
};

[[noreturn]] void raiseLastError(const char* what) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

// GetDC/ReleaseDC; a null window gives the screen's DC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

int screenDpiY() {
  WindowDC screen(nullptr);
  return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

LONG fontHeight(float points) { return -static_cast<LONG>(std::lround(points * screenDpiY() / 72.0f)); }

// The program's own pointing hand if the executable holds it, else the system's, else the arrow.
HCURSOR loadPointingHand(UniqueCursor& owned) {
  owned.reset(static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTING_HAND),
                                              IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
  if (owned) return owned.get();
  if (HCURSOR hand = LoadCursor(nullptr, IDC_HAND)) return hand;
  return LoadCursor(nullptr, IDC_ARROW);
}
}  // namespace

HyperLink::HyperLink(Events events, HyperLinkServices services)
    : events_(std::move(events)),
      launcher_(services.launcher ? *services.launcher : shellDocumentLauncher()),
      pointer_(services.pointer ? *services.pointer : systemPointer()),
      appFolder_(std::move(services.appFolder)) {}

HyperLink::~HyperLink() { destroyWindow(); }

std::unique_ptr<HyperLink> HyperLink::make(HWND parent, int id, const RECT& pixels, Events events,
                                           HyperLinkServices services) {
  std::unique_ptr<HyperLink> link(new HyperLink(std::move(events), std::move(services)));
  link->fontBase_.lfHeight = fontHeight(link->label_.FontSize);
  link->fontBase_.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(link->fontBase_.lfFaceName, link->label_.FontName.c_str(), LF_FACESIZE);
  link->rebuildFont();
  link->handCursor_ = loadPointingHand(link->ownCursor_);
  link->createWindow(kClassName, CS_HREDRAW | CS_VREDRAW, parent, id, WS_CHILD | WS_TABSTOP, pixels,
                     link->label_.Caption.c_str());
  // A link without tip text needs no tool tip window (one less window at start-up).
  if (!link->label_.ToolTipText.empty()) link->createToolTip();
  return link;
}

std::unique_ptr<HyperLink> HyperLink::create(HWND parent, int id, const RECT& pixels, const PropertyBag& bag,
                                             Events events, HyperLinkServices services) {
  std::unique_ptr<HyperLink> link = make(parent, id, pixels, std::move(events), std::move(services));
  link->UserControl_ReadProperties(bag);
  link->placed_ = true;
  link->UserControl_Resize();
  ShowWindow(link->hwnd(), SW_SHOWNA);
  return link;
}

std::unique_ptr<HyperLink> HyperLink::createNew(HWND parent, int id, const RECT& pixels, Events events,
                                                HyperLinkServices services) {
  std::unique_ptr<HyperLink> link = make(parent, id, pixels, std::move(events), std::move(services));
  link->UserControl_InitProperties();
  link->placed_ = true;
  link->UserControl_Resize();
  ShowWindow(link->hwnd(), SW_SHOWNA);
  return link;
}

// --- Properties -------------------------------------------------------------------------------

void HyperLink::Caption(const std::wstring& value) {
  m_Caption = value;
  setLabelCaption(value);
  layout();
  changed(L"Caption");
}

void HyperLink::URL(const std::wstring& value) {
  m_URL = value;
  changed(L"URL");
}

void HyperLink::OverrideClick(bool value) {
  m_OverrideClick = value;
  changed(L"OverrideClick");
}

void HyperLink::MinimiseOnClick(bool value) {
  m_MinimiseOnClick = value;
  changed(L"MinimiseOnClick");
}

void HyperLink::CloseOnClick(bool value) {
  m_CloseOnClick = value;
  changed(L"CloseOnClick");
}

void HyperLink::MouseOutCheckDelay(int32_t value) {
  m_MouseOutCheckDelay = value;
  setTimerInterval(value);
  changed(L"MouseOutCheckDelay");
}

void HyperLink::BackColor(OleColour value) {
  m_BackColor = value;
  label_.BackColor = value;
  invalidate();
  changed(L"BackColor");
}

void HyperLink::HilightColour(OleColour value) {
  m_HilightColour = value;
  changed(L"HilightColour");
}

void HyperLink::LinkColour(OleColour value) {
  m_LinkColour = value;
  setLabelForeColor(value);
  changed(L"LinkColour");
}

void HyperLink::Underlined(bool value) {
  m_Underlined = value;
  setLabelUnderline(value);
  changed(L"Underlined");
}

void HyperLink::UnderlinedHilight(bool value) {
  m_UnderlinedHilight = value;
  changed(L"UnderlinedHilight");
}

void HyperLink::ToolTip(const std::wstring& value) {
  m_ToolTip = value;
  label_.ToolTipText = value;
  updateToolTip();
  changed(L"ToolTip");
}

void HyperLink::Refresh() {
  if (hwnd()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

std::wstring HyperLink::MemberDescription(const std::wstring& member) {
  for (const auto& [name, description] : kMemberDescriptions) {
    if (member == name) return description;
  }
  return {};
}

void HyperLink::changed(const wchar_t* name) {
  // A copy: the handler may release this link.
  if (PropertyChangedHandler handler = events_.PropertyChanged) handler(name);
}

// --- Persistence ------------------------------------------------------------------------------

void HyperLink::UserControl_InitProperties() {
  m_Caption = L"-- Link --";
  m_URL.clear();
  m_BackColor = kButtonFace;
  m_LinkColour = kLinkBlue;
  m_HilightColour = kHilightBlue;
  m_Underlined = false;
  m_UnderlinedHilight = true;
  m_MouseOutCheckDelay = 50;
  m_ToolTip.clear();
  m_OverrideClick = false;
  m_MinimiseOnClick = false;
  m_CloseOnClick = false;
}

void HyperLink::UserControl_ReadProperties(const PropertyBag& PropBag) {
  m_Caption = PropBag.ReadProperty(L"Caption", L"Vessmor HyperLink").toText();
  m_ToolTip = PropBag.ReadProperty(L"ToolTipText", L"").toText();
  m_URL = PropBag.ReadProperty(L"URL", L"").toText();
  m_OverrideClick = PropBag.ReadProperty(L"OverrideClick", Variant::boolean(false)).toBoolean();
  m_MinimiseOnClick = PropBag.ReadProperty(L"MinimiseOnClick", Variant::boolean(false)).toBoolean();
  m_CloseOnClick = PropBag.ReadProperty(L"CloseOnClick", Variant::boolean(false)).toBoolean();
  m_MouseOutCheckDelay = PropBag.ReadProperty(L"MouseOutCheckDelay", Variant::integer(50)).toLong();
  m_BackColor = colourOf(PropBag.ReadProperty(L"BackColor", colourVariant(kButtonFace)));
  m_HilightColour = colourOf(PropBag.ReadProperty(L"HilightColour", colourVariant(kWhite)));
  m_LinkColour = colourOf(PropBag.ReadProperty(L"LinkColour", colourVariant(kLinkBlue)));
  m_Underlined = PropBag.ReadProperty(L"Underlined", Variant::boolean(false)).toBoolean();
  m_UnderlinedHilight = PropBag.ReadProperty(L"UnderlinedHilight", Variant::boolean(true)).toBoolean();

  label_.BackColor = m_BackColor;
  setLabelCaption(m_Caption);
  label_.ToolTipText = m_ToolTip;
  updateToolTip();
  setLabelForeColor(m_LinkColour);
  setTimerInterval(m_MouseOutCheckDelay);
  // Tahoma 8 pt, whatever font was designed; underlined only when asked (the design has none).
  label_.FontName = L"Tahoma";
  label_.FontSize = 8.0f;
  lstrcpynW(fontBase_.lfFaceName, L"Tahoma", LF_FACESIZE);
  fontBase_.lfHeight = fontHeight(label_.FontSize);
  if (m_Underlined) label_.FontUnderline = true;
  rebuildFont();
  // No layout here: the host sizes the control next, and that runs it.
}

void HyperLink::UserControl_WriteProperties(PropertyBag& PropBag) const {
  PropBag.WriteProperty(L"Caption", Variant::text(m_Caption));
  PropBag.WriteProperty(L"URL", Variant::text(m_URL));
  PropBag.WriteProperty(L"OverrideClick", Variant::boolean(m_OverrideClick), Variant::boolean(false));
  PropBag.WriteProperty(L"MinimiseOnClick", Variant::boolean(m_MinimiseOnClick), Variant::boolean(false));
  PropBag.WriteProperty(L"CloseOnClick", Variant::boolean(m_CloseOnClick), Variant::boolean(false));
  PropBag.WriteProperty(L"MouseOutCheckDelay", Variant::longValue(m_MouseOutCheckDelay), Variant::longValue(50));
  PropBag.WriteProperty(L"ToolTipText", Variant::text(m_ToolTip));
  PropBag.WriteProperty(L"BackColor", colourVariant(m_BackColor), colourVariant(kButtonFace));
  PropBag.WriteProperty(L"HilightColour", colourVariant(m_HilightColour), colourVariant(kWhite));
  PropBag.WriteProperty(L"LinkColour", colourVariant(m_LinkColour), colourVariant(kLinkBlue));
  PropBag.WriteProperty(L"Underlined", Variant::boolean(m_Underlined), Variant::boolean(false));
  PropBag.WriteProperty(L"UnderlinedHilight", Variant::boolean(UnderlinedHilight()), Variant::boolean(true));
}

// --- Layout -----------------------------------------------------------------------------------

void HyperLink::UserControl_Resize() { layout(); }

HyperLink::Extent HyperLink::LayoutExtent(int labelWidth, int labelHeight) {
  return {static_cast<float>(labelWidth) * 15.0f + 45.0f, static_cast<float>(labelHeight) * 15.0f - 15.0f};
}

void HyperLink::layout() {
  extent_ = LayoutExtent(label_.Width, label_.Height);
  const int width = std::max(0, static_cast<int>(std::lround(extent_.Width / kControlTwipsPerPixel)));
  const int height = std::max(0, static_cast<int>(std::lround(extent_.Height / kControlTwipsPerPixel)));
  RECT now{};
  GetWindowRect(hwnd(), &now);
  // An unchanged size is not set again, so the resize this causes ends here.
  if (now.right - now.left != width || now.bottom - now.top != height) {
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  invalidate();
}

// --- The label --------------------------------------------------------------------------------

void HyperLink::setLabelCaption(const std::wstring& text) {
  label_.Caption = text;
  // The window text is the caption, for assistive tools; WM_SETTEXT from here only stores it.
  settingText_ = true;
  SetWindowTextW(hwnd(), text.c_str());
  settingText_ = false;
  autoSizeLabel();
  invalidate();
}

void HyperLink::setLabelForeColor(OleColour colour) {
  if (label_.ForeColor == colour) return;
  label_.ForeColor = colour;
  invalidate();
}

void HyperLink::setLabelUnderline(bool underline) {
  if (label_.FontUnderline == underline) return;
  label_.FontUnderline = underline;
  rebuildFont();
}

// A font the host gives (WM_SETFONT) replaces face, size and style; the underline stays the
// link's own.
void HyperLink::adoptFont(HFONT font) {
  LOGFONTW given{};
  if (!GetObjectW(font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), sizeof given, &given)) return;
  fontBase_ = given;
  label_.FontName = given.lfFaceName;
  label_.FontSize = static_cast<float>(std::abs(given.lfHeight)) * 72.0f / static_cast<float>(screenDpiY());
  label_.FontBold = given.lfWeight >= FW_SEMIBOLD;
  label_.FontItalic = given.lfItalic != 0;
  rebuildFont();
}

void HyperLink::rebuildFont() {
  LOGFONTW wanted = fontBase_;
  wanted.lfWeight = label_.FontBold ? FW_BOLD : FW_NORMAL;
  wanted.lfItalic = label_.FontItalic;
  wanted.lfUnderline = label_.FontUnderline;
  UniqueFont font(CreateFontIndirectW(&wanted));
  if (!font) raiseLastError("CreateFontIndirectW");
  font_ = std::move(font);
  autoSizeLabel();
  invalidate();
}

// Auto-size: the label is as wide as its text and one line of the font high.
void HyperLink::autoSizeLabel() {
  WindowDC dc(hwnd());
  if (!dc.get()) return;
  SelectedObject selected(dc.get(), font_.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  int width = 0;
  int height = metrics.tmHeight;
  if (!label_.Caption.empty()) {
    RECT text{};
    DrawTextW(dc.get(), label_.Caption.c_str(), static_cast<int>(label_.Caption.size()), &text,
              DT_CALCRECT | DT_NOPREFIX);
    width = text.right;
    height = std::max(height, static_cast<int>(text.bottom));
  }
  label_.Width = width;
  label_.Height = height;
  updateToolTip();
}

void HyperLink::createToolTip() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  toolTip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr));
  if (!toolTip_) return;  // the link works without its tip
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by comctl32 5 and 6 alike
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = kToolId;
  tool.lpszText = const_cast<wchar_t*>(label_.ToolTipText.c_str());
  SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  updateToolTip();
}

void HyperLink::updateToolTip() {
  if (!toolTip_) {
    if (!label_.ToolTipText.empty() && hwnd()) createToolTip();  // it updates itself once made
    return;
  }
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = hwnd();
  tool.uId = kToolId;
  tool.rect = {label_.Left, label_.Top, label_.Left + label_.Width, label_.Top + label_.Height};
  SendMessageW(toolTip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  tool.lpszText = const_cast<wchar_t*>(label_.ToolTipText.c_str());
  SendMessageW(toolTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// --- tmrMouseOut ------------------------------------------------------------------------------

void HyperLink::setTimerInterval(int32_t interval) {
  timer_.Interval = interval;
  if (timer_.Enabled) startTimer();  // a running timer restarts with the new period
}

void HyperLink::startTimer() {
  // A period of zero or less would never tick (or not for weeks), leaving the highlight stuck:
  // such a link checks at the shortest period the system has.
  const UINT period = timer_.Interval > 0 ? static_cast<UINT>(timer_.Interval) : USER_TIMER_MINIMUM;
  if (!SetTimer(hwnd(), kMouseOutTimerId, period, nullptr)) raiseLastError("SetTimer");
  timer_.Enabled = true;
}

void HyperLink::stopTimer() {
  KillTimer(hwnd(), kMouseOutTimerId);
  timer_.Enabled = false;
}

// --- Painting and messages --------------------------------------------------------------------

void HyperLink::invalidate() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void HyperLink::paint() {
  PaintScope paint(hwnd());
  const HDC dc = paint.dc();
  RECT client{};
  GetClientRect(hwnd(), &client);
  // The margins beside the label keep the button face whatever BackColor says.
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  RECT label{label_.Left, label_.Top, label_.Left + label_.Width, label_.Top + label_.Height};
  UniqueBrush back(CreateSolidBrush(resolveColour(label_.BackColor)));
  if (back) FillRect(dc, &label, back.get());

  SelectedObject font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, IsWindowEnabled(hwnd()) ? resolveColour(label_.ForeColor) : GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, label_.Caption.c_str(), static_cast<int>(label_.Caption.size()), &label, DT_NOPREFIX);

  const bool focusHidden = focusCuesHidden_ || (SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  if (GetFocus() == hwnd() && !focusHidden) DrawFocusRect(dc, &client);
}

// Wine keeps no UI state (WM_QUERYUISTATE answers 0 whatever WM_UPDATEUISTATE said), so the link
// also remembers what it was told.
void HyperLink::noteUiState(WORD action, WORD flags) {
  if (action == UIS_INITIALIZE) {
    focusCuesHidden_ = (SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
  } else if (flags & UISF_HIDEFOCUS) {
    focusCuesHidden_ = action == UIS_SET;
  }
}

LRESULT HyperLink::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers the whole client area
    case WM_SIZE:
      if (placed_) UserControl_Resize();
      return 0;
    case WM_MOUSEMOVE:
      if (overLabel(clientPoint(lParam))) labLink_MouseMove();
      return 0;
    case WM_LBUTTONUP: return mouseUp(1, wParam, lParam);
    case WM_RBUTTONUP: return mouseUp(2, wParam, lParam);
    case WM_MBUTTONUP: return mouseUp(4, wParam, lParam);
    case WM_TIMER:
      if (wParam != kMouseOutTimerId) break;
      tmrMouseOut_Timer();
      return 0;
    case WM_SETCURSOR:
      if (setCursor()) return TRUE;
      break;
    case WM_GETDLGCODE: {
      // Enter reaches the link instead of the dialog's default button.
      const MSG* keyMessage = reinterpret_cast<const MSG*>(lParam);
      if (keyMessage && keyMessage->message == WM_KEYDOWN && keyMessage->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
      return 0;
    }
    case WM_KEYDOWN:
      if (keyDown(wParam, lParam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      invalidate();
      return 0;
    case WM_UPDATEUISTATE: {
      const LRESULT result = defaultHandling(message, wParam, lParam);
      noteUiState(LOWORD(wParam), HIWORD(wParam));
      invalidate();
      return result;
    }
    case WM_SETTEXT:
      if (settingText_) break;
      Caption(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
      return TRUE;
    case WM_SETFONT:
      adoptFont(reinterpret_cast<HFONT>(wParam));
      layout();
      if (LOWORD(lParam)) UpdateWindow(hwnd());
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_.get());
    case WM_DESTROY:
      // The tip is owned by the top-level window, which may have destroyed it already.
      if (!IsWindow(toolTip_.get())) toolTip_.release();
      toolTip_.reset();
      timer_.Enabled = false;  // the window's timers go with it
      return 0;
    default:
      break;
  }
  return defaultHandling(message, wParam, lParam);
}
