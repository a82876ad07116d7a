#pragma once
#include <string>

// The preview handler's key as a stock Windows XP has it, for every test and tool that sets it up.
namespace handler {
constexpr char kPath[] = "SystemFileAssociations\\.avi\\shellex\\PropertyHandler";
// Where it is registered, below HKEY_CURRENT_USER (the user's classes) or HKEY_LOCAL_MACHINE (the
// computer's, where a stock Windows has it); and the copy of the computer's classes that 64-bit
// Windows XP and Vista show a 32-bit program.
const std::string kInClasses = std::string("Software\\Classes\\") + kPath;
const std::string kInRedirectedClasses = std::string("Software\\Wow6432Node\\Classes\\") + kPath;
// Its default value: the handler's class identifier, and with the NUL stored with it.
constexpr char kClassId[] = "{87D62D94-71B3-4b9a-9489-5FE6850DC73E}";
const std::string kClassIdStored = std::string(kClassId) + '\0';
}  // namespace handler
