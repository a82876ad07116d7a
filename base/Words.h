#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The program's words: one string table per language in the program's resources
// (resources/words.rc), ids in resources/WordIds.h. A window takes its words when it is made.

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The languages the program has a table for.
std::vector<LANGID> wordLanguages();

// The table that speaks `wanted`: its own, else the first of its family (German (Austria):
// German; Chinese (Singapore): Simplified Chinese, but Chinese in Traditional script is a family
// of its own), else English.
LANGID tableFor(LANGID wanted);

// The language the program speaks: Windows' user-interface language's table, chosen once; in
// a run from a command line, the one its console shows (speakOnConsole).
LANGID programLanguage();

// The words a command line may print: the switch's and the command line's, from IDS_REMOVED
// (resources/WordIds.h) on.
constexpr UINT kFirstConsoleWord = 32;

// The language a console (or a redirection of it) in `codePage` can show: `language` where each
// word a command line may print converts exactly into that code page, else English, as Windows'
// own command-line tools fall back. A Russian Windows over an English system locale has consoles
// in 437, where Cyrillic would come out as "???".
LANGID languageShownIn(UINT codePage, LANGID language);

// From here on the program speaks on a console in `codePage`: a run from a command line, which
// makes no window, calls it before its words are fetched.
void speakOnConsole(UINT codePage);

// A word in the language's table, exactly as it stands there (empty when the table lacks it).
std::wstring wordIn(LANGID language, UINT id);

// A word in the given language, or the program's; the English one when its table lacks it.
std::wstring word(UINT id, LANGID language = programLanguage());

// A word with its %1, %2, ... replaced by the texts given.
std::wstring word(UINT id, const std::vector<std::wstring>& inserts, LANGID language = programLanguage());

// A window text that is a word: its id in place of the text, as resource names take one.
inline const wchar_t* wordText(UINT id) { return MAKEINTRESOURCEW(id); }
// The text itself, or the word it names.
std::wstring textOrWord(const wchar_t* text, LANGID language);
