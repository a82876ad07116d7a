// The hyperlink in a real window: layout, stored properties, hover tracking through a scripted
// pointer, the click action through a recording launcher, the keyboard, and what is painted.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/HyperLink.h"
#include "controls/modShellExecute.h"
#include "tests/ControlTestSupport.h"

namespace {
using controltest::HostWindow;

struct Launch {
  std::wstring target, parameters, directory;
  HWND owner;
  int32_t show;
  bool wait, holderMinimised, closeAlreadyAsked;
};

class RecordingLauncher final : public DocumentLauncher {
 public:
  HWND holder = nullptr;
  std::vector<Launch> launches;
  void launch(const std::wstring& target, const std::wstring& parameters, HWND owner, int32_t show,
              const std::wstring& directory, bool wait) override {
    MSG close;
    const bool closeAsked = PeekMessageW(&close, holder, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != FALSE;
    launches.push_back({target, parameters, directory, owner, show, wait, IsIconic(holder) != FALSE, closeAsked});
  }
};

// The pointer where the test puts it; the window rectangle the real one.
class ScriptedPointer final : public PointerSource {
 public:
  POINT at{-1000, -1000};
  bool cursorPos(POINT& position) override {
    position = at;
    return true;
  }
  bool windowRect(HWND window, RECT& rect) override { return GetWindowRect(window, &rect) != FALSE; }
};

struct ClickSeen {
  int16_t button, shift;
  float x, y;
  bool holderOpen;
};

class Link : public ::testing::Test {
 protected:
  std::unique_ptr<HostWindow> host = std::make_unique<HostWindow>();
  RecordingLauncher launcher;
  ScriptedPointer pointer;
  std::vector<std::wstring> changes;
  std::vector<ClickSeen> clicks;

  HyperLink::Events events() {
    return {[this](int16_t button, int16_t shift, float x, float y) {
              clicks.push_back({button, shift, x, y, IsWindow(host->hwnd()) != FALSE});
            },
            [this](const std::wstring& name) { changes.push_back(name); }};
  }
  std::unique_ptr<HyperLink> place(const PropertyBag& bag, std::wstring folder = L"C:\\Tools") {
    launcher.holder = host->hwnd();
    return HyperLink::create(host->hwnd(), 7, RECT{20, 20, 104, 32}, bag, events(),
                             HyperLinkServices{&launcher, &pointer, folder});
  }
  // The About window's links store only these four entries.
  std::unique_ptr<HyperLink> placeAboutLink(const std::wstring& url = L"http://www.tesquinesolutions.example/") {
    return place(PropertyBag{{L"caption", Variant(L"Support Forum")}, {L"url", Variant::text(url)},
                             {L"tooltiptext", Variant(L"Visit the forum")},
                             {L"hilightcolour", Variant::longValue(0x000000C0)}});
  }

