#include "platform/privateprofile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/asciicase.h"
#include "platform/profilelock.h"
#include "platform/replacingfile.h"

namespace varnok {

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

// One line of the file: its text without the line end, the line end as found (CR LF, LF,
// or nothing for a last line without one) and where the line starts. Keeping all three lets
// a write put back every line it does not change byte for byte.
struct Line {
    std::string_view text;
    std::string_view end;
    std::size_t offset = 0;

    [[nodiscard]] std::size_t endOffset() const { return offset + text.size() + end.size(); }
};

// Hands each line of `bytes` to `visit` in order, until it returns false. One pass and no
// copies, so a file of any length costs time in proportion to it and no memory per line.
template <typename Visit> void forEachLine(std::string_view bytes, Visit visit)
{
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        std::size_t next = bytes.size();
        std::size_t textEnd = bytes.size();
        if (lf != std::string_view::npos) {
            next = lf + 1;
            textEnd = (lf > start && bytes[lf - 1] == '\r') ? lf - 1 : lf;
        }
        const Line line{bytes.substr(start, textEnd - start), bytes.substr(textEnd, next - textEnd),
                        start};
        if (!visit(line))
            return;
        start = next;
    }
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
    std::optional<Line> sectionLine;
    std::optional<Line> keyLine;
    std::optional<Line> lastEntryLine;
    std::optional<Line> lastLine; // of the whole file, known when the section was not found
};

// Section and key names match without regard to letter case, as in the Windows service.
// The first section of that name counts, and within it the first key of that name. A read
// can stop at the key; a write also needs the section's last entry.
enum class Purpose { read, write };

Location locate(std::string_view bytes, std::string_view section, std::string_view key,
                Purpose purpose)
{
    Location where;
    forEachLine(bytes, [&](const Line& line) {
        where.lastLine = line;
        const std::string_view text =
            line.offset == 0 ? withoutByteOrderMark(line.text) : line.text;
        const auto name = sectionName(text);
        if (!where.sectionLine) {
            if (name && EqualsIgnoringAsciiCase(*name, section))
                where.sectionLine = line;
            return true;
        }
        if (name)
            return false;
        const auto entry = entryOf(text);
        if (!entry)
            return true;
        where.lastEntryLine = line;
        if (!where.keyLine && EqualsIgnoringAsciiCase(entry->key, key))
            where.keyLine = line;
        return !(where.keyLine && purpose == Purpose::read);
    });
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

// No settings file the program writes comes near this size; a larger one is damaged or
// hostile, and only its beginning is read.
constexpr std::size_t maxFileBytes = 1024 * 1024;

enum class ReadResult { complete, truncated, failed };

// Reads `fd` from its start, at most maxFileBytes of it.
ReadResult readUpToLimit(int fd, std::string& bytes)
{
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(bytes.size()));
        if (count > 0) {
            const std::size_t room = maxFileBytes - bytes.size();
            if (static_cast<std::size_t>(count) > room) {
                bytes.append(buffer, room);
                return ReadResult::truncated;
            }
            bytes.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0) {
            return ReadResult::complete;
        } else if (errno != EINTR) {
            bytes.clear();
            return ReadResult::failed; // a folder in the file's place lands here
        }
    }
}

// Only a regular file is read: a pipe would never end and a device such as /dev/zero
// never stops giving bytes. Anything else reads as a missing file.
bool readForLookup(const std::string& path, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      readUpToLimit(fd, bytes) != ReadResult::failed;
    ::close(fd);
    return read;
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
    ReplacingFile file(target.string());
    if (!file.Open())
        return false;
    file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.Commit();
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
    const Location where = locate(old, section, key, Purpose::write);
    const std::string entryLine =
        std::string(key) + "=" + storedValue(value) + std::string(lineEnd);

    std::string result;
    result.reserve(old.size() + entryLine.size() + section.size() + 4);
    // Whatever follows a last line that lacks its line end needs one first.
    const auto insertAfter = [&](const Line& line, std::string_view text) {
        result.append(old.substr(0, line.endOffset()));
        if (line.end.empty())
            result.append(lineEnd);
        result.append(text);
        result.append(old.substr(line.endOffset()));
    };

    if (where.keyLine) {
        result.append(old.substr(0, where.keyLine->offset));
        result.append(entryLine);
        result.append(old.substr(where.keyLine->endOffset()));
    } else if (where.sectionLine) {
        insertAfter(where.lastEntryLine.value_or(*where.sectionLine), entryLine);
    } else {
        const std::string sectionText =
            "[" + std::string(section) + "]" + std::string(lineEnd) + entryLine;
        if (where.lastLine)
            insertAfter(*where.lastLine, sectionText);
        else
            result.append(sectionText);
    }
    return result;
}

} // namespace

PrivateProfile::PrivateProfile(std::string filePath) : m_filePath(std::move(filePath)) {}

std::string PrivateProfile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const
{
    std::string bytes;
    if (!readForLookup(m_filePath, bytes))
        return defaultValue;
    const Location where = locate(bytes, section, key, Purpose::read);
    if (!where.keyLine)
        return defaultValue;
    return cleanValue(entryOf(where.keyLine->text)->value);
}

bool PrivateProfile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value)
{
    if (!writable(section, key, value) ||
        !makeFolders(std::filesystem::path(m_filePath).parent_path()))
        return false;
    // Held from reading the old contents until the new file is in place, so a write of
    // another running copy cannot fall between and be lost.
    const ProfileLock lock(m_filePath);
    if (!lock.Locked())
        return false;
    std::string old;
    // Never replace a file whose contents could not all be kept.
    if (readUpToLimit(lock.Descriptor(), old) != ReadResult::complete)
        return false;
    const std::string updated = withEntry(old, section, key, value);
    return updated == old || replaceFile(m_filePath, updated);
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

} // namespace varnok
