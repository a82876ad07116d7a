#include "controls/TextInk.h"

#include <algorithm>
#include <vector>

#include "base/WinHandles.h"

TextInk inkOf(HFONT font, const std::wstring& text) {
  MemoryDC dc(nullptr);
  SelectedObject selected(dc.get(), font);
  SIZE extent{};
  TEXTMETRICW metrics{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  GetTextMetricsW(dc.get(), &metrics);
  // Room for glyphs that reach past their advance widths on either side.
  const int margin = metrics.tmAveCharWidth + metrics.tmOverhang + 2;
  const int width = extent.cx + 2 * margin, height = metrics.tmHeight;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || width <= 0 || height <= 0) return {0, extent.cx};
  SelectedObject selectedBitmap(dc.get(), bitmap.get());
  PatBlt(dc.get(), 0, 0, width, height, WHITENESS);
  SetTextColor(dc.get(), RGB(0, 0, 0));
  SetBkMode(dc.get(), TRANSPARENT);
  TextOutW(dc.get(), margin, 0, text.c_str(), static_cast<int>(text.size()));
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  int first = width, last = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixels[y * width + x] & 0x00FFFFFF) == 0x00FFFFFF) continue;
      if (x < first) first = x;
      if (x > last) last = x;
    }
  }
  return last < 0 ? TextInk{} : TextInk{first - margin, last + 1 - margin};
}

void drawUnderline(HDC dc, HFONT font, POINT textOrigin, TextInk ink, COLORREF colour) {
  SelectedObject selected(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  // Where the font puts its own underline; a font without outlines gets one row below the baseline.
  int position = -1, thickness = 1;
  if (UINT size = GetOutlineTextMetricsW(dc, 0, nullptr)) {
    std::vector<BYTE> buffer(size);
    auto* outline = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (GetOutlineTextMetricsW(dc, size, outline)) {
      position = outline->otmsUnderscorePosition;
      thickness = std::max(1, static_cast<int>(outline->otmsUnderscoreSize));
    }
  }
  const int top = textOrigin.y + metrics.tmAscent - position;
  RECT line = {textOrigin.x + ink.left, top, textOrigin.x + ink.right, top + thickness};
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);  // a solid rectangle, no brush made
}
