#pragma once
#include <windows.h>

#include <cstdint>

#include "base/Variant.h"

// An OLE colour, as the controls store them: 0x00BBGGRR is a fixed colour, 0x80000000 + n names
// system colour n (COLOR_*) and follows the user's colour scheme.
using OleColour = uint32_t;

constexpr OleColour systemColour(int index) { return 0x80000000u | static_cast<OleColour>(index); }

// The colour to paint with now (system colours are looked up at every call, so paint with it).
COLORREF resolveColour(OleColour colour);

// Property bags hold colours as signed 32-bit numbers (0x8000000F is -2147483633).
inline Variant colourVariant(OleColour colour) { return Variant::longValue(static_cast<int32_t>(colour)); }
inline OleColour colourOf(const Variant& value) { return static_cast<OleColour>(value.toLong()); }
