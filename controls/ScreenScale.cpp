#include "controls/ScreenScale.h"

#include "base/WinHandles.h"

ScreenScale ScreenScale::ofScreen() {
  ScreenScale scale;
  if (WindowDC screen(nullptr); screen) {
    scale.dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX);
    scale.dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  return scale;
}
