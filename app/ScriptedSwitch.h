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
};

// A command line's action (anything but Window) through the switch, without a window: what the
// switch reports is written as lines, and the answer is the exit code. A command line not
// understood, with nowhere to write, is told in a message box (`boxes`).
int runScriptedSwitch(const CommandLine& command, RegistryPlatform& registry, TextOutput& output,
                      MessagePresenter& boxes);
