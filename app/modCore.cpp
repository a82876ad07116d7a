#include "app/modCore.h"

#include <exception>
#include <vector>

#include "registry/clsRegistry.h"

const wchar_t modCore::kHandlerPath[] = L"SystemFileAssociations\\.avi\\shellex\\PropertyHandler\\";
const wchar_t modCore::kHandlerDetectPath[] = L"SystemFileAssociations\\.avi\\shellex\\PropertyHandler";
const wchar_t modCore::kHandlerClassId[] = L"{87D62D94-71B3-4b9a-9489-5FE6850DC73E}";

namespace {
const wchar_t kRemoved[] = L"AVI Previewing has been successfully removed.";
const wchar_t kRestored[] = L"AVI Previewing has been successfully restored.";
const wchar_t kSuccessCaption[] = L"Success!";
const wchar_t kRemoveFailed[] =
    L"AVI Previewing wasn't disabled.\r\n\r\n"
    L"There was an error while trying to remove the AVI Previewing\r\n"
    L"feature. Do you have administrator priviledges?";
const wchar_t kRestoreFailed[] =
    L"AVI Previewing wasn't restored.\r\n\r\n"
    L"There was an error while trying to restore the AVI Previewing\r\n"
    L"feature. Do you have administrator priviledges?";

// The available mode's note is text on the panel; the other's says it is not available now.
constexpr DesignColour kAvailableNote{RGB(128, 0, 0), ColourRole::FaceText};
constexpr DesignColour kUnavailableNote{RGB(128, 128, 128), ColourRole::GrayText};

// Every operation of the switch on one computer: this one, or the one named.
clsRegistry handlerKey(RegistryPlatform& platform, const std::wstring& machine, const wchar_t* path) {
  clsRegistry registry(platform);
  registry.Machine(machine);
  registry.KeysOnMachine(true);
  registry.ClassKey(clsRegistry::HKEY_CLASSES_ROOT_NUMBER);
  registry.SectionKey(path);
  return registry;
}
}  // namespace

bool modCore::AVIPreviewKeyExists() const {
  return handlerKey(registry_, machine_, kHandlerDetectPath).KeyExists();
}

bool modCore::removeHandler() const {
  clsRegistry registry = handlerKey(registry_, machine_, kHandlerPath);
  registry.ValueKey(L"");
  return registry.DeleteKey();
}

bool modCore::restoreHandler() const {
  clsRegistry registry = handlerKey(registry_, machine_, kHandlerPath);
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
  return true;
}

void modCore::ApplyAVIPreviewMode(int mode, PreviewModeView& view) const {
  const bool restore = mode != Remove;
  bool succeeded = false;
  try {
    succeeded = restore ? restoreHandler() : removeHandler();
  } catch (const std::exception&) {
    succeeded = false;  // every refusal is reported the same way
  }
  if (succeeded) {
    messages_.show(view.messageOwner(), restore ? kRestored : kRemoved, kSuccessCaption, kInformationStyle);
  } else {
    messages_.show(view.messageOwner(), restore ? kRestoreFailed : kRemoveFailed, kApplicationTitle,
                   kExclamationStyle);
  }
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
