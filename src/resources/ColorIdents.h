// The named colours a picture item's TransparentColor may hold instead of a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The colour value (red + 256 * green + 65536 * blue) of an identifier such as "clFuchsia".
std::optional<uint32_t> ColorFromIdent(std::string_view ident);
// The identifier of a named colour value, or an empty view when the value has no name.
std::string_view IdentFromColor(uint32_t color);