  static void moveOverLabel(const HyperLink& link) {
    SendMessageW(link.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(link.labLink().Left + 1, 3));
  }
  static void release(const HyperLink& link, UINT message, WPARAM keys = 0) {
    SendMessageW(link.hwnd(), message, keys, MAKELPARAM(link.labLink().Left + 4, 5));
  }
  // Puts the scripted pointer at an offset from the link's top-left screen pixel, then ticks.
  void tickWithPointerAt(const HyperLink& link, int dx, int dy) {
    RECT r;
    GetWindowRect(link.hwnd(), &r);
    pointer.at = {r.left + dx, r.top + dy};
    SendMessageW(link.hwnd(), WM_TIMER, HyperLink::kMouseOutTimerId, 0);
  }
  // Whether the system holds a mouse-out timer for the link (only asked where it should not).
  static bool systemTimerRunning(const HyperLink& link) {
    return KillTimer(link.hwnd(), HyperLink::kMouseOutTimerId) != FALSE;
  }
  static SIZE clientSize(const HyperLink& link) {
    RECT r;
    GetClientRect(link.hwnd(), &r);
    return {r.right, r.bottom};
  }
};

TEST_F(Link, SizesItselfToItsLabel) {
  EXPECT_EQ(HyperLink::LayoutExtent(40, 13).Width, 645.0f);
  EXPECT_EQ(HyperLink::LayoutExtent(40, 13).Height, 180.0f);
  EXPECT_EQ(HyperLink::LayoutExtent(0, 13).Width, 45.0f);

  auto link = placeAboutLink();
  const HyperLink::Label& label = link->labLink();
  EXPECT_GT(label.Width, 40);
  EXPECT_EQ(clientSize(*link).cx, label.Width + 3);
  EXPECT_EQ(clientSize(*link).cy, label.Height - 1);
  // The host sizing it to its stored extent changes nothing: the layout runs again.
  SetWindowPos(link->hwnd(), nullptr, 0, 0, 84, 12, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(clientSize(*link).cx, label.Width + 3);

  const int before = label.Width;
  link->Caption(L"Support Forum and more");
  EXPECT_EQ(clientSize(*link).cx - (before + 3), label.Width - before);
  link->Caption(L"");
  EXPECT_EQ(label.Width, 0);
  EXPECT_EQ(clientSize(*link).cx, 3);
}

TEST_F(Link, WindowTextIsTheCaptionAndAGivenFontIsCopied) {
  auto link = placeAboutLink();
  wchar_t text[64] = {};
  GetWindowTextW(link->hwnd(), text, 64);
  EXPECT_STREQ(text, L"Support Forum");
  changes.clear();
  SetWindowTextW(link->hwnd(), L"Forum");  // as an automation tool would
  EXPECT_EQ(link->Caption(), L"Forum");
  EXPECT_EQ(link->labLink().Caption, L"Forum");
  EXPECT_EQ(changes, std::vector<std::wstring>{L"Caption"});
  GetWindowTextW(link->hwnd(), text, 64);
  EXPECT_STREQ(text, L"Forum");

  const int height = link->labLink().Height;
  HFONT given = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  SendMessageW(link->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(given), TRUE);
  DeleteObject(given);  // the link made its own
  LOGFONTW used{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(link->hwnd(), WM_GETFONT, 0, 0)), sizeof used, &used);
  EXPECT_EQ(used.lfHeight, -20);
  EXPECT_EQ(used.lfWeight, FW_BOLD);
  EXPECT_GT(link->labLink().Height, height);
  EXPECT_EQ(clientSize(*link).cy, link->labLink().Height - 1);
}

TEST_F(Link, LoadsMissingEntriesWithTheirBagDefaults) {
  auto link = placeAboutLink(L"http://x.example/");
  EXPECT_TRUE(changes.empty());  // loading stores the fields; no setter runs
  EXPECT_EQ(link->Caption(), L"Support Forum");
  EXPECT_EQ(link->URL(), L"http://x.example/");
  EXPECT_EQ(link->ToolTip(), L"Visit the forum");
  EXPECT_EQ(link->HilightColour(), 0x000000C0u);
  EXPECT_FALSE(link->OverrideClick() || link->MinimiseOnClick() || link->CloseOnClick() || link->Underlined());
  EXPECT_TRUE(link->UnderlinedHilight());
  EXPECT_EQ(link->MouseOutCheckDelay(), 50);
  EXPECT_EQ(link->BackColor(), 0x8000000Fu);
  EXPECT_EQ(link->LinkColour(), 0x00FF0000u);
  const HyperLink::Label& label = link->labLink();
  EXPECT_EQ(label.ForeColor, 0x00FF0000u);
  EXPECT_EQ(label.FontName, L"Tahoma");
  EXPECT_EQ(label.FontSize, 8.0f);
  EXPECT_FALSE(label.FontUnderline);
  EXPECT_EQ(link->tmrMouseOut().Interval, 50);
  EXPECT_FALSE(link->tmrMouseOut().Enabled);

  auto bare = place(PropertyBag{{L"UNDERLINED", Variant::boolean(true)}});
  EXPECT_EQ(bare->Caption(), L"Vessmor HyperLink");
  EXPECT_EQ(bare->HilightColour(), 0x00FFFFFFu);  // white, although a new link starts dark blue
  EXPECT_TRUE(bare->labLink().FontUnderline);
  EXPECT_THROW(place(PropertyBag{{L"MouseOutCheckDelay", Variant(L"soon")}}), VariantError);
}

TEST_F(Link, SavesOnlyWhatDiffersFromTheDefaults) {
  launcher.holder = host->hwnd();
  auto fresh = HyperLink::createNew(host->hwnd(), 7, RECT{20, 20, 60, 32}, {}, {&launcher, &pointer, {}});
  EXPECT_EQ(fresh->tmrMouseOut().Interval, 100);  // the designed timer, until a delay is set
  PropertyBag saved;
  fresh->UserControl_WriteProperties(saved);
  const std::vector<PropertyBag::Entry> expected{{L"Caption", Variant(L"-- Link --")},
                                                 {L"URL", Variant(L"")},
                                                 {L"ToolTipText", Variant(L"")},
                                                 {L"HilightColour", Variant::longValue(0x00AF0000)}};
  EXPECT_EQ(saved.entries(), expected);
  fresh->HilightColour(0x00FFFFFF);
  fresh->UserControl_WriteProperties(saved);
  EXPECT_FALSE(saved.contains(L"HilightColour"));

  // Every property survives a save and a load.
  auto link = placeAboutLink();
  link->OverrideClick(true);
  link->CloseOnClick(true);
  link->MouseOutCheckDelay(-5);
  link->BackColor(0x80000005);
  link->LinkColour(0x00123456);
  link->UnderlinedHilight(false);
  PropertyBag bag;
  link->UserControl_WriteProperties(bag);
  auto copy = place(bag);
  EXPECT_TRUE(copy->OverrideClick() && copy->CloseOnClick() && !copy->MinimiseOnClick());
  EXPECT_EQ(copy->MouseOutCheckDelay(), -5);
  EXPECT_EQ(copy->BackColor(), 0x80000005u);
  EXPECT_EQ(copy->LinkColour(), 0x00123456u);
  EXPECT_FALSE(copy->UnderlinedHilight());
  EXPECT_EQ(copy->ToolTip(), L"Visit the forum");
}

TEST_F(Link, EverySetterReportsItsPropertyAndTheLabelFollows) {
  auto link = placeAboutLink();
  link->Caption(L"c");
  link->URL(L"u");
  link->OverrideClick(true);
  link->MinimiseOnClick(true);
  link->CloseOnClick(true);
  link->MouseOutCheckDelay(200);
  link->BackColor(0x80000005);
  link->HilightColour(1);
  link->LinkColour(2);
  link->Underlined(true);
  link->UnderlinedHilight(true);
  link->ToolTip(L"t");
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"Caption", L"URL", L"OverrideClick", L"MinimiseOnClick",
                                                L"CloseOnClick", L"MouseOutCheckDelay", L"BackColor",
                                                L"HilightColour", L"LinkColour", L"Underlined",
                                                L"UnderlinedHilight", L"ToolTip"}));
  const HyperLink::Label& label = link->labLink();
  EXPECT_EQ(label.BackColor, 0x80000005u);
  EXPECT_EQ(label.ForeColor, 2u);
  EXPECT_EQ(label.ToolTipText, L"t");
  EXPECT_EQ(link->tmrMouseOut().Interval, 200);

  // The tool tip control itself holds the text.
  HWND tip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM found) {
    wchar_t name[32];
    GetClassNameW(window, name, 32);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip, nullptr);
  wchar_t text[16] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = link->hwnd();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 16, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"t");
}

