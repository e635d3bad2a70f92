#pragma once

#include <string>

namespace varnok {

class TResultGrid;

// The window and the PDF printer live in a module of their own, loaded only when a run
// needs them: a batch export without /spdf never loads the toolkit, and starts as fast as
// a program without it. The module exports these two functions under these names.
extern "C" {
using VarnokRunWindowFunction = int (*)(int argc, char* argv[]);
using VarnokPrintGridToPdfFunction = int (*)(TResultGrid& grid, const std::string& fileName);
}
inline constexpr const char* kRunWindowSymbol = "varnok_run_window";
inline constexpr const char* kPrintGridToPdfSymbol = "varnok_print_grid_to_pdf";
inline constexpr const char* kGuiModuleFileName = "varnok5-gui.so";

// The functions of the loaded module. The module stays loaded until the process ends: the
// toolkit it brings cannot be unloaded.
class GuiModule {
public:
    struct Functions {
        VarnokRunWindowFunction RunWindow = nullptr;
        VarnokPrintGridToPdfFunction PrintGridToPdf = nullptr;
    };

    /** Loads the module that lies beside the running program; raises with the reason when it
     * cannot be loaded or lacks a function. */
    [[nodiscard]] static GuiModule Load();

    /** Runs the viewer window and returns the process exit status. */
    int RunWindow(int argc, char* argv[]) const { return m_functions.RunWindow(argc, argv); }
    /** Prints the list as Print all into the PDF file; the page count. */
    [[nodiscard]] int PrintGridToPdf(TResultGrid& grid, const std::string& fileName) const
    {
        return m_functions.PrintGridToPdf(grid, fileName);
    }

private:
    explicit GuiModule(Functions functions) : m_functions(functions) {}

    Functions m_functions;
};

} // namespace varnok
