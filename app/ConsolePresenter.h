#pragma once
#include <string>

#include "app/MessagePresenter.h"

// Where a run from a command line writes its lines: the starting console in the program, a
// recorder in tests.
class TextOutput {
 public:
  virtual ~TextOutput() = default;
  virtual void writeLine(const std::wstring& line) = 0;
  // Whether the lines reach anyone: a redirection or a console to write to.
  virtual bool reachesSomeone() = 0;
};

// Prints a box's own text instead of showing the box, and remembers how the outcome was told.
class ConsolePresenter final : public MessagePresenter {
 public:
  explicit ConsolePresenter(TextOutput& output) : output_(output) {}
  void show(HWND, const std::wstring& prompt, const std::wstring&, UINT style) override {
    output_.writeLine(prompt);
    (style == kInformationStyle ? successes_ : failures_) += 1;
  }
  // At least one success told, and no failure.
  bool toldSuccess() const { return successes_ > 0 && failures_ == 0; }

 private:
  TextOutput& output_;
  int successes_ = 0, failures_ = 0;
};

// The program's standard output when the starter redirected it (to a file or pipe), otherwise
// the console of the process that started it, if that has one; else the lines go nowhere.
// Attaches to that console at the first line written (or asked whether one is there), never
// before.
TextOutput& startingConsole();
