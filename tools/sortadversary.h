#pragma once

#include <vector>

namespace varnok {

// An order of n distinct keys that drives the list's quick sort (Hoare partition around a
// copy of the middle row, as a header click sorts ascending) into its worst case, made by
// McIlroy's adversary ("A Killer Adversary for Quicksort", 1999): the sort is run on
// items whose values are not yet decided ("gas"); a comparison of two undecided items
// fixes one of them as the next smallest value, preferring any item but the one last
// compared as undecided, which is probably the pivot. The values fixed that way, read in
// the items' first places, are an input on which the real sort repeats every comparison.
//
// Returns, for each place from the top, the rank (0 .. n - 1) of the key that goes there.
// The simulation is itself the quadratic sort (40,000 items take seconds), so it may stop
// after `levels` levels of partitioning: ranges deeper than that keep their undecided items
// in place order. A sort that turns to another method at that depth does the same work on
// this order as on the whole adversary's.
[[nodiscard]] std::vector<int> QuickSortAdversaryRanks(int n, int levels = -1);

} // namespace varnok
