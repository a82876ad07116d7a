// Reads of whatever a registry value may hold (every type code, sizes around four bytes and far
// beyond, any bytes, a value replaced between the size query and the read), drawn with a fixed
// seed; and odd key paths and names on both registries.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "base/AnsiText.h"
#include "tests/RegistryErrorOf.h"
#include "tests/RegistryScratch.h"

namespace {
struct StoredValue {
  DWORD type;
  std::vector<BYTE> data;
};

StoredValue randomValue(std::mt19937& random) {
  const DWORD types[] = {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_DWORD_BIG_ENDIAN, REG_LINK,
                         REG_MULTI_SZ, REG_RESOURCE_LIST, 9, 10, 11, 0x7FFFFFFF, 0xFFFFFFFF, random()};
  const size_t sizes[] = {0, 1, 2, 3, 4, 5, 8, 255, 256, 4097, 70000};
  StoredValue value{types[random() % std::size(types)], std::vector<BYTE>(sizes[random() % std::size(sizes)])};
  const bool textLike = random() % 2;
  for (BYTE& b : value.data) b = static_cast<BYTE>(textLike ? 32 + random() % 95 : random());
  if (textLike && !value.data.empty() && random() % 2) value.data.back() = 0;
  return value;
}

// What a read gives for each type code: text for 1, 2 and 7 (without one final NUL; expanded
// text up to its first NUL), a 32-bit integer for 4 and 5 from at most the first four bytes, the
// bytes themselves for anything else.
Variant expectedRead(const StoredValue& value) {
  const std::vector<BYTE>& data = value.data;
  std::string text(data.begin(), data.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();
  uint32_t number = 0;
  std::memcpy(&number, data.data(), std::min<size_t>(data.size(), 4));
  switch (value.type) {
    case REG_SZ:
    case REG_MULTI_SZ: return Variant::text(fromAnsi(text));
    case REG_EXPAND_SZ: return Variant::text(fromAnsi(text.c_str()));
    case REG_DWORD: return Variant::longValue(static_cast<int32_t>(number));
    case REG_DWORD_BIG_ENDIAN:
      return Variant::longValue(static_cast<int32_t>((number >> 24) | ((number >> 8) & 0xFF00u) |
                                                     ((number << 8) & 0xFF0000u) | (number << 24)));
    default: return Variant::bytes(std::vector<uint8_t>(data.begin(), data.end()));
  }
}

TEST(RegistryReadFuzz, EveryTypeAndSizeReadsAsItsKindWithExactlyItsBytes) {
  std::mt19937 random(20040930);
  MemoryRegistry memory;
  clsRegistry registry{memory};
  registry.ClassKey(clsRegistry::HKEY_CURRENT_USER_NUMBER);
  registry.SectionKey(L"Fuzz");
  registry.ValueKey(L"v");
  for (int round = 0; round < 3000; ++round) {
    StoredValue value = randomValue(random);
    memory.putValue(HKEY_CURRENT_USER, "Fuzz", "v", value.type, value.data);
    // Now and then another program replaces the value between the size query and the read.
    const bool replaced = random() % 3 == 0;
    int queries = 0;
    if (replaced) {
      value = randomValue(random);
      memory.setHook([&](MemoryRegistry::Op op, const std::string&) {
        if (op == MemoryRegistry::Op::QueryValue && ++queries == 2) {
          memory.putValue(HKEY_CURRENT_USER, "Fuzz", "v", value.type, value.data);
        }
        return LONG(ERROR_SUCCESS);
      });
    }
    const Variant read = registry.Value();
    memory.setHook({});
    const char* context = replaced ? " (replaced)" : "";
    ASSERT_EQ(registry.ValueType(), static_cast<int32_t>(value.type)) << round << context;
    ASSERT_EQ(read, expectedRead(value)) << round << ": type " << value.type << ", " << value.data.size() << " bytes"
                                         << context;
  }
  EXPECT_EQ(memory.openHandles(), 0u);
}

class RegistryOddNames : public RegistryBackendTest {
 protected:
  bool exists(const std::wstring& below) {
    registry.SectionKey(scratch(below));
    return registry.KeyExists();
  }
};
ON_BOTH_REGISTRIES(RegistryOddNames);

TEST_P(RegistryOddNames, KeyPathsReachTheKeyTheSystemFinds) {
  struct { const wchar_t* created; const wchar_t* lookedUp; bool found; } cases[] = {
      {L"Doubled\\\\Separators\\\\", L"doubled\\separators", true},     // empty parts count for nothing
      {L"\u00C9t\u00E8", L"\u00E9T\u00C8", true},                       // letters beyond ASCII ignore case too
      {L" Spaced ", L"Spaced", false},                                  // blanks belong to the name
      {L".\\..\\Dots", L"Dots", false},                                 // dots are names, not steps
      {L".\\..\\Dots", L".\\..\\dots", true},
  };
  for (const auto& c : cases) {
    registry.SectionKey(scratch(c.created));
    EXPECT_TRUE(registry.CreateKey()) << toAnsi(c.created);
    EXPECT_EQ(exists(c.lookedUp), c.found) << toAnsi(c.created) << " as " << toAnsi(c.lookedUp);
  }
  registry.SectionKey(scratch(L"Doubled\\\\Separators\\\\"));
  EXPECT_TRUE(registry.DeleteKey());
  EXPECT_FALSE(exists(L"Doubled\\Separators"));

  // The narrow calls take a path of at most 260 characters: one more creates nothing.
  const size_t room = MAX_PATH - scratchAnsi().size() - 1;
  EXPECT_TRUE(exists(L"") && room > 10);
  registry.SectionKey(scratch(std::wstring(room, L'k')));
  EXPECT_TRUE(registry.CreateKey());
  EXPECT_TRUE(exists(std::wstring(room, L'K')));
  registry.SectionKey(scratch(std::wstring(room + 1, L'm')));
  EXPECT_EQ(registryErrorOf([&] { registry.CreateKey(); }).number(), 26001);
  EXPECT_FALSE(registry.KeyExists());
}

TEST_P(RegistryOddNames, ValueNamesOfAnyLengthUpToTheSystemsLimit) {
  registry.SectionKey(scratch(L"Values"));
  registry.ValueType(REG_SZ);
  const std::pair<std::wstring, std::wstring> names[] = {  // written, then read as
      {L"", L""}, {std::wstring(255, L'v'), std::wstring(255, L'V')}, {std::wstring(16383, L'w'), std::wstring(16383, L'W')},
      {L"Back\\slash", L"back\\SLASH"}, {L"\u00E9t\u00E9", L"\u00C9T\u00C9"}};
  for (const auto& [written, read] : names) {
    registry.ValueKey(written);
    registry.Value(Variant::text(L"for " + written.substr(0, 8)));
  }
  for (const auto& [written, read] : names) {
    registry.ValueKey(read);
    EXPECT_EQ(registry.Value(), Variant::text(L"for " + written.substr(0, 8))) << toAnsi(read.substr(0, 12));
  }
  registry.ValueKey(std::wstring(16384, L'x'));  // one more than a value name may have
  EXPECT_EQ(registryErrorOf([&] { registry.Value(L"too long"); }).number(), -2147194455);
  EXPECT_TRUE(registry.Value().isEmpty());
}
}  // namespace
