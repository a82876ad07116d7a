#pragma once
#include <windows.h>

#include <string>

// The columns a text's glyphs cover when it is drawn from x = 0 in `font`, as the renderer draws
// them: its metrics may say otherwise (Wine's Tahoma at 11 pixels inks 87 of the 100 its advance
// widths add up to, and at 14 pixels a few past them). {0, 0} for a text that inks nothing.
struct TextInk {
  int left = 0, right = 0;  // right: one past the last column
};
TextInk inkOf(HFONT font, const std::wstring& text);

// An underline beneath the text's glyphs alone, where and as thick as the font places its own.
void drawUnderline(HDC dc, HFONT font, POINT textOrigin, TextInk ink, COLORREF colour);
