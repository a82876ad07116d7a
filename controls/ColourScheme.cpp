#include "controls/ColourScheme.h"

#include <cmath>
#include <initializer_list>
#include <optional>

namespace {
constexpr int kSystemIndex[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT,
                                COLOR_GRAYTEXT, COLOR_HOTLIGHT, COLOR_HIGHLIGHT};
static_assert(sizeof kSystemIndex / sizeof kSystemIndex[0] == static_cast<int>(ColourRole::Count));

std::optional<bool> g_highContrastForTests;

bool systemHighContrast() {
  if (g_highContrastForTests) return *g_highContrastForTests;
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON);
}

double luminance(COLORREF colour) {
  const auto channel = [](BYTE value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) + 0.0722 * channel(GetBValue(colour));
}
}  // namespace

ColourScheme::ColourScheme() : highContrast_(systemHighContrast()) {
  for (int role = 0; role < static_cast<int>(ColourRole::Count); ++role) colours_[role] = GetSysColor(kSystemIndex[role]);
}

ColourScheme& ColourScheme::instance() {
  static ColourScheme scheme;
  return scheme;
}

void ColourScheme::refresh() { instance() = ColourScheme(); }

HBRUSH ColourScheme::brush(ColourRole role) const { return GetSysColorBrush(kSystemIndex[static_cast<int>(role)]); }

double ColourScheme::contrast(COLORREF a, COLORREF b) {
  const double la = luminance(a), lb = luminance(b);
  return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

COLORREF ColourScheme::text(const DesignColour& design, COLORREF background) const {
  const bool grey = design.role == ColourRole::GrayText;
  if (design.rgb != CLR_INVALID && !highContrast_ && (grey || contrast(design.rgb, background) >= kLeastTextContrast)) {
    return design.rgb;
  }
  if (grey) return colour(ColourRole::GrayText);
  // A hovered link may fall back on the link's colour; any text on the scheme's text colours.
  const ColourRole second = design.role == ColourRole::Hover ? ColourRole::Link : design.role;
  for (ColourRole role : {design.role, second, ColourRole::FaceText, ColourRole::WindowText}) {
    if (contrast(colour(role), background) >= kLeastTextContrast) return colour(role);
  }
  // Black or white always stands out 4.5:1 from any colour, one or the other.
  return contrast(RGB(0, 0, 0), background) >= contrast(RGB(255, 255, 255), background) ? RGB(0, 0, 0)
                                                                                          : RGB(255, 255, 255);
}

ColourScheme::HighContrastForTests::HighContrastForTests(bool on) {
  g_highContrastForTests = on;
  ColourScheme::refresh();
}

ColourScheme::HighContrastForTests::~HighContrastForTests() {
  g_highContrastForTests.reset();
  ColourScheme::refresh();
}
