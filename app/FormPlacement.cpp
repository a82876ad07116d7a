#include "app/FormPlacement.h"

#include <algorithm>

#include "base/NumberText.h"

HFONT FormFonts::get(const FontSpec& spec, bool bold, bool underline) {
  const std::wstring key = std::wstring(spec.name) + L"|" + numberText(spec.points) + (bold ? L"|b" : L"") +
                           (underline ? L"|u" : L"");
  UniqueFont& slot = fonts_[key];
  if (!slot) {
    slot.reset(CreateFontW(scale_.fontHeight(spec.points), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, spec.name));
  }
  return slot.get();
}

RECT FormFonts::measure(const ControlSpec& spec, const std::wstring& text, RECT bounds, UINT flags) {
  WindowDC dc(nullptr);  // the screen's: no window need be made
  SelectedObject selected(dc.get(), of(spec));
  DrawTextW(dc.get(), text.c_str(), -1, &bounds, DT_CALCRECT | DT_NOPREFIX | flags);
  return bounds;
}

namespace {
constexpr int kSmallGap = 8;  // pixels: the least room between two texts on a line that was made for them

class Placer {
 public:
  Placer(const FormSpec& spec, const ScreenScale& scale, FormFonts& fonts) : spec_(spec), fonts_(fonts) {
    for (const ControlSpec& c : spec.controls) {
      placed_.controls.push_back(
          RECT{scale.x(c.left), scale.y(c.top), scale.x(c.left + c.width), scale.y(c.top + c.height)});
    }
    placed_.clientWidth = scale.x(spec.clientWidth);
    placed_.clientHeight = scale.y(spec.clientHeight);
    designed_ = placed_.controls;
  }

  FormPlacement place() {
    const std::vector<ControlSpec>& specs = spec_.controls;
    for (size_t i = 0; i < specs.size(); ++i) {
      const ControlSpec& spec = specs[i];
      if (spec.kind != ControlKind::Label) continue;
      RECT& r = placed_.controls[i];
      if (spec.flags & kAutoSize) {
        const RECT text = fonts_.measure(spec, spec.text, RECT{}, DT_SINGLELINE);
        const LONG designedRight = r.right;
        r.right = r.left + text.right;
        r.bottom = r.top + text.bottom;
        if (r.right > designedRight) makeRoomRight(i);
      } else if (spec.flags & (kWordWrap | kCentred)) {
        const RECT area = {0, 0, r.right - r.left, r.bottom - r.top};
        const RECT needed = fonts_.measure(spec, spec.text, area, DT_WORDBREAK);
        if (needed.bottom > area.bottom) growDown(i, needed.bottom - area.bottom);
      }
    }
    for (size_t i = 0; i < specs.size(); ++i) {
      if (specs[i].kind == ControlKind::Label && !specs[i].text.empty()) bringInside(i);
    }
    return placed_;
  }

 private:
  std::vector<size_t> siblingsOf(size_t index) const {
    std::vector<size_t> siblings;
    for (size_t i = 0; i < spec_.controls.size(); ++i) {
      if (spec_.controls[i].container == spec_.controls[index].container) siblings.push_back(i);
    }
    return siblings;
  }

  int lowestBottom(const std::vector<size_t>& controls) const {
    int lowest = 0;
    for (size_t i : controls) lowest = std::max(lowest, static_cast<int>(placed_.controls[i].bottom));
    return lowest;
  }

  // The container's index, or the table's size for the window's client area.
  size_t containerOf(size_t index) const {
    const std::wstring& container = spec_.controls[index].container;
    for (size_t i = 0; !container.empty() && i < spec_.controls.size(); ++i) {
      if (spec_.controls[i].name == container) return i;
    }
    return spec_.controls.size();
  }

