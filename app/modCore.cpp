#include "app/modCore.h"

#include <algorithm>
#include <exception>

#include "resources/WordIds.h"

const wchar_t modCore::kHandlerPath[] = L"SystemFileAssociations\\.avi\\shellex\\PropertyHandler\\";
const wchar_t modCore::kHandlerDetectPath[] = L"SystemFileAssociations\\.avi\\shellex\\PropertyHandler";
const wchar_t modCore::kHandlerClassId[] = L"{87D62D94-71B3-4b9a-9489-5FE6850DC73E}";

namespace {
// The available mode's note is text on the panel; the other's says it is not available now.
constexpr DesignColour kAvailableNote{RGB(128, 0, 0), ColourRole::FaceText};
constexpr DesignColour kUnavailableNote{RGB(128, 128, 128), ColourRole::GrayText};

const wchar_t kClasses[] = L"Software\\Classes\\";
}  // namespace

// Explorer reads the handler from the user's classes merged over the computer's; another computer
// serves only its own. Each store is named outright, so the switch finds the same keys whichever
// account runs it (a service has no user's classes behind HKEY_CLASSES_ROOT) and on Wine, whose
// class root shows only the computer's. The 64-bit view is the one 64-bit Explorer reads.
std::vector<clsRegistry> modCore::stores(const wchar_t* path) const {
  std::vector<clsRegistry> stores;
  for (int32_t root : {clsRegistry::HKEY_CURRENT_USER_NUMBER, clsRegistry::HKEY_LOCAL_MACHINE_NUMBER}) {
    clsRegistry store(registry_);
    store.Machine(machine_);
    if (root == clsRegistry::HKEY_CURRENT_USER_NUMBER && !store.Machine().empty()) continue;
    store.KeysOnMachine(true);
    store.View64(true);
    store.ClassKey(root);
    store.SectionKey(kClasses + std::wstring(path));
    stores.push_back(store);
  }
  return stores;
}

namespace {
// Where a store's key is, as an administrator names it in a report (HKEY_LOCAL_MACHINE, then
// Software\Classes and the handler's path), behind "\\PC07" on another computer.
std::wstring whereIs(const clsRegistry& store) {
  const wchar_t* root = store.ClassKey() == clsRegistry::HKEY_CURRENT_USER_NUMBER ? L"HKEY_CURRENT_USER\\" : L"HKEY_LOCAL_MACHINE\\";
  return (store.Machine().empty() ? L"" : store.Machine() + L"\\") + root + store.SectionKey();
}

// What one store's key names for Explorer to load: its default value's text. Only "not there"
// reads as nothing; any other failure to open or read is no answer.
HandlerReading readStore(clsRegistry store) {
  HandlerReading reading;
  reading.fromUser = store.ClassKey() == clsRegistry::HKEY_CURRENT_USER_NUMBER;
  reading.where = whereIs(store);
  store.ValueKey(L"");
  store.ValueType(REG_NONE);
  Variant value;
  LONG result = store.TryValue(value);
  if (result == ERROR_SUCCESS) {
    const bool text = store.ValueType() == REG_SZ || store.ValueType() == REG_EXPAND_SZ;
    reading.handler = text ? value.toText() : std::wstring();
    reading.kind = reading.handler.empty() ? HandlerReading::NoHandler : HandlerReading::Handler;
  } else if (result == ERROR_FILE_NOT_FOUND) {
    // The key, or only its value: the key without one names no handler, but hides the computer's.
    result = store.TryOpenKey();
    if (result == ERROR_SUCCESS) reading.kind = HandlerReading::NoHandler;
  }
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    reading.kind = HandlerReading::Unreadable;
    reading.error = RegistryError::fromSystem(result);
  }
  return reading;
}

bool sameLetters(wchar_t a, wchar_t b) {
  const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
  return lower(a) == lower(b);
}
}  // namespace

bool HandlerReading::namesWindowsHandler() const {
  const std::wstring windows = modCore::kHandlerClassId;
  return kind == Handler && handler.size() == windows.size() &&
         std::equal(handler.begin(), handler.end(), windows.begin(), sameLetters);
}

HandlerReading modCore::ExplorersView() const {
  for (const clsRegistry& store : stores(kHandlerDetectPath)) {
    HandlerReading reading = readStore(store);
    if (reading.kind != HandlerReading::NoKey) return reading;
  }
  return {};
}

bool modCore::AVIPreviewKeyExists() const {
  const HandlerReading view = ExplorersView();
  return view.kind == HandlerReading::Handler || view.kind == HandlerReading::Unreadable;
}

SwitchOutcome modCore::readBack(bool restore) const {
  const HandlerReading view = ExplorersView();
  if (view.kind == HandlerReading::Unreadable) return {SwitchOutcome::Refused, view.where, view.error, {}};
  const bool asAsked = restore ? view.namesWindowsHandler() : view.kind != HandlerReading::Handler;
  return {asAsked ? SwitchOutcome::Done : SwitchOutcome::Refused, {}, std::nullopt, {}};
}

