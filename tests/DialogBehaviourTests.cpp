// Both windows as a person's hands meet them: every word of text visible, the focus back where it
// was after a box or the About window, Enter, Space, Tab and arrows, a click as a press and a
// release; and what a screen reader hears of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "app/ControlIds.h"
#include "app/wAbout.h"
#include "app/wMain.h"
#include "base/WinHandles.h"
#include "controls/Containers.h"
#include "controls/HyperLink.h"
#include "controls/TextInk.h"
#include "resources/WordIds.h"
#include "scripts/driver/HandlerKey.h"
#include "tests/MemoryRegistry.h"
#include "tests/TestSupport.h"

namespace {
// Delivers what waits.
void deliver() { testing_support::pumpUntil([] { return true; }); }

void postKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 1 | (3u << 30));
  deliver();
}

// While a modal loop runs (a message box, the About window), `step` runs from a timer.
std::function<void()> g_whileModal;
void CALLBACK runWhileModal(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (auto step = std::exchange(g_whileModal, nullptr)) step();
}
void whileModal(std::function<void()> step) {
  g_whileModal = std::move(step);
  SetTimer(nullptr, 0, 50, runWhileModal);
}

RECT rectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring textOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// Where a control is: its window's place, or the place of one the window draws itself.
RECT placeOf(const Form& form, const std::wstring& name) {
  HWND window = form.control(name);
  return window ? rectInParent(window) : form.placement(name);
}

// A control's place in its container as the design gives it, in twips: name, left, top, width,
// height (a link sizes itself to its caption: 0, 0).
using Designed = std::tuple<const wchar_t*, int, int, int, int>;

// Each control where the design puts it, at the screen's scale: left and width as designed, top
// and height too or lower and taller, by no more than the window grew for text that wraps.
void expectAtDesignedPlaces(const Form& form, int designedClientHeight, std::initializer_list<Designed> controls) {
  const ScreenScale& scale = form.scale();
  RECT client;
  GetClientRect(form.hwnd(), &client);
  const int growth = client.bottom - scale.y(designedClientHeight);
  EXPECT_GE(growth, 0);
  for (const auto& [name, left, top, width, height] : controls) {
    SCOPED_TRACE(std::string(name, name + wcslen(name)));
    const RECT at = placeOf(form, name);
    EXPECT_NEAR(at.left, scale.x(left), 1);
    EXPECT_GE(at.top, scale.y(top) - 1);
    EXPECT_LE(at.top, scale.y(top) + growth + 1);
    if (!width) continue;
    EXPECT_NEAR(at.right - at.left, scale.x(width), 1);
    EXPECT_GE(at.bottom - at.top, scale.y(height) - 1);
    EXPECT_LE(at.bottom - at.top, scale.y(height) + growth + 1);
  }
}