  // What lies below the grown edge moves down with it, what spans the edge (a background, a
  // frame) stretches, and the container grows as far as its lowest child went: a wider font than
  // the layout was made for never cuts a line or covers a neighbour.
  void growDown(size_t index, int delta) {
    const std::vector<size_t> siblings = siblingsOf(index);
    const int lowestBefore = lowestBottom(siblings);
    const LONG grownEdge = placed_.controls[index].bottom;
    placed_.controls[index].bottom += delta;
    for (size_t i : siblings) {
      if (i == index) continue;
      RECT& r = placed_.controls[i];
      if (r.top >= grownEdge) {
        OffsetRect(&r, 0, delta);
      } else if (r.bottom >= grownEdge) {
        r.bottom += delta;
      }
    }
    const int growth = lowestBottom(siblings) - lowestBefore;
    if (growth <= 0) return;
    const size_t container = containerOf(index);
    if (container == spec_.controls.size()) {
      placed_.clientHeight += growth;
    } else {
      growDown(container, growth);
    }
  }

  // A label grown wider than designed (a longer word) pushes the texts that follow it on its line
  // to the right, each keeping the designed gap before it up to a small one; where the line then
  // reaches past its container, it moves back left from its end as far as it must.
  void makeRoomRight(size_t index) {
    const std::vector<size_t> line = lineOf(index);
    const auto gapBefore = [&](size_t k) {
      return std::max(0L, std::min(designed_[line[k]].left - designed_[line[k - 1]].right, static_cast<LONG>(kSmallGap)));
    };
    for (size_t k = 1; k < line.size(); ++k) {
      RECT& r = placed_.controls[line[k]];
      const LONG room = placed_.controls[line[k - 1]].right + gapBefore(k);
      if (r.left < room) OffsetRect(&r, room - r.left, 0);
    }
    LONG limit = containerWidth(index);
    for (size_t k = line.size(); k-- > 0;) {
      RECT& r = placed_.controls[line[k]];
      if (r.right <= limit) break;
      OffsetRect(&r, limit - r.right, 0);
      if (k > 0) limit = r.left - gapBefore(k);
    }
  }

  // The texts on a label's line (its siblings beside it), left to right.
  std::vector<size_t> lineOf(size_t index) const {
    std::vector<size_t> line;
    const RECT& own = placed_.controls[index];
    for (size_t i : siblingsOf(index)) {
      const RECT& r = placed_.controls[i];
      const ControlSpec& c = spec_.controls[i];
      if (c.kind == ControlKind::Label && !c.text.empty() && r.top < own.bottom && r.bottom > own.top) line.push_back(i);
    }
    std::sort(line.begin(), line.end(), [&](size_t a, size_t b) { return designed_[a].left < designed_[b].left; });
    return line;
  }

  LONG containerWidth(size_t index) const {
    const size_t container = containerOf(index);
    return container == spec_.controls.size() ? placed_.clientWidth
                                               : placed_.controls[container].right - placed_.controls[container].left;
  }

  // A text's box reaching past its container's sides (the design's About title is wider than
  // its panel; a font at 144 dpi wider than the one the design was made with) would be cut by it:
  // a centred one narrows about its centre, any other moves left as far as there is room.
  void bringInside(size_t index) {
    const LONG width = containerWidth(index);
    RECT& r = placed_.controls[index];
    const LONG overhang = std::max(r.right - width, -r.left);
    if (overhang <= 0) return;
    if (spec_.controls[index].flags & kCentred) {
      InflateRect(&r, -overhang, 0);
      return;
    }
    if (r.right > width) OffsetRect(&r, -std::min(r.right - width, r.left), 0);
    r.left = std::max(r.left, 0L);
    r.right = std::min(r.right, width);
  }

  const FormSpec& spec_;
  FormFonts& fonts_;
  FormPlacement placed_;
  std::vector<RECT> designed_;  // the design's places at the resolution
};
}  // namespace

FormPlacement FormPlacement::of(const FormSpec& spec, const ScreenScale& scale, FormFonts& fonts) {
  return Placer(spec, scale, fonts).place();
}
