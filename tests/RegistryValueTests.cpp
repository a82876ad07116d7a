// Typed reads and writes of values on both registries; races and remote roots on the in-memory one.
#include <functional>

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
  putValue("Values", "sz", REG_SZ, bytesOf("abc"));
  putValue("Values", "multi", REG_MULTI_SZ, kMulti);
  putValue("Values", "expand", REG_EXPAND_SZ, bytesOf("<%ORVANDEL_VALUE_TEST%>"));
  putValue("Values", "dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF});
  putValue("Values", "big", REG_DWORD_BIG_ENDIAN, {0, 0, 1, 0});
  putValue("Values", "binary", REG_BINARY, {1, 2, 3});
  putValue("Values", "nothing", REG_BINARY, {});
  putValue("Values", "link", REG_LINK, {9, 8});
  // Text without a terminator keeps its last character; text with no bytes is empty.
  putValue("Values", "unterminated", REG_SZ, bytesOf("ab", false));
  putValue("Values", "emptySz", REG_SZ, {});
  putValue("Values", "emptyExpand", REG_EXPAND_SZ, {});
  putValue("Values", "emptyMulti", REG_MULTI_SZ, {});
  // Only the first four bytes of a longer 32-bit value count.
  putValue("Values", "longDword", REG_DWORD, {1, 0, 0, 0, 5, 5, 5, 5});
  putValue("Values", "longBig", REG_DWORD_BIG_ENDIAN, {0, 0, 1, 0, 7, 7});
  struct { const wchar_t* name; Variant expected; int32_t type; } cases[] = {
      {L"sz", L"abc", REG_SZ}, {L"multi", Variant::text(std::wstring(L"x\0y\0", 4)), REG_MULTI_SZ},
      {L"expand", L"<expanded>", REG_EXPAND_SZ}, {L"dword", Variant::longValue(-1), REG_DWORD},
      {L"big", Variant::longValue(256), REG_DWORD_BIG_ENDIAN}, {L"binary", Variant::bytes({1, 2, 3}), REG_BINARY},
      {L"nothing", Variant::bytes(std::vector<uint8_t>{}), REG_BINARY}, {L"link", Variant::bytes({9, 8}), REG_LINK},
      {L"unterminated", L"ab", REG_SZ}, {L"emptySz", L"", REG_SZ}, {L"emptyExpand", L"", REG_EXPAND_SZ},
      {L"emptyMulti", L"", REG_MULTI_SZ}, {L"longDword", Variant::longValue(1), REG_DWORD},
      {L"longBig", Variant::longValue(256), REG_DWORD_BIG_ENDIAN}};
  for (const auto& c : cases) {
    registry.ValueType(0);
    EXPECT_EQ(read(c.name), c.expected) << toAnsi(c.name);
    EXPECT_EQ(registry.ValueType(), c.type) << toAnsi(c.name);
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
  const std::vector<BYTE> qword = {1, 2, 3, 4, 5, 6, 7, 8};
  struct { const wchar_t* name; DWORD type; std::vector<BYTE> data; DWORD rewritten; } cases[] = {
      {L"none", REG_NONE, {1, 2}, REG_BINARY}, {L"sz", REG_SZ, bytesOf("text"), REG_SZ},
      {L"expand", REG_EXPAND_SZ, bytesOf("%NO_SUCH_ORVANDEL_VARIABLE%"), REG_EXPAND_SZ},
      {L"binary", REG_BINARY, {0, 1, 255}, REG_BINARY}, {L"empty", REG_BINARY, {}, REG_BINARY},
      {L"dword", REG_DWORD, {1, 2, 3, 4}, REG_DWORD}, {L"link", REG_LINK, {5, 6}, REG_BINARY},
      {L"multi", REG_MULTI_SZ, kMulti, REG_SZ}, {L"list", REG_RESOURCE_LIST, {7}, REG_BINARY},
      {L"qword", 11, qword, REG_BINARY}};
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

  // A big-endian number is written back as the same number, stored least significant first.
  putValue("Values", "big", REG_DWORD_BIG_ENDIAN, {1, 2, 3, 4});
  const Variant big = read(L"big");
  EXPECT_EQ(big, Variant::longValue(0x01020304));
  registry.Value(big);
  EXPECT_EQ(rawValue("Values", "big")->data, (std::vector<BYTE>{4, 3, 2, 1}));
  EXPECT_EQ(read(L"big"), big);
  EXPECT_EQ(registry.ValueType(), REG_DWORD);
}

TEST_P(RegistryValues, BytesAndIntegersAreStoredOnlyFromTheirOwnKinds) {
  registry.ValueKey(L"v");
  registry.ValueType(REG_BINARY);
  registry.Value(Variant::bytes({0xAB, 0xCD}, 5));  // any lower bound
  EXPECT_EQ(rawValue("Values", "v")->data, (std::vector<BYTE>{0xAB, 0xCD}));
  EXPECT_EQ(rawValue("Values", "v")->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(registryErrorOf([&] { registry.Value(L"text"); }).number(), 26001);

  registry.ValueType(REG_DWORD_BIG_ENDIAN);
  registry.Value(Variant::integer(7));
  EXPECT_EQ(rawValue("Values", "v")->data, (std::vector<BYTE>{7, 0, 0, 0}));
  EXPECT_EQ(read(L"v"), Variant::longValue(7));
  EXPECT_EQ(registry.ValueType(), REG_DWORD);
  registry.Value(Variant::longValue(-2));
  EXPECT_EQ(rawValue("Values", "v")->data, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));

  // Anything else is refused as a failed write, and the stored number stays.
  for (int32_t type : {REG_DWORD, REG_DWORD_BIG_ENDIAN}) {
    registry.ValueType(type);
    for (const Variant& other : {Variant::number(1.5), Variant::boolean(true), Variant::byte(1), Variant(L"7")}) {
      EXPECT_EQ(registryErrorOf([&] { registry.Value(other); }).number(), RegistryError::kWriteFailure);
    }
  }
  EXPECT_EQ(rawValue("Values", "v")->data, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_P(RegistryValues, ValueExAddressesInOneCallAndKeepsItsSettings) {
  clsRegistry other = makeRegistry();
  other.ValueEx(kRoot, scratch(L"Ex"), L"a", REG_SZ, L"fallback", L"");
  EXPECT_EQ(rawValue("Ex", "a")->data, bytesOf("fallback"));  // empty text gives way to the default
  other.ValueEx(kRoot, scratch(L"Ex"), L"b", REG_EXPAND_SZ, L"fallback", L"");
  EXPECT_EQ(rawValue("Ex", "b")->data, bytesOf(""));

  EXPECT_EQ(other.ValueEx(kRoot, scratch(L"Ex"), L"missing", REG_BINARY, Variant::longValue(5)), Variant::longValue(5));
  EXPECT_EQ(other.ClassKey(), kRoot);
  EXPECT_EQ(other.SectionKey(), scratch(L"Ex"));
  EXPECT_EQ(other.ValueKey(), L"missing");
  EXPECT_EQ(other.ValueType(), REG_BINARY);
  EXPECT_EQ(other.Default(), Variant::longValue(5));
  EXPECT_EQ(other.ValueEx(kRoot, scratch(L"Ex"), L"a", 0, Variant()), Variant(L"fallback"));
  EXPECT_EQ(other.ValueType(), REG_SZ);
}

// Another process changing a value between the size query and the read, and remote roots.
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

  std::vector<BYTE> endless(64, 7);  // as large as the value already is, then twice as large each time
  growBeforeEachRead([&] { endless.resize(endless.size() * 2, 7); return endless; });
  registry.ValueType(42);
  EXPECT_EQ(registry.Value(), Variant(L"default"));  // it never settles: nothing is read
  EXPECT_EQ(registry.ValueType(), 42);
  EXPECT_EQ(memory.openHandles(), 0u);
}

TEST_F(RegistryValueRaces, ReadsThroughARemoteRootCloseIt) {
  memory.putValue(HKEY_CURRENT_USER, "Key", "v", REG_SZ, bytesOf("here"));
  registry.Machine(L"elsewhere");
  EXPECT_EQ(registry.Value(), Variant(L"default"));
  memory.addReachableMachine("\\\\elsewhere");
  EXPECT_EQ(registry.Value(), Variant(L"here"));
  memory.setHook([](MemoryRegistry::Op op, const std::string&) {
    return op == MemoryRegistry::Op::Open ? LONG(ERROR_ACCESS_DENIED) : LONG(ERROR_SUCCESS);
  });
  EXPECT_EQ(registry.Value(), Variant(L"default"));
  EXPECT_EQ(memory.openHandles(), 0u);
}
}  // namespace
