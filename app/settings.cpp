#include "app/settings.h"

#include <array>
#include <filesystem>
#include <utility>
#include <vector>

#include "grid/table/basegrid.h"
#include "platform/profileint.h"

namespace varnok {

namespace {

struct KeyTableEntry {
    SettingsKey Id;
    SettingsKeyInfo Info;
};

// Every key the program reads or writes, in one place.
constexpr std::array<KeyTableEntry, 14> keyTable{{
    {SettingsKey::DateFormat, {SettingsSection, "Date format", "1"}},
    {SettingsKey::Top, {SettingsSection, "Top", "111"}},
    {SettingsKey::Left, {SettingsSection, "Left", "60"}},
    {SettingsKey::Height, {SettingsSection, "Height", "470"}},
    {SettingsKey::Width, {SettingsSection, "Width", "700"}},
    {SettingsKey::WinState, {SettingsSection, "WinState", "0"}},
    {SettingsKey::FontName, {SettingsSection, "Font Name", "MS Sans Serif"}},
    {SettingsKey::FontSize, {SettingsSection, "Font Size", "8"}},
    {SettingsKey::CachePath, {SettingsSection, "Cache path", ""}},
    {SettingsKey::InitialDir, {SettingsSection, "Initial Dir", "C:\\Windows\\Desktop"}},
    {SettingsKey::FileName, {SettingsSection, "File Name", "CacheList.txt"}},
    // The text-only switch sits in Settings although the other display options are
    // in Preferences; existing files have it there.
    {SettingsKey::ShowTextOnly, {SettingsSection, "Show text only", "0"}},
    {SettingsKey::ShowWelcomeWindow, {PreferencesSection, "Show welcome window", "1"}},
    {SettingsKey::CellFormatHtml, {PreferencesSection, "Cell format: HTML", "0"}},
}};

std::string text(std::string_view view)
{
    return std::string(view);
}

// Column widths are neither read nor written while the grid names no file or no section.
bool hasColumnWidthsPlace(const TBaseGrid& grid)
{
    return !grid.ColumnSize().Key.empty() && !grid.ColumnSize().Section.empty();
}

// The key of a column's width: "Col0", "Col1" and so on.
std::string columnKey(int col)
{
    return "Col" + std::to_string(col);
}

} // namespace

ESettingsWriteError::ESettingsWriteError(const std::string& filePath, bool repeated)
    : std::runtime_error("Unable to write to " + filePath), m_repeated(repeated)
{
}

const SettingsKeyInfo& KeyInfo(SettingsKey key)
{
    for (const KeyTableEntry& entry : keyTable) {
        if (entry.Id == key)
            return entry.Info;
    }
    throw std::logic_error("settings key missing from the key table");
}

VarnokSettings::VarnokSettings(std::string filePath) : m_filePath(std::move(filePath)) {}

bool VarnokSettings::FileExists() const
{
    std::error_code ignored;
    return std::filesystem::exists(m_filePath, ignored);
}

std::string VarnokSettings::ReadText(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const
{
    return PrivateProfile(m_filePath).ReadString(text(section), text(key), text(defaultValue));
}

int VarnokSettings::ReadInteger(std::string_view section, std::string_view key,
                                int defaultValue) const
{
    // A missing key reads as empty text, which converts to the default like any other
    // text that is not a number.
    return ParseProfileInt(ReadText(section, key, ""), defaultValue);
}

bool VarnokSettings::ReadBoolean(std::string_view section, std::string_view key,
                                 bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void VarnokSettings::WriteText(std::string_view section, std::string_view key,
                               std::string_view value)
{
    NoteWrite(PrivateProfile(m_filePath).WriteString(text(section), text(key), text(value)));
}

void VarnokSettings::WriteColumnWidths(const TBaseGrid& grid)
{
    PrivateProfile profile(m_filePath);
    bool written = true;
    if (hasColumnWidthsPlace(grid)) {
        const std::string section = grid.ColumnSize().Section;
        // The first refused write ends the run; the widths written before it stay.
        for (int col = 0; col < grid.GetColCountEx() && written; ++col)
            written =
                profile.WriteString(section, columnKey(col), std::to_string(grid.ColWidth(col)));
    }
    NoteWrite(written);
}

bool VarnokSettings::ReadColumnWidths(TBaseGrid& grid) const
{
    if (!hasColumnWidthsPlace(grid))
        return false;
    const PrivateProfile profile(m_filePath);
    const std::string section = grid.ColumnSize().Section;
    std::vector<int> widths;
    for (int col = 0; col < grid.GetColCountEx(); ++col)
        widths.push_back(ParseProfileInt(profile.ReadString(section, columnKey(col), ""), -1));
    return grid.RestoreColWidths(widths);
}

void VarnokSettings::NoteWrite(bool written)
{
    const bool failedBefore = m_lastWriteFailed;
    m_lastWriteFailed = !written;
    if (!written)
        throw ESettingsWriteError(m_filePath, failedBefore);
}

void VarnokSettings::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteText(section, key, std::to_string(value));
}

void VarnokSettings::WriteBoolean(std::string_view section, std::string_view key, bool value)
{
    WriteText(section, key, value ? "1" : "0");
}

std::string VarnokSettings::ReadText(SettingsKey key) const
{
    const SettingsKeyInfo& info = KeyInfo(key);
    return ReadText(info.Section, info.Key, info.Default);
}

int VarnokSettings::ReadInteger(SettingsKey key) const
{
    const SettingsKeyInfo& info = KeyInfo(key);
    return ReadInteger(info.Section, info.Key, ParseProfileInt(info.Default, 0));
}

bool VarnokSettings::ReadBoolean(SettingsKey key) const
{
    const SettingsKeyInfo& info = KeyInfo(key);
    return ReadBoolean(info.Section, info.Key, ParseProfileInt(info.Default, 0) != 0);
}

void VarnokSettings::WriteText(SettingsKey key, std::string_view value)
{
    const SettingsKeyInfo& info = KeyInfo(key);
    WriteText(info.Section, info.Key, value);
}

void VarnokSettings::WriteInteger(SettingsKey key, int value)
{
    const SettingsKeyInfo& info = KeyInfo(key);
    WriteInteger(info.Section, info.Key, value);
}

void VarnokSettings::WriteBoolean(SettingsKey key, bool value)
{
    const SettingsKeyInfo& info = KeyInfo(key);
    WriteBoolean(info.Section, info.Key, value);
}

ProgramSettings VarnokSettings::LoadProgramSettings() const
{
    ProgramSettings settings;
    settings.DateFormat = ReadInteger(SettingsKey::DateFormat);
    settings.ShowAllEntries = !ReadBoolean(SettingsKey::ShowTextOnly);
    settings.CellFormatHtml = ReadBoolean(SettingsKey::CellFormatHtml);
    settings.ShowWelcome = ReadBoolean(SettingsKey::ShowWelcomeWindow);
    settings.WinStateAtStart = ReadInteger(SettingsKey::WinState);
    settings.DefaultCachePath = ReadText(SettingsKey::CachePath);
    return settings;
}

} // namespace varnok
