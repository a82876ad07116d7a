// Text crossing into the ANSI code page, under code pages Windows holds to rules Wine does not.
#include <gtest/gtest.h>

#include "app/modCore.h"
#include "base/AnsiText.h"

namespace {
constexpr DWORD kErrInvalidChars = 0x80;  // WC_ERR_INVALID_CHARS, Vista on

// As Windows converts to UTF-8 (the ANSI code page where "Use Unicode UTF-8" is on): only without
// flags but WC_ERR_INVALID_CHARS, and without a report of defaults used; the call fails otherwise.
int WINAPI asWindows(UINT codePage, DWORD flags, LPCWCH text, int length, LPSTR out, int size, LPCCH defaultChar,
                     LPBOOL usedDefault) {
  if (codePage == CP_UTF8 && ((flags & ~kErrInvalidChars) || defaultChar || usedDefault)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  return WideCharToMultiByte(codePage, flags, text, length, out, size, defaultChar, usedDefault);
}
}  // namespace

TEST(AnsiText, TheHandlersPathsCrossExactlyUnderUtf8AndWindows1252AndTextWithoutAnExactFormIsRefused) {
  const auto exact = [](const std::wstring& text, UINT codePage) {
    return toExactCodePage(text, codePage, EmbeddedNul::Refuse, asWindows);
  };
  for (UINT codePage : {UINT{CP_UTF8}, UINT{1252}}) {
    for (const wchar_t* path : {modCore::kHandlerPath, modCore::kHandlerDetectPath, modCore::kHandlerClassId}) {
      const std::wstring text = path;
      EXPECT_EQ(exact(text, codePage), std::string(text.begin(), text.end())) << codePage;
    }
    EXPECT_EQ(exact(L"Vid\u00e9os", codePage), codePage == CP_UTF8 ? "Vid\xc3\xa9os" : "Vid\xe9os");
    EXPECT_EQ(exact(std::wstring(L"a\0b", 3), codePage), std::nullopt);  // a path ends at its first NUL
  }
  EXPECT_EQ(exact(L"\u0416", CP_UTF8), "\xd0\x96");
  EXPECT_EQ(exact(L"x\xd800y", CP_UTF8), std::nullopt);  // a lone surrogate has no UTF-8 form
  EXPECT_EQ(exact(L"\u0416", 1252), std::nullopt);       // no Cyrillic in 1252
  EXPECT_EQ(exact(L"\u0141", 1252), std::nullopt);       // nor its best fit, "L": another key
}
