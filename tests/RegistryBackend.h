#pragma once
#include <shlwapi.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/AnsiText.h"
#include "bench/ProcessResources.h"
#include "registry/clsRegistry.h"
#include "scripts/driver/Driver.h"
#include "tests/MemoryRegistry.h"
#include "tests/TestSupport.h"

// Runs a case once on the real registry (under Wine) and once on the in-memory one. Every case
// works below its own scratch key in HKEY_CURRENT_USER, removed again afterwards.
class RegistryBackendTest : public ::testing::TestWithParam<std::string> {
  std::unique_ptr<MemoryRegistry> memory_ = GetParam() == "Real" ? nullptr : std::make_unique<MemoryRegistry>();
  std::string scratch_;

 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) if (c == '/' || c == '\\') c = '_';
    scratch_ = "Software\\OrvandelTests\\" + name + "." + std::to_string(GetCurrentProcessId());
    RegistryBackendTest::TearDown();  // what an earlier run may have left
    putKey("");
    registry.ClassKey(kRoot);
  }
  void TearDown() override {
    if (onRealRegistry()) SHDeleteKeyA(HKEY_CURRENT_USER, scratch_.c_str());
  }

  bool onRealRegistry() const { return !memory_; }
  RegistryPlatform& platform() { return memory_ ? static_cast<RegistryPlatform&>(*memory_) : systemRegistry(); }
  // The keys held open: all the process's handles on the real registry, the in-memory one's own.
  size_t heldHandles() const { return memory_ ? memory_->openHandles() : resources::kernelHandles(); }
  // A registry object on this case's backend, addressed to HKEY_CURRENT_USER.
  clsRegistry registry{platform()};
  static constexpr int32_t kRoot = clsRegistry::HKEY_CURRENT_USER_NUMBER;

  // The scratch path, or a path below it.
  std::string scratchAnsi(const std::string& below = "") const { return below.empty() ? scratch_ : scratch_ + "\\" + below; }
  std::wstring scratch(const std::wstring& below = L"") const { return fromAnsi(scratchAnsi()) + (below.empty() ? L"" : L"\\" + below); }

  // Arranging and inspecting through the platform's own calls.
  HKEY open(const std::string& below, REGSAM access = KEY_QUERY_VALUE) {
    HKEY key = nullptr;
    return platform().openKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str(), 0, access, &key) ? nullptr : key;
  }
  void putKey(const std::string& below, const char* className = "") {
    HKEY key = nullptr;
    ASSERT_EQ(platform().createKey(HKEY_CURRENT_USER, scratchAnsi(below).c_str(), className, 0, KEY_ALL_ACCESS,
                                   nullptr, &key, nullptr), ERROR_SUCCESS);
    platform().closeKey(key);
  }
  void putValue(const std::string& below, const std::string& name, DWORD type, const std::vector<BYTE>& data) {
    putKey(below);
    HKEY key = open(below, KEY_SET_VALUE);
    EXPECT_EQ(platform().setValue(key, name.c_str(), type, data.empty() ? nullptr : data.data(),
                                  static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    platform().closeKey(key);
  }
  // A key everyone is denied reading and changing, on either registry (the real one keeps it while
  // the test run holds Wine's server).
  void lockKey(const std::string& below, bool locked) {
    if (!onRealRegistry()) return memory_->lockKey(HKEY_CURRENT_USER, scratchAnsi(below), locked);
    ASSERT_EQ(driver::lockKey(HKEY_CURRENT_USER, scratchAnsi(below), locked), ERROR_SUCCESS);
  }
  bool keyExists(const std::string& below) {
    HKEY key = open(below);
    return key && platform().closeKey(key) == ERROR_SUCCESS;
  }
  std::optional<MemoryRegistry::StoredValue> rawValue(const std::string& below, const std::string& name) {
    HKEY key = open(below);
    if (!key) return std::nullopt;
    MemoryRegistry::StoredValue stored;
    DWORD size = 0;
    LONG result = platform().queryValue(key, name.c_str(), &stored.type, nullptr, &size);
    stored.data.resize(size);
    if (!result && size) result = platform().queryValue(key, name.c_str(), &stored.type, stored.data.data(), &size);
    platform().closeKey(key);
    return result ? std::nullopt : std::optional(stored);
  }
};

#define ON_BOTH_REGISTRIES(suite) \
  INSTANTIATE_TEST_SUITE_P(Backends, suite, ::testing::Values("Real", "Memory"), \
                           [](const auto& info) { return info.param; })
