// The hyperlink in a real window: layout, stored properties, hover through a scripted pointer,
// the click action through a recording launcher, the keyboard, and what is painted.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "controls/HyperLink.h"
#include "controls/modShellExecute.h"
#include "tests/ControlTestSupport.h"

namespace {
using controltest::HostWindow;

// What the launcher was given (no parameters, folder, owner or wait, shown normally?) and the
// state of the holding window at that moment.
using Launch = std::tuple<std::wstring, bool, bool, bool>;  // target, plain, holder minimised, close asked
class RecordingLauncher final : public DocumentLauncher {
 public:
  HWND holder = nullptr;
  std::vector<Launch> launches;
  void launch(const std::wstring& target, const std::wstring& parameters, HWND owner, int32_t show,
              const std::wstring& directory, bool wait) override {
    MSG close;
    launches.emplace_back(target, parameters.empty() && directory.empty() && !owner && !wait && show == SW_SHOWNORMAL,
                          IsIconic(holder) != FALSE, PeekMessageW(&close, holder, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != FALSE);
  }
};

class ScriptedPointer final : public PointerSource {
 public:
  POINT at{-1000, -1000};
  bool cursorPos(POINT& position) override { return position = at, true; }
  bool windowRect(HWND window, RECT& rect) override { return GetWindowRect(window, &rect) != FALSE; }
};

using Click = std::tuple<int, int, float, float, bool>;  // button, shift, x, y, holder still open

class Link : public ::testing::Test {
 protected:
  std::unique_ptr<HostWindow> host = std::make_unique<HostWindow>();
  RecordingLauncher launcher;
  ScriptedPointer pointer;
  std::vector<std::wstring> changes;
  std::vector<Click> clicks;

