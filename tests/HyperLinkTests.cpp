// The hyperlink in a real window: stored properties, size, hover through a scripted pointer, the
// click action through a recording launcher, the keyboard, and what is painted.
#include "controls/HyperLink.h"
#include "tests/TestSupport.h"

namespace {
using namespace testing_support;

using Click = std::tuple<int, int, float, float>;  // button, shift, x, y
constexpr OleColour kLinkBlue = 0x00FF0000, kHighlight = 0x000000C0;

class Link : public ::testing::Test {
 protected:
  HostWindow host;
  RecordingLauncher launcher;
  ScriptedPointer pointer;
  std::vector<Click> clicks;

  std::unique_ptr<HyperLink> place(const PropertyBag& bag, std::wstring folder = L"C:\\Tools") {
    HyperLink::Events events;
    events.Click = [this](int16_t button, int16_t shift, float x, float y) { clicks.emplace_back(button, shift, x, y); };
    return HyperLink::create(host.hwnd(), 7, RECT{20, 20, 104, 32}, bag, events, {&launcher, &pointer, folder, {}});
  }
  // The About window's links store only these four entries.
  std::unique_ptr<HyperLink> placeAboutLink(const std::wstring& url = L"http://www.tesquinesolutions.example/") {
    return place(PropertyBag{{L"caption", Variant(L"Support Forum")}, {L"url", Variant::text(url)},
                             {L"tooltiptext", Variant(L"Visit the forum")}, {L"hilightcolour", Variant::longValue(0xC0)}});
  }
  static void send(const HyperLink& link, UINT message, WPARAM keys = 0) {  // over the label
    SendMessageW(link.hwnd(), message, keys, MAKELPARAM(link.labLink().Left + 4, 5));
  }
  // Puts the pointer at an offset from the link's top-left screen pixel, then the check ticks.
  void tickWithPointerAt(const HyperLink& link, int dx, int dy) {
    RECT r;
    GetWindowRect(link.hwnd(), &r);
    pointer.at = {r.left + dx, r.top + dy};
    SendMessageW(link.hwnd(), WM_TIMER, HyperLink::kMouseOutTimerId, 0);
  }
  static bool timerRunning(const HyperLink& link) { return KillTimer(link.hwnd(), HyperLink::kMouseOutTimerId); }
  static RECT client(const HyperLink& link) {
    RECT r;
    GetClientRect(link.hwnd(), &r);
    return r;
  }
};

TEST_F(Link, LoadsMissingEntriesWithTheirBagDefaultsAndSavesANewOneAsFourEntries) {
  auto bare = place(PropertyBag{{L"UNDERLINED", Variant::boolean(true)}});
  EXPECT_EQ(bare->Caption(), L"Vessmor HyperLink");
  EXPECT_EQ(bare->HilightColour(), 0x00FFFFFFu);  // white, although a new link starts dark blue
  EXPECT_FALSE(bare->OverrideClick() || bare->MinimiseOnClick() || bare->CloseOnClick());
  EXPECT_TRUE(bare->UnderlinedHilight() && bare->labLink().FontUnderline);
  EXPECT_EQ(bare->MouseOutCheckDelay(), 50);
  EXPECT_EQ(bare->LinkColour(), kLinkBlue);
  EXPECT_EQ(bare->BackColor(), 0x8000000Fu);
  EXPECT_THROW(place(PropertyBag{{L"MouseOutCheckDelay", Variant(L"soon")}}), VariantError);
  // A bag is read caption, tip, address, then the rest (not in the order it is written): an entry
  // that fails to convert leaves those before it with their new values, the others as they were.
  auto loaded = placeAboutLink();
  EXPECT_THROW(loaded->UserControl_ReadProperties(PropertyBag{{L"ToolTipText", Variant(L"Tip")}, {L"URL", Variant(L"x:")},
                   {L"OverrideClick", Variant(L"maybe")}, {L"LinkColour", Variant::longValue(0xC0)}}), VariantError);
  EXPECT_TRUE(loaded->Caption() == L"Vessmor HyperLink" && loaded->ToolTip() == L"Tip" && loaded->URL() == L"x:");
  EXPECT_EQ(loaded->LinkColour(), kLinkBlue);

  auto fresh = HyperLink::createNew(host.hwnd(), 7, RECT{20, 20, 60, 32}, {}, {&launcher, &pointer, {}, {}});
  PropertyBag saved;
  fresh->UserControl_WriteProperties(saved);
  EXPECT_EQ(saved.entries(), (std::vector<PropertyBag::Entry>{{L"Caption", Variant(L"-- Link --")}, {L"URL", Variant(L"")},
                                        {L"ToolTipText", Variant(L"")}, {L"HilightColour", Variant::longValue(0xAF0000)}}));
  fresh->CloseOnClick(true);  // the other properties survive a save and a load
  fresh->MouseOutCheckDelay(-5);
  fresh->UserControl_WriteProperties(saved);
  auto copy = place(saved);
  EXPECT_TRUE(copy->CloseOnClick() && !copy->MinimiseOnClick() && copy->MouseOutCheckDelay() == -5);
}

TEST_F(Link, SizesItselfToItsText) {
  auto link = placeAboutLink();
  const RECT designed = client(*link);
  EXPECT_GT(designed.right, 40);
  SetWindowPos(link->hwnd(), nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER);  // a host's stored extent
  EXPECT_EQ(client(*link).right, designed.right);
  SetWindowTextW(link->hwnd(), L"");  // as an automation tool would
  EXPECT_EQ(link->Caption(), L"");
  EXPECT_EQ(client(*link).right, 3);  // the margins alone
  link->Caption(L"Support Forum, the long way");
  EXPECT_GT(client(*link).right, designed.right + 40);
}

TEST_F(Link, HoverStartsOnTheTextAndEndsOnceThePointerLeavesTheLink) {
  for (int32_t delay : {50, 0, -1}) {  // a delay of zero or less still ends it
    auto link = placeAboutLink();
    link->MouseOutCheckDelay(delay);
    SendMessageW(link->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 3));  // the left margin: no highlight
    EXPECT_FALSE(link->hovering());
    EXPECT_FALSE(timerRunning(*link));
    send(*link, WM_MOUSEMOVE);
    ASSERT_TRUE(link->hovering());
    EXPECT_EQ(link->labLink().ForeColor, kHighlight);
    EXPECT_TRUE(pumpUntil([&] { return !link->hovering(); }, std::chrono::seconds(5))) << delay;
    EXPECT_EQ(link->labLink().ForeColor, kLinkBlue);
    EXPECT_FALSE(timerRunning(*link));  // idle costs nothing
  }
  // Strict on all four sides: the leftmost column and the top row count as outside.
  auto link = placeAboutLink();
  const RECT size = client(*link);
  const struct { int dx, dy; bool inside; } edges[] = {{1, 1, true}, {size.right - 1, size.bottom - 1, true},
      {0, 5, false}, {5, 0, false}, {size.right, 5, false}, {5, size.bottom, false}};
  for (const auto& edge : edges) {
    send(*link, WM_MOUSEMOVE);
    tickWithPointerAt(*link, edge.dx, edge.dy);
    EXPECT_EQ(link->hovering(), edge.inside) << edge.dx << "," << edge.dy;
    EXPECT_EQ(link->labLink().FontUnderline, edge.inside);
  }
}

