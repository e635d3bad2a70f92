#include "grid/table/griderror.h"

namespace varnok {

namespace {

// The system's reason follows the name, so the user learns why (a full disk, a missing
// folder, no permission) and not only that.
EGridError fileError(const std::string& what, const std::string& fileName,
                     const std::string& reason)
{
    return EGridError(what + fileName + (reason.empty() ? std::string() : ": " + reason));
}

} // namespace

EGridError CannotCreateFile(const std::string& fileName, const std::string& reason)
{
    return fileError("Cannot Create file ", fileName, reason);
}

EGridError CannotWriteFile(const std::string& fileName, const std::string& reason)
{
    return fileError("Cannot write file ", fileName, reason);
}

} // namespace varnok
