// The registry object's 64-bit view on the real registry of 64-bit Windows as a 32-bit program
// meets it: the computer's class identifiers (HKEY_LOCAL_MACHINE\Software\Classes\CLSID) are two
// keys there, the one 64-bit programs read and the 32-bit programs' own. Run in a 64-bit Wine prefix.
#include <gtest/gtest.h>

#include "registry/clsRegistry.h"

namespace {
const char kPath[] = "Software\\Classes\\CLSID\\{6F1D2A3B-40C5-4E7D-9A8B-1C2D3E4F5061}";

bool keyIn(REGSAM view) {
  HKEY key = nullptr;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, KEY_QUERY_VALUE | view, &key) == ERROR_SUCCESS && !RegCloseKey(key);
}

TEST(RegistryView64, TheDeleteTakesTheKeyThat64BitProgramsReadAndLeavesThe32BitProgramsOwn) {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) {
    GTEST_SKIP() << "not a 32-bit program on 64-bit Windows: only the i686 build meets two views";
  }
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_WRITE | view, nullptr, &key, nullptr), 0);
    RegCloseKey(key);
  }
  clsRegistry registry;
  registry.View64(true);
  registry.ClassKey(clsRegistry::HKEY_LOCAL_MACHINE_NUMBER);
  registry.SectionKey(std::wstring(kPath, kPath + sizeof kPath - 1));
  EXPECT_TRUE(registry.DeleteKey());
  EXPECT_FALSE(keyIn(KEY_WOW64_64KEY));
  EXPECT_TRUE(keyIn(KEY_WOW64_32KEY));
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPath);  // the 32-bit programs' own
}
}  // namespace