// Every label's text fits its box, what shows text or takes the focus lies inside its container,
// and the only siblings that overlap are those the layout itself stacks (an option on its frame's
// edge, text on the header's white band). And what screen readers read: every text a person sees
// is a visible window's text; every control that can take the focus has a name, never its internal
// one; and the system lists each container's windows in reading order (rows top to bottom, a row
// left to right).
void expectWholeInPlaceAndReadable(const Form& form, const FormSpec& layout) {
  for (const ControlSpec& spec : layout.controls) {
    const std::string name(spec.name.begin(), spec.name.end());
    HWND window = form.control(spec.name);
    const bool focusable = window && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP);
    if (!spec.text.empty() || focusable || spec.kind == ControlKind::OptionButton || (spec.flags & kClickable)) {
      ASSERT_NE(window, nullptr) << name << ": its text is drawn, or it has no window to name";
      EXPECT_TRUE(IsWindowVisible(window)) << name;
      EXPECT_FALSE(textOf(window).empty()) << name << " has no name";
      EXPECT_NE(textOf(window), spec.name) << name << " is named by its control's name";
    }
    const RECT place = placeOf(form, spec.name);
    ASSERT_FALSE(IsRectEmpty(&place)) << name;
    if (window && (!spec.text.empty() || focusable)) {
      RECT container, inside;
      GetClientRect(GetParent(window), &container);
      EXPECT_TRUE(IntersectRect(&inside, &place, &container) && EqualRect(&inside, &place)) << name << " reaches past its container";
    }
    const bool button = spec.kind == ControlKind::CommandButton;
    if ((spec.kind == ControlKind::Label || button) && window) {  // measured in the font it is drawn in
      const int edge = button ? 4 : 0;  // a button's border and focus rectangle
      const RECT box = {0, 0, place.right - place.left - 2 * edge, place.bottom - place.top - 2 * edge};
      RECT needed = box;
      WindowDC dc(window);
      SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
      DrawTextW(dc.get(), textOf(window).c_str(), -1, &needed,
                DT_CALCRECT | DT_NOPREFIX | (spec.flags & (kWordWrap | kCentred) ? DT_WORDBREAK : DT_SINGLELINE));
      EXPECT_LE(needed.bottom, box.bottom) << name;
      EXPECT_LE(needed.right, box.right) << name;
      // The system's statics draw as measured: an & is a character, not a mnemonic.
      EXPECT_TRUE(button || ControlWindow::fromHandle(window) || (GetWindowLongW(window, GWL_STYLE) & SS_NOPREFIX)) << name;
    }
    if (const auto* link = dynamic_cast<const HyperLink*>(ControlWindow::fromHandle(window))) {  // sized as labels are
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
      EXPECT_EQ(font.lfHeight, form.scale().fontHeight(link->labLink().FontSize)) << name;
    }
    for (const ControlSpec& other : layout.controls) {
      if (&other <= &spec || other.container != spec.container) continue;
      HWND neighbour = form.control(other.name);
      RECT a = place, b = placeOf(form, other.name), overlap;
      const RECT designedA{spec.left, spec.top, spec.left + spec.width, spec.top + spec.height};
      const RECT designedB{other.left, other.top, other.left + other.width, other.top + other.height};
      const bool shown = (!window || IsWindowVisible(window)) && (!neighbour || IsWindowVisible(neighbour));
      if (IntersectRect(&overlap, &a, &b) && shown) {
        EXPECT_TRUE(IntersectRect(&overlap, &designedA, &designedB)) << name << " covers "
                                                                     << std::string(other.name.begin(), other.name.end());
      }
    }
  }
  std::vector<HWND> containers = {form.hwnd()};
  for (size_t i = 0; i < containers.size(); ++i) {
    RECT previous = {0, -100, 0, -100};
    for (HWND w = GetWindow(containers[i], GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (GetWindow(w, GW_CHILD)) containers.push_back(w);
      const std::wstring text = textOf(w);
      if (!IsWindowVisible(w) || text.empty()) continue;
      const RECT r = rectInParent(w);
      const LONG row = (r.top + r.bottom) / 2, previousRow = (previous.top + previous.bottom) / 2;
      // One row: centres a few pixels apart (a button beside a link), read left to right.
      EXPECT_TRUE(std::abs(row - previousRow) <= 3 ? r.left > previous.left : row > previousRow)
          << std::string(text.begin(), text.end()) << " is read before what lies above or left of it";
      previous = r;
    }
  }
}

// The controls whose state a screen reader was told had changed, while this lives.
std::vector<HWND> g_stateChanged;
struct StateChangesHeard {
  static void CALLBACK heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) g_stateChanged.push_back(window);
  }
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, heard,
                                             GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ~StateChangesHeard() { UnhookWinEvent(hook); }
};

// It comes as a message, done once that is delivered: the reader is not kept waiting.
HRESULT doDefaultAction(HWND window) {
  IAccessible* object = testing_support::objectOf(window);
  const HRESULT done = object ? object->accDoDefaultAction(testing_support::kSelf) : E_FAIL;
  if (object) object->Release();
  return done;
}

