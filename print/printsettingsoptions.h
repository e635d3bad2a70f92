#pragma once

#include <set>

namespace varnok {

// The groups of controls the print settings window offers, one option each; psSaveSettings
// would offer loading and saving the settings, which this program does not.
enum TPrintSettingsOption {
    psBorders,
    psGeneral,
    psFonts,
    psDateTime,
    psTitle,
    psPages,
    psMargins,
    psSpacing,
    psOrientation,
    psSaveSettings
};

using TPrintSettingsOptions = std::set<TPrintSettingsOption>;

// The units the number boxes show lengths in.
enum TPrintDimensions { pdmm, pdinch };

} // namespace varnok
