// The built program driven from outside under Wine, with the real registry, shell and pointer:
// what a user sees and what the registry holds.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>

#include "app/ControlIds.h"
#include "base/AnsiText.h"
#include "scripts/driver/Driver.h"
#include "scripts/driver/HandlerKey.h"
#include "tests/TestSupport.h"
#include "tests/e2e/BrowserStandIn.h"

namespace {
// Which change the window offers, as its option buttons and frames show it.
std::string offered(HWND window) {
  std::string shown;  // each option checked, then each frame enabled: 1 or 0
  const auto control = [&](int id) { return driver::findControl(window, id); };
  for (int id : {kIdOptionRemove, kIdOptionRestore}) shown += driver::isChecked(control(id)) ? '1' : '0';
  for (int id : {kIdFrameRemove, kIdFrameRestore}) shown += IsWindowEnabled(control(id)) ? '1' : '0';
  return shown == "1010" ? "Remove" : shown == "0101" ? "Restore" : "mixed";
}

// Start pressed: the box it shows (answered), and what the window offers then.
std::string start(const driver::Program& program, HWND window, std::string& offeredNext) {
  const std::string before = offered(window);
  driver::press(driver::findControl(window, kIdStart));
  const driver::MessageBoxSeen box = driver::waitForMessageBox(program.id());
  driver::answer(box);
  driver::waitFor([&] { return offered(window) != before; }, std::chrono::seconds(5));
  offeredNext = offered(window);
  return box.caption + ": " + box.text;
}

// Started as Explorer starts it for an .avi file dropped on it: the path is no switch, so the
// window opens as it does without arguments. The key in both the user's and the computer's classes
// goes from both, unless the computer's refuses.
TEST(ProgramEndToEnd, StartRemovesAndRestoresTheHandlerKeyAndARefusalWarns) {
  driver::installHandler();
  driver::installHandler(HKEY_CURRENT_USER);
  driver::Program program("\"C:\\My Videos\\holiday clip.avi\"");
  HWND window = program.mainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(offered(window), "Remove");
  std::string next;
  EXPECT_EQ(start(program, window, next), "Success!: AVI Previewing has been successfully removed.");
  EXPECT_EQ(driver::handlerStores(), "");
  EXPECT_EQ(next, "Restore");
  EXPECT_EQ(start(program, window, next), "Success!: AVI Previewing has been successfully restored.");
  EXPECT_EQ(driver::handlerState(), "type 1: " + handler::kClassIdStored);  // the identifier and its terminator
  EXPECT_EQ(next, "Remove");

  // The computer's key refuses (it has a subkey): the user's goes, and the window still offers Remove.
  driver::installHandler(HKEY_CURRENT_USER);
  ASSERT_TRUE(driver::holdHandler(true));
  EXPECT_EQ(start(program, window, next), "Orvandel: " + toAnsi(testing_support::kRemoveFailed));
  EXPECT_TRUE(program.running());
  EXPECT_EQ(driver::handlerStores(), "c");
  EXPECT_EQ(next, "Remove");
  driver::holdHandler(false);
  driver::press(driver::findControl(window, kIdClose));
  EXPECT_TRUE(program.waitForExit());
  EXPECT_EQ(program.exitCode(), 0u);
}

// A DLL left beside the program (in a Downloads folder) under the name of one it loads when a screen
// reader first asks: Windows looks in the program's folder first, so only a load from the system's
// folder keeps it out. It exports nothing; had it been loaded, the program's own controls would be
// nameless clients to the reader.
TEST(ProgramEndToEnd, ADllBesideTheProgramIsNotLoadedAndScreenReadersHearItsOwnControls) {
  const std::string folder = driver::ownFolder() + "planted\\", ran = folder + "oleacc.dll.ran";
  ASSERT_TRUE(CopyFileA((driver::ownFolder() + "orvandel.exe").c_str(), (folder + "orvandel.exe").c_str(), FALSE));
  DeleteFileA(ran.c_str());
  driver::Program program("", folder + "orvandel.exe", "oleacc");
  HWND main = program.mainWindow();
  ASSERT_NE(main, nullptr);
  CoInitialize(nullptr);
  const testing_support::Heard link = testing_support::hear(driver::findControl(main, kIdMakerLink));
  EXPECT_EQ(std::tie(link.role, link.action), std::make_tuple(ROLE_SYSTEM_LINK, std::wstring(L"Click")));
  CoUninitialize();
  EXPECT_EQ(GetFileAttributesA(ran.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted oleacc.dll ran";
}

// The screen's resolution as Windows reports it to programs started from now on (Wine reads it
// from these two values at each program's start), and back as it was when this goes.
class ScreenResolution {
 public:
  explicit ScreenResolution(DWORD dpi) {
    for (Setting& s : settings_) {
      DWORD size = sizeof s.before;
      s.had = SHGetValueA(s.root, s.path, "LogPixels", nullptr, &s.before, &size) == ERROR_SUCCESS;
      SHSetValueA(s.root, s.path, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
  }
  ~ScreenResolution() {
    for (const Setting& s : settings_) {
      s.had ? SHSetValueA(s.root, s.path, "LogPixels", REG_DWORD, &s.before, sizeof s.before)
            : SHDeleteValueA(s.root, s.path, "LogPixels");
    }
  }

 private:
  struct Setting { HKEY root; const char* path; DWORD before = 0; bool had = false; } settings_[2] = {{HKEY_CURRENT_USER, "Control Panel\\Desktop"},
                    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"}};
};

// Glyph cores carry the exact text colour, whatever the anti-aliasing does at their edges.
int pixelsOf(HWND window, COLORREF colour) {
  RECT area;
  GetClientRect(window, &area);
  return testing_support::countPixels(window, area, colour);
}

// Laid out at the resolution the screen has (a Windows user's "Large size", 120 dpi), which only
// the program itself asks the system for; its maker link highlights under the real pointer.
TEST(ProgramEndToEnd, TheWindowIsLaidOutAtTheScreensResolutionAndTheMakerLinkHighlightsUnderThePointer) {
  const COLORREF link = RGB(0, 0, 255), highlight = RGB(0, 0, 175);
  const ScreenResolution large(120);
  driver::Program program;
  HWND main = program.mainWindow();
  ASSERT_NE(main, nullptr);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, MulDiv(6060, 120, 1440));
  HWND maker = driver::findControl(main, kIdMakerLink);
  driver::movePointer(5, 5);
  ASSERT_TRUE(driver::waitFor([&] { return pixelsOf(maker, link) > 20; }));
  EXPECT_EQ(pixelsOf(maker, highlight), 0);
  RECT area;
  GetWindowRect(maker, &area);
  for (int x = area.left + 4; x < area.left + 12; x += 2) driver::movePointer(x, (area.top + area.bottom) / 2);
  ASSERT_TRUE(driver::waitFor([&] { return pixelsOf(maker, highlight) > 20; }));
  EXPECT_EQ(pixelsOf(maker, link), 0);
  const auto left = std::chrono::steady_clock::now();
  driver::movePointer(area.right + 40, area.bottom + 40);
  ASSERT_TRUE(driver::waitFor([&] { return pixelsOf(maker, link) > 20; }));
  // One check period (50 ms) plus the tick's delivery and the pixel reads on a busy machine.
  EXPECT_LT(std::chrono::steady_clock::now() - left, std::chrono::milliseconds(1500));
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the title bar's close button
  EXPECT_TRUE(program.waitForExit());
}

TEST(ProgramEndToEnd, TheMakerLinkOpensTheAboutWindowModallyAndItHandsEveryPageToTheShell) {
  const std::string site = "http://www.tesquinesolutions.example/";
  BrowserStandIn browser;
  driver::Program program;
  HWND main = program.mainWindow();
  ASSERT_NE(main, nullptr);
  HWND about = nullptr;
  for (int time = 0; time < 2; ++time) {  // made anew each time it opens
    driver::clickCentre(driver::findControl(main, kIdMakerLink));
    ASSERT_TRUE(driver::waitFor([&] { return (about = driver::findTopWindow(program.id(), "Orvandel.wAbout", "About")); }));
    EXPECT_FALSE(IsWindowEnabled(main));
    for (const char* text : {"1.01", "#0101", "30th September, 2004."}) {
      EXPECT_NE(driver::findByText(about, "Static", text), nullptr) << text;
    }
    if (time == 1) break;
    PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(driver::waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
  }
  EXPECT_TRUE(browser.addresses().empty());  // the maker link itself opens nothing

  const std::string product = site + "index.php?id=orvandel", donation = site + "index.php?id=donation";
  const struct { const char* cls; std::string text, expected; } clicks[] = {
      {"Orvandel.Label", "Orvandel", product}, {"Orvandel.Picture", "Orvandel web page", product},
      {"Orvandel.Picture", "Make a donation", donation},
      {"Orvandel.Label", "If you like this program, then please consider making a donation by clicking on the logo. Thanks!",
       donation},
      {"Orvandel.HyperLink", "Tesquine Solutions", site + "?from=orvandel"},
      {"Orvandel.HyperLink", "Visit the Forum", site + "index.php?id=forum"}};
  std::string previous;
  for (const auto& click : clicks) {
    HWND target = driver::findByText(about, click.cls, click.text);
    ASSERT_NE(target, nullptr) << click.text;
    const size_t before = browser.addresses().size();
    // Real pointer input into a busy virtual display is now and then lost on its way: a click
    // that brought nothing within a few seconds is given again.
    for (int attempt = 0; attempt < 3 && browser.addresses().size() == before; ++attempt) {
      WaitForInputIdle(program.process(), 5000);
      driver::clickCentre(target);
      driver::waitFor([&] { return browser.addresses().size() > before; }, std::chrono::seconds(8));
    }
    const std::vector<std::string> received = browser.addresses();
    ASSERT_GT(received.size(), before) << click.expected;
    // A click given again may bring the one before it a second time, late; nothing else may come.
    EXPECT_NE(std::find(received.begin() + before, received.end(), click.expected), received.end()) << click.expected;
    for (size_t i = before; i < received.size(); ++i) {
      EXPECT_TRUE(received[i] == click.expected || received[i] == previous) << received[i];
    }
    previous = click.expected;
    EXPECT_TRUE(IsWindow(about));  // the window stays open
  }
  PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(driver::waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program.waitForExit());
}
}  // namespace
