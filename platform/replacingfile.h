#pragma once

#include <fstream>
#include <string>

// An output file that takes the place of its target only once it is complete. The bytes
// go to a temporary file in the target's folder, which Commit() renames over the target;
// if writing fails or Commit() is never reached, the temporary file is removed and an
// existing target keeps its old contents. A target that exists but is not a regular file
// (a pipe, a terminal, /dev/stdout) is written directly, since it cannot be replaced.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string targetPath);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    /** Creates the temporary file; false when the target may not be written or its folder
        takes no new file. */
    [[nodiscard]] bool Open();
    /** Where the contents go, after a successful Open(). */
    [[nodiscard]] std::ostream& Stream() { return m_stream; }
    /** Flushes the contents to disk and puts them in the target's place; false (target
        untouched) on any failure. */
    [[nodiscard]] bool Commit();

private:
    // mode: permissions to give the new file, or -1 for those of any newly created file.
    [[nodiscard]] bool CreateTemporaryFile(int mode);
    void Discard();

    std::string m_targetPath;
    std::string m_tempPath; // empty when writing directly or nothing is open
    std::ofstream m_stream;
    bool m_open = false;
};
