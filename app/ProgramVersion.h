#pragma once
#include <string>

// The program's version numbers, as its version block records them (file version 1.1.0.101).
struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;

  // Read from this program's own version resource; zeros when it has none.
  static ProgramVersion ofThisProgram();
};

// "1.01": the major number, a dot, the minor number with at least two digits.
std::wstring versionText(const ProgramVersion& version);
// "#0101": the revision with at least four digits.
std::wstring buildText(const ProgramVersion& version);
