// The entry points of the module that holds the window and the PDF printer (see
// app/guimodule.h); built only with the window.
#include <type_traits>

#include "app/guimodule.h"
#include "app/window/windowmain.h"
#include "print/gridpdf.h"

namespace varnok {

extern "C" {

__attribute__((visibility("default"))) int varnok_run_window(int argc, char* argv[])
{
    return RunWindow(argc, argv);
}

__attribute__((visibility("default"))) int varnok_print_grid_to_pdf(TResultGrid& grid,
                                                                    const std::string& fileName)
{
    return PrintGridToPdf(grid, fileName);
}
}

static_assert(std::is_same_v<decltype(&varnok_run_window), VarnokRunWindowFunction>);
static_assert(std::is_same_v<decltype(&varnok_print_grid_to_pdf), VarnokPrintGridToPdfFunction>);

} // namespace varnok
