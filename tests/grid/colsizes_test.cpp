#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/table/basegrid.h"

namespace varnok {

namespace {

class LayoutCounter final : public GridObserver {
public:
    void CellChanged(int /*col*/, int /*row*/) override {}
    void LayoutChanged() override { ++Layouts; }
    void AppearanceChanged() override {}
    int Layouts = 0;
};

} // namespace

// Stored widths come back only where a grid on a screen could have had them; the design
// widths are 65, 150, 150.
TEST(ColSizesTest, RestoredWidthsKeepToWhatAGridCanHave)
{
    struct Case {
        std::string Rule;
        std::vector<int> Stored;
        std::vector<int> Widths;
        int Layouts;
    };
    const std::vector<Case> cases = {
        {"every column", {80, 0, 32767}, {80, 0, 32767}, 1},
        {"missing (-1) or negative", {-1, -7, 120}, {65, 150, 120}, 1},
        {"too wide", {32768, 2147483647, 150}, {65, 150, 150}, 1},
        {"nothing usable", {-1, -1, 40000}, {65, 150, 150}, 0},
        {"fewer than columns", {70}, {70, 150, 150}, 1},
        {"more than columns", {1, 2, 3, 4}, {1, 2, 3}, 1},
    };
    for (const Case& test : cases) {
        TBaseGrid grid;
        LayoutCounter counter;
        grid.SetObserver(&counter);
        grid.RestoreColWidths(test.Stored);
        EXPECT_EQ((std::vector<int>{grid.ColWidth(0), grid.ColWidth(1), grid.ColWidth(2)}),
                  test.Widths)
            << test.Rule;
        EXPECT_EQ(counter.Layouts, test.Layouts) << test.Rule;
        grid.SetObserver(nullptr);
    }
}

} // namespace varnok
