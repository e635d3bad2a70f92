#pragma once

#include <string_view>

namespace varnok {

/** Integer values of the settings file: "0x" or "0X" followed by hexadecimal digits (only when the
 * text is longer than two characters), "$" followed by hexadecimal digits, or a signed decimal
 * number. The whole text must convert; anything else, the empty text included, gives
 * `defaultValue`. Decimal values must fit a signed 32-bit integer; hexadecimal values take up to
 * eight digits and wrap into the signed range, so "$FFFFFFFF" reads as -1 like the 32-bit value it
 * names. */
[[nodiscard]] int ParseProfileInt(std::string_view text, int defaultValue);

} // namespace varnok