// A frame's caption shows every column its glyphs ink, also where the renderer inks past the
// width its metrics give (Wine's Tahoma at 14 pixels, 120 dpi): its last text-coloured column on
// the screen lies no more than the glyphs' own anti-aliased edge before where they end.
void expectCaptionWhole(HWND frame) {
  const std::wstring caption = textOf(frame);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(frame, WM_GETFONT, 0, 0));
  const TextInk ink = inkOf(font, caption);
  WindowDC dc(frame);
  SelectedObject selected(dc.get(), font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  const auto inked = [&](LONG from, LONG to) {  // columns showing the text's exact colour
    return testing_support::countPixels(frame, RECT{from, 0, to, metrics.tmHeight}, GetSysColor(COLOR_BTNTEXT)) > 0;
  };
  testing_support::pumpUntil([&] { return inked(8, 8 + ink.right); });
  EXPECT_TRUE(inked(8 + ink.right - 3, 8 + ink.right + 4)) << std::string(caption.begin(), caption.end());
}

// How many pixels of the window's client area within `area` (clipped to it) are not `colour`.
int pixelsOtherThan(HWND window, RECT area, COLORREF colour) {
  RECT client;
  GetClientRect(window, &client);
  IntersectRect(&area, &area, &client);
  UpdateWindow(window);
  return (area.right - area.left) * (area.bottom - area.top) - testing_support::countPixels(window, area, colour);
}

// Windows' High Contrast Black, set for the whole session as the display settings set it, and the
// scheme before it back when this goes (Wine keeps what SetSysColors sets in the prefix).
class BlackScheme {
 public:
  BlackScheme() {
    for (size_t i = 0; i < std::size(kRoles); ++i) saved_[i] = GetSysColor(kRoles[i]);
    set(kBlack);
  }
  ~BlackScheme() { set(saved_); }

 private:
  static void set(const COLORREF* colours) {
    SetSysColors(static_cast<int>(std::size(kRoles)), kRoles, colours);
    deliver();  // WM_SYSCOLORCHANGE
  }
  static constexpr int kRoles[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_GRAYTEXT,
                                   COLOR_HOTLIGHT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT};
  static constexpr COLORREF kBlack[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255),
                                        RGB(63, 242, 63), RGB(255, 255, 0), RGB(26, 235, 255), RGB(0, 0, 0),
                                        RGB(128, 128, 128), RGB(255, 255, 255)};
  COLORREF saved_[std::size(kRoles)] = {};
};

