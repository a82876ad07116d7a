#include "controls/Containers.h"

#include <string>

#include "base/WinHandles.h"
#include "controls/ColourScheme.h"

namespace {
const WindowClass kFrameClass{L"Orvandel.Frame"};
const WindowClass kPanelClass{L"Orvandel.Panel", CS_DBLCLKS};
constexpr DWORD kContainerStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

bool forwardsToWindow(UINT message) {
  return message == WM_COMMAND || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN;
}

LRESULT forwardToWindow(HWND container, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(GetAncestor(container, GA_ROOT), message, wParam, lParam);
}

// Nothing overlaps inside a container: beneath a transparent child lies only its background.
LRESULT fillBeneath(HWND child, HDC dc) {
  RECT client;
  GetClientRect(child, &client);
  FillRect(dc, &client, ColourScheme::current().brush(ColourRole::Face));
  return 0;
}
}  // namespace

namespace {
// Whether the child window and each of its containers, up to the top-level window, hold that.
bool throughContainers(HWND window, BOOL(WINAPI* holds)(HWND)) {
  for (HWND w = window; w && (GetWindowLongW(w, GWL_STYLE) & WS_CHILD); w = GetParent(w)) {
    if (!holds(w)) return false;
  }
  return true;
}
}  // namespace

bool enabledWithItsContainers(HWND window) { return throughContainers(window, IsWindowEnabled); }
bool takesInputNow(HWND window) {
  return enabledWithItsContainers(window) && IsWindowEnabled(GetAncestor(window, GA_ROOT));
}
bool canTakeFocus(HWND window) { return enabledWithItsContainers(window) && throughContainers(window, IsWindowVisible); }

std::unique_ptr<FrameControl> FrameControl::create(HWND parent, int id, const RECT& pixels, const wchar_t* caption,
                                                   HFONT font) {
  std::unique_ptr<FrameControl> frame(new FrameControl);
  frame->font_ = font;
  frame->createWindow(kFrameClass, parent, id, kContainerStyle, WS_EX_CONTROLPARENT, pixels, caption);
  return frame;
}

void FrameControl::paint() {
  PaintScope paint(hwnd());
  HDC dc = paint.dc();
  const ColourScheme& scheme = ColourScheme::current();
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, scheme.brush(ColourRole::Face));
  wchar_t caption[256] = {};
  const int length = GetWindowTextW(hwnd(), caption, 256);
  SelectedObject font(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  RECT edge = client;
  edge.top = metrics.tmHeight / 2;
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  if (length > 0) {
    RECT text = {8, 0, 8, metrics.tmHeight};
    DrawTextW(dc, caption, length, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    text.right += 2;
    FillRect(dc, &text, scheme.brush(ColourRole::Face));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, scheme.colour(IsWindowEnabled(hwnd()) ? ColourRole::FaceText : ColourRole::GrayText));
    // Not clipped to the measured width: a renderer whose glyphs come out wider than its own
    // metrics say (Wine's Tahoma at 14 pixels, 120 dpi) still shows the whole caption.
    DrawTextW(dc, caption, length, &text, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
}

LRESULT FrameControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (forwardsToWindow(message)) return forwardToWindow(hwnd(), message, wParam, lParam);
  switch (message) {
    case kPaintBeneathMessage:
      return fillBeneath(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paint();
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_ENABLE:
    case WM_SETTEXT: {
      const LRESULT result = defaultHandling(message, wParam, lParam);
      InvalidateRect(hwnd(), nullptr, FALSE);
      return result;
    }
  }
  return defaultHandling(message, wParam, lParam);
}

std::unique_ptr<PanelControl> PanelControl::create(HWND parent, int id, const RECT& pixels, const wchar_t* name) {
  std::unique_ptr<PanelControl> panel(new PanelControl);
  panel->createWindow(kPanelClass, parent, id, kContainerStyle | WS_TABSTOP, WS_EX_CONTROLPARENT, pixels, name);
  return panel;
}

void PanelControl::paint() {
  PaintScope paint(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(paint.dc(), &client, ColourScheme::current().brush(ColourRole::Face));
  if (GetFocus() == hwnd() && !focusCuesHidden()) DrawFocusRect(paint.dc(), &client);
}

AccessibleDescription PanelControl::describe() const {
  if (!option_) return {ROLE_SYSTEM_GROUPING};
  const bool checked = SendMessageW(option_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return {ROLE_SYSTEM_RADIOBUTTON, checked ? STATE_SYSTEM_CHECKED : 0, wordText(IDS_ACTION_CHECK)};
}

LRESULT PanelControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (forwardsToWindow(message)) return forwardToWindow(hwnd(), message, wParam, lParam);
  if (message == WM_LBUTTONDOWN && canTakeFocus(hwnd())) SetFocus(hwnd());
  if (click_.handle(hwnd(), message, lParam)) return 0;
  if (changesFocusCue(message)) InvalidateRect(hwnd(), nullptr, FALSE);
  switch (message) {
    case kPaintBeneathMessage:
      return fillBeneath(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paint();
      return 0;
    case WM_KEYUP:
      if (wParam != VK_SPACE) break;
      notifyClicked(hwnd());
      return 0;
    case kDefaultActionMessage:
      if (option_) notifyClicked(hwnd());
      return 0;
  }
  return defaultHandling(message, wParam, lParam);
}
