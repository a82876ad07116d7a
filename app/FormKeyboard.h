#pragma once
#include <windows.h>

#include <vector>

// A window's keyboard navigation, as a dialog's: Tab and Shift+Tab through its own tab order,
// arrows moving the selection within its group of options, Enter pressing the focused button,
// and the dialog manager for the rest (mnemonics, Space on buttons).
class FormKeyboard {
 public:
  explicit FormKeyboard(HWND form = nullptr) : form_(form) {}

  // The controls that take the focus, in tab order, and among them the group's options.
  void setOrder(std::vector<HWND> tabOrder, std::vector<HWND> options);
  // A key message for the window or one of its controls, before it is dispatched; true if handled.
  bool translate(MSG& message);

 private:
  bool moveFocus(bool backwards);
  bool moveSelection(HWND option, bool backwards);

  HWND form_;
  std::vector<HWND> tabOrder_;
  std::vector<HWND> options_;
};
