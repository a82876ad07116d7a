// What the registry object relies on of the platform, on the real and the in-memory registry
// alike, so the in-memory one is known to answer as the real one does.
#include <algorithm>
#include <cstring>

#include "tests/RegistryBackend.h"

namespace {
class RegistryConformance : public RegistryBackendTest {
 protected:
  LONG remove(const std::string& below) { return platform().deleteKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str(), 0); }
};
ON_BOTH_REGISTRIES(RegistryConformance);

TEST_P(RegistryConformance, KeysAndTheAccessOfHandles) {
  putKey("Trailing\\");
  EXPECT_TRUE(keyExists("TRAILING\\"));  // without regard to case
  EXPECT_TRUE(keyExists("Trailing\\\\"));  // empty parts count for nothing
  EXPECT_EQ(remove("trailing\\"), ERROR_SUCCESS);
  EXPECT_FALSE(keyExists("Trailing"));
  putKey("Parent\\Child");
  EXPECT_EQ(remove("Parent"), ERROR_ACCESS_DENIED);  // a key with a subkey stays
  EXPECT_TRUE(keyExists("Parent\\Child"));
  EXPECT_EQ(remove("Missing"), ERROR_FILE_NOT_FOUND);

  putValue("Key", "v", REG_SZ, bytesOf("x"));
  HKEY readOnly = open("Key", KEY_QUERY_VALUE), enumOnly = open("Key", KEY_ENUMERATE_SUB_KEYS);
  ASSERT_TRUE(readOnly && enumOnly);
  char name[8];
  DWORD type = 0, size = 0;
  EXPECT_EQ(platform().setValue(readOnly, "v", REG_SZ, bytesOf("y").data(), 2), ERROR_ACCESS_DENIED);
  EXPECT_EQ(platform().deleteValue(readOnly, "v"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(platform().enumKey(readOnly, 0, name, sizeof name), ERROR_ACCESS_DENIED);
  EXPECT_EQ(platform().queryValue(enumOnly, "v", &type, nullptr, &size), ERROR_ACCESS_DENIED);
  platform().closeKey(enumOnly);
  platform().closeKey(readOnly);
  HKEY remote = nullptr;
  EXPECT_EQ(platform().connectRegistry("\\\\no-such-computer", HKEY_LOCAL_MACHINE, &remote), ERROR_BAD_NETPATH);

  // A key the account may not read is there all the same: it opens for nothing more, and goes.
  putValue("Locked", "", REG_SZ, bytesOf("x"));
  lockKey("Locked", true);
  EXPECT_EQ(open("Locked"), nullptr);
  HKEY opened = nullptr;
  EXPECT_EQ(platform().createKey(HKEY_CURRENT_USER, scratchAnsi("Locked").c_str(), "", 0, 0x3F, nullptr, &opened, nullptr),
            ERROR_ACCESS_DENIED);
  ASSERT_TRUE(opened = open("Locked", 0));
  platform().closeKey(opened);
  EXPECT_EQ(remove("Locked"), ERROR_SUCCESS);
  putKey("Relocked");
  lockKey("Relocked", true);
  lockKey("Relocked", false);
  EXPECT_TRUE(keyExists("Relocked"));
}

TEST_P(RegistryConformance, EnumerationWalksIndicesUntilNoMoreItems) {
  for (const char* below : {"Parent\\b", "Parent\\A", "Parent\\c"}) putKey(below);
  putValue("Parent", "", REG_SZ, bytesOf("default"));
  putValue("Parent", "longer", REG_SZ, bytesOf("x"));
  HKEY key = open("Parent", KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS);
  ASSERT_TRUE(key);
  char name[300];
  std::vector<std::string> seen;
  for (DWORD i = 0; platform().enumKey(key, i, name, 2) == ERROR_SUCCESS; ++i) seen.emplace_back(name);
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "b", "c"}));  // sorted; the buffer size counts the terminator
  EXPECT_EQ(platform().enumKey(key, 3, name, 2), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(platform().enumKey(key, 0, name, 1), ERROR_MORE_DATA);

  DWORD longest = 0;
  ASSERT_EQ(platform().queryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr), 0);
  EXPECT_EQ(longest, 6u);
  std::vector<std::string> values;
  for (DWORD size = longest + 1; platform().enumValue(key, values.size(), name, &size) == ERROR_SUCCESS; size = longest + 1) {
    EXPECT_EQ(size, std::strlen(name));
    values.emplace_back(name);
  }
  std::sort(values.begin(), values.end());  // value order is the platform's own
  EXPECT_EQ(values, (std::vector<std::string>{"", "longer"}));
  platform().closeKey(key);
}
}  // namespace