TEST_F(Link, HoverStartsOnTheLabelAndEndsOutsideTheStrictRectangle) {
  auto link = placeAboutLink();
  SendMessageW(link->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 3));  // the left margin: no highlight
  EXPECT_FALSE(link->hovering());
  EXPECT_FALSE(systemTimerRunning(*link));

  const SIZE size = clientSize(*link);
  struct Edge {
    const char* where;
    int dx, dy;
    bool inside;
  };
  const Edge edges[] = {{"inner top-left", 1, 1, true},        {"inner bottom-right", size.cx - 1, size.cy - 1, true},
                        {"left column", 0, 5, false},           {"top row", 5, 0, false},
                        {"right of it", size.cx, 5, false},     {"below it", 5, size.cy, false}};
  for (const Edge& edge : edges) {
    SCOPED_TRACE(edge.where);
    moveOverLabel(*link);
    ASSERT_TRUE(link->hovering());
    EXPECT_EQ(link->labLink().ForeColor, 0x000000C0u);
    EXPECT_TRUE(link->labLink().FontUnderline);
    tickWithPointerAt(*link, edge.dx, edge.dy);
    EXPECT_EQ(link->cursorPos().x, pointer.at.x);
    EXPECT_EQ(link->hovering(), edge.inside);
    EXPECT_EQ(link->tmrMouseOut().Enabled, edge.inside);
    if (edge.inside) continue;
    EXPECT_EQ(link->labLink().ForeColor, 0x00FF0000u);
    EXPECT_FALSE(link->labLink().FontUnderline);
    EXPECT_FALSE(systemTimerRunning(*link));  // idle costs nothing
  }
}

