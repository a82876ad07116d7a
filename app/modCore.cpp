#include "app/modCore.h"

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
// The handler a store's key names for Explorer to load: its default value's text; empty when the
// key has none, or can't be read.
std::wstring handlerNamed(clsRegistry& store) {
  store.ValueKey(L"");
  store.ValueType(REG_NONE);
  const Variant value = store.Value();
  return store.ValueType() == REG_SZ || store.ValueType() == REG_EXPAND_SZ ? value.toText() : std::wstring();
}

// Windows' own registration: the handler's class identifier as text.
bool holdsWindowsHandler(clsRegistry store) {
  return handlerNamed(store) == modCore::kHandlerClassId && store.ValueType() == REG_SZ;
}
}  // namespace

bool modCore::AVIPreviewKeyExists() const {
  for (clsRegistry& store : stores(kHandlerDetectPath)) {
    if (!handlerNamed(store).empty()) return true;
  }
  return false;
}

// Every store that holds the key, whatever handler it names, the user's first: the computer's
// would show through otherwise.
bool modCore::removeHandler() const {
  for (clsRegistry& store : stores(kHandlerPath)) {
    if (store.KeyExists()) store.DeleteKey();
  }
  return !AVIPreviewKeyExists();
}

// The computer's store: the handler is then registered for everyone who uses it.
bool modCore::restoreHandler() const {
  clsRegistry registry = computersStore();
  registry.ValueKey(L"");
  const bool existed = registry.KeyExists();
  if (!registry.CreateKey()) return false;
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
  return holdsWindowsHandler(registry);
}

SwitchOutcome modCore::ChangeAVIPreviewMode(int mode) const {
  const bool restore = mode != Remove;
  bool asAsked = false;
  try {
    // Restored is the computer's key holding Windows' handler; removed is no store naming any.
    asAsked = restore ? holdsWindowsHandler(computersStore()) : !AVIPreviewKeyExists();
  } catch (const RegistryError& error) {
    return {SwitchOutcome::NotReached, error};
  }
  if (asAsked) return {SwitchOutcome::AlreadySo, std::nullopt};
  try {
    // Done only when the registry then reads as asked, whatever the calls answered.
    return {(restore ? restoreHandler() : removeHandler()) ? SwitchOutcome::Done : SwitchOutcome::Refused, std::nullopt};
  } catch (const RegistryError& error) {
    return {SwitchOutcome::Refused, error};
  } catch (const std::exception&) {
    return {SwitchOutcome::Refused, std::nullopt};
  }
}

// A restore of what is already there is a success, as a write of the same value would be; a
// removal of what is not there is not: the user asked to take away something that was gone.
SwitchBox modCore::boxFor(int mode, SwitchOutcome::Kind kind) const {
  const bool restore = mode != Remove;
  if (kind == SwitchOutcome::Done || (kind == SwitchOutcome::AlreadySo && restore)) {
    return {word(restore ? IDS_RESTORED : IDS_REMOVED, language_), word(IDS_SUCCESS, language_), kInformationStyle};
  }
  return {word(restore ? IDS_RESTORE_FAILED : IDS_REMOVE_FAILED, language_), kApplicationTitle, kExclamationStyle};
}

void modCore::ApplyAVIPreviewMode(int mode, PreviewModeView& view) const {
  const SwitchBox box = boxFor(mode, ChangeAVIPreviewMode(mode).kind);
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
