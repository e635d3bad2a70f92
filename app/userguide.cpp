#include "app/userguide.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace varnok {

namespace {

// Where an installed tree keeps the guide, seen from the program's folder ("bin" and
// "share/doc/varnok5" under one prefix), so a tree moved to another prefix still finds it.
constexpr const char* kInstalledGuideFolder = VARNOK_GUIDE_FROM_PROGRAM;

} // namespace

std::optional<std::string> FindUserGuide(const std::string& programFolder)
{
    if (programFolder.empty())
        return std::nullopt;
    const std::filesystem::path folder(programFolder);
    const std::array<std::filesystem::path, 2> candidates{
        folder / kUserGuideFileName,
        folder / kInstalledGuideFolder / kUserGuideFileName,
    };
    for (const std::filesystem::path& candidate : candidates) {
        if (!FileExists(candidate.string()))
            continue;
        // The browser gets a path without "..", resolved the way the system resolved it.
        std::error_code error;
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(candidate, error);
        return error ? candidate.string() : resolved.string();
    }
    return std::nullopt;
}

std::string RunningProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

} // namespace varnok
