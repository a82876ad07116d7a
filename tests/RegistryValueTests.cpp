// Typed reads and writes on both registries; races and remote roots on the in-memory one.
#include "base/AnsiText.h"
#include "tests/RegistryErrorOf.h"
#include "tests/RegistryScratch.h"

namespace {
const std::vector<BYTE> kMulti = {'x', 0, 'y', 0, 0};

class RegistryValues : public RegistryBackendTest {
 protected:
  void SetUp() override {
    RegistryBackendTest::SetUp();
    registry.SectionKey(scratch(L"Values"));
  }
  Variant read(const wchar_t* name) {
    registry.ValueKey(name);
    return registry.Value();
  }
  std::vector<BYTE> stored(const wchar_t* name) {
    return rawValue("Values", toAnsi(name)).value_or(MemoryRegistry::StoredValue{}).data;
  }
};
ON_BOTH_REGISTRIES(RegistryValues);

TEST_P(RegistryValues, ReadsGiveTheStoredBytesAndWritingBackKeepsThem) {
  if (onRealRegistry()) SetEnvironmentVariableA("ORVANDEL_VALUE_TEST", "expanded");
  else memory().setEnvironment("ORVANDEL_VALUE_TEST", "expanded");
  const std::vector<BYTE> same;  // the bytes after the write-back: the same, or these
  struct { const wchar_t* name; DWORD type; std::vector<BYTE> data; Variant read; DWORD rewritten; std::vector<BYTE> after; } cases[] = {
      {L"sz", REG_SZ, bytesOf("abc"), L"abc", REG_SZ, same},
      {L"multi", REG_MULTI_SZ, kMulti, Variant::text({L"x\0y\0", 4}), REG_SZ, same},
      {L"expand", REG_EXPAND_SZ, bytesOf("<%ORVANDEL_VALUE_TEST%>"), L"<expanded>", REG_SZ, bytesOf("<expanded>")},
      {L"unknown", REG_EXPAND_SZ, bytesOf("%NO_SUCH_ORVANDEL_VAR%"), L"%NO_SUCH_ORVANDEL_VAR%", REG_EXPAND_SZ, same},
      {L"dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFE}, Variant::longValue(-16777217), REG_DWORD, same},
      {L"big", REG_DWORD_BIG_ENDIAN, {1, 2, 3, 4}, Variant::longValue(0x01020304), REG_DWORD, {4, 3, 2, 1}},
      {L"none", REG_NONE, {1, 2}, Variant::bytes({1, 2}), REG_BINARY, same},
      {L"binary", REG_BINARY, {0, 1, 255}, Variant::bytes({0, 1, 255}), REG_BINARY, same},
      {L"nothing", REG_BINARY, {}, Variant::bytes(std::vector<uint8_t>{}), REG_BINARY, same},
      {L"link", REG_LINK, {9, 8}, Variant::bytes({9, 8}), REG_BINARY, same},
      {L"list", REG_RESOURCE_LIST, {7, 7}, Variant::bytes({7, 7}), REG_BINARY, same},
      {L"full", 9, {6, 6}, Variant::bytes({6, 6}), REG_BINARY, same},
      {L"needs", 10, {5, 4}, Variant::bytes({5, 4}), REG_BINARY, same},
      {L"qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}, Variant::bytes({1, 2, 3, 4, 5, 6, 7, 8}), REG_BINARY, same},
      // Text without its terminator keeps its last character; no bytes read as empty text.
      {L"unterminated", REG_SZ, bytesOf("ab", false), L"ab", REG_SZ, bytesOf("ab")},
      {L"emptySz", REG_SZ, {}, L"", REG_SZ, {0}}, {L"emptyExpand", REG_EXPAND_SZ, {}, L"", REG_SZ, {0}},
      {L"emptyMulti", REG_MULTI_SZ, {}, L"", REG_SZ, {0}},
      // Only the first four bytes of a longer 32-bit value count.
      {L"longDword", REG_DWORD, {1, 0, 0, 0, 5, 5, 5, 5}, Variant::longValue(1), REG_DWORD, {1, 0, 0, 0}},
      {L"longBig", REG_DWORD_BIG_ENDIAN, {0, 0, 1, 0, 7, 7}, Variant::longValue(256), REG_DWORD, {0, 1, 0, 0}}};
  for (const auto& c : cases) putValue("Values", toAnsi(c.name), c.type, c.data);
  for (const auto& c : cases) {
    SCOPED_TRACE(toAnsi(c.name));
    registry.ValueType(0);
    const Variant value = read(c.name);
    EXPECT_EQ(value, c.read);
    EXPECT_EQ(registry.ValueType(), static_cast<int32_t>(c.type));
    // Written back as the kind it was read as: text, a 32-bit integer or bytes.
    registry.ValueType(value.kind() == VariantKind::ByteArray ? REG_BINARY
                       : value.kind() == VariantKind::Long    ? REG_DWORD
                       : c.type == REG_EXPAND_SZ              ? REG_EXPAND_SZ : REG_SZ);
    registry.Value(value);
    const auto after = rawValue("Values", toAnsi(c.name));
    ASSERT_TRUE(after);
    EXPECT_EQ(after->type, c.rewritten);
    EXPECT_EQ(after->data, c.after.empty() ? c.data : c.after);
  }
  registry.ValueType(99);
  EXPECT_TRUE(read(L"missing").isEmpty());
  registry.Default(L"fallback");
  registry.SectionKey(scratch(L"NoSuchKey"));
  EXPECT_EQ(read(L"sz"), Variant(L"fallback"));
  EXPECT_EQ(registry.ValueType(), 99);  // nothing found, nothing changed
}

TEST_P(RegistryValues, BytesAndIntegersAreStoredOnlyFromTheirOwnKinds) {
  registry.ValueKey(L"v");
  registry.ValueType(REG_BINARY);
  registry.Value(Variant::bytes({0xAB, 0xCD}, 5));  // any lower bound
  EXPECT_EQ(stored(L"v"), (std::vector<BYTE>{0xAB, 0xCD}));
  EXPECT_EQ(registryErrorOf([&] { registry.Value(L"text"); }).number(), 26001);
  registry.ValueType(REG_DWORD_BIG_ENDIAN);
  registry.Value(Variant::integer(-2));
  EXPECT_EQ(stored(L"v"), (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));
  for (int32_t type : {REG_DWORD, REG_DWORD_BIG_ENDIAN}) {
    for (const Variant& other : {Variant::number(1.5), Variant::boolean(true), Variant::byte(1), Variant(L"7")}) {
      registry.ValueType(type);
      EXPECT_EQ(registryErrorOf([&] { registry.Value(other); }).number(), -2147194455);
    }
  }
  EXPECT_EQ(stored(L"v"), (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));

  // ValueEx: an empty REG_SZ write gives way to the default.
  registry.ValueEx(kRoot, scratch(L"Values"), L"a", REG_SZ, L"fallback", L"");
  registry.ValueEx(kRoot, scratch(L"Values"), L"b", REG_EXPAND_SZ, L"fallback", L"");
  EXPECT_EQ(stored(L"a"), bytesOf("fallback"));
  EXPECT_EQ(stored(L"b"), bytesOf(""));
  EXPECT_EQ(registry.ValueEx(kRoot, scratch(L"Values"), L"c", 0, Variant::longValue(5)), Variant::longValue(5));
}

TEST(RegistryValueRaces, AGrowingValueIsReadWholeNeverOverrunAndRemoteRootsAreClosed) {
  MemoryRegistry memory;
  clsRegistry registry{memory};
  registry.ClassKey(clsRegistry::HKEY_CURRENT_USER_NUMBER);
  registry.SectionKey(L"Key");
  registry.ValueKey(L"v");
  registry.Default(L"default");
  // Before every data read (each second query) the value grows to `size` bytes (doubling if 0).
  int queries = 0;
  size_t size = 64, grown = 64;
  memory.setHook([&](MemoryRegistry::Op op, const std::string&) {
    if (op == MemoryRegistry::Op::QueryValue && ++queries % 2 == 0) {
      memory.putValue(HKEY_CURRENT_USER, "Key", "v", REG_BINARY, std::vector<BYTE>(size ? size : (grown *= 2), 0xEE));
    }
    return LONG(ERROR_SUCCESS);
  });
  for (const std::vector<BYTE>& before : {std::vector<BYTE>{1, 2}, std::vector<BYTE>{}}) {
    memory.putValue(HKEY_CURRENT_USER, "Key", "v", REG_BINARY, before);
    queries = 0;
    EXPECT_EQ(registry.Value(), Variant::bytes(std::vector<uint8_t>(64, 0xEE)));
    EXPECT_EQ(queries, 4);
  }
  size = 0;
  EXPECT_EQ(registry.Value(), Variant(L"default"));  // it never settles

  memory.setHook({});
  memory.putValue(HKEY_CURRENT_USER, "Key", "v", REG_SZ, bytesOf("here"));
  registry.Machine(L"elsewhere");
  EXPECT_EQ(registry.Value(), Variant(L"default"));  // not reachable
  memory.addReachableMachine("\\\\elsewhere");
  EXPECT_EQ(registry.Value(), Variant(L"here"));
  registry.ValueType(REG_SZ);
  registry.Value(Variant(L"remote"));
  EXPECT_EQ(memory.value(HKEY_CURRENT_USER, "Key", "v")->data, bytesOf("remote"));
  EXPECT_EQ(memory.openHandles(), 0u);
}
}  // namespace
