#pragma once

#include <optional>
#include <string>

#include "platform/files.h"

namespace varnok {

// What a save may write over. The index file is the evidence: no save, in the window or from
// the command line, ever writes over it, whatever name or link leads to it; any other file
// that exists is replaced only when the user says so.

/** The message refusing `target` (shown as `targetName`) when it is the file `indexFile` names;
 * nothing when it is another file, or when either names nothing. */
[[nodiscard]] std::optional<std::string> IndexFileTargetRefusal(const std::optional<FileId>& target,
                                                                const std::string& targetName,
                                                                const std::string& indexFile);

/** The same for the file name `targetFile`, links followed. */
[[nodiscard]] std::optional<std::string> IndexFileTargetRefusal(const std::string& targetFile,
                                                                const std::string& indexFile);

/** The question asked before the existing file `fileName` is replaced. */
[[nodiscard]] std::string ReplaceQuestion(const std::string& fileName);

} // namespace varnok
