// The program's words: each language's table has exactly the words English has, and each
// language Windows may be in finds its table (each shipped one its own: none is missing).
#include <gtest/gtest.h>

#include <algorithm>

#include "base/Words.h"

namespace {
TEST(Words, EveryTableHasEveryWordEnglishHasWithItsInsertsAndNoOther) {
  for (LANGID language : wordLanguages()) {
    for (UINT id = 0; id < 16 * 16; ++id) {
      const std::wstring english = wordIn(kEnglish, id), translated = wordIn(language, id);
      EXPECT_EQ(translated.empty(), english.empty()) << std::hex << language << std::dec << " word " << id;
      EXPECT_EQ(std::count(translated.begin(), translated.end(), L'%'), std::count(english.begin(), english.end(), L'%'))
          << std::hex << language << std::dec << " word " << id;
    }
  }
}

TEST(Words, WindowsLanguageFindsItsOwnTableElseItsFamilysElseEnglish) {
  const std::pair<LANGID, LANGID> cases[] = {
      {0x0407, 0x0407}, {0x0C07, 0x0407}, {0x040C, 0x040C}, {0x0C0C, 0x040C}, {0x0C0A, 0x0C0A}, {0x080A, 0x0C0A},
      {0x040A, 0x0C0A}, {0x0419, 0x0419}, {0x0809, 0x0409}, {0x0411, 0x0409}, {0x0416, 0x0409}};
  for (const auto& [windows, table] : cases) EXPECT_EQ(tableFor(windows), table) << std::hex << windows;
}
}  // namespace
