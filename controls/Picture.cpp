#include "controls/Picture.h"

#include <map>
#include <memory>

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
  // Windows live on the user-interface thread, and so do their pictures.
  static std::map<int, std::unique_ptr<Picture>> pictures;
  auto found = pictures.find(resourceId);
  if (found == pictures.end()) {
    found = pictures.emplace(resourceId, fromModule(GetModuleHandleW(nullptr), resourceId)).first;
  }
  return found->second.get();
}

void Picture::draw(HDC dc, int x, int y) const {
  MemoryDC memory(dc);
  if (!memory) return;
  if (mask_) {
    // The holes white, the rest black: ANDed, the picture's place goes black and the rest stays.
    SelectedObject selected(memory.get(), mask_.get());
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, size_.cx, size_.cy, memory.get(), 0, 0, SRCAND);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
  }
  SelectedObject selected(memory.get(), colour_.get());
  BitBlt(dc, x, y, size_.cx, size_.cy, memory.get(), 0, 0, mask_ ? SRCPAINT : SRCCOPY);
}