  std::unique_ptr<HyperLink> place(const PropertyBag& bag, std::wstring folder = L"C:\\Tools") {
    launcher.holder = host->hwnd();
    HyperLink::Events events{[this](int16_t button, int16_t shift, float x, float y) {
                               clicks.emplace_back(button, shift, x, y, IsWindow(host->hwnd()) != FALSE);
                             },
                             [this](const std::wstring& name) { changes.push_back(name); }};
    return HyperLink::create(host->hwnd(), 7, RECT{20, 20, 104, 32}, bag, events, {&launcher, &pointer, folder});
  }
  // The About window's links store only these four entries.
  std::unique_ptr<HyperLink> placeAboutLink(const std::wstring& url = L"http://www.tesquinesolutions.example/") {
    return place(PropertyBag{{L"caption", Variant(L"Support Forum")}, {L"url", Variant::text(url)},
                             {L"tooltiptext", Variant(L"Visit the forum")}, {L"hilightcolour", Variant::longValue(0xC0)}});
  }
  static void moveOverLabel(const HyperLink& link) {
    SendMessageW(link.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(link.labLink().Left + 1, 3));
  }
  static void release(const HyperLink& link, UINT message, WPARAM keys = 0) {
    SendMessageW(link.hwnd(), message, keys, MAKELPARAM(link.labLink().Left + 4, 5));
  }
  // Puts the pointer at an offset from the link's top-left screen pixel, then ticks.
  void tickWithPointerAt(const HyperLink& link, int dx, int dy) {
    RECT r;
    GetWindowRect(link.hwnd(), &r);
    pointer.at = {r.left + dx, r.top + dy};
    SendMessageW(link.hwnd(), WM_TIMER, HyperLink::kMouseOutTimerId, 0);
  }
  static bool systemTimerRunning(const HyperLink& link) { return KillTimer(link.hwnd(), HyperLink::kMouseOutTimerId); }
  static RECT client(const HyperLink& link) {
    RECT r;
    GetClientRect(link.hwnd(), &r);
    return r;
  }
};

TEST_F(Link, SizesItselfToItsLabelAndFont) {
  EXPECT_EQ(HyperLink::LayoutExtent(40, 13).Width, 645.0f);
  EXPECT_EQ(HyperLink::LayoutExtent(40, 13).Height, 180.0f);
  EXPECT_EQ(HyperLink::LayoutExtent(0, 13).Width, 45.0f);
  auto link = placeAboutLink();
  const HyperLink::Label& label = link->labLink();
  EXPECT_GT(label.Width, 40);
  EXPECT_EQ(client(*link).right, label.Width + 3);
  EXPECT_EQ(client(*link).bottom, label.Height - 1);
  SetWindowPos(link->hwnd(), nullptr, 0, 0, 84, 12, SWP_NOMOVE | SWP_NOZORDER);  // the stored extent
  EXPECT_EQ(client(*link).right, label.Width + 3);
  SetWindowTextW(link->hwnd(), L"");  // as an automation tool would
  EXPECT_EQ(link->Caption(), L"");
  EXPECT_EQ(client(*link).right, 3);

  link->Caption(L"Support Forum");
  HFONT given = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  SendMessageW(link->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(given), TRUE);
  DeleteObject(given);  // the link made its own copy
  LOGFONTW used{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(link->hwnd(), WM_GETFONT, 0, 0)), sizeof used, &used);
  EXPECT_EQ(used.lfHeight, -20);
  EXPECT_GT(label.Height, 20);
  EXPECT_EQ(client(*link).bottom, label.Height - 1);
}

TEST_F(Link, LoadsMissingEntriesWithTheirBagDefaultsAndSavesANewOneAsFourEntries) {
  auto bare = place(PropertyBag{{L"UNDERLINED", Variant::boolean(true)}});
  EXPECT_TRUE(changes.empty());  // loading stores the fields; no setter runs
  EXPECT_EQ(bare->Caption(), L"Vessmor HyperLink");
  EXPECT_EQ(bare->HilightColour(), 0x00FFFFFFu);  // white, although a new link starts dark blue
  EXPECT_FALSE(bare->OverrideClick() || bare->MinimiseOnClick() || bare->CloseOnClick());
  EXPECT_TRUE(bare->UnderlinedHilight() && bare->labLink().FontUnderline);
  EXPECT_EQ(bare->tmrMouseOut().Interval, 50);
  EXPECT_EQ(bare->labLink().ForeColor, 0x00FF0000u);
  EXPECT_EQ(bare->BackColor(), 0x8000000Fu);
  EXPECT_THROW(place(PropertyBag{{L"MouseOutCheckDelay", Variant(L"soon")}}), VariantError);

  auto fresh = HyperLink::createNew(host->hwnd(), 7, RECT{20, 20, 60, 32}, {}, {&launcher, &pointer, {}});
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

TEST_F(Link, HoverStartsOnTheLabelAndEndsOutsideTheStrictRectangle) {
  auto link = placeAboutLink();
  SendMessageW(link->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 3));  // the left margin: no highlight
  EXPECT_FALSE(link->hovering());
  EXPECT_FALSE(systemTimerRunning(*link));
  const RECT size = client(*link);
  const struct { int dx, dy; bool inside; } edges[] = {{1, 1, true}, {size.right - 1, size.bottom - 1, true},
      {0, 5, false}, {5, 0, false}, {size.right, 5, false}, {5, size.bottom, false}};
  for (const auto& edge : edges) {
    SCOPED_TRACE(testing::Message() << edge.dx << "," << edge.dy);
    moveOverLabel(*link);
    ASSERT_TRUE(link->hovering());
    EXPECT_EQ(link->labLink().ForeColor, 0x000000C0u);
    EXPECT_TRUE(link->labLink().FontUnderline);
    tickWithPointerAt(*link, edge.dx, edge.dy);
    EXPECT_EQ(link->hovering(), edge.inside);
    if (edge.inside) continue;
    EXPECT_EQ(link->labLink().ForeColor, 0x00FF0000u);
    EXPECT_FALSE(link->labLink().FontUnderline);
    EXPECT_FALSE(systemTimerRunning(*link));  // idle costs nothing
  }
}

TEST_F(Link, LeftClickOpensTheUrlWithTheProgramFolderForTheToken) {
  const struct { const wchar_t *folder, *url, *opened; } cases[] = {
      {L"C:\\Tools", L"{app}\\readme.txt", L"C:\\Tools\\readme.txt"},
      {L"C:\\", L"{app}\\readme.txt", L"C:\\readme.txt"},
      {L"C:\\Tools", L"{APP}\\readme.txt", L"{APP}\\readme.txt"},
      {L"D:\\a", L"{app}|{app}", L"D:\\a|D:\\a"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.url)));
    launcher.launches.clear();
    clicks.clear();
    auto link = place(PropertyBag{{L"url", Variant(c.url)}}, c.folder);
    release(*link, WM_LBUTTONUP, MK_SHIFT);
    EXPECT_EQ(launcher.launches, (std::vector<Launch>{{c.opened, true, false, false}}));
    EXPECT_EQ(link->URL(), c.opened);  // the token is gone for good
    // In the label's coordinates: it sits 2 pixels right of the control's left edge, 1 above its top.
    EXPECT_EQ(clicks, (std::vector<Click>{{1, 1, 4.0f, 6.0f, true}}));
  }
}

