#include "controls/HandCursor.h"

#include "base/WinHandles.h"
#include "resources/ResourceIds.h"

HCURSOR pointingHand() {
  static const UniqueCursor own(static_cast<HCURSOR>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTING_HAND), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
  if (own) return own.get();
  if (HCURSOR hand = LoadCursor(nullptr, IDC_HAND)) return hand;
  return LoadCursor(nullptr, IDC_ARROW);
}
