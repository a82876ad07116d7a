// The separator rule in a real window: where its two lines reach the screen.
#include "controls/MultiRule.h"
#include "tests/TestSupport.h"

namespace {
using namespace testing_support;

COLORREF screenPixel(HWND window, int x, int y) {
  RECT one{x, y, x + 1, y + 1};
  for (COLORREF colour : {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE)}) {
    if (countPixels(window, one, colour)) return colour;
  }
  return CLR_INVALID;
}

class Rule : public ::testing::Test {
 protected:
  HostWindow host;
  std::unique_ptr<MultiRule> place(int x, int width, int height, int32_t orientation = RuleOrientation::Automatic) {
    return MultiRule::create(host.hwnd(), 100, RECT{x, 10, x + width, 10 + height},
                             PropertyBag{{L"ORIENTATION", Variant::integer(static_cast<int16_t>(orientation))}});
  }
};

TEST_F(Rule, EngravingLandsOnAdjacentPixelsInTheSystemColours) {
  auto wide = place(10, 200, 5);
  auto tall = place(300, 5, 60);
  auto turned = place(350, 5, 60, RuleOrientation::Horizontal);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  ASSERT_TRUE(pumpUntil([&] { return screenPixel(tall->hwnd(), 0, 59) == shadow; }));
  // Across the top, or down the left edge with the highlight starting two pixels down.
  const struct { HWND window; int x, y; COLORREF colour; } pixels[] = {
      {wide->hwnd(), 0, 0, shadow}, {wide->hwnd(), 199, 0, shadow}, {wide->hwnd(), 100, 1, light},
      {wide->hwnd(), 100, 2, face}, {tall->hwnd(), 1, 1, face},     {tall->hwnd(), 1, 2, light},
      {tall->hwnd(), 0, 2, face},   {tall->hwnd(), 2, 30, face},    {turned->hwnd(), 4, 0, shadow},
      {turned->hwnd(), 4, 1, light}, {turned->hwnd(), 2, 30, face}};
  for (const auto& p : pixels) EXPECT_EQ(screenPixel(p.window, p.x, p.y), p.colour) << p.x << "," << p.y;

  const INT element = COLOR_BTNSHADOW;  // the rule follows the colour scheme
  const COLORREF scheme = RGB(200, 30, 40);
  ASSERT_TRUE(SetSysColors(1, &element, &scheme));
  wide->Refresh();
  const bool followed = pumpUntil([&] { return countPixels(wide->hwnd(), RECT{50, 0, 51, 1}, scheme) == 1; });
  SetSysColors(1, &element, &shadow);
  EXPECT_TRUE(followed);

  POINT onRule{50, 1};
  ClientToScreen(wide->hwnd(), &onRule);
  EXPECT_EQ(WindowFromPoint(onRule), host.hwnd());  // clicks fall through to the window beneath
  EXPECT_FALSE(GetWindowLongPtrW(wide->hwnd(), GWL_STYLE) & WS_TABSTOP);
}

}  // namespace
