#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/batchexport.h"
#include "app/commandline.h"
#include "app/displaycheck.h"
#include "app/settings.h"
#ifdef VARNOK_WITH_GUI
#include "app/window/windowmain.h"
#endif

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CommandLine commandLine = ParseCommandLine(arguments);
    // The export runs before any toolkit is started, so it needs no display.
    if (commandLine.IsBatch())
        return RunBatchExport(commandLine, VarnokSettings(), std::cout, std::cerr);
#ifdef VARNOK_WITH_GUI
    // Without a display the toolkit would abort the process; say why instead.
    const auto environment = [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    if (const std::optional<std::string> message = NoDisplayMessage(arguments, environment)) {
        std::cerr << *message;
        return 1;
    }
    return RunWindow(argc, argv);
#else
    std::cerr << UsageText();
    return 1;
#endif
}
