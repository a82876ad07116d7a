// Addressing, key operations and the text write on both registries; refusals on the in-memory one.
#include "base/AnsiText.h"
#include "tests/RegistryErrorOf.h"
#include "tests/RegistryScratch.h"

namespace {
constexpr int32_t kWriteFailure = -2147194455;

class RegistryKeys : public RegistryBackendTest {
 protected:
  void SetUp() override {
    RegistryBackendTest::SetUp();
    registry.ValueKey(L"v");
  }
  int32_t errorOf(const Variant& value) { return registryErrorOf([&] { registry.Value(value); }).number(); }
};
ON_BOTH_REGISTRIES(RegistryKeys);

TEST_P(RegistryKeys, CreateFindAndDeleteKeysAndValues) {
  registry.SectionKey(scratch(L"A\\B\\C\\"));
  EXPECT_FALSE(registry.KeyExists());
  EXPECT_TRUE(registry.CreateKey());
  registry.SectionKey(scratch(L"a\\b\\c"));
  EXPECT_TRUE(registry.KeyExists());
  putValue("A\\B\\C", "v", REG_SZ, bytesOf("x"));
  putValue("A\\B\\C", "kept", REG_SZ, bytesOf("yes"));
  EXPECT_TRUE(registry.CreateKey());  // an existing key opens; its values stay
  EXPECT_TRUE(registry.DeleteValue());
  EXPECT_FALSE(rawValue("A\\B\\C", "v"));
  EXPECT_EQ(rawValue("A\\B\\C", "kept")->data, bytesOf("yes"));
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteValue(); }).description(),
            L"Failed to delete registry Key: '-2147483647',Section: '" + scratch(L"a\\b\\c") + L"',Key: 'v");
  EXPECT_TRUE(registry.DeleteKey());
  EXPECT_FALSE(keyExists("A\\B\\C"));
  EXPECT_TRUE(keyExists("A\\B"));
  registry.SectionKey(L"");
  EXPECT_TRUE(registry.KeyExists());  // the root itself
  registry.ClassKey(0);
  EXPECT_FALSE(registry.KeyExists());

  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(L"Missing"));
  const RegistryError missing = registryErrorOf([&] { registry.DeleteKey(); });
  EXPECT_EQ(missing.number(), 26001);
  EXPECT_EQ(missing.description(), L"Failed to delete registry Key: '-2147483647',Section: '" + scratch(L"Missing"));
  EXPECT_EQ(missing.source(), L"orvandel_tests.cRegistry");
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteValue(); }).number(), 26001);
  putKey("Parent\\Child");
  registry.SectionKey(scratch(L"Parent"));
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteKey(); }).number(), 26001);
  EXPECT_TRUE(keyExists("Parent\\Child"));
}

TEST_P(RegistryKeys, TextWriteStoresTerminatedAnsiAndChoosesExpandByPercentSigns) {
  registry.SectionKey(scratch(L"Handler\\"));
  struct { Variant value; int32_t valueType; DWORD stored; const char* data; } cases[] = {
      {L"{87D62D94-71B3-4b9a-9489-5FE6850DC73E}", REG_SZ, REG_SZ, "{87D62D94-71B3-4b9a-9489-5FE6850DC73E}"},
      {L"%windir%\\x", REG_SZ, REG_EXPAND_SZ, "%windir%\\x"}, {L"100%", REG_SZ, REG_SZ, "100%"},
      {L"%%", REG_EXPAND_SZ, REG_SZ, "%%"}, {L"a%b%", REG_SZ, REG_EXPAND_SZ, "a%b%"},
      {L"%%x%", REG_SZ, REG_EXPAND_SZ, "%%x%"}, {L"", REG_EXPAND_SZ, REG_SZ, ""},
      {Variant::longValue(-42), REG_SZ, REG_SZ, "-42"}, {Variant::boolean(true), REG_SZ, REG_SZ, "True"},
      {Variant(), REG_SZ, REG_SZ, ""}};
  for (const auto& c : cases) {
    registry.ValueType(c.valueType);
    registry.Value(c.value);
    const auto value = rawValue("Handler", "v").value_or(MemoryRegistry::StoredValue{});
    EXPECT_EQ(value.type, c.stored) << c.data;
    EXPECT_EQ(value.data, bytesOf(c.data)) << c.data;
  }
  EXPECT_THROW(registry.Value(Variant::null()), VariantError);
  EXPECT_EQ(rawValue("Handler", "v")->data, bytesOf(""));
  registry.Value(Variant::text(std::wstring(L"a\0b", 3)));  // data may hold NULs
  EXPECT_EQ(rawValue("Handler", "v")->data, (std::vector<BYTE>{'a', 0, 'b', 0}));
}

