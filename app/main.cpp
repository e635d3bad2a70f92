#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/batchexport.h"
#include "app/commandline.h"
#include "app/displaycheck.h"
#include "app/settings.h"
#ifdef VARNOK_WITH_GUI
#include "app/guimodule.h"
#endif

using namespace varnok;

int main(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CommandLine commandLine = ParseCommandLine(arguments);
    // The export runs before any toolkit is loaded, so it needs no display; only /spdf
    // loads the printer's module, and Qt starts (offscreen) inside it.
    if (commandLine.IsBatch()) {
        BatchExportTools tools;
#ifdef VARNOK_WITH_GUI
        tools.PrintToPdf = [](TResultGrid& grid, const std::string& fileName) {
            return GuiModule::Load().PrintGridToPdf(grid, fileName);
        };
#endif
        // The export reports its own failures; anything else that ends it (memory running
        // out while printing, say) still ends with a message and status 1, never an abort.
        try {
            return RunBatchExport(commandLine, VarnokSettings(), std::cout, std::cerr, tools);
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
            return 1;
        }
    }
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
    try {
        return GuiModule::Load().RunWindow(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
#else
    std::cerr << UsageText();
    return 1;
#endif
}
