// The hyperlink's parts, properties, persistence, layout and painting. Hover and click:
// HyperLinkMouse.cpp.
#include "controls/HyperLink.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <variant>

#include "base/LastError.h"
#include "controls/ClickTracker.h"
#include "controls/ColourScheme.h"
#include "controls/ControlUnits.h"
#include "controls/HandCursor.h"
#include "controls/OleColour.h"
#include "controls/ScreenScale.h"
#include "controls/TextInk.h"
#include "controls/modShellExecute.h"

namespace {
constexpr OleColour kButtonFace = 0x8000000F;
constexpr OleColour kWhite = 0x00FFFFFF;
constexpr OleColour kLinkBlue = 0x00FF0000;
constexpr OleColour kHilightBlue = 0x00AF0000;
constexpr UINT_PTR kToolId = 1;
const WindowClass kLinkClass{HyperLink::kClassName, CS_HREDRAW | CS_VREDRAW};

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
}  // namespace

struct HyperLinkProperty {
  const wchar_t* name;
  std::variant<std::wstring HyperLink::*, bool HyperLink::*, int32_t HyperLink::*, OleColour HyperLink::*> field;
  Variant initial;     // a new instance's value
  Variant stored;      // read when the bag lacks the entry; a write leaves out a value equal to it
  bool alwaysWritten;  // written even when equal to `stored`
  size_t readPosition;  // a bag is read in an order of its own: the tip right after the caption
};

const std::vector<HyperLinkProperty>& HyperLink::storedProperties() {
  static const std::vector<HyperLinkProperty> properties = {
      {L"Caption", &HyperLink::m_Caption, Variant::text(L"-- Link --"), Variant::text(L"Vessmor HyperLink"), true, 0},
      {L"URL", &HyperLink::m_URL, Variant::text(L""), Variant::text(L""), true, 2},
      {L"OverrideClick", &HyperLink::m_OverrideClick, Variant::boolean(false), Variant::boolean(false), false, 3},
      {L"MinimiseOnClick", &HyperLink::m_MinimiseOnClick, Variant::boolean(false), Variant::boolean(false), false, 4},
      {L"CloseOnClick", &HyperLink::m_CloseOnClick, Variant::boolean(false), Variant::boolean(false), false, 5},
      {L"MouseOutCheckDelay", &HyperLink::m_MouseOutCheckDelay, Variant::longValue(50), Variant::integer(50), false, 6},
      {L"ToolTipText", &HyperLink::m_ToolTip, Variant::text(L""), Variant::text(L""), true, 1},
      {L"BackColor", &HyperLink::m_BackColor, colourVariant(kButtonFace), colourVariant(kButtonFace), false, 7},
      {L"HilightColour", &HyperLink::m_HilightColour, colourVariant(kHilightBlue), colourVariant(kWhite), false, 8},
      {L"LinkColour", &HyperLink::m_LinkColour, colourVariant(kLinkBlue), colourVariant(kLinkBlue), false, 9},
      {L"Underlined", &HyperLink::m_Underlined, Variant::boolean(false), Variant::boolean(false), false, 10},
      {L"UnderlinedHilight", &HyperLink::m_UnderlinedHilight, Variant::boolean(true), Variant::boolean(true), false, 11},
  };
  return properties;
}

namespace {
// A field of the link given a stored value, and the value stored for a field.
struct AssignFrom {
  HyperLink& link;
  const Variant& value;
  void operator()(std::wstring HyperLink::*field) const { link.*field = value.toText(); }
  void operator()(bool HyperLink::*field) const { link.*field = value.toBoolean(); }
  void operator()(int32_t HyperLink::*field) const { link.*field = value.toLong(); }
  void operator()(OleColour HyperLink::*field) const { link.*field = colourOf(value); }
};

struct ValueOf {
  const HyperLink& link;
  Variant operator()(std::wstring HyperLink::*field) const { return Variant::text(link.*field); }
  Variant operator()(bool HyperLink::*field) const { return Variant::boolean(link.*field); }
  Variant operator()(int32_t HyperLink::*field) const { return Variant::longValue(link.*field); }
  Variant operator()(OleColour HyperLink::*field) const { return colourVariant(link.*field); }
};
}  // namespace

HyperLink::HyperLink(Events events, HyperLinkServices services)
    : events_(std::move(events)),
      launcher_(services.launcher ? *services.launcher : shellDocumentLauncher()),
      pointer_(services.pointer ? *services.pointer : systemPointer()),
      appFolder_(std::move(services.appFolder)),
      scale_(services.scale ? *services.scale : ScreenScale::ofScreen()) {
  UserControl_InitProperties();
}

HyperLink::~HyperLink() { destroyWindow(); }

std::unique_ptr<HyperLink> HyperLink::make(HWND parent, int id, const RECT& pixels, Events events,
                                           HyperLinkServices services) {
  std::unique_ptr<HyperLink> link(new HyperLink(std::move(events), std::move(services)));
  link->fontBase_.lfHeight = link->scale_.fontHeight(link->label_.FontSize);
  link->fontBase_.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(link->fontBase_.lfFaceName, link->label_.FontName.c_str(), LF_FACESIZE);
  link->createWindow(kLinkClass, parent, id, WS_CHILD | WS_TABSTOP, 0, pixels, link->label_.Caption.c_str());
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
  link->rebuildFont();  // a stored instance gets its font from its properties instead
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
  for (const HyperLinkProperty& property : storedProperties()) {
    std::visit(AssignFrom{*this, property.initial}, property.field);
  }
}

