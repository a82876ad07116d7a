// Listing value names and subkeys on both registries; refusals and failures on the in-memory one.
#include <algorithm>
#include <new>

#include "tests/RegistryErrorOf.h"
#include "tests/RegistryScratch.h"

namespace {
using Names = std::vector<std::wstring>;

class RegistryEnumeration : public RegistryBackendTest {
 protected:
  Names names{L"left over"};
  int32_t count = 7;
  Names list(const std::wstring& below, bool values) {
    registry.SectionKey(scratch(below));
    EXPECT_TRUE(values ? registry.EnumerateValues(names, count) : registry.EnumerateSections(names, count));
    EXPECT_EQ(static_cast<size_t>(count), names.size());
    if (values) std::sort(names.begin(), names.end());  // value order is the platform's own
    return names;
  }
};
ON_BOTH_REGISTRIES(RegistryEnumeration);

TEST_P(RegistryEnumeration, ListsSubkeysInOrderAndValueNamesWithTheDefault) {
  registry.Machine(L"no-such-computer");  // enumeration always lists this computer's keys
  for (const char* below : {"Parent\\b", "Parent\\A", "Parent\\c\\deeper", "Parent\\z"}) putKey(below);
  EXPECT_EQ(list(L"Parent", true), Names{});
  // Relative to the parent: the whole path would pass the narrow calls' length limit.
  HKEY parent = nullptr, child = nullptr;
  ASSERT_EQ(platform().openKey(HKEY_CURRENT_USER, scratchAnsi("Parent").c_str(), 0, 0x3F, &parent), ERROR_SUCCESS);
  ASSERT_EQ(platform().createKey(parent, std::string(255, 'n').c_str(), "", 0, 0x3F, nullptr, &child, nullptr),
            ERROR_SUCCESS);
  platform().closeKey(child);
  platform().closeKey(parent);
  EXPECT_EQ(list(L"Parent", false), (Names{L"A", L"b", L"c", std::wstring(255, L'n'), L"z"}));

  putValue("Parent", "", REG_SZ, bytesOf("default"));
  putValue("Parent", "second", REG_DWORD, {1, 0, 0, 0});
  putValue("Parent", "a rather longer name", REG_BINARY, {});
  EXPECT_EQ(list(L"Parent", true), (Names{L"", L"a rather longer name", L"second"}));
  EXPECT_EQ(list(L"Parent\\A", false), Names{});
  EXPECT_EQ(list(L"Missing", true), Names{});  // earlier names are discarded
  names = {L"left over"};
  EXPECT_EQ(list(L"Missing", false), Names{});
}

TEST_P(RegistryEnumeration, AKeyWithAClassNameStillListsItsValues) {
  if (!onRealRegistry()) memory().setStrictClassQuery(true);  // as Windows answers a too small class buffer
  putKey("Classy", "SomeClass");
  putValue("Classy", "v", REG_SZ, bytesOf("x"));
  EXPECT_EQ(list(L"Classy", true), Names{L"v"});
}

class RegistryEnumerationFaults : public ::testing::Test {
 protected:
  MemoryRegistry memory;
  clsRegistry registry{memory};
  Names names;
  int32_t count = 0;
  void SetUp() override {
    registry.ClassKey(clsRegistry::HKEY_CURRENT_USER_NUMBER);
    registry.SectionKey(L"Key");
    for (const char* name : {"a", "b", "c"}) {
      memory.putKey(HKEY_CURRENT_USER, std::string("Key\\") + name);
      memory.putValue(HKEY_CURRENT_USER, "Key", name, REG_SZ, bytesOf(""));
    }
  }
  // The n-th call of that operation (counting from 1) does what `act` does.
  void onCall(MemoryRegistry::Op which, int n, std::function<LONG()> act) {
    memory.setHook([which, n, act, calls = 0](MemoryRegistry::Op op, const std::string&) mutable {
      return op == which && ++calls == n ? act() : LONG(ERROR_SUCCESS);
    });
  }
};

TEST_F(RegistryEnumerationFaults, AnUnexpectedFailureIsRaisedOnlyBySubkeyListing) {
  onCall(MemoryRegistry::Op::EnumKey, 2, []() -> LONG { throw std::bad_alloc(); });
  EXPECT_EQ(registryErrorOf([&] { registry.EnumerateSections(names, count); }).number(), -2147194454);
  EXPECT_TRUE(names.empty() && count == 0);
  onCall(MemoryRegistry::Op::EnumValue, 2, []() -> LONG { throw std::bad_alloc(); });
  EXPECT_THROW(registry.EnumerateValues(names, count), std::bad_alloc);
  EXPECT_EQ(memory.openHandles(), 0u);
}

TEST_F(RegistryEnumerationFaults, ListingStopsAtTheFirstRefusalAndTakesNamesAddedMeanwhile) {
  onCall(MemoryRegistry::Op::EnumKey, 3, [] { return LONG(ERROR_ACCESS_DENIED); });
  EXPECT_TRUE(registry.EnumerateSections(names, count));
  EXPECT_EQ(names, (Names{L"a", L"b"}));
  onCall(MemoryRegistry::Op::QueryInfo, 1, [] { return LONG(ERROR_ACCESS_DENIED); });
  EXPECT_TRUE(registry.EnumerateValues(names, count));
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(memory.openHandles(), 0u);

  // A name longer than the key reported, added by someone else after the longest was asked for.
  onCall(MemoryRegistry::Op::EnumValue, 1, [&] {
    memory.putValue(HKEY_CURRENT_USER, "Key", std::string(300, 'z'), REG_SZ, bytesOf(""));
    return LONG(ERROR_SUCCESS);
  });
  EXPECT_TRUE(registry.EnumerateValues(names, count));
  EXPECT_EQ(names, (Names{L"a", L"b", L"c", std::wstring(300, L'z')}));
}
}  // namespace