TEST_F(Link, UnderlineFollowsUnderlinedAndUnderlinedHilight) {
  auto link = placeAboutLink();
  link->OverrideClick(true);
  link->Underlined(true);
  moveOverLabel(*link);
  release(*link, WM_LBUTTONUP);
  tickWithPointerAt(*link, -5, -5);
  EXPECT_TRUE(link->labLink().FontUnderline);  // all the time

  moveOverLabel(*link);
  link->Underlined(false);  // at once, also while hovering
  EXPECT_FALSE(link->labLink().FontUnderline);
  moveOverLabel(*link);
  EXPECT_TRUE(link->labLink().FontUnderline);  // the next movement brings the hover underline
  tickWithPointerAt(*link, -5, -5);

  link->UnderlinedHilight(false);
  moveOverLabel(*link);
  EXPECT_FALSE(link->labLink().FontUnderline);  // neither: never
}

struct AppCase {
  const wchar_t* folder;
  const wchar_t* url;
  const wchar_t* opened;
};
const AppCase kAppCases[] = {
    {L"C:\\Tools", L"{app}\\readme.txt", L"C:\\Tools\\readme.txt"},
    {L"C:\\", L"{app}\\readme.txt", L"C:\\readme.txt"},
    {L"C:\\Tools", L"{APP}\\readme.txt", L"{APP}\\readme.txt"},
    {L"D:\\a", L"{app}|{app}", L"D:\\a|D:\\a"},
};

TEST_F(Link, LeftClickOpensTheUrlWithTheProgramFolderForTheToken) {
  for (const AppCase& c : kAppCases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.url)));
    launcher.launches.clear();
    clicks.clear();
    auto link = place(PropertyBag{{L"url", Variant(c.url)}}, c.folder);
    changes.clear();
    release(*link, WM_LBUTTONUP, MK_SHIFT);
    ASSERT_EQ(launcher.launches.size(), 1u);
    const Launch& launch = launcher.launches[0];
    EXPECT_EQ(launch.target, c.opened);
    EXPECT_TRUE(launch.parameters.empty() && launch.directory.empty() && !launch.wait);
    EXPECT_EQ(launch.owner, nullptr);
    EXPECT_EQ(launch.show, SW_SHOWNORMAL);
    EXPECT_EQ(link->URL(), c.opened);  // the token is gone for good
    EXPECT_EQ(changes, std::vector<std::wstring>{L"URL"});
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].button, 1);
    EXPECT_EQ(clicks[0].shift, 1);
    EXPECT_EQ(clicks[0].x, 4.0f);  // within the label: 2 pixels right of the control's left edge
    EXPECT_EQ(clicks[0].y, 6.0f);  // and 1 pixel above its top
  }
}

