#pragma once
#include <windows.h>

#include <memory>

#include "controls/ClickTracker.h"
#include "controls/ControlWindow.h"
#include "controls/Picture.h"

// A label's text over what the DC holds: in `font` (the DC's own if none) and `colour`, with the
// DrawText flags given (prefix characters shown as they are).
void drawLabelText(HDC dc, RECT box, const wchar_t* text, HFONT font, COLORREF colour, UINT drawFlags);

// What a decor control is besides what it shows.
enum class DecorUse {
  Shows,         // text or a picture: static text or a graphic to a screen reader
  Opens,         // what a click on it opens: a link to a screen reader
  OpensTabStop,  // that, and a tab stop: a focus rectangle while focused; Space and Enter click it
};

// A control without a background of its own, drawn over what lies beneath it (its parent paints
// that on request, kPaintBeneathMessage): a picture at its own size ("Orvandel.Picture", whose
// window text names it; stretched to fill the control if asked) or a label's text
// ("Orvandel.Label"). A click on either is reported to the parent as a notifying static
// control's (WM_COMMAND, STN_CLICKED): a press and a release on the control, a double click
// counting once; one that opens something reports a screen reader's default action too.
class DecorControl final : public ControlWindow {
 public:
  static std::unique_ptr<DecorControl> createPicture(HWND parent, int id, const RECT& pixels, int resourceId,
                                                     const wchar_t* name, bool stretch = false,
                                                     DecorUse use = DecorUse::Shows);
  // The text is the window text, drawn with the DrawText flags given in the colour its parent
  // answers to WM_CTLCOLORSTATIC, as a static control's; `font` outlives the label.
  static std::unique_ptr<DecorControl> createLabel(HWND parent, int id, const RECT& pixels, const wchar_t* text,
                                                   HFONT font, UINT drawFlags, DecorUse use = DecorUse::Shows);
  ~DecorControl() override { destroyWindow(); }
  AccessibleDescription describe() const override;

 private:
  explicit DecorControl(DecorUse use) : use_(use) {}
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc);
  DWORD style() const;

  const Picture* picture_ = nullptr;  // the process's, which outlives every window
  HFONT font_ = nullptr;
  UINT drawFlags_ = 0;
  bool showsPicture_ = false;
  bool stretch_ = false;
  DecorUse use_;
  ClickTracker click_;
};
