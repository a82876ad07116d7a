#include "base/Words.h"

#include "base/AnsiText.h"
#include "resources/WordIds.h"

static_assert(kFirstConsoleWord == IDS_REMOVED, "the command line's words start their block");

namespace {
const wchar_t* const kStringTable = MAKEINTRESOURCEW(6);  // RT_STRING, in its wide form
// Where the tables are found: the block of the first sixteen ids, which every table has.
const wchar_t* const kFirstBlock = MAKEINTRESOURCEW(1);

BOOL CALLBACK addLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<LANGID>*>(found)->push_back(language);
  return TRUE;
}
}  // namespace

std::vector<LANGID> wordLanguages() {
  std::vector<LANGID> languages;
  EnumResourceLanguagesW(GetModuleHandleW(nullptr), kStringTable, kFirstBlock, addLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

namespace {
// Chinese is two families by its script: Taiwan, Hong Kong and Macao write Traditional characters
// (0x7C04 names the script alone), the mainland and Singapore Simplified. A reader of one script
// is no reader of the other's table: different characters, other words for the same things, and
// a Traditional system's code page (950) holds few of the Simplified ones.
bool writesTraditionalChinese(LANGID language) {
  const WORD sub = SUBLANGID(language);
  return PRIMARYLANGID(language) == LANG_CHINESE &&
         (sub == SUBLANG_CHINESE_TRADITIONAL || sub == SUBLANG_CHINESE_HONGKONG || sub == SUBLANG_CHINESE_MACAU ||
          sub == 0x1F);
}

bool sameFamily(LANGID a, LANGID b) {
  return PRIMARYLANGID(a) == PRIMARYLANGID(b) && writesTraditionalChinese(a) == writesTraditionalChinese(b);
}
}  // namespace

LANGID tableFor(LANGID wanted) {
  const std::vector<LANGID> languages = wordLanguages();
  for (LANGID language : languages) {
    if (language == wanted) return language;
  }
  for (LANGID language : languages) {
    if (sameFamily(language, wanted)) return language;
  }
  return kEnglish;
}

namespace {
LANGID windowsLanguage() {
  // On XP LoadString picks a table by the thread's locale, which need not be the language the
  // user sees Windows in: the table is chosen here, and fetched by that language explicitly.
  static const LANGID language = tableFor(GetUserDefaultUILanguage());
  return language;
}

LANGID consoleLanguage = 0;  // set once, by a run from a command line
}  // namespace

LANGID programLanguage() { return consoleLanguage ? consoleLanguage : windowsLanguage(); }

LANGID languageShownIn(UINT codePage, LANGID language) {
  for (UINT id = kFirstConsoleWord; id < 16 * 16; ++id) {
    if (!toExactCodePage(word(id, language), codePage, EmbeddedNul::Refuse)) return kEnglish;
  }
  return language;
}

void speakOnConsole(UINT codePage) { consoleLanguage = languageShownIn(codePage, windowsLanguage()); }

std::wstring wordIn(LANGID language, UINT id) {
  // A block holds sixteen counted strings; an id's block is its id / 16 + 1.
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceExW(module, kStringTable, MAKEINTRESOURCEW(id / 16 + 1), language);
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* counted = static_cast<const WCHAR*>(loaded ? LockResource(loaded) : nullptr);
  if (!counted) return {};
  for (UINT slot = 0; slot < id % 16; ++slot) counted += 1 + *counted;
  return std::wstring(counted + 1, *counted);
}

std::wstring word(UINT id, LANGID language) {
  std::wstring text = wordIn(language, id);
  return text.empty() && language != kEnglish ? wordIn(kEnglish, id) : text;
}

std::wstring word(UINT id, const std::vector<std::wstring>& inserts, LANGID language) {
  std::wstring text = word(id, language);
  for (size_t at = text.find(L'%'); at != std::wstring::npos && at + 1 < text.size(); at = text.find(L'%', at)) {
    const size_t index = static_cast<size_t>(text[at + 1] - L'1');
    if (index >= inserts.size()) {
      at += 1;
      continue;
    }
    text.replace(at, 2, inserts[index]);
    at += inserts[index].size();
  }
  return text;
}

std::wstring textOrWord(const wchar_t* text, LANGID language) {
  if (!text) return {};
  return IS_INTRESOURCE(text) ? word(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)), language) : text;
}
