#include "tests/RegistryScratch.h"

#include <shlwapi.h>

#include "base/AnsiText.h"

namespace {
void deleteTree(const std::string& path) { SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str()); }
}  // namespace

void RegistryBackendTest::SetUp() {
  if (!onRealRegistry()) memory_ = std::make_unique<MemoryRegistry>();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) if (c == '/' || c == '\\') c = '_';
  scratch_ = "Software\\OrvandelTests\\" + name + "." + std::to_string(GetCurrentProcessId());
  if (onRealRegistry()) deleteTree(scratch_);
  putKey("");
  registry = makeRegistry();
  registry.ClassKey(kRoot);
}

void RegistryBackendTest::TearDown() {
  if (onRealRegistry()) deleteTree(scratch_);
}

std::string RegistryBackendTest::scratchAnsi(const std::string& below) const {
  return below.empty() ? scratch_ : scratch_ + "\\" + below;
}

std::wstring RegistryBackendTest::scratch(const std::wstring& below) const {
  return fromAnsi(scratch_) + (below.empty() ? L"" : L"\\" + below);
}

void RegistryBackendTest::putKey(const std::string& below, const char* className) {
  HKEY key = nullptr;
  ASSERT_EQ(platform().createKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str(), className, 0, KEY_ALL_ACCESS,
                                 nullptr, &key, nullptr), ERROR_SUCCESS);
  platform().closeKey(key);
}

void RegistryBackendTest::putValue(const std::string& below, const std::string& name, DWORD type,
                                   const std::vector<BYTE>& data) {
  HKEY key = nullptr;
  ASSERT_EQ(platform().createKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str(), "", 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(platform().setValue(key, name.c_str(), type, data.empty() ? nullptr : data.data(),
                                static_cast<DWORD>(data.size())), ERROR_SUCCESS);
  platform().closeKey(key);
}

bool RegistryBackendTest::keyExists(const std::string& below) {
  HKEY key = nullptr;
  if (platform().openKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  platform().closeKey(key);
  return true;
}

std::optional<MemoryRegistry::StoredValue> RegistryBackendTest::rawValue(const std::string& below,
                                                                          const std::string& name) {
  HKEY key = nullptr;
  if (platform().openKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  MemoryRegistry::StoredValue stored;
  DWORD size = 0;
  LONG result = platform().queryValue(key, name.c_str(), &stored.type, nullptr, &size);
  if (result == ERROR_SUCCESS) {
    stored.data.resize(size);
    result = platform().queryValue(key, name.c_str(), &stored.type, stored.data.empty() ? nullptr : stored.data.data(), &size);
  }
  platform().closeKey(key);
  if (result != ERROR_SUCCESS) return std::nullopt;
  return stored;
}

std::vector<BYTE> bytesOf(const std::string& text, bool terminated) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  if (terminated) bytes.push_back(0);
  return bytes;
}