void HyperLink::UserControl_ReadProperties(const PropertyBag& PropBag) {
  // An entry that fails to convert stops the load: those read before it keep their new values.
  const std::vector<HyperLinkProperty>& properties = storedProperties();
  for (size_t position = 0; position < properties.size(); ++position) {
    for (const HyperLinkProperty& property : properties) {
      if (property.readPosition != position) continue;
      std::visit(AssignFrom{*this, PropBag.ReadProperty(property.name, property.stored)}, property.field);
    }
  }

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
  fontBase_.lfHeight = scale_.fontHeight(label_.FontSize);
  if (m_Underlined) label_.FontUnderline = true;
  rebuildFont();
  // No layout here: the host sizes the control next, and that runs it.
}

void HyperLink::UserControl_WriteProperties(PropertyBag& PropBag) const {
  for (const HyperLinkProperty& property : storedProperties()) {
    const Variant value = std::visit(ValueOf{*this}, property.field);
    if (property.alwaysWritten) {
      PropBag.WriteProperty(property.name, value);
    } else {
      PropBag.WriteProperty(property.name, value, property.stored);
    }
  }
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
  invalidate();  // the link draws the underline itself, in the one font; its size stays
}

// A font the host gives (WM_SETFONT) replaces face, size and style; the underline stays the
// link's own.
void HyperLink::adoptFont(HFONT font) {
  LOGFONTW given{};
  if (!GetObjectW(font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), sizeof given, &given)) return;
  fontBase_ = given;
  label_.FontName = given.lfFaceName;
  label_.FontSize = static_cast<float>(scale_.points(given.lfHeight));
  label_.FontBold = given.lfWeight >= FW_SEMIBOLD;
  label_.FontItalic = given.lfItalic != 0;
  rebuildFont();
}

void HyperLink::rebuildFont() {
  LOGFONTW wanted = fontBase_;
  wanted.lfWeight = label_.FontBold ? FW_BOLD : FW_NORMAL;
  wanted.lfItalic = label_.FontItalic;
  wanted.lfUnderline = FALSE;  // drawn by the link, beneath the glyphs alone (paint)
  UniqueFont font(CreateFontIndirectW(&wanted));
  if (!font) raiseLastError("CreateFontIndirectW");
  font_ = std::move(font);
  autoSizeLabel();
  invalidate();
}

// Auto-size: the label is as wide as its text and one line of the font high.
void HyperLink::autoSizeLabel() {
  ink_.reset();
  if (!font()) return;  // sized once it has its font
  WindowDC dc(hwnd());
  if (!dc.get()) return;
  SelectedObject selected(dc.get(), font());
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
  toolTip_ = std::make_unique<::ToolTip>(hwnd());
  toolTip_->addArea(hwnd(), kToolId, labelRect(), label_.ToolTipText);
}

void HyperLink::updateToolTip() {
  if (!toolTip_) {
    if (!label_.ToolTipText.empty() && hwnd()) createToolTip();
    return;
  }
  toolTip_->updateArea(hwnd(), kToolId, labelRect(), label_.ToolTipText);
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

HBRUSH HyperLink::backBrush() {
  // A system colour has the system's brush; any other colour the link's own, made once.
  if (label_.BackColor & 0x80000000u) {
    if (HBRUSH system = GetSysColorBrush(static_cast<int>(label_.BackColor & 0x00FFFFFFu))) return system;
  }
  return backBrush_.get(resolveColour(label_.BackColor));
}

void HyperLink::paint() {
  PaintScope paint(hwnd());
  const HDC dc = paint.dc();
  RECT client{};
  GetClientRect(hwnd(), &client);
  // The margins beside the label keep the button face whatever BackColor says.
  const ColourScheme& scheme = ColourScheme::current();
  FillRect(dc, &client, scheme.brush(ColourRole::Face));
  RECT label = labelRect();
  FillRect(dc, &label, backBrush());

  SelectedObject selectedFont(dc, font());
  SetBkMode(dc, TRANSPARENT);
  // The link's colours stand for the link and hover roles of the user's scheme, which take over
  // where the colour set would not stand out from the background.
  const bool hovered = hovering_ && label_.ForeColor == m_HilightColour;
  const DesignColour colour = {resolveColour(label_.ForeColor), hovered ? ColourRole::Hover : ColourRole::Link};
  const COLORREF textColour = IsWindowEnabled(hwnd()) ? scheme.text(colour, resolveColour(label_.BackColor))
                                                      : scheme.colour(ColourRole::GrayText);
  SetTextColor(dc, textColour);
  DrawTextW(dc, label_.Caption.c_str(), static_cast<int>(label_.Caption.size()), &label, DT_NOPREFIX);
  // A font's own underline follows the text's advance widths, which may reach past its glyphs
  // (Wine's Tahoma at 8 points): the link underlines the glyphs alone.
  if (label_.FontUnderline && !label_.Caption.empty()) {
    if (!ink_) ink_ = inkOf(font(), label_.Caption);
    drawUnderline(dc, font(), POINT{label.left, label.top}, *ink_, textColour);
  }

  if (GetFocus() == hwnd() && !focusCuesHidden()) DrawFocusRect(dc, &client);
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
    case WM_GETDLGCODE:
      return dialogCodeWantingEnter(lParam);
    case WM_KEYDOWN:
      if (keyDown(wParam, lParam)) return 0;
      break;
    case kDefaultActionMessage:
      labLink_MouseUp(1, 0, 0.0f, 0.0f);
      return 0;  // this link may be gone now
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      invalidate();
      return 0;
    case WM_UPDATEUISTATE: {
      const LRESULT result = defaultHandling(message, wParam, lParam);
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
      return reinterpret_cast<LRESULT>(font());
    case WM_DESTROY:
      toolTip_.reset();
      timer_.Enabled = false;  // the window's timers go with it
      return 0;
    default:
      break;
  }
  return defaultHandling(message, wParam, lParam);
}
