#include "registry/clsRegistry.h"

#include "base/NumberText.h"

namespace {
const std::wstring kMachineClasses = L"SOFTWARE\\Classes\\";

// The program's path in double quotes, spaces around it removed; a quote already at either end
// is kept and not doubled.
std::wstring quotedPath(const std::wstring& path) {
  const size_t first = path.find_first_not_of(L' ');
  std::wstring quoted = first == std::wstring::npos ? L"" : path.substr(first, path.find_last_not_of(L' ') - first + 1);
  if (quoted.empty() || quoted.front() != L'"') quoted.insert(quoted.begin(), L'"');
  if (quoted.back() != L'"') quoted.push_back(L'"');
  return quoted;
}
}  // namespace

// Writes the addressed value under HKEY_CLASSES_ROOT and again below HKEY_LOCAL_MACHINE's
// classes; afterwards ClassKey is HKEY_LOCAL_MACHINE and SectionKey the path given.
void clsRegistry::SetClassesValue(const std::wstring& text) {
  ClassKey(HKEY_CLASSES_ROOT_NUMBER);
  Value(Variant::text(text));
  const std::wstring section = sectionKey_;
  ClassKey(HKEY_LOCAL_MACHINE_NUMBER);
  SectionKey(kMachineClasses + section);
  try {
    Value(Variant::text(text));
  } catch (...) {
    SectionKey(section);  // the caller never sees the machine-wide prefix
    throw;
  }
  SectionKey(section);
}

void clsRegistry::CreateEXEAssociation(const std::wstring& sExePath, const std::wstring& sClassName,
                                       const std::wstring& sClassDescription, const std::wstring& sAssociation,
                                       const std::wstring& sOpenMenuText, bool bSupportPrint,
                                       const std::wstring& sPrintMenuText, bool bSupportNew,
                                       const std::wstring& sNewMenuText, bool bSupportInstall,
                                       const std::wstring& sInstallMenuText, int32_t lDefaultIconIndex) {
  const std::wstring command = quotedPath(sExePath);

  SectionKey(L"." + sAssociation);
  ValueType(REG_SZ);
  ValueKey(L"");
  SetClassesValue(sClassName);
  SectionKey(sClassName);
  SetClassesValue(sClassDescription);

  // A verb: its menu text on the verb's key, then its command line on the command key below.
  const auto writeVerb = [&](const wchar_t* verb, const std::wstring& menuText, const std::wstring& standardText,
                             const wchar_t* switches) {
    SectionKey(sClassName + L"\\shell\\" + verb);
    ValueKey(L"");
    SetClassesValue(menuText.empty() ? standardText : menuText);
    SectionKey(sClassName + L"\\shell\\" + verb + L"\\command");
    ValueKey(L"");
    SetClassesValue(command + L" " + switches + L"\"%1\"");
  };
  writeVerb(L"open", sOpenMenuText, L"&Open", L"");
  if (bSupportPrint) writeVerb(L"print", sPrintMenuText, L"&Print", L"/p ");
  if (bSupportInstall) writeVerb(L"add", sInstallMenuText, L"&Install " + sAssociation, L"/a ");
  if (bSupportNew) writeVerb(L"new", sNewMenuText, L"&New", L"/n ");

  if (lDefaultIconIndex > -1) {
    SectionKey(sClassName + L"\\DefaultIcon");
    ValueKey(L"");
    SetClassesValue(command + L"," + decimalText(lDefaultIconIndex));
  }
}

void clsRegistry::CreateAdditionalEXEAssociations(const std::wstring& sClassName,
                                                  const std::vector<Variant>& vItems) {
  if (vItems.size() % 3 != 0) {
    throw RegistryError(RegistryError::kInvalidParameterList,
                        L"Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
  }
  SectionKey(sClassName);
  if (!KeyExists()) {
    throw RegistryError(RegistryError::kClassNotDefined,
                        L"Error - attempt to create additional associations before class defined.");
  }

  // A step that fails is dropped and the next one goes on. An item without a text form abandons
  // the steps that need it, rather than writing to whatever key was addressed before.
  const auto step = [](auto&& write) {
    try {
      write();
    } catch (const RegistryError&) {
    } catch (const VariantError&) {
    }
  };
  for (size_t group = 0; group < vItems.size(); group += 3) {
    std::wstring verbKey;
    step([&] { verbKey = sClassName + L"\\shell\\" + vItems[group].toText(); });
    if (verbKey.empty()) continue;
    ValueType(REG_SZ);
    step([&] {
      const std::wstring menuText = vItems[group + 1].toText();
      SectionKey(verbKey);
      ValueKey(L"");
      SetClassesValue(menuText);
    });
    step([&] {
      const std::wstring commandLine = vItems[group + 2].toText();
      SectionKey(verbKey + L"\\command");
      ValueKey(L"");
      SetClassesValue(commandLine);
    });
  }
}
