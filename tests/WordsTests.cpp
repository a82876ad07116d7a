// The program's words: each language's table has exactly the words English has, each language
// Windows may be in finds its table (each shipped one its own: none is missing), and what the
// command line prints reaches its console whole, or in English where it can't.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "base/AnsiText.h"
#include "base/Words.h"

namespace {
// What a translation keeps as English has it: the leading spaces (a frame caption's room for its
// option button), the inserts in English's order (a count misses "%1: Fehler %1: %3") and, in the
// command line's words, every switch and the keywords "present" and "absent" a script tests.
std::wstring marksOf(const std::wstring& text, bool commandLine) {
  std::wstring marks = L"[" + text.substr(0, text.find_first_not_of(L' ')) + L"]", token;
  for (size_t at = text.find(L'%'); at != std::wstring::npos; at = text.find(L'%', at + 1)) marks += text.substr(at, 2);
  std::vector<std::wstring> literals;
  for (wchar_t c : text + L" ") {
    if (iswlower(c) || c == L'/' || c == L'?') token += c;
    else if (commandLine && (token[0] == L'/' || token == L"present" || token == L"absent")) literals.push_back(token);
    if (!iswlower(c) && c != L'/' && c != L'?') token.clear();
  }
  std::sort(literals.begin(), literals.end());
  for (const std::wstring& literal : literals) marks += L" " + literal;
  return marks;
}

TEST(Words, EveryTableHasEveryWordEnglishHasWithItsMarksAndNoOther) {
  for (LANGID language : wordLanguages()) {
    for (UINT id = 0; id < 16 * 16; ++id) {
      const std::wstring english = wordIn(kEnglish, id), translated = wordIn(language, id);
      EXPECT_EQ(translated.empty(), english.empty()) << std::hex << language << std::dec << " word " << id;
      EXPECT_EQ(marksOf(translated, id >= kFirstConsoleWord), marksOf(english, id >= kFirstConsoleWord))
          << std::hex << language << std::dec << " word " << id;
    }
  }
}

// Each word a command line may print converts exactly (no default character, no best fit) into its
// language's console code page, the OEM one of its locale: 850 in Western Europe, 866 in Russian.
// Where the console's code page can't hold them (Russian over an English locale's 437), English.
TEST(Words, TheCommandLineSpeaksItsLanguageWhereItsConsoleShowsItElseEnglish) {
  for (LANGID language : wordLanguages()) {
    wchar_t page[8] = {};
    ASSERT_TRUE(GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTCODEPAGE, page, 8));
    for (UINT id = kFirstConsoleWord; id < 16 * 16; ++id) {
      EXPECT_TRUE(toExactCodePage(wordIn(language, id), _wtoi(page), EmbeddedNul::Refuse))
          << std::hex << language << std::dec << " word " << id << " in " << _wtoi(page);
    }
    EXPECT_EQ(languageShownIn(_wtoi(page), language), language);
  }
  EXPECT_EQ(languageShownIn(437, 0x0419), kEnglish);
  EXPECT_EQ(languageShownIn(65001, 0x0419), 0x0419);
}

// Chinese in Traditional script (Taiwan, Hong Kong, Macao, the script alone) is no family of the
// Simplified table; Singapore writes Simplified.
TEST(Words, WindowsLanguageFindsItsOwnTableElseItsFamilysElseEnglish) {
  const std::pair<LANGID, LANGID> cases[] = {
      {0x0407, 0x0407}, {0x0C07, 0x0407}, {0x040C, 0x040C}, {0x0C0C, 0x040C}, {0x0C0A, 0x0C0A}, {0x080A, 0x0C0A},
      {0x040A, 0x0C0A}, {0x0419, 0x0419}, {0x0809, 0x0409}, {0x0804, 0x0804}, {0x1004, 0x0804},
      {0x0404, 0x0409}, {0x0C04, 0x0409}, {0x1404, 0x0409}, {0x7C04, 0x0409}, {0x0411, 0x0411}, {0x0410, 0x0410},
      {0x0810, 0x0410}, {0x0416, 0x0416}, {0x0816, 0x0416}, {0x0415, 0x0415}, {0x0413, 0x0413}, {0x0813, 0x0413},
      {0x0412, 0x0409}};
  for (const auto& [windows, table] : cases) EXPECT_EQ(tableFor(windows), table) << std::hex << windows;
}
}  // namespace