TEST_F(Link, MinimisesOnlyWithAMinimiseButtonAndClosesAfterTheLaunch) {
  const struct { DWORD style; bool minimise, close, minimisedAtLaunch; } cases[] = {
      {WS_OVERLAPPEDWINDOW, true, false, true},
      {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, true, false, false},
      {WS_OVERLAPPEDWINDOW, true, true, false},
      {WS_OVERLAPPEDWINDOW, false, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "minimise " << c.minimise << ", close " << c.close);
    host = std::make_unique<HostWindow>(c.style);
    launcher.launches.clear();
    clicks.clear();
    auto link = placeAboutLink();
    link->MinimiseOnClick(c.minimise);
    link->CloseOnClick(c.close);
    release(*link, WM_LBUTTONUP);
    // Minimised before the launch; closed after it and before the host's Click handler.
    EXPECT_EQ(launcher.launches, (std::vector<Launch>{{L"http://www.tesquinesolutions.example/", true,
                                                       c.minimisedAtLaunch, false}}));
    EXPECT_EQ(clicks, (std::vector<Click>{{1, 0, 4.0f, 6.0f, !c.close}}));
    const HWND holder = host->hwnd();
    EXPECT_EQ(controltest::pumpUntil([&] { return !IsWindow(holder); }, std::chrono::milliseconds(c.close ? 10000 : 0)),
              c.close);
  }
}

TEST_F(Link, OtherButtonsAndOverriddenClicksOnlyTellTheHost) {
  auto link = placeAboutLink(L"{app}\\x");
  moveOverLabel(*link);
  release(*link, WM_RBUTTONUP);
  release(*link, WM_MBUTTONUP);
  EXPECT_EQ(link->labLink().ForeColor, 0x000000C0u);  // still highlighted
  link->OverrideClick(true);
  release(*link, WM_LBUTTONUP);
  EXPECT_TRUE(launcher.launches.empty());
  EXPECT_EQ(link->URL(), L"{app}\\x");
  EXPECT_EQ(clicks, (std::vector<Click>{{2, 0, 4.0f, 6.0f, true}, {4, 0, 4.0f, 6.0f, true}, {1, 0, 4.0f, 6.0f, true}}));
  moveOverLabel(*link);  // the click ended the highlight until the pointer has left and come back
  EXPECT_EQ(link->labLink().ForeColor, 0x00FF0000u);
}

TEST_F(Link, SpaceAndEnterActAsALeftClick) {
  auto link = placeAboutLink();
  EXPECT_TRUE(GetWindowLongPtrW(link->hwnd(), GWL_STYLE) & WS_TABSTOP);
  MSG enter{link->hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_EQ(SendMessageW(link->hwnd(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), DLGC_WANTALLKEYS);
  SendMessageW(link->hwnd(), WM_KEYDOWN, VK_RETURN, 1);
  SendMessageW(link->hwnd(), WM_KEYDOWN, VK_SPACE, 1);
  SendMessageW(link->hwnd(), WM_KEYDOWN, VK_SPACE, 1 | (1 << 30));  // held down: no repeat
  SendMessageW(link->hwnd(), WM_KEYDOWN, 'A', 1);
  EXPECT_EQ(launcher.launches.size(), 2u);
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(std::get<0>(clicks[1]), 1);
}

TEST_F(Link, ADelayOfZeroOrLessStillEndsTheHighlight) {
  for (int32_t delay : {0, -1, 30}) {
    SCOPED_TRACE(delay);
    auto link = placeAboutLink();
    link->MouseOutCheckDelay(delay);
    pointer.at = {-1000, -1000};
    moveOverLabel(*link);
    ASSERT_TRUE(link->hovering());
    EXPECT_TRUE(controltest::pumpUntil([&] { return !link->hovering(); }, std::chrono::seconds(5)));
    EXPECT_FALSE(systemTimerRunning(*link));
  }
}

TEST_F(Link, PaintsInTheCurrentStateColours) {
  auto link = placeAboutLink();
  link->BackColor(0x0000FFFF);  // yellow label on button face
  const RECT all = client(*link);
  const COLORREF blue = RGB(0, 0, 255), red = RGB(192, 0, 0), face = GetSysColor(COLOR_BTNFACE);
  auto shows = [&](COLORREF colour, bool present, const RECT& area = {}) {
    link->Refresh();
    const RECT& where = area.right ? area : all;
    return controltest::pumpUntil([&] { return (controltest::countPixels(link->hwnd(), where, colour) > 0) == present; });
  };
  EXPECT_TRUE(shows(blue, true) && shows(red, false) && shows(RGB(255, 255, 0), true));
  for (LONG x : {0L, all.right - 1}) {  // the margins
    EXPECT_EQ(controltest::countPixels(link->hwnd(), RECT{x, 0, x + 1, all.bottom}, face), all.bottom);
  }
  tickWithPointerAt(*link, 5, 5);                      // the pointer stays over the link
  moveOverLabel(*link);
  EXPECT_TRUE(shows(red, true) && shows(blue, false));
  EnableWindow(link->hwnd(), FALSE);
  EXPECT_TRUE(shows(GetSysColor(COLOR_GRAYTEXT), true) && shows(red, false));
  EnableWindow(link->hwnd(), TRUE);
  SetFocus(link->hwnd());  // a focus rectangle round the control, unless focus cues are hidden
  SendMessageW(link->hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  EXPECT_TRUE(shows(face, false, RECT{0, 0, 1, 1}));
}
}  // namespace
