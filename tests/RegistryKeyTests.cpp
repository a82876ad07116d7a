// The registry object's addressing, key operations and text write, on both registries; the
// refusals that can't be provoked on demand run on the in-memory one.
#include <aclapi.h>

#include "registry/AnsiText.h"
#include "tests/RegistryErrorOf.h"
#include "tests/RegistryScratch.h"

namespace {
const std::wstring kGuid = L"{87D62D94-71B3-4b9a-9489-5FE6850DC73E}";

class RegistryKeys : public RegistryBackendTest {};
ON_BOTH_REGISTRIES(RegistryKeys);

TEST_P(RegistryKeys, KeyExistsAnswersWithoutRaising) {
  clsRegistry registry = makeRegistry();
  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(L"Missing\\Deeper"));
  EXPECT_FALSE(registry.KeyExists());
  registry.SectionKey(L"");
  EXPECT_TRUE(registry.KeyExists());  // the root itself
  registry.ClassKey(0);
  EXPECT_FALSE(registry.KeyExists());  // no root at all
}

TEST_P(RegistryKeys, CreateThroughTrailingBackslashIsFoundWithout) {
  clsRegistry registry = makeRegistry();
  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(L"A\\B\\C\\"));
  EXPECT_TRUE(registry.CreateKey());
  registry.SectionKey(scratch(L"a\\b\\c"));
  EXPECT_TRUE(registry.KeyExists());

  putValue("A\\B\\C", "kept", REG_SZ, bytesOf("yes"));
  EXPECT_TRUE(registry.CreateKey());  // an existing key opens; its values stay
  ASSERT_TRUE(rawValue("A\\B\\C", "kept"));
  EXPECT_EQ(rawValue("A\\B\\C", "kept")->data, bytesOf("yes"));

  registry.SectionKey(scratch(L"A\\B\\C\\"));
  EXPECT_TRUE(registry.DeleteKey());
  EXPECT_FALSE(keyExists("A\\B\\C"));
  EXPECT_TRUE(keyExists("A\\B"));
}

TEST_P(RegistryKeys, DeleteKeyRaisesForMissingKeysAndKeysWithSubkeys) {
  clsRegistry registry = makeRegistry();
  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(L"Missing"));
  RegistryError missing = registryErrorOf([&] { registry.DeleteKey(); });
  EXPECT_EQ(missing.number(), 26001);
  EXPECT_EQ(missing.description(), L"Failed to delete registry Key: '-2147483647',Section: '" + scratch(L"Missing"));
  EXPECT_EQ(missing.source(), L"orvandel_tests.cRegistry");

  putKey("Parent\\Child");
  registry.SectionKey(scratch(L"Parent"));
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteKey(); }).number(), 26001);
  EXPECT_TRUE(keyExists("Parent\\Child"));
  EXPECT_EQ(registry.SectionKey(), scratch(L"Parent"));  // a failure changes no property
}

TEST_P(RegistryKeys, DeleteValueNamesWhatItCouldNotDo) {
  clsRegistry registry = makeRegistry();
  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(L"Missing"));
  registry.ValueKey(L"v");
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteValue(); }).description(),
            L"Failed to open key '-2147483647',Section: '" + scratch(L"Missing") + L"' for delete access");

  putValue("Key", "v", REG_SZ, bytesOf("x"));
  putValue("Key", "other", REG_SZ, bytesOf("y"));
  registry.SectionKey(scratch(L"Key"));
  EXPECT_TRUE(registry.DeleteValue());
  EXPECT_FALSE(rawValue("Key", "v"));
  EXPECT_TRUE(rawValue("Key", "other"));
  RegistryError gone = registryErrorOf([&] { registry.DeleteValue(); });
  EXPECT_EQ(gone.number(), 26001);
  EXPECT_EQ(gone.description(),
            L"Failed to delete registry Key: '-2147483647',Section: '" + scratch(L"Key") + L"',Key: 'v");
}

