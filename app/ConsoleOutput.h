#pragma once
#include <string>

// Where a run from a command line writes its lines: the starting console in the program, a
// recorder in tests.
class TextOutput {
 public:
  virtual ~TextOutput() = default;
  virtual void writeLine(const std::wstring& line) = 0;
  // Whether the lines reach anyone: a redirection or a console to write to.
  virtual bool reachesSomeone() = 0;
};

// The program's standard output when the starter redirected it (to a file or pipe), otherwise
// the console of the process that started it, if that has one; else the lines go nowhere.
// Attaches to that console when first asked for, which only a run from a command line does, at
// its start: from then on the program speaks a language that console can show (speakOnConsole).
TextOutput& startingConsole();