// Every enabled text of a window, as the screen shows it, stands out at least 4.5:1 from what lies
// beneath it: the colour most of its box shows, against the most different one that shows in more
// than a stray pixel or two. A frame's text is its caption; an option's caption is clipped away
// beside its button (its frame shows it), and a panel's or picture's name is never drawn.
void expectTextsStandOut(HWND top) {
  std::vector<HWND> windows = {top};
  for (size_t i = 0; i < windows.size(); ++i) {
    for (HWND child = GetWindow(windows[i], GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) windows.push_back(child);
  }
  for (HWND w : windows) {
    wchar_t kind[64] = {};
    GetClassNameW(w, kind, 64);
    const std::wstring type = kind, text = textOf(w);
    const bool radio = type == L"Button" && (GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) == BS_RADIOBUTTON;
    if (text.empty() || !IsWindowVisible(w) || !canTakeFocus(w) || radio || type == L"Orvandel.Panel" ||
        type == L"Orvandel.Picture") {
      continue;
    }
    RECT box;
    GetClientRect(w, &box);
    if (type == L"Orvandel.Frame") box = RECT{8, 0, 8 + inkOf(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), text).right, 12};
    UpdateWindow(w);
    const std::map<COLORREF, int> colours = testing_support::screenColours(w, box);
    const COLORREF beneath =
        std::max_element(colours.begin(), colours.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    double best = 1;
    for (const auto& [colour, count] : colours) {
      if (count > 2) best = std::max(best, ColourScheme::contrast(colour, beneath));
    }
    EXPECT_GE(best, 4.5) << std::string(text.begin(), text.end());
  }
}

class Dialogs : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  testing_support::RecordingPresenter recorded;
  testing_support::RecordingLauncher launcher;
  std::unique_ptr<wMain> window;

  void open(MessagePresenter& messages, int dpi = 0, LANGID language = kEnglish) {
    testing_support::putHandler(registry, "c");
    AppServices services{registry, messages, false, launcher};
    if (dpi) services.scale = ScreenScale{dpi, dpi};
    services.language = language;
    window = std::make_unique<wMain>(services);
    window->show(SW_SHOW);
    SetForegroundWindow(window->hwnd());
    deliver();
  }
  HWND control(const wchar_t* name) const { return window->control(name); }
  RECT bandBelowLogo() const {  // the header's band alone
    const RECT logo = window->placement(L"Image1");
    return {logo.left, logo.bottom + 1, logo.left + 4, logo.bottom + 5};
  }
  bool handlerPresent() { return testing_support::handlerStores(registry) == "c"; }
  // Opens the About window through the maker link; `inside` runs while it is up, then it closes.
  void withAbout(const std::function<void(HWND about, Form& form)>& inside) {
    whileModal([inside] {
      HWND about = FindWindowW(L"Orvandel.wAbout", nullptr);
      ASSERT_NE(about, nullptr);
      inside(about, *dynamic_cast<Form*>(ControlWindow::fromHandle(about)));
      if (IsWindow(about)) SendMessageW(about, WM_CLOSE, 0, 0);
    });
    SendMessageW(control(L"lnkTesquineSolutions"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
};

// In every language the program speaks, at 96 dpi and as a Windows user with larger fonts (120
// and 144 dpi) sees them: the windows in that language, each label's and button's text fitting in
// the font it is drawn in, nothing covering its neighbour, every text a window's read in order, the windows on a screen of the size
// such a user has; in English the controls where the design puts them at that scale.
TEST_F(Dialogs, InEveryLanguageAndAtEveryResolutionEveryTextShowsWholeAndInItsPlace) {
  const struct { int dpi; LONG screenWidth, screenHeight; } resolutions[] = {
      {96, 640, 480}, {120, 1024, 768}, {144, 1280, 1024}};
  for (LANGID language : wordLanguages()) {
    for (const auto& resolution : resolutions) {
      SCOPED_TRACE(testing::Message() << std::hex << language << std::dec << " at " << resolution.dpi);
      open(recorded, resolution.dpi, language);
      const auto fitsScreen = [&](HWND w) {
        RECT r;
        return GetWindowRect(w, &r) && r.right - r.left <= resolution.screenWidth && r.bottom - r.top <= resolution.screenHeight;
      };
      EXPECT_EQ(textOf(control(L"cmdClose")), word(IDS_CLOSE, language));
      expectWholeInPlaceAndReadable(*window, wMain::layout(language));
      for (const wchar_t* frame : {L"fraRemoveAVIPreview", L"fraRestoreAVIPreview"}) {
        EnableWindow(control(frame), TRUE);  // its caption in text colour
        expectCaptionWhole(control(frame));
      }
      if (language == kEnglish) {
        expectAtDesignedPlaces(*window, 5055, {{L"cmdStart", 2955, 4560, 1485, 405}, {L"cmdClose", 4485, 4560, 1485, 405},
                                               {L"lnkTesquineSolutions", 555, 4665, 0, 0},
                                               {L"fraRemoveAVIPreview", 150, 1275, 5760, 1440},
                                               {L"fraRestoreAVIPreview", 150, 2850, 5760, 1440}});
      }
      EXPECT_TRUE(fitsScreen(window->hwnd()));
      withAbout([&](HWND about, Form& form) {
        EXPECT_EQ(textOf(about), word(IDS_ABOUT, language));
        expectWholeInPlaceAndReadable(form, wAbout::layout(language));
        if (language == kEnglish) {
          expectAtDesignedPlaces(form, 3030, {{L"fraMain", 1560, -75, 4455, 3090},
                                              {L"picAntiFlicker(1)", 75, 150, 4320, 2880},
                                              {L"lnkWebiste", 465, 1710, 0, 0}, {L"lnkForum", 2490, 1710, 0, 0}});
        }
        EXPECT_TRUE(fitsScreen(about));
      });
    }
  }
}

// Asked as a screen reader asks, each control of the program's own says what it is and what it
// can do, and its default action does what a click does; an object a reader still holds when its
// control has gone says so.
TEST_F(Dialogs, AScreenReaderHearsWhatEachOwnControlIsAndItsDefaultActionDoesWhatAClickDoes) {
  open(recorded);
  constexpr LONG kLink = STATE_SYSTEM_LINKED, kStop = STATE_SYSTEM_FOCUSABLE, kFocused = STATE_SYSTEM_FOCUSED;
  constexpr LONG kHeard = kLink | kStop | kFocused | STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE |
                          STATE_SYSTEM_READONLY | STATE_SYSTEM_HOTTRACKED;
  // A control, and its role, name, states and default action.
  using Expected = std::tuple<const wchar_t*, LONG, const wchar_t*, LONG, const wchar_t*>;
  const auto expectHeard = [](const Form& form, std::initializer_list<Expected> controls) {
    for (const auto& [control, role, name, states, action] : controls) {
      SCOPED_TRACE(std::string(control, control + wcslen(control)));
      const auto heard = testing_support::hear(form.control(control));
      EXPECT_EQ(std::tie(heard.role, heard.name, heard.action), std::make_tuple(role, std::wstring(name), std::wstring(action)));
      EXPECT_EQ(heard.states & kHeard, states);
    }
  };
  HWND maker = control(L"lnkTesquineSolutions"), removePanel = control(L"picContainer(0)");
  const StateChangesHeard told;
  SetFocus(maker);
  SendMessageW(maker, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // hovered
  expectHeard(*window, {
      {L"Label1", ROLE_SYSTEM_STATICTEXT, L"Orvandel", STATE_SYSTEM_READONLY, L""},
      {L"MultiRule1", ROLE_SYSTEM_SEPARATOR, L"", 0, L""},
      {L"fraRemoveAVIPreview", ROLE_SYSTEM_GROUPING, L"Remove AVI Preview", 0, L""},
      {L"picContainer(0)", ROLE_SYSTEM_RADIOBUTTON, L"Remove AVI Preview", kStop | STATE_SYSTEM_CHECKED, L"Check"},
      {L"picContainer(1)", ROLE_SYSTEM_RADIOBUTTON, L"Restore AVI Preview", STATE_SYSTEM_UNAVAILABLE, L"Check"},
      {L"imgTesquine", ROLE_SYSTEM_GRAPHIC, L"Tesquine Solutions", STATE_SYSTEM_READONLY, L""},
      {L"lnkTesquineSolutions", ROLE_SYSTEM_LINK, L"Tesquine Solutions",
       kLink | kStop | kFocused | STATE_SYSTEM_HOTTRACKED, L"Click"},
  });
  SendMessageW(control(L"optMode(0)"), BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(testing_support::hear(removePanel).states & STATE_SYSTEM_CHECKED, 0);
  EXPECT_EQ(doDefaultAction(removePanel), S_OK);
  deliver();
  EXPECT_EQ(SendMessageW(control(L"optMode(0)"), BM_GETCHECK, 0, 0), BST_CHECKED);
  // Told as it happened, not only when asked again: the link hot-tracked, the panel checked.
  for (HWND changed : {maker, removePanel}) {
    EXPECT_NE(std::find(g_stateChanged.begin(), g_stateChanged.end(), changed), g_stateChanged.end());
  }

  IAccessible* held = nullptr;
  whileModal([&] {
    HWND about = FindWindowW(L"Orvandel.wAbout", nullptr);
    ASSERT_NE(about, nullptr);
    const Form& form = *dynamic_cast<Form*>(ControlWindow::fromHandle(about));
    expectHeard(form, {
        {L"imgStar", ROLE_SYSTEM_LINK, L"Orvandel web page", kLink | kStop, L"Click"},
        {L"fraMain", ROLE_SYSTEM_GROUPING, L"", 0, L""},
        {L"picAntiFlicker(1)", ROLE_SYSTEM_GROUPING, L"Orvandel", kStop | kFocused, L""},
        {L"labTitle", ROLE_SYSTEM_LINK, L"Orvandel", kLink, L"Click"},
        {L"lnkForum", ROLE_SYSTEM_LINK, L"Visit the Forum", kLink | kStop, L"Click"},
        {L"imgDonate", ROLE_SYSTEM_LINK, L"Make a donation", kLink | kStop, L"Click"},
    });
    // While a box or a window over it disables About, a reader's action, asked or already on its
    // way, does nothing: a click could not reach the control either.
    EnableWindow(about, FALSE);
    EXPECT_EQ(doDefaultAction(form.control(L"lnkForum")), E_FAIL);
    PostMessageW(form.control(L"labTitle"), kDefaultActionMessage, 0, 0);
    deliver();
    EnableWindow(about, TRUE);
    for (const wchar_t* name : {L"lnkForum", L"imgDonate", L"labTitle"}) {
      EXPECT_EQ(doDefaultAction(form.control(name)), S_OK);
    }
    deliver();
    held = testing_support::objectOf(form.control(L"lnkWebiste"));
    SendMessageW(about, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(doDefaultAction(maker), S_OK);  // opens About, as a click does
  EXPECT_TRUE(launcher.launches.empty());    // but only once the reader's call has returned
  deliver();
  const std::wstring opened[] = {wAbout::kForumPage, wAbout::kDonationPage, wAbout::kProgramPage};
  ASSERT_EQ(launcher.launches.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(std::get<0>(launcher.launches[i]), opened[i]);
  ASSERT_NE(held, nullptr);
  VARIANT role{};
  EXPECT_EQ(held->get_accRole(testing_support::kSelf, &role), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(held->accDoDefaultAction(testing_support::kSelf), CO_E_OBJNOTCONNECTED);
  held->Release();
}

// The header's band, logo and watermark, and About's banner, have no windows of their own: the
// windows draw them, beneath their controls, and the header's texts show them through.
// People with low vision pick a high-contrast scheme: changed while the windows are open, they
// paint themselves in it (the band in the scheme's window colour), every enabled text of both
// windows stands out from what lies beneath it, and with Windows' high-contrast setting on even a
// design colour that would stand out gives way to its role's.
TEST_F(Dialogs, TheWindowsDrawTheirPicturesBeneathTheirControlsAndEveryTextStandsOutInAHighContrastScheme) {
  open(recorded);
  const COLORREF white = RGB(255, 255, 255);
  EXPECT_EQ(pixelsOtherThan(window->hwnd(), bandBelowLogo(), white), 0);
  EXPECT_GT(pixelsOtherThan(window->hwnd(), window->placement(L"Image1"), white), 100);
  EXPECT_GT(pixelsOtherThan(window->hwnd(), window->placement(L"imgLogoFaded"), white), 100);
  HWND title = control(L"Label1");
  RECT letters;
  GetClientRect(title, &letters);
  EXPECT_GT(pixelsOtherThan(title, letters, white), 20);  // the title's letters on the band
  EXPECT_EQ(pixelsOtherThan(title, letters, GetSysColor(COLOR_BTNFACE)), letters.right * letters.bottom);  // no grey
  withAbout([&](HWND about, Form& form) {
    const RECT banner = form.placement(L"Image1");
    // Its blue gradient, stretched down the window's left edge to the bottom.
    const RECT bottom = {banner.left + 2, banner.bottom - 6, banner.left + 8, banner.bottom - 2};
    EXPECT_EQ(pixelsOtherThan(about, bottom, GetSysColor(COLOR_BTNFACE)), 24);
    EXPECT_EQ(pixelsOtherThan(about, bottom, white), 24);
  });

  const auto noteColour = [&] { return testing_support::textColourOf(control(L"labRemoveRestartPC")); };
  expectTextsStandOut(window->hwnd());
  {
    const BlackScheme black;
    EXPECT_TRUE(testing_support::pumpUntil([&] { return pixelsOtherThan(window->hwnd(), bandBelowLogo(), RGB(0, 0, 0)) == 0; }));
    expectTextsStandOut(window->hwnd());
    withAbout([](HWND about, Form&) { expectTextsStandOut(about); });
  }
  EXPECT_EQ(noteColour(), RGB(128, 0, 0));
  const ColourScheme::HighContrastForTests highContrast(true);
  EXPECT_EQ(noteColour(), GetSysColor(COLOR_BTNTEXT));
}

// Never from Start alone: Start is also where the focus goes when none was kept.
TEST_F(Dialogs, TheFocusComesBackWhereItWasAfterTheAboutWindowOrABox) {
  open(systemMessageBox());
  const auto answerBox = [this] {
    HWND box = FindWindowW(L"#32770", nullptr);
    const bool ownedAndBlocking = box && GetWindow(box, GW_OWNER) == window->hwnd() && !IsWindowEnabled(window->hwnd());
    if (box) SendMessageW(box, WM_COMMAND, IDOK, 0);
    return ownedAndBlocking;
  };
  const std::tuple<const char*, const wchar_t*, std::function<void()>> cases[] = {
      {"About, its close button", L"cmdClose", [this] {
         withAbout([](HWND about, Form&) { SendMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); });
       }},
      {"About opened by Enter on the link, Alt+F4", L"lnkTesquineSolutions", [this] {
         whileModal([] {
           PostMessageW(FindWindowW(L"Orvandel.wAbout", nullptr), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
           deliver();
         });
         postKey(control(L"lnkTesquineSolutions"), VK_RETURN);
       }},
      {"a box", L"cmdClose", [&] {
         whileModal([&] { EXPECT_TRUE(answerBox()); });
         systemMessageBox().show(window->hwnd(), L"A box", L"Orvandel", MB_OK);
       }},
  };
  for (const auto& [how, focused, run] : cases) {
    SCOPED_TRACE(how);
    SetFocus(control(focused));
    run();
    deliver();
    EXPECT_EQ(GetActiveWindow(), window->hwnd());
    EXPECT_EQ(GetFocus(), control(focused));
  }
  // The switch's box belongs to the main window: while it is up, Start and Close take no input.
  bool ownedAndBlocking = false;
  whileModal([&] { ownedAndBlocking = answerBox(); });
  SetFocus(control(L"cmdStart"));
  postKey(control(L"cmdStart"), VK_SPACE);
  EXPECT_TRUE(ownedAndBlocking);
  EXPECT_FALSE(handlerPresent());
  EXPECT_EQ(GetFocus(), control(L"cmdStart"));
}

TEST_F(Dialogs, EnterAndSpacePressStartAndArrowsMoveTheMode) {
  open(recorded);
  SetFocus(control(L"cmdStart"));
  postKey(control(L"cmdStart"), VK_RETURN);
  EXPECT_FALSE(handlerPresent());
  postKey(control(L"cmdStart"), VK_SPACE);
  EXPECT_TRUE(handlerPresent());
  PostMessageW(control(L"cmdStart"), WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));  // Enter held: a repeat
  deliver();
  ASSERT_EQ(recorded.shown.size(), 2u);

  HWND remove = control(L"optMode(0)"), restore = control(L"optMode(1)");
  SetFocus(remove);
  postKey(remove, VK_DOWN);  // the other mode is not available: the selection stays
  EXPECT_EQ(SendMessageW(remove, BM_GETCHECK, 0, 0), BST_CHECKED);
  EnableWindow(control(L"fraRestoreAVIPreview"), TRUE);
  EnableWindow(restore, TRUE);
  postKey(remove, VK_DOWN);
  EXPECT_EQ(GetFocus(), restore);
  EXPECT_EQ(SendMessageW(restore, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(remove, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  postKey(restore, VK_UP);
  EXPECT_EQ(SendMessageW(remove, BM_GETCHECK, 0, 0), BST_CHECKED);
  postKey(remove, VK_ESCAPE);  // neither window has a cancel button: Escape closes nothing
  EXPECT_TRUE(IsWindowVisible(window->hwnd()));
}

// About's pages: a picture opens its page for a press and a release on it, once even when
// double-clicked; from the keyboard alone each page's picture is a stop after the panel and the two
// links, shows a focus rectangle while it has the focus (none until the keyboard is used, as About
// was opened by the mouse), and Enter or Space opens its page. Escape closes nothing.
TEST_F(Dialogs, AboutsPicturesOpenTheirPagesForAClickOrFromTheKeyboardAfterItsLinks) {
  open(recorded);
  withAbout([this](HWND about, Form& form) {
    HWND star = form.control(L"imgStar"), donate = form.control(L"imgDonate");
    HWND panel = form.control(L"picAntiFlicker(1)");
    EXPECT_TRUE(ControlWindow::fromHandle(panel)->focusCuesHidden());
    SendMessageW(star, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(star, WM_LBUTTONUP, 0, MAKELPARAM(-40, 200));  // let go elsewhere
    EXPECT_TRUE(launcher.launches.empty());
    SendMessageW(star, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(star, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(star, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(star, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(launcher.launches.size(), 1u);

    const std::vector<HWND> order = {panel, form.control(L"lnkWebiste"), form.control(L"lnkForum"), star, donate};
    // Its corner shows the white square beneath it, but for the focus rectangle's dots (every
    // other pixel).
    const auto cornerWhite = [&] {
      UpdateWindow(star);
      return testing_support::countPixels(star, RECT{0, 0, 2, 1}, RGB(255, 255, 255)) == 2;
    };
    SetFocus(panel);
    EXPECT_TRUE(cornerWhite());
    for (size_t i = 1; i <= order.size(); ++i) {
      postKey(GetFocus(), VK_TAB);
      EXPECT_EQ(GetFocus(), order[i % order.size()]) << "Tab " << i;
      EXPECT_EQ(cornerWhite(), GetFocus() != star) << "Tab " << i;
    }
    SetFocus(star);
    postKey(star, VK_RETURN);
    SetFocus(donate);
    postKey(donate, VK_SPACE);
    const std::wstring opened[] = {wAbout::kProgramPage, wAbout::kProgramPage, wAbout::kDonationPage};
    ASSERT_EQ(launcher.launches.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(std::get<0>(launcher.launches[i]), opened[i]);
    postKey(panel, VK_ESCAPE);  // no cancel button
    EXPECT_TRUE(IsWindowVisible(about));
  });
}

// A window whose making fails is not left half made.
class FailingForm final : public Form {
 public:
  FailingForm() : Form(FormSpec{L"Orvandel.Test.Failing", L"", 600, 600, WS_OVERLAPPEDWINDOW, 0, 32, {}}, ScreenScale{}) {}
  void open() { create(nullptr); }

 private:
  void Form_Load() override { throw std::runtime_error("no state to show"); }
};

TEST(Window, AFailureWhileItIsMadeFailsItsCreation) {
  FailingForm form;
  EXPECT_THROW(form.open(), SystemError);
  EXPECT_EQ(form.hwnd(), nullptr);
  EXPECT_EQ(FindWindowW(L"Orvandel.Test.Failing", nullptr), nullptr);
}
}  // namespace
