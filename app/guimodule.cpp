#include "app/guimodule.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "app/userguide.h"

namespace varnok {

namespace {

// Beside the program itself (the build folder), else where an installed program keeps it.
// Never a bare name: that would load whatever module the current folder holds.
std::vector<std::string> modulePaths()
{
    const std::string programFolder = RunningProgramFolder();
    if (programFolder.empty())
        return {};
    const std::filesystem::path folder(programFolder);
    return {(folder / kGuiModuleFileName).string(),
            (folder / VARNOK_MODULE_FROM_PROGRAM / kGuiModuleFileName).lexically_normal().string()};
}

template <typename Function> Function symbolOf(void* handle, const char* name)
{
    void* address = ::dlsym(handle, name);
    if (!address)
        throw std::runtime_error(std::string("The window module lacks ") + name);
    return reinterpret_cast<Function>(address);
}

GuiModule::Functions loadFunctions()
{
    const std::vector<std::string> paths = modulePaths();
    for (const std::string& path : paths) {
        if (!std::filesystem::exists(path))
            continue;
        // The module takes the core from the program, which exports it; RTLD_LOCAL keeps the
        // module's own names (the toolkit's among them) out of the program's scope.
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* reason = ::dlerror();
            throw std::runtime_error("Cannot load " + path + ": " +
                                     (reason ? reason : "unknown reason"));
        }
        return {symbolOf<VarnokRunWindowFunction>(handle, kRunWindowSymbol),
                symbolOf<VarnokPrintGridToPdfFunction>(handle, kPrintGridToPdfSymbol)};
    }
    std::string message =
        std::string("The window and printing module is missing: no ") + kGuiModuleFileName + " in";
    for (const std::string& path : paths)
        message += " " + std::filesystem::path(path).parent_path().string();
    if (paths.empty())
        message += " the program's folder, which the system does not tell";
    throw std::runtime_error(message);
}

} // namespace

GuiModule GuiModule::Load()
{
    return GuiModule(loadFunctions());
}

} // namespace varnok
