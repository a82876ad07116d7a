#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/FormKeyboard.h"
#include "app/FormLayout.h"
#include "app/FormPlacement.h"
#include "base/WinHandles.h"
#include "controls/ControlWindow.h"
#include "controls/HyperLinkServices.h"
#include "controls/ScreenScale.h"
#include "controls/ToolTip.h"

// A top-level window built from its FormSpec: the controls of the table as child windows
// (standard classes or the program's own), in the table's stacking order, with its own tab order;
// what has no text and takes no input (a band, a logo) is drawn by the window itself.
class Form : public ControlWindow {
 public:
  ~Form() override;

  // The control's window; nullptr for one the window draws itself.
  HWND control(const std::wstring& name) const;
  // Where the control was placed when the window was made: pixels, in its container.
  RECT placement(const std::wstring& name) const;
  const ScreenScale& scale() const { return scale_; }

  // Keyboard navigation in the form's own tab order, then the dialog manager; true if handled.
  static bool preTranslate(MSG& message);
  // Runs the form modally over its owner until it is closed; the owner takes no input meanwhile.
  void runModal(HWND owner);

 protected:
  Form(FormSpec spec, ScreenScale scale);

  // Creates the window, its controls and runs Form_Load; centred on the owner, or on the screen.
  // Throws SystemError when the window or one of its controls can't be made.
  void create(HWND owner);

  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  // A click on the control with that id (a button, option, panel, or a clickable label or picture).
  virtual void controlClicked(int id) { (void)id; }
  // The control that has the focus when the window opens.
  virtual HWND initialFocus() { return nullptr; }
  // A hyperlink's Click event (every button released over it).
  virtual void linkClicked(int id, int16_t Button) { (void)id; (void)Button; }
  // What the window's hyperlinks talk to (launcher, pointer); the real ones unless set.
  void setLinkServices(HyperLinkServices services) { linkServices_ = services; }
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool translateKeyboard(MSG& message) override;

  void setTextColour(const std::wstring& name, DesignColour colour);
  void setCaption(const std::wstring& name, const std::wstring& text);
  const ControlSpec* specOf(HWND window) const;

 private:
  struct Control {
    const ControlSpec* spec;
    HWND window;
    DesignColour textColour;
  };
  void windowDestroyed() override;
  void createControls();
  HWND createControl(const ControlSpec& spec, HWND parent);
  HWND createOwnControl(const ControlSpec& spec, HWND parent, int id, const RECT& pixels);
  HWND adopt(std::unique_ptr<ControlWindow> control);
  void setFocusCues(bool hidden);
  // The tool tip window is made when the pointer first comes over a control that has a tip
  // (WM_SETCURSOR comes before that move reaches the control), not for the first paint.
  void addToolTip(HWND window, const std::wstring& text);
  void makeToolTips(HWND underPointer);
  // The colours a static control (or one of the program's own labels) is drawn in, as its
  // parent answers WM_CTLCOLORSTATIC; both come from the user's colour scheme.
  LRESULT colourStatic(HDC dc, HWND window);
  HBRUSH backBrush(COLORREF colour);
  size_t indexOf(const ControlSpec& spec) const;
  // The controls the window draws itself (no window of their own), each within its place.
  void drawControl(HDC dc, const ControlSpec& spec, POINT offset);
  void paintDrawn(HDC dc);
  // Draws, into a transparent control's DC, what the window draws itself beneath it.
  void paintBeneath(HWND child, HDC dc);
  // The colour scheme changed: everything is painted again in the new one.
  void schemeChanged();

  FormSpec spec_;
  ScreenScale scale_;
  FormFonts fonts_;
  FormPlacement placement_;
  FormKeyboard keyboard_;
  bool modalDone_ = false;
  HWND modalOwner_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool initialCuesHidden_ = true;
  std::vector<Control> controls_;
  std::map<COLORREF, UniqueBrush> backBrushes_;
  std::unique_ptr<ToolTip> toolTip_;
  std::vector<std::pair<HWND, std::wstring>> pendingTips_;
  HyperLinkServices linkServices_;
  std::vector<std::unique_ptr<ControlWindow>> ownControls_;  // the program's own, destroyed with the form
};
