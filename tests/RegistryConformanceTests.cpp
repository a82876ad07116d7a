// What the registry object relies on of the platform, on the real and the in-memory registry
// alike, so the in-memory one is known to answer as the real one does.
#include <algorithm>
#include <cstring>

#include "tests/RegistryScratch.h"

namespace {
class RegistryConformance : public RegistryBackendTest {
 protected:
  HKEY open(const std::string& below, REGSAM access) {
    HKEY key = nullptr;
    EXPECT_EQ(platform().openKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str(), 0, access, &key), ERROR_SUCCESS);
    return key;
  }
  LONG remove(const std::string& below) { return platform().deleteKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str()); }
};
ON_BOTH_REGISTRIES(RegistryConformance);

TEST_P(RegistryConformance, KeysAndTheAccessOfHandles) {
  putKey("Trailing\\");
  EXPECT_TRUE(keyExists("TRAILING\\"));  // without regard to case
  EXPECT_EQ(remove("trailing\\"), ERROR_SUCCESS);
  EXPECT_FALSE(keyExists("Trailing"));
  putKey("Parent\\Child");
  EXPECT_EQ(remove("Parent"), ERROR_ACCESS_DENIED);  // a key with a subkey stays
  EXPECT_TRUE(keyExists("Parent\\Child"));
  EXPECT_EQ(remove("Missing"), ERROR_FILE_NOT_FOUND);

  putValue("Key", "v", REG_SZ, bytesOf("x"));
  HKEY readOnly = open("Key", KEY_QUERY_VALUE), enumOnly = open("Key", KEY_ENUMERATE_SUB_KEYS);
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
}

TEST_P(RegistryConformance, ValueQueriesReportTypeAndSize) {
  putValue("Key", "text", REG_SZ, bytesOf("xyz"));
  putValue("Key", "empty", REG_SZ, {});
  putValue("Key", "raw", REG_BINARY, {1, 2, 3});
  HKEY key = open("Key", 0x3F);
  // The byte after the data is no NUL: nothing may terminate the text on the way in.
  ASSERT_EQ(platform().setValue(key, "unterminated", REG_SZ, reinterpret_cast<const BYTE*>("abX"), 2), ERROR_SUCCESS);
  struct { const char* name; DWORD type, size; } cases[] = {
      {"text", REG_SZ, 4}, {"unterminated", REG_SZ, 2}, {"empty", REG_SZ, 0}, {"raw", REG_BINARY, 3}};
  for (const auto& c : cases) {
    DWORD type = 0, size = 0;
    EXPECT_EQ(platform().queryValue(key, c.name, &type, nullptr, &size), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(size, c.size) << c.name;
  }
  BYTE buffer[8] = {};
  DWORD size = 2, type = 0;
  EXPECT_EQ(platform().queryValue(key, "text", &type, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u);
  size = sizeof buffer;
  EXPECT_EQ(platform().queryValue(key, "unterminated", &type, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::memcmp(buffer, "ab", size), 0);
  EXPECT_EQ(platform().queryValue(key, "missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  platform().closeKey(key);
}

TEST_P(RegistryConformance, EnumerationWalksIndicesUntilNoMoreItems) {
  for (const char* below : {"Parent\\b", "Parent\\A", "Parent\\c"}) putKey(below);
  putValue("Parent", "", REG_SZ, bytesOf("default"));
  putValue("Parent", "longer", REG_SZ, bytesOf("x"));
  HKEY key = open("Parent", KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS);
  char name[300];
  std::vector<std::string> seen;
  std::vector<LONG> results;
  for (DWORD i = 0; i < 4; ++i) {  // sorted; the buffer size counts the terminator
    results.push_back(platform().enumKey(key, i, name, 2));
    if (results.back() == ERROR_SUCCESS) seen.emplace_back(name);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(results, (std::vector<LONG>{0, 0, 0, ERROR_NO_MORE_ITEMS}));
  EXPECT_EQ(platform().enumKey(key, 0, name, 1), ERROR_MORE_DATA);

  DWORD longest = 0;
  ASSERT_EQ(platform().queryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr), 0);
  EXPECT_EQ(longest, 6u);
  std::vector<std::string> values;
  for (DWORD size = longest + 1; platform().enumValue(key, values.size(), name, &size) == ERROR_SUCCESS; size = longest + 1) {
    EXPECT_EQ(size, std::strlen(name));
    values.emplace_back(name);
  }
  DWORD small = 3;
  EXPECT_EQ(platform().enumValue(key, values[0].empty() ? 1 : 0, name, &small), ERROR_MORE_DATA);
  std::sort(values.begin(), values.end());  // value order is the platform's own
  EXPECT_EQ(values, (std::vector<std::string>{"", "longer"}));
  platform().closeKey(key);
}

TEST_P(RegistryConformance, EnvironmentExpansionReportsTheSizeNeeded) {
  if (onRealRegistry()) SetEnvironmentVariableA("ORVANDEL_TEST_VAR", "value");
  else memory().setEnvironment("ORVANDEL_TEST_VAR", "value");
  const char* text = "<%ORVANDEL_TEST_VAR%> %NO_SUCH_VARIABLE_HERE%";
  const DWORD needed = platform().expandEnvironmentStrings(text, nullptr, 0);
  std::string buffer(needed, '\0');
  EXPECT_EQ(platform().expandEnvironmentStrings(text, buffer.data(), needed), needed);
  EXPECT_EQ(buffer, std::string("<value> %NO_SUCH_VARIABLE_HERE%") + '\0');
}
}  // namespace
