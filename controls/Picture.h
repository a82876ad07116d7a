#pragma once
#include <windows.h>

#include <memory>

#include "base/WinHandles.h"

// A picture from the program's resources: a bitmap with a palette (resources/make_bitmap.py),
// where pixels of the colour #FF00FF are transparent. Loaded by the system (LoadImage, no COM) on
// its first use and kept for the rest of the process: both windows, and every About window, draw
// the same one.
class Picture {
 public:
  // The picture of that bitmap resource of the program, loaded once; nullptr when it is missing
  // or not such a bitmap.
  static const Picture* ofResource(int resourceId);
  // The same, loaded afresh from a module (the program's, or one loaded as data).
  static std::unique_ptr<Picture> fromModule(HMODULE module, int resourceId);

  SIZE size() const { return size_; }  // pixels
  // Draws it with its top-left corner at the box's, at its own size or stretched to fill the box;
  // the transparent pixels leave what the DC holds.
  void draw(HDC dc, const RECT& box, bool stretch = false) const;

  Picture(UniqueBitmap colour, UniqueBitmap mask, SIZE size)
      : colour_(std::move(colour)), mask_(std::move(mask)), size_(size) {}

 private:
  void copy(HDC dc, int x, int y, SIZE drawn, HDC source, DWORD operation) const;

  UniqueBitmap colour_;  // transparent pixels black, so they leave the mask's holes as they are
  UniqueBitmap mask_;    // 1 where transparent; none when no pixel is
  SIZE size_;
};
