#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/findcommands.h"
#include "grid/resultgrid.h"

namespace varnok {

namespace {

// Answers the find dialog with one request and records what the command shows.
class ScriptedFindHost final : public FindCommandHost {
public:
    explicit ScriptedFindHost(FindRequest request) : m_request(std::move(request)) {}
    [[nodiscard]] std::optional<FindRequest> AskFindRequest() override { return m_request; }
    void SetCol(int col) override { Shown.push_back("col " + std::to_string(col)); }
    void SetRow(int row) override { Shown.push_back("row " + std::to_string(row)); }
    void ShowMessage(const std::string& text) override { Shown.push_back("message " + text); }
    void ShowError(const std::string& text) override { Shown.push_back("error " + text); }

    std::vector<std::string> Shown;

private:
    FindRequest m_request;
};

} // namespace

// A condition over 1,000 characters is refused with an error box and searches nothing; the
// last search stays. The same text as plain text, and a condition of 1,000, are searched.
TEST(FindCommandTest, AConditionOverAThousandCharactersIsRefused)
{
    TResultGrid grid;
    grid.SetRowCountEx(3);
    grid.SetFixedRowsEx(1);
    grid.SetCellEx(1, 1, "http://a/x.gif");
    grid.SetCellEx(1, 2, "http://a/y.htm");
    static_cast<void>(grid.FindFirst("Y.HTM", TFindParameters{}));

    const std::string tooLong = "!" + std::string(1000, '*');
    const struct {
        std::string Text;
        TFindParameters Options;
        std::vector<std::string> Shown;
    } cases[] = {
        {tooLong,
         TFindParameters{fnMatchRegular},
         {"error The condition is 1001 characters long; a condition may hold at most 1000 "
          "characters."}},
        {tooLong, TFindParameters{}, {"message " + std::string(kTextNotFoundMessage)}},
        {"*.GIF" + std::string(995, '*'), TFindParameters{fnMatchRegular}, {"col 1", "row 1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.size());
        ScriptedFindHost host({c.Text, c.Options});
        grid.SetCurrentCell(2, 2);
        RunFindCommand(grid, host);
        EXPECT_EQ(host.Shown, c.Shown);
    }
    ScriptedFindHost refused({tooLong, TFindParameters{fnMatchRegular}});
    RunFindCommand(grid, refused);
    EXPECT_EQ(grid.Search().FindText(), "*.GIF" + std::string(995, '*'));
}

} // namespace varnok
