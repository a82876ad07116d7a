#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registry/RegistryError.h"
#include "registry/RegistryPlatform.h"
#include "base/Variant.h"

// The program's gateway to the registry. A caller addresses a key and value through the
// properties, then calls one operation; every operation opens what it needs and closes it again,
// so the object holds no handle between calls.
class clsRegistry {
 public:
  static constexpr int32_t HKEY_CLASSES_ROOT_NUMBER = static_cast<int32_t>(0x80000000u);
  static constexpr int32_t HKEY_CURRENT_USER_NUMBER = static_cast<int32_t>(0x80000001u);
  static constexpr int32_t HKEY_LOCAL_MACHINE_NUMBER = static_cast<int32_t>(0x80000002u);

  clsRegistry() : clsRegistry(systemRegistry()) {}
  explicit clsRegistry(RegistryPlatform& platform) : platform_(&platform) {}

  // The computer the value operations use: empty for this one, otherwise "\\name".
  const std::wstring& Machine() const { return machine_; }
  void Machine(const std::wstring& sMachine);
  // Off (the default), only the value operations use Machine. On, every operation does, and a
  // computer out of reach raises the platform's own error number and text instead of reading as
  // a missing key.
  bool KeysOnMachine() const { return keysOnMachine_; }
  void KeysOnMachine(bool bKeysOnMachine) { keysOnMachine_ = bKeysOnMachine; }
  // Off (the default), every key is opened, created and deleted in the program's own view of the
  // registry. On, in the 64-bit view (KEY_WOW64_64KEY): the one 64-bit programs such as Explorer
  // read, where 64-bit Windows gives a 32-bit program a redirected copy of some keys. 32-bit
  // Windows has one view and ignores the flag.
  bool View64() const { return view64_; }
  void View64(bool bView64) { view64_ = bView64; }

  // Whether the key can be opened for reading: a key that is there but may not be read counts
  // as absent. TryOpenKey tells the two apart: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when the key is
  // not there, or the system's refusal (ERROR_ACCESS_DENIED, ...).
  bool KeyExists() const;
  LONG TryOpenKey() const;
  bool CreateKey();
  bool DeleteKey();
  bool DeleteValue();

  // Reads the addressed value into a variant of the stored type's kind; Default when unreadable.
  Variant Value();
  void Value(const Variant& vValue);
  // The same read, with why it found no value: ERROR_SUCCESS and the value, ERROR_FILE_NOT_FOUND
  // when the key or the value is not there, or the system's refusal; vValue is left as it was.
  LONG TryValue(Variant& vValue);

  // Names found, in enumeration order: element 0 holds name number 1.
  bool EnumerateValues(std::vector<std::wstring>& sKeyNames, int32_t& iKeyCount);
  bool EnumerateSections(std::vector<std::wstring>& sSect, int32_t& iSectCount);

  void CreateEXEAssociation(const std::wstring& sExePath, const std::wstring& sClassName,
                            const std::wstring& sClassDescription, const std::wstring& sAssociation,
                            const std::wstring& sOpenMenuText, bool bSupportPrint,
                            const std::wstring& sPrintMenuText, bool bSupportNew,
                            const std::wstring& sNewMenuText, bool bSupportInstall,
                            const std::wstring& sInstallMenuText, int32_t lDefaultIconIndex);
  void CreateAdditionalEXEAssociations(const std::wstring& sClassName, const std::vector<Variant>& vItems);

  int32_t ValueType() const { return valueType_; }
  void ValueType(int32_t eValueType) { valueType_ = eValueType; }
  int32_t ClassKey() const { return classKey_; }
  void ClassKey(int32_t eKey) { classKey_ = eKey; }
  const std::wstring& SectionKey() const { return sectionKey_; }
  void SectionKey(const std::wstring& sSectionKey) { sectionKey_ = sSectionKey; }
  const std::wstring& ValueKey() const { return valueKey_; }

  // Addresses, sets the default and reads in one call; the settings stay in the object.
  Variant ValueEx(int32_t eClassKey, const std::wstring& sSectionKey, const std::wstring& sValueKey,
                  int32_t eValueType, const Variant& vDefault);
  // The same settings, then writes vValue (a REG_SZ write of empty text writes vDefault instead).
  void ValueEx(int32_t eClassKey, const std::wstring& sSectionKey, const std::wstring& sValueKey,
               int32_t eValueType, const Variant& vDefault, const Variant& vValue);

  void ValueKey(const std::wstring& sValueKey) { valueKey_ = sValueKey; }
  const Variant& Default() const { return default_; }
  void Default(const Variant& vDefault) { default_ = vDefault; }

 private:
  HKEY root() const { return rootKeyFromNumber(classKey_); }
  static constexpr REGSAM kKeySpecificRights = 0x3F;  // never the standard rights such as delete
  // The rights asked for by every open and create, in the view chosen.
  REGSAM access(REGSAM rights) const { return view64_ ? rights | KEY_WOW64_64KEY : rights; }
  // The create call the object makes everywhere: empty class, non-volatile, zeroed security.
  LONG createSection(HKEY parent, const std::string& path, RegKeyHandle& key) const;
  // The key an operation starts from: this computer's root, or that root on Machine for value
  // operations (for every operation with KeysOnMachine). Answers the connection's result; with
  // KeysOnMachine a failed connection raises instead.
  LONG reach(bool valueOperation, RegKeyHandle& remote, HKEY& parent) const;
  // Where a key operation starts: its parent key, reached as reach() says, and the section's
  // exact ANSI path below it (nothing when the path has none).
  struct KeyAddress {
    explicit KeyAddress(const clsRegistry& registry);
    RegKeyHandle remote;
    HKEY parent = nullptr;
    std::optional<std::string> path;
  };

  void SetClassesValue(const std::wstring& text);
  static int32_t ReverseLong(int32_t value);
  std::wstring ExpandEnvironment(const std::string& text) const;

  LONG storeText(HKEY key, const std::string& name, const Variant& value);
  LONG storeBytes(HKEY key, const std::string& name, const Variant& value);
  LONG storeLong(HKEY key, const std::string& name, const Variant& value);
  [[noreturn]] void raiseWriteFailure(int32_t number, const Variant& value) const;
  std::wstring keyDescription() const;

  RegistryPlatform* platform_;
  std::wstring machine_;
  bool keysOnMachine_ = false;
  bool view64_ = false;
  int32_t classKey_ = 0;
  std::wstring sectionKey_;
  std::wstring valueKey_;
  int32_t valueType_ = 0;
  Variant default_;
};
