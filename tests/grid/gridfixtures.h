#pragma once

#include <string>

class TBaseGrid;

// The grid as a read leaves it: captions in row 0, row 0 fixed, then `entries` rows.
void FillCaptions(TBaseGrid& grid);
// Writes one entry row (growing the table when needed), as the scan does.
void AddEntry(TBaseGrid& grid, int row, const std::string& number, const std::string& address,
              const std::string& visit);
// Captions plus the entry 1, x.htm, 05/06/2004 10:11:12.
void FillExampleList(TBaseGrid& grid);
// The D19 anchor of an address that needs no escaping: <A href="a">a</A>.
std::string Anchor(const std::string& escapedAddress);
