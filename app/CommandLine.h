#pragma once
#include <string>
#include <vector>

// What the program was asked to do from a command line: nothing given opens the window; a switch
// action runs without one; "/?" asks for the help (commandLineHelp).
struct CommandLine {
  enum class Action { Window, Status, Remove, Restore, Help, NotUnderstood };
  Action action = Action::Window;
  std::wstring machine;  // "\\name", or empty for this computer
  std::wstring problem;  // what was not understood, for NotUnderstood, in the program's language
};

// The usage line, in the program's language.
std::wstring commandLineUsage();

// What "/?" prints: what the program does, the usage, each switch and the exit codes, in the
// program's language; one line a string.
std::vector<std::wstring> commandLineHelp();

// The arguments after the program's name. Switches start with "/" or "-", in any letter case;
// arguments without any switch (a file dropped on the program) open the window as none do.
CommandLine parseCommandLine(const std::vector<std::wstring>& arguments);

// This process's arguments, split as the shell splits a command line, without the program's name.
std::vector<std::wstring> programArguments();
