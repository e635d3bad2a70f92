#include "grid/table/celltextstore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnok {

// Texts are copied once and never move: views taken early stay right however many texts
// follow, across blocks and past a text larger than any block, until the store is released.
TEST(CellTextStoreTest, KeptTextsStayPutAcrossBlocks)
{
    CellTextStore store;
    std::vector<std::string> originals;
    std::vector<std::string_view> kept;
    const std::string huge(3 * 1024 * 1024, 'h');
    for (int i = 0; i < 60000; ++i) {
        originals.push_back("http://www.example.com/" + std::to_string(i) + "/page.htm");
        kept.push_back(store.Keep(originals.back()));
        if (i == 30000) {
            EXPECT_EQ(store.Keep(huge), huge);
        }
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        ASSERT_EQ(kept[i], originals[i]) << i;
        ASSERT_NE(kept[i].data(), originals[i].data()) << i;
    }
    EXPECT_EQ(store.Keep(""), "");
    store.Release();
    EXPECT_EQ(store.Keep("again"), "again");
}

// A text that already lies in the store, whole or in part, is handed back as it is; so is
// one from an earlier block. Anything else is copied, even when equal.
TEST(CellTextStoreTest, TextsFromTheStoreAreSharedOthersCopied)
{
    CellTextStore store;
    const std::string_view first = store.Keep("http://a.example/x.htm");
    for (int i = 0; i < 20000; ++i)
        static_cast<void>(store.Keep("filler text that pushes later texts into new blocks"));
    const std::string_view last = store.Keep("05/06/2004 10:11:12");

    const struct {
        std::string_view Text;
        bool Shared;
    } cases[] = {
        {first, true},
        {first.substr(7, 9), true},
        {last, true},
        {last.substr(0, 1), true},
        {std::string_view("05/06/2004 10:11:12"), false},
    };
    for (const auto& c : cases) {
        const std::string_view kept = store.Keep(c.Text);
        EXPECT_EQ(kept, c.Text);
        EXPECT_EQ(kept.data() == c.Text.data(), c.Shared) << c.Text;
    }
}

} // namespace varnok
