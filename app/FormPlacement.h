#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "app/FormLayout.h"
#include "base/WinHandles.h"
#include "controls/ScreenScale.h"

// The fonts a window's controls are drawn in, each made once for the window's resolution.
class FormFonts {
 public:
  explicit FormFonts(ScreenScale scale) : scale_(scale) {}
  HFONT get(const FontSpec& spec, bool bold, bool underline = false);
  HFONT of(const ControlSpec& spec) { return get(spec.font, (spec.flags & kBold) != 0); }
  // The width and height of a text in the control's font, within `bounds` (DrawText flags).
  RECT measure(const ControlSpec& spec, const std::wstring& text, RECT bounds, UINT flags);

 private:
  ScreenScale scale_;
  std::map<std::wstring, UniqueFont> fonts_;
};

// Where a window's controls go, worked out from its table alone before any window is made, so
// that no window is moved or resized once made (under Wine each move costs a round trip to the
// server): the design's places at the resolution, a label sized to its text, and a wrapping or
// centred label whose text needs more lines than its height holds (a font wider than the one it
// was laid out with) grown downwards, what lies below it making room. What shows text lies inside
// its container.
struct FormPlacement {
  std::vector<RECT> controls;  // pixels, relative to each control's container; in table order
  int clientWidth = 0;         // pixels
  int clientHeight = 0;

  static FormPlacement of(const FormSpec& spec, const ScreenScale& scale, FormFonts& fonts);
};
