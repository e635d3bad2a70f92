#include "platform/zonename.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace varnok {

namespace {

// A zone given as a file path names the zone by its path below the zone database.
std::string nameOfZonePath(std::string_view path)
{
    constexpr std::string_view kDatabase = "zoneinfo/";
    const std::size_t at = path.rfind(kDatabase);
    return std::string(at == std::string_view::npos ? path : path.substr(at + kDatabase.size()));
}

std::string trimmed(std::string text)
{
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
    const std::size_t begin = text.find_first_not_of(" \t");
    return begin == std::string::npos ? std::string() : text.substr(begin);
}

} // namespace

std::string LocalZoneName()
{
    if (const char* tz = std::getenv("TZ"); tz != nullptr && *tz != '\0') {
        const std::string_view value = *tz == ':' ? tz + 1 : tz;
        if (!value.empty())
            return nameOfZonePath(value);
    }
    std::ifstream timezone("/etc/timezone");
    std::string line;
    if (timezone && std::getline(timezone, line) && !trimmed(line).empty())
        return trimmed(line);
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink("/etc/localtime", error);
    if (!error && !target.empty())
        return nameOfZonePath(target.string());
    return "local time";
}

long LocalUtcOffsetAt(std::time_t when)
{
    // localtime_r alone may keep a zone it looked up earlier.
    ::tzset();
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr)
        return 0;
    return local.tm_gmtoff;
}

} // namespace varnok
