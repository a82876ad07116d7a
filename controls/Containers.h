#pragma once
#include <windows.h>

#include <memory>

#include "controls/ClickTracker.h"
#include "controls/ControlWindow.h"

// Enabled, and so are all its containers: a disabled frame passes nothing on.
bool enabledWithItsContainers(HWND window);
// Whether a click could reach the control now: it and its containers enabled, and its top-level
// window too (a modal window or a message box disables its owner).
bool takesInputNow(HWND window);
// Enabled and visible, and so are all its containers.
bool canTakeFocus(HWND window);

// The containers of a window's controls. Both belong to the top-level window: what their
// children report (WM_COMMAND, WM_CTLCOLOR*) goes on to it; beneath a transparent child they
// paint their own background.
//
// A frame: an etched edge with its caption set into the top, grey while the frame is disabled;
// its own painting never covers what it holds.
class FrameControl final : public ControlWindow {
 public:
  static std::unique_ptr<FrameControl> create(HWND parent, int id, const RECT& pixels, const wchar_t* caption,
                                              HFONT font);
  ~FrameControl() override { destroyWindow(); }
  // A grouping, named by its caption.
  AccessibleDescription describe() const override { return {ROLE_SYSTEM_GROUPING}; }

 private:
  FrameControl() = default;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint();

  HFONT font_ = nullptr;  // the window's, which outlives its controls
};

// A borderless panel: a tab stop that shows a focus rectangle (once the keyboard is in use) and
// reports a click (press and release on it), or Space, to the window as a notifying static
// control does (WM_COMMAND, STN_CLICKED). Its window text, never drawn, is its name.
class PanelControl final : public ControlWindow {
 public:
  static std::unique_ptr<PanelControl> create(HWND parent, int id, const RECT& pixels, const wchar_t* name);
  ~PanelControl() override { destroyWindow(); }

  // The option button a click on the panel selects: to a screen reader the panel is that option,
  // checked as it is, whose default action is the click. Without one, a grouping of what it holds.
  void selects(HWND option) { option_ = option; }
  AccessibleDescription describe() const override;

 private:
  PanelControl() = default;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint();

  ClickTracker click_;
  HWND option_ = nullptr;  // a sibling of its frame's, destroyed with the same window
};
