#pragma once

#include <string>

namespace varnok {

class TBaseGrid;

// Captions in row 0 and row 0 fixed, as a read leaves the grid.
void FillCaptions(TBaseGrid& grid);
// Writes one entry row (growing the table when needed), as the scan does.
void AddEntry(TBaseGrid& grid, int row, const std::string& number, const std::string& address,
              const std::string& visit);
// Captions plus the entry 1, x.htm, 05/06/2004 10:11:12.
void FillExampleList(TBaseGrid& grid);
// The address anchor the scan builds around an already escaped address: <A href="a">a</A>.
std::string Anchor(const std::string& escapedAddress);

} // namespace varnok
