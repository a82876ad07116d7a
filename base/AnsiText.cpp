#include "base/AnsiText.h"

namespace {
std::string convert(const std::wstring& text, UINT codePage, DWORD flags, BOOL* usedDefault,
                    WideToMultiByte function) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = function(codePage, flags, text.data(), length, nullptr, 0, nullptr, usedDefault);
  if (size <= 0) return {};
  std::string out(static_cast<size_t>(size), '\0');
  function(codePage, flags, text.data(), length, out.data(), size, nullptr, usedDefault);
  return out;
}

std::wstring toWide(UINT codePage, const char* data, size_t length) {
  if (length == 0) return {};
  const int count = static_cast<int>(length);
  const int size = MultiByteToWideChar(codePage, 0, data, count, nullptr, 0);
  if (size <= 0) return {};
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, data, count, out.data(), size);
  return out;
}

// Code pages that Windows converts to only without flags and without a report of defaults used:
// it fails the call otherwise. UTF-8 among them, which Windows 10 may make the ANSI code page.
bool takesNoFlags(UINT codePage) {
  return codePage == 42 || (codePage >= 50220 && codePage <= 50229) || codePage == 52936 || codePage == 54936 ||
         (codePage >= 57002 && codePage <= 57011) || codePage == 65000 || codePage == 65001;
}
}  // namespace

std::string toAnsi(const std::wstring& text) { return convert(text, CP_ACP, 0, nullptr, &WideCharToMultiByte); }

std::optional<std::string> toExactAnsi(const std::wstring& text, EmbeddedNul nul) {
  return toExactCodePage(text, GetACP(), nul);
}

// Exact when the text comes back whole: the proof where the code page can't be asked whether a
// default or a best fit stood in; where it can, it is asked as well.
std::optional<std::string> toExactCodePage(const std::wstring& text, UINT codePage, EmbeddedNul nul,
                                           WideToMultiByte function) {
  if (nul == EmbeddedNul::Refuse && text.find(L'\0') != std::wstring::npos) return std::nullopt;
  const bool plain = takesNoFlags(codePage);
  BOOL usedDefault = FALSE;
  std::string out = convert(text, codePage, plain ? 0 : WC_NO_BEST_FIT_CHARS, plain ? nullptr : &usedDefault, function);
  if (usedDefault || toWide(codePage, out.data(), out.size()) != text) return std::nullopt;
  return out;
}

std::wstring fromAnsi(const char* data, size_t length) { return toWide(CP_ACP, data, length); }
