#include <iostream>
#include <string>
#include <vector>

#include "app/batchexport.h"
#include "app/commandline.h"
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
    return RunWindow(argc, argv);
#else
    std::cerr << UsageText();
    return 1;
#endif
}
