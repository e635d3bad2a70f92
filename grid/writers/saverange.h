#pragma once

namespace varnok {

// The inclusive block of cells a file writer writes.
struct TSaveRange {
    int StartCol = 0;
    int StartRow = 0;
    int EndCol = -1;
    int EndRow = -1;
};

} // namespace varnok
