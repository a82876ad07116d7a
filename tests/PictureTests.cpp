// The program's pictures as its windows load them, from orvandel.exe built beside this program:
// each of the size its window's layout gives it, and where a picture has holes (the transparent
// colour) what lies beneath shows through while the rest covers it.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/HyperLinkServices.h"
#include "controls/Picture.h"
#include "resources/ResourceIds.h"

namespace {
constexpr COLORREF kBeneath = RGB(10, 20, 30);

// What a picture leaves on a canvas of kBeneath at (x, y).
COLORREF drawnPixel(const Picture& picture, int x, int y) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.size().cx, -picture.size().cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDC dc(nullptr);
  SelectedObject selected(dc.get(), canvas.get());
  const RECT all{0, 0, picture.size().cx, picture.size().cy};
  SolidBrush beneath;
  FillRect(dc.get(), &all, beneath.get(kBeneath));
  picture.draw(dc.get(), all);
  GdiFlush();
  const auto* pixel = static_cast<const BYTE*>(bits) + (y * picture.size().cx + x) * 4;  // blue, green, red
  return RGB(pixel[2], pixel[1], pixel[0]);
}

TEST(Pictures, HaveTheirLayoutSizesAndShowWhatLiesBeneathOnlyThroughTheirHoles) {
  const UniqueModule program(
      LoadLibraryExW((executableFolder() + L"\\orvandel.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_NE(program.get(), nullptr) << "orvandel.exe is built beside the tests";
  const struct { int id; LONG width, height; } kPictures[] = {
      {IDP_LOGO, 48, 48}, {IDP_LOGO_FADED, 96, 96}, {IDP_MAKER_SMALL, 20, 16}, {IDP_DONATE, 62, 31}, {IDP_BANNER, 99, 200},
  };
  for (const auto& expected : kPictures) {
    const auto picture = Picture::fromModule(program.get(), expected.id);
    ASSERT_NE(picture, nullptr) << expected.id;
    EXPECT_EQ(picture->size().cx, expected.width) << expected.id;
    EXPECT_EQ(picture->size().cy, expected.height) << expected.id;
  }
  // The maker's mark: a white "T" on blue, transparent outside its rounded square.
  const auto maker = Picture::fromModule(program.get(), IDP_MAKER_SMALL);
  EXPECT_EQ(drawnPixel(*maker, 0, 0), kBeneath);
  EXPECT_EQ(drawnPixel(*maker, 5, 3), RGB(255, 255, 255));
  // The logo has no holes: its white ground covers everything.
  const auto logo = Picture::fromModule(program.get(), IDP_LOGO);
  EXPECT_EQ(drawnPixel(*logo, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(Picture::fromModule(program.get(), 999), nullptr);
}
}  // namespace
