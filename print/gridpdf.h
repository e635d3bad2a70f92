#pragma once

#include <string>

namespace varnok {

class TResultGrid;

/** Prints every cell of `grid` as Print all does, with the grid's print settings, on A4 paper (in
 * the settings' orientation) into
 * the PDF file `fileName`, one PDF page per printed page; needs no printer or display. The file is
 * replaced only once complete. Returns the number of pages; raises EGridError ("Cannot Create file
 * " or "Cannot write file ", the name and the reason) on failure, leaving no file behind. */
[[nodiscard]] int PrintGridToPdf(TResultGrid& grid, const std::string& fileName);

} // namespace varnok
