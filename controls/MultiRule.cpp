#include "controls/MultiRule.h"

#include "controls/ControlUnits.h"
#include "controls/OleColour.h"
#include "base/WinHandles.h"

namespace {
// The engraving, in the control's twips: the highlight line sits one pixel (20 twips at 15 per
// pixel) beside the shadow line; vertically the highlight starts two pixels down.
constexpr float kLoLiteOffset = 0.0f;
constexpr float kHiLiteOffset = 20.0f;
constexpr float kVerticalLoLiteX = 2.0f;
constexpr float kVerticalHiLiteTop = 30.0f;

// As designed, before any layout: a 4245 x 120 twip control with two lines across it.
constexpr RuleLine kDesignedLoLite{0.0f, 45.0f, 4200.0f, 45.0f, systemColour(COLOR_BTNSHADOW)};
constexpr RuleLine kDesignedHiLite{0.0f, 60.0f, 4200.0f, 60.0f, systemColour(COLOR_BTNHIGHLIGHT)};

void drawLine(HDC dc, const RuleLine& line, SolidPen& pens) {
  const HPEN pen = pens.get(resolveColour(line.BorderColor));
  if (!pen) return;
  SelectedObject selected(dc, pen);
  MoveToEx(dc, controlPixel(line.X1), controlPixel(line.Y1), nullptr);
  LineTo(dc, controlPixel(line.X2), controlPixel(line.Y2));
}
}  // namespace

std::unique_ptr<MultiRule> MultiRule::create(HWND parent, int id, const RECT& pixels, const PropertyBag& bag,
                                             PropertyChangedHandler onPropertyChanged) {
  std::unique_ptr<MultiRule> rule(new MultiRule(std::move(onPropertyChanged)));
  rule->linLoLite_ = kDesignedLoLite;
  rule->linHiLite_ = kDesignedHiLite;
  static const WindowClass kRuleClass{kClassName, CS_HREDRAW | CS_VREDRAW};
  rule->createWindow(kRuleClass, parent, id, WS_CHILD, 0, pixels);
  rule->UserControl_ReadProperties(bag);
  rule->placed_ = true;
  rule->UserControl_Resize();
  ShowWindow(rule->hwnd(), SW_SHOWNA);
  return rule;
}

MultiRule::~MultiRule() { destroyWindow(); }

void MultiRule::Orientation(int32_t value) {
  m_Orientation = value;
  layout();
  if (PropertyChangedHandler handler = onPropertyChanged_) handler(L"Orientation");
}

void MultiRule::Refresh() {
  if (hwnd()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void MultiRule::UserControl_ReadProperties(const PropertyBag& PropBag) {
  Orientation(PropBag.ReadProperty(L"Orientation", Variant::integer(0)).toLong());
}

void MultiRule::UserControl_WriteProperties(PropertyBag& PropBag) const {
  PropBag.WriteProperty(L"Orientation", Variant::longValue(m_Orientation));
}

void MultiRule::UserControl_Resize() { layout(); }

float MultiRule::ScaleWidth() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return controlTwips(client.right);
}

float MultiRule::ScaleHeight() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return controlTwips(client.bottom);
}

void MultiRule::layout() {
  switch (m_Orientation) {
    case RuleOrientation::Automatic: LayoutAutomatic(); break;
    case RuleOrientation::Horizontal: LayoutHorizontal(); break;
    case RuleOrientation::Vertical: LayoutVertical(); break;
    default: return;  // an unknown orientation leaves the lines where they are
  }
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void MultiRule::LayoutAutomatic() {
  const float height = ScaleHeight();
  const float width = ScaleWidth();
  if (width > height) {
    LayoutHorizontal();
  } else {
    LayoutVertical();  // a square one too: a tie is not wider
  }
}

// Leaves linLoLite.X1 as it was (designed 0; 2 after a vertical layout): both paint at column 0.
void MultiRule::LayoutHorizontal() {
  linHiLite_.Y1 = kHiLiteOffset;
  linLoLite_.Y1 = kLoLiteOffset;
  linHiLite_.Y2 = linHiLite_.Y1;
  linLoLite_.Y2 = linLoLite_.Y1;
  linHiLite_.X1 = 0.0f;
  linHiLite_.X2 = ScaleWidth();
  linLoLite_.X2 = ScaleWidth();
}

// Leaves linLoLite.Y1 as it was (designed 45; 0 after a horizontal layout).
void MultiRule::LayoutVertical() {
  linHiLite_.Y1 = kVerticalHiLiteTop;
  linHiLite_.X1 = kHiLiteOffset;
  linHiLite_.X2 = kHiLiteOffset;
  linLoLite_.X1 = kVerticalLoLiteX;
  linLoLite_.X2 = kVerticalLoLiteX;
  linHiLite_.Y2 = ScaleHeight();
  linLoLite_.Y2 = ScaleHeight();
}

void MultiRule::paint() {
  PaintScope paint(hwnd());
  RECT client{};
  GetClientRect(hwnd(), &client);
  FillRect(paint.dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
  drawLine(paint.dc(), linHiLite_, hiLitePen_);
  drawLine(paint.dc(), linLoLite_, loLitePen_);
}

LRESULT MultiRule::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers the whole client area
    case WM_SIZE:
      if (placed_) UserControl_Resize();
      return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;  // the window beneath takes the mouse
    case WM_GETDLGCODE: return DLGC_STATIC;
    default: return defaultHandling(message, wParam, lParam);
  }
}
