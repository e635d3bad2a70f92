#pragma once

#include <string>

namespace varnok {

// An INI file read and written the way the Windows private-profile service does it:
// section and key names match without regard to case, a write changes only its own line
// (adding the section or key at the end where missing) and keeps every other line,
// values lose surrounding blanks and one pair of surrounding quotes when read, lines are
// written with CR LF and read with CR LF or LF. Each call opens the file afresh, so two
// running copies of the program share it; a write holds a lock on the file from reading it
// to replacing it, so the last write of every key stands. Only a regular file is read, and
// only its first MiB; anything else in its place reads as a missing file and is not written.
class PrivateProfile {
public:
    explicit PrivateProfile(std::string filePath);

    [[nodiscard]] const std::string& FilePath() const { return m_filePath; }

    /** The value, at most 2047 characters, or `defaultValue` when the file, section or key is
     * missing or the file is no regular file. */
    [[nodiscard]] std::string ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const;

    /** False when the file could not be written, or could not be read whole (no regular file,
     * larger than a MiB); the file is then unchanged. A write is durable: the new contents go to a
     * temporary file that is renamed over the old one. Names or values holding a line break are
     * refused the same way. A value with outer blanks or outer quotes is stored in quotes so that
     * it reads back unchanged. */
    [[nodiscard]] bool WriteString(const std::string& section, const std::string& key,
                                   const std::string& value);

private:
    std::string m_filePath;
};

/** "${XDG_CONFIG_HOME:-$HOME/.config}/Varnok5.ini": the one place of the settings file. */
[[nodiscard]] std::string DefaultSettingsFilePath();

} // namespace varnok
