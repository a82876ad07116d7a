#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/Words.h"
#include "controls/ColourScheme.h"
#include "controls/PropertyBag.h"

// A window's controls as data: what each is, where it sits (twips, relative to its container),
// what it shows. Controls are listed in stacking order, topmost first.
enum class ControlKind { Frame, Panel, Label, OptionButton, CommandButton, Image, HyperLink, Rule };

enum ControlFlags : unsigned {
  kNoFlags = 0,
  kWordWrap = 1 << 0,     // label text wraps inside the given width
  kAutoSize = 1 << 1,     // label sized to its text
  kTransparent = 1 << 2,  // label shows what lies beneath it
  kBold = 1 << 3,
  kHandPointer = 1 << 4,  // clickable: the pointing hand
  kCentred = 1 << 5,
  kClickable = 1 << 6,    // reports clicks to the window
  kSelected = 1 << 7,     // option button selected as designed
  kStretch = 1 << 8,      // picture drawn to fill its control (a band that grows with the window)
  kWatermark = 1 << 9,    // picture faded toward white behind text: left out where it would hide it
};

// Colours of the design that stand for a role of the user's scheme (ColourScheme).
constexpr DesignColour kSchemeColour{};  // the role's own
constexpr DesignColour kWhiteBand{RGB(255, 255, 255), ColourRole::Window};  // a window-coloured band
constexpr DesignColour kTextOnBand{CLR_INVALID, ColourRole::WindowText};

struct FontSpec {
  const wchar_t* name = L"Tahoma";
  double points = 8.25;
};

// A stored property of one of the program's own controls, as a window's table holds it.
struct StoredProperty {
  enum Type { Long, Boolean, Text };
  const wchar_t* name;
  Type type;
  int32_t number = 0;  // Long and Boolean (0: False)
  const wchar_t* text = nullptr;
};

// One control as a window's table lists it: constant data, compiled into the program as it
// stands; the window makes a ControlSpec of it when it is built. A text that is a word names it
// (wordText): the ControlSpec holds it in the window's language.
struct ControlRow {
  ControlKind kind;
  const wchar_t* name;
  const wchar_t* container;  // empty: the window's client area
  int left, top, width, height;
  const wchar_t* text = L"";
  int tabIndex = -1;
  unsigned flags = kNoFlags;
  int id = 0;
  DesignColour textColour = {};  // text on button face unless the row says otherwise
  DesignColour backColour = {};  // given: a background of its own, or (transparent) what lies beneath
  int pictureId = 0;
  const wchar_t* toolTip = L"";
  FontSpec font = {};
  const StoredProperty* properties = nullptr;
  size_t propertyCount = 0;
};

struct ControlSpec {
  // Out of line, like the copies and moves: a layout is a list of these, and each made in place
  // would repeat the making of its strings.
  ControlSpec(const ControlRow& row, LANGID language);
  ControlSpec(const ControlSpec&);
  ControlSpec(ControlSpec&&) noexcept;
  ControlSpec& operator=(const ControlSpec&);
  ControlSpec& operator=(ControlSpec&&) noexcept;
  ~ControlSpec();

  std::wstring name;
  ControlKind kind;
  std::wstring container;  // empty: the window's client area
  int left, top, width, height;
  std::wstring text;
  int tabIndex = -1;       // -1: takes no focus
  unsigned flags = kNoFlags;
  int id = 0;              // 0: numbered by the form
  DesignColour textColour = {};
  DesignColour backColour = {};  // rgb CLR_INVALID: button face (or, when transparent, what lies beneath)
  FontSpec font = {};
  int pictureId = 0;       // resource of an Image
  std::wstring toolTip;
  PropertyBag properties;  // stored properties of the program's own controls
};

struct FormSpec {
  std::wstring className;
  std::wstring caption;
  int clientWidth, clientHeight;  // twips
  DWORD style;
  int iconId;
  int iconSize;  // pixels
  std::vector<ControlSpec> controls;
};

// The controls of a window's table, in its order, with their words in that language.
template <size_t N>
std::vector<ControlSpec> controlsOf(const ControlRow (&rows)[N], LANGID language) {
  std::vector<ControlSpec> controls;
  controls.reserve(N);
  for (const ControlRow& row : rows) controls.emplace_back(row, language);
  return controls;
}
