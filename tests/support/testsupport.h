#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace varnok {

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }
    // Path of `name` inside the folder, as text.
    [[nodiscard]] std::string File(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

[[nodiscard]] std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Sets an environment variable for the life of the object and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    bool m_hadValue = false;
    std::string m_oldValue;
};

/** What a shell command writes on standard output; empty when it cannot run. */
[[nodiscard]] std::string CommandOutput(const std::string& command);
/** The page count pdfinfo (poppler-utils) reads from a PDF file; -1 when it cannot tell. */
[[nodiscard]] int PdfPageCount(const std::string& path);

/** The lines of `text`, without their line feeds. */
[[nodiscard]] std::vector<std::string> Lines(const std::string& text);

} // namespace varnok
