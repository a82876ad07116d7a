// Hyperlinks loaded from property bags whose entries hold values of any kind (fixed seed): the
// link loads or raises a VariantError, and leaves nothing behind either way.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "controls/HyperLink.h"
#include "tests/ControlTestSupport.h"
#include "tests/ProcessResources.h"

namespace {
const wchar_t* const kEntries[] = {L"caption", L"ToolTipText", L"URL", L"OverrideClick", L"minimiseonclick",
                                  L"CloseOnClick", L"MouseOutCheckDelay", L"BackColor", L"hilightcolour",
                                  L"LinkColour", L"Underlined", L"UnderlinedHilight"};

Variant anyValue(std::mt19937& random) {
  const double doubles[] = {0.5, 1.5, -2.5, 1e30, -1e30, 2147483647.4, 2147483647.6, -2147483648.5,
                            std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
  const wchar_t* texts[] = {L"", L"12", L" -7", L"1.5e3", L"1e30", L"True", L"FALSE", L"&H10", L"nan", L"link"};
  switch (random() % 10) {
    case 0: return Variant();
    case 1: return Variant::null();
    case 2: return Variant::integer(static_cast<int16_t>(random()));
    case 3: return Variant::longValue(static_cast<int32_t>(random()));
    case 4: return Variant::number(doubles[random() % std::size(doubles)]);
    case 5: return Variant::boolean(random() % 2);
    case 6: return Variant::byte(static_cast<uint8_t>(random()));
    case 7: return Variant::text(texts[random() % std::size(texts)]);
    case 8: return Variant::text(std::wstring(random() % 3000, static_cast<wchar_t>(L'a' + random() % 26)));
    default: return Variant::bytes(std::vector<uint8_t>(random() % 9, static_cast<uint8_t>(random())));
  }
}

// Found drawing bags like those below: a NaN became whatever the processor makes of it (a colour
// or a delay of -2147483648).
TEST(HyperLinkBagFuzz, ANumberThatIsNoNumberIsOutOfRange) {
  for (double value : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    try {
      Variant::number(value).toLong();
      ADD_FAILURE() << "converted";
    } catch (const VariantError& error) {
      EXPECT_EQ(error.number(), 6);  // overflow
    }
  }
}

TEST(HyperLinkBagFuzz, EntriesOfAnyKindLoadOrRaiseAVariantError) {
  controltest::HostWindow host;
  std::mt19937 random(20040930);
  DWORD gdiSettled = 0;  // after the first links made what they keep for all (fonts and the like)
  int loaded = 0, refused = 0;
  for (int round = 0; round < 200; ++round) {
    PropertyBag bag;
    for (const wchar_t* entry : kEntries) {
      if (random() % 3 != 0) bag.WriteProperty(entry, anyValue(random));  // else left to its default
    }
    try {
      const auto link = HyperLink::create(host.hwnd(), 7, RECT{10, 10, 90, 22}, bag);
      EXPECT_EQ(link->Caption(), bag.ReadProperty(L"Caption", L"Vessmor HyperLink").toText()) << round;
      ++loaded;
    } catch (const VariantError&) {
      ++refused;
    }
    ASSERT_EQ(GetWindow(host.hwnd(), GW_CHILD), nullptr) << round;
    if (round == 49) gdiSettled = resources::gdiObjects();
  }
  EXPECT_EQ(resources::gdiObjects(), gdiSettled);
  EXPECT_GT(loaded, 10);  // the draw gives both outcomes
  EXPECT_GT(refused, 10);
}
}  // namespace
