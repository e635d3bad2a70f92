#include "app/exhibit.h"

#include <cstdio>
#include <cstdlib>

#include "app/measuredlayout.h"
#include "cacheindex/visittime.h"
#include "grid/table/basegrid.h"
#include "platform/bytesource.h"
#include "platform/sha256.h"
#include "platform/zonename.h"

namespace varnok {

namespace {

// An en dash in the list's encoding (Windows-1252).
constexpr const char* kDash = " \x96 ";

// The visit time column of the list.
constexpr int kVisitColumn = 2;
constexpr int kAddressColumn = 1;

// The first year whose offsets the time zone database knows as the clocks showed them.
constexpr unsigned kFirstZoneYear = 1970;

// The list's texts are Windows-1252, paths UTF-8: a path whose letters all lie in the Latin-1
// part both share ("Müller") is shown with those letters; any other path keeps its bytes.
std::string PathInListEncoding(const std::string& path)
{
    std::string shown;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte < 0x80) {
            shown += path[i];
            continue;
        }
        const auto next = i + 1 < path.size() ? static_cast<unsigned char>(path[i + 1]) : 0;
        if ((byte != 0xC2 && byte != 0xC3) || (next & 0xC0) != 0x80 ||
            (byte == 0xC2 && next < 0xA0))
            return path;
        shown += static_cast<char>((byte & 0x03) << 6 | (next & 0x3F));
        ++i;
    }
    return shown;
}

} // namespace

std::string UtcOffsetText(long seconds)
{
    const long magnitude = std::labs(seconds) / 60;
    char text[32];
    std::snprintf(text, sizeof text, "UTC%c%02ld:%02ld", seconds < 0 ? '-' : '+', magnitude / 60,
                  magnitude % 60);
    return text;
}

std::vector<std::string> ExhibitTitleLines(const ExhibitFacts& facts)
{
    return {
        std::string("Varnok 5") + kDash + PathInListEncoding(facts.IndexFile),
        "SHA-256 " + facts.Sha256 + kDash + std::to_string(facts.Size) + " bytes",
        "Times shown in " + facts.ZoneName + " (" + UtcOffsetText(facts.UtcOffset) + ")",
    };
}

TPrintSettings ExhibitPrintSettings(const ExhibitFacts& facts)
{
    TPrintSettings settings;
    settings.Title = ppTopLeft;
    settings.TitleLines = ExhibitTitleLines(facts);
    settings.JobName = settings.TitleLines.front();
    // Year first: a date of printing that no reader can take for month first or day first.
    settings.Date = ppTopRight;
    settings.DateFormat = "yyyy-mm-dd hh:nn:ss";
    settings.PageNr = ppBottomRight;
    settings.PageCountAlways = true;
    settings.Orientation = facts.Landscape ? poLandscape : poPortrait;
    settings.FillColumn = kAddressColumn;
    settings.WidthSampleColumn = kVisitColumn;
    settings.WidthSample = kWidestVisitTime;
    return settings;
}

std::optional<std::time_t> FirstListedTime(const TBaseGrid& grid, int dateFormat, long shownOffset)
{
    for (int row = grid.GetFixedRowsEx(); row < grid.GetRowCountEx(); ++row) {
        const std::string text(grid.GetCellEx(kVisitColumn, row));
        unsigned first = 0, second = 0, year = 0, hour = 0, minute = 0, secs = 0;
        char end = 0;
        // Before 1970 lie the empty file time (shown in 1601) and the zones' local mean times,
        // neither of which the list's times were moved by.
        if (std::sscanf(text.c_str(), "%2u/%2u/%4u %2u:%2u:%2u%c", &first, &second, &year, &hour,
                        &minute, &secs, &end) != 6 ||
            year < kFirstZoneYear)
            continue;
        std::tm shown{};
        shown.tm_year = static_cast<int>(year) - 1900;
        shown.tm_mon = static_cast<int>(dateFormat == 2 ? second : first) - 1;
        shown.tm_mday = static_cast<int>(dateFormat == 2 ? first : second);
        shown.tm_hour = static_cast<int>(hour);
        shown.tm_min = static_cast<int>(minute);
        shown.tm_sec = static_cast<int>(secs);
        return ::timegm(&shown) - shownOffset;
    }
    return std::nullopt;
}

ExhibitFacts GatherExhibitFacts(const TBaseGrid& grid, const std::string& indexFile,
                                ByteSource& file, int dateFormat, bool landscape)
{
    ExhibitFacts facts;
    facts.IndexFile = indexFile;
    facts.Sha256 = Sha256HexOf(file);
    facts.Size = file.End();
    facts.ZoneName = LocalZoneName();
    // The list moved every time by the offset in force when it was read.
    const std::optional<std::time_t> first =
        FirstListedTime(grid, dateFormat, VisitTimeFormatter::CurrentUtcOffset());
    facts.UtcOffset = LocalUtcOffsetAt(first ? *first : std::time(nullptr));
    facts.Landscape = landscape;
    return facts;
}

} // namespace varnok
