#pragma once

#include <stdexcept>

namespace varnok {

// Raised by a print dialog opened without the grid it works on.
class EGridDialogError : public std::runtime_error {
public:
    EGridDialogError() : std::runtime_error("The dialog does not have a grid component.") {}
};

} // namespace varnok
