#pragma once
#include "app/ConsolePresenter.h"
#include "app/MessagePresenter.h"

// Answers "/?": the help goes where a script's words go (a redirection, the starting console);
// started where no one reads those (a shortcut), a box shows it. Returns the exit code, 0.
int showCommandLineHelp(TextOutput& output, MessagePresenter& boxes);
