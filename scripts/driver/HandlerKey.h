#pragma once
#include <string>

// The preview handler's key as a stock Windows XP has it, for every test and tool that sets it up.
namespace handler {
constexpr char kPath[] = "SystemFileAssociations\\.avi\\shellex\\PropertyHandler";
// Its default value: the handler's class identifier and the NUL stored with it.
const std::string kClassIdStored = std::string("{87D62D94-71B3-4b9a-9489-5FE6850DC73E}") + '\0';
}  // namespace handler
