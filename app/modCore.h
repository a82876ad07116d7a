#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/MessagePresenter.h"
#include "base/Words.h"
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

// What the handler key tells Explorer, read from one store or from the stores as Explorer merges
// them.
struct HandlerReading {
  enum Kind {
    NoKey,       // not there
    NoHandler,   // there, naming no handler (no default value, or no text in it)
    Handler,     // naming `handler`
    Unreadable,  // there, or may be, but the account may not read it: no answer
  };
  Kind kind = NoKey;
  bool fromUser = false;                // read from the user's classes (which hide the computer's)
  std::wstring handler;                 // Handler: the class identifier named
  std::wstring where;                   // the key read, as an administrator names it
  std::optional<RegistryError> error;   // Unreadable: the system's refusal
  // Windows' own handler, in any letter case, as COM reads a class identifier.
  bool namesWindowsHandler() const;
};

// What a change of the switch came to: the window shows it as a box, a script as words and an
// exit code.
struct SwitchOutcome {
  enum Kind {
    Done,
    AlreadySo,
    Refused,
    NotReached,       // the other computer: `where` names it
    UsersOwnHandler,  // restore refused: the user's classes name another handler, `handler`
  };
  Kind kind = Refused;
  std::wstring where;                  // the computer, or the key, that gave `error`
  std::optional<RegistryError> error;  // the system's own words, where the registry gave some
  std::wstring handler;
};

// A message box of the switch's.
struct SwitchBox {
  std::wstring prompt, caption;
  UINT style;
};

// The preview-handler switch. It keeps no state: the registry is read afresh whenever the state
// is needed, and every operation uses a registry object of its own.
class modCore {
 public:
  static const wchar_t kHandlerPath[];         // used to remove and restore (trailing backslash)
  static const wchar_t kHandlerDetectPath[];   // used to detect (no trailing backslash)
  static const wchar_t kHandlerClassId[];

  // machine: "\\name" to switch another computer's handler, empty for this one; language: the
  // table its words come from.
  modCore(RegistryPlatform& registry, MessagePresenter& messages, std::wstring machine = {},
          LANGID language = programLanguage())
      : registry_(registry), messages_(messages), machine_(std::move(machine)), language_(language) {}

  // What Explorer of the account running the program reads: the user's key where there is one
  // (it hides the computer's), else the computer's; on another computer, its classes alone.
  // Raises the registry error only when another computer was named and can't be reached.
  HandlerReading ExplorersView() const;
  // Whether the window offers Remove: Explorer's view names a handler, or can't be read (a key
  // the account may not read is no evidence that nothing is registered; Remove is what may still
  // take it away, and says so when it can't). Raises as ExplorersView does.
  bool AVIPreviewKeyExists() const;
  // Makes the mode's change unless Explorer's view already reads as asked, and reads it back:
  // done only when it then reads as asked. Never throws.
  SwitchOutcome ChangeAVIPreviewMode(int mode) const;
  // The change, its box, then the window shown what the registry now says. Never throws.
  void ApplyAVIPreviewMode(int mode, PreviewModeView& view) const;
  void SyncMainWindow(int availableMode, PreviewModeView& view) const;

  // The window's box for what a change came to.
  SwitchBox boxFor(int mode, const SwitchOutcome& outcome) const;

 private:
  // The handler key (at that path) in each store it may be registered in, the user's first.
  std::vector<clsRegistry> stores(const wchar_t* path) const;
  clsRegistry computersStore() const { return stores(kHandlerPath).back(); }
  SwitchOutcome removeHandler(const HandlerReading& view) const;
  SwitchOutcome restoreHandler(const HandlerReading& view) const;
  // Windows' identifier into the computer's key (made if missing), unless it holds it already.
  void writeComputersKey() const;
  // Done when Explorer's view then reads as asked, refused (with the reason) otherwise.
  SwitchOutcome readBack(bool restore) const;

  RegistryPlatform& registry_;
  MessagePresenter& messages_;
  std::wstring machine_;
  LANGID language_;
};
