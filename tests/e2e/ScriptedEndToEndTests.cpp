// The built program started by a script with arguments: no window, its words on the standard
// output the script redirected, its exit code, and the real registry afterwards.
#include <gtest/gtest.h>

#include "app/ControlIds.h"
#include "base/AnsiText.h"
#include "base/Words.h"
#include "resources/WordIds.h"
#include "scripts/driver/Driver.h"
#include "tests/TestSupport.h"

namespace {

// A scripted run: its arguments, its exit code, the whole output (or its start when it ends in
// ": "), and the stores holding the key afterwards (u the user's, c the computer's).
using Step = std::tuple<std::string, DWORD, std::string, const char*>;

void runSteps(const std::vector<Step>& steps) {
  for (const auto& [arguments, exit, printed, held] : steps) {
    const driver::Scripted done = driver::runScripted(arguments);
    ASSERT_NE(done.exit, 0xFFFFu) << arguments << ": did not end";
    EXPECT_EQ(done.exit, exit) << arguments;
    const bool startOnly = printed.size() > 2 && printed.compare(printed.size() - 2, 2, ": ") == 0;
    EXPECT_EQ(startOnly ? done.output.substr(0, printed.size()) : done.output, printed) << arguments;
    EXPECT_EQ(driver::handlerStores(), held) << arguments;
  }
}

// On this computer, then on an unknown one (never a success) and on this one by its own name, which
// Wine reaches, there through HKEY_LOCAL_MACHINE's classes; then with the key in the user's classes
// alone, which Wine's HKEY_CLASSES_ROOT does not show.
TEST(ScriptedEndToEnd, StatusRemoveAndRestoreHereAndOnAnotherComputerAndInTheUsersClasses) {
  driver::installHandler();
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = sizeof name;
  ASSERT_TRUE(GetComputerNameA(name, &length));
  const std::string own = std::string(" /machine ") + name;
  const std::string removed = "AVI Previewing has been successfully removed.\r\n";
  const std::string restored = "AVI Previewing has been successfully restored.\r\n";
  runSteps({
      {"/status", 0, "present\r\n", "c"},
      {"/remove", 0, removed, ""},
      {"/Restore", 0, "AVI Previewing has been successfully restored.\r\n", "c"},
      {"/status /machine NOSUCHPC7", 1, "\\\\NOSUCHPC7: error 53: ", "c"},
      {"/remove" + own, 0, removed, ""},
      {"/restore /machine NOSUCHPC7", 1, "\\\\NOSUCHPC7: error 53: ", ""},
      {"/restore" + own, 0, "AVI Previewing has been successfully restored.\r\n", "c"},
  });
  driver::removeHandler();
  driver::installHandler(HKEY_CURRENT_USER);
  runSteps({{"/status", 0, "present\r\n", "u"}, {"/remove", 0, removed, ""}});
  // A key without its class identifier (left by a broken uninstaller) names no handler: absent,
  // and a restore fills it.
  driver::installHandler(HKEY_LOCAL_MACHINE, nullptr);
  runSteps({{"/status", 3, "absent\r\n", "?"}, {"/restore", 0, restored, "c"}});

  // A key the account may not read is no answer; Remove may still take it away.
  const std::string locked = "HKEY_LOCAL_MACHINE\\" + handler::kInClasses + ": error 5: ";
  driver::installHandler();
  ASSERT_EQ(driver::lockKey(HKEY_LOCAL_MACHINE, handler::kInClasses, true), ERROR_SUCCESS);
  runSteps({{"/status", 1, locked, "?"},
            {"/restore", 1, toAnsi(testing_support::kRestoreFailed) + "\r\n" + locked, "?"},
            {"/remove", 0, removed, ""}});
}
// A shortcut whose target carries a switch the program does not know: no console to write to,
// so the words appear in a box, and the exit code still says the command line was not understood.
TEST(ScriptedEndToEnd, AnUnknownSwitchWithoutAConsoleIsShownInABox) {
  driver::Program program("/now");
  const driver::MessageBoxSeen box = driver::waitForMessageBox(program.id());
  EXPECT_EQ(box.caption, "Orvandel");
  EXPECT_EQ(box.text, "Not understood: /now\r\n\r\nUsage: orvandel.exe /status | /remove | /restore [/machine NAME]");
  driver::answer(box);
  ASSERT_TRUE(program.waitForExit());
  EXPECT_EQ(program.exitCode(), 2u);
}

// Started from a console with its output redirected, the commonest way a script runs it: the words
// come in the console's code page, which `type` reads, not in the system's ANSI or OEM one (850
// here, where they are 1252 and 437): the ø of a computer's name is 0x9B only in 850.
TEST(ScriptedEndToEnd, WordsRedirectedFromAConsoleComeInItsCodePage) {
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  ASSERT_TRUE(SetConsoleOutputCP(850));
  const driver::Scripted done = driver::runScripted("/status /machine NOSUCHPC\xF8");
  EXPECT_EQ(done.exit, 1u);
  const std::string start = "\\\\NOSUCHPC\x9B: error ";
  EXPECT_EQ(done.output.substr(0, start.size()), start) << done.output;
}

// A failure nobody foresaw (an exception nothing caught, a failed library check) ends the program
// at once with the code that means no answer: never 0 or 3 ("absent", and abort()'s code), and no
// box that would hold an unattended script.
TEST(ScriptedEndToEnd, AFailureNobodyForesawEndsWithoutAnAnswerOrABox) {
  for (const char* failure : {"throw", "check"}) {
    driver::Program program(failure, driver::ownFolder() + "unforeseen_failure.exe");
    ASSERT_TRUE(program.waitForExit()) << failure;
    EXPECT_EQ(program.exitCode(), 4u) << failure;
  }
}

// Run once a language in its Linux locale (Wine's user's language; the suite sets it): the window
// speaks it, and the command line's words reach a redirection in the console's code page (866 in
// Russian), so that `type` shows them whole; "/?" answers with the help and changes nothing.
TEST(InLanguage, TheWindowAndTheCommandLineSpeakTheUsersLanguage) {
  const LANGID language = tableFor(GetUserDefaultUILanguage());
  // Every locale it runs in has a table: English would mean the Linux locale is missing.
  EXPECT_NE(language, kEnglish) << std::hex << GetUserDefaultUILanguage();
  EXPECT_TRUE(PRIMARYLANGID(language) != LANG_RUSSIAN || GetOEMCP() == 866u) << GetOEMCP();
  const auto oem = [](const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(WideCharToMultiByte(GetOEMCP(), 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
  };
  driver::installHandler();
  const std::wstring usage = word(IDS_USAGE, language) + L"\r\n";
  const auto refused = driver::runScripted("/remove /now");
  EXPECT_EQ(refused.exit, 2u);
  EXPECT_EQ(refused.output, oem(word(IDS_NOT_UNDERSTOOD, {L"/now"}, language) + L"\r\n" + usage));
  const auto help = driver::runScripted("/remove /?");
  EXPECT_EQ(help.exit, 0u);
  EXPECT_NE(help.output.find(oem(L"\r\n" + usage)), std::string::npos) << help.output;
  EXPECT_EQ(driver::handlerStores(), "c");
  driver::holdHandler(true);  // a refusal: the words of the window's box
  const auto failed = driver::runScripted("/remove");
  driver::holdHandler(false);
  EXPECT_EQ(failed.exit, 1u);
  EXPECT_EQ(failed.output, oem(word(IDS_REMOVE_FAILED, language) + L"\r\n"));
  // A console that can't show the language (437, a Russian Windows over an English system locale)
  // hears English, the command line's refusal too; the window keeps the user's language.
  if (PRIMARYLANGID(language) == LANG_RUSSIAN) {
    FreeConsole();
    ASSERT_TRUE(AllocConsole() && SetConsoleOutputCP(437));
    EXPECT_EQ(driver::runScripted("/remove /now").output,
              toAnsi(word(IDS_NOT_UNDERSTOOD, {L"/now"}, kEnglish) + L"\r\n" + word(IDS_USAGE, kEnglish) + L"\r\n"));
  }
  const driver::Program program;
  const HWND main = program.mainWindow();
  ASSERT_NE(main, nullptr);
  for (const auto& [id, wordId] : {std::pair{kIdStart, IDS_START}, {kIdRemoveInfo, IDS_REMOVE_INFO}}) {
    wchar_t text[512] = {};
    GetWindowTextW(driver::findControl(main, id), text, 512);
    EXPECT_EQ(text, word(wordId, language));
  }
  driver::removeHandler();
}
}  // namespace
