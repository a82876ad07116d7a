#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/ControlWindow.h"
#include "controls/OleColour.h"
#include "controls/HyperLinkServices.h"
#include "controls/PropertyBag.h"
#include "controls/ScreenScale.h"
#include "controls/TextInk.h"
#include "controls/ToolTip.h"
#include "base/WinHandles.h"

// A line of text shown as a web-style link, window class "Orvandel.HyperLink". The text takes
// the highlight colour (and, with UnderlinedHilight, an underline) while the pointer is over it;
// a left click opens URL through the shell ("{app}" becomes the program's folder), optionally
// minimising or closing the window that holds the link, unless OverrideClick leaves the click to
// the host. Every button release over the text raises Click. The link is a tab stop: Space or
// Enter act as a left click, and so does a screen reader's default action. Its window text is
// its Caption.
//
// A window places one from its stored properties:
//   auto link = HyperLink::create(parent, id, pixelRect, bag, {onClick, onPropertyChanged});
// It reads the bag (UserControl_ReadProperties), then sizes itself to its text: only the
// position of `pixels` counts. Keep the returned object as long as the window; destroying it
// destroys the window. With CloseOnClick the holding window is closed (WM_CLOSE, sent) before
// Click is raised.
struct HyperLinkProperty;

class HyperLink final : public ControlWindow {
 public:
  static constexpr const wchar_t* kClassName = L"Orvandel.HyperLink";
  static constexpr UINT_PTR kMouseOutTimerId = 1;  // tmrMouseOut, a timer of the link's window

  // Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y: pixels in the label.
  using ClickHandler = std::function<void(int16_t Button, int16_t Shift, float X, float Y)>;
  // The name of the property whose setter ran ("Caption", "URL", ... "ToolTip").
  using PropertyChangedHandler = std::function<void(const std::wstring& name)>;
  struct Events {
    ClickHandler Click;
    PropertyChangedHandler PropertyChanged;
  };

  // Creates the link in `parent` at the top-left of `pixels`, loads it from `bag`, sizes it to
  // its text and shows it. Throws SystemError if the window can't be created, VariantError
  // for an unreadable bag entry.
  static std::unique_ptr<HyperLink> create(HWND parent, int id, const RECT& pixels, const PropertyBag& bag,
                                           Events events = {}, HyperLinkServices services = {});
  // The same for a new instance with no stored properties (UserControl_InitProperties).
  static std::unique_ptr<HyperLink> createNew(HWND parent, int id, const RECT& pixels, Events events = {},
                                              HyperLinkServices services = {});
  ~HyperLink() override;

  // Properties; every setter ends by reporting its property's name to PropertyChanged.
  const std::wstring& Caption() const { return m_Caption; }
  void Caption(const std::wstring& value);  // also the label's text and the window text; resizes
  const std::wstring& URL() const { return m_URL; }
  void URL(const std::wstring& value);
  bool OverrideClick() const { return m_OverrideClick; }
  void OverrideClick(bool value);
  bool MinimiseOnClick() const { return m_MinimiseOnClick; }
  void MinimiseOnClick(bool value);
  bool CloseOnClick() const { return m_CloseOnClick; }
  void CloseOnClick(bool value);
  int32_t MouseOutCheckDelay() const { return m_MouseOutCheckDelay; }
  void MouseOutCheckDelay(int32_t value);  // the hover check's period in ms (<= 0: the shortest)
  OleColour BackColor() const { return m_BackColor; }
  void BackColor(OleColour value);  // the label's background; the margins stay button face
  OleColour HilightColour() const { return m_HilightColour; }
  void HilightColour(OleColour value);
  OleColour LinkColour() const { return m_LinkColour; }
  void LinkColour(OleColour value);  // the text colour, at once
  bool Underlined() const { return m_Underlined; }
  void Underlined(bool value);  // the label font's underline, at once
  bool UnderlinedHilight() const { return m_UnderlinedHilight; }
  void UnderlinedHilight(bool value);
  const std::wstring& ToolTip() const { return m_ToolTip; }
  void ToolTip(const std::wstring& value);  // stored as "ToolTipText", reported as "ToolTip"

  // Repaints the control now.
  void Refresh();
  // To a screen reader: a link, hot-tracked while hovered, whose default action is a left click.
  AccessibleDescription describe() const override;
  // The description a designer shows for a member ("Caption", ..., "Refresh"); empty if none.
  static std::wstring MemberDescription(const std::wstring& member);

