#pragma once
#include <windows.h>

#include <optional>
#include <string>

// The registry and the shell are called through their ANSI ("A") entry points; text is Unicode
// inside the program and crosses into the system's ANSI code page only at those calls.

// Every character converted, unknown ones replaced by the code page's default character.
std::string toAnsi(const std::wstring& text);

enum class EmbeddedNul { Refuse, Keep };

// The exact ANSI form, or nothing when a character has none. A name or path must also hold no
// NUL (the call would see only its first part, another key or value than the one it names);
// value data may keep them.
std::optional<std::string> toExactAnsi(const std::wstring& text, EmbeddedNul nul = EmbeddedNul::Refuse);

// The same in a given code page, through a given conversion: the system's in the program; tests
// hand in one that holds each code page to what Windows accepts of it (Wine accepts more).
using WideToMultiByte = int(WINAPI*)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);
std::optional<std::string> toExactCodePage(const std::wstring& text, UINT codePage, EmbeddedNul nul,
                                           WideToMultiByte convert = &WideCharToMultiByte);

std::wstring fromAnsi(const char* data, size_t length);
inline std::wstring fromAnsi(const std::string& text) { return fromAnsi(text.data(), text.size()); }