TEST_P(RegistryKeys, TextWriteStoresTerminatedAnsiAndChoosesExpandByPercentSigns) {
  clsRegistry registry = makeRegistry();
  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(L"Handler\\"));
  registry.ValueKey(L"");
  registry.ValueType(REG_SZ);
  registry.Value(Variant::text(kGuid));
  auto stored = rawValue("Handler", "");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored->data.size(), 39u);
  EXPECT_EQ(stored->data, bytesOf("{87D62D94-71B3-4b9a-9489-5FE6850DC73E}"));

  struct { const wchar_t* text; int32_t valueType; DWORD stored; } cases[] = {
      {L"%windir%\\x", REG_SZ, REG_EXPAND_SZ}, {L"100%", REG_SZ, REG_SZ}, {L"%%", REG_EXPAND_SZ, REG_SZ},
      {L"a%b%", REG_SZ, REG_EXPAND_SZ}, {L"%%x%", REG_SZ, REG_EXPAND_SZ}, {L"", REG_EXPAND_SZ, REG_SZ}};
  for (const auto& c : cases) {
    registry.ValueKey(L"v");
    registry.ValueType(c.valueType);
    registry.Value(Variant::text(c.text));
    auto value = rawValue("Handler", "v");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, c.stored) << toAnsi(c.text);
    EXPECT_EQ(value->data, bytesOf(toAnsi(c.text))) << toAnsi(c.text);
    EXPECT_EQ(registry.ValueType(), c.valueType);  // the write leaves it alone
  }

  registry.ValueType(REG_SZ);
  registry.Value(Variant::longValue(-42));
  EXPECT_EQ(rawValue("Handler", "v")->data, bytesOf("-42"));
  registry.Value(Variant::boolean(true));
  EXPECT_EQ(rawValue("Handler", "v")->data, bytesOf("True"));
  registry.Value(Variant());
  EXPECT_EQ(rawValue("Handler", "v")->data, bytesOf(""));
  EXPECT_THROW(registry.Value(Variant::null()), VariantError);
  EXPECT_EQ(rawValue("Handler", "v")->data, bytesOf(""));
}

TEST_P(RegistryKeys, WriteOfAnUnknownTypeCreatesTheKeyButStoresNothing) {
  clsRegistry registry = makeRegistry();
  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(L"Typed"));
  registry.ValueKey(L"v");
  for (int32_t type : {0, 6, 7, 8, -1}) {
    registry.ValueType(type);
    RegistryError error = registryErrorOf([&] { registry.Value(Variant::text(L"data")); });
    EXPECT_EQ(error.number(), static_cast<int32_t>(0x800469A9));
    EXPECT_EQ(error.description(), L"Failed to set registry value Key: '-2147483647',Section: '" +
                                       scratch(L"Typed") + L"',Key: 'v' to value: 'data'");
  }
  EXPECT_TRUE(keyExists("Typed"));
  EXPECT_FALSE(rawValue("Typed", "v"));
}

TEST_P(RegistryKeys, TextOutsideTheAnsiCodePageNeverReachesAnotherKey) {
  const std::wstring foreign = L"K\u4E2D\u6587";  // no form in the Western code pages
  clsRegistry registry = makeRegistry();
  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(foreign));
  EXPECT_FALSE(registry.KeyExists());
  putKey("K??");  // what a lossy conversion would have addressed
  EXPECT_FALSE(registry.KeyExists());
  EXPECT_EQ(registryErrorOf([&] { registry.CreateKey(); }).number(), 26001);
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteKey(); }).number(), 26001);
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteValue(); }).number(), 26001);
  registry.ValueType(REG_SZ);
  EXPECT_EQ(registryErrorOf([&] { registry.Value(Variant::text(L"x")); }).number(), 26001);
  EXPECT_TRUE(keyExists("K??"));

  registry.SectionKey(scratch(L"Plain"));
  registry.ValueKey(foreign);
  EXPECT_EQ(registryErrorOf([&] { registry.Value(Variant::text(L"x")); }).number(),
            static_cast<int32_t>(0x800469A9));
  registry.ValueKey(L"v");
  EXPECT_EQ(registryErrorOf([&] { registry.Value(Variant::text(foreign)); }).number(),
            static_cast<int32_t>(0x800469A9));
  EXPECT_FALSE(rawValue("Plain", "v"));
  EXPECT_FALSE(rawValue("Plain", "K??"));

  registry.SectionKey(scratch(L"Nul"));
  registry.Value(Variant::text(std::wstring(L"a\0b", 3)));  // data may hold NULs
  EXPECT_EQ(rawValue("Nul", "v")->data, (std::vector<BYTE>{'a', 0, 'b', 0}));
  registry.SectionKey(scratch(std::wstring(L"Nul\0Other", 9)));
  EXPECT_FALSE(registry.KeyExists());  // a path may not: it would stop at the NUL
}

TEST_P(RegistryKeys, AWriteToAnUnreachableComputerIsAFailure) {
  clsRegistry registry = makeRegistry();
  registry.Machine(L"no-such-computer");
  registry.ClassKey(kRoot);
  registry.SectionKey(scratch(L"Remote"));
  registry.ValueKey(L"v");
  registry.ValueType(REG_SZ);
  RegistryError error = registryErrorOf([&] { registry.Value(Variant::text(L"x")); });
  EXPECT_EQ(error.number(), static_cast<int32_t>(0x800469A9));
  EXPECT_FALSE(keyExists("Remote"));
}

