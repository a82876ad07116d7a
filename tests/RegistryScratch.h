#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/clsRegistry.h"
#include "tests/MemoryRegistry.h"

// Runs a case once on the real registry (under Wine) and once on the in-memory one. Every case
// works below its own scratch key in HKEY_CURRENT_USER, removed again afterwards.
class RegistryBackendTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override;
  void TearDown() override;

  bool onRealRegistry() const { return GetParam() == "Real"; }
  RegistryPlatform& platform() { return memory_ ? static_cast<RegistryPlatform&>(*memory_) : systemRegistry(); }
  MemoryRegistry& memory() { return *memory_; }  // only on the in-memory backend
  clsRegistry makeRegistry() { return clsRegistry(platform()); }
  // A registry object on this case's backend, addressed to HKEY_CURRENT_USER (SetUp).
  clsRegistry registry{systemRegistry()};

  static constexpr int32_t kRoot = clsRegistry::HKEY_CURRENT_USER_NUMBER;
  // The scratch path, or a path below it.
  std::wstring scratch(const std::wstring& below = L"") const;
  std::string scratchAnsi(const std::string& below = "") const;

  // Arranging and inspecting through the platform's own calls.
  void putKey(const std::string& below, const char* className = "");
  void putValue(const std::string& below, const std::string& name, DWORD type, const std::vector<BYTE>& data);
  bool keyExists(const std::string& below);
  std::optional<MemoryRegistry::StoredValue> rawValue(const std::string& below, const std::string& name);

 private:
  std::unique_ptr<MemoryRegistry> memory_;
  std::string scratch_;
};

std::vector<BYTE> bytesOf(const std::string& text, bool terminated = true);

#define ON_BOTH_REGISTRIES(suite) \
  INSTANTIATE_TEST_SUITE_P(Backends, suite, ::testing::Values("Real", "Memory"), \
                           [](const auto& info) { return info.param; })
