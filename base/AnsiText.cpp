#include "base/AnsiText.h"

#include <windows.h>

namespace {
std::string convert(const std::wstring& text, DWORD flags, BOOL* usedDefault) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, usedDefault);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), length, out.data(), size, nullptr, usedDefault);
  return out;
}
}  // namespace

std::string toAnsi(const std::wstring& text) { return convert(text, 0, nullptr); }

std::optional<std::string> toExactAnsi(const std::wstring& text, EmbeddedNul nul) {
  if (nul == EmbeddedNul::Refuse && text.find(L'\0') != std::wstring::npos) return std::nullopt;
  BOOL usedDefault = FALSE;
  std::string out = convert(text, WC_NO_BEST_FIT_CHARS, &usedDefault);
  if (usedDefault || fromAnsi(out) != text) return std::nullopt;
  return out;
}

std::wstring fromAnsi(const char* data, size_t length) {
  if (length == 0) return {};
  const int count = static_cast<int>(length);
  const int size = MultiByteToWideChar(CP_ACP, 0, data, count, nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, data, count, out.data(), size);
  return out;
}
