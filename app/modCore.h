#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/MessagePresenter.h"
#include "controls/ColourScheme.h"
#include "registry/clsRegistry.h"

// Which change the switch makes; also the index of the mode's option button and panel.
enum PreviewMode : int { Remove = 0, Restore = 1 };

// The parts of the main window that show the switch's state.
class PreviewModeView {
 public:
  virtual ~PreviewModeView() = default;
  virtual void enableOption(PreviewMode mode, bool enabled) = 0;
  virtual void enableFrame(PreviewMode mode, bool enabled) = 0;
  virtual void enableInfo(PreviewMode mode, bool enabled) = 0;
  virtual void setRestartNoteColour(PreviewMode mode, DesignColour colour) = 0;
  virtual void selectOption(PreviewMode mode) = 0;
  virtual HWND messageOwner() const = 0;
};

// The preview-handler switch. It keeps no state: the registry is read afresh whenever the state
// is needed, and every operation uses a registry object of its own.
class modCore {
 public:
  static const wchar_t kHandlerPath[];         // used to remove and restore (trailing backslash)
  static const wchar_t kHandlerDetectPath[];   // used to detect (no trailing backslash)
  static const wchar_t kHandlerClassId[];

  // machine: "\\name" to switch another computer's handler, empty for this one.
  modCore(RegistryPlatform& registry, MessagePresenter& messages, std::wstring machine = {})
      : registry_(registry), messages_(messages), machine_(std::move(machine)) {}

  // Whether any store holds the key. Raises the registry error only when another computer was
  // named and can't be reached.
  bool AVIPreviewKeyExists() const;
  // Makes the change, reports it, then shows the window what the registry now says. Never throws.
  void ApplyAVIPreviewMode(int mode, PreviewModeView& view) const;
  void SyncMainWindow(int availableMode, PreviewModeView& view) const;

 private:
  // The handler key (at that path) in each store it may be registered in, the user's first.
  std::vector<clsRegistry> stores(const wchar_t* path) const;
  bool removeHandler() const;
  bool restoreHandler() const;

  RegistryPlatform& registry_;
  MessagePresenter& messages_;
  std::wstring machine_;
};