TEST(RegistryMachine, NormalisesTheComputerName) {
  MemoryRegistry memory;
  clsRegistry registry(memory);
  struct { const wchar_t* given; const wchar_t* stored; } cases[] = {
      {L"abc", L"\\\\abc"}, {L"\\\\abc", L"\\\\abc"}, {L"ab", L""}, {L"a", L""}, {L"", L""}, {L"\\abc", L"\\\\\\abc"}};
  for (const auto& c : cases) {
    registry.Machine(L"previous");
    registry.Machine(c.given);
    EXPECT_EQ(registry.Machine(), c.stored) << toAnsi(c.given);
  }
}

// A real refusal: under Wine the registry checks a key's DACL when the key is opened.
TEST(RegistryRefusal, AKeyThatCannotBeReadCountsAsAbsent) {
  const std::string path = "Software\\OrvandelTests\\Unreadable." + std::to_string(GetCurrentProcessId());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  BYTE aclBuffer[256];
  auto* acl = reinterpret_cast<PACL>(aclBuffer);
  InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
  AddAccessDeniedAce(acl, ACL_REVISION, KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone);
  AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
  ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);

  clsRegistry registry;
  registry.ClassKey(clsRegistry::HKEY_CURRENT_USER_NUMBER);
  registry.SectionKey(fromAnsi(path));
  const bool seen = registry.KeyExists();

  InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
  AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
  FreeSid(everyone);
  EXPECT_FALSE(seen);
}

// Refusals on demand, and the promise that no handle outlives an operation.
class RegistryFaults : public ::testing::Test {
 protected:
  MemoryRegistry memory;
  clsRegistry registry{memory};
  void SetUp() override {
    registry.ClassKey(clsRegistry::HKEY_CLASSES_ROOT_NUMBER);
    registry.SectionKey(L"Area\\Key\\");
    registry.ValueKey(L"");
    registry.ValueType(REG_SZ);
  }
  void refuse(MemoryRegistry::Op refused, LONG code = ERROR_ACCESS_DENIED) {
    memory.setHook([=](MemoryRegistry::Op op, const std::string&) { return op == refused ? code : ERROR_SUCCESS; });
  }
};

TEST_F(RegistryFaults, RefusedCreateDeleteAndStoreRaiseAndCloseEverything) {
  refuse(MemoryRegistry::Op::Create);
  RegistryError create = registryErrorOf([&] { registry.CreateKey(); });
  EXPECT_EQ(create.number(), 26001);
  EXPECT_EQ(create.description(), L"Failed to create registry Key: 'Area\\Key\\");
  EXPECT_EQ(registryErrorOf([&] { registry.Value(Variant::text(L"x")); }).number(), 26001);

  memory.putKey(HKEY_CLASSES_ROOT, "Area\\Key");
  refuse(MemoryRegistry::Op::DeleteKey);
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteKey(); }).description(),
            L"Failed to delete registry Key: '-2147483648',Section: 'Area\\Key\\");
  EXPECT_TRUE(memory.keyExists(HKEY_CLASSES_ROOT, "Area\\Key"));

  refuse(MemoryRegistry::Op::SetValue, ERROR_CANTWRITE);
  RegistryError store = registryErrorOf([&] { registry.Value(Variant::text(kGuid)); });
  EXPECT_EQ(store.number(), -2147194455);
  EXPECT_EQ(store.description(),
            L"Failed to set registry value Key: '-2147483648',Section: 'Area\\Key\\',Key: '' to value: '" + kGuid + L"'");
  EXPECT_FALSE(memory.value(HKEY_CLASSES_ROOT, "Area\\Key", ""));

  refuse(MemoryRegistry::Op::DeleteValue);
  EXPECT_EQ(registryErrorOf([&] { registry.DeleteValue(); }).number(), 26001);
  EXPECT_EQ(memory.openHandles(), 0u);
}

TEST_F(RegistryFaults, AReachableComputersRootIsClosedAfterTheWrite) {
  memory.addReachableMachine("\\\\server");
  registry.Machine(L"server");
  registry.Value(Variant::text(L"remote"));
  EXPECT_EQ(memory.value(HKEY_CLASSES_ROOT, "Area\\Key", "")->data, bytesOf("remote"));
  refuse(MemoryRegistry::Op::SetValue);
  EXPECT_THROW(registry.Value(Variant::text(L"again")), RegistryError);
  EXPECT_EQ(memory.openHandles(), 0u);
}
}  // namespace