TEST_F(Link, LeftClickOpensTheUrlWithTheProgramFolderForTheToken) {
  const struct { const wchar_t *folder, *url, *opened; } cases[] = {
      {L"C:\\Tools", L"{app}\\readme.txt", L"C:\\Tools\\readme.txt"}, {L"C:\\", L"{app}\\readme.txt", L"C:\\readme.txt"},
{L"D:\\a", L"{app}|{app}", L"D:\\a|D:\\a"}};
  for (const auto& c : cases) {
    launcher.launches.clear();
    clicks.clear();
    auto link = place(PropertyBag{{L"url", Variant(c.url)}}, c.folder);
    send(*link, WM_LBUTTONUP, MK_SHIFT);
    EXPECT_EQ(launcher.launches, (std::vector<Launch>{{c.opened, L"", L"", SW_SHOWNORMAL, false}}));
    EXPECT_EQ(link->URL(), c.opened);  // the token is gone for good
    // In the label's coordinates: it sits 2 pixels right of the control's left edge, 1 above its top.
    EXPECT_EQ(clicks, (std::vector<Click>{{1, 1, 4.0f, 6.0f}}));
  }
  // Other buttons and an overridden click only tell the host; Space and Enter are a left click.
  auto link = placeAboutLink(L"{app}\\x");
  clicks.clear();
  launcher.launches.clear();
  send(*link, WM_MOUSEMOVE);
  send(*link, WM_RBUTTONUP);
  send(*link, WM_MBUTTONUP);
  EXPECT_EQ(link->labLink().ForeColor, kHighlight);  // still highlighted
  link->OverrideClick(true);
  send(*link, WM_LBUTTONUP);
  EXPECT_TRUE(launcher.launches.empty());
  EXPECT_EQ(clicks, (std::vector<Click>{{2, 0, 4.0f, 6.0f}, {4, 0, 4.0f, 6.0f}, {1, 0, 4.0f, 6.0f}}));
  EXPECT_EQ(link->labLink().ForeColor, kLinkBlue);  // the click ended the highlight
  link->OverrideClick(false);
  MSG enter{link->hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_EQ(SendMessageW(link->hwnd(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), DLGC_WANTALLKEYS);
  for (WPARAM key : {VK_RETURN, VK_SPACE}) SendMessageW(link->hwnd(), WM_KEYDOWN, key, 1);
  SendMessageW(link->hwnd(), WM_KEYDOWN, VK_SPACE, 1 | (1 << 30));  // held down: no repeat
  SendMessageW(link->hwnd(), WM_KEYDOWN, 'A', 1);
  EXPECT_EQ(launcher.launches.size(), 2u);
}

TEST_F(Link, MinimisesOnlyAWindowThatCanAndClosesItBeforeRaisingClick) {
  const struct { DWORD style; bool minimise, close, minimisedAtLaunch; } cases[] = {
      {WS_OVERLAPPEDWINDOW, true, false, true}, {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, true, false, false},
      {WS_OVERLAPPEDWINDOW, true, true, false}};
  for (const auto& c : cases) {
    HostWindow holder(c.style);
    bool minimisedAtLaunch = false, openAtClick = false;
    RecordingLauncher watch;
    watch.onLaunch = [&] { minimisedAtLaunch = IsIconic(holder.hwnd()) != FALSE; };
    HyperLink::Events events;
    events.Click = [&](int16_t, int16_t, float, float) { openAtClick = IsWindow(holder.hwnd()) != FALSE; };
    auto link = HyperLink::create(holder.hwnd(), 7, RECT{20, 20, 104, 32}, PropertyBag{}, events, {&watch, &pointer, L"", {}});
    link->MinimiseOnClick(c.minimise);
    link->CloseOnClick(c.close);
    send(*link, WM_LBUTTONUP);
    EXPECT_EQ(minimisedAtLaunch, c.minimisedAtLaunch);
    EXPECT_EQ(openAtClick, !c.close);  // closed first, then the host hears of the click
  }
}

TEST_F(Link, PaintsInTheCurrentStateColoursWithAFocusRectangle) {
  auto link = placeAboutLink();
  const RECT all = client(*link);
  const COLORREF blue = RGB(0, 0, 255), red = RGB(192, 0, 0), face = GetSysColor(COLOR_BTNFACE);
  auto shows = [&](COLORREF colour, bool present, const RECT& area) {
    link->Refresh();
    return pumpUntil([&] { return (countPixels(link->hwnd(), area, colour) > 0) == present; });
  };
  EXPECT_TRUE(shows(blue, true, all) && shows(red, false, all));
  tickWithPointerAt(*link, 5, 5);  // the pointer stays over the link
  send(*link, WM_MOUSEMOVE);
  EXPECT_TRUE(shows(red, true, all) && shows(blue, false, all));
  // Underlined beneath its glyphs alone: the lowest red row, the underline, ends where they end.
  const auto lastRedColumn = [&](LONG top, LONG bottom) {
    LONG x = all.right;
    while (x > 0 && !countPixels(link->hwnd(), RECT{x - 1, top, x, bottom}, red)) --x;
    return x;
  };
  LONG underline = all.bottom - 1;
  while (underline > 0 && !countPixels(link->hwnd(), RECT{0, underline, all.right, underline + 1}, red)) --underline;
  EXPECT_NEAR(lastRedColumn(underline, underline + 1), lastRedColumn(0, underline), 1);
  EnableWindow(link->hwnd(), FALSE);
  EXPECT_TRUE(shows(GetSysColor(COLOR_GRAYTEXT), true, all) && shows(red, false, all));
  EnableWindow(link->hwnd(), TRUE);
  EXPECT_TRUE(shows(face, true, RECT{0, 0, 1, 1}));
  SetFocus(link->hwnd());  // a focus rectangle round the control, unless focus cues are hidden
  SendMessageW(link->hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  EXPECT_TRUE(shows(face, false, RECT{0, 0, 1, 1}));
}
}  // namespace
