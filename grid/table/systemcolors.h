#pragma once

#include <array>

#include "platform/canvastypes.h"

namespace varnok {

// The RGB values behind the system colours (clBtnFace, clWindow, ...), by index. It
// starts with the classic desktop scheme so output made without a window (tests, batch
// export) is the same everywhere; the window replaces entries from its palette.
class TSystemColorTable {
public:
    static constexpr int kSize = 31;

    TSystemColorTable();

    /** The RGB value of `color`: system colours looked up (unknown indices give black), other
     * values reduced to their red, green and blue bytes. */
    [[nodiscard]] TColor Resolve(TColor color) const;
    /** Replaces the RGB value of system colour `index`; indices outside the table are ignored. */
    void Set(int index, TColor rgb);

private:
    std::array<TColor, kSize> m_colors;
};

/** The colour value of red, green and blue (red in the lowest byte). */
[[nodiscard]] constexpr TColor RGBColor(int red, int green, int blue)
{
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) |
           (static_cast<TColor>(blue) << 16);
}

} // namespace varnok
