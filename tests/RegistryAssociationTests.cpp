// File-type associations under both class roots on both registries, read back with Wine's reg.exe;
// failures on the in-memory registry.
#include <shlwapi.h>

#include <cstdio>
#include <optional>

#include "base/AnsiText.h"
#include "tests/RegistryErrorOf.h"
#include "tests/RegistryScratch.h"

namespace {
using Names = std::vector<std::string>;
using Key = std::pair<std::string, Names>;
const std::string kMachineClasses = "SOFTWARE\\Classes\\";

class RegistryAssociations : public RegistryBackendTest {
 protected:
  std::string cls, ext;  // unique to this run, as they live outside the scratch key

  void SetUp() override {
    RegistryBackendTest::SetUp();
    registry = makeRegistry();
    static int serial = 0;
    ext = "orvt" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(++serial);
    cls = "OrvandelTest." + ext;
  }
  void TearDown() override {
    for (const std::string& below : {cls, "." + ext}) {
      if (onRealRegistry()) SHDeleteKeyA(HKEY_CLASSES_ROOT, below.c_str());
      if (onRealRegistry()) SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kMachineClasses + below).c_str());
    }
    RegistryBackendTest::TearDown();
  }
  void associate(const std::string& exePath, bool all, int32_t icon, const std::wstring& openText = L"",
                 const std::wstring& newText = L"") {
    registry.CreateEXEAssociation(fromAnsi(exePath), fromAnsi(cls), L"Test files", fromAnsi(ext), openText, all, L"",
                                  all, newText, all, L"", icon);
  }
  // The key's default value and its subkeys, alike under both roots (nothing when it is missing).
  std::optional<Key> key(const std::string& below) {
    std::optional<Key> seen[2];
    for (int i = 0; i < 2; ++i) {
      HKEY handle = nullptr;
      const std::string path = (i ? kMachineClasses : "") + below;
      if (platform().openKey(i ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &handle)) continue;
      char buffer[512] = {};
      DWORD type = 0, size = sizeof buffer;
      seen[i].emplace();
      if (!platform().queryValue(handle, "", &type, reinterpret_cast<BYTE*>(buffer), &size)) {
        seen[i]->first = (type == REG_SZ ? "" : "expand:") + std::string(buffer);
      }
      for (DWORD n = 0; !platform().enumKey(handle, n, buffer, sizeof buffer); ++n) seen[i]->second.emplace_back(buffer);
      platform().closeKey(handle);
    }
    EXPECT_EQ(seen[0], seen[1]) << below;
    return seen[0];
  }
  std::string text(const std::string& below) { return key(below) ? key(below)->first : "<missing>"; }
};
ON_BOTH_REGISTRIES(RegistryAssociations);

TEST_P(RegistryAssociations, TheLayoutUnderEachRoot) {
  associate("C:\\Tools\\view.exe", false, -1);
  EXPECT_EQ(key("." + ext), (Key{cls, {}}));
  EXPECT_EQ(key(cls), (Key{"Test files", {"shell"}}));
  EXPECT_EQ(key(cls + "\\shell"), (Key{"", {"open"}}));
  EXPECT_EQ(key(cls + "\\shell\\open"), (Key{"&Open", {"command"}}));
  EXPECT_EQ(key(cls + "\\shell\\open\\command"), (Key{"\"C:\\Tools\\view.exe\" \"%1\"", {}}));

  associate("C:\\Tools\\view.exe", true, 0, L"&View", L"Make one");
  const std::string quoted = "\"C:\\Tools\\view.exe\"";
  EXPECT_EQ(key(cls + "\\shell"), (Key{"", {"add", "new", "open", "print"}}));
  EXPECT_EQ(text(cls + "\\shell\\open"), "&View");
  EXPECT_EQ(text(cls + "\\shell\\print"), "&Print");
  EXPECT_EQ(text(cls + "\\shell\\print\\command"), quoted + " /p \"%1\"");
  EXPECT_EQ(text(cls + "\\shell\\add"), "&Install " + ext);
  EXPECT_EQ(text(cls + "\\shell\\add\\command"), quoted + " /a \"%1\"");
  EXPECT_EQ(text(cls + "\\shell\\new"), "Make one");
  EXPECT_EQ(text(cls + "\\shell\\new\\command"), quoted + " /n \"%1\"");
  EXPECT_EQ(text(cls + "\\DefaultIcon"), quoted + ",0");
}

TEST_P(RegistryAssociations, TheProgramPathIsQuotedOnceAtEachEnd) {
  struct { const char* given; const char* command; } cases[] = {
      {"  C:\\My Tools\\v.exe  ", "\"C:\\My Tools\\v.exe\""}, {"\"C:\\v.exe", "\"C:\\v.exe\""},
      {"C:\\v.exe\"", "\"C:\\v.exe\""}, {"", "\""}, {"%ProgramFiles%\\v.exe", "expand:\"%ProgramFiles%\\v.exe\""}};
  for (const auto& c : cases) {
    associate(c.given, false, -1);
    EXPECT_EQ(text(cls + "\\shell\\open\\command"), std::string(c.command) + " \"%1\"") << c.given;
  }
}