  // Host events. InitProperties: a new instance's values. ReadProperties/WriteProperties: the
  // twelve bag entries. Resize: sizes the control to its label.
  void UserControl_InitProperties();
  void UserControl_ReadProperties(const PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag) const;
  void UserControl_Resize();

  // The control's outer size in twips for a label of that size in pixels (15 twips per pixel):
  // 3 pixels wider and 1 pixel lower than the label.
  struct Extent {
    float Width, Height;
  };
  static Extent LayoutExtent(int labelWidth, int labelHeight);
  Extent Size() const { return extent_; }

  // The constituent parts as they stand, for hosts and tests to look at.
  struct Label {
    std::wstring Caption = L"-- Link --";
    OleColour ForeColor = 0x00FF0000;
    OleColour BackColor = 0x8000000F;
    std::wstring ToolTipText;
    std::wstring FontName = L"Tahoma";
    float FontSize = 8.25f;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    int Left = 2, Top = -1, Width = 40, Height = 13;  // pixels in the control; sized to the text
  };
  struct Timer {
    bool Enabled = false;
    int32_t Interval = 100;
  };
  const Label& labLink() const { return label_; }
  const Timer& tmrMouseOut() const { return timer_; }
  bool hovering() const { return hovering_; }
  POINT cursorPos() const { return cursorPos_; }
  RECT windowRect() const { return windowRect_; }

 private:
  HyperLink(Events events, HyperLinkServices services);
  static std::unique_ptr<HyperLink> make(HWND parent, int id, const RECT& pixels, Events events,
                                         HyperLinkServices services);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The parts' event handlers (HyperLinkMouse.cpp).
  void labLink_MouseMove();
  void labLink_MouseUp(int16_t Button, int16_t Shift, float X, float Y);
  void tmrMouseOut_Timer();
  void performClickAction();
  bool overLabel(POINT client) const;
  RECT labelRect() const { return {label_.Left, label_.Top, label_.Left + label_.Width, label_.Top + label_.Height}; }
  static POINT clientPoint(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  }
  LRESULT mouseUp(int16_t button, WPARAM wParam, LPARAM lParam);
  bool keyDown(WPARAM key, LPARAM flags);
  bool setCursor();

  // The label and the timer.
  void setLabelCaption(const std::wstring& text);
  void setLabelForeColor(OleColour colour);
  void setLabelUnderline(bool underline);
  void adoptFont(HFONT font);
  void rebuildFont();  // the face, size or style changed
  HFONT font() const { return font_.get(); }
  HBRUSH backBrush();  // the label's background
  void autoSizeLabel();
  void createToolTip();
  void updateToolTip();
  void setTimerInterval(int32_t interval);
  void startTimer();
  void stopTimer();

  void layout();
  void paint();
  void invalidate();
  void changed(const wchar_t* name);

  Events events_;
  DocumentLauncher& launcher_;
  PointerSource& pointer_;
  std::optional<std::wstring> appFolder_;
  ScreenScale scale_;  // points become pixels at the scale of the window that holds the link

  // The twelve stored properties: bag name, field, a new instance's value, the stored default.
  static const std::vector<HyperLinkProperty>& storedProperties();

  // Set from storedProperties() by UserControl_InitProperties, which the constructor runs.
  std::wstring m_Caption;
  std::wstring m_URL;
  OleColour m_BackColor;
  OleColour m_LinkColour;
  OleColour m_HilightColour;
  bool m_Underlined;
  bool m_UnderlinedHilight;
  int32_t m_MouseOutCheckDelay;
  std::wstring m_ToolTip;
  bool m_OverrideClick;
  bool m_MinimiseOnClick;
  bool m_CloseOnClick;
  bool hovering_ = false;
  POINT cursorPos_{};
  RECT windowRect_{};

  Label label_;
  Timer timer_;
  Extent extent_{645.0f, 180.0f};
  LOGFONTW fontBase_{};  // the label font's face and size; weight and italic from label_
  UniqueFont font_;  // without an underline: the link draws its own beneath the glyphs
  std::optional<TextInk> ink_;  // the caption's glyphs, measured when first underlined
  SolidBrush backBrush_;
  std::unique_ptr<::ToolTip> toolTip_;
  bool settingText_ = false;
  bool placed_ = false;  // sizes before the host's first one (inside CreateWindow) are not resizes
};
