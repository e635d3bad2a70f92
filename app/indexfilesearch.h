#pragma once

#include <string>

namespace varnok {

// What the search below a folder reports, in path order.
class IndexFileSearchHost {
public:
    virtual ~IndexFileSearchHost() = default;
    /** A regular file that starts with an index file's signature. `path` opens it;
     * `relative` is its path below the folder searched. */
    virtual void IndexFileFound(const std::string& path, const std::string& relative) = 0;
    /** A folder or file that could not be looked at, and why; the search goes on. */
    virtual void SearchProblem(const std::string& relative, const std::string& reason) = 0;
};

/** Whether `path` names a regular file (not through a symbolic link) whose first bytes are
 * the signature Internet Explorer or Wine writes at the start of an index file. Sets
 * `reason` when the file could not be read. */
[[nodiscard]] bool StartsWithIndexSignature(const std::string& path, std::string& reason);

/** Walks everything below `folder` without following symbolic links, so the walk never
 * leaves the folder and never loops, and reports each index file in the byte order of the
 * paths below the folder. Only one folder's names are held at a time per level, so memory
 * does not grow with the number of files. False, with `reason`, when `folder` itself
 * cannot be read. */
[[nodiscard]] bool FindIndexFiles(const std::string& folder, IndexFileSearchHost& host,
                                  std::string& reason);

} // namespace varnok
