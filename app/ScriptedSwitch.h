#pragma once
#include "app/CommandLine.h"
#include "app/ConsoleOutput.h"
#include "app/MessagePresenter.h"
#include "registry/RegistryPlatform.h"

// How a run from the command line ends, for the script that started it.
enum ScriptExit : int {
  kExitDone = 0,           // the change made, the state already as asked, "present", or the help
  kExitRefused = 1,        // the change refused, or the computer out of reach
  kExitNotUnderstood = 2,  // the command line, with the usage line
  kExitAbsent = 3,         // "absent"
  // A failure the program did not foresee (an exception nothing caught, memory exhausted): no
  // answer. Never 3, which is also what the C runtime's abort() ends with.
  kExitNoAnswer = 4,
};

// A command line's action (anything but Window) through the switch, without a window: what the
// switch reports is written as lines, and the answer is the exit code. A command line not
// understood, or the help, with nowhere to write, is shown in a message box (`boxes`), where
// someone can see one; otherwise only the exit code tells.
int runScriptedSwitch(const CommandLine& command, RegistryPlatform& registry, TextOutput& output,
                      MessagePresenter& boxes);
