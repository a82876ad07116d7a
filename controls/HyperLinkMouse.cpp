// The hyperlink under the pointer, the keyboard and a screen reader: hover tracking by
// tmrMouseOut, the click action and the Click event.
#include "controls/HyperLink.h"

#include "controls/AccessibleObject.h"
#include "controls/HandCursor.h"
#include "controls/modShellExecute.h"

namespace {
const wchar_t kAppToken[] = L"{app}";

// Every occurrence, left to right; the inserted text is not searched again. Case-sensitive.
std::wstring replaceAll(std::wstring text, const std::wstring& token, const std::wstring& replacement) {
  for (size_t at = text.find(token); at != std::wstring::npos; at = text.find(token, at + replacement.size())) {
    text.replace(at, token.size(), replacement);
  }
  return text;
}

int16_t shiftOfKeyboard() {
  int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

int16_t shiftOfMouse(WPARAM keys) {
  int16_t shift = 0;
  if (keys & MK_SHIFT) shift |= 1;
  if (keys & MK_CONTROL) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}
}  // namespace

bool HyperLink::overLabel(POINT client) const {
  const RECT label = labelRect();
  return PtInRect(&label, client) != FALSE;
}

// Entry is seen here; leaving is the timer's to find.
void HyperLink::labLink_MouseMove() {
  if (m_UnderlinedHilight && !label_.FontUnderline) setLabelUnderline(true);
  if (timer_.Enabled) return;
  setLabelForeColor(m_HilightColour);
  if (!hovering_) {
    startTimer();
    hovering_ = true;
    notifyStateChanged(hwnd());
  }
}

void HyperLink::tmrMouseOut_Timer() {
  POINT position{};
  RECT rect{};
  if (!pointer_.cursorPos(position) || !pointer_.windowRect(hwnd(), rect)) return;
  cursorPos_ = position;
  windowRect_ = rect;
  // Strict on all four sides: the leftmost column and the top row count as outside.
  const bool inside = rect.left < position.x && position.x < rect.right && rect.top < position.y &&
                      position.y < rect.bottom;
  if (inside) return;
  stopTimer();
  hovering_ = false;
  notifyStateChanged(hwnd());
  setLabelForeColor(m_LinkColour);
  if (m_UnderlinedHilight && !m_Underlined) setLabelUnderline(false);
}

void HyperLink::labLink_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
  // A copy: the click action may close the holding window, and the handler may release this link.
  const ClickHandler handler = events_.Click;
  if (Button == 1) {
    setLabelForeColor(m_LinkColour);
    if (m_UnderlinedHilight && !m_Underlined) setLabelUnderline(false);
    if (!m_OverrideClick) performClickAction();
  }
  if (handler) handler(Button, Shift, X, Y);
}

void HyperLink::performClickAction() {
  std::wstring folder = appFolder_ ? *appFolder_ : executableFolder();
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();  // "C:\" becomes "C:"
  URL(replaceAll(m_URL, kAppToken, folder));

  const HWND holder = GetAncestor(hwnd(), GA_ROOT);
  const bool canMinimise = (GetWindowLongPtrW(holder, GWL_STYLE) & WS_MINIMIZEBOX) != 0;
  if (!m_CloseOnClick && m_MinimiseOnClick && canMinimise) ShowWindow(holder, SW_MINIMIZE);
  launcher_.launch(m_URL, L"", nullptr, SW_SHOWNORMAL, L"", false);
  // Closed now, before Click is raised; this object outlives its window until the host lets it go.
  if (m_CloseOnClick) SendMessageW(holder, WM_CLOSE, 0, 0);
}

LRESULT HyperLink::mouseUp(int16_t button, WPARAM wParam, LPARAM lParam) {
  const POINT at = clientPoint(lParam);
  if (!overLabel(at)) return 0;
  labLink_MouseUp(button, shiftOfMouse(wParam), static_cast<float>(at.x - label_.Left),
                  static_cast<float>(at.y - label_.Top));
  return 0;  // this link may be gone now
}

// Space and Enter act as a left click; a held key does not repeat it.
bool HyperLink::keyDown(WPARAM key, LPARAM flags) {
  if (key != VK_SPACE && key != VK_RETURN) return false;
  const bool repeated = (flags & (1L << 30)) != 0;
  if (!repeated) labLink_MouseUp(1, shiftOfKeyboard(), 0.0f, 0.0f);
  return true;
}

bool HyperLink::setCursor() {
  POINT at{};
  if (!GetCursorPos(&at) || !ScreenToClient(hwnd(), &at) || !overLabel(at)) return false;
  SetCursor(pointingHand());
  return true;
}

AccessibleDescription HyperLink::describe() const {
  return {ROLE_SYSTEM_LINK, STATE_SYSTEM_LINKED | (hovering_ ? STATE_SYSTEM_HOTTRACKED : 0), kLinkAction};
}
