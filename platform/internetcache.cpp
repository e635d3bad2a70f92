#include "platform/internetcache.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace varnok {

namespace {

std::string EnvOrEmpty(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder()
{
    std::string home = EnvOrEmpty("HOME");
    if (home.empty()) {
        if (const passwd* entry = getpwuid(getuid()))
            home = entry->pw_dir;
    }
    return home;
}

std::string UserName()
{
    std::string user = EnvOrEmpty("USER");
    if (user.empty()) {
        if (const passwd* entry = getpwuid(getuid()))
            user = entry->pw_name;
    }
    return user;
}

} // namespace

std::optional<std::string> FindInternetCacheFolder()
{
    std::string prefix = EnvOrEmpty("WINEPREFIX");
    if (prefix.empty())
        prefix = HomeFolder() + "/.wine";
    const std::filesystem::path users =
        std::filesystem::path(prefix) / "drive_c" / "users" / UserName();
    const std::filesystem::path candidates[] = {
        users / "AppData" / "Local" / "Microsoft" / "Windows" / "INetCache",
        users / "Local Settings" / "Temporary Internet Files",
    };
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_directory(candidate, error))
            return candidate.string();
    }
    return std::nullopt;
}

} // namespace varnok