TEST_F(Link, MinimisesOnlyWithAMinimiseButtonAndClosesAfterTheLaunch) {
  struct Case {
    DWORD style;
    bool minimise, close, minimisedAtLaunch;
  };
  const Case cases[] = {{WS_OVERLAPPEDWINDOW, true, false, true},
                        {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, true, false, false},
                        {WS_OVERLAPPEDWINDOW, true, true, false},
                        {WS_OVERLAPPEDWINDOW, false, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "minimise " << c.minimise << ", close " << c.close);
    host = std::make_unique<HostWindow>(c.style);
    launcher.launches.clear();
    clicks.clear();
    auto link = placeAboutLink();
    link->MinimiseOnClick(c.minimise);
    link->CloseOnClick(c.close);
    release(*link, WM_LBUTTONUP);
    ASSERT_EQ(launcher.launches.size(), 1u);
    EXPECT_EQ(launcher.launches[0].holderMinimised, c.minimisedAtLaunch);
    EXPECT_FALSE(launcher.launches[0].closeAlreadyAsked);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_TRUE(clicks[0].holderOpen);  // the window outlives the host's Click handler
    const HWND holder = host->hwnd();
    if (c.close) {
      EXPECT_TRUE(controltest::pumpUntil([&] { return !IsWindow(holder); }));
    } else {
      controltest::pumpPending();  // a posted close would be delivered now
      EXPECT_TRUE(IsWindow(holder));
    }
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
  ASSERT_EQ(clicks.size(), 3u);
  EXPECT_EQ(clicks[0].button, 2);
  EXPECT_EQ(clicks[1].button, 4);
  EXPECT_EQ(clicks[2].button, 1);

  // The click restored the link colour while the pointer is still over it; it stays until the
  // pointer has left and come back.
  EXPECT_EQ(link->labLink().ForeColor, 0x00FF0000u);
  moveOverLabel(*link);
  EXPECT_EQ(link->labLink().ForeColor, 0x00FF0000u);
  tickWithPointerAt(*link, -1, -1);
  moveOverLabel(*link);
  EXPECT_EQ(link->labLink().ForeColor, 0x000000C0u);
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
  EXPECT_EQ(clicks[1].button, 1);
}

TEST_F(Link, ShowsAPointingHandOverItsTextOnly) {
  auto link = placeAboutLink();
  const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  auto cursorAt = [&](int x, int y) {
    POINT at{x, y};
    ClientToScreen(link->hwnd(), &at);
    SetCursorPos(at.x, at.y);
    SetCursor(arrow);
    SendMessageW(link->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link->hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  // This test program holds no cursor resource: the system's hand stands in for the program's.
  EXPECT_EQ(cursorAt(link->labLink().Left + 3, 4), LoadCursor(nullptr, IDC_HAND));
  EXPECT_EQ(cursorAt(0, 4), arrow);  // the margin beside the text
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
  RECT all;
  GetClientRect(link->hwnd(), &all);
  const COLORREF blue = RGB(0, 0, 255), red = RGB(192, 0, 0), face = GetSysColor(COLOR_BTNFACE);
  // Wine puts a window's drawing on the screen a little later: wait for the expected picture.
  auto shows = [&](COLORREF colour, bool present, const RECT& area) {
    link->Refresh();
    return controltest::pumpUntil(
        [&] { return (controltest::countPixels(link->hwnd(), area, colour) > 0) == present; },
        std::chrono::seconds(3));
  };
  EXPECT_TRUE(shows(blue, true, all));
  EXPECT_TRUE(shows(red, false, all));
  EXPECT_TRUE(shows(RGB(255, 255, 0), true, all));
  const RECT leftColumn{0, 0, 1, all.bottom}, rightColumn{all.right - 1, 0, all.right, all.bottom};
  EXPECT_EQ(controltest::countPixels(link->hwnd(), leftColumn, face), all.bottom);  // the margins
  EXPECT_EQ(controltest::countPixels(link->hwnd(), rightColumn, face), all.bottom);
  tickWithPointerAt(*link, 5, 5);  // the pointer stays over the link while the timer runs
  moveOverLabel(*link);
  EXPECT_TRUE(shows(red, true, all));
  EXPECT_TRUE(shows(blue, false, all));
  EnableWindow(link->hwnd(), FALSE);
  EXPECT_TRUE(shows(GetSysColor(COLOR_GRAYTEXT), true, all));
  EXPECT_TRUE(shows(red, false, all));
  EnableWindow(link->hwnd(), TRUE);

  // With the keyboard focus, a focus rectangle round the control, unless focus cues are hidden.
  SetFocus(link->hwnd());
  SendMessageW(link->hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  EXPECT_TRUE(shows(face, false, RECT{0, 0, 1, 1}));
  SendMessageW(link->hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  EXPECT_TRUE(shows(face, true, RECT{0, 0, 1, 1}));
}
}  // namespace
