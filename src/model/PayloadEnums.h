// The border style of the scroll-box based controls (Flash player, PDF reader and the container
// kinds). Scoped: bsNone and bsSingle would clash with the button and bevel styles.
#pragma once

#include <cstdint>

#include "model/Types.h"

enum class TBorderStyle : uint8_t { bsNone, bsSingle };

template <>
const QStringList& EnumValueNames<TBorderStyle>();
