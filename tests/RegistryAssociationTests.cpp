// File-type associations under both class roots, on both registries.
#include <shlwapi.h>

#include <optional>

#include "base/AnsiText.h"
#include "tests/RegistryBackend.h"

namespace {
using Key = std::pair<std::string, std::vector<std::string>>;  // default value, subkeys
const std::string kMachineClasses = "SOFTWARE\\Classes\\";

class RegistryAssociations : public RegistryBackendTest {
 protected:
  std::string cls, ext;  // unique to this run, as they live outside the scratch key

  void SetUp() override {
    RegistryBackendTest::SetUp();
    ext = "orvt" + std::to_string(GetCurrentProcessId());
    cls = "OrvandelTest." + ext;
    TearDown();
  }
  void TearDown() override {
    for (const std::string& below : {cls, "." + ext}) {
      if (onRealRegistry()) SHDeleteKeyA(HKEY_CLASSES_ROOT, below.c_str());
      if (onRealRegistry()) SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kMachineClasses + below).c_str());
    }
    RegistryBackendTest::TearDown();
  }
  void associate(const std::string& exePath, bool all, int32_t icon, const std::wstring& openText = L"") {
    registry.CreateEXEAssociation(fromAnsi(exePath), fromAnsi(cls), L"Test files", fromAnsi(ext), openText, all, L"",
                                  all, L"Make one", all, L"", icon);
  }
  // The key's default value and its subkeys, alike under both roots (nothing when it is missing).
  std::optional<Key> key(const std::string& below) {
    std::optional<Key> seen[2];
    for (int i = 0; i < 2; ++i) {
      HKEY handle = nullptr;
      const std::string path = (i ? kMachineClasses : "") + below;
      if (platform().openKey(i ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &handle)) continue;
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

  associate("C:\\Tools\\view.exe", true, 0, L"&View");
  const std::string quoted = "\"C:\\Tools\\view.exe\"";
  EXPECT_EQ(key(cls + "\\shell"), (Key{"", {"add", "new", "open", "print"}}));
  const struct { const char* below; std::string text; } verbs[] = {
      {"shell\\open", "&View"}, {"shell\\print", "&Print"}, {"shell\\print\\command", quoted + " /p \"%1\""},
      {"shell\\add", "&Install " + ext}, {"shell\\add\\command", quoted + " /a \"%1\""}, {"shell\\new", "Make one"},
      {"shell\\new\\command", quoted + " /n \"%1\""}, {"DefaultIcon", quoted + ",0"}};
  for (const auto& verb : verbs) EXPECT_EQ(text(cls + "\\" + verb.below), verb.text);

  // The program's path is quoted once at each end.
  struct { const char* given; const char* command; } paths[] = {
      {"  C:\\My Tools\\v.exe  ", "\"C:\\My Tools\\v.exe\""}, {"\"C:\\v.exe", "\"C:\\v.exe\""},
      {"%ProgramFiles%\\v.exe", "expand:\"%ProgramFiles%\\v.exe\""}};
  for (const auto& c : paths) {
    associate(c.given, false, -1);
    EXPECT_EQ(text(cls + "\\shell\\open\\command"), std::string(c.command) + " \"%1\"") << c.given;
  }
}

}  // namespace
