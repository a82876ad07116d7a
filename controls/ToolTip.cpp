#include "controls/ToolTip.h"

#include <commctrl.h>

namespace {
TTTOOLINFOW toolInfo(UINT flags, HWND window, UINT_PTR id, const std::wstring& text) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by comctl32 5 and 6 alike
  tool.uFlags = flags;
  tool.hwnd = window;
  tool.uId = id;
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  return tool;
}
}  // namespace

ToolTip::ToolTip(HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

ToolTip::~ToolTip() {
  // The owner may have taken it with it already.
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void ToolTip::add(UINT flags, HWND window, UINT_PTR id, const RECT& area, const std::wstring& text) {
  if (!tip_) return;  // everything works without its tip
  TTTOOLINFOW tool = toolInfo(flags, window, id, text);
  tool.rect = area;
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTip::addWindow(HWND child, const std::wstring& text) {
  add(TTF_IDISHWND | TTF_SUBCLASS, GetParent(child), reinterpret_cast<UINT_PTR>(child), RECT{}, text);
}

void ToolTip::addArea(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text) {
  add(TTF_SUBCLASS, window, id, area, text);
}

void ToolTip::updateArea(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text) {
  if (!tip_) return;
  TTTOOLINFOW tool = toolInfo(0, window, id, text);
  tool.rect = area;
  SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}
