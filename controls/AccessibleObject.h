#pragma once
#include <windows.h>
#include <oleacc.h>  // the roles and states

#include <memory>

#include "base/Words.h"
#include "resources/WordIds.h"

class ControlWindow;

// What a control of the program's own class is to assistive technology (screen readers), where
// that differs from what the system's standard object says of any window: a "client" with no
// default action. The standard object still answers where a window is on the screen, its
// parent and children; the name is the window text without the spaces around it, and whether it
// is focusable, focused or unavailable the window's own state (a tab stop, the focus, itself and
// its containers enabled).
struct AccessibleDescription {
  long role = 0;                           // ROLE_SYSTEM_*
  long states = 0;                         // STATE_SYSTEM_*, besides those above
  const wchar_t* defaultAction = nullptr;  // a word, as the system's own controls name theirs; none
};

// A link's default action, as the system's link control (SysLink) names it.
inline const wchar_t* const kLinkAction = wordText(IDS_ACTION_CLICK);

// Tells screen readers that what a control's object says of its state has changed (checked, hot-
// tracked), as the system's own controls tell them; they would hear it only when they next asked.
inline void notifyStateChanged(HWND window) { NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF); }

// A reader asked for a control's default action: it is posted to the control, which does what
// a click does, so that the reader's call returns at once (the action may open a modal window).
constexpr UINT kDefaultActionMessage = WM_APP + 2;

// Answers one control's WM_GETOBJECT: each time a new object that wraps the system's standard
// one and asks the control for its description at every call. The object lives as long as the
// reader holds it; once the control's window or the control is gone, it answers
// CO_E_OBJNOTCONNECTED. A member of the control, so it goes with it.
class AccessibleServer {
 public:
  AccessibleServer() = default;
  AccessibleServer(const AccessibleServer&) = delete;
  AccessibleServer& operator=(const AccessibleServer&) = delete;
  // The control is going: the objects readers still hold stop asking it.
  ~AccessibleServer();

  // The answer to WM_GETOBJECT for OBJID_CLIENT; 0 when no object could be made (the default
  // handling answers then). oleacc.dll is loaded at the first one.
  LRESULT answer(ControlWindow& control, WPARAM wParam);

 private:
  std::shared_ptr<ControlWindow*> control_;
};