// Every store that holds the key, or may (one the account can't read), whatever handler it names,
// the user's first: the computer's would show through otherwise.
SwitchOutcome modCore::removeHandler(const HandlerReading& view) const {
  if (view.kind == HandlerReading::NoKey || view.kind == HandlerReading::NoHandler) {
    return {SwitchOutcome::AlreadySo, {}, std::nullopt, {}};
  }
  for (clsRegistry& store : stores(kHandlerPath)) {
    if (store.TryOpenKey() != ERROR_FILE_NOT_FOUND) store.DeleteKey();
  }
  return readBack(false);
}

// The computer's store, for everyone who uses the computer. A user's key hides it: one that names
// no handler is a leftover and goes; one that names another handler was someone's choice (a codec
// pack's), which is not overwritten: the user is told, and Remove takes it away when asked.
SwitchOutcome modCore::restoreHandler(const HandlerReading& view) const {
  if (view.namesWindowsHandler()) return {SwitchOutcome::AlreadySo, {}, std::nullopt, {}};
  if (view.kind == HandlerReading::Unreadable) return {SwitchOutcome::Refused, view.where, view.error, {}};
  if (view.fromUser && view.kind == HandlerReading::Handler) {
    return {SwitchOutcome::UsersOwnHandler, view.where, std::nullopt, view.handler};
  }
  if (view.fromUser) stores(kHandlerPath).front().DeleteKey();
  writeComputersKey();
  return readBack(true);
}

void modCore::writeComputersKey() const {
  clsRegistry registry = computersStore();
  if (readStore(registry).namesWindowsHandler()) return;
  registry.ValueKey(L"");
  const bool existed = registry.TryOpenKey() != ERROR_FILE_NOT_FOUND;
  registry.CreateKey();
  registry.ValueType(REG_SZ);
  try {
    registry.Value(Variant::text(kHandlerClassId));
  } catch (...) {
    // A key without its class identifier registers no handler: a failed write is a failed
    // restore, and a key this restore made is taken away again rather than left half-written.
    // Only while it is still empty: one another program made meanwhile and filled stays.
    if (!existed) {
      try {
        std::vector<std::wstring> names;
        int32_t values = 0, subkeys = 0;
        registry.EnumerateValues(names, values);
        registry.EnumerateSections(names, subkeys);
        if (values == 0 && subkeys == 0) registry.DeleteKey();
      } catch (...) {
      }
    }
    throw;
  }
}

SwitchOutcome modCore::ChangeAVIPreviewMode(int mode) const {
  const bool restore = mode != Remove;
  HandlerReading view;
  try {
    view = ExplorersView();
  } catch (const RegistryError& error) {
    return {SwitchOutcome::NotReached, machine_, error, {}};
  } catch (...) {
    return {};  // memory, say: refused
  }
  try {
    return restore ? restoreHandler(view) : removeHandler(view);
  } catch (const RegistryError& error) {
    return {SwitchOutcome::Refused, {}, error, {}};
  } catch (...) {
    return {};
  }
}

// A restore of what is already there is a success, as a write of the same value would be; a
// removal of what is not there is not: the user asked to take away something that was gone.
SwitchBox modCore::boxFor(int mode, const SwitchOutcome& outcome) const {
  const bool restore = mode != Remove;
  const SwitchOutcome::Kind kind = outcome.kind;
  if (kind == SwitchOutcome::UsersOwnHandler) {
    return {word(IDS_USERS_OWN_HANDLER, {outcome.handler}, language_), kApplicationTitle, kExclamationStyle};
  }
  if (kind == SwitchOutcome::Done || (kind == SwitchOutcome::AlreadySo && restore)) {
    return {word(restore ? IDS_RESTORED : IDS_REMOVED, language_), word(IDS_SUCCESS, language_), kInformationStyle};
  }
  return {word(restore ? IDS_RESTORE_FAILED : IDS_REMOVE_FAILED, language_), kApplicationTitle, kExclamationStyle};
}

void modCore::ApplyAVIPreviewMode(int mode, PreviewModeView& view) const {
  const SwitchBox box = boxFor(mode, ChangeAVIPreviewMode(mode));
  messages_.show(view.messageOwner(), box.prompt, box.caption, box.style);
  bool exists = false;
  try {
    exists = AVIPreviewKeyExists();
  } catch (const std::exception&) {
    return;  // the other computer went out of reach: there is no state to show
  }
  SyncMainWindow(exists ? Remove : Restore, view);
}

void modCore::SyncMainWindow(int availableMode, PreviewModeView& view) const {
  const bool removable = availableMode == Remove;
  view.enableOption(Remove, removable);
  view.enableFrame(Remove, removable);
  view.enableInfo(Remove, removable);
  view.setRestartNoteColour(Remove, removable ? kAvailableNote : kUnavailableNote);
  view.enableOption(Restore, !removable);
  view.enableFrame(Restore, !removable);
  view.enableInfo(Restore, !removable);
  view.setRestartNoteColour(Restore, removable ? kUnavailableNote : kAvailableNote);
  view.selectOption(removable ? Remove : Restore);
}