TEST_P(RegistryAssociations, AdditionalVerbsNeedWholeGroupsAndAClassAlreadyThere) {
  const std::vector<Variant> verbs = {L"edit", L"&Edit", L"notepad.exe %1", L"play", L"P&lay", Variant::longValue(5)};
  auto errorOf = [&](const std::vector<Variant>& items) {
    return registryErrorOf([&] { registry.CreateAdditionalEXEAssociations(fromAnsi(cls), items); });
  };
  EXPECT_EQ(errorOf(verbs).number(), RegistryError::kClassNotDefined);  // no root chosen yet
  associate("C:\\view.exe", false, -1);
  // Still addressed to HKEY_LOCAL_MACHINE, where the class is not found directly.
  EXPECT_EQ(errorOf(verbs).description(), L"Error - attempt to create additional associations before class defined.");
  registry.ClassKey(clsRegistry::HKEY_CLASSES_ROOT_NUMBER);
  const RegistryError partial = errorOf({verbs.begin(), verbs.begin() + 5});
  EXPECT_EQ(partial.number(), static_cast<int32_t>(0x800469AC));
  EXPECT_EQ(partial.description(),
            L"Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
  EXPECT_EQ(key(cls + "\\shell"), (Key{"", {"open"}}));

  registry.CreateAdditionalEXEAssociations(fromAnsi(cls), verbs);
  EXPECT_EQ(key(cls + "\\shell\\edit"), (Key{"&Edit", {"command"}}));
  EXPECT_EQ(text(cls + "\\shell\\edit\\command"), "notepad.exe %1");
  EXPECT_EQ(text(cls + "\\shell\\play"), "P&lay");
  EXPECT_EQ(text(cls + "\\shell\\play\\command"), "5");
}

class RegistryAssociationFaults : public RegistryAssociations {
 protected:
  void refuse(const std::string& path) {
    memory().setHook([=](MemoryRegistry::Op op, const std::string& at) {
      return op == MemoryRegistry::Op::SetValue && at == path ? LONG(ERROR_ACCESS_DENIED) : LONG(ERROR_SUCCESS);
    });
  }
};
INSTANTIATE_TEST_SUITE_P(Backends, RegistryAssociationFaults, ::testing::Values("Memory"),
                         [](const auto& info) { return info.param; });

TEST_P(RegistryAssociationFaults, AFailedWriteStopsTheAssociationAndKeepsWhatWasWritten) {
  refuse("HKEY_LOCAL_MACHINE\\" + kMachineClasses + cls + "\\shell\\open");
  EXPECT_EQ(registryErrorOf([&] { associate("C:\\view.exe", true, 0); }).number(), RegistryError::kWriteFailure);
  EXPECT_TRUE(memory().value(HKEY_CLASSES_ROOT, cls + "\\shell\\open", ""));
  EXPECT_FALSE(memory().value(HKEY_CLASSES_ROOT, cls + "\\shell\\open\\command", ""));
  EXPECT_EQ(registry.SectionKey(), fromAnsi(cls + "\\shell\\open"));  // never the machine-wide path

  // Among additional verbs a failed step is dropped and the rest goes on; an item without a text
  // form writes nowhere.
  registry.ClassKey(clsRegistry::HKEY_CLASSES_ROOT_NUMBER);
  refuse("HKEY_CLASSES_ROOT\\" + cls + "\\shell\\one");
  registry.CreateAdditionalEXEAssociations(
      fromAnsi(cls), {L"one", L"One", L"one.exe", Variant::null(), L"lost", L"lost.exe", L"two", Variant::null(), L"two.exe"});
  EXPECT_FALSE(memory().value(HKEY_LOCAL_MACHINE, kMachineClasses + cls + "\\shell\\one", ""));  // skipped with its pair
  EXPECT_EQ(text(cls + "\\shell\\one\\command"), "one.exe");
  EXPECT_EQ(key(cls + "\\shell"), (Key{"", {"one", "open", "two"}}));
  EXPECT_EQ(key(cls + "\\shell\\two"), (Key{"", {"command"}}));
  EXPECT_EQ(memory().openHandles(), 0u);
}

// What Wine's own reg.exe sees of an association the object wrote.
std::string regQuery(const std::string& key) {
  FILE* pipe = _popen(("reg.exe query \"" + key + "\" /s").c_str(), "r");
  std::string output;
  char chunk[4096];
  for (size_t got; pipe && (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, got);
  if (pipe) _pclose(pipe);
  return output;
}

class RegistryAssociationsOnWine : public RegistryAssociations {};
INSTANTIATE_TEST_SUITE_P(Backends, RegistryAssociationsOnWine, ::testing::Values("Real"),
                         [](const auto& info) { return info.param; });

TEST_P(RegistryAssociationsOnWine, RegExeListsTheLayoutUnderBothRoots) {
  associate("C:\\Tools\\view.exe", false, 3);
  for (const std::string root : {"HKEY_CLASSES_ROOT\\", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\"}) {
    EXPECT_EQ(regQuery(root + "." + ext), "\n" + root + "." + ext + "\n    (Default)    REG_SZ    " + cls + "\n\n");
    const std::string c = root + cls;
    EXPECT_EQ(regQuery(c), "\n" + c + "\n    (Default)    REG_SZ    Test files\n\n" + c +
                               "\\DefaultIcon\n    (Default)    REG_SZ    \"C:\\Tools\\view.exe\",3\n\n" + c +
                               "\\shell\n\n" + c + "\\shell\\open\n    (Default)    REG_SZ    &Open\n\n" + c +
                               "\\shell\\open\\command\n    (Default)    REG_SZ    \"C:\\Tools\\view.exe\" \"%1\"\n\n");
  }
}
}  // namespace
