// The built program, driven from outside under Wine: what a user sees and what the registry holds.
#include <gtest/gtest.h>

#include "app/ControlIds.h"
#include "tests/e2e/Driver.h"

namespace {
const std::string kClassIdStored = std::string("{87D62D94-71B3-4b9a-9489-5FE6850DC73E}") + '\0';

void expectOffers(HWND window, bool remove) {
  EXPECT_EQ(IsWindowEnabled(driver::findControl(window, kIdOptionRemove)) != FALSE, remove);
  EXPECT_EQ(driver::isChecked(driver::findControl(window, kIdOptionRemove)), remove);
  EXPECT_EQ(IsWindowEnabled(driver::findControl(window, kIdFrameRemove)) != FALSE, remove);
  EXPECT_EQ(IsWindowEnabled(driver::findControl(window, kIdOptionRestore)) != FALSE, !remove);
  EXPECT_EQ(driver::isChecked(driver::findControl(window, kIdOptionRestore)), !remove);
  EXPECT_EQ(IsWindowEnabled(driver::findControl(window, kIdFrameRestore)) != FALSE, !remove);
}

TEST(ProgramEndToEnd, StartRemovesAndRestoresTheHandlerKey) {
  driver::installHandler();
  driver::Program program;
  HWND window = program.mainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(driver::windowText(driver::findControl(window, kIdStart)), "Start");
  expectOffers(window, true);

  driver::press(driver::findControl(window, kIdStart));
  driver::MessageBoxSeen removed = driver::waitForMessageBox(program.id());
  ASSERT_NE(removed.window, nullptr);
  EXPECT_EQ(removed.caption, "Success!");
  EXPECT_EQ(removed.text, "AVI Previewing has been successfully removed.");
  EXPECT_FALSE(driver::readHandler().keyExists);
  driver::answer(removed);
  ASSERT_TRUE(driver::waitFor([&] { return driver::isChecked(driver::findControl(window, kIdOptionRestore)); }));
  expectOffers(window, false);

  driver::press(driver::findControl(window, kIdStart));
  driver::MessageBoxSeen restored = driver::waitForMessageBox(program.id());
  EXPECT_EQ(restored.caption, "Success!");
  EXPECT_EQ(restored.text, "AVI Previewing has been successfully restored.");
  const driver::HandlerValue value = driver::readHandler();
  EXPECT_TRUE(value.valueExists);
  EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(value.data, kClassIdStored);  // 39 bytes: the identifier and its terminator
  driver::answer(restored);
  ASSERT_TRUE(driver::waitFor([&] { return driver::isChecked(driver::findControl(window, kIdOptionRemove)); }));
  expectOffers(window, true);

  driver::press(driver::findControl(window, kIdClose));
  EXPECT_TRUE(program.waitForExit());
}

TEST(ProgramEndToEnd, ARefusedRemovalWarnsAndKeepsRunning) {
  driver::installHandler();
  driver::Program program;
  HWND window = program.mainWindow();
  ASSERT_NE(window, nullptr);
  driver::removeHandler();  // the state changed behind the window's back: the delete now fails
  driver::press(driver::findControl(window, kIdStart));
  driver::MessageBoxSeen box = driver::waitForMessageBox(program.id());
  EXPECT_EQ(box.caption, "Orvandel");
  EXPECT_EQ(box.text,
            "AVI Previewing wasn't disabled.\r\n\r\nThere was an error while trying to remove the AVI Previewing\r\n"
            "feature. Do you have administrator priviledges?");
  driver::answer(box);
  EXPECT_TRUE(program.running());
  ASSERT_TRUE(driver::waitFor([&] { return driver::isChecked(driver::findControl(window, kIdOptionRestore)); }));
  expectOffers(window, false);

  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the title bar's close button
  EXPECT_TRUE(program.waitForExit());
  driver::installHandler();
}
}  // namespace
