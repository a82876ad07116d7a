// The About window of the built program: opened by the maker link with the real pointer, modal
// over the main window, and every page it opens handed to the shell (a recorder stands in for
// the browser).
#include <gtest/gtest.h>

#include "app/ControlIds.h"
#include "tests/e2e/Driver.h"

namespace {
const char kSite[] = "http://www.tesquinesolutions.example/";

HWND openAbout(const driver::Program& program, HWND main) {
  driver::clickCentre(driver::findControl(main, kIdMakerLink));
  HWND about = nullptr;
  driver::waitFor([&] { return (about = driver::findTopWindow(program.id(), "Orvandel.wAbout", "About")) != nullptr; });
  return about;
}

void closeAbout(HWND about) {
  PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  driver::waitFor([&] { return !IsWindow(about); });
}

TEST(AboutEndToEnd, OpensModallyAndHandsEveryPageToTheShell) {
  driver::BrowserStandIn browser;
  driver::Program program;
  HWND main = program.mainWindow();
  ASSERT_NE(main, nullptr);

  for (int time = 0; time < 2; ++time) {  // made anew each time it opens
    HWND about = openAbout(program, main);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_NE(driver::findByText(about, "Static", "1.01"), nullptr);
    EXPECT_NE(driver::findByText(about, "Static", "#0101"), nullptr);
    EXPECT_EQ(driver::findByText(about, "Static", "#101"), nullptr);
    EXPECT_NE(driver::findByText(about, "Static", "30th September, 2004."), nullptr);
    closeAbout(about);
    ASSERT_TRUE(driver::waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
  }
  EXPECT_TRUE(browser.addresses().empty());  // the maker link itself opens nothing

  HWND about = openAbout(program, main);
  ASSERT_NE(about, nullptr);
  const std::string donation = std::string(kSite) + "index.php?id=donation";
  const std::string product = std::string(kSite) + "index.php?id=orvandel";
  struct { HWND target; std::string expected; } clicks[] = {
      {driver::findByText(about, "Orvandel.Label", "Orvandel"), product},
      {driver::findByText(about, "Orvandel.Picture", "imgStar"), product},
      {driver::findByText(about, "Orvandel.Picture", "imgDonate"), donation},
      {driver::findByText(about, "Orvandel.Label",
                          "If you like this program, then please consider making a donation by clicking on the "
                          "logo. Thanks!"), donation},
      {driver::findByText(about, "Orvandel.HyperLink", "Tesquine Solutions"), std::string(kSite) + "?from=orvandel"},
      {driver::findByText(about, "Orvandel.HyperLink", "Visit the Forum"), std::string(kSite) + "index.php?id=forum"},
  };
  for (const auto& click : clicks) {
    ASSERT_NE(click.target, nullptr) << click.expected;
    const size_t before = browser.addresses().size();
    // Real pointer input into a busy virtual display is now and then lost on its way: a click
    // that brought nothing within a few seconds is given again.
    for (int attempt = 0; attempt < 3 && browser.addresses().size() == before; ++attempt) {
      WaitForInputIdle(program.process(), 5000);
      driver::clickCentre(click.target);
      driver::waitFor([&] { return browser.addresses().size() > before; }, std::chrono::seconds(8));
    }
    const std::vector<std::string> received = browser.addresses();
    ASSERT_GT(received.size(), before) << click.expected;
    for (size_t i = before; i < received.size(); ++i) EXPECT_EQ(received[i], click.expected);
    EXPECT_TRUE(IsWindow(about));  // the window stays open
  }
  closeAbout(about);
  EXPECT_TRUE(driver::waitFor([&] { return IsWindowEnabled(main) != FALSE; }));
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program.waitForExit());
}
}  // namespace
