// The registry object on both registries: keys, typed reads and writes, listing; and on the
// in-memory one, refusals, races and failures at any call.
#include <algorithm>

#include "tests/RegistryBackend.h"

namespace {
using testing_support::errorOf;
using Names = std::vector<std::wstring>;
constexpr int32_t kKeyFailure = 26001;
constexpr int32_t kWriteFailure = -2147194455;

class Registry : public RegistryBackendTest {
 protected:
  int32_t writeError(const Variant& value) { return errorOf([&] { registry.Value(value); }).number(); }
  Variant read(const std::string& name) {
    registry.ValueKey(fromAnsi(name));
    return registry.Value();
  }
  std::vector<BYTE> stored(const std::string& below, const std::string& name) {
    return rawValue(below, name).value_or(MemoryRegistry::StoredValue{}).data;
  }
  Names list(const std::wstring& below, bool values) {
    Names names{L"left over"};
    int32_t count = 7;
    registry.SectionKey(scratch(below));
    EXPECT_TRUE(values ? registry.EnumerateValues(names, count) : registry.EnumerateSections(names, count));
    EXPECT_EQ(static_cast<size_t>(count), names.size());
    if (values) std::sort(names.begin(), names.end());  // value order is the platform's own
    return names;
  }
};
ON_BOTH_REGISTRIES(Registry);

TEST_P(Registry, CreateFindAndDeleteKeysAndValues) {
  registry.SectionKey(scratch(L"A\\B\\C\\"));
  EXPECT_FALSE(registry.KeyExists());
  EXPECT_TRUE(registry.CreateKey());
  registry.SectionKey(scratch(L"a\\b\\c"));
  EXPECT_TRUE(registry.KeyExists());
  putValue("A\\B\\C", "v", REG_SZ, bytesOf("x"));
  putValue("A\\B\\C", "kept", REG_SZ, bytesOf("yes"));
  EXPECT_TRUE(registry.CreateKey());  // an existing key opens; its values stay
  registry.ValueKey(L"v");
  EXPECT_TRUE(registry.DeleteValue());
  EXPECT_FALSE(rawValue("A\\B\\C", "v"));
  EXPECT_EQ(stored("A\\B\\C", "kept"), bytesOf("yes"));
  EXPECT_EQ(errorOf([&] { registry.DeleteValue(); }).number(), kKeyFailure);
  EXPECT_TRUE(registry.DeleteKey());
  EXPECT_FALSE(keyExists("A\\B\\C"));
  EXPECT_TRUE(keyExists("A\\B"));

  registry.SectionKey(scratch(L"Missing"));
  const RegistryError missing = errorOf([&] { registry.DeleteKey(); });
  EXPECT_EQ(missing.number(), kKeyFailure);
  EXPECT_EQ(missing.description(), L"Failed to delete registry Key: '-2147483647',Section: '" + scratch(L"Missing"));
  putKey("Parent\\Child");
  registry.SectionKey(scratch(L"Parent"));
  EXPECT_EQ(errorOf([&] { registry.DeleteKey(); }).number(), kKeyFailure);  // it has a subkey
  EXPECT_TRUE(keyExists("Parent\\Child"));
}

// Text terminated, and expandable when it names a variable; bytes and integers only from their own
// kinds.
TEST_P(Registry, EachKindIsStoredAsItsType) {
  registry.SectionKey(scratch(L"Handler\\"));
  registry.ValueKey(L"v");
  struct { Variant value; int32_t valueType; DWORD stored; const char* data; } cases[] = {
      {L"{87D62D94-71B3-4b9a-9489-5FE6850DC73E}", REG_SZ, REG_SZ, "{87D62D94-71B3-4b9a-9489-5FE6850DC73E}"},
      {L"%windir%\\x", REG_SZ, REG_EXPAND_SZ, "%windir%\\x"}, {L"100%", REG_SZ, REG_SZ, "100%"},
      {L"%%", REG_EXPAND_SZ, REG_SZ, "%%"}, {Variant::longValue(-42), REG_SZ, REG_SZ, "-42"}};
  for (const auto& c : cases) {
    registry.ValueType(c.valueType);
    registry.Value(c.value);
    const auto value = rawValue("Handler", "v").value_or(MemoryRegistry::StoredValue{});
    EXPECT_EQ(value.type, c.stored) << c.data;
    EXPECT_EQ(value.data, bytesOf(c.data)) << c.data;
  }
  registry.Value(Variant::text(std::wstring(L"a\0b", 3)));  // data may hold NULs
  EXPECT_EQ(stored("Handler", "v"), (std::vector<BYTE>{'a', 0, 'b', 0}));
  registry.ValueType(REG_MULTI_SZ);  // no type the object writes
  EXPECT_EQ(writeError(L"data"), kWriteFailure);
  registry.ValueType(REG_BINARY);
  registry.Value(Variant::bytes({0xAB, 0xCD}, 5));  // any lower bound
  EXPECT_EQ(stored("Handler", "v"), (std::vector<BYTE>{0xAB, 0xCD}));
  EXPECT_EQ(writeError(L"text"), kKeyFailure);
  registry.ValueType(REG_DWORD_BIG_ENDIAN);  // stored as a plain 32-bit value
  registry.Value(Variant::integer(-2));
  EXPECT_EQ(stored("Handler", "v"), (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(writeError(Variant::number(1.5)), kWriteFailure);
}

TEST_P(Registry, ReadsGiveEachTypeAsItsKind) {
  SetEnvironmentVariableA("ORVANDEL_VALUE_TEST", "expanded");
  struct { const char* name; DWORD type; std::vector<BYTE> data; Variant read; } cases[] = {
      {"sz", REG_SZ, bytesOf("abc"), L"abc"},
      {"multi", REG_MULTI_SZ, {'x', 0, 'y', 0, 0}, Variant::text({L"x\0y\0", 4})},
      {"expand", REG_EXPAND_SZ, bytesOf("<%ORVANDEL_VALUE_TEST%>"), L"<expanded>"},
      {"dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFE}, Variant::longValue(-16777217)},
      {"big", REG_DWORD_BIG_ENDIAN, {1, 2, 3, 4}, Variant::longValue(0x01020304)},
      {"binary", REG_BINARY, {0, 1, 255}, Variant::bytes({0, 1, 255})},
      {"qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}, Variant::bytes({1, 2, 3, 4, 5, 6, 7, 8})},
      // Text without its terminator keeps its last character; no bytes read as empty text.
      {"unterminated", REG_SZ, bytesOf("ab", false), L"ab"}, {"emptySz", REG_SZ, {}, L""},
      // Only the first four bytes of a longer 32-bit value count.
      {"longBig", REG_DWORD_BIG_ENDIAN, {0, 0, 1, 0, 7, 7}, Variant::longValue(256)}};
  registry.SectionKey(scratch(L"Values"));
  for (const auto& c : cases) {
    putValue("Values", c.name, c.type, c.data);
    registry.ValueType(0);
    EXPECT_EQ(read(c.name), c.read) << c.name;
    EXPECT_EQ(registry.ValueType(), static_cast<int32_t>(c.type)) << c.name;
  }
  registry.ValueType(99);
  EXPECT_TRUE(read("missing").isEmpty());
  registry.Default(L"fallback");
  registry.SectionKey(scratch(L"NoSuchKey"));
  EXPECT_EQ(read("sz"), Variant(L"fallback"));
  EXPECT_EQ(registry.ValueType(), 99);  // nothing found, nothing changed
}

// Another computer named and out of reach, the key operations left on this one: a value is
// written nowhere, this computer's registry included, and reads as the default.
TEST_P(Registry, AValueForAComputerOutOfReachIsRefusedNotWrittenHere) {
  registry.SectionKey(scratch(L"Remote"));
  registry.ValueKey(L"v");
  registry.ValueType(REG_SZ);
  registry.Machine(L"no-such-computer");
  EXPECT_TRUE(registry.CreateKey());
  EXPECT_TRUE(keyExists("Remote"));
  EXPECT_EQ(writeError(L"x"), kWriteFailure);
  EXPECT_FALSE(rawValue("Remote", "v"));
  putValue("Remote", "v", REG_SZ, bytesOf("here"));
  registry.Default(L"unread");
  EXPECT_EQ(registry.Value(), Variant(L"unread"));
}

// Every operation closes the keys it opened: a few hundred of them leave no more held than before.
TEST_P(Registry, EveryOperationClosesWhatItOpens) {
  registry.SectionKey(scratch(L"Held"));
  registry.ValueKey(L"v");
  registry.ValueType(REG_SZ);
  Names names;
  int32_t count = 0;
  const auto operate = [&] {
    EXPECT_TRUE(registry.CreateKey());
    registry.Value(L"x");
    EXPECT_EQ(registry.Value(), Variant(L"x"));
    EXPECT_TRUE(registry.KeyExists());
    EXPECT_TRUE(registry.EnumerateValues(names, count) && registry.EnumerateSections(names, count));
    EXPECT_TRUE(registry.DeleteValue() && registry.DeleteKey());
  };
  operate();  // what the first use opens for good (the roots' own handles) is held before
  const size_t before = heldHandles();
  ASSERT_TRUE(before > 0 || !onRealRegistry()) << "the process's handles can't be counted";
  for (int round = 0; round < 50; ++round) operate();
  EXPECT_EQ(heldHandles(), before);
}

TEST_P(Registry, ListsSubkeysInOrderAndValueNamesWithTheDefault) {
  for (const char* below : {"Parent\\b", "Parent\\A", "Parent\\c\\deeper"}) putKey(below);
  EXPECT_EQ(list(L"Parent", true), Names{});
  EXPECT_EQ(list(L"Parent", false), (Names{L"A", L"b", L"c"}));
  putValue("Parent", "", REG_SZ, bytesOf("default"));
  putValue("Parent", "second", REG_DWORD, {1, 0, 0, 0});
  EXPECT_EQ(list(L"Parent", true), (Names{L"", L"second"}));
  EXPECT_EQ(list(L"Missing", true), Names{});  // earlier names are discarded
  EXPECT_EQ(list(L"Missing", false), Names{});
  putKey("Classy", "SomeClass");  // Windows refuses a key information query with too small a class buffer
  putValue("Classy", "v", REG_SZ, bytesOf("x"));
  EXPECT_EQ(list(L"Classy", true), Names{L"v"});
}

class RegistryFaults : public ::testing::Test {
 protected:
  MemoryRegistry memory;
  clsRegistry registry{memory};
  void SetUp() override {
    registry.ClassKey(clsRegistry::HKEY_CURRENT_USER_NUMBER);
    registry.SectionKey(L"Key\\");
    registry.ValueType(REG_SZ);
  }
  // The n-th call of that operation (counting from 1) does what `act` does.
  void onCall(MemoryRegistry::Op which, int n, std::function<LONG()> act) {
    memory.setHook([which, n, act, calls = 0](MemoryRegistry::Op op, const std::string&) mutable {
      return op == which && ++calls == n ? act() : LONG(ERROR_SUCCESS);
    });
  }
  void refuse(MemoryRegistry::Op refused, LONG code = ERROR_ACCESS_DENIED) {
    memory.setHook([=](MemoryRegistry::Op op, const std::string&) { return op == refused ? code : ERROR_SUCCESS; });
  }
};

TEST_F(RegistryFaults, RefusalsRaiseAndCloseEverything) {
  refuse(MemoryRegistry::Op::Create);
  EXPECT_EQ(errorOf([&] { registry.CreateKey(); }).description(), L"Failed to create registry Key: 'Key\\");
  EXPECT_EQ(errorOf([&] { registry.Value(L"x"); }).number(), kKeyFailure);
  memory.putKey(HKEY_CURRENT_USER, "Key");
  refuse(MemoryRegistry::Op::Open);
  EXPECT_FALSE(registry.KeyExists());  // a key that can't be read counts as absent
  refuse(MemoryRegistry::Op::DeleteKey);
  EXPECT_EQ(errorOf([&] { registry.DeleteKey(); }).number(), kKeyFailure);
  EXPECT_TRUE(memory.keyExists(HKEY_CURRENT_USER, "Key"));
  refuse(MemoryRegistry::Op::SetValue, ERROR_CANTWRITE);
  EXPECT_EQ(errorOf([&] { registry.Value(L"text"); }).description(),
            L"Failed to set registry value Key: '-2147483647',Section: 'Key\\',Key: '' to value: 'text'");
  EXPECT_FALSE(memory.value(HKEY_CURRENT_USER, "Key", ""));
  refuse(MemoryRegistry::Op::DeleteValue);
  EXPECT_EQ(errorOf([&] { registry.DeleteValue(); }).number(), kKeyFailure);
  EXPECT_EQ(memory.openHandles(), 0u);
}

TEST_F(RegistryFaults, AValueChangedBetweenItsSizeAndItsReadIsReadWholeNeverOverrun) {
  registry.Default(L"default");
  // Before every data read (each second query) the value grows to `size` bytes (doubling if 0).
  int queries = 0;
  size_t size = 64, grown = 64;
  memory.setHook([&](MemoryRegistry::Op op, const std::string&) {
    if (op == MemoryRegistry::Op::QueryValue && ++queries % 2 == 0) {
      memory.putValue(HKEY_CURRENT_USER, "Key", "", REG_BINARY, std::vector<BYTE>(size ? size : (grown *= 2), 0xEE));
    }
    return LONG(ERROR_SUCCESS);
  });
  for (const std::vector<BYTE>& before : {std::vector<BYTE>{1, 2}, std::vector<BYTE>{}}) {
    memory.putValue(HKEY_CURRENT_USER, "Key", "", REG_SZ, before);
    queries = 0;
    EXPECT_EQ(registry.Value(), Variant::bytes(std::vector<uint8_t>(64, 0xEE)));
    EXPECT_EQ(registry.ValueType(), REG_BINARY);  // the type of the bytes read
    EXPECT_EQ(queries, 4);
  }
  size = 0;
  EXPECT_EQ(registry.Value(), Variant(L"default"));  // it never settles
  EXPECT_EQ(memory.openHandles(), 0u);
}

TEST_F(RegistryFaults, ListingStopsAtARefusalAndTakesNamesAddedMeanwhile) {
  Names names;
  int32_t count = 0;
  for (const char* name : {"a", "b", "c"}) {
    memory.putKey(HKEY_CURRENT_USER, std::string("Key\\") + name);
    memory.putValue(HKEY_CURRENT_USER, "Key", name, REG_SZ, bytesOf(""));
  }
  onCall(MemoryRegistry::Op::EnumKey, 3, [] { return LONG(ERROR_ACCESS_DENIED); });
  EXPECT_TRUE(registry.EnumerateSections(names, count));
  EXPECT_EQ(names, (Names{L"a", L"b"}));
  onCall(MemoryRegistry::Op::QueryInfo, 1, [] { return LONG(ERROR_ACCESS_DENIED); });
  EXPECT_TRUE(registry.EnumerateValues(names, count));
  EXPECT_TRUE(names.empty());
  // A name longer than the key reported, added by someone else after the longest was asked for.
  onCall(MemoryRegistry::Op::EnumValue, 1, [&] {
    memory.putValue(HKEY_CURRENT_USER, "Key", std::string(300, 'z'), REG_SZ, bytesOf(""));
    return LONG(ERROR_SUCCESS);
  });
  EXPECT_TRUE(registry.EnumerateValues(names, count));
  EXPECT_EQ(names, (Names{L"a", L"b", L"c", std::wstring(300, L'z')}));

  EXPECT_EQ(memory.openHandles(), 0u);
}
}  // namespace
