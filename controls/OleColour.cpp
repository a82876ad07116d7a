#include "controls/OleColour.h"

COLORREF resolveColour(OleColour colour) {
  if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0x00FFFFFFu));
  return colour & 0x00FFFFFFu;  // palette-relative and palette-index forms paint as plain RGB
}
