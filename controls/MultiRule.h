#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/WinHandles.h"
#include "controls/ControlWindow.h"
#include "controls/OleColour.h"
#include "controls/PropertyBag.h"

// Values of MultiRule::Orientation. Any other value is kept and selects no layout.
namespace RuleOrientation {
constexpr int32_t Automatic = 0;   // horizontal when wider than tall, otherwise vertical
constexpr int32_t Horizontal = 1;  // along the top edge, full width
constexpr int32_t Vertical = 2;    // down the left edge
}  // namespace RuleOrientation

// A line primitive of the rule: coordinates in the control's twips, a system-colour reference.
struct RuleLine {
  float X1, Y1, X2, Y2;
  OleColour BorderColor;
};

// An engraved separator rule, window class "Orvandel.MultiRule": a shadow line and, one pixel
// beside it, a highlight line, in the system's 3D colours (so it follows the colour scheme).
// It takes no focus and no mouse input (clicks fall through to the window beneath) and is no tab
// stop. Its own scale is twips at 15 per pixel (controls/ControlUnits.h).
//
// A window places one from its stored properties:
//   auto rule = MultiRule::create(parent, id, pixelRect, bag);   // reads "Orientation", then sizes
// and keeps the returned object as long as the window; destroying the object destroys the window.
class MultiRule final : public ControlWindow {
 public:
  static constexpr const wchar_t* kClassName = L"Orvandel.MultiRule";
  // Told the name of a persisted property that changed ("Orientation"), so the host can save.
  using PropertyChangedHandler = std::function<void(const std::wstring& name)>;

  // Creates the rule as a child of `parent` at `pixels` (client coordinates of the parent), runs
  // UserControl_ReadProperties(bag) (which reports "Orientation" changed), then the host's first
  // resize, and shows it. Throws SystemError if the window can't be created, VariantError
  // for an unreadable entry.
  static std::unique_ptr<MultiRule> create(HWND parent, int id, const RECT& pixels, const PropertyBag& bag,
                                           PropertyChangedHandler onPropertyChanged = {});
  ~MultiRule() override;

  int32_t Orientation() const { return m_Orientation; }
  // Stores the value unchecked, runs the layout, reports "Orientation" changed (also when equal).
  void Orientation(int32_t value);
  // Repaints the control now.
  void Refresh();
  AccessibleDescription describe() const override { return {ROLE_SYSTEM_SEPARATOR}; }

  // Host events: read "Orientation" (default 16-bit 0) through the setter; write it with no
  // default (always stored); rerun the layout for the current size.
  void UserControl_ReadProperties(const PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag) const;
  void UserControl_Resize();

  const RuleLine& linLoLite() const { return linLoLite_; }
  const RuleLine& linHiLite() const { return linHiLite_; }
  // The client size in the control's twips.
  float ScaleWidth() const;
  float ScaleHeight() const;

 private:
  explicit MultiRule(PropertyChangedHandler onPropertyChanged) : onPropertyChanged_(std::move(onPropertyChanged)) {}
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  void layout();
  void LayoutAutomatic();
  void LayoutHorizontal();
  void LayoutVertical();
  void paint();

  PropertyChangedHandler onPropertyChanged_;
  bool placed_ = false;  // sizes before the host's first one (inside CreateWindow) are not resizes
  int32_t m_Orientation = RuleOrientation::Automatic;
  RuleLine linLoLite_;
  RuleLine linHiLite_;
  SolidPen loLitePen_, hiLitePen_;  // each line's pen, made once
};
