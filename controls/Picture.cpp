#include "controls/Picture.h"

#include <memory>
#include <vector>

namespace {
constexpr COLORREF kTransparent = RGB(0xFF, 0x00, 0xFF);

// Whether the bitmap resource's palette holds the transparent colour.
bool hasTransparentColour(HMODULE module, int resourceId) {
  const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), reinterpret_cast<LPCWSTR>(RT_BITMAP));
  if (!resource) return false;
  const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, resource)));
  if (!header || SizeofResource(module, resource) < sizeof *header || header->biBitCount > 8) return false;
  const DWORD colours = header->biClrUsed ? header->biClrUsed : 1u << header->biBitCount;
  if (SizeofResource(module, resource) < header->biSize + colours * sizeof(RGBQUAD)) return false;
  const auto* palette = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
  for (DWORD i = 0; i < colours; ++i) {
    if (RGB(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue) == kTransparent) return true;
  }
  return false;
}
}  // namespace

void Picture::copy(HDC dc, int x, int y, SIZE drawn, HDC source, DWORD operation) const {
  if (drawn.cx == size_.cx && drawn.cy == size_.cy) {
    BitBlt(dc, x, y, drawn.cx, drawn.cy, source, 0, 0, operation);
  } else {
    // COLORONCOLOR: a stretched mask keeps hard edges, and its holes stay where the picture's are.
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, drawn.cx, drawn.cy, source, 0, 0, size_.cx, size_.cy, operation);
    SetStretchBltMode(dc, mode);
  }
}

std::unique_ptr<Picture> Picture::fromModule(HMODULE module, int resourceId) {
  UniqueBitmap colour(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, 0)));
  BITMAP bitmap{};
  if (!colour || !GetObjectW(colour.get(), sizeof bitmap, &bitmap)) return nullptr;
  const SIZE size{bitmap.bmWidth, bitmap.bmHeight};
  UniqueBitmap mask;
  if (hasTransparentColour(module, resourceId)) {
    mask.reset(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    MemoryDC pixels(nullptr), holes(nullptr);
    if (!mask || !pixels || !holes) return nullptr;
    SelectedObject pixelsSelected(pixels.get(), colour.get());
    SelectedObject holesSelected(holes.get(), mask.get());
    // To monochrome: the pixels of the DC's background colour become 1, all others 0.
    SetBkColor(pixels.get(), kTransparent);
    BitBlt(holes.get(), 0, 0, size.cx, size.cy, pixels.get(), 0, 0, SRCCOPY);
    // And back: 1 is the background colour (white), 0 the text colour (black); D & ~S blackens the holes.
    SetBkColor(pixels.get(), RGB(255, 255, 255));
    SetTextColor(pixels.get(), RGB(0, 0, 0));
    BitBlt(pixels.get(), 0, 0, size.cx, size.cy, holes.get(), 0, 0, 0x00220326);
  }
  return std::make_unique<Picture>(std::move(colour), std::move(mask), size);
}

const Picture* Picture::ofResource(int resourceId) {
  // Windows live on the user-interface thread, and so do their pictures; the program has a few.
  struct Loaded {
    int id;
    std::unique_ptr<Picture> picture;
  };
  static std::vector<Loaded> pictures;
  for (const Loaded& loaded : pictures) {
    if (loaded.id == resourceId) return loaded.picture.get();
  }
  pictures.push_back({resourceId, fromModule(GetModuleHandleW(nullptr), resourceId)});
  return pictures.back().picture.get();
}

void Picture::draw(HDC dc, const RECT& box, bool stretch) const {
  const int x = box.left, y = box.top;
  const SIZE drawn = stretch ? SIZE{box.right - box.left, box.bottom - box.top} : size_;
  MemoryDC memory(dc);
  if (!memory) return;
  if (mask_) {
    // The holes white, the rest black: ANDed, the picture's place goes black and the rest stays.
    SelectedObject selected(memory.get(), mask_.get());
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    copy(dc, x, y, drawn, memory.get(), SRCAND);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
  }
  SelectedObject selected(memory.get(), colour_.get());
  copy(dc, x, y, drawn, memory.get(), mask_ ? SRCPAINT : SRCCOPY);
}
