#pragma once
#include <windows.h>

#include <string>

// Style codes of the program's message boxes: one OK button and an icon.
constexpr UINT kInformationStyle = 64;  // MB_ICONINFORMATION | MB_OK
constexpr UINT kExclamationStyle = 48;  // MB_ICONEXCLAMATION | MB_OK
extern const wchar_t kApplicationTitle[];

// Where the program reports outcomes: a modal message box in the program, a recorder in tests.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  virtual void show(HWND owner, const std::wstring& prompt, const std::wstring& caption, UINT style) = 0;
  // Whether anyone can see a box: not in a service or a scheduled task that runs whether or not
  // someone is logged on, where a box nobody can answer would hold the program for ever.
  virtual bool seenBySomeone() = 0;
};

// The platform's message box, through its ANSI entry like every other system call here.
MessagePresenter& systemMessageBox();
