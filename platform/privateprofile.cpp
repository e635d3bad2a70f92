#include "platform/privateprofile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/replacingfile.h"

namespace {

// Values come back through a 2048-byte buffer, terminator included.
constexpr std::size_t maxValueLength = 2047;
constexpr std::string_view lineEnd = "\r\n";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names are matched the way the Windows service matches them: letter case is ignored.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// One line of the file: its text without the line end, and the line end as found
// (CR LF, LF, or nothing for a last line without one). Keeping both lets a write put
// back every line it does not change byte for byte.
struct Line {
    std::string_view text;
    std::string_view end;
};

std::vector<Line> splitLines(std::string_view bytes)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        std::size_t next = bytes.size();
        std::size_t textEnd = bytes.size();
        if (lf != std::string_view::npos) {
            next = lf + 1;
            textEnd = (lf > start && bytes[lf - 1] == '\r') ? lf - 1 : lf;
        }
        lines.push_back(
            {bytes.substr(start, textEnd - start), bytes.substr(textEnd, next - textEnd)});
        start = next;
    }
    return lines;
}

// A UTF-8 byte order mark written by an editor must not hide the first section.
std::string_view withoutByteOrderMark(std::string_view text)
{
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    return text.substr(0, bom.size()) == bom ? text.substr(bom.size()) : text;
}

std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return trimBlanks(line.substr(0, line.find(']')));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> entryOf(std::string_view line)
{
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return Entry{trimBlanks(trimmed.substr(0, equals)), trimmed.substr(equals + 1)};
}

// Where a section and a key sit among the lines of a file.
struct Location {
    std::optional<std::size_t> sectionLine;
    std::optional<std::size_t> keyLine;
    std::optional<std::size_t> lastEntryLine;
};

// The first section of that name counts, and within it the first key of that name.
Location locate(const std::vector<Line>& lines, std::string_view section, std::string_view key)
{
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = i == 0 ? withoutByteOrderMark(lines[i].text) : lines[i].text;
        const auto name = sectionName(text);
        if (where.sectionLine) {
            if (name)
                break;
            const auto entry = entryOf(text);
            if (!entry)
                continue;
            where.lastEntryLine = i;
            if (!where.keyLine && sameName(entry->key, key))
                where.keyLine = i;
        } else if (name && sameName(*name, section)) {
            where.sectionLine = i;
        }
    }
    return where;
}

std::string cleanValue(std::string_view raw)
{
    std::string_view value = trimBlanks(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, maxValueLength));
}

enum class ReadResult { ok, missing, failed };

ReadResult readFile(const std::string& path, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::missing : ReadResult::failed;
    bytes.clear();
    char buffer[65536];
    ReadResult result = ReadResult::ok;
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0) {
            break;
        } else if (errno != EINTR) {
            result = ReadResult::failed; // a folder in the file's place lands here
            break;
        }
    }
    ::close(fd);
    return result;
}

// Creates the missing folders of `folder`; new ones are private to the user, as is
// usual for configuration folders.
bool makeFolders(const std::filesystem::path& folder)
{
    if (folder.empty())
        return true;
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return true;
    if (folder.has_parent_path() && folder.parent_path() != folder &&
        !makeFolders(folder.parent_path()))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 ||
           (errno == EEXIST && std::filesystem::is_directory(folder, error));
}

// Writes the new contents beside the file and renames them over it, so a crash leaves
// either the old file or the new one, never a part of one. A settings file kept as a
// link (as dotfile managers do) is written where the link points, so the link survives.
bool replaceFile(const std::filesystem::path& target, std::string_view bytes)
{
    const std::filesystem::path folder = target.parent_path();
    if (!makeFolders(folder))
        return false;
    ReplacingFile file(target.string());
    if (!file.Open())
        return false;
    file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.Commit())
        return false;
    // The rename itself becomes durable with the folder; a failure here loses nothing
    // that is not already on its way to the disk.
    const int folderFd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A name or value that would break the line structure of the file is refused rather
