// The separator rule in a real window: layouts, its one stored property, what reaches the screen.
#include <gtest/gtest.h>

#include "controls/MultiRule.h"
#include "tests/ControlTestSupport.h"

// Beside RuleLine, where GoogleTest looks for it.
void PrintTo(const RuleLine& l, std::ostream* out) {
  *out << "(" << l.X1 << "," << l.Y1 << ")-(" << l.X2 << "," << l.Y2 << ")";
}

namespace {
using controltest::screenPixel;

struct Line {
  float X1, Y1, X2, Y2;
};
bool operator==(const RuleLine& a, const Line& b) { return a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2; }

class Rule : public ::testing::Test {
 protected:
  controltest::HostWindow host;
  std::vector<std::wstring> changes;
  // Sizes in pixels: the rule's own scale is 15 twips to the pixel.
  std::unique_ptr<MultiRule> place(int width, int height, const PropertyBag& bag = {}) {
    return MultiRule::create(host.hwnd(), 100, RECT{10, 10, 10 + width, 10 + height}, bag,
                             [this](const std::wstring& name) { changes.push_back(name); });
  }
};

TEST_F(Rule, LayoutFollowsShapeAndOrientation) {
  // Shadow line, then highlight; what a layout doesn't set keeps the designed values (x = 0, y = 45).
  const struct { const char* shape; int width, height; int32_t orientation; Line loLite, hiLite; } cases[] = {
      {"wide", 436, 5, RuleOrientation::Automatic, {0, 0, 6540, 0}, {0, 20, 6540, 20}},
      {"square", 20, 20, RuleOrientation::Automatic, {2, 45, 2, 300}, {20, 30, 20, 300}},
      {"tall", 5, 134, RuleOrientation::Automatic, {2, 45, 2, 2010}, {20, 30, 20, 2010}},
      {"tall, horizontal", 5, 134, RuleOrientation::Horizontal, {0, 0, 75, 0}, {0, 20, 75, 20}},
      {"wide, vertical", 436, 5, RuleOrientation::Vertical, {2, 45, 2, 75}, {20, 30, 20, 75}},
      {"empty", 0, 0, RuleOrientation::Automatic, {2, 45, 2, 0}, {20, 30, 20, 0}},
      {"wide, unknown orientation", 436, 5, 7, {0, 45, 4200, 45}, {0, 60, 4200, 60}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shape);
    auto rule = place(c.width, c.height, PropertyBag{{L"orientation", Variant::longValue(c.orientation)}});
    EXPECT_EQ(rule->linLoLite(), c.loLite);
    EXPECT_EQ(rule->linHiLite(), c.hiLite);
  }
}

TEST_F(Rule, ResizesAndOtherLayoutsLeaveTheCoordinatesTheyDontSet) {
  auto wide = place(436, 5);
  wide->Orientation(RuleOrientation::Vertical);
  wide->Orientation(RuleOrientation::Horizontal);
  EXPECT_EQ(wide->linLoLite(), (Line{2, 0, 6540, 0}));  // X1 from the vertical layout
  auto tall = place(5, 134);
  tall->Orientation(RuleOrientation::Horizontal);
  tall->Orientation(RuleOrientation::Vertical);
  EXPECT_EQ(tall->linLoLite(), (Line{2, 0, 2, 2010}));  // Y1 from the horizontal layout

  SetWindowPos(wide->hwnd(), nullptr, 0, 0, 100, 5, SWP_NOMOVE | SWP_NOZORDER);  // every resize lays out again
  EXPECT_EQ(wide->linHiLite(), (Line{0, 20, 1500, 20}));
}

TEST_F(Rule, OrientationIsStoredAndEveryChangeReported) {
  auto rule = place(436, 5);  // a bag without the entry: Automatic, through the setter
  EXPECT_EQ(changes, std::vector<std::wstring>{L"Orientation"});
  PropertyBag saved;
  rule->UserControl_WriteProperties(saved);
  EXPECT_EQ(saved.entries(), (std::vector<PropertyBag::Entry>{{L"Orientation", Variant::longValue(0)}}));
  rule->Orientation(7);
  rule->Orientation(7);  // the same value again still reports
  EXPECT_EQ(changes.size(), 3u);
  rule->UserControl_WriteProperties(saved);
  EXPECT_EQ(saved.ReadProperty(L"orientation", Variant()), Variant::longValue(7));
  EXPECT_EQ(place(5, 134, PropertyBag{{L"ORIENTATION", Variant::integer(1)}})->Orientation(), RuleOrientation::Horizontal);
  EXPECT_THROW(place(5, 134, PropertyBag{{L"orientation", Variant(L"sideways")}}), VariantError);
}

TEST_F(Rule, EngravingLandsOnAdjacentPixelsInTheSystemColours) {
  auto wide = place(200, 5);
  auto tall = place(5, 60);
  SetWindowPos(tall->hwnd(), nullptr, 300, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  ASSERT_TRUE(controltest::pumpUntil([&] { return screenPixel(tall->hwnd(), 0, 59) == shadow; }));
  const struct { HWND window; int x, y; COLORREF colour; } pixels[] = {
      {wide->hwnd(), 0, 0, shadow}, {wide->hwnd(), 199, 0, shadow}, {wide->hwnd(), 100, 1, light},
      {wide->hwnd(), 100, 2, face}, {tall->hwnd(), 1, 1, face},     {tall->hwnd(), 1, 2, light},
      {tall->hwnd(), 0, 2, face},   {tall->hwnd(), 2, 30, face}};
  for (const auto& p : pixels) EXPECT_EQ(screenPixel(p.window, p.x, p.y), p.colour) << p.x << "," << p.y;

  const INT element = COLOR_BTNSHADOW;  // the rule follows the colour scheme
  const COLORREF scheme = RGB(200, 30, 40);
  ASSERT_TRUE(SetSysColors(1, &element, &scheme));
  wide->Refresh();
  const bool followed = controltest::pumpUntil([&] { return screenPixel(wide->hwnd(), 50, 0) == scheme; });
  SetSysColors(1, &element, &shadow);
  EXPECT_TRUE(followed);

  POINT onRule{50, 1};
  ClientToScreen(wide->hwnd(), &onRule);
  EXPECT_EQ(WindowFromPoint(onRule), host.hwnd());  // clicks fall through to the window beneath
  EXPECT_FALSE(GetWindowLongPtrW(wide->hwnd(), GWL_STYLE) & WS_TABSTOP);
}
}  // namespace
