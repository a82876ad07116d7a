#pragma once
#include <windows.h>

// The screen's resolution: window layouts are kept in twips (1/1440 inch) and placed at it, and
// fonts are sized for it.
struct ScreenScale {
  int dpiX = 96;
  int dpiY = 96;

  static ScreenScale ofScreen();
  int x(int twips) const { return MulDiv(twips, dpiX, 1440); }
  int y(int twips) const { return MulDiv(twips, dpiY, 1440); }
  // Font height for a point size, as CreateFont takes it (negative: character height).
  int fontHeight(double points) const { return -static_cast<int>(points * dpiY / 72.0 + 0.5); }
  // The point size of a font height (either sign).
  double points(int fontHeight) const { return (fontHeight < 0 ? -fontHeight : fontHeight) * 72.0 / dpiY; }
};