// than written: a line break in a saved file name must not be able to add sections or
// keys of its own.
bool writable(std::string_view section, std::string_view key, std::string_view value)
{
    const bool sectionOk = !trimBlanks(section).empty() && !hasLineBreak(section) &&
                           section.find(']') == std::string_view::npos;
    const std::string_view trimmedKey = trimBlanks(key);
    const bool keyOk = !trimmedKey.empty() && trimmedKey.front() != ';' &&
                       trimmedKey.front() != '[' && !hasLineBreak(key) &&
                       key.find('=') == std::string_view::npos;
    return sectionOk && keyOk && !hasLineBreak(value);
}

// Reading strips surrounding blanks and one pair of quotes, so a value that begins or
// ends with a blank (a folder name may) or that is itself quoted is written inside
// quotes to come back exactly as it was written.
std::string storedValue(std::string_view value)
{
    if (value.empty())
        return {};
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (isBlank(value.front()) || isBlank(value.back()) || quoted)
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

// The file with `key` set to `value`: the key's own line is replaced, a missing key goes
// after the last entry of its section, a missing section goes at the end of the file.
std::string withEntry(std::string_view old, std::string_view section, std::string_view key,
                      std::string_view value)
{
    const std::vector<Line> lines = splitLines(old);
    const Location where = locate(lines, section, key);
    const std::string entryLine =
        std::string(key) + "=" + storedValue(value) + std::string(lineEnd);

    std::vector<std::string> pieces;
    pieces.reserve(lines.size() + 1);
    for (const Line& line : lines)
        pieces.push_back(std::string(line.text) + std::string(line.end));
    // Whatever follows a last line that lacks its line end needs one first.
    const auto appendAfter = [&](std::size_t i, const std::string& text) {
        if (lines[i].end.empty())
            pieces[i] += lineEnd;
        pieces[i] += text;
    };

    if (where.keyLine) {
        pieces[*where.keyLine] = entryLine;
    } else if (where.sectionLine) {
        appendAfter(where.lastEntryLine.value_or(*where.sectionLine), entryLine);
    } else {
        const std::string sectionText =
            "[" + std::string(section) + "]" + std::string(lineEnd) + entryLine;
        if (lines.empty())
            pieces.push_back(sectionText);
        else
            appendAfter(lines.size() - 1, sectionText);
    }

    std::string result;
    result.reserve(old.size() + entryLine.size() + section.size() + 4);
    for (const std::string& piece : pieces)
        result += piece;
    return result;
}

} // namespace

PrivateProfile::PrivateProfile(std::string filePath) : m_filePath(std::move(filePath)) {}

std::string PrivateProfile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const
{
    std::string bytes;
    if (readFile(m_filePath, bytes) != ReadResult::ok)
        return defaultValue;
    const std::vector<Line> lines = splitLines(bytes);
    const Location where = locate(lines, section, key);
    if (!where.keyLine)
        return defaultValue;
    return cleanValue(entryOf(lines[*where.keyLine].text)->value);
}

bool PrivateProfile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value)
{
    if (!writable(section, key, value))
        return false;
    std::string old;
    const ReadResult read = readFile(m_filePath, old);
    if (read == ReadResult::failed)
        return false; // never replace a file whose contents could not be kept
    const std::string updated = withEntry(old, section, key, value);
    if (read == ReadResult::ok && updated == old)
        return true;
    return replaceFile(m_filePath, updated);
}

std::string DefaultSettingsFilePath()
{
    std::string folder;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // Only an absolute folder counts; an empty or relative one is ignored, as for
    // every XDG folder variable.
    if (configHome && configHome[0] == '/') {
        folder = configHome;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] == '\0') {
            const passwd* user = ::getpwuid(::getuid());
            home = user ? user->pw_dir : nullptr;
        }
        folder = std::string(home ? home : ".") + "/.config";
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder != "/")
        folder += '/';
    return folder + "Varnok5.ini";
}
