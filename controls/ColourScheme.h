#pragma once
#include <windows.h>

// What a colour stands for on the windows. Where the design fixes a colour (the white band, the
// dark red note, the link blues) it stands for one of these, and the user's colour scheme says
// what that role looks like.
enum class ColourRole {
  Face,        // the windows' and panels' background (COLOR_BTNFACE)
  FaceText,    // text on it (COLOR_BTNTEXT)
  Window,      // the header band, the white square behind About's logo (COLOR_WINDOW)
  WindowText,  // text on them (COLOR_WINDOWTEXT)
  GrayText,    // what is not available now (COLOR_GRAYTEXT)
  Link,        // a link (COLOR_HOTLIGHT)
  Hover,       // a link under the pointer (COLOR_HIGHLIGHT, else as a link)
  Count
};

// A colour of the design and the role it stands for. CLR_INVALID: the role's own colour.
struct DesignColour {
  COLORREF rgb = CLR_INVALID;
  ColourRole role = ColourRole::FaceText;
};

// The colours the windows are painted in: the scheme's colour of every role, read once per
// scheme (refresh() when the system says it changed: WM_SYSCOLORCHANGE, WM_SETTINGCHANGE), and
// the design's colours where they stand out. People with low vision pick a high-contrast scheme;
// their texts must stand out from what lies beneath them at least as much as the accessibility
// guidelines ask (4.5:1).
class ColourScheme {
 public:
  static constexpr double kLeastTextContrast = 4.5;

  static const ColourScheme& current() { return instance(); }
  static void refresh();

  COLORREF colour(ColourRole role) const { return colours_[static_cast<int>(role)]; }
  HBRUSH brush(ColourRole role) const;
  bool highContrast() const { return highContrast_; }

  // A background of the design as it is painted: its role's colour, which for the design's
  // backgrounds is the same in the default scheme (white is the window colour).
  COLORREF background(const DesignColour& design) const { return colour(design.role); }
  // A text as it is drawn on `background`: the design's colour where it stands out and the
  // high-contrast setting is off, else the role's; should even that not stand out, the first of
  // the scheme's text colours that does, else black or white. Grey text keeps the design's grey outside
  // high contrast: it says "not available now", which no guideline asks to stand out.
  COLORREF text(const DesignColour& design, COLORREF background) const;

  // Whether a picture faded toward white (a watermark) may lie behind window text: only where
  // that text stands out from white as well, so not in a dark or high-contrast scheme.
  bool watermarksShown() const {
    return !highContrast_ && contrast(colour(ColourRole::WindowText), RGB(255, 255, 255)) >= kLeastTextContrast;
  }

  // The contrast ratio of two colours, as the accessibility guidelines measure it (1 to 21).
  static double contrast(COLORREF a, COLORREF b);

  // Windows' high-contrast setting as a test sets it, while the object lives (Wine never
  // reports the setting on); once it goes, the system is asked again.
  class HighContrastForTests {
   public:
    explicit HighContrastForTests(bool on);
    ~HighContrastForTests();
    HighContrastForTests(const HighContrastForTests&) = delete;
    HighContrastForTests& operator=(const HighContrastForTests&) = delete;
  };

 private:
  ColourScheme();
  static ColourScheme& instance();
  COLORREF colours_[static_cast<int>(ColourRole::Count)] = {};
  bool highContrast_ = false;
};
