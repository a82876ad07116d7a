// The About window in-process: its texts come from the program's version numbers, and it is
// modal over its owner until closed.
#include <gtest/gtest.h>

#include <functional>

#include "app/ProgramVersion.h"
#include "app/wAbout.h"
#include "controls/modShellExecute.h"
#include "tests/MemoryRegistry.h"

namespace {
TEST(AboutVersionTexts, FollowTheVersionNumbers) {
  EXPECT_EQ(versionText({1, 1, 101}), L"1.01");
  EXPECT_EQ(buildText({1, 1, 101}), L"#0101");
  EXPECT_EQ(versionText({2, 5, 7}), L"2.05");
  EXPECT_EQ(buildText({2, 5, 7}), L"#0007");
  EXPECT_EQ(versionText({10, 12, 12345}), L"10.12");
  EXPECT_EQ(buildText({10, 12, 12345}), L"#12345");
}

// Runs what the test wants to do while the modal window's own loop is running.
std::function<void()> whileOpen;
void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const std::function<void()> run = whileOpen;  // it may set the next step
  run();
}

std::wstring textOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(AboutWindow, IsModalOverItsOwnerAndShowsFreshValuesEachTime) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  for (int time = 0; time < 2; ++time) {
    bool ownerEnabledWhileOpen = true;
    bool openAfterEscape = false;
    std::wstring version, build, date, caption;
    HWND focus = nullptr, panel = nullptr;
    LONG style = 0;
    wAbout about;
    whileOpen = [&] {
      HWND window = about.hwnd();
      ownerEnabledWhileOpen = IsWindowEnabled(owner) != FALSE;
      caption = textOf(window);
      version = textOf(about.control(L"labVersion"));
      build = textOf(about.control(L"labBuild"));
      date = textOf(about.control(L"labDate"));
      focus = GetFocus();
      panel = about.control(L"picAntiFlicker(1)");
      style = GetWindowLongW(window, GWL_STYLE);
      // Escape goes through the window's own message loop, as a key press would; it closes nothing.
      PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
      PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0);
      whileOpen = [&, window] {
        openAfterEscape = IsWindow(window) != FALSE;
        PostMessageW(window, WM_CLOSE, 0, 0);
      };
      SetTimer(nullptr, 0, 50, onTimer);
    };
    SetTimer(nullptr, 0, 10, onTimer);
    about.showModal(owner);
    EXPECT_FALSE(ownerEnabledWhileOpen);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(about.hwnd(), nullptr);  // closing unloads it
    EXPECT_EQ(caption, L"About");
    // The test program has no version block of its own: the texts come from what is read.
    const ProgramVersion own = ProgramVersion::ofThisProgram();
    EXPECT_EQ(version, versionText(own));
    EXPECT_EQ(build, buildText(own));
    EXPECT_EQ(date, L"30th September, 2004.");
    EXPECT_EQ(focus, panel);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  }
  DestroyWindow(owner);
}
}  // namespace

namespace {
struct Launch {
  std::wstring target, parameters, directory;
  HWND owner;
  int32_t showCommand;
  bool waitForExit;
};

class RecordingLauncher final : public DocumentLauncher {
 public:
  std::vector<Launch> launches;
  void launch(const std::wstring& target, const std::wstring& parameters, HWND ownerWindow, int32_t showCommand,
              const std::wstring& directory, bool waitForExit) override {
    launches.push_back({target, parameters, directory, ownerWindow, showCommand, waitForExit});
  }
};

TEST(AboutWindow, EachClickableItemOpensItsPageOnceAndTheWindowStays) {
  MemoryRegistry registry;
  RecordingLauncher launcher;
  AppServices services{registry, systemMessageBox(), false, launcher};
  wAbout about(services);
  std::vector<std::pair<std::wstring, size_t>> opened;
  HWND window = nullptr;
  whileOpen = [&] {
    window = about.hwnd();
    for (const wchar_t* name : {L"labTitle", L"imgStar", L"imgDonate", L"labDonate"}) {
      HWND item = about.control(name);
      SendMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      SendMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
      opened.emplace_back(name, launcher.launches.size());
    }
    EXPECT_TRUE(IsWindow(window));
    PostMessageW(window, WM_CLOSE, 0, 0);
  };
  SetTimer(nullptr, 0, 10, onTimer);
  about.showModal(nullptr);
  ASSERT_EQ(launcher.launches.size(), 4u);
  const std::wstring product = L"http://www.tesquinesolutions.example/index.php?id=orvandel";
  const std::wstring donation = L"http://www.tesquinesolutions.example/index.php?id=donation";
  const std::wstring expected[] = {product, product, donation, donation};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(opened[i].second, i + 1) << "one launch per click";
    EXPECT_EQ(launcher.launches[i].target, expected[i]);
    EXPECT_EQ(launcher.launches[i].owner, window);
    EXPECT_EQ(launcher.launches[i].showCommand, 1);
    EXPECT_TRUE(launcher.launches[i].parameters.empty() && launcher.launches[i].directory.empty());
    EXPECT_FALSE(launcher.launches[i].waitForExit);
  }
}
}  // namespace
