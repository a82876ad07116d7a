#include "app/FormKeyboard.h"

#include <algorithm>
#include <utility>

#include "controls/Containers.h"

void FormKeyboard::setOrder(std::vector<HWND> tabOrder, std::vector<HWND> options) {
  tabOrder_ = std::move(tabOrder);
  options_ = std::move(options);
}

bool FormKeyboard::moveFocus(bool backwards) {
  if (tabOrder_.empty()) return false;
  HWND focus = GetFocus();
  int current = -1;
  for (size_t i = 0; i < tabOrder_.size(); ++i) {
    if (tabOrder_[i] == focus || IsChild(tabOrder_[i], focus)) current = static_cast<int>(i);
  }
  const int count = static_cast<int>(tabOrder_.size());
  for (int step = 1; step <= count; ++step) {
    const int next = ((current < 0 ? (backwards ? 0 : -1) : current) + (backwards ? -step : step) + 2 * count) % count;
    if (canTakeFocus(tabOrder_[next])) {
      SetFocus(tabOrder_[next]);
      return true;
    }
  }
  return true;
}

// As in a dialog's radio-button group: the next option that can take the selection gets it;
// with none, the selection stays where it is.
bool FormKeyboard::moveSelection(HWND option, bool backwards) {
  const auto at = std::find(options_.begin(), options_.end(), option);
  if (at == options_.end()) return false;
  const size_t count = options_.size();
  const size_t from = static_cast<size_t>(at - options_.begin());
  for (size_t step = 1; step < count; ++step) {
    HWND next = options_[(from + (backwards ? count - step : step)) % count];
    if (canTakeFocus(next)) {
      SetFocus(next);
      SendMessageW(next, BM_CLICK, 0, 0);
      return true;
    }
  }
  return true;
}

bool FormKeyboard::translate(MSG& message) {
  if (message.message == WM_KEYDOWN) {
    const WPARAM key = message.wParam;
    if (key == VK_TAB) return moveFocus(GetKeyState(VK_SHIFT) < 0);
    if (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT) {
      if (moveSelection(message.hwnd, key == VK_UP || key == VK_LEFT)) return true;
    }
    // Enter presses the focused button, as in any dialog; once per press: a held key repeats,
    // and each repeat would press again what the first press's box has just given back.
    if (key == VK_RETURN &&
        (SendMessageW(message.hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
      if (!(message.lParam & (1L << 30))) SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  return IsDialogMessageW(form_, &message) != FALSE;
}