TEST_P(RegistryKeys, AnUnknownTypeOrAnUnreachableComputerFailsTheWrite) {
  registry.SectionKey(scratch(L"Typed"));
  for (int32_t type : {0, 6, 7, 8, -1}) {
    registry.ValueType(type);
    EXPECT_EQ(errorOf(L"data"), kWriteFailure);
  }
  EXPECT_TRUE(keyExists("Typed"));  // created, but nothing stored
  EXPECT_FALSE(rawValue("Typed", "v"));
  registry.Machine(L"no-such-computer");
  registry.SectionKey(scratch(L"Remote"));
  registry.ValueType(REG_SZ);
  EXPECT_EQ(errorOf(L"x"), kWriteFailure);
  EXPECT_FALSE(keyExists("Remote"));
}

TEST_P(RegistryKeys, TextOutsideTheAnsiCodePageNeverReachesAnotherKey) {
  const std::wstring foreign = L"K\u4E2D\u6587";  // no form in the Western code pages
  putKey("K??");                                  // what a lossy conversion would address
  registry.SectionKey(scratch(foreign));
  registry.ValueType(REG_SZ);
  EXPECT_FALSE(registry.KeyExists());
  EXPECT_EQ(registryErrorOf([&] { registry.CreateKey(); }).number(), 26001);
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteKey(); }).number(), 26001);
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteValue(); }).number(), 26001);
  EXPECT_EQ(errorOf(L"x"), 26001);
  EXPECT_TRUE(keyExists("K??"));

  registry.SectionKey(scratch(L"Plain"));
  EXPECT_EQ(errorOf(Variant::text(foreign)), kWriteFailure);
  registry.ValueKey(foreign);
  EXPECT_EQ(errorOf(L"x"), kWriteFailure);
  EXPECT_FALSE(rawValue("Plain", "v"));
  EXPECT_FALSE(rawValue("Plain", "K??"));
  putKey("Plain");
  registry.SectionKey(scratch(std::wstring(L"Plain\0Other", 11)));
  EXPECT_FALSE(registry.KeyExists());  // a path stopping at the NUL would find Plain
}

TEST(RegistryMachine, NormalisesTheComputerName) {
  MemoryRegistry memory;
  clsRegistry registry(memory);
  struct { const wchar_t* given; const wchar_t* stored; } cases[] = {
      {L"abc", L"\\\\abc"}, {L"\\\\abc", L"\\\\abc"}, {L"ab", L""}, {L"", L""}, {L"\\abc", L"\\\\\\abc"}};
  for (const auto& c : cases) {
    registry.Machine(L"previous");
    registry.Machine(c.given);
    EXPECT_EQ(registry.Machine(), c.stored) << toAnsi(c.given);
  }
}

class RegistryFaults : public ::testing::Test {
 protected:
  MemoryRegistry memory;
  clsRegistry registry{memory};
  void SetUp() override {
    registry.ClassKey(clsRegistry::HKEY_CLASSES_ROOT_NUMBER);
    registry.SectionKey(L"Area\\Key\\");
    registry.ValueType(REG_SZ);
  }
  void refuse(MemoryRegistry::Op refused, LONG code = ERROR_ACCESS_DENIED) {
    memory.setHook([=](MemoryRegistry::Op op, const std::string&) { return op == refused ? code : ERROR_SUCCESS; });
  }
};

TEST_F(RegistryFaults, RefusalsRaiseAndCloseEverything) {
  refuse(MemoryRegistry::Op::Create);
  EXPECT_EQ(registryErrorOf([&] { registry.CreateKey(); }).description(), L"Failed to create registry Key: 'Area\\Key\\");
  EXPECT_EQ(registryErrorOf([&] { registry.Value(L"x"); }).number(), 26001);

  memory.putKey(HKEY_CLASSES_ROOT, "Area\\Key");
  refuse(MemoryRegistry::Op::Open);
  EXPECT_FALSE(registry.KeyExists());  // a key that can't be read counts as absent
  refuse(MemoryRegistry::Op::DeleteKey);
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteKey(); }).number(), 26001);
  EXPECT_TRUE(memory.keyExists(HKEY_CLASSES_ROOT, "Area\\Key"));

  refuse(MemoryRegistry::Op::SetValue, ERROR_CANTWRITE);
  const RegistryError store = registryErrorOf([&] { registry.Value(L"text"); });
  EXPECT_EQ(store.number(), kWriteFailure);
  EXPECT_EQ(store.description(),
            L"Failed to set registry value Key: '-2147483648',Section: 'Area\\Key\\',Key: '' to value: 'text'");
  EXPECT_FALSE(memory.value(HKEY_CLASSES_ROOT, "Area\\Key", ""));
  refuse(MemoryRegistry::Op::DeleteValue);
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteValue(); }).number(), 26001);
  EXPECT_EQ(memory.openHandles(), 0u);
}
}  // namespace
