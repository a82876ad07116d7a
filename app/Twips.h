#pragma once
#include <windows.h>

// Window layouts are kept in twips (1/1440 inch) and placed at the screen's real resolution.
struct ScreenScale {
  int dpiX = 96;
  int dpiY = 96;

  static ScreenScale ofScreen() {
    ScreenScale scale;
    if (HDC screen = GetDC(nullptr)) {
      scale.dpiX = GetDeviceCaps(screen, LOGPIXELSX);
      scale.dpiY = GetDeviceCaps(screen, LOGPIXELSY);
      ReleaseDC(nullptr, screen);
    }
    return scale;
  }
  int x(int twips) const { return MulDiv(twips, dpiX, 1440); }
  int y(int twips) const { return MulDiv(twips, dpiY, 1440); }
  // Font height for a point size, as CreateFont takes it (negative: character height).
  int fontHeight(double points) const { return -static_cast<int>(points * dpiY / 72.0 + 0.5); }
};
