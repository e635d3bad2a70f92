#pragma once

#include <stdexcept>
#include <string>

namespace varnok {

// Raised by the grid's file writers ("Cannot Create file " and the file name).
class EGridError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by printing on paper when the page cannot hold a column whole: the printout would
// show that column in part, and a list printed in part must not pass for the whole list.
class EPrintLayoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/** "Cannot Create file <name>: <reason>", for a file that could not be made (no reason known:
 * without ": "). */
[[nodiscard]] EGridError CannotCreateFile(const std::string& fileName, const std::string& reason);
/** "Cannot write file <name>: <reason>", for a file whose contents could not be written. */
[[nodiscard]] EGridError CannotWriteFile(const std::string& fileName, const std::string& reason);

} // namespace varnok
