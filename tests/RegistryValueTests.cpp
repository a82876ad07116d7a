// Typed reads and writes on both registries; races and remote roots on the in-memory one.
#include "registry/AnsiText.h"
#include "tests/RegistryErrorOf.h"
#include "tests/RegistryScratch.h"

namespace {
const std::vector<BYTE> kMulti = {'x', 0, 'y', 0, 0};

class RegistryValues : public RegistryBackendTest {
 protected:
  clsRegistry registry{systemRegistry()};
  void SetUp() override {
    RegistryBackendTest::SetUp();
    registry = makeRegistry();
    registry.ClassKey(kRoot);
    registry.SectionKey(scratch(L"Values"));
  }
  Variant read(const wchar_t* name) {
    registry.ValueKey(name);
    return registry.Value();
  }
};
ON_BOTH_REGISTRIES(RegistryValues);

TEST_P(RegistryValues, ReadGivesTheKindOfTheStoredTypeAndExactlyItsBytes) {
  if (onRealRegistry()) SetEnvironmentVariableA("ORVANDEL_VALUE_TEST", "expanded");
  else memory().setEnvironment("ORVANDEL_VALUE_TEST", "expanded");
  struct { const wchar_t* name; DWORD type; std::vector<BYTE> data; Variant expected; } cases[] = {
      {L"sz", REG_SZ, bytesOf("abc"), L"abc"},
      {L"multi", REG_MULTI_SZ, kMulti, Variant::text(std::wstring(L"x\0y\0", 4))},
      {L"expand", REG_EXPAND_SZ, bytesOf("<%ORVANDEL_VALUE_TEST%>"), L"<expanded>"},
      {L"dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, Variant::longValue(-1)},
      {L"big", REG_DWORD_BIG_ENDIAN, {0, 0, 1, 0}, Variant::longValue(256)},
      {L"binary", REG_BINARY, {1, 2, 3}, Variant::bytes({1, 2, 3})},
      {L"nothing", REG_BINARY, {}, Variant::bytes(std::vector<uint8_t>{})},
      {L"link", REG_LINK, {9, 8}, Variant::bytes({9, 8})},
      {L"unterminated", REG_SZ, bytesOf("ab", false), L"ab"},  // keeps its last character
      {L"emptySz", REG_SZ, {}, L""}, {L"emptyExpand", REG_EXPAND_SZ, {}, L""}, {L"emptyMulti", REG_MULTI_SZ, {}, L""},
      {L"longDword", REG_DWORD, {1, 0, 0, 0, 5, 5, 5, 5}, Variant::longValue(1)},  // only four bytes count
      {L"longBig", REG_DWORD_BIG_ENDIAN, {0, 0, 1, 0, 7, 7}, Variant::longValue(256)}};
  for (const auto& c : cases) putValue("Values", toAnsi(c.name), c.type, c.data);
  for (const auto& c : cases) {
    registry.ValueType(0);
    EXPECT_EQ(read(c.name), c.expected) << toAnsi(c.name);
    EXPECT_EQ(registry.ValueType(), static_cast<int32_t>(c.type)) << toAnsi(c.name);
  }

  registry.ValueType(99);
  EXPECT_TRUE(read(L"missing").isEmpty());
  registry.Default(L"fallback");
  EXPECT_EQ(read(L"missing"), Variant(L"fallback"));
  registry.SectionKey(scratch(L"NoSuchKey"));
  EXPECT_EQ(read(L"sz"), Variant(L"fallback"));
  EXPECT_EQ(registry.ValueType(), 99);  // nothing found, nothing changed
}

TEST_P(RegistryValues, ReadingAndWritingBackKeepsTheStoredBytes) {
  struct { const wchar_t* name; DWORD type; std::vector<BYTE> data; DWORD rewritten; } cases[] = {
      {L"none", REG_NONE, {1, 2}, REG_BINARY}, {L"sz", REG_SZ, bytesOf("text"), REG_SZ},
      {L"expand", REG_EXPAND_SZ, bytesOf("%NO_SUCH_ORVANDEL_VARIABLE%"), REG_EXPAND_SZ},
      {L"binary", REG_BINARY, {0, 1, 255}, REG_BINARY}, {L"empty", REG_BINARY, {}, REG_BINARY},
      {L"dword", REG_DWORD, {1, 2, 3, 4}, REG_DWORD}, {L"link", REG_LINK, {5, 6}, REG_BINARY},
      {L"multi", REG_MULTI_SZ, kMulti, REG_SZ}, {L"list", REG_RESOURCE_LIST, {7}, REG_BINARY},
      {L"qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}, REG_BINARY}};
  for (const auto& c : cases) putValue("Values", toAnsi(c.name), c.type, c.data);
  for (const auto& c : cases) {
    const Variant value = read(c.name);
    // Written back as the kind it was read as: text, a 32-bit integer or bytes.
    registry.ValueType(value.kind() == VariantKind::ByteArray ? REG_BINARY
                       : value.kind() == VariantKind::Long    ? REG_DWORD
                       : registry.ValueType() == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ);
    registry.Value(value);
    const auto stored = rawValue("Values", toAnsi(c.name));
    ASSERT_TRUE(stored) << toAnsi(c.name);
    EXPECT_EQ(stored->data, c.data) << toAnsi(c.name);
    EXPECT_EQ(stored->type, c.rewritten) << toAnsi(c.name);
  }
  // A big-endian number comes back as the same number, stored least significant byte first.
  putValue("Values", "big", REG_DWORD_BIG_ENDIAN, {1, 2, 3, 4});
  registry.Value(read(L"big"));
  EXPECT_EQ(rawValue("Values", "big")->data, (std::vector<BYTE>{4, 3, 2, 1}));
  EXPECT_EQ(read(L"big"), Variant::longValue(0x01020304));
}

TEST_P(RegistryValues, BytesAndIntegersAreStoredOnlyFromTheirOwnKinds) {
  registry.ValueKey(L"v");
  registry.ValueType(REG_BINARY);
  registry.Value(Variant::bytes({0xAB, 0xCD}, 5));  // any lower bound
  EXPECT_EQ(rawValue("Values", "v")->data, (std::vector<BYTE>{0xAB, 0xCD}));
  EXPECT_EQ(registryErrorOf([&] { registry.Value(L"text"); }).number(), 26001);

  registry.ValueType(REG_DWORD_BIG_ENDIAN);
  registry.Value(Variant::integer(-2));
  EXPECT_EQ(rawValue("Values", "v")->data, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(rawValue("Values", "v")->type, static_cast<DWORD>(REG_DWORD));
  for (int32_t type : {REG_DWORD, REG_DWORD_BIG_ENDIAN}) {
    registry.ValueType(type);
    for (const Variant& other : {Variant::number(1.5), Variant::boolean(true), Variant::byte(1), Variant(L"7")}) {
      EXPECT_EQ(registryErrorOf([&] { registry.Value(other); }).number(), -2147194455);
    }
  }
  EXPECT_EQ(rawValue("Values", "v")->data, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_P(RegistryValues, ValueExAddressesInOneCall) {
  clsRegistry other = makeRegistry();
  other.ValueEx(kRoot, scratch(L"Ex"), L"a", REG_SZ, L"fallback", L"");
  EXPECT_EQ(rawValue("Ex", "a")->data, bytesOf("fallback"));  // empty text gives way to the default
  other.ValueEx(kRoot, scratch(L"Ex"), L"b", REG_EXPAND_SZ, L"fallback", L"");
  EXPECT_EQ(rawValue("Ex", "b")->data, bytesOf(""));
  EXPECT_EQ(other.ValueEx(kRoot, scratch(L"Ex"), L"missing", REG_BINARY, Variant::longValue(5)), Variant::longValue(5));
  EXPECT_EQ(other.ValueEx(kRoot, scratch(L"Ex"), L"a", 0, Variant()), Variant(L"fallback"));
}

class RegistryValueRaces : public ::testing::Test {
 protected:
  MemoryRegistry memory;
  clsRegistry registry{memory};
  int queries = 0;
  void SetUp() override {
    registry.ClassKey(clsRegistry::HKEY_CURRENT_USER_NUMBER);
    registry.SectionKey(L"Key");
    registry.ValueKey(L"v");
    registry.Default(L"default");
  }
  // Before every data read (each second query) the value takes the bytes grow() gives.
  void growBeforeEachRead(std::function<std::vector<BYTE>()> grow) {
    memory.setHook([this, grow](MemoryRegistry::Op op, const std::string&) {
      if (op == MemoryRegistry::Op::QueryValue && ++queries % 2 == 0) {
        memory.putValue(HKEY_CURRENT_USER, "Key", "v", REG_BINARY, grow());
      }
      return LONG(ERROR_SUCCESS);
    });
  }
};

TEST_F(RegistryValueRaces, AValueThatGrowsBeforeTheReadIsReadWholeNeverOverrun) {
  for (const std::vector<BYTE>& before : {std::vector<BYTE>{1, 2}, std::vector<BYTE>{}}) {
    memory.putValue(HKEY_CURRENT_USER, "Key", "v", REG_BINARY, before);
    queries = 0;
    growBeforeEachRead([] { return std::vector<BYTE>(64, 0xEE); });
    EXPECT_EQ(registry.Value(), Variant::bytes(std::vector<uint8_t>(64, 0xEE)));
    EXPECT_EQ(queries, 4);
  }
  std::vector<BYTE> endless(64, 7);  // twice as large before every read: it never settles
  growBeforeEachRead([&] { endless.resize(endless.size() * 2, 7); return endless; });
  EXPECT_EQ(registry.Value(), Variant(L"default"));
  EXPECT_EQ(memory.openHandles(), 0u);
}

TEST_F(RegistryValueRaces, ARemoteRootIsUsedAndClosedByReadsAndWrites) {
  memory.putValue(HKEY_CURRENT_USER, "Key", "v", REG_SZ, bytesOf("here"));
  registry.Machine(L"elsewhere");
  EXPECT_EQ(registry.Value(), Variant(L"default"));  // not reachable
  memory.addReachableMachine("\\\\elsewhere");
  EXPECT_EQ(registry.Value(), Variant(L"here"));
  registry.ValueType(REG_SZ);
  registry.Value(Variant(L"remote"));
  EXPECT_EQ(memory.value(HKEY_CURRENT_USER, "Key", "v")->data, bytesOf("remote"));
  memory.setHook([](MemoryRegistry::Op op, const std::string&) {
    return op == MemoryRegistry::Op::Open || op == MemoryRegistry::Op::SetValue ? LONG(ERROR_ACCESS_DENIED)
                                                                                 : LONG(ERROR_SUCCESS);
  });
  EXPECT_EQ(registry.Value(), Variant(L"default"));
  EXPECT_THROW(registry.Value(Variant(L"again")), RegistryError);
  EXPECT_EQ(memory.openHandles(), 0u);
}
}  // namespace
