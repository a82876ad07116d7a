#pragma once
#include <windows.h>

#include <string>

// One tool tip window and the tools it explains. The tip is a popup owned by the top-level
// window above `owner`: it goes when that window goes, or with this object, whichever is first.
class ToolTip {
 public:
  explicit ToolTip(HWND owner);
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;
  ~ToolTip();

  HWND hwnd() const { return tip_; }
  explicit operator bool() const { return tip_ != nullptr; }

  // A whole child window explains itself with `text`.
  void addWindow(HWND child, const std::wstring& text);
  // A rectangle of `window` (client pixels) under the tool number `id`; update it and its text.
  void addArea(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text);
  void updateArea(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text);

 private:
  void add(UINT flags, HWND window, UINT_PTR id, const RECT& area, const std::wstring& text);

  HWND tip_ = nullptr;
};
