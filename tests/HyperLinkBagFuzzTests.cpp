// Hyperlinks loaded from property bags whose entries hold values of any kind (fixed seed): the
// link loads when every entry converts to its property's type and raises a VariantError when one
// does not; nothing is left behind either way.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "controls/HyperLink.h"
#include "registry/NumberText.h"
#include "tests/ControlTestSupport.h"
#include "tests/ProcessResources.h"

namespace {
// The conversions a link's properties need, stated from the values' meaning: a number (rounded
// to a 32-bit integer, banker's way), a truth value, a text. Nothing when the value has none.
std::optional<double> numberOf(const Variant& value) {
  switch (value.kind()) {
    case VariantKind::Empty: return 0.0;
    case VariantKind::Integer: return value.asInteger();
    case VariantKind::Long: return value.asLong();
    case VariantKind::Byte: return value.asByte();
    case VariantKind::Double: return value.asDouble();
    case VariantKind::Boolean: return value.asBoolean() ? -1.0 : 0.0;
    case VariantKind::Text: return parseNumber(value.asText());
    default: return std::nullopt;
  }
}
bool convertsToLong(const Variant& value) {
  const auto number = numberOf(value);
  return number && std::isfinite(*number) && std::nearbyint(*number) >= -2147483648.0 &&
         std::nearbyint(*number) <= 2147483647.0;
}
bool convertsToBoolean(const Variant& value) {
  if (value.kind() == VariantKind::Text && (_wcsicmp(value.asText().c_str(), L"true") == 0 ||
                                            _wcsicmp(value.asText().c_str(), L"false") == 0)) {
    return true;
  }
  return numberOf(value).has_value();
}
bool convertsToText(const Variant& value) { return value.kind() != VariantKind::Null; }

struct Entry {
  const wchar_t* name;
  bool (*converts)(const Variant&);
};
const Entry kEntries[] = {
    {L"caption", convertsToText},          {L"ToolTipText", convertsToText},       {L"URL", convertsToText},
    {L"OverrideClick", convertsToBoolean}, {L"minimiseonclick", convertsToBoolean}, {L"CloseOnClick", convertsToBoolean},
    {L"MouseOutCheckDelay", convertsToLong}, {L"BackColor", convertsToLong},         {L"hilightcolour", convertsToLong},
    {L"LinkColour", convertsToLong},       {L"Underlined", convertsToBoolean},     {L"UnderlinedHilight", convertsToBoolean},
};

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

// Found by the draw below: a NaN became whatever the processor makes of it (a colour, a delay).
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
    bool converts = true;
    for (const Entry& entry : kEntries) {
      if (random() % 3 == 0) continue;  // left to its default
      const Variant value = anyValue(random);
      bag.WriteProperty(entry.name, value);
      converts = converts && entry.converts(value);
    }
    try {
      const auto link = HyperLink::create(host.hwnd(), 7, RECT{10, 10, 90, 22}, bag);
      EXPECT_TRUE(converts) << round;
      const Variant caption = bag.ReadProperty(L"Caption", L"Vessmor HyperLink");
      EXPECT_EQ(link->Caption(), caption.toText()) << round;
      ++loaded;
    } catch (const VariantError&) {
      EXPECT_FALSE(converts) << round;
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
