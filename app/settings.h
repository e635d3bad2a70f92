#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/privateprofile.h"

namespace varnok {

class TBaseGrid;

// Raised when the settings file refuses a write; the message names the file.
class ESettingsWriteError : public std::runtime_error {
public:
    explicit ESettingsWriteError(const std::string& filePath, bool repeated = false);
    /** True when the write before failed too and none has succeeded since: nothing new to say. */
    [[nodiscard]] bool Repeated() const { return m_repeated; }

private:
    bool m_repeated;
};

// Every key of the settings file apart from the grid's column widths.
enum class SettingsKey {
    DateFormat,
    Top,
    Left,
    Height,
    Width,
    WinState,
    FontName,
    FontSize,
    CachePath,
    InitialDir,
    FileName,
    ShowTextOnly,
    ShowWelcomeWindow,
    CellFormatHtml,
};

// Where a key lives and what it reads as when the file, section or key is missing.
// Defaults are written as the file would hold them ("1" for true, "0" for false).
struct SettingsKeyInfo {
    std::string_view Section;
    std::string_view Key;
    std::string_view Default;
};

/** Section, key name and default of `key`. */
[[nodiscard]] const SettingsKeyInfo& KeyInfo(SettingsKey key);

inline constexpr std::string_view SettingsSection = "Settings";
inline constexpr std::string_view PreferencesSection = "Preferences";

// The window states the WinState key holds; anything else is the normal state.
inline constexpr int kWinStateMinimized = 1;
inline constexpr int kWinStateMaximized = 2;

// The values the program keeps in memory after start-up, with the values they hold
// before anything has been read.
struct ProgramSettings {
    int DateFormat = 1;
    bool ShowAllEntries = true;
    bool CellFormatHtml = false;
    bool ShowWelcome = true;
    int WinStateAtStart = 0;
    std::string DefaultCachePath;
};

// Typed access to the settings file. The object holds only the file's path: every
// read and write opens the file afresh, so nothing is cached and nothing needs
// flushing, and two running copies of the program see each other's writes.
class VarnokSettings {
public:
    explicit VarnokSettings(std::string filePath = DefaultSettingsFilePath());

    [[nodiscard]] const std::string& FilePath() const { return m_filePath; }
    /** Whether the settings file exists (it comes into being with the first write). */
    [[nodiscard]] bool FileExists() const;

    /** The text of the key, or `defaultValue` when missing. */
    [[nodiscard]] std::string ReadText(std::string_view section, std::string_view key,
                                       std::string_view defaultValue) const;
    /** Decimal, "0x"/"0X" or "$" hexadecimal; missing, empty or unconvertible gives the default. */
    [[nodiscard]] int ReadInteger(std::string_view section, std::string_view key,
                                  int defaultValue) const;
    /** An integer where anything but 0 is true. */
    [[nodiscard]] bool ReadBoolean(std::string_view section, std::string_view key,
                                   bool defaultValue) const;

    // Writes throw ESettingsWriteError when the file cannot be written; it is then unchanged.
    // The object remembers whether its last write failed, so a run of failures can be told
    // apart from a new one.
    void WriteText(std::string_view section, std::string_view key, std::string_view value);
    /** Written as decimal text. */
    void WriteInteger(std::string_view section, std::string_view key, int value);
    /** Written as "1" or "0". */
    void WriteBoolean(std::string_view section, std::string_view key, bool value);

    // The same operations for the keys of the table, with the table's defaults.
    [[nodiscard]] std::string ReadText(SettingsKey key) const;
    [[nodiscard]] int ReadInteger(SettingsKey key) const;
    [[nodiscard]] bool ReadBoolean(SettingsKey key) const;
    void WriteText(SettingsKey key, std::string_view value);
    void WriteInteger(SettingsKey key, int value);
    void WriteBoolean(SettingsKey key, bool value);

    // The grid's column widths, one key a column ("Col0", "Col1", ...) in the section the
    // grid names (ColumnSizes); nothing is read or written while it names none.
    void WriteColumnWidths(const TBaseGrid& grid);
    /** Gives the grid the widths stored for it; a missing or unconvertible width, or one the
     * grid cannot have, leaves its column as it is. */
    bool ReadColumnWidths(TBaseGrid& grid) const;

    /** The in-memory values as start-up reads them from the file. */
    [[nodiscard]] ProgramSettings LoadProgramSettings() const;

private:
    void NoteWrite(bool written);

    std::string m_filePath;
    bool m_lastWriteFailed = false;
};

} // namespace varnok
