#include "app/CommandHelp.h"

#include "app/CommandLine.h"

int showCommandLineHelp(TextOutput& output, MessagePresenter& boxes) {
  const std::vector<std::wstring> lines = commandLineHelp();
  if (output.reachesSomeone()) {
    for (const std::wstring& line : lines) output.writeLine(line);
  } else {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    boxes.show(nullptr, text, kApplicationTitle, kInformationStyle);
  }
  return 0;
}
